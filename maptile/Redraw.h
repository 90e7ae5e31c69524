#pragma once

#include "maptile/Maptile.h"

#include <QImage>

#include <vector>

class MaptileOverlays;

// Rebuilds everything shown or written of the maptile from the master: the
// preview (master, speed values, maptile number, credit) and the working view
// (the preview at one third with the grid over it). The only way either
// picture is made.
class Redraw
{
public:
    static constexpr QPoint MapNumAt{10, 10};
    static constexpr int CreditLeft = 4;
    static constexpr int CreditAboveBottom = 20;

    // What lies over the master, bottom to top.
    enum class Overlay { SpeedValues, MapNum, Credit };

    // One picture laid over the master: which overlay it is, where its
    // top-left corner goes, and its pixels.
    struct Laid
    {
        Overlay which;
        QPoint at;
        QImage picture;
    };
    // Everything the overlays lay over the master now, bottom to top.
    static std::vector<Laid> overlaysOver(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays);

    // The preview: the master with the laid pictures over it. Rebuilt in place; its buffer is reused.
    static void paintPreview(const QImage &master, const std::vector<Laid> &laid, QImage &preview);
    static void paintPreview(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, QImage &preview);
    // The working view: the preview at one third with the grid over it. It is
    // made three rows of the preview at a time, so no redraw needs the whole
    // preview. Rebuilt in place; its buffer is reused.
    static void paintView(const Maptile &maptile, const std::vector<Laid> &laid, QImage &view);
    // One overlay alone, as large as the preview: its own pixels, opaque, on
    // transparency. Laid over the master in order, the three give the preview.
    // layer is rebuilt in place; its buffer is reused.
    static void overlayLayer(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, Overlay which,
                             QImage &layer);
};
