#pragma once

#include "files/FileIdentity.h"
#include "setwindow/SetRun.h"

#include <QHash>
#include <vector>

// Every document of a set laid again from a fixed tileset by the command
// line's --update, each saved in place. Cancelled, every document is either
// updated whole or as it was. The report has the line the command line wrote
// for each document, its failures, and the tileset's line when no run found
// it used.
class SetUpdate : public SetRun
{
    Q_OBJECT

public:
    SetUpdate(const QString &program, const QStringList &documents, const QString &tileset, QObject *parent = nullptr);

    const QString &tileset() const { return m_tileset; }
    // The documents the runs so far wrote anew.
    int updated() const { return m_updated; }

protected:
    QStringList arguments(const QStringList &documents) const override;
    void told(const QStringList &documents, const QStringList &lines) override;
    bool endedEarly(int exitCode, const QStringList &documents, const QStringList &told,
                    const QStringList &failures) const override;
    QString stoppedLine(const QStringList &names) const override;
    QStringList report() const override;

private:
    QString m_tileset;
    // Which file each document was before: one written anew is another file under the same name.
    QHash<QString, FileIdentity> m_before;
    int m_updated = 0;
    QStringList m_documentLines;
    // Lines after the documents' own, each with the runs that said it: a tileset
    // that matched nothing in one run's documents may still have matched in another's.
    std::vector<std::pair<QString, int>> m_afterwords;
    int m_runs = 0;
};
