#include "pictures/MaptilePicture.h"

#include "pictures/PictureDecoder.h"
#include "pictures/PictureFile.h"
#include "raster/Geometry.h"

QImage MaptilePicture::decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error)
{
    constexpr QSize Largest = QSize(Geometry::MaxColumns, Geometry::MaxRows) * Geometry::SpaceSize;
    QString reason;
    QSize pictureSize;
    const QImage image = PictureDecoder::decode(bytes, name, &reason, Largest, &pictureSize);
    if (image.isNull()) {
        *error = PictureFile::failure(name, reason);
        return {};
    }
    if (image.width() < Geometry::SpaceSize || image.height() < Geometry::SpaceSize) {
        const QSize whole = pictureSize.isValid() ? pictureSize : image.size();
        *error = PictureFile::failure(name,
                                      tr("the picture is %1 x %2 pixels, smaller than one space "
                                         "(%3 x %3 pixels)")
                                          .arg(whole.width())
                                          .arg(whole.height())
                                          .arg(Geometry::SpaceSize));
        return {};
    }
    return PictureDecoder::flattened(image, background);
}
