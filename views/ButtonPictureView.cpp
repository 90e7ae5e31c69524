#include "views/ButtonPictureView.h"

#include "raster/RasterOps.h"
#include "views/UiFonts.h"
#include "workspace/Workspace.h"

#include <QLabel>
#include <QPainter>

ButtonPictureView::ButtonPictureView(Workspace &workspace, int picture, QWidget *parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_picture(picture)
{
    static const char *const names[] = {"picLeft", "picMiddle", "picRight"};
    const QString letters[] = {tr("L", "the letter of the left mouse button"),
                               tr("M", "the letter of the middle mouse button"),
                               tr("R", "the letter of the right mouse button")};
    setObjectName(QLatin1String(names[picture]));
    setFixedSize(Geometry::ViewSpaceSize, Geometry::ViewSpaceSize);
    setAttribute(Qt::WA_OpaquePaintEvent);

    auto *letter = new QLabel(QStringLiteral(" %1 ").arg(letters[picture]), this);
    letter->setFont(UiFonts::paletteLetter());
    letter->setAutoFillBackground(true);
    QPalette palette = letter->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    letter->setPalette(palette);
    letter->adjustSize();

    describeAll();
    connect(&m_workspace, &Workspace::buttonChanged, this, [this](int changed) {
        if (changed == m_picture) {
            update();
            describeAll();
        }
    });
}

void ButtonPictureView::describeAll()
{
    const QString text = describe();
    setAccessibleName(text);
    setToolTip(text);
}

QString ButtonPictureView::describe() const
{
    const SubtileRef ref = m_workspace.buttonRef(m_picture);
    // Counted from 1, as the palettes' cells are read.
    const QString column = QString::number(ref.column + 1), row = QString::number(ref.row + 1);
    const QString letter(QChar(u'A' + ref.slot));
    const Orientation orientation = m_workspace.buttonOrientation(m_picture);
    QString subtile;
    switch (orientation.quarterTurns() + (orientation.isMirrored() ? 4 : 0)) {
    case 0:
        subtile = tr("cell %1, %2 of slot %3").arg(column, row, letter);
        break;
    case 1:
        subtile = tr("cell %1, %2 of slot %3, turned right").arg(column, row, letter);
        break;
    case 2:
        subtile = tr("cell %1, %2 of slot %3, turned upside down").arg(column, row, letter);
        break;
    case 3:
        subtile = tr("cell %1, %2 of slot %3, turned left").arg(column, row, letter);
        break;
    case 4:
        subtile = tr("cell %1, %2 of slot %3, mirrored left to right").arg(column, row, letter);
        break;
    case 5:
        subtile = tr("cell %1, %2 of slot %3, mirrored left to right and turned right").arg(column, row, letter);
        break;
    case 6:
        subtile = tr("cell %1, %2 of slot %3, mirrored top to bottom").arg(column, row, letter);
        break;
    default:
        subtile = tr("cell %1, %2 of slot %3, mirrored left to right and turned left").arg(column, row, letter);
        break;
    }
    const std::vector<SubtileRef> &cells = m_workspace.buttonCells(m_picture);
    if (cells.size() > 1) {
        QStringList others;
        for (std::size_t i = 1; i < cells.size(); ++i)
            others << tr("%1, %2", "a cell of a variation: its column and row")
                          .arg(cells[i].column + 1)
                          .arg(cells[i].row + 1);
        subtile = tr("%1, and %n more: %2", "a variation: the first subtile, then the other cells", int(others.size()))
                      .arg(subtile, others.join(tr("; ", "between the cells of a variation")));
    }
    if (m_workspace.randomTurns())
        subtile = tr("%1, turned at random", "the subtiles of a button under random turns").arg(subtile);
    switch (m_picture) {
    case Workspace::Left:
        return tr("Left mouse button: %1").arg(subtile);
    case Workspace::Middle:
        return tr("Middle mouse button: %1").arg(subtile);
    default:
        return tr("Right mouse button: %1").arg(subtile);
    }
}

void ButtonPictureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_hiRes.draw(painter, m_workspace.buttonImage(m_picture), [this] {
        // The picture is a palette cell: the subtile at one third in its grid frame, turned as it is laid.
        // Scaled in the work format, as the other views' pictures are.
        const QImage subtile = RasterOps::toWorkFormat(m_workspace.buttonSubtile(m_picture));
        return HiResPicture::Source{subtile, subtile.rect(),
                                    m_workspace.slot(m_workspace.buttonRef(m_picture).slot).hasPalette()};
    });
    painter.setRenderHint(QPainter::Antialiasing);
    // A variation's count in the lower right corner, random turns as a turning arrow in the lower left.
    if (const int count = int(m_workspace.buttonCells(m_picture).size()); count > 1) {
        painter.setFont(UiFonts::paletteLetter());
        const QString text = QStringLiteral(" %1 ").arg(count);
        const QSize size = painter.fontMetrics().size(0, text);
        const QRect mark(QPoint(width() - size.width(), height() - size.height()), size);
        painter.fillRect(mark, Qt::black);
        painter.setPen(Qt::white);
        painter.drawText(mark, Qt::AlignCenter, text);
    }
    if (m_workspace.randomTurns()) {
        const QRectF mark(0, height() - 14, 14, 14);
        painter.fillRect(mark, Qt::black);
        painter.setPen(QPen(Qt::white, 1.5));
        const QRectF circle = mark.adjusted(3, 3, -3, -3);
        painter.drawArc(circle, 90 * 16, 270 * 16);
        // The arrowhead at the open end of the circle, pointing clockwise.
        const QPointF tip(circle.center().x(), circle.top());
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF{tip + QPointF(2.5, 0), tip + QPointF(-1, -2.5), tip + QPointF(-1, 2.5)});
    }
}
