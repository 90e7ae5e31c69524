#pragma once

#include <QImage>
#include <vector>

// Reduces an image to a 256-entry palette for the GIF tileset. Entry 0 is
// reserved for the key colour, which keeps its exact value; only key pixels
// map to it and no other colour is ever sent there.
class PaletteQuantizer
{
public:
    PaletteQuantizer(const QImage &image, QRgb key);

    const std::vector<QRgb> &palette() const { return m_palette; }
    // One palette index per pixel, row by row. Object pixels are lightly
    // error-diffused among themselves; the error never spills into key pixels.
    std::vector<uint8_t> indices() const;

private:
    int nearest(int r, int g, int b) const;

    QImage m_image;
    QRgb m_key;
    std::vector<QRgb> m_palette;
};
