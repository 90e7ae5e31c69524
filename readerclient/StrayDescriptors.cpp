#include "readerclient/StrayDescriptors.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr unsigned First = STDERR_FILENO + 1;

// Where the kernel has no close_range: every descriptor the process may hold, one by one.
template<typename Function>
void eachDescriptor(Function function)
{
    rlimit limit{};
    const rlim_t end = getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY ? limit.rlim_cur
                                                                                                  : rlim_t(1) << 20;
    for (rlim_t fd = First; fd < end; ++fd)
        function(int(fd));
}

} // namespace

void StrayDescriptors::closeOnExec()
{
    if (close_range(First, ~0U, CLOSE_RANGE_CLOEXEC) != 0)
        eachDescriptor([](int fd) { fcntl(fd, F_SETFD, FD_CLOEXEC); });
}

void StrayDescriptors::close()
{
    if (close_range(First, ~0U, 0) != 0)
        eachDescriptor([](int fd) { ::close(fd); });
}
