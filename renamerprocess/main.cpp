// The renaming process: gives the finished outputs of a command-line export
// their names. The command line confines itself before it reads any document
// and can then rename nothing; it starts this process first and tells it
// which new files it made and which files they are to replace. From then on
// it can only ask for one of those new files to take its name or to be
// removed, so a document that takes over its decoder can touch no other file.
// No Qt: it starts in a millisecond, beside an export of a few dozen.
#include "renamerprocess/RenameRequests.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

bool readWhole(void *to, size_t count)
{
    auto *at = static_cast<char *>(to);
    while (count > 0) {
        const ssize_t n = ::read(STDIN_FILENO, at, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        count -= size_t(n);
    }
    return true;
}

void answer(std::int32_t error)
{
    const auto *at = reinterpret_cast<const char *>(&error);
    for (size_t left = sizeof error; left > 0;) {
        const ssize_t n = ::write(STDOUT_FILENO, at, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        at += n;
        left -= size_t(n);
    }
}

bool readName(std::string &name)
{
    std::uint32_t length = 0;
    if (!readWhole(&length, sizeof length) || length == 0 || length > RenameRequests::MaxNameBytes)
        return false;
    name.resize(length);
    return readWhole(name.data(), length) && name.find('\0') == std::string::npos;
}

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

struct File
{
    std::string newName;
    std::string finalName;
    bool waiting = true; // neither named nor removed yet
    bool named = false;
};

} // namespace

int main()
{
    // A command line that has gone cannot be answered; what is left to do is still done.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<File> files;
    std::uint32_t count = 0;
    bool sound = readWhole(&count, sizeof count) && count <= RenameRequests::MaxFiles;
    for (std::uint32_t i = 0; sound && i < count; ++i) {
        File file;
        sound = readName(file.newName) && readName(file.finalName);
        if (sound)
            files.push_back(std::move(file));
    }

    bool ended = false;
    while (sound && !ended) {
        char request = 0;
        std::uint32_t index = 0;
        if (!readWhole(&request, 1) || !readWhole(&index, sizeof index))
            break;
        ended = request == RenameRequests::End;
        if (ended)
            break;
        if (index >= files.size() || !files[index].waiting)
            break;
        File &file = files[index];
        if (request == RenameRequests::Commit) {
            const bool renamed = ::rename(file.newName.c_str(), file.finalName.c_str()) == 0;
            answer(renamed ? 0 : errno);
            file.waiting = !renamed;
            file.named = renamed;
        } else if (request == RenameRequests::Discard) {
            ::unlink(file.newName.c_str());
            file.waiting = false;
        } else {
            break;
        }
    }

    std::set<std::string> folders;
    for (const File &file : files) {
        if (file.waiting)
            ::unlink(file.newName.c_str());
        if (file.named)
            folders.insert(folderOf(file.finalName));
    }
    // The new names kept, as far as the file system allows.
    for (const std::string &folder : folders) {
        const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (handle >= 0) {
            ::fsync(handle);
            ::close(handle);
        }
    }
    if (ended)
        answer(0);
    return 0;
}
