#include "document/DocumentRecords.h"

#include "document/DocumentArchive.h"
#include "document/PngCache.h"

#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <limits>

namespace {

int number(const QXmlStreamReader &xml, const QString &name, int low, int high, const QString &refusal)
{
    bool ok = false;
    const int value = xml.attributes().value(name).toInt(&ok);
    if (!ok || value < low || value > high)
        DocumentRefusal::raise(refusal.arg(name));
    return value;
}

QString text(const QXmlStreamReader &xml, const QString &name, int limit, const QString &tooLong)
{
    const QString value = xml.attributes().value(name).toString();
    if (value.size() > limit)
        DocumentRefusal::raise(tooLong.arg(limit));
    return value;
}

void writeCopy(QXmlStreamWriter &xml, const TilesetCopy &copy)
{
    xml.writeStartElement(QStringLiteral("tileset"));
    xml.writeAttribute(QStringLiteral("file"), copy.fileName);
    xml.writeAttribute(QStringLiteral("setname"), copy.data.setName);
    xml.writeAttribute(QStringLiteral("creator"), copy.data.creator);
    for (int c = 0; c < Geometry::TilesetColumns; ++c)
        for (int r = 0; r < Geometry::TilesetRows; ++r) {
            const QString value = copy.data.speedValue(c, r);
            if (value.isEmpty())
                continue;
            xml.writeStartElement(QStringLiteral("speed"));
            xml.writeAttribute(QStringLiteral("column"), QString::number(c));
            xml.writeAttribute(QStringLiteral("row"), QString::number(r));
            xml.writeCharacters(value);
            xml.writeEndElement();
        }
    xml.writeEndElement();
}

void writePlacement(QXmlStreamWriter &xml, const LaidSubtile &laid)
{
    xml.writeStartElement(QStringLiteral("laid"));
    xml.writeAttribute(QStringLiteral("tileset"), QString::number(laid.copy));
    xml.writeAttribute(QStringLiteral("column"), QString::number(laid.cell.x()));
    xml.writeAttribute(QStringLiteral("row"), QString::number(laid.cell.y()));
    xml.writeAttribute(QStringLiteral("turns"), QString::number(laid.orientation.quarterTurns()));
    xml.writeAttribute(QStringLiteral("mirrored"),
                       laid.orientation.isMirrored() ? QStringLiteral("1") : QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("transparency"), laid.setting.text());
    xml.writeAttribute(QStringLiteral("key"), QString::number(laid.key, 16));
    xml.writeEndElement();
}

} // namespace

Orientation DocumentRecords::orientation(int quarterTurns, bool mirrored)
{
    Orientation laid = mirrored ? Orientation().then(Orientation::MirrorLeftRight) : Orientation();
    for (int i = 0; i < quarterTurns; ++i)
        laid = laid.then(Orientation::TurnRight);
    return laid;
}

QString DocumentRecords::copyEntry(int index)
{
    return QStringLiteral("cryptwright/tileset-%1.png").arg(index);
}

QString DocumentRecords::cellEntry(int index, QPoint cell)
{
    return QStringLiteral("cryptwright/tileset-%1/cell-%2-%3.png").arg(index).arg(cell.x()).arg(cell.y());
}

std::vector<QPoint> DocumentRecords::cellsOf(quint32 cells)
{
    std::vector<QPoint> set;
    for (int r = 0; r < Geometry::TilesetRows; ++r)
        for (int c = 0; c < Geometry::TilesetColumns; ++c)
            if (cells & (1u << (r * Geometry::TilesetColumns + c)))
                set.emplace_back(c, r);
    return set;
}

QRect DocumentRecords::cellArea(QPoint cell)
{
    return QRect(cell * Geometry::SpaceSize, QSize(Geometry::SpaceSize, Geometry::SpaceSize));
}

