#pragma once

// What a decoder taken over by a hostile file might try, for the probes that confine themselves first.
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
#include <unistd.h>

namespace ProbeAttempt {

// The attempt named by what, on path, with rest the arguments of a program to start; true when it
// succeeded, with errno set when not. A name it does not know ends the probe with status 2.
inline bool tried(const QByteArray &what, const char *path, char **rest)
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
    if (what == "execute") { // memory that could run code written into it
        void *memory = mmap(nullptr, 4096, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return memory != MAP_FAILED;
    }
    if (what == "allocate") // far more than the limit, all at once
        return std::malloc(size_t(Sandbox::AddressSpaceBytes) + (size_t(1) << 30)) != nullptr;
    std::fprintf(stderr, "no such attempt: %s\n", what.constData());
    _exit(2);
}

// "done", or "refused: " and the system's reason.
inline void report(bool done, int error)
{
    if (done)
        std::puts("done");
    else
        std::printf("refused: %s\n", std::strerror(error));
    std::fflush(stdout);
}

} // namespace ProbeAttempt
