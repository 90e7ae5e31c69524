// Runs the program its arguments name, its output thrown away, and prints the
// most memory it held, in KiB. A program started straight from a large process
// counts that process's memory as its own until it runs; started from this
// small one, it counts little more than what it takes.
#include <cstdio>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    const pid_t child = fork();
    if (child == 0) {
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDOUT_FILENO);
        dup2(nowhere, STDERR_FILENO);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) == 127)
        return 1;
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}
