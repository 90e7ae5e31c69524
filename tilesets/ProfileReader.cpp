#include "tilesets/ProfileReader.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// Files written on Windows are usually in its Western code page: Latin-1 with
// typographic marks in 0x80-0x9F. The five bytes it leaves undefined keep
// their Latin-1 meaning, as Windows itself reads them.
QString fromWindows1252(const QByteArray &bytes)
{
    static constexpr char16_t High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = uchar(c);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

QString decode(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // Notepad's "Unicode" files, which the Windows reader also understands.
    const auto encoding = QStringConverter::encodingForData(bytes);
    if (encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder unicode(*encoding, QStringConverter::Flag::Default);
        return unicode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

QString unquote(QString value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

ProfileReader ProfileReader::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromBytes(file.read(MaxFileSize));
}

ProfileReader ProfileReader::fromBytes(const QByteArray &bytes)
{
    ProfileReader reader;
    const QString text = decode(bytes);
    QHash<QString, QString> *current = nullptr;
    bool currentIsDuplicate = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed(); // also drops the CR of CRLF endings
        if (line.isEmpty())
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            const QString name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toString().toLower();
            currentIsDuplicate = reader.m_sections.contains(name);
            current = &reader.m_sections[name];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || currentIsDuplicate || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toString().toLower();
        if (key.isEmpty() || current->contains(key))
            continue;
        current->insert(key, unquote(line.mid(eq + 1).trimmed().toString()).left(MaxValueLength));
    }
    return reader;
}

QString ProfileReader::textOf(const QByteArray &bytes)
{
    return decode(bytes);
}

QString ProfileReader::value(const QString &section, const QString &key) const
{
    const auto s = m_sections.constFind(section.trimmed().toLower());
    if (s == m_sections.constEnd())
        return {};
    return s->value(key.trimmed().toLower());
}
