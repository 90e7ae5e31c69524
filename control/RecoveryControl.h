#pragma once

#include "readerclient/PictureReader.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class PictureLoad;
class ReaderLoads;
class RecoveredWork;
class RecoveryWriter;
class UserQuestions;
class Workspace;

// The editor's unsaved work kept in a recovery session while it runs, and
// work left by an editor that did not close offered back: each restored,
// discarded or kept for the next start as the user answers.
//
// Everything kept is as untrusted as any file the user opens: it is read in
// the reading process, with its time limit and Cancel, and becomes the
// workspace's only once all of it has arrived. The file the work names as its
// document, and each tileset's own file, is kept as the save target only when
// it reads as a document of this program or as a picture.
class RecoveryControl : public QObject
{
    Q_OBJECT

public:
    RecoveryControl(Workspace &workspace, UserQuestions &questions, ReaderLoads &loads, QObject *parent = nullptr);
    ~RecoveryControl() override;

    // Unsaved work is kept in a session of folder from now on. Returns whether
    // work left by an editor that did not close waits there to be offered, or
    // there is something to say of what could not be read.
    bool keep(const QString &folder);
    // Says once what keep() could not read, then offers the work it found,
    // newest first, until one is restored: one maptile at a time, work older
    // than the one restored waits for the next start. Work that cannot be read
    // or whose reading is cancelled stays kept, and the next is offered. then
    // runs once the offers are over.
    void offer(const std::function<void()> &then = {});
    // A clean end: nothing is left to be offered at the next start, and what
    // was being read for a restore is given up, its work kept.
    void end();

    // What the offer of work says it holds and when it was kept.
    static QString describe(const RecoveredWork &work);

private:
    // A file read in the reading process: a needed one ends the restore when it
    // cannot be read; any other is taken as a null picture then.
    struct Read
    {
        QString path;
        PictureReader::Kind kind;
        bool needed;
        std::function<void(const ReaderResult &)> take;
    };

    // Offers the first work found, once its document is known, or ends the offers.
    void offerNext();
    void ask();
    // Reads what the first work found keeps, and restores it once all is there.
    void startRestore();
    void restore();
    // The first work found could not be restored: said, and the next offered.
    void giveUp(const QString &reason);
    // Reads the next of m_reads, or runs m_afterReads when none is left.
    void readNext();

    Workspace &m_workspace;
    UserQuestions &m_questions;
    ReaderLoads &m_loads;
    std::unique_ptr<RecoveryWriter> m_writer;
    std::vector<std::unique_ptr<RecoveredWork>> m_found;
    QString m_notice;
    std::function<void()> m_then;
    std::deque<Read> m_reads;
    std::function<void()> m_afterReads;
    QPointer<PictureLoad> m_load;
    // What the restore under way has read so far.
    MaptileDocument m_maptile;
    QList<QImage> m_tilesets;
    int m_historyBefore = 0;
};
