#include "pictures/HeaderFacts.h"

#include "pictures/PictureDecoder.h"

#include <algorithm>
#include <limits>

HeaderFacts HeaderFacts::sized(qint64 width, qint64 height, QSize keep)
{
    HeaderFacts facts;
    if (width <= 0 || height <= 0)
        return facts;
    facts.width = width;
    facts.height = height;
    facts.part = keep.isValid() && (width > keep.width() || height > keep.height());
    if (facts.part)
        facts.kept = QSize(int(std::min<qint64>(width, keep.width())), int(std::min<qint64>(height, keep.height())));
    return facts;
}

qint64 HeaderFacts::pixelBytes(qint64 width, qint64 height, qint64 bytesPerPixel)
{
    if (width <= 0 || height <= 0)
        return 0;
    if (width > std::numeric_limits<qint64>::max() / bytesPerPixel / height)
        return std::numeric_limits<qint64>::max();
    return width * height * bytesPerPixel;
}

bool HeaderFacts::tooLarge() const
{
    constexpr qint64 Limit = qint64(PictureDecoder::AllocationLimitMb) * 1024 * 1024;
    return known()
        && (beyondDecoder || heldBytes > Limit
            || (part && pixelBytes(width, height, 1) > PictureDecoder::MaxPartPixels));
}

QSize HeaderFacts::size() const
{
    if (!known())
        return {0, 0};
    return {int(std::min<qint64>(width, INT_MAX)), int(std::min<qint64>(height, INT_MAX))};
}
