#include "pictures/TilesetPicture.h"

#include "pictures/PictureDecoder.h"
#include "pictures/PictureFile.h"

#include <future>
#include <vector>

QImage TilesetPicture::decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error)
{
    QString reason;
    const QImage image = PictureDecoder::decode(bytes, name, &reason);
    if (image.isNull()) {
        *error = PictureFile::failure(name, reason);
        return {};
    }
    return PictureDecoder::flattened(image, background);
}

QImage TilesetPicture::read(const QString &path, QRgb background, QString *error)
{
    const QByteArray bytes = PictureFile::read(path, error);
    return bytes.isEmpty() ? QImage() : decode(bytes, path, background, error);
}

QList<QImage> TilesetPicture::readAll(const QStringList &paths, QRgb background, QStringList *errors)
{
    // Decoding is most of the time start-up takes; each file decodes on its own.
    std::vector<std::future<QImage>> reads;
    QList<QString> found(paths.size());
    for (qsizetype i = 1; i < paths.size(); ++i)
        reads.push_back(std::async(std::launch::async,
                                   [&paths, &found, background, i] { return read(paths[i], background, &found[i]); }));
    QList<QImage> images;
    if (!paths.isEmpty())
        images << read(paths.front(), background, &found.front());
    for (std::future<QImage> &image : reads)
        images << image.get();
    *errors = found;
    return images;
}
