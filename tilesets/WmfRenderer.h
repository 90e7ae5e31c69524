#pragma once

#include <QImage>
#include <QString>

// Renders a Windows metafile (WMF, placeable or not) into an image at the
// metafile's own size, through libwmf.
class WmfRenderer
{
public:
    // A null image and error set when the file is not a metafile libwmf can draw.
    static QImage render(const QString &path, QString *error);
};
