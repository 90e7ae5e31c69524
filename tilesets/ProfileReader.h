#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// Reads an INI-style profile the way the Windows profile reader does, which
// is what tileset metadata files were written for: section and key names
// match regardless of letter case, the first matching section and key win,
// blanks around names and values are dropped, a value wrapped in a pair of
// matching quotes loses them, and at most 254 characters of a value count.
// Values are plain text: no lists, no escapes.
class ProfileReader
{
public:
    static constexpr int MaxValueLength = 254;
    // Larger files are read only this far; a metadata file is a few hundred bytes.
    static constexpr qint64 MaxFileSize = 1 << 20;

    ProfileReader() = default;
    static ProfileReader fromFile(const QString &path);
    static ProfileReader fromBytes(const QByteArray &bytes);
    // A profile file's bytes as text, decoded the way the reader decodes them.
    static QString textOf(const QByteArray &bytes);

    // The value of key in section, or the empty text when either is missing.
    QString value(const QString &section, const QString &key) const;
    bool isEmpty() const { return m_sections.isEmpty(); }

private:
    QHash<QString, QHash<QString, QString>> m_sections; // names in lower case
};
