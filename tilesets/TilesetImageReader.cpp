#include "tilesets/TilesetImageReader.h"

#include "maptile/Geometry.h"
#include "maptile/RasterOps.h"
#include "tilesets/WmfRenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

QString describe(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open \"%1\": %2.").arg(QFileInfo(path).fileName(), reason);
}

bool hasMetafileHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    // Placeable metafiles start with a magic number, plain ones with their type and header size.
    return head == QByteArray("\xD7\xCD\xC6\x9A", 4) || head == QByteArray("\x01\x00\x09\x00", 4)
        || head == QByteArray("\x02\x00\x09\x00", 4);
}

} // namespace

bool TilesetImageReader::isMetafile(const QString &path)
{
    return path.endsWith(QStringLiteral(".wmf"), Qt::CaseInsensitive) || hasMetafileHeader(path);
}

QImage TilesetImageReader::read(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = describe(path, QStringLiteral("the file does not exist"));
        return {};
    }
    if (info.isDir()) {
        *error = describe(path, QStringLiteral("it is a folder, not a picture"));
        return {};
    }
    if (!info.isReadable()) {
        *error = describe(path, QStringLiteral("permission denied"));
        return {};
    }
    if (isMetafile(path)) {
        QString reason;
        QImage image = WmfRenderer::render(path, &reason);
        if (image.isNull()) {
            *error = describe(path, reason);
            return {};
        }
        return RasterOps::toWorkFormat(image);
    }
    QImageReader reader(path);
    reader.setAllocationLimit(AllocationLimitMb);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        QString reason = reader.errorString();
        if (reader.error() == QImageReader::UnknownError || reason.isEmpty())
            reason = QStringLiteral("the picture is damaged or too large");
        *error = describe(path, reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason);
        return {};
    }
    // A picture with transparency shows the blank colour through it, as on a picture surface.
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), RasterOps::Format);
        RasterOps::fill(flat, Geometry::blankColour());
        QPainter(&flat).drawImage(0, 0, image);
        return flat;
    }
    return RasterOps::toWorkFormat(image);
}

QStringList TilesetImageReader::extraPatterns()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format).toLower();
        if (!patterns.contains(pattern))
            patterns << pattern;
    }
    static const QStringList design{QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg"),
                                    QStringLiteral("*.wmf")};
    for (const QString &p : design)
        patterns.removeAll(p);
    return patterns;
}
