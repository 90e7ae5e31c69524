#pragma once

#include <QPainterPath>
#include <vector>

// A float image laid over a subtile at the renderer's resolution, with a
// margin round it. Coordinates given to its methods are subtile pixels.
class Field
{
public:
    Field() = default;
    Field(int size, int supersample, int margin, float value = 0);

    int width() const { return m_n; }
    int supersample() const { return m_ss; }
    int margin() const { return m_margin; }

    float &cell(int i, int j) { return m_v[size_t(j) * m_n + i]; }
    float cell(int i, int j) const { return m_v[size_t(j) * m_n + i]; }
    float cellClamped(int i, int j) const;

    // Subtile coordinate at the centre of grid cell i (same for x and y).
    float coord(int i) const { return (i + 0.5f) / m_ss - m_margin; }
    float sample(float x, float y) const; // bilinear

    // Antialiased coverage of a path (in subtile pixels).
    static Field coverage(const QPainterPath &path, int size, int supersample, int margin);
    void blur(float radius);
    // Distance (subtile pixels) from each inside cell (> 0.5) to the outside.
    Field distanceInside() const;

private:
    int m_n = 0, m_ss = 1, m_margin = 0, m_size = 0;
    std::vector<float> m_v;
};
