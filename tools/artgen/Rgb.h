#pragma once

#include <QColor>

// Linear-ish working colour in 0..1 per channel. Painting code mixes and
// scales colours a lot, so plain float arithmetic beats QColor here.
class Rgb
{
public:
    float r = 0, g = 0, b = 0;

    constexpr Rgb() = default;
    constexpr Rgb(float red, float green, float blue)
        : r(red)
        , g(green)
        , b(blue)
    {
    }
    static Rgb hex(unsigned rgb);

    Rgb operator+(const Rgb &o) const { return {r + o.r, g + o.g, b + o.b}; }
    Rgb operator-(const Rgb &o) const { return {r - o.r, g - o.g, b - o.b}; }
    Rgb operator*(float k) const { return {r * k, g * k, b * k}; }
    Rgb operator*(const Rgb &o) const { return {r * o.r, g * o.g, b * o.b}; }
    Rgb &operator+=(const Rgb &o)
    {
        r += o.r;
        g += o.g;
        b += o.b;
        return *this;
    }

    float luma() const { return 0.299f * r + 0.587f * g + 0.114f * b; }
    Rgb clamped() const;
    QColor toQColor() const;

    static Rgb mix(const Rgb &a, const Rgb &b, float t) { return a + (b - a) * t; }
};
