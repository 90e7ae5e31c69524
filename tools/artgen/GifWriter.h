#pragma once

#include <QImage>
#include <QString>

// Writes a single-frame 256-colour GIF through giflib, quantising with
// PaletteQuantizer so the key colour stays exact.
class GifWriter
{
public:
    static bool write(const QImage &image, QRgb key, const QString &path);
};
