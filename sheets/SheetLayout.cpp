#include "sheets/SheetLayout.h"

#include "sheets/SheetPacker.h"

#include <algorithm>
#include <set>

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

// Lines along one cut that overlap or meet become one, so none is drawn twice.
QList<QLine> merged(const QList<QLine> &lines)
{
    struct Span
    {
        bool vertical;
        int at, from, to;
        bool operator<(const Span &o) const
        {
            return std::tie(vertical, at, from, to) < std::tie(o.vertical, o.at, o.from, o.to);
        }
    };
    QList<Span> spans;
    for (const QLine &line : lines) {
        const bool vertical = line.dx() == 0;
        const int a = vertical ? line.y1() : line.x1(), b = vertical ? line.y2() : line.x2();
        spans.append({vertical, vertical ? line.x1() : line.y1(), std::min(a, b), std::max(a, b)});
    }
    std::sort(spans.begin(), spans.end());
    QList<Span> joined;
    for (const Span &span : std::as_const(spans)) {
        Span *last = joined.isEmpty() ? nullptr : &joined.last();
        if (last && last->vertical == span.vertical && last->at == span.at && span.from <= last->to)
            last->to = std::max(last->to, span.to);
        else
            joined << span;
    }
    QList<QLine> result;
    for (const Span &s : std::as_const(joined))
        result << (s.vertical ? QLine(s.at, s.from, s.at, s.to) : QLine(s.from, s.at, s.to, s.at));
    return result;
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

    if (!copies.isEmpty()) {
        pack(copies, {});
        const bool barFits = ScaleBarBox.width() <= m_printable.width() && ScaleBarBox.height() <= m_printable.height();
        if (settings.cropMarks && barFits && !findScaleBar()) {
            // The first sheet is full: keep its bottom-left corner for the bar and pack again.
            m_scaleBar = QRect(QPoint(m_printable.x(), bottomOf(m_printable) - ScaleBarBox.height()), ScaleBarBox);
            pack(copies, m_scaleBar);
        }
    }
    if (settings.cropMarks) {
        for (int i = 0; i < m_sheets.size(); ++i)
            m_sheets[i].marks = settings.cutLines == SheetSettings::CutLines::Full ? fullLinesFor(i) : marksFor(i);
    }
    if (!addSides()) {
        m_sheets.clear();
        m_scaleBar = QRect();
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
    if (m_maptiles.isEmpty() && !m_settings.calibration)
        return fail(tr("There is no maptile to put on sheets."));
    if (m_settings.calibration
        && (m_printable.width() < SheetCalibration::Least || m_printable.height() < SheetCalibration::Least))
        return fail(tr("The calibration sheet needs %1 × %1 mm inside the margins, and %2 paper leaves %3 × %4 mm.")
                        .arg(millimetres(SheetCalibration::Least), m_settings.paper.name(),
                             millimetres(m_printable.width()), millimetres(m_printable.height())));

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

QList<QRect> SheetLayout::obstaclesOn(int index) const
{
    // Each picture with its bleed, then the scale bar, kept clear of a line's ink.
    const int bleed = m_settings.bleed.units(), keep = MarkClearance + MarkWidth / 2;
    QList<QRect> obstacles;
    for (const SheetPlacement &placement : m_sheets[index].placements)
        obstacles << placement.cut.adjusted(-bleed - keep, -bleed - keep, bleed + keep, bleed + keep);
    if (index == 0 && !m_scaleBar.isEmpty())
        obstacles << m_scaleBar.adjusted(-keep, -keep, keep, keep);
    return obstacles;
}

QList<QLine> SheetLayout::marksFor(int index) const
{
    const Sheet &sheet = m_sheets[index];
    const int bleed = m_settings.bleed.units(), keep = MarkClearance + MarkWidth / 2;
    const QList<QRect> obstacles = obstaclesOn(index);

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
    // Neighbours without a gap share their cuts, and their marks meet.
    return merged(marks);
}

QList<QLine> SheetLayout::fullLinesFor(int index) const
{
    const QList<QRect> obstacles = obstaclesOn(index);
    std::set<int> xs, ys;
    for (const SheetPlacement &placement : m_sheets[index].placements) {
        xs.insert({placement.cut.x(), rightOf(placement.cut)});
        ys.insert({placement.cut.y(), bottomOf(placement.cut)});
    }
    QList<QLine> lines;
    // From one edge of the paper to the other, leaving out every stretch that would come near a picture.
    const auto addLine = [&](bool vertical, int at) {
        const int side = vertical ? m_paper.width() : m_paper.height();
        const int end = vertical ? m_paper.height() : m_paper.width();
        if (at < MarkWidth / 2 || at > side - MarkWidth / 2)
            return;
        QList<std::pair<int, int>> blocked;
        for (const QRect &o : obstacles) {
            if (vertical ? at >= o.x() && at < rightOf(o) : at >= o.y() && at < bottomOf(o))
                blocked.append(vertical ? std::pair(o.y(), bottomOf(o)) : std::pair(o.x(), rightOf(o)));
        }
        std::sort(blocked.begin(), blocked.end());
        int from = 0;
        const auto add = [&](int to) {
            if (to - from >= MarkLeast)
                lines << (vertical ? QLine(at, from, at, to) : QLine(from, at, to, at));
        };
        for (const auto &[start, stop] : std::as_const(blocked)) {
            add(start);
            from = std::max(from, stop);
        }
        add(end);
    };
    for (const int x : xs)
        addLine(true, x);
    for (const int y : ys)
        addLine(false, y);
    return lines;
}

QPoint SheetLayout::behind(QPoint front) const
{
    // Turned over by its long edge, a sheet taller than wide mirrors left to right; by the short edge, top to bottom.
    const bool across = (m_settings.flip == SheetSettings::Flip::LongEdge) == (m_paper.width() <= m_paper.height());
    const QPoint mirrored =
        across ? QPoint(m_paper.width() - front.x(), front.y()) : QPoint(front.x(), m_paper.height() - front.y());
    return mirrored + QPoint(m_settings.backOffsetX.units(), m_settings.backOffsetY.units());
}

QRect SheetLayout::behind(const QRect &front) const
{
    // Both corners mirrored: the far one is where the rectangle ends, not its last unit.
    const QPoint a = behind(front.topLeft()), b = behind(front.topLeft() + QPoint(front.width(), front.height()));
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())), front.size());
}

