#include "document/MaptileDocument.h"

#include "maptile/Redraw.h"


MaptileOverlays MaptileDocument::overlays() const
{
    MaptileOverlays overlays;
    overlays.setMapNumFont(mapNumFont, mapNumColour);
    overlays.setSpeedFont(speedFont, speedColour);
    overlays.paintMapNum(mapNum);
    overlays.paintDesigner(designer);
    return overlays;
}

QImage MaptileDocument::preview() const
{
    MaptileOverlays painted = overlays();
    QImage preview;
    Redraw::paintPreview(maptile, !mapNum.isEmpty(), painted, preview);
    return preview;
}

QFont MaptileDocument::fontOf(const DocumentFont &recorded, QColor *colour)
{
    QFont font(recorded.family);
    font.setPointSizeF(recorded.points);
    font.setBold(recorded.bold);
    font.setItalic(recorded.italic);
    font.setUnderline(recorded.underline);
    font.setStrikeOut(recorded.strikeOut);
    *colour = QColor::fromRgb(recorded.rgb);
    return font;
}

DocumentFont MaptileDocument::recordOf(const QFont &font, const QColor &colour)
{
    return {font.family(), font.pointSizeF(), colour.rgb(), font.bold(), font.italic(), font.underline(),
            font.strikeOut()};
}
