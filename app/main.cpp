#include "app/MainWindow.h"
#include "app/UiFonts.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cryptwright"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setDesktopFileName(QStringLiteral("cryptwright"));
    // One look everywhere: the layout is fixed in pixels.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(UiFonts::standard());

    MainWindow window;
    window.startUp();
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    return app.exec();
}
