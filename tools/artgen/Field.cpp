#include "Field.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

Field::Field(int size, int supersample, int margin, float value)
    : m_n((size + 2 * margin) * supersample)
    , m_ss(supersample)
    , m_margin(margin)
    , m_size(size)
    , m_v(size_t(m_n) * m_n, value)
{
}

float Field::cellClamped(int i, int j) const
{
    return cell(std::clamp(i, 0, m_n - 1), std::clamp(j, 0, m_n - 1));
}

float Field::sample(float x, float y) const
{
    const float gx = (x + m_margin) * m_ss - 0.5f, gy = (y + m_margin) * m_ss - 0.5f;
    const int i = int(std::floor(gx)), j = int(std::floor(gy));
    const float tx = gx - i, ty = gy - j;
    const float a = cellClamped(i, j) + (cellClamped(i + 1, j) - cellClamped(i, j)) * tx;
    const float b = cellClamped(i, j + 1) + (cellClamped(i + 1, j + 1) - cellClamped(i, j + 1)) * tx;
    return a + (b - a) * ty;
}

Field Field::coverage(const QPainterPath &path, int size, int supersample, int margin)
{
    Field f(size, supersample, margin);
    QImage img(f.m_n, f.m_n, QImage::Format_Grayscale8);
    img.fill(0);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(supersample, supersample);
        p.translate(margin, margin);
        p.fillPath(path, Qt::white);
    }
    for (int j = 0; j < f.m_n; ++j) {
        const uchar *row = img.constScanLine(j);
        for (int i = 0; i < f.m_n; ++i)
            f.cell(i, j) = row[i] / 255.0f;
    }
    return f;
}

void Field::blur(float radius)
{
    // Three box passes approximate a gaussian closely enough for bevels and glows.
    const int r = std::max(1, int(std::lround(radius * m_ss / 1.7f)));
    std::vector<float> tmp(m_v.size());
    for (int pass = 0; pass < 3; ++pass) {
        for (int j = 0; j < m_n; ++j) {
            float acc = 0;
            for (int k = -r; k <= r; ++k)
                acc += cellClamped(k, j);
            for (int i = 0; i < m_n; ++i) {
                tmp[size_t(j) * m_n + i] = acc / (2 * r + 1);
                acc += cellClamped(i + r + 1, j) - cellClamped(i - r, j);
            }
        }
        for (int i = 0; i < m_n; ++i) {
            float acc = 0;
            auto t = [&](int jj) { return tmp[size_t(std::clamp(jj, 0, m_n - 1)) * m_n + i]; };
            for (int k = -r; k <= r; ++k)
                acc += t(k);
            for (int j = 0; j < m_n; ++j) {
                cell(i, j) = acc / (2 * r + 1);
                acc += t(j + r + 1) - t(j - r);
            }
        }
    }
}

Field Field::distanceInside() const
{
    // Two-pass chamfer transform; good to a few percent, plenty for bevels.
    Field d(m_size, m_ss, m_margin);
    const float big = 1e6f, a = 1.0f, b = 1.4142f;
    for (int j = 0; j < m_n; ++j)
        for (int i = 0; i < m_n; ++i)
            d.cell(i, j) = cell(i, j) > 0.5f ? big : 0.0f;
    for (int j = 0; j < m_n; ++j)
        for (int i = 0; i < m_n; ++i) {
            float &v = d.cell(i, j);
            if (v == 0)
                continue;
            if (i > 0)
                v = std::min(v, d.cell(i - 1, j) + a);
            if (j > 0)
                v = std::min(v, d.cell(i, j - 1) + a);
            if (i > 0 && j > 0)
                v = std::min(v, d.cell(i - 1, j - 1) + b);
            if (i + 1 < m_n && j > 0)
                v = std::min(v, d.cell(i + 1, j - 1) + b);
        }
    for (int j = m_n - 1; j >= 0; --j)
        for (int i = m_n - 1; i >= 0; --i) {
            float &v = d.cell(i, j);
            if (v == 0)
                continue;
            if (i + 1 < m_n)
                v = std::min(v, d.cell(i + 1, j) + a);
            if (j + 1 < m_n)
                v = std::min(v, d.cell(i, j + 1) + a);
            if (i + 1 < m_n && j + 1 < m_n)
                v = std::min(v, d.cell(i + 1, j + 1) + b);
            if (i > 0 && j + 1 < m_n)
                v = std::min(v, d.cell(i - 1, j + 1) + b);
        }
    for (float &v : d.m_v)
        v = (v >= big ? 1e3f : v) / m_ss;
    return d;
}
