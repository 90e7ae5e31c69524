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

namespace {

QDataStream &operator<<(QDataStream &stream, const DocumentFont &font)
{
    return stream << font.family << font.points << font.rgb << font.bold << font.italic << font.underline
                  << font.strikeOut;
}

QDataStream &operator>>(QDataStream &stream, DocumentFont &font)
{
    return stream >> font.family >> font.points >> font.rgb >> font.bold >> font.italic >> font.underline
        >> font.strikeOut;
}

} // namespace

QImage MaptileDocument::toPicture() const
{
    QByteArray state;
    QDataStream stream(&state, QIODevice::WriteOnly);
    // The fonts as a document records them, so that they are read back with its limits.
    stream << mapNum << designer << recordOf(mapNumFont, mapNumColour) << recordOf(speedFont, speedColour);
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
    DocumentFont mapNumFont, speedFont;
    stream >> read.mapNum >> read.designer >> mapNumFont >> speedFont;
    SpeedValues speed;
    bool withinLimits = true;
    for (auto &column : speed)
        for (QString &value : column) {
            stream >> value;
            withinLimits = withinLimits && value.size() <= DocumentArchive::MaxSpeedLength;
        }
    const int columns = master.width() / Geometry::SpaceSize, rows = master.height() / Geometry::SpaceSize;
    withinLimits = withinLimits && stream.status() == QDataStream::Ok && stream.atEnd()
        && read.mapNum.size() <= DocumentArchive::MaxMapNumLength
        && read.designer.size() <= DocumentArchive::MaxDesignerLength && DocumentArchive::acceptsFont(mapNumFont)
        && DocumentArchive::acceptsFont(speedFont) && master.size() == QSize(columns, rows) * Geometry::SpaceSize
        && columns >= 1 && columns <= Geometry::MaxColumns && rows >= 1 && rows <= Geometry::MaxRows;
    if (!withinLimits)
        return {};
    read.mapNumFont = fontOf(mapNumFont, &read.mapNumColour);
    read.speedFont = fontOf(speedFont, &read.speedColour);
    read.maptile.setSpeedValues(speed);
    read.editable = true;
    return read;
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
