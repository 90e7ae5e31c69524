#include "pictures/ImageRows.h"

#include <cstring>

bool ImageRows::begin(QSize size, QImage::Format format)
{
    m_image = QImage(size, format);
    return !m_image.isNull();
}

bool ImageRows::take(int y, const uchar *row)
{
    uchar *line = m_image.scanLine(y);
    if (row != line)
        memcpy(line, row, size_t(m_image.width()) * size_t(m_image.depth() / 8));
    return true;
}
