#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>

// The three small pictures laid over the finished maptile: the maptile number
// on the door badge, one speed value, and the designer credit. Each is drawn
// on a plain background whose colour sits in its pixel (1, 1), so it can be
// laid by a colour-keyed copy. Text is drawn without anti-aliasing so every
// pixel is either background or ink and the key stays exact.
class MaptileOverlays
{
public:
    static constexpr QRgb SpeedBackground = 0xff404040; // RGB 64, 64, 64
    static constexpr QRgb DesignerBackground = 0xff0000ff; // RGB 0, 0, 255
    static constexpr QRgb DoorKey = 0xff0080c0; // RGB 0, 128, 192
    static constexpr QSize MapNumSize{31, 49};
    static constexpr int DesignerHeight = 17;
    static constexpr QPoint KeyPixel{1, 1};

    MaptileOverlays();

    // The fonts and colours the user can choose, as point-size fonts.
    const QFont &mapNumFont() const { return m_mapNumFont; }
    QColor mapNumColour() const { return m_mapNumColour; }
    const QFont &speedFont() const { return m_speedFont; }
    QColor speedColour() const { return m_speedColour; }
    // Takes effect on the number at its next rendering.
    void setMapNumFont(const QFont &font, const QColor &colour);
    // Takes effect on the speed values at the next redraw.
    void setSpeedFont(const QFont &font, const QColor &colour);

    void paintMapNum(const QString &number);
    void paintDesigner(const QString &name);
    const QImage &mapNumImage() const { return m_mapNum; }
    const QImage &designerImage() const { return m_designer; }
    // One speed value rendered on its background, cached by text.
    const QImage &speedImage(const QString &value);

    // The 31 x 49 door badge the number is drawn on.
    static QImage doorBitmap();
    // The font a point-size font draws with on a 96 dpi surface, unsmoothed.
    static QFont renderFont(const QFont &font);
    static QString creditText(const QString &name);

private:
    QFont m_mapNumFont;
    QColor m_mapNumColour = Qt::white;
    QFont m_speedFont;
    QColor m_speedColour = Qt::white;
    QImage m_mapNum;
    QImage m_designer;
    QHash<QString, QImage> m_speedCache;
};
