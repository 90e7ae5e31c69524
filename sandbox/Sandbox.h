#pragma once

#include <QString>

// Confines the calling process for good, once it has everything it needs in
// memory: no file may be opened (Landlock where the kernel has it, and a
// seccomp filter in any case), no socket made, no program started, no process
// made and no memory made executable. What stays allowed is reading,
// writing and syncing the descriptors already open, taking and giving back
// memory, and running threads of its own. Landlock binds the calling thread
// and those it starts later, the filter every thread: enter before starting any.
// A system call outside the list ends the process. The address space is
// limited as well, so that a decoder that believes a lying header fails its
// allocation instead of taking the machine's memory.
class Sandbox
{
public:
    // Largest address space the process may have once confined.
    static constexpr qint64 AddressSpaceBytes = qint64(4) << 30;

    // False with error set when the filter could not be installed; the caller
    // must then not read anything. Landlock missing from the kernel is no error.
    static bool enter(QString *error);
    // The Landlock version the kernel offers, 0 when it has none.
    static int landlockVersion();
};
