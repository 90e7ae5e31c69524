// Readies an export as the command line does (the document opened, the
// output made beside its name, the renaming process started) and confines
// itself the same way; then tries one thing a decoder taken over by a hostile
// document might, named by its arguments, and exports the document all the
// same. It prints "refused: <reason>" or "done" for the attempt, then
// "exported" or why not; a filter that kills it says nothing more.
#include "ProbeAttempt.h"
#include "cli/ExportFiles.h"
#include "cli/Exporter.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <thread>

int main(int argc, char *argv[])
{
    if (argc < 4)
        return 2;
    QCoreApplication application(argc, argv);
    const QString document = QFile::decodeName(argv[1]), out = QFile::decodeName(argv[2]);
    const QByteArray what = argv[3];
    const char *path = argc > 4 ? argv[4] : "";

    ExportFiles files;
    const int input = files.addDocument(document);
    const int output = files.addOutput(out);
    // "read-elsewhere" reads from a thread that was running before the process confined itself.
    std::atomic<bool> confined = false;
    bool done = false;
    int error = 0;
    std::thread earlier;
    if (what == "read-elsewhere") {
        earlier = std::thread([&] {
            while (!confined)
                std::this_thread::yield();
            done = ProbeAttempt::tried(what, path, argv + 4);
            error = errno;
        });
    }
    Exporter::prepare(Exporter::Format::Jpeg);
    QString why;
    if (!files.confine(&why)) {
        std::printf("not confined: %s\n", qPrintable(why));
        return 3;
    }
    confined = true;
    if (earlier.joinable()) {
        earlier.join();
    } else {
        done = ProbeAttempt::tried(what, path, argv + 4);
        error = errno;
    }
    ProbeAttempt::report(done, error);

    QByteArray bytes, jpeg;
    if (files.read(input, &bytes, &why))
        jpeg = Exporter::encode(document, bytes, out, Exporter::Format::Jpeg, {90, false}, 0, &why);
    bytes.clear();
    files.release(input);
    if (!jpeg.isEmpty())
        why = files.write(output, jpeg);
    std::puts(why.isEmpty() ? "exported" : qPrintable(why));
    files.end();
    std::fflush(stdout);
    _exit(0);
}
