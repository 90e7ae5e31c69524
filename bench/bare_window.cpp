// The floor bench_startup measures the program against: a Qt Widgets window
// of the main window's size and title and nothing else, centred the same way.
#include "FirstPaint.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

static void watchFirstPaint()
{
    FirstPaint::watchApplication();
}
Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Cryptwright"));
    window.setFixedSize(588, 325);
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
