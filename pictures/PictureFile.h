#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QFile;

// What a picture file must be before its bytes are read: a regular file that
// can be opened, neither empty nor larger than any picture the program reads.
// The decoders never see a path; they are handed the bytes and the file's name.
class PictureFile
{
    Q_DECLARE_TR_FUNCTIONS(PictureFile)

public:
    // Larger files are refused before they are read into memory.
    static constexpr qint64 MaxBytes = 256 * 1024 * 1024;

    // Opens file for reading; why it cannot be read as a picture, or empty.
    static QString open(QFile &file);
    // The bytes of the file at path, or empty with error set to a sentence
    // naming the file and the reason.
    static QByteArray read(const QString &path, QString *error);
    // The sentence for a file that cannot be opened: its name and the reason.
    static QString failure(const QString &path, const QString &reason);
};
