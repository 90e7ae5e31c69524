#pragma once

#include "support/TestImages.h"
#include "workspace/Workspace.h"

#include <memory>

// A workspace started on the default tilesets of folder; a report of one missing fails the test.
inline std::unique_ptr<Workspace> startWorkspace(const QString &folder)
{
    auto w = std::make_unique<Workspace>();
    w->startUp({folder}, [](const QString &message) { QFAIL(qPrintable(message)); });
    return w;
}

// What the user sees of a maptile's content.
inline auto maptileOf(const Workspace &w)
{
    return std::tuple(w.preview(), w.maptile().speedValues(), w.mapNumText(), w.designerText());
}

// Everything the user would lose but whether it is saved: the maptile, every tileset with its palette,
// metadata and file, and the button pictures.
inline auto everythingOf(const Workspace &w)
{
    QList<std::tuple<QImage, QImage, TileData, QString>> tilesets;
    for (int i = 0; i < Geometry::SlotCount; ++i)
        tilesets.append({w.slot(i).fullImage(), w.slot(i).palette(), w.slot(i).tileData(), w.slot(i).path()});
    QList<QImage> buttons;
    for (int picture = 0; picture < Workspace::ButtonCount; ++picture)
        buttons << w.buttonImage(picture);
    return std::tuple(maptileOf(w), tilesets, buttons);
}

// A square picture turned by keys in turn, pixel by pixel: Z a quarter clockwise,
// z anticlockwise, X mirrored left to right, Y top to bottom.
inline QImage turnedByKeys(QImage picture, const QString &keys)
{
    const int n = picture.width() - 1;
    for (const QChar key : keys) {
        const QImage s = picture;
        picture = TestImages::make(s.size(), [&](int x, int y) {
            return key == u'Z' ? s.pixel(y, n - x)
                : key == u'z'  ? s.pixel(n - y, x)
                : key == u'X'  ? s.pixel(n - x, y)
                               : s.pixel(x, n - y);
        });
    }
    return picture;
}

inline void turn(Workspace &w, const QString &keys)
{
    for (const QChar key : keys) // the keys in the order of the turns
        w.turnButtons(Orientation::Turn(QStringLiteral("ZzXY").indexOf(key)));
}
