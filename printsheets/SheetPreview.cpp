#include "printsheets/SheetPreview.h"

#include "sheets/SheetLayout.h"

#include <QPainter>
#include <QPalette>

namespace {

// Room around the paper for its shadow.
constexpr int Border = 8;
constexpr int Shadow = 3;

} // namespace

SheetPreview::SheetPreview(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SheetPreview::showSheet(const SheetLayout *layout, int sheet, const SheetPainter::Pictures &pictures,
                             const SheetPainter::Backs &backs)
{
    m_layout = layout;
    m_sheet = sheet;
    m_pictures = pictures;
    m_backs = backs;
    m_drawn = render();
    update();
}

QSize SheetPreview::sizeHint() const
{
    return {340, 440};
}

void SheetPreview::resizeEvent(QResizeEvent *)
{
    m_drawn = render();
}

void SheetPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_drawn);
}

QImage SheetPreview::render() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Dark));
    if (!m_layout || m_sheet < 0 || m_sheet >= m_layout->sheetCount())
        return image;
    // As many dots to the inch as let the whole paper fit.
    const QSizeF paper = QSizeF(m_layout->paperSize()) / SheetLength::PerInch;
    const qreal dpi = std::min((width() - 2 * Border) / paper.width(), (height() - 2 * Border) / paper.height());
    const QSizeF drawn = paper * dpi;
    const QPointF corner((width() - drawn.width()) / 2, (height() - drawn.height()) / 2);

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.fillRect(QRectF(corner + QPointF(Shadow, Shadow), drawn), palette().color(QPalette::Shadow));
    painter.fillRect(QRectF(corner, drawn), Qt::white);
    painter.translate(corner);
    painter.setClipRect(QRectF(QPointF(0, 0), drawn));
    SheetPainter::paint(painter, *m_layout, m_sheet, dpi, m_pictures, m_backs);
    return image;
}
