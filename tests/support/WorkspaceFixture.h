#pragma once

#include "support/TestImages.h"
#include "workspace/Workspace.h"

#include <QTemporaryDir>

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

// A subtile laid over the space's pixels under as the mouse buttons lay it, in plain pixel code: turned
// by keys, then keyed on its own top-left colour before the turn, or blended at the setting's strength.
inline QImage laidByHand(const QImage &under, const QImage &subtile, const QString &keys,
                         const TransparencySetting &how)
{
    const QImage turned = turnedByKeys(subtile, keys);
    const auto mix = [a = how.effectiveAlpha()](int top, int below) { return (top * a + below * (255 - a)) / 255; };
    return TestImages::make(under.size(), [&](int x, int y) {
        const QRgb s = turned.pixel(x, y), d = under.pixel(x, y);
        if (how.mode() == TransparencySetting::Blended)
            return qRgb(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d)));
        return how.mode() == TransparencySetting::Keyed && s == subtile.pixel(0, 0) ? d : s;
    });
}

// A tileset whose cells each hold a ring in their own top-left colour, for a key to leave out.
inline QImage ringedTileset(int seed)
{
    const QImage noise = TestImages::pattern(Geometry::TilesetSize, seed);
    return TestImages::make(noise.size(), [&](int x, int y) {
        const int dx = x % Geometry::SpaceSize - 72, dy = y % Geometry::SpaceSize - 72, r = dx * dx + dy * dy;
        return r < 40 * 40 && r > 30 * 30 ? noise.pixel(x - x % Geometry::SpaceSize, y - y % Geometry::SpaceSize)
                                          : noise.pixel(x, y);
    });
}

inline void turn(Workspace &w, const QString &keys)
{
    for (const QChar key : keys) // the keys in the order of the turns
        w.turnButtons(Orientation::Turn(QStringLiteral("ZzXY").indexOf(key)));
}

// A fresh folder holding the default tilesets and a workspace started on them, for test classes to
// derive from and start from their init slot.
class WorkspaceFixture : public QObject
{
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Workspace> m_workspace;

    void startInFreshFolder()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        TestImages::writeDefaultTilesets(m_dir->path());
        m_workspace = startWorkspace(m_dir->path());
    }
};
