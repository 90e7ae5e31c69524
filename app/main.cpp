#include "app/EditorEntry.h"
#include "app/ProcessMemory.h"
#include "app/ProgramModule.h"
#include "cli/CommandLine.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    ProcessMemory::prepare();
    // Exporting, help and version open no window and need no display.
    if (CommandLine::runsWithoutWindow(argc, argv))
        return CommandLine::runWithoutWindow(argc, argv);
    const ProgramModule editor(EditorEntry::ModuleName);
    const auto run = editor.entry<EditorEntry::Function>(EditorEntry::FunctionName);
    if (!run) {
        std::fprintf(stderr, "cryptwright: the editor cannot be started: %s\n", qPrintable(editor.error()));
        return 1;
    }
    return run(argc, argv);
}
