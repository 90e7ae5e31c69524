#include "resources/BuiltInPicture.h"

#include <QImageReader>

namespace BuiltInPicture {

QImage load(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace BuiltInPicture
