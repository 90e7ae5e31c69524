#include "control/DroppedImage.h"

#include "document/DocumentWriter.h"
#include "pictures/PictureDecoder.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString DroppedImage::path(const QMimeData *data, bool documents)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    static const QStringList suffixes = [] {
        QStringList list{QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("jpg"), QStringLiteral("wmf")};
        for (const QString &pattern : PictureDecoder::extraPatterns())
            list << pattern.section(QLatin1Char('.'), 1).toLower();
        return list;
    }();
    const QString path = data->urls().front().toLocalFile();
    const QFileInfo file(path);
    const bool accepted =
        suffixes.contains(file.suffix().toLower()) || (documents && DocumentWriter::isDocumentPath(path));
    return file.isFile() && accepted ? path : QString();
}
