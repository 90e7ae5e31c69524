#pragma once

#include "maptile/Maptile.h"

#include <QImage>

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

    // preview and view are rebuilt in place; their buffers are reused.
    static void paintNum(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, QImage &preview,
                         QImage &view);
    // The preview alone: the master with every overlay laid on it.
    static void paintPreview(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, QImage &preview);
    // One overlay alone, as large as the preview: its own pixels, opaque, on
    // transparency. Laid over the master in order, the three give the preview.
    // layer is rebuilt in place; its buffer is reused.
    static void overlayLayer(const Maptile &maptile, bool showMapNum, MaptileOverlays &overlays, Overlay which,
                             QImage &layer);
};
