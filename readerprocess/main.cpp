// The reading process: reads the pictures and documents the user chooses,
// confined so that a file made to harm its decoder reaches nothing, and
// started by the editor, which kills it when it hangs and reads on in a fresh
// one when it dies.
#include "pictures/MetafileFonts.h"
#include "pictures/PictureDecoder.h"
#include "readerclient/ReaderProtocol.h"
#include "readerclient/StrayDescriptors.h"
#include "readerprocess/RequestServer.h"
#include "resources/Translations.h"
#include "sandbox/Sandbox.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Whatever started this process may have left descriptors open besides
    // the pipes; none may stay within reach of a decoder.
    StrayDescriptors::close();
    // Not to outlive the editor, whatever it is busy with.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // A document's fonts need Qt Gui and a platform; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    // Everything that comes from a file is read now, while files can be
    // opened: the image plugins, the font database, the fonts of metafiles,
    // and the translation its refusals reach the user in.
    Translations::install();
    PictureDecoder::loadPlugins();
    QFontDatabase::families();
    MetafileFonts::preload();
    // A picture passes in a few large reads rather than many small ones; the
    // pipes keep their size where the system allows none larger.
    for (const int end : {STDIN_FILENO, STDOUT_FILENO})
        fcntl(end, F_SETPIPE_SZ, 1 << 20);

    QString error;
    if (!Sandbox::enter(&error)) {
        std::fprintf(stderr, "cryptwright-reader: %s; nothing is read unconfined.\n", qPrintable(error));
        std::fflush(stderr);
        _exit(ReaderProtocol::NotConfinedExit);
    }
    // Straight out: what the application and the libraries would do at exit
    // is nothing this process needs, and not all of it is allowed here.
    _exit(RequestServer::run());
}
