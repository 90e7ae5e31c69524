#include "files/ReplacementFile.h"

#include "files/FileReplacer.h"
#include "files/WholeWriteDevice.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<ReplacementFile> ReplacementFile::create(const QString &path, QString *error)
{
    *error = FileReplacer::refusal(path);
    if (!error->isEmpty())
        return nullptr;
    std::unique_ptr<ReplacementFile> file(new ReplacementFile);
    file->m_path = path;
    const QFileInfo info(path);
    // Through links, to the file they lead to; a link that leads nowhere yet makes its target.
    const QString target = info.exists() ? info.canonicalFilePath()
        : info.isSymLink()               ? info.symLinkTarget()
                                         : info.absoluteFilePath();
    file->m_finalName = QFile::encodeName(target);

    // A file that exists keeps its permissions; until they are set, no one else may read the new one.
    struct stat old;
    const bool replaces = ::stat(file->m_finalName.constData(), &old) == 0;
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    int handle = -1;
    for (int attempt = 0; attempt < 100 && handle < 0; ++attempt) {
        QByteArray name = file->m_finalName + '.';
        for (int i = 0; i < 6; ++i)
            name += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)];
        handle = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaces ? 0600 : 0666);
        if (handle >= 0)
            file->m_newName = name;
        else if (errno != EEXIST)
            break;
    }
    if (handle < 0) {
        *error = FileReplacer::describe(path, qt_error_string(errno));
        return nullptr;
    }
    if (replaces)
        ::fchmod(handle, old.st_mode & 07777);
    // Unbuffered, so that a full disk is noticed by the write that meets it.
    if (!file->m_file.open(handle, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        ::unlink(file->m_newName.constData());
        *error = FileReplacer::describe(path, file->m_file.errorString());
        return nullptr;
    }
    return file;
}

ReplacementFile::~ReplacementFile() = default;

QString ReplacementFile::write(const std::function<QString(QIODevice &)> &fill)
{
    WholeWriteDevice whole(m_file);
    QString reason = fill(whole);
    if (!whole.failure().isEmpty())
        reason = whole.failure();
    if (reason.isEmpty())
        reason = FileReplacer::syncToDisk(m_file.handle());
    return reason.isEmpty() ? QString() : FileReplacer::describe(m_path, reason);
}
