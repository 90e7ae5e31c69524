// The program's own start-up, as app/main.cpp runs it without arguments,
// ending after the main window's first paint: one run of bench_startup.
#include "FirstPaint.h"

#include "app/MainWindow.h"
#include "app/ProcessMemory.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ProcessMemory::prepare();
    QApplication app(argc, argv);
    MainWindow::prepareApplication();

    MainWindow window;
    window.startUp();
    FirstPaint firstPaint(&window);
    window.showCentred();
    return app.exec();
}