std::vector<DocumentRecords::Picture> DocumentRecords::pictures(const MaptileRecords &records)
{
    std::vector<Picture> pictures{{BaseEntry, records.base(), records.base().rect()}};
    for (int i = 0; i < int(records.copies().size()); ++i)
        for (const QPoint cell : cellsOf(usedCells(records, i)))
            pictures.push_back({cellEntry(i, cell), records.copies()[size_t(i)].picture, cellArea(cell)});
    return pictures;
}

void DocumentRecords::packAhead(const MaptileRecords &records)
{
    if (!records.hasPlacements())
        return;
    PngCache::packAhead(records.base(), {records.base().rect()});
    for (int i = 0; i < int(records.copies().size()); ++i) {
        std::vector<QRect> areas;
        for (const QPoint cell : cellsOf(usedCells(records, i)))
            areas.push_back(cellArea(cell));
        PngCache::packAhead(records.copies()[size_t(i)].picture, areas);
    }
}

bool DocumentRecords::acceptsTransparency(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(0|1|2|2,(\\d{1,3}))$"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() && (match.captured(2).isEmpty() || match.captured(2).toInt() <= 255);
}

QByteArray DocumentRecords::xml(const MaptileRecords &records)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("records"));
    xml.writeAttribute(QStringLiteral("version"), QString::number(Version));
    for (const TilesetCopy &copy : records.copies())
        writeCopy(xml, copy);
    for (int r = 0; r < records.rows(); ++r)
        for (int c = 0; c < records.columns(); ++c) {
            const MaptileRecords::Stack &stack = records.stack({c, r});
            if (stack.empty())
                continue;
            xml.writeStartElement(QStringLiteral("space"));
            xml.writeAttribute(QStringLiteral("column"), QString::number(c));
            xml.writeAttribute(QStringLiteral("row"), QString::number(r));
            for (const LaidSubtile &laid : stack)
                writePlacement(xml, laid);
            xml.writeEndElement();
        }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

quint32 DocumentRecords::usedCells(const MaptileRecords &records, int copy)
{
    static_assert(Geometry::TilesetColumns * Geometry::TilesetRows <= 32, "a bit for every cell");
    quint32 used = 0;
    for (int r = 0; r < records.rows(); ++r)
        for (int c = 0; c < records.columns(); ++c)
            for (const LaidSubtile &laid : records.stack({c, r}))
                if (laid.copy == copy)
                    used |= 1u << (laid.cell.y() * Geometry::TilesetColumns + laid.cell.x());
    return used;
}

QImage DocumentRecords::keptPicture(const MaptileRecords &records, int copy)
{
    const quint32 used = usedCells(records, copy);
    QImage kept = records.copies()[copy].picture;
    constexpr quint32 all = (1u << (Geometry::TilesetColumns * Geometry::TilesetRows)) - 1;
    if (used == all)
        return kept;
    QPainter painter(&kept);
    for (const QPoint cell : cellsOf(~used & all))
        painter.fillRect(cellArea(cell), QColor::fromRgb(Geometry::blankColour()));
    return kept;
}

