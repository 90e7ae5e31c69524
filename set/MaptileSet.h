#pragma once

#include "document/MaptileDocument.h"
#include "set/SubtileUses.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// The maptile documents of one folder, seen together as a set: each as it was
// read, or why it could not be, ordered by maptile number and then by name,
// with the numbers that two documents share or a document lacks marked. No
// widget: the set window and the command line's listing both tell it.
class MaptileSet
{
    Q_DECLARE_TR_FUNCTIONS(MaptileSet)

public:
    enum class State { Reading, Read, Foreign, Broken };
    enum Mark : unsigned { NoMark = 0, SharesNumber = 1, NoNumber = 2 };

    struct Entry
    {
        Entry() = default;
        // A document being read.
        explicit Entry(const QString &documentPath)
            : path(documentPath)
        {
        }

        QString path;
        State state = State::Reading;
        QString mapNum;
        QString designer;
        QSize size; // in spaces
        QStringList setNames; // of the tilesets its kept placements came from
        SubtileUses uses; // which cells of which tilesets its kept placements took
        QString reason; // why a foreign or broken file is no maptile of the set

        QString fileName() const;
    };

    // The documents directly in folder, not in folders below it, by name.
    static QStringList documentsIn(const QString &folder);
    // The paths with every folder among them standing for documentsIn() it.
    static QStringList expand(const QStringList &paths);
    // What the reading of the document at path gave; a document from another program is foreign.
    static Entry entryOf(const QString &path, const MaptileDocument &document);
    static Entry brokenEntry(const QString &path, const QString &reason);
    // Whether a goes before b: numbered maptiles by number, as people count,
    // then everything else; ties by file name.
    static bool before(const Entry &a, const Entry &b);

    qsizetype size() const { return m_entries.size(); }
    const Entry &at(qsizetype i) const { return m_entries.at(i); }
    // The entry's row, or -1.
    qsizetype indexOf(const QString &path) const;
    // A document being read, at the end; or its row when it is listed already, then read again.
    qsizetype add(const QString &path);
    void set(qsizetype i, const Entry &entry);
    void remove(qsizetype i);
    // The rows in the set's order.
    QList<qsizetype> order() const;

    unsigned marks(qsizetype i) const;
    // The numbers two maptiles or more share, in order, each with how many share it.
    QList<std::pair<QString, int>> sharedNumbers() const;
    int count(State state) const;
    int withoutNumber() const;
    // "40 maptiles, 2 share number 07, 1 has no number", and what cannot be read or still is.
    QString statusLine() const;
    // The entry as a screen reader reads it: "crypt07.ora, number 07, 4 × 5, shares its number".
    QString accessibleText(qsizetype i) const;
    // "4 × 5".
    static QString sizeText(QSize size);

private:
    void recount();

    QList<Entry> m_entries;
    QHash<QString, int> m_numberCounts; // of read maptiles
};
