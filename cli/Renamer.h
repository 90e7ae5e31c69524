#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <mutex>
#include <vector>

class ReplacementFile;

// The renaming process of one export (cryptwright-renamer), which gives the
// new files a confined command line has written the names they are to take.
// It is started, and told the files, while this process may still start
// programs; afterwards each file can only be given its name or removed. The
// requests may come from any thread.
class Renamer
{
    Q_DECLARE_TR_FUNCTIONS(Renamer)

public:
    Renamer() = default;
    ~Renamer();
    Renamer(const Renamer &) = delete;
    Renamer &operator=(const Renamer &) = delete;

    // Starts the renaming process for the files, numbered in their order;
    // false with error set to a sentence when it cannot be started.
    bool start(const std::vector<const ReplacementFile *> &files, QString *error);
    // Gives file number i its name: the empty text, or a sentence naming it and the reason.
    QString commit(int i);
    // Removes file number i; it can no longer be given its name.
    void discard(int i);
    // Removes every file not given its name and puts the names given on the
    // disk; returns when that is done. Nothing may be asked afterwards.
    void end();

    // The program installed with the editor: beside it in the build tree, in
    // its own folder once installed.
    static QString program();

private:
    bool send(char request, int i);

    std::mutex m_mutex;
    QStringList m_paths;
    std::vector<bool> m_waiting; // neither named nor removed
    int m_requests = -1;
    int m_answers = -1;
};
