#include "sheets/SheetLayout.h"

#include "sheets/SheetPacker.h"

#include <algorithm>

namespace {

// More copies of one maptile than anyone cuts out is a mistake, and would
// only fill memory with sheets.
constexpr int MostCopies = 1000;

int rightOf(const QRect &r)
{
    return r.x() + r.width();
}
int bottomOf(const QRect &r)
{
    return r.y() + r.height();
}

QString millimetres(qint64 units)
{
    return QString::number(double(units) / SheetLength::PerMillimetre, 'f', 1);
}

} // namespace

SheetLayout::SheetLayout(const QList<SheetMaptile> &maptiles, const SheetSettings &settings)
    : m_settings(settings)
    , m_maptiles(maptiles)
{
    if (!check())
        return;

    const int bleed = settings.bleed.units();
    QList<Copy> copies;
    for (int i = 0; i < maptiles.size(); ++i) {
        const QSize size = maptiles[i].pixels * SheetLength::PerPixel + QSize(2 * bleed, 2 * bleed);
        for (int copy = 0; copy < maptiles[i].copies; ++copy)
            copies.append({i, copy, size});
    }
    // Largest first, as the big ones leave the gaps the small ones fill.
    std::stable_sort(copies.begin(), copies.end(), [](const Copy &a, const Copy &b) {
        const qint64 areaA = qint64(a.size.width()) * a.size.height(), areaB = qint64(b.size.width()) * b.size.height();
        if (areaA != areaB)
            return areaA > areaB;
        return std::max(a.size.width(), a.size.height()) > std::max(b.size.width(), b.size.height());
    });

    pack(copies, {});
    const bool barFits = ScaleBarBox.width() <= m_printable.width() && ScaleBarBox.height() <= m_printable.height();
    if (settings.cropMarks && barFits && !findScaleBar()) {
        // The first sheet is full: keep its bottom-left corner for the bar and pack again.
        m_scaleBar = QRect(QPoint(m_printable.x(), bottomOf(m_printable) - ScaleBarBox.height()), ScaleBarBox);
        pack(copies, m_scaleBar);
    }
    m_lastSheet = QList<int>(maptiles.size(), -1);
    for (int i = 0; i < m_sheets.size(); ++i) {
        if (settings.cropMarks)
            m_sheets[i].marks = marksFor(i);
        for (const SheetPlacement &placement : std::as_const(m_sheets[i].placements))
            m_lastSheet[placement.maptile] = i;
    }
}

bool SheetLayout::check()
{
    const auto fail = [this](const QString &reason) {
        m_error = reason;
        return false;
    };
    m_paper = m_settings.paperUnits();
    const int margin = m_settings.margin.units();
    if (margin < 0 || m_settings.gap.units() < 0 || m_settings.bleed.units() < 0)
        return fail(tr("The margin, the gap and the bleed cannot be negative."));
    m_printable = QRect(margin, margin, m_paper.width() - 2 * margin, m_paper.height() - 2 * margin);
    if (m_paper.isEmpty() || m_printable.isEmpty())
        return fail(
            tr("Margins of %1 mm leave no room on %2 paper.").arg(millimetres(margin), m_settings.paper.name()));
    if (m_maptiles.isEmpty())
        return fail(tr("There is no maptile to put on sheets."));

    const qint64 bleed = m_settings.bleed.units();
    for (const SheetMaptile &maptile : std::as_const(m_maptiles)) {
        if (maptile.copies < 1 || maptile.copies > MostCopies)
            return fail(tr("%1 cannot be printed %2 times: from 1 to %3 copies can be.")
                            .arg(maptile.name)
                            .arg(maptile.copies)
                            .arg(MostCopies));
        if (maptile.pixels.isEmpty())
            return fail(tr("%1 has no picture to print.").arg(maptile.name));
        const qint64 width = qint64(maptile.pixels.width()) * SheetLength::PerPixel + 2 * bleed;
        const qint64 height = qint64(maptile.pixels.height()) * SheetLength::PerPixel + 2 * bleed;
        const qint64 roomWidth = m_printable.width(), roomHeight = m_printable.height();
        if ((width > roomWidth || height > roomHeight) && (height > roomWidth || width > roomHeight)) {
            const QString sentence = bleed > 0
                ? tr("%1 (%2 × %3 mm with its bleed) does not fit the %4 × %5 mm inside the margins of %6 "
                     "paper, either way up.")
                : tr("%1 (%2 × %3 mm) does not fit the %4 × %5 mm inside the margins of %6 paper, either "
                     "way up.");
            return fail(sentence.arg(maptile.name, millimetres(width), millimetres(height), millimetres(roomWidth),
                                     millimetres(roomHeight), m_settings.paper.name()));
        }
    }
    return true;
}

