#include "sandbox/Sandbox.h"

#include <seccomp.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include <linux/landlock.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define CRYPTWRIGHT_SANITIZED_ADDRESSES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CRYPTWRIGHT_SANITIZED_ADDRESSES 1
#endif
#endif

namespace {

// The ruleset as the newest kernels take it; older ones are handed the
// leading part they know, by its size.
struct LandlockRuleset
{
    quint64 handledAccessFs = 0;
    quint64 handledAccessNet = 0;
    quint64 scoped = 0;
};

// Every file-system right each Landlock version knows: from version 1 the
// first thirteen, version 2 adds linking across folders, 3 truncating, 5
// device controls.
quint64 fileSystemRights(int version)
{
    const int rights = version >= 5 ? 16 : version >= 3 ? 15 : version >= 2 ? 14 : 13;
    return (quint64(1) << rights) - 1;
}

// No path of the file system can be opened, listed or changed from here on,
// and from version 4 no TCP port bound or connected, from version 6 no
// abstract socket reached and no process outside signalled.
QString restrictFileSystem(int version)
{
    LandlockRuleset ruleset;
    ruleset.handledAccessFs = fileSystemRights(version);
    size_t size = sizeof ruleset.handledAccessFs;
    if (version >= 4) {
        ruleset.handledAccessNet = 0x3; // bind and connect TCP
        size += sizeof ruleset.handledAccessNet;
    }
    if (version >= 6) {
        ruleset.scoped = 0x3; // abstract UNIX sockets and signals
        size += sizeof ruleset.scoped;
    }
    const int fd = int(syscall(SYS_landlock_create_ruleset, &ruleset, size, 0));
    if (fd < 0)
        return QStringLiteral("Landlock refused the ruleset (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
    const bool restricted = syscall(SYS_landlock_restrict_self, fd, 0) == 0;
    const int failure = errno;
    close(fd);
    if (!restricted)
        return QStringLiteral("Landlock could not confine the process (%1)")
            .arg(QString::fromLocal8Bit(std::strerror(failure)));
    return {};
}

using Filter = std::unique_ptr<std::remove_pointer_t<scmp_filter_ctx>, void (*)(scmp_filter_ctx)>;

// Everything not named here ends the process. Opening a file, looking a path
// up, making a socket or making memory executable fails with an error
// instead, so that a library that tries one on its own (a configuration
// file, a log, a compiled regular expression) goes on without it.
QString installFilter()
{
    const Filter filter(seccomp_init(SCMP_ACT_KILL_PROCESS), seccomp_release);
    if (!filter)
        return QStringLiteral("the system call filter could not be made");
    int failed = 0;
    const auto rule = [&](uint32_t action, int call, std::initializer_list<scmp_arg_cmp> arguments = {}) {
        if (seccomp_rule_add_array(filter.get(), action, call, unsigned(arguments.size()), arguments.begin()) != 0)
            ++failed;
    };
    const auto allow = [&](int call, std::initializer_list<scmp_arg_cmp> arguments = {}) {
        rule(SCMP_ACT_ALLOW, call, arguments);
    };
    // What it is handed and what it answers.
    for (int call :
         {SCMP_SYS(read), SCMP_SYS(readv), SCMP_SYS(write), SCMP_SYS(writev), SCMP_SYS(lseek), SCMP_SYS(close)})
        allow(call);
    // A file opened beforehand for writing is put on the disk before it takes its name.
    for (int call : {SCMP_SYS(fsync), SCMP_SYS(fdatasync)})
        allow(call);
    // Memory, none of it executable: code written into memory cannot be run.
    for (int call : {SCMP_SYS(brk), SCMP_SYS(munmap), SCMP_SYS(mremap), SCMP_SYS(madvise)})
        allow(call);
    allow(SCMP_SYS(mmap), {SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)});
    allow(SCMP_SYS(mprotect), {SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)});
    rule(SCMP_ACT_ERRNO(EPERM), SCMP_SYS(mmap), {SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, PROT_EXEC)});
    rule(SCMP_ACT_ERRNO(EPERM), SCMP_SYS(mprotect), {SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, PROT_EXEC)});
    // Threads of its own: a clone that makes a process is refused, and the
    // newer clone3, whose flags a filter cannot see, fails so that the C
    // library falls back to clone.
    allow(SCMP_SYS(clone), {SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, CLONE_THREAD)});
    rule(SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3));
    // Each thread Qt starts makes a wake-up counter for its event dispatcher.
    allow(SCMP_SYS(eventfd2));
    for (int call : {SCMP_SYS(futex), SCMP_SYS(set_robust_list), SCMP_SYS(rseq), SCMP_SYS(set_tid_address),
                     SCMP_SYS(gettid), SCMP_SYS(getpid), SCMP_SYS(sched_yield), SCMP_SYS(sched_getaffinity),
                     SCMP_SYS(exit), SCMP_SYS(exit_group), SCMP_SYS(restart_syscall), SCMP_SYS(membarrier)})
        allow(call);
    // Naming a thread, asked by Qt for its pool's threads.
    allow(SCMP_SYS(prctl), {SCMP_A0(SCMP_CMP_EQ, PR_SET_NAME)});
    // Signals, and raising one at itself, as abort() does.
    for (int call : {SCMP_SYS(rt_sigaction), SCMP_SYS(rt_sigprocmask), SCMP_SYS(rt_sigreturn), SCMP_SYS(sigaltstack)})
        allow(call);
    allow(SCMP_SYS(tgkill), {SCMP_A0(SCMP_CMP_EQ, scmp_datum_t(getpid()))});
    // Time, randomness and limits read, never set.
    for (int call : {SCMP_SYS(clock_gettime), SCMP_SYS(clock_getres), SCMP_SYS(gettimeofday), SCMP_SYS(nanosleep),
                     SCMP_SYS(clock_nanosleep), SCMP_SYS(getrandom), SCMP_SYS(sysinfo), SCMP_SYS(uname),
                     SCMP_SYS(getuid), SCMP_SYS(geteuid), SCMP_SYS(getgid), SCMP_SYS(getegid)})
        allow(call);
    allow(SCMP_SYS(prlimit64), {SCMP_A2(SCMP_CMP_EQ, 0)});
    // Refused, without ending the process.
    for (int call : {SCMP_SYS(open), SCMP_SYS(openat), SCMP_SYS(openat2), SCMP_SYS(creat), SCMP_SYS(socket),
                     SCMP_SYS(socketpair), SCMP_SYS(access), SCMP_SYS(faccessat), SCMP_SYS(faccessat2), SCMP_SYS(stat),
                     SCMP_SYS(lstat), SCMP_SYS(newfstatat), SCMP_SYS(statx), SCMP_SYS(readlink), SCMP_SYS(readlinkat)})
        rule(SCMP_ACT_ERRNO(EACCES), call);
    rule(SCMP_ACT_ERRNO(ENOTTY), SCMP_SYS(ioctl));
