#include "raster/Geometry.h"

#include <QGuiApplication>
#include <QPalette>

namespace Geometry {

quint32 blankColour()
{
    // Read once: the palette does not change during a run, and the redraw is hot.
    static const QRgb colour = [] {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return QGuiApplication::palette().color(QPalette::Button).rgb();
        return qRgb(240, 240, 240);
    }();
    return colour;
}

} // namespace Geometry
