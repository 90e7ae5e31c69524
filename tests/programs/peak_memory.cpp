// Runs the program its arguments name, its output thrown away, and prints the
// most memory it held, in KiB. A program started straight from a large process
// counts that process's memory as its own until it runs; started from this
// small one, it counts little more than what it takes.
#include <cstdio>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t child = -1;
    const int failed = posix_spawn(&child, argv[1], &actions, nullptr, argv + 1, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (failed || wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status))
        return 1;
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}
