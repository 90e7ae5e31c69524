#include "document/MaptileDocument.h"

#include "maptile/Redraw.h"

#include <QDataStream>
#include <QIODevice>

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

QImage MaptileDocument::toPicture() const
{
    QByteArray state;
    QDataStream stream(&state, QIODevice::WriteOnly);
    stream << mapNum << designer << mapNumFont << mapNumColour << speedFont << speedColour;
    for (const auto &column : maptile.speedValues())
        for (const QString &value : column)
            stream << value;
    QImage picture = maptile.master();
    picture.setText(StateKey, QString::fromLatin1(state.toBase64()));
    return picture;
}

MaptileDocument MaptileDocument::fromPicture(const QImage &picture)
{
    MaptileDocument document;
    const QString text = picture.text(StateKey);
    QImage master = picture;
    master.setText(StateKey, {});
    document.maptile.setMaster(master);
    if (text.isEmpty())
        return document;
    QDataStream stream(QByteArray::fromBase64(text.toLatin1()));
    MaptileDocument read = document;
    stream >> read.mapNum >> read.designer >> read.mapNumFont >> read.mapNumColour >> read.speedFont
        >> read.speedColour;
    SpeedValues speed;
    for (auto &column : speed)
        for (QString &value : column)
            stream >> value;
    if (stream.status() != QDataStream::Ok)
        return document;
    read.maptile.setSpeedValues(speed);
    read.editable = true;
    return read;
}
