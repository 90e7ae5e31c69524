#include "tilesets/TilesetReads.h"

#include "pictures/TilesetPicture.h"
#include "raster/Geometry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <chrono>

QString TilesetReads::missingDefault(const QString &name, const QStringList &folders)
{
    // Named in full, so the user can put the file back where it is looked for.
    QStringList places;
    for (const QString &folder : folders)
        places << QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absolutePath())));
    if (places.size() == 1)
        return QCoreApplication::translate("Workspace", "Cannot open the default tileset \"%1\": it is not in the folder %2.").arg(name, places.front());
    if (places.size() == 2)
        return QCoreApplication::translate("Workspace", "Cannot open the default tileset \"%1\": it is in neither the folder %2 nor %3.")
            .arg(name, places[0], places[1]);
    return QCoreApplication::translate("Workspace", "Cannot open the default tileset \"%1\": it is in none of the folders %2.")
        .arg(name, places.join(QStringLiteral(", ")));
}

QStringList TilesetReads::firstFound(const std::array<QString, 4> &names, const QStringList &folders)
{
    QStringList paths;
    for (const QString &name : names) {
        QString path = folders.isEmpty() ? QString() : QDir(folders.first()).filePath(name);
        for (const QString &folder : folders) {
            const QString candidate = QDir(folder).filePath(name);
            if (QFileInfo::exists(candidate)) {
                path = candidate;
                break;
            }
        }
        paths << path;
    }
    return paths;
}

TilesetReads::TilesetReads(const QStringList &paths)
    : m_paths(paths)
    , m_results(paths.size())
    , m_end(int(paths.size()))
{
    for (std::promise<Result> &result : m_results)
        m_reads.push_back(result.get_future());
    m_thread = std::thread([this] {
        for (int index; (index = claim(false)) >= 0;)
            read(index);
    });
}

TilesetReads::~TilesetReads()
{
    m_thread.join();
}

int TilesetReads::claim(bool last)
{
    const std::lock_guard lock(m_mutex);
    if (m_first == m_end)
        return -1;
    return last ? --m_end : m_first++;
}

void TilesetReads::read(int index)
{
    // Running out of memory reaches whoever takes the slot, as if read there.
    try {
        Result result;
        const QImage picture = TilesetPicture::read(m_paths[index], Geometry::blankColour(), &result.error);
        if (!picture.isNull())
            result.slot.setPicture(picture, m_paths[index]);
        result.slot.buildPalette();
        m_results[index].set_value(std::move(result));
    } catch (...) {
        m_results[index].set_exception(std::current_exception());
    }
}

TilesetSlot TilesetReads::take(int index, QString *error)
{
    std::future<Result> &future = m_reads.at(index);
    for (int other;
         future.wait_for(std::chrono::seconds(0)) != std::future_status::ready && (other = claim(true)) >= 0;)
        read(other);
    Result result = future.get();
    *error = result.error;
    return result.slot;
}
