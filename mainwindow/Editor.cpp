#include "mainwindow/Editor.h"

#include "cli/CommandLine.h"
#include "mainwindow/MainWindow.h"
#include "readerclient/PictureReader.h"
#include "recovery/RecoverySession.h"
#include "resources/Translations.h"

#include <QApplication>
#include <QTimer>

namespace {
// Well after the first paint, before a user can have chosen a file.
constexpr int StartReaderAfterMs = 300;
} // namespace

int Editor::run(int argc, char **argv)
{
    QApplication app(argc, argv);
    Translations::install();
    MainWindow::prepareApplication();
    const QString file = CommandLine::fileToOpen(QApplication::arguments());

    MainWindow window;
    window.startUp();
    // Work left by an editor that did not close is offered before a file is opened over it.
    const bool offers = window.keepRecovery(RecoverySession::defaultFolder());
    if (!file.isEmpty() && !offers)
        window.openMaptileFile(file);
    window.showCentred();
    if (offers) {
        QTimer::singleShot(0, &window, [&window, file] {
            window.offerRecovery([&window, file] {
                if (!file.isEmpty())
                    window.openMaptileFile(file);
            });
        });
    }
    // The process that reads the user's pictures is made once the window is
    // up, so that the first tileset loaded comes as quickly as the next.
    QTimer::singleShot(StartReaderAfterMs, &PictureReader::prepare);
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    return app.exec();
}
