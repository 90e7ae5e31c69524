#pragma once

#include "tilesets/TilesetSlot.h"

#include <QString>
#include <QStringList>

#include <future>
#include <thread>
#include <vector>

// Tileset files read one after another on a thread of their own, into slots
// with their palettes built: the start-up's longest work, begun early enough
// to overlap building the main window. One thread, not one a file: on two
// cores, more readers only take turns with the window being built.
class TilesetReads
{
public:
    explicit TilesetReads(const QStringList &paths);
    // Waits for reads not taken.
    ~TilesetReads();
    TilesetReads(const TilesetReads &) = delete;
    TilesetReads &operator=(const TilesetReads &) = delete;

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
    QStringList m_paths;
    std::vector<std::promise<Result>> m_results;
    std::vector<std::future<Result>> m_reads;
    std::thread m_thread;
};
