#include "app/DroppedImage.h"

#include "tilesets/TilesetImageReader.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString DroppedImage::path(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    static const QStringList suffixes = [] {
        QStringList list{QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("jpg"), QStringLiteral("wmf")};
        for (const QString &pattern : TilesetImageReader::extraPatterns())
            list << pattern.section(QLatin1Char('.'), 1).toLower();
        return list;
    }();
    const QString path = data->urls().front().toLocalFile();
    const QFileInfo file(path);
    return file.isFile() && suffixes.contains(file.suffix().toLower()) ? path : QString();
}