#ifdef CRYPTWRIGHT_SANITIZED_ADDRESSES
    // The address sanitizer tells whether memory can be read by writing it into a pipe.
    allow(SCMP_SYS(pipe2));
#endif
    if (failed)
        return QStringLiteral("the system call filter could not be made");
    // Every thread of the process, those made before this one included.
    if (seccomp_attr_set(filter.get(), SCMP_FLTATR_CTL_TSYNC, 1) != 0)
        return QStringLiteral("the system call filter cannot reach every thread");
    if (const int error = seccomp_load(filter.get()); error != 0)
        return QStringLiteral("the system call filter could not be installed (%1)")
            .arg(QString::fromLocal8Bit(std::strerror(-error)));
    return {};
}

} // namespace

int Sandbox::landlockVersion()
{
    const long version = syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    return version > 0 ? int(version) : 0;
}

bool Sandbox::enter(QString *error)
{
    // Needed by both confinements; nothing started from here could gain rights.
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        *error = QStringLiteral("the process cannot give up gaining rights");
        return false;
    }
    if (const int version = landlockVersion(); version > 0) {
        *error = restrictFileSystem(version);
        if (!error->isEmpty())
            return false;
    }
#ifndef CRYPTWRIGHT_SANITIZED_ADDRESSES
    // The address sanitizer reserves terabytes for its own books.
    const rlimit limit{rlim_t(AddressSpaceBytes), rlim_t(AddressSpaceBytes)};
    if (setrlimit(RLIMIT_AS, &limit) != 0) {
        *error = QStringLiteral("the address space cannot be limited");
        return false;
    }
#endif
    *error = installFilter();
    return error->isEmpty();
}
