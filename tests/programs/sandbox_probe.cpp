// Confines itself exactly as the reading process does, then tries one thing a
// decoder taken over by a hostile file might try, named by its arguments. It
// prints "done" when the attempt succeeded and "refused: <reason>" when the
// system said no; a filter that kills it says nothing.
#include "sandbox/Sandbox.h"

#include <QByteArray>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Straight out, as the reading process leaves: a leak checker at exit would
// need what the confinement refuses.
[[noreturn]] int outcome(bool done)
{
    if (done)
        std::puts("done");
    else
        std::printf("refused: %s\n", std::strerror(errno));
    std::fflush(stdout);
    _exit(0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    const QByteArray what = argv[1];
    const char *path = argc > 2 ? argv[2] : "";
    QString error;
    if (!Sandbox::enter(&error)) {
        std::printf("not confined: %s\n", qPrintable(error));
        return 3;
    }
    if (what == "read") // a file that exists
        return outcome(open(path, O_RDONLY) >= 0);
    if (what == "create")
        return outcome(open(path, O_WRONLY | O_CREAT, 0600) >= 0);
    if (what == "list")
        return outcome(opendir(path) != nullptr);
    if (what == "connect") { // a listening UNIX socket
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        return outcome(fd >= 0 && connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    }
    if (what == "exec") { // a program, given its path and arguments
        execv(path, argv + 2);
        return outcome(false);
    }
    if (what == "fork") {
        const pid_t child = fork();
        if (child == 0)
            _exit(0);
        return outcome(child > 0);
    }
    if (what == "execute") { // memory that could run code written into it
        void *memory = mmap(nullptr, 4096, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return outcome(memory != MAP_FAILED);
    }
    if (what == "allocate") { // far more than the limit, all at once
        void *memory = std::malloc(size_t(Sandbox::AddressSpaceBytes) + (size_t(1) << 30));
        return outcome(memory != nullptr);
    }
    return 2;
}
