#include "cli/Renamer.h"

#include "files/FileReplacer.h"
#include "renamerprocess/RenameRequests.h"
#include "files/ReplacementFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char **environ;

namespace {

bool writeWhole(int handle, const char *data, size_t count)
{
    while (count > 0) {
        const ssize_t n = ::write(handle, data, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        count -= size_t(n);
    }
    return true;
}

bool readWhole(int handle, char *to, size_t count)
{
    while (count > 0) {
        const ssize_t n = ::read(handle, to, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        to += n;
        count -= size_t(n);
    }
    return true;
}

void appendNumber(QByteArray &bytes, quint32 number)
{
    bytes.append(reinterpret_cast<const char *>(&number), sizeof number);
}

} // namespace

Renamer::~Renamer()
{
    for (const int handle : {m_requests, m_answers})
        if (handle >= 0)
            ::close(handle);
}

QString Renamer::program()
{
    const QDir folder(QCoreApplication::applicationDirPath());
    const QString installed =
        QDir::cleanPath(folder.filePath(QStringLiteral(CRYPTWRIGHT_HELPERS_FROM_BIN "/cryptwright-renamer")));
    return QFileInfo(installed).isExecutable() ? installed : folder.filePath(QStringLiteral("cryptwright-renamer"));
}

bool Renamer::start(const std::vector<const ReplacementFile *> &files, QString *error)
{
    // A renaming process that has gone fails the request, rather than ending this process.
    std::signal(SIGPIPE, SIG_IGN);
    int requests[2], answers[2];
    if (::pipe2(requests, O_CLOEXEC) != 0)
        requests[0] = requests[1] = -1;
    if (::pipe2(answers, O_CLOEXEC) != 0)
        answers[0] = answers[1] = -1;
    const QByteArray path = QFile::encodeName(program());
    int failure = requests[0] < 0 || answers[0] < 0 ? errno : 0;
    if (failure == 0) {
        // Its standard input and output are the two pipes, and nothing else of this process is open in it.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, requests[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, answers[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
        char *arguments[] = {const_cast<char *>(path.constData()), nullptr};
        pid_t child = 0;
        failure = posix_spawn(&child, path.constData(), &actions, nullptr, arguments, environ);
        posix_spawn_file_actions_destroy(&actions);
    }
    for (const int handle : {requests[0], answers[1]})
        if (handle >= 0)
            ::close(handle);
    m_requests = requests[1];
    m_answers = answers[0];
    if (failure != 0) {
        *error = tr("The renaming process \"%1\" cannot be started (%2).")
                     .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(std::strerror(failure)));
        return false;
    }

    QByteArray list;
    appendNumber(list, quint32(files.size()));
    for (const ReplacementFile *file : files) {
        for (const QByteArray &name : {file->newName(), file->finalName()}) {
            appendNumber(list, quint32(name.size()));
            list += name;
        }
        m_paths << file->path();
    }
    m_waiting.assign(files.size(), true);
    if (!writeWhole(m_requests, list.constData(), size_t(list.size()))) {
        *error = tr("The renaming process \"%1\" ended at once.").arg(QString::fromLocal8Bit(path));
        return false;
    }
    return true;
}

bool Renamer::send(char request, int i)
{
    char bytes[5] = {request};
    const quint32 number = quint32(i);
    std::memcpy(bytes + 1, &number, sizeof number);
    return writeWhole(m_requests, bytes, sizeof bytes);
}

QString Renamer::commit(int i)
{
    const std::lock_guard lock(m_mutex);
    if (!m_waiting.at(size_t(i)))
        return FileReplacer::describe(m_paths.value(i), tr("its writing was given up"));
    qint32 failure = 0;
    if (!send(RenameRequests::Commit, i) || !readWhole(m_answers, reinterpret_cast<char *>(&failure), sizeof failure))
        return FileReplacer::describe(m_paths.value(i), tr("the renaming process has ended"));
    m_waiting[size_t(i)] = failure != 0;
    return failure == 0 ? QString() : FileReplacer::describe(m_paths.value(i), qt_error_string(failure));
}

void Renamer::discard(int i)
{
    const std::lock_guard lock(m_mutex);
    if (m_waiting.at(size_t(i)))
        send(RenameRequests::Discard, i);
    m_waiting[size_t(i)] = false;
}

void Renamer::end()
{
    const std::lock_guard lock(m_mutex);
    qint32 done = 0;
    if (send(RenameRequests::End, 0))
        readWhole(m_answers, reinterpret_cast<char *>(&done), sizeof done);
}
