#include "document/MaptileDocument.h"

#include "maptile/Redraw.h"

#include <QDataStream>

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

QDataStream &operator<<(QDataStream &stream, const MaptileDocument &document)
{
    stream << document.maptile.master() << document.editable << document.mapNum << document.designer
           << document.mapNumFont << document.mapNumColour << document.speedFont << document.speedColour;
    for (const auto &column : document.maptile.speedValues())
        for (const QString &value : column)
            stream << value;
    return stream;
}

QDataStream &operator>>(QDataStream &stream, MaptileDocument &document)
{
    QImage master;
    stream >> master >> document.editable >> document.mapNum >> document.designer >> document.mapNumFont
        >> document.mapNumColour >> document.speedFont >> document.speedColour;
    SpeedValues speed;
    for (auto &column : speed)
        for (QString &value : column)
            stream >> value;
    document.maptile.setMaster(master);
    document.maptile.setSpeedValues(speed);
    return stream;
}