void SheetLayout::pack(const QList<Copy> &copies, const QRect &reserved)
{
    const int gap = m_settings.gap.units(), bleed = m_settings.bleed.units();
    // Each picture takes the gap on its right and below it; the room is that much
    // larger, so the last one in a row or column may end at the margin.
    const QSize room = m_printable.size() + QSize(gap, gap);
    QList<SheetPacker> packers;
    m_sheets.clear();
    const auto openSheet = [&] {
        packers.append(SheetPacker(room));
        m_sheets.append(Sheet{});
        if (packers.size() == 1 && !reserved.isEmpty())
            packers[0].occupy(QRect(reserved.topLeft() - m_printable.topLeft(), reserved.size() + QSize(gap, gap)));
    };
    if (!reserved.isEmpty())
        openSheet();

    for (const Copy &copy : copies) {
        const QSize upright = copy.size + QSize(gap, gap), turned = upright.transposed();
        int sheet = -1;
        bool turn = false;
        QPoint at;
        // Upright on any sheet begun; turned only where that saves beginning another.
        for (int i = 0; i < packers.size() && sheet < 0; ++i) {
            if (const auto found = packers[i].find(upright)) {
                sheet = i;
                at = *found;
            }
        }
        for (int i = 0; i < packers.size() && sheet < 0 && turned != upright; ++i) {
            if (const auto found = packers[i].find(turned)) {
                sheet = i;
                at = *found;
                turn = true;
            }
        }
        if (sheet < 0) {
            openSheet();
            sheet = int(packers.size()) - 1;
            if (const auto found = packers[sheet].find(upright)) {
                at = *found;
            } else {
                at = packers[sheet].find(turned).value_or(QPoint());
                turn = true;
            }
        }
        packers[sheet].occupy(QRect(at, turn ? turned : upright));
        const QRect withBleed(m_printable.topLeft() + at, turn ? copy.size.transposed() : copy.size);
        m_sheets[sheet].placements.append(
            {copy.maptile, copy.copy, withBleed.adjusted(bleed, bleed, -bleed, -bleed), turn});
    }
}

bool SheetLayout::findScaleBar()
{
    if (m_sheets.isEmpty())
        return false;
    const int bleed = m_settings.bleed.units();
    const QSize box = ScaleBarBox;
    // Out of reach of every crop mark if there is room for that, else only clear of the pictures.
    for (const int keep : {MarkClearance + MarkWidth / 2 + MarkLength, MarkClearance + MarkWidth / 2}) {
        QList<QRect> obstacles;
        QList<int> xs{m_printable.x(), rightOf(m_printable) - box.width()};
        QList<int> ys{m_printable.y(), bottomOf(m_printable) - box.height()};
        for (const SheetPlacement &placement : std::as_const(m_sheets[0].placements)) {
            const QRect around = placement.cut.adjusted(-bleed - keep, -bleed - keep, bleed + keep, bleed + keep);
            obstacles << around;
            xs << rightOf(around) << around.x() - box.width();
            ys << bottomOf(around) << around.y() - box.height();
        }
        // Lowest first, then leftmost: the bar sits along the bottom where it can.
        std::sort(xs.begin(), xs.end());
        std::sort(ys.begin(), ys.end(), std::greater<int>());
        for (const int y : std::as_const(ys)) {
            for (const int x : std::as_const(xs)) {
                const QRect candidate(QPoint(x, y), box);
                if (!m_printable.contains(candidate))
                    continue;
                if (std::none_of(obstacles.cbegin(), obstacles.cend(),
                                 [&](const QRect &o) { return o.intersects(candidate); })) {
                    m_scaleBar = candidate;
                    return true;
                }
            }
        }
    }
    return false;
}

QList<QLine> SheetLayout::marksFor(int index) const
{
    const Sheet &sheet = m_sheets[index];
    const int bleed = m_settings.bleed.units(), keep = MarkClearance + MarkWidth / 2;
    QList<QRect> obstacles;
    for (const SheetPlacement &placement : sheet.placements)
        obstacles << placement.cut.adjusted(-bleed - keep, -bleed - keep, bleed + keep, bleed + keep);
    if (index == 0 && !m_scaleBar.isEmpty())
        obstacles << m_scaleBar.adjusted(-keep, -keep, keep, keep);

    QList<QLine> marks;
    // A mark runs from start in direction (dx, dy) until it would come near
    // another picture, the scale bar or the paper's edge.
    const auto addMark = [&](qsizetype own, QPoint start, int dx, int dy) {
        const int along = dx != 0 ? start.x() : start.y(), across = dx != 0 ? start.y() : start.x();
        const int direction = dx + dy;
        const int paperEnd = dx != 0 ? m_paper.width() : m_paper.height();
        const int paperSide = dx != 0 ? m_paper.height() : m_paper.width();
        if (across < MarkWidth / 2 || across > paperSide - MarkWidth / 2)
            return;
        int length = std::min(MarkLength, direction < 0 ? along : paperEnd - along);
        for (qsizetype i = 0; i < obstacles.size(); ++i) {
            if (i == own)
                continue;
            const QRect &o = obstacles[i];
            const int acrossFrom = dx != 0 ? o.y() : o.x(), acrossTo = dx != 0 ? bottomOf(o) : rightOf(o);
            const int alongFrom = dx != 0 ? o.x() : o.y(), alongTo = dx != 0 ? rightOf(o) : bottomOf(o);
            if (across < acrossFrom || across >= acrossTo)
                continue;
            if (along >= alongFrom && along < alongTo)
                return;
            if (direction < 0 && alongTo <= along)
                length = std::min(length, along - alongTo);
            else if (direction > 0 && alongFrom > along)
                length = std::min(length, alongFrom - along);
        }
        if (length >= MarkLeast)
            marks << QLine(start, start + QPoint(dx, dy) * length);
    };
    for (qsizetype i = 0; i < sheet.placements.size(); ++i) {
        const QRect &cut = sheet.placements[i].cut;
        const int away = bleed + keep;
        for (const int x : {cut.x(), rightOf(cut)}) {
            for (const int y : {cut.y(), bottomOf(cut)}) {
                const int dx = x == cut.x() ? -1 : 1, dy = y == cut.y() ? -1 : 1;
                addMark(i, QPoint(x + dx * away, y), dx, 0);
                addMark(i, QPoint(x, y + dy * away), 0, dy);
            }
        }
    }
    return marks;
}
