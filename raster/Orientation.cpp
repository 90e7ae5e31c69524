#include "raster/Orientation.h"

#include "raster/SubtileTransforms.h"

Orientation Orientation::fromIndex(int index)
{
    Orientation orientation;
    orientation.m_quarters = index % 4;
    orientation.m_mirrored = index % Count >= 4;
    return orientation;
}

Orientation Orientation::then(Turn turn) const
{
    // A picture is R^q M^m of the plain one (R a clockwise quarter turn, M the
    // mirror image left to right). A mirror image after a turn is the
    // opposite turn after the mirror image: M R^q = R^-q M, and top to bottom
    // is a half turn after left to right.
    Orientation next = *this;
    switch (turn) {
    case TurnRight:
        next.m_quarters = (m_quarters + 1) % 4;
        break;
    case TurnLeft:
        next.m_quarters = (m_quarters + 3) % 4;
        break;
    case MirrorLeftRight:
        next.m_quarters = (4 - m_quarters) % 4;
        next.m_mirrored = !m_mirrored;
        break;
    case MirrorTopBottom:
        next.m_quarters = (6 - m_quarters) % 4;
        next.m_mirrored = !m_mirrored;
        break;
    }
    return next;
}

QImage Orientation::apply(const QImage &picture) const
{
    QImage laid = m_mirrored ? SubtileTransforms::flipHorizontal(picture) : picture;
    switch (m_quarters) {
    case 1:
        return SubtileTransforms::rotateRight(laid);
    case 2:
        return SubtileTransforms::rotateRight(SubtileTransforms::rotateRight(laid));
    case 3:
        return SubtileTransforms::rotateLeft(laid);
    default:
        return laid;
    }
}
