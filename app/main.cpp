#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow::prepareApplication();

    MainWindow window;
    window.startUp();
    window.showCentred();
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    return app.exec();
}
