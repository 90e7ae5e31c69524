#include "tilesets/TilesetReads.h"

#include "pictures/TilesetPicture.h"
#include "raster/Geometry.h"

TilesetReads::TilesetReads(const QStringList &paths)
    : m_paths(paths)
    , m_results(paths.size())
{
    for (std::promise<Result> &result : m_results)
        m_reads.push_back(result.get_future());
    m_thread = std::thread([this] {
        for (int i = 0; i < m_paths.size(); ++i) {
            // Running out of memory reaches whoever takes the slot, as if read there.
            try {
                Result result;
                const QImage picture = TilesetPicture::read(m_paths[i], Geometry::blankColour(), &result.error);
                if (!picture.isNull())
                    result.slot.setPicture(picture, m_paths[i]);
                result.slot.buildPalette();
                m_results[i].set_value(std::move(result));
            } catch (...) {
                m_results[i].set_exception(std::current_exception());
            }
        }
    });
}

TilesetReads::~TilesetReads()
{
    m_thread.join();
}

TilesetSlot TilesetReads::take(int index, QString *error)
{
    Result result = m_reads.at(index).get();
    *error = result.error;
    return result.slot;
}