SheetLayout::Sheet SheetLayout::backOf(const Sheet &front) const
{
    Sheet back;
    back.kind = Kind::Backs;
    for (const SheetPlacement &placement : front.placements) {
        if (m_maptiles[placement.maptile].back >= 0)
            back.placements.append({placement.maptile, placement.copy, behind(placement.cut), placement.turned});
    }
    return back;
}

bool SheetLayout::addSides()
{
    m_twoSided = m_settings.calibration
        || std::any_of(m_maptiles.cbegin(), m_maptiles.cend(), [](const SheetMaptile &m) { return m.back >= 0; });
    const QString across = millimetres(m_settings.backOffsetX.units());
    const QString down = millimetres(m_settings.backOffsetY.units());
    const QRect paper(QPoint(0, 0), m_paper);
    const QList<Sheet> fronts = std::exchange(m_sheets, {});
    if (m_settings.calibration) {
        m_calibration = SheetCalibration(m_printable);
        QList<QPoint> points;
        for (const QPoint crosshair : m_calibration.crosshairs()) {
            points << behind(crosshair);
            const int reach = SheetCalibration::ScaleReach;
            if (!paper.contains(QRect(points.last() - QPoint(reach, reach), QSize(2 * reach, 2 * reach)))) {
                m_error =
                    tr("A back offset of %1 mm across and %2 mm down pushes the scales of the calibration sheet off "
                       "the paper.")
                        .arg(across, down);
                return false;
            }
        }
        const QPoint centre = behind(QPoint(m_paper.width() / 2, m_paper.height() / 2));
        m_calibrationBack = SheetCalibration::back(points, centre, m_printable.width());
        m_sheets.append({Kind::CalibrationFront, {}, {}});
        m_sheets.append({Kind::CalibrationBack, {}, {}});
    }
    const int bleed = m_settings.bleed.units();
    for (const Sheet &front : fronts) {
        m_sheets << front;
        if (!m_twoSided)
            continue;
        m_sheets << backOf(front);
        for (const SheetPlacement &placement : std::as_const(m_sheets.last().placements)) {
            if (!paper.contains(placement.cut.adjusted(-bleed, -bleed, bleed, bleed))) {
                m_error = tr("A back offset of %1 mm across and %2 mm down pushes the back of %3 off the paper.")
                              .arg(across, down, m_maptiles[placement.maptile].name);
                return false;
            }
        }
    }

    m_lastSheet = QList<int>(m_maptiles.size(), -1);
    for (int i = 0; i < m_sheets.size(); ++i) {
        for (const SheetPlacement &placement : std::as_const(m_sheets[i].placements)) {
            if (m_sheets[i].kind == Kind::Fronts) {
                m_lastSheet[placement.maptile] = i;
                continue;
            }
            const int back = m_maptiles[placement.maptile].back;
            if (m_lastBackSheet.size() <= back)
                m_lastBackSheet.resize(back + 1, -1);
            m_lastBackSheet[back] = i;
        }
    }
    return true;
}
