#pragma once

#include <QImage>

// How a subtile lies when it is laid: mirrored left to right or not, then
// turned a number of quarter turns clockwise. Turns and mirror images compose,
// so any sequence of them is one of these eight.
class Orientation
{
public:
    enum Turn { TurnRight, TurnLeft, MirrorLeftRight, MirrorTopBottom };
    static constexpr int Count = 8;

    // The orientations numbered 0-7: the quarter turns, plus 4 when mirrored.
    static Orientation fromIndex(int index);
    int index() const { return m_quarters + (m_mirrored ? 4 : 0); }

    // This orientation followed by turn.
    Orientation then(Turn turn) const;
    // A square picture laid this way.
    QImage apply(const QImage &picture) const;

    // Clockwise quarter turns after the mirror image, 0 to 3.
    int quarterTurns() const { return m_quarters; }
    bool isMirrored() const { return m_mirrored; }

    bool operator==(const Orientation &other) const = default;

private:
    int m_quarters = 0; // clockwise, 0-3
    bool m_mirrored = false;
};
