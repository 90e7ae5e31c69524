#include "tilesets/ProfileReader.h"

#include <QFile>
#include <QStringDecoder>

namespace {

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
    // Files written on Windows are usually in a single-byte code page.
    return QString::fromLatin1(bytes);
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
