// Readies an export as the command line does (the document opened, the
// output made beside its name, the renaming process started) and confines
// itself the same way; then tries one thing a decoder taken over by a hostile
// document might, named by its arguments, and exports the document all the
// same. It prints "refused: <reason>" or "done" for the attempt, then
// "exported" or why not; a filter that kills it says nothing more.
#include "cli/ExportFiles.h"
#include "cli/Exporter.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

void report(bool done, int error)
{
    if (done)
        std::puts("done");
    else
        std::printf("refused: %s\n", std::strerror(error));
    std::fflush(stdout);
}

// The attempt named by what, on path; true when it succeeded, with errno set when not.
bool attempt(const QByteArray &what, const char *path, char **rest)
{
    if (what == "read" || what == "read-elsewhere") // a file that exists
        return open(path, O_RDONLY) >= 0;
    if (what == "create")
        return open(path, O_WRONLY | O_CREAT, 0600) >= 0;
    if (what == "list")
        return opendir(path) != nullptr;
    if (what == "rename")
        return rename(path, (QByteArray(path) + ".moved").constData()) == 0;
    if (what == "connect") { // a listening UNIX socket
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        return fd >= 0 && connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    }
    if (what == "exec") { // a program, given its path and arguments
        execv(path, rest);
        return false;
    }
    if (what == "fork") {
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        return child > 0;
    }
    errno = EINVAL;
    return false;
}

} // namespace

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
            done = attempt(what, path, argv + 4);
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
        done = attempt(what, path, argv + 4);
        error = errno;
    }
    report(done, error);

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
