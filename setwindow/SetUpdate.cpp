#include "setwindow/SetUpdate.h"

#include <algorithm>

SetUpdate::SetUpdate(const QString &program, const QStringList &documents, const QString &tileset, QObject *parent)
    : SetRun(program, documents, parent)
    , m_tileset(tileset)
{
    for (const QString &document : documents)
        m_before.insert(document, FileIdentity::of(document));
}

QStringList SetUpdate::arguments(const QStringList &documents) const
{
    return QStringList{QStringLiteral("--update"), m_tileset} + documents;
}

void SetUpdate::told(const QStringList &documents, const QStringList &lines)
{
    ++m_runs;
    for (const QString &document : documents) {
        const FileIdentity now = FileIdentity::of(document);
        m_updated += now.isValid() && !(now == m_before.value(document)) ? 1 : 0;
    }
    // The command line tells one line for each document, in order, then one for each tileset it found unused.
    m_documentLines << lines.mid(0, documents.size());
    for (const QString &line : lines.mid(documents.size())) {
        const auto known = std::find_if(m_afterwords.begin(), m_afterwords.end(),
                                        [&line](const auto &said) { return said.first == line; });
        if (known != m_afterwords.end())
            ++known->second;
        else
            m_afterwords.emplace_back(line, 1);
    }
}

bool SetUpdate::endedEarly(int, const QStringList &documents, const QStringList &told, const QStringList &) const
{
    // A run that finished told of every document; it fails with status 1 when one was left alone.
    return told.size() < documents.size();
}

QString SetUpdate::stoppedLine(const QStringList &names) const
{
    return tr("The update of %1 stopped before it was done; each of them is as it was or updated whole.")
        .arg(names.join(QStringLiteral(", ")));
}

QStringList SetUpdate::report() const
{
    QStringList lines = m_documentLines + m_failures;
    for (const auto &[line, runs] : m_afterwords)
        if (runs == m_runs)
            lines << line;
    return lines;
}
