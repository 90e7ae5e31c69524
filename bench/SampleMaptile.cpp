#include "SampleMaptile.h"

#include "maptile/Maptile.h"
#include "maptile/MaptileOverlays.h"
#include "maptile/Redraw.h"
#include "pictures/TilesetPicture.h"
#include "raster/Geometry.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>

#include <cstdio>

using Geometry::SpaceSize;

namespace SampleMaptile {

namespace {

std::string colour(QRgb rgb)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(qRed(rgb)).arg(qGreen(rgb)).arg(qBlue(rgb)).toStdString();
}

std::string offset(int x, int y)
{
    return QStringLiteral("+%1+%2").arg(x).arg(y).toStdString();
}

// The face, weight and pixel size a font of our overlays draws with.
std::vector<std::string> face(const QFont &font)
{
    const QFont rendered = MaptileOverlays::renderFont(font);
    return {"-family",    QFontInfo(rendered).family().toStdString(), "-weight", rendered.bold() ? "Bold" : "Normal",
            "-pointsize", std::to_string(rendered.pixelSize())};
}

} // namespace

std::vector<Placement> placements()
{
    std::vector<Placement> list;
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            const int i = r * Columns + c;
            const int slot = i % 5 == 2 ? KeyedSlot : i % 5 == 4 ? BlendedSlot : i % 2;
            list.push_back({slot, i % Geometry::TilesetColumns, (i / Geometry::TilesetColumns) % Geometry::TilesetRows,
                            QPoint(c, r)});
        }
    }
    return list;
}

TransparencySetting transparency(int slot)
{
    if (slot == KeyedSlot)
        return TransparencySetting(QStringLiteral("1"));
    if (slot == BlendedSlot)
        return TransparencySetting::blended(BlendAlpha);
    return TransparencySetting(QStringLiteral("0"));
}

QString speedValue(QPoint space)
{
    static const QStringList values{"0", "1", "2", "3", "4", "1/T", "1/X", "X"};
    return values[(space.x() + space.y()) % values.size()];
}

QString tilesetPath(int slot)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(Workspace::DefaultTilesetNames.at(slot));
}

void paint(Workspace &workspace)
{
    workspace.startUp({QCoreApplication::applicationDirPath()},
                      [](const QString &error) { std::fprintf(stderr, "%s\n", qPrintable(error)); });
    for (int slot = 0; slot < TilesetCount; ++slot)
        workspace.setTransparency(slot, transparency(slot));
    workspace.setAutoNumber(false);
    for (const Placement &p : placements()) {
        workspace.setOutlineCell(p.slot, QPoint(p.column, p.row));
        workspace.assign(Workspace::LeftButton, p.slot);
        workspace.place(Workspace::LeftButton, p.space);
    }
    for (int c = 0; c < Columns; ++c)
        for (int r = 0; r < Rows; ++r)
            workspace.chooseSpeedValue(QPoint(c, r), speedValue(QPoint(c, r)));
    workspace.setMapNumText(MapNumber);
    workspace.setDesignerText(Designer);
}

Tilesets readTilesets(QString *error)
{
    // The way the editor reads its default tilesets at start-up.
    QStringList paths;
    for (int slot = 0; slot < TilesetCount; ++slot)
        paths << tilesetPath(slot);
    QStringList errors;
    const QList<QImage> images = TilesetPicture::readAll(paths, Geometry::blankColour(), &errors);
    Tilesets tilesets;
    for (int slot = 0; slot < TilesetCount; ++slot) {
        tilesets[slot] = images[slot];
        if (!errors[slot].isEmpty())
            *error = errors[slot];
    }
    return tilesets;
}

QImage compose(const Tilesets &tilesets)
{
    Maptile maptile;
    maptile.resize(Columns, Rows);
    for (const Placement &p : placements()) {
        maptile.composite(tilesets[p.slot], p.column, p.row, p.space, transparency(p.slot));
        maptile.setSpeedValue(p.space.x(), p.space.y(), speedValue(p.space));
    }
    MaptileOverlays overlays;
    overlays.paintMapNum(MapNumber);
    overlays.paintDesigner(Designer);
    QImage preview;
    Redraw::paintPreview(maptile, true, overlays, preview);
    return preview;
}

std::vector<std::string> convertCommand(const std::string &convert, const QString &door, const QString &out)
{
    const QSize size(Columns * SpaceSize, Rows * SpaceSize);
    std::vector<std::string> c{convert};
    const auto add = [&c](const std::vector<std::string> &part) { c.insert(c.end(), part.begin(), part.end()); };

    for (int slot = 0; slot < TilesetCount; ++slot)
        add({"(", tilesetPath(slot).toStdString(), "-write", "mpr:" + std::to_string(slot), "+delete", ")"});
    add({"-size", std::to_string(size.width()) + "x" + std::to_string(size.height()),
         "xc:" + colour(Geometry::blankColour())});

    // The key of a keyed subtile is its own top-left pixel, as in a placement.
    QString error;
    const Tilesets tilesets = readTilesets(&error);
    const std::string square = std::to_string(SpaceSize) + "x" + std::to_string(SpaceSize);
    for (const Placement &p : placements()) {
        const TransparencySetting setting = transparency(p.slot);
        const QPoint corner(p.column * SpaceSize, p.row * SpaceSize);
        add({"(", "mpr:" + std::to_string(p.slot), "-crop", square + offset(corner.x(), corner.y()), "+repage"});
        if (setting.mode() == TransparencySetting::Keyed)
            add({"-transparent", colour(tilesets[p.slot].pixel(corner))});
        c.push_back(")");
        if (setting.mode() == TransparencySetting::Blended)
            add({"-compose", "blend", "-define",
                 "compose:args=" + std::to_string(setting.effectiveAlpha() * 100.0 / 255)});
        else
            add({"-compose", setting.mode() == TransparencySetting::Keyed ? "over" : "copy"});
        add({"-geometry", offset(p.space.x() * SpaceSize, p.space.y() * SpaceSize), "-composite"});
    }

    // Speed values flush with the top right corner of their space.
    const MaptileOverlays overlays;
    add(face(overlays.speedFont()));
    add({"-fill", colour(overlays.speedColour().rgb()), "-stroke", "black", "-strokewidth", "2", "-gravity",
         "NorthEast"});
    for (const Placement &p : placements())
        add({"-annotate", offset(size.width() - (p.space.x() + 1) * SpaceSize + 2, p.space.y() * SpaceSize + 2),
             speedValue(p.space).toStdString()});

    add({"(", door.toStdString(), "-transparent", colour(MaptileOverlays::DoorKey), "-gravity", "Center"});
    add(face(overlays.mapNumFont()));
    add({"-fill", colour(overlays.mapNumColour().rgb()), "-stroke", "none", "-annotate", "+0+0",
         MapNumber.toStdString(), ")", "-gravity", "NorthWest", "-compose", "over", "-geometry",
         offset(Redraw::MapNumAt.x(), Redraw::MapNumAt.y()), "-composite"});

    QFont credit(QStringLiteral("Arial"));
    credit.setPointSizeF(8.25);
    credit.setBold(true);
    add(face(credit));
    add({"-fill", "black", "-stroke", "white", "-strokewidth", "2", "-annotate",
         offset(Redraw::CreditLeft + 2, size.height() - Redraw::CreditAboveBottom + 2),
         MaptileOverlays::creditText(Designer).toStdString()});

    // Chroma halved both ways, as our writer does.
    add({"-sampling-factor", "2x2", "-quality", "90", out.toStdString()});
    return c;
}

} // namespace SampleMaptile