RecordsState DocumentRecords::read(DocumentArchive &archive, int columns, int rows)
{
    QXmlStreamReader xml(archive.entry(Entry, DocumentArchive::MaxXmlBytes));
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("records"))
        DocumentRefusal::raise(tr("the maptile's records are malformed"));
    const QString refusal = tr("the maptile's records have no valid \"%1\" attribute");
    const int version = number(xml, QStringLiteral("version"), 1, std::numeric_limits<int>::max(), refusal);
    if (version > Version)
        DocumentRefusal::raise(tr("its records were written by a newer Cryptwright"));
    RecordsState state;
    state.base = BaseEntry;
    const QString tooLong = tr("a tileset's name in the records is longer than %1 characters");
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("tileset")) {
            if (int(state.copies.size()) == MaptileRecords::MaxCopies)
                DocumentRefusal::raise(tr("the records carry more than %1 tilesets").arg(MaptileRecords::MaxCopies));
            RecordsState::Copy copy;
            if (version == 1)
                copy.picture = copyEntry(int(state.copies.size()));
            copy.fileName = text(xml, QStringLiteral("file"), MaxFileNameLength, tooLong);
            copy.data.setName = text(xml, QStringLiteral("setname"), MaxNameLength, tooLong);
            copy.data.creator = text(xml, QStringLiteral("creator"), MaxNameLength, tooLong);
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("speed")) {
                    xml.skipCurrentElement();
                    continue;
                }
                const int c = number(xml, QStringLiteral("column"), 0, Geometry::TilesetColumns - 1, refusal);
                const int r = number(xml, QStringLiteral("row"), 0, Geometry::TilesetRows - 1, refusal);
                const QString value = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
                if (value.size() > DocumentArchive::MaxSpeedLength)
                    DocumentRefusal::raise(
                        tr("a speed value is longer than %1 characters").arg(DocumentArchive::MaxSpeedLength));
                copy.data.setSpeedValue(c, r, value);
            }
            state.copies.push_back(std::move(copy));
        } else if (xml.name() == QLatin1String("space")) {
            const int c = number(xml, QStringLiteral("column"), 0, columns - 1, refusal);
            const int r = number(xml, QStringLiteral("row"), 0, rows - 1, refusal);
            MaptileRecords::Stack &stack = state.stacks[r * Geometry::MaxColumns + c];
            if (!stack.empty())
                DocumentRefusal::raise(tr("the records list space %1, %2 twice").arg(c + 1).arg(r + 1));
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("laid")) {
                    xml.skipCurrentElement();
                    continue;
                }
                // Refused at the first one too many, whatever follows.
                if (int(stack.size()) == MaptileRecords::MaxPerSpace)
                    DocumentRefusal::raise(tr("space %1, %2 holds more than %3 placements")
                                               .arg(c + 1)
                                               .arg(r + 1)
                                               .arg(MaptileRecords::MaxPerSpace));
                LaidSubtile laid;
                // Tilesets come first: a placement names one listed before it.
                laid.copy = number(xml, QStringLiteral("tileset"), 0, std::numeric_limits<int>::max(), refusal);
                if (laid.copy >= int(state.copies.size()))
                    DocumentRefusal::raise(
                        tr("a placement names tileset %1, which the document does not carry").arg(laid.copy + 1));
                laid.cell = QPoint(number(xml, QStringLiteral("column"), 0, Geometry::TilesetColumns - 1,
                                          tr("a placement names a cell outside its tileset (\"%1\")")),
                                   number(xml, QStringLiteral("row"), 0, Geometry::TilesetRows - 1,
                                          tr("a placement names a cell outside its tileset (\"%1\")")));
                laid.orientation = orientation(number(xml, QStringLiteral("turns"), 0, 3, refusal),
                                               number(xml, QStringLiteral("mirrored"), 0, 1, refusal) == 1);
                const QString transparency = xml.attributes().value(QStringLiteral("transparency")).toString();
                if (!acceptsTransparency(transparency))
                    DocumentRefusal::raise(
                        tr("a placement has the transparency \"%1\", which is none").arg(transparency.left(20)));
                laid.setting = TransparencySetting(transparency);
                bool ok = false;
                const uint key = xml.attributes().value(QStringLiteral("key")).toUInt(&ok, 16);
                if (!ok)
                    DocumentRefusal::raise(refusal.arg(QStringLiteral("key")));
                laid.key = key;
                stack.push_back(laid);
                xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
        if (xml.hasError())
            break;
    }
    if (xml.hasError())
        DocumentRefusal::raise(tr("the maptile's records are malformed (%1)").arg(xml.errorString()));
    for (const MaptileRecords::Stack &stack : state.stacks)
        for (const LaidSubtile &laid : stack)
            state.copies[size_t(laid.copy)].cells |= 1u << (laid.cell.y() * Geometry::TilesetColumns + laid.cell.x());
    return state;
}
