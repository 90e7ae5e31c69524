#include "Rgb.h"

#include <algorithm>

Rgb Rgb::hex(unsigned rgb)
{
    return {((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f};
}

Rgb Rgb::clamped() const
{
    return {std::clamp(r, 0.0f, 1.0f), std::clamp(g, 0.0f, 1.0f), std::clamp(b, 0.0f, 1.0f)};
}

QColor Rgb::toQColor() const
{
    const Rgb c = clamped();
    return QColor(int(c.r * 255 + 0.5f), int(c.g * 255 + 0.5f), int(c.b * 255 + 0.5f));
}
