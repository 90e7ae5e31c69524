#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>

// A new file beside the one it is to replace, made while the process may
// still make files and filled later through its open handle, so that a
// process can confine itself in between. It takes the old file's name only
// when a process that may still rename gives it, once it is whole and on the
// disk; until then the old file is untouched. The checks and messages are
// FileReplacer's, and so is the file replaced: a link's target.
class ReplacementFile
{
public:
    // The new file for path; null with error set as FileReplacer::describe() words it.
    static std::unique_ptr<ReplacementFile> create(const QString &path, QString *error);
    // Closes the handle; the new file stays for the renaming process to take or remove.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;

    // The name as given, for messages.
    const QString &path() const { return m_path; }
    // The new file and the file it replaces, as the system names them.
    const QByteArray &newName() const { return m_newName; }
    const QByteArray &finalName() const { return m_finalName; }

    // Fills the file through fill, insisting that each write arrives whole,
    // and puts it on the disk. Returns the empty text, or
    // FileReplacer::describe(path, reason) when fill or the system failed.
    QString write(const std::function<QString(QIODevice &)> &fill);

private:
    ReplacementFile() = default;

    QString m_path;
    QByteArray m_newName;
    QByteArray m_finalName;
    QFile m_file;
};
