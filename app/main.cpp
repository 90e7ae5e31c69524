#include "app/MainWindow.h"
#include "cli/CommandLine.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Exporting, help and version open no window and need no display.
    if (CommandLine::runsWithoutWindow(argc, argv))
        return CommandLine::runWithoutWindow(argc, argv);

    QApplication app(argc, argv);
    MainWindow::prepareApplication();
    const QString file = CommandLine::fileToOpen(QApplication::arguments());

    MainWindow window;
    window.startUp();
    if (!file.isEmpty())
        window.openMaptileFile(file);
    window.showCentred();
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    return app.exec();
}
