#include "cli/QuickExport.h"

#include "cli/JpegStream.h"
#include "cli/RgbPngDecoder.h"
#include "document/DocumentArchive.h"
#include "document/ZipEntryStream.h"
#include "output/FileReplacer.h"

#include <QFileDevice>
#include <QtEndian>

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// 96 pixels per inch, so that a space of 144 pixels prints at 1.5 inches.
constexpr int DotsPerInch = 96;
constexpr int DotsPerMeter = 3780;

// The merged picture decoded in its two halves, the bottom one on the thread
// beside into the memory it has ready, counting its rows as they come; the
// top half's rows go straight to hand, which writes them out.
class HalvesDecode
{
public:
    HalvesDecode(const DocumentArchive &archive, RgbPngDecoder &decoder, BesideThread &beside)
        : m_decoder(decoder)
        , m_beside(beside)
        , m_split(decoder.splitRow())
        , m_rowBytes(qsizetype(decoder.size().width()) * 3)
    {
        if (m_split < decoder.size().height())
            m_beside.run([this, &archive] { publish(decodeBottom(archive) ? m_decoder.size().height() - m_split : -1); });
    }
    ~HalvesDecode() { m_beside.wait(); }

    // Decodes the top half into hand, then hands on the bottom half's rows as
    // they come; true when every row was taken and the halves join.
    bool decode(const RgbPngDecoder::Take &hand)
    {
        bool ok = m_decoder.decodeTop(hand);
        for (int y = m_split; ok && y < m_decoder.size().height(); ++y)
            ok = waitForBottom(y - m_split) && hand(y, bottom() + m_rowBytes * (y - m_split));
        m_beside.wait();
        return ok && m_decoder.joined();
    }

private:
    bool decodeBottom(const DocumentArchive &archive)
    {
        const std::unique_ptr<DocumentArchive> twin = archive.twin();
        if (!twin)
            return false;
        try {
            const std::unique_ptr<ZipEntryStream> beside =
                twin->stream(DocumentArchive::MergedEntry, DocumentArchive::MaxPictureBytes);
            return beside->seek(m_decoder.bottomStart())
                   && m_decoder.decodeBottom(*beside, [this](int y, const unsigned char *rgb) {
                          memcpy(bottom() + m_rowBytes * (y - m_split), rgb, size_t(m_rowBytes));
                          publish(y - m_split + 1);
                          return true;
                      });
        } catch (const DocumentRefusal &) {
            return false;
        }
    }
    // The bottom half's rows, in the memory the beside thread has ready.
    unsigned char *bottom() { return m_beside.memory(); }
    void publish(int rows)
    {
        m_bottomDone.store(rows, std::memory_order_release);
        m_bottomDone.notify_one();
    }
    bool waitForBottom(int row)
    {
        int done;
        while ((done = m_bottomDone.load(std::memory_order_acquire)) <= row) {
            if (done < 0)
                return false;
            m_bottomDone.wait(done, std::memory_order_acquire);
        }
        return true;
    }

    RgbPngDecoder &m_decoder;
    BesideThread &m_beside;
    const int m_split;
    const qsizetype m_rowBytes;
    std::atomic<int> m_bottomDone{0};
};

// An uncompressed 24-bit bitmap, bottom row first, as Qt's writer makes it.
bool writeBitmap(HalvesDecode &halves, QSize size, QIODevice &device)
{
    const int width = size.width(), height = size.height();
    const qsizetype stride = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    constexpr int HeaderBytes = 14 + 40;
    QByteArray out(HeaderBytes + stride * height, '\0');
    auto *const data = reinterpret_cast<uchar *>(out.data());
    const auto put16 = [data](int at, quint16 value) { qToLittleEndian(value, data + at); };
    const auto put32 = [data](int at, quint32 value) { qToLittleEndian(value, data + at); };
    put16(0, 0x4d42); // "BM"
    put32(2, quint32(out.size()));
    put32(10, HeaderBytes);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);  // planes
    put16(28, 24); // bits per pixel
    put32(34, quint32(stride * height));
    put32(38, DotsPerMeter);
    put32(42, DotsPerMeter);
    const bool decoded = halves.decode([&](int y, const unsigned char *from) {
        uchar *to = data + HeaderBytes + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
        return true;
    });
    return decoded && device.write(out) == out.size();
}

// The merged picture's entry as it stands.
bool copyEntry(DocumentArchive &archive, QIODevice &device)
{
    try {
        const std::unique_ptr<ZipEntryStream> entry =
            archive.stream(DocumentArchive::MergedEntry, DocumentArchive::MaxPictureBytes);
        char buffer[65536];
        qint64 n;
        while ((n = entry->read(buffer, sizeof buffer)) > 0)
            if (device.write(buffer, n) != n)
                return false;
        return n == 0 && entry->finish();
    } catch (const DocumentRefusal &) {
        return false;
    }
}

} // namespace

QuickExport::Outcome QuickExport::exportDocument(const QString &documentPath, const QString &out,
                                                 Exporter::Format format, const JpegOptions &jpegOptions,
                                                 BesideThread &beside, QString *error)
{
    if (format == Exporter::Format::Pdf)
        return Outcome::NotTaken;
    std::unique_ptr<DocumentArchive> archive;
    std::unique_ptr<ZipEntryStream> merged;
    try {
        archive = std::make_unique<DocumentArchive>(documentPath);
        if (!archive->hasState())
            return Outcome::NotTaken;
        archive->readState(false);
        merged = archive->stream(DocumentArchive::MergedEntry, DocumentArchive::MaxPictureBytes);
    } catch (const DocumentRefusal &refusal) {
        *error = DocumentArchive::failure(documentPath, refusal.reason);
        return Outcome::Failed;
    }

    RgbPngDecoder decoder(*merged);
    // Anything the decoder does not take on, damage included, is left to the
    // export through Qt Gui, which describes it as the editor does.
    if (!decoder.start(archive->size()) || (format == Exporter::Format::Png && decoder.dotsPerMeter() != DotsPerMeter))
        return Outcome::NotTaken;
    // The picture says where its bottom half starts; one that would not fit
    // the memory kept for it is not this program's.
    if (size_t(decoder.size().width()) * 3 * size_t(decoder.size().height() - decoder.splitRow()) > BesideBytes)
        return Outcome::NotTaken;
    bool notTaken = false;
    *error = FileReplacer::write(out, [&](QIODevice &device) {
        HalvesDecode halves(*archive, decoder, beside);
        bool written = false;
        switch (format) {
        case Exporter::Format::Jpeg: {
            JpegStream jpeg(device, decoder.size(), jpegOptions, DotsPerInch);
            written = halves.decode([&jpeg](int, const unsigned char *rgb) { return jpeg.writeRow(rgb); })
                      && jpeg.finish();
            break;
        }
        case Exporter::Format::Bitmap:
            written = writeBitmap(halves, decoder.size(), device);
            break;
        case Exporter::Format::Png:
        case Exporter::Format::Pdf:
            // The merged picture is the finished maptile as PNG already, at 96
            // pixels per inch; decoding it checks it.
            written = halves.decode([](int, const unsigned char *) { return true; }) && copyEntry(*archive, device);
            break;
        }
        // A file that failed has its own reason, which FileReplacer gives.
        const auto *file = qobject_cast<const QFileDevice *>(&device);
        notTaken = !written && !(file && file->error() != QFileDevice::NoError);
        return written ? QString() : QStringLiteral("not written");
    });
    if (notTaken)
        return Outcome::NotTaken;
    return error->isEmpty() ? Outcome::Written : Outcome::Failed;
}
