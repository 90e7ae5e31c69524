#include "cli/CommandLine.h"
#include "mainwindow/Editor.h"

int main(int argc, char *argv[])
{
    // Exporting, help and version open no window and need no display.
    if (CommandLine::runsWithoutWindow(argc, argv))
        return CommandLine::runWithoutWindow(argc, argv);
    return Editor::run(argc, argv);
}
