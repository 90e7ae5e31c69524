#pragma once

#include <QImage>

// Puts an object, drawn with soft coverage, onto a flat key colour that the
// editor knocks out. Coverage is thresholded rather than blended, so no
// pixel is part object and part key: a blended edge would survive keying as
// a coloured fringe over whatever floor the object is laid on.
class Keying
{
public:
    // `shadowReach` extra dark pixels towards the bottom-right give a little
    // weight on the side away from the light.
    static QImage onKey(const QImage &object, QRgb key, int shadowReach = 1);

    // True if no pixel of `image` (other than exact key pixels) is near the key in colour.
    static bool cleanEdges(const QImage &image, QRgb key);
};
