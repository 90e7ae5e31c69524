#include "workspace/VariationChooser.h"

#include "maptile/Maptile.h"
#include "workspace/Variation.h"

#include <QRandomGenerator>

namespace {

// Even when two thirds of the choices are ruled out, all of these draws miss one less than once in 10^17.
constexpr int MaxDraws = 100;

int spaceIndex(QPoint space)
{
    return Maptile::inSpeedTable(space.x(), space.y()) ? space.y() * Geometry::MaxColumns + space.x() : -1;
}

// Whether the master shows exactly the opaque subtile on space.
bool masterShows(const Maptile &maptile, QPoint space, const QImage &subtile)
{
    const QImage &master = maptile.master();
    const QPoint at = space * Geometry::SpaceSize;
    if (subtile.isNull() || !master.rect().contains(QRect(at, subtile.size())))
        return false;
    // Another subtile differs within the first pixels, so this is seldom read through.
    for (int y = 0; y < subtile.height(); ++y) {
        const auto *laid = reinterpret_cast<const QRgb *>(master.constScanLine(at.y() + y)) + at.x();
        const uchar *pixel = subtile.constScanLine(y);
        for (int x = 0; x < subtile.width(); ++x, pixel += 3) {
            if ((laid[x] & 0xffffffu) != ((uint(pixel[0]) << 16) | (uint(pixel[1]) << 8) | pixel[2]))
                return false;
        }
    }
    return true;
}

} // namespace

VariationChooser::VariationChooser()
    : VariationChooser(QRandomGenerator::system()->generate())
{
}

VariationChooser::VariationChooser(quint32 seed)
    : m_random(seed)
{
}

VariationChooser::Choice VariationChooser::choose(Variation &variation, Orientation turned, bool randomTurns,
                                                  const Maptile &maptile, QPoint space, qint64 step)
{
    if (step != m_step) {
        m_step = step;
        m_chosen.fill({});
    }
    std::uniform_int_distribution<int> cells(0, variation.count() - 1), orientations(0, Orientation::Count - 1);
    const auto draw = [&] {
        Choice choice{cells(m_random), turned};
        if (randomTurns)
            choice.orientation = Orientation::fromIndex(orientations(m_random));
        return choice;
    };
    Choice choice = draw();
    // Drawing again keeps the choices left equally likely. Two neighbours rule
    // out two of three or more, unless subtiles look alike: then, when no other
    // is left after many draws, the last one stays.
    for (int draws = 1; variation.count() >= 3 && draws < MaxDraws
         && (repeats(variation, choice, maptile, space - QPoint(1, 0))
             || repeats(variation, choice, maptile, space - QPoint(0, 1)));
         ++draws)
        choice = draw();
    if (const int index = spaceIndex(space); index >= 0)
        m_chosen[index] = {variation.cells()[choice.cell], choice.orientation, true};
    return choice;
}

bool VariationChooser::repeats(Variation &variation, const Choice &candidate, const Maptile &maptile,
                               QPoint neighbour) const
{
    const int index = spaceIndex(neighbour);
    if (index < 0)
        return false;
    const Chosen &chosen = m_chosen[index];
    if (chosen.known)
        return chosen.ref == variation.cells()[candidate.cell] && chosen.orientation == candidate.orientation;
    return masterShows(maptile, neighbour, variation.subtile(candidate.cell, candidate.orientation));
}
