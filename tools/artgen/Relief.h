#pragma once

#include "Field.h"
#include "Rgb.h"

#include <QImage>
#include <functional>
#include <vector>

// What a painting pass leaves at one point of a subtile.
struct Texel
{
    float height = 0; // in subtile pixels; drives shading and cast shadows
    Rgb albedo{0.5f, 0.5f, 0.5f};
    float gloss = 0; // strength of the bright glint (wet stone, metal)
    float shine = 24; // tightness of that glint
    float occlusion = 1; // extra darkening the painter knows about (depth, soot)
    Rgb emission; // self-lit colour added after lighting (lava, flames)
    float alpha = 1; // coverage, for objects painted on nothing
};

// A subtile described as a height field plus surface colours, lit by one
// light from the top-left. Everything in every set goes through here, so the
// lighting is the same on every tile and shadows fall the same way.
class Relief
{
public:
    static constexpr int kTile = 144;

    explicit Relief(int margin = 40, int supersample = 2);

    int width() const { return m_n; }
    float coord(int i) const { return (i + 0.5f) / m_ss - m_margin; }
    Texel &texel(int i, int j) { return m_t[size_t(j) * m_n + i]; }
    const Texel &texel(int i, int j) const { return m_t[size_t(j) * m_n + i]; }

    // Calls f(x, y, texel) for every sample; x, y in subtile pixels.
    template<class F>
    void paint(F &&f)
    {
        parallelRows([&](int j) {
            for (int i = 0; i < m_n; ++i)
                f(coord(i), coord(j), texel(i, j));
        });
    }

    // Runs body(row) for every grid row, split over the machine's cores.
    static void parallelRowsOf(int rows, const std::function<void(int)> &body);
    void parallelRows(const std::function<void(int)> &body) const { parallelRowsOf(m_n, body); }

    // A zero field with this relief's geometry, and coverage of a path.
    Field field(float value = 0) const { return Field(kTile, m_ss, m_margin, value); }
    Field coverage(const QPainterPath &path) const { return Field::coverage(path, kTile, m_ss, m_margin); }

    // Lit 144 x 144 image; alpha comes from the texels' coverage.
    QImage render() const;

private:
    int m_margin, m_ss, m_n;
    std::vector<Texel> m_t;
};
