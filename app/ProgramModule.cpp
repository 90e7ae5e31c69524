#include "app/ProgramModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

namespace {

// The folder of the running executable, from the kernel rather than argv[0],
// which a shell or a file manager may give as anything.
std::string executableFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string executable(path, size_t(length));
    return executable.substr(0, executable.rfind('/'));
}

} // namespace

ProgramModule::ProgramModule(const char *name)
{
    const std::string file = executableFolder() + "/" CRYPTWRIGHT_MODULES_FROM_BIN "/" + name + ".so";
    m_handle = dlopen(file.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!m_handle)
        m_error = QString::fromLocal8Bit(dlerror());
}

void *ProgramModule::address(const char *function) const
{
    if (!m_handle)
        return nullptr;
    void *const found = dlsym(m_handle, function);
    if (!found)
        m_error = QString::fromLocal8Bit(dlerror());
    return found;
}
