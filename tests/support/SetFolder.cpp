#include "support/SetFolder.h"

#include "document/DocumentWriter.h"
#include "document/MaptileDocument.h"
#include "raster/RasterOps.h"
#include "support/TestImages.h"
#include "support/TestZip.h"

#include <QDir>
#include <QTest>

MaptileDocument SetFolder::document(const QString &number, QSize size, const QString &designer,
                                    const QStringList &setNames)
{
    MaptileDocument document;
    QImage master(size * Geometry::SpaceSize, RasterOps::Format);
    master.fill(QColor(90, 120, 160));
    document.records = MaptileRecords::fromBase(master);
    for (qsizetype i = 0; i < setNames.size(); ++i) {
        QImage tileset(Geometry::TilesetSize, RasterOps::Format);
        tileset.fill(QColor(40 * int(i), 200, 100));
        TileData data;
        const bool fileName = setNames[i].endsWith(QLatin1String(".png"));
        if (!fileName)
            data.setName = setNames[i];
        const int copy = document.records.copyOf(tileset, fileName ? setNames[i] : QStringLiteral("t.png"), data);
        document.records.lay({int(i) % size.width(), 0}, {copy, {0, 0}, {}, TransparencySetting(QStringLiteral("0")), 0});
    }
    document.maptile.setMaster(document.records.compose());
    document.editable = true;
    document.mapNum = number;
    document.designer = designer;
    document.mapNumFont = document.speedFont = QFont(QStringLiteral("DejaVu Sans"), 14);
    document.mapNumColour = document.speedColour = Qt::black;
    return document;
}

void SetFolder::writeDocument(const QString &path, const QString &number, QSize size, const QString &designer,
                              const QStringList &setNames)
{
    QString error;
    const QByteArray bytes = DocumentWriter::encode(document(number, size, designer, setNames), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    TestImages::writeText(path, bytes);
}

void SetFolder::writeKnownSet(const QString &folder)
{
    const QDir dir(folder);
    writeDocument(dir.filePath(QStringLiteral("a.ora")), QStringLiteral("07"), {4, 5}, QStringLiteral("Ann"));
    writeDocument(dir.filePath(QStringLiteral("b.ora")), QStringLiteral("07"), {2, 2});
    writeDocument(dir.filePath(QStringLiteral("c.ora")), QString(), {1, 1}, QStringLiteral("Bo"));
    writeDocument(dir.filePath(QStringLiteral("d.ora")), QStringLiteral("2"), {5, 6}, {},
                  {QStringLiteral("Stone Floors"), QStringLiteral("walls.png")});
    writeDocument(dir.filePath(QStringLiteral("e.ora")), QStringLiteral("10"), {3, 3});
    QImage merged(288, 144, QImage::Format_ARGB32);
    merged.fill(Qt::darkGreen);
    TestImages::writeText(dir.filePath(QStringLiteral("foreign.ora")), TestZip::foreignDocument(merged));
    TestImages::writeText(dir.filePath(QStringLiteral("broken.ora")), "not a zip");
    TestImages::writeText(dir.filePath(QStringLiteral("notes.txt")), "not a document");
    QVERIFY(dir.mkpath(QStringLiteral("below")));
    writeDocument(dir.filePath(QStringLiteral("below/deeper.ora")), QStringLiteral("99"), {1, 1});
}
