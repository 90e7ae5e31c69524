#include "document/PngCache.h"

#include "document/PngWriter.h"

#include <QHash>
#include <QHashFunctions>
#include <QThreadPool>

#include <condition_variable>
#include <mutex>
#include <unordered_map>

namespace {

// A picture's area as long as its pixels stay as they are: an image's cache
// key changes whenever it is written to.
struct Identity
{
    qint64 key;
    QRect area;

    bool operator==(const Identity &other) const = default;
};

size_t qHash(const Identity &identity, size_t seed)
{
    return qHashMulti(seed, identity.key, identity.area.x(), identity.area.y(), identity.area.width(),
                      identity.area.height());
}

size_t pixelHash(const QImage &part)
{
    const size_t seed = QHashSeed::globalSeed();
    return qHashMulti(seed, part.width(), part.height(), int(part.format()),
                      qHashBits(part.constBits(), size_t(part.sizeInBytes()), seed));
}

class Store
{
public:
    Store() { m_ahead.setMaxThreadCount(1); }
    // What was asked ahead is of no use once the program ends.
    ~Store()
    {
        m_ahead.clear();
        m_ahead.waitForDone();
    }

    QByteArray packed(const QImage &picture, QRect area)
    {
        const Identity identity{picture.cacheKey(), area};
        QImage part;
        std::unique_lock lock(m_mutex);
        size_t hash = 0;
        if (const auto known = m_hashes.constFind(identity); known != m_hashes.cend()) {
            hash = *known;
        } else {
            lock.unlock();
            part = picture.copy(area);
            hash = pixelHash(part);
            lock.lock();
            // Pictures come and go; their identities are cheap to learn again.
            if (m_hashes.size() >= MaxIdentities)
                m_hashes.clear();
            m_hashes.insert(identity, hash);
        }
        for (auto entry = m_entries.find(hash); entry != m_entries.end(); entry = m_entries.find(hash)) {
            if (entry->second.ready) {
                entry->second.used = ++m_clock;
                return entry->second.png;
            }
            m_packedOne.wait(lock);
        }
        // Claimed: another thread that wants these pixels waits for them.
        m_entries[hash] = {};
        lock.unlock();
        if (part.isNull())
            part = picture.copy(area);
        const QByteArray png = PngWriter::encode(part, PngWriter::Packing::Small);
        lock.lock();
        if (png.isEmpty()) {
            m_entries.erase(hash);
        } else {
            m_entries[hash] = {png, true, ++m_clock};
            m_bytes += png.size();
            forgetOldest();
        }
        m_packedOne.notify_all();
        return png;
    }

    void packAhead(const QImage &picture, const std::vector<QRect> &areas)
    {
        std::vector<QRect> missing;
        {
            const std::lock_guard lock(m_mutex);
            for (const QRect &area : areas) {
                const auto known = m_hashes.constFind({picture.cacheKey(), area});
                if (known == m_hashes.cend() || m_entries.find(*known) == m_entries.end())
                    missing.push_back(area);
            }
        }
        if (!missing.empty())
            m_ahead.start([this, picture, missing] {
                for (const QRect &area : missing)
                    packed(picture, area);
            });
    }

private:
    // Enough for every cell of the most copies a maptile holds, and the bases of a few documents.
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;
    static constexpr qsizetype MaxIdentities = 4096;

    struct Entry
    {
        QByteArray png;
        bool ready = false;
        quint64 used = 0;
    };

    // The least recently used go first, until the rest fit.
    void forgetOldest()
    {
        while (m_bytes > MaxBytes) {
            auto oldest = m_entries.end();
            for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry)
                if (entry->second.ready && (oldest == m_entries.end() || entry->second.used < oldest->second.used))
                    oldest = entry;
            if (oldest == m_entries.end())
                return;
            m_bytes -= oldest->second.png.size();
            m_entries.erase(oldest);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_packedOne;
    QHash<Identity, size_t> m_hashes;
    std::unordered_map<size_t, Entry> m_entries;
    qint64 m_bytes = 0;
    quint64 m_clock = 0;
    QThreadPool m_ahead;
};

Store &store()
{
    static Store kept;
    return kept;
}

} // namespace

QByteArray PngCache::packed(const QImage &picture, QRect area)
{
    return store().packed(picture, area);
}

void PngCache::packAhead(const QImage &picture, const std::vector<QRect> &areas)
{
    store().packAhead(picture, areas);
}
