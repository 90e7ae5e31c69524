#pragma once

#include "tilesets/TilesetSlot.h"

#include <QString>
#include <QStringList>

#include <array>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

// Tileset files read one after another on a thread of their own, into slots
// with their palettes built: the start-up's longest work, begun early enough
// to overlap building the main window. One thread, not one a file: on two
// cores, more readers only take turns with the window being built. Once the
// window is built and waits for a slot, it reads the files not yet begun
// itself, from the last one back, rather than wait idle.
class TilesetReads
{
public:
    explicit TilesetReads(const QStringList &paths);
    // Waits for reads not taken.
    ~TilesetReads();
    TilesetReads(const TilesetReads &) = delete;
    TilesetReads &operator=(const TilesetReads &) = delete;

    // Each of names in the first of folders that holds it, or in the first folder when none does.
    static QStringList firstFound(const std::array<QString, 4> &names, const QStringList &folders);
    // The report for a default tileset found in none of folders, naming them all.
    static QString missingDefault(const QString &name, const QStringList &folders);

    const QStringList &paths() const { return m_paths; }
    // Waits for file index and hands over its slot; once per file. A file that
    // failed gives a blank tileset with its palette and error set to the reason.
    TilesetSlot take(int index, QString *error);

private:
    struct Result
    {
        TilesetSlot slot;
        QString error;
    };
    // The next file nobody has begun, from the first or the last; -1 when none is left.
    int claim(bool last);
    void read(int index);

    // Read by both threads: never written once made, so never detached.
    const QStringList m_paths;
    std::vector<std::promise<Result>> m_results;
    std::vector<std::future<Result>> m_reads;
    std::mutex m_mutex;
    int m_first = 0; // files not begun are m_first up to m_end
    int m_end = 0;
    std::thread m_thread;
};
