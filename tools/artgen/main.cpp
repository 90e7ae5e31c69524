#include "FloorSet.h"
#include "GifWriter.h"
#include "HazardSet.h"
#include "IconSet.h"
#include "Materials.h"
#include "ObjectSet.h"
#include "SmallImages.h"
#include "WallSet.h"

#include <QDir>
#include <QGuiApplication>
#include <QSet>
#include <cstdio>

// artgen <repo-root> [A B C D images icons]
// Draws Cryptwright's bundled artwork into the repository. With no part
// names it draws everything. Output is the same on every run.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: artgen <repo-root> [A B C D images icons]\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    QSet<QString> parts;
    for (int i = 2; i < argc; ++i)
        parts.insert(QString::fromLocal8Bit(argv[i]));
    auto want = [&](const char *p) { return parts.isEmpty() || parts.contains(QLatin1String(p)); };

    const Materials materials(20240611);
    const FloorSet floors(materials);
    const ObjectSet objects(materials);
    const QString tilesets = root.filePath("resources/tilesets");
    QDir().mkpath(tilesets);
    bool ok = true;
    auto report = [&](const char *what, bool done) {
        std::fprintf(stderr, "%-8s %s\n", what, done ? "written" : "FAILED");
        ok &= done;
    };
    if (want("A")) {
        const TileSheet a = floors.build();
        report("A", a.image().save(tilesets + "/Default_A.jpg", "JPEG", 92) && a.writeDat(tilesets + "/Default_A.dat"));
    }
    if (want("B")) {
        const TileSheet b = WallSet(materials).build();
        report("B", b.image().save(tilesets + "/Default_B.jpg", "JPEG", 92) && b.writeDat(tilesets + "/Default_B.dat"));
    }
    if (want("C")) {
        const TileSheet c = HazardSet(materials).build();
        report("C", c.image().save(tilesets + "/Default_C.jpg", "JPEG", 92) && c.writeDat(tilesets + "/Default_C.dat"));
    }
    if (want("D")) {
        const TileSheet d = objects.build();
        report("D",
               GifWriter::write(d.image(), ObjectSet::kKey, tilesets + "/Default_D.gif")
                   && d.writeDat(tilesets + "/Default_D.dat"));
    }
    if (want("images"))
        report("images", SmallImages::write(root.path(), floors, objects));
    if (want("icons"))
        report("icons", IconSet::write(root.path()));
    return ok ? 0 : 1;
}
