#include "tilesets/TileDataWriter.h"

#include "tilesets/ProfileReader.h"
#include "tilesets/TileData.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using Geometry::TilesetColumns;
using Geometry::TilesetRows;

namespace {

// The section a line opens, in lower case, or the null text for any other line;
// read as the profile reader reads it.
QString sectionOf(QStringView line)
{
    line = line.trimmed();
    if (line.isEmpty() || line.front() != u'[')
        return {};
    const qsizetype close = line.indexOf(u']');
    const QString name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toString().toLower();
    return name.isNull() ? QStringLiteral("") : name;
}

QString keyOf(QStringView line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq).trimmed().toString().toLower();
}

// A value as one line that reads back unchanged: the reader drops surrounding
// blanks and one pair of matching quotes, so a quoted value gets a second pair.
QString lineValue(QString value)
{
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.front() + value + value.front();
    return value;
}

// The keys and values to write, in file order; an empty value means no key.
QList<std::pair<QString, QString>> entriesOf(const TileData &data)
{
    QList<std::pair<QString, QString>> entries{{TileData::SetNameKey, data.setName},
                                               {TileData::CreatorKey, data.creator}};
    for (int column = 0; column < TilesetColumns; ++column) {
        for (int row = 0; row < TilesetRows; ++row)
            entries.append({TileData::key(column, row), data.speedValue(column, row)});
    }
    for (auto &[key, value] : entries)
        value = lineValue(value);
    return entries;
}

} // namespace

QByteArray TileDataWriter::merge(const QByteArray &existing, const TileData &data)
{
    const QString text = ProfileReader::textOf(existing);
    // Files keep their own line ends; new ones get the Windows ones.
    const QString newline =
        text.contains(u'\n') && !text.contains(QStringLiteral("\r\n")) ? QStringLiteral("\n") : QStringLiteral("\r\n");
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (lines.back().isEmpty())
        lines.removeLast();

    const QString section = TileData::Section.toLower();
    const qsizetype header = std::find_if(lines.cbegin(), lines.cend(),
                                          [&section](const QString &line) { return sectionOf(line) == section; })
        - lines.cbegin();
    const bool found = header < lines.size();
    if (!found) {
        if (!lines.isEmpty() && !lines.back().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + TileData::Section + QLatin1Char(']');
    }
    const qsizetype begin = found ? header + 1 : lines.size();
    qsizetype end = begin;
    while (end < lines.size() && sectionOf(lines[end]).isNull())
        ++end;

    // Within the section the first line of each key of ours takes its new value;
    // later ones, which the reader never sees, and those of emptied keys go.
    QList<std::pair<QString, QString>> pending = entriesOf(data);
    QStringList ours;
    for (const auto &entry : pending)
        ours << entry.first.toLower();
    qsizetype lastEntry = begin;
    for (qsizetype i = begin; i < end;) {
        const QString key = keyOf(lines[i]);
        if (ours.contains(key)) {
            const auto entry = std::find_if(pending.begin(), pending.end(),
                                            [&key](const auto &e) { return e.first.toLower() == key; });
            if (entry == pending.end() || entry->second.isEmpty()) {
                if (entry != pending.end())
                    pending.erase(entry);
                lines.removeAt(i);
                --end;
                continue;
            }
            lines[i] = entry->first + QLatin1Char('=') + entry->second;
            pending.erase(entry);
        }
        if (!lines[i].trimmed().isEmpty())
            lastEntry = i + 1;
        ++i;
    }
    QStringList added;
    for (const auto &[key, value] : pending) {
        if (!value.isEmpty())
            added << key + QLatin1Char('=') + value;
    }
    for (qsizetype i = 0; i < added.size(); ++i)
        lines.insert(lastEntry + i, added[i]);

    const QString result = lines.join(newline) + newline;
    const bool ascii = std::all_of(result.cbegin(), result.cend(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? result.toLatin1() : result.toUtf8();
}

QByteArray TileDataWriter::prepare(const QString &path, const TileData &data, QString *error)
{
    const QFileInfo info(path);
    QByteArray existing;
    if (info.exists()) {
        // An unreadable file would lose what else it holds.
        QFile file(path);
        if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
            *error = tr("The tileset information file %1 cannot be read, so the tileset was not saved.")
                         .arg(QDir::toNativeSeparators(path));
            return {};
        }
        if (file.size() > ProfileReader::MaxFileSize) {
            *error = tr("The tileset information file %1 is too large to be a tileset's, so the tileset was not "
                        "saved.")
                         .arg(QDir::toNativeSeparators(path));
            return {};
        }
        existing = file.readAll();
    }
    return merge(existing, data);
}
