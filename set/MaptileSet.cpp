#include "set/MaptileSet.h"

#include "document/DocumentWriter.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <numeric>

namespace {

// "2" before "10" and "07" with "7", as numbers on badges are counted; letters
// without regard to case. (QCollator's numeric mode needs ICU, which not every
// system's Qt has.)
int naturalCompare(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype startA = i, startB = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            QStringView digitsA = QStringView(a).mid(startA, i - startA), digitsB = QStringView(b).mid(startB, j - startB);
            while (digitsA.size() > 1 && digitsA.front() == u'0')
                digitsA = digitsA.mid(1);
            while (digitsB.size() > 1 && digitsB.front() == u'0')
                digitsB = digitsB.mid(1);
            if (digitsA.size() != digitsB.size())
                return digitsA.size() < digitsB.size() ? -1 : 1;
            if (const int byDigits = digitsA.compare(digitsB); byDigits != 0)
                return byDigits;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b);
}

QString numberOf(const MaptileSet::Entry &entry)
{
    return entry.state == MaptileSet::State::Read ? entry.mapNum.trimmed() : QString();
}

} // namespace

QString MaptileSet::Entry::fileName() const
{
    return QFileInfo(path).fileName();
}

QStringList MaptileSet::documentsIn(const QString &folder)
{
    QStringList documents;
    const QFileInfoList found = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::Readable, QDir::Name);
    for (const QFileInfo &file : found)
        if (DocumentWriter::isDocumentPath(file.fileName()))
            documents << file.filePath();
    std::sort(documents.begin(), documents.end(),
              [](const QString &a, const QString &b) { return naturalCompare(a, b) < 0; });
    return documents;
}

QStringList MaptileSet::expand(const QStringList &paths)
{
    QStringList expanded;
    for (const QString &path : paths)
        expanded << (QFileInfo(path).isDir() ? documentsIn(path) : QStringList{path});
    return expanded;
}

MaptileSet::Entry MaptileSet::entryOf(const QString &path, const MaptileDocument &document)
{
    Entry entry{path};
    if (document.maptile.master().isNull())
        return brokenEntry(path, tr("\"%1\" could not be read.").arg(QFileInfo(path).fileName()));
    if (!document.editable) {
        entry.state = State::Foreign;
        entry.reason = tr("\"%1\" was made by another program: it holds a picture, but no maptile number or "
                          "designer.")
                           .arg(QFileInfo(path).fileName());
        return entry;
    }
    entry.state = State::Read;
    entry.mapNum = document.mapNum;
    entry.designer = document.designer;
    entry.size = QSize(document.maptile.columns(), document.maptile.rows());
    for (const TilesetCopy &copy : document.records.copies())
        if (!entry.setNames.contains(copy.identity()))
            entry.setNames << copy.identity();
    entry.uses = SubtileUses::of(document.records);
    return entry;
}

MaptileSet::Entry MaptileSet::brokenEntry(const QString &path, const QString &reason)
{
    Entry entry{path};
    entry.state = State::Broken;
    entry.reason = reason;
    return entry;
}

bool MaptileSet::before(const Entry &a, const Entry &b)
{
    const QString na = numberOf(a), nb = numberOf(b);
    if (na.isEmpty() != nb.isEmpty())
        return nb.isEmpty();
    if (const int byNumber = naturalCompare(na, nb); byNumber != 0)
        return byNumber < 0;
    return naturalCompare(a.fileName(), b.fileName()) < 0;
}

qsizetype MaptileSet::indexOf(const QString &path) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].path == path)
            return i;
    return -1;
}

qsizetype MaptileSet::add(const QString &path)
{
    qsizetype i = indexOf(path);
    if (i < 0) {
        m_entries.append(Entry{path});
        i = m_entries.size() - 1;
    } else {
        m_entries[i] = Entry{path};
    }
    recount();
    return i;
}

void MaptileSet::set(qsizetype i, const Entry &entry)
{
    m_entries[i] = entry;
    recount();
}

void MaptileSet::remove(qsizetype i)
{
    m_entries.removeAt(i);
    recount();
}

QList<qsizetype> MaptileSet::order() const
{
    QList<qsizetype> rows(m_entries.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(),
                     [this](qsizetype a, qsizetype b) { return before(m_entries[a], m_entries[b]); });
    return rows;
}

void MaptileSet::recount()
{
    m_numberCounts.clear();
    for (const Entry &entry : m_entries)
        if (const QString number = numberOf(entry); !number.isEmpty())
            ++m_numberCounts[number];
}

unsigned MaptileSet::marks(qsizetype i) const
{
    const Entry &entry = m_entries.at(i);
    if (entry.state != State::Read)
        return NoMark;
    const QString number = numberOf(entry);
    if (number.isEmpty())
        return NoNumber;
    return m_numberCounts.value(number) > 1 ? SharesNumber : NoMark;
}

QList<std::pair<QString, int>> MaptileSet::sharedNumbers() const
{
    QList<std::pair<QString, int>> shared;
    for (auto it = m_numberCounts.cbegin(); it != m_numberCounts.cend(); ++it)
        if (it.value() > 1)
            shared.append({it.key(), it.value()});
    std::sort(shared.begin(), shared.end(),
              [](const auto &a, const auto &b) { return naturalCompare(a.first, b.first) < 0; });
    return shared;
}

int MaptileSet::count(State state) const
{
    return int(std::count_if(m_entries.cbegin(), m_entries.cend(), [state](const Entry &e) { return e.state == state; }));
}

int MaptileSet::withoutNumber() const
{
    int missing = 0;
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        missing += (marks(i) & NoNumber) ? 1 : 0;
    return missing;
}

QString MaptileSet::statusLine() const
{
    if (m_entries.isEmpty())
        return tr("No maptile documents in this folder");
    const int read = count(State::Read);
    QStringList parts{read == 1 ? tr("1 maptile") : tr("%1 maptiles").arg(read)};
    for (const auto &[number, sharing] : sharedNumbers())
        parts << tr("%1 share number %2").arg(sharing).arg(number);
    if (const int missing = withoutNumber(); missing > 0)
        parts << (missing == 1 ? tr("1 has no number") : tr("%1 have no number").arg(missing));
    if (const int unread = count(State::Broken) + count(State::Foreign); unread > 0)
        parts << (unread == 1 ? tr("1 is no maptile of this program") : tr("%1 are no maptiles of this program").arg(unread));
    if (const int reading = count(State::Reading); reading > 0)
        parts << tr("%1 still being read").arg(reading);
    return parts.join(tr(", "));
}

QString MaptileSet::sizeText(QSize size)
{
    return tr("%1 \u00d7 %2").arg(size.width()).arg(size.height());
}

QString MaptileSet::accessibleText(qsizetype i) const
{
    const Entry &entry = m_entries.at(i);
    QStringList parts{entry.fileName()};
    switch (entry.state) {
    case State::Reading:
        parts << tr("being read");
        break;
    case State::Foreign:
    case State::Broken:
        parts << entry.reason;
        break;
    case State::Read: {
        const unsigned mark = marks(i);
        if (!(mark & NoNumber))
            parts << tr("number %1").arg(numberOf(entry));
        parts << sizeText(entry.size);
        if (mark & SharesNumber)
            parts << tr("shares its number");
        if (mark & NoNumber)
            parts << tr("has no number");
        break;
    }
    }
    return parts.join(tr(", "));
}
