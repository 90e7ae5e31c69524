#include "dialogs/PreviewWindow.h"

#include "workspace/Workspace.h"

#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace {

void setUpBar(QScrollBar *bar)
{
    bar->setRange(0, 0);
    bar->setSingleStep(PreviewWindow::SmallStep);
    bar->setPageStep(PreviewWindow::LargeStep);
}

// A bar is needed only while the image is larger than what is seen of it.
void fitRange(QScrollBar *bar, int image, int visible)
{
    const bool needed = image > visible;
    bar->setMaximum(needed ? image - visible : 0);
    bar->setEnabled(needed);
}

} // namespace

PreviewWindow::PreviewWindow(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_workspace(workspace)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Cryptwright Preview"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_viewport = new QWidget(this);
    m_picture = new QLabel(m_viewport);
    m_picture->setObjectName(QStringLiteral("picPrev"));
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture->setAccessibleName(tr("The maptile at full size"));

    m_horizontal = new QScrollBar(Qt::Horizontal, this);
    m_horizontal->setObjectName(QStringLiteral("scrPicH"));
    setUpBar(m_horizontal);
    m_horizontal->setAccessibleName(tr("Scroll left and right"));
    m_vertical = new QScrollBar(Qt::Vertical, this);
    m_vertical->setObjectName(QStringLiteral("scrPicV"));
    setUpBar(m_vertical);
    m_vertical->setAccessibleName(tr("Scroll up and down"));
    // valueChanged also fires while the thumb is dragged, so the picture slides along.
    connect(m_horizontal, &QScrollBar::valueChanged, this, &PreviewWindow::scrollPicture);
    connect(m_vertical, &QScrollBar::valueChanged, this, &PreviewWindow::scrollPicture);

    m_fitButton = new QToolButton(this);
    m_fitButton->setObjectName(QStringLiteral("Command1"));
    m_fitButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton, nullptr, this));
    m_fitButton->setToolTip(tr("Fit the window to the maptile"));
    m_fitButton->setAccessibleName(m_fitButton->toolTip());
    connect(m_fitButton, &QToolButton::clicked, this, &PreviewWindow::fitToImage);

    connect(&m_workspace, &Workspace::redrawn, this, &PreviewWindow::showPicture);
    showPicture();
}

int PreviewWindow::barExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QSize PreviewWindow::visibleSize() const
{
    return QSize(std::max(0, width() - barExtent()), std::max(0, height() - barExtent()));
}

void PreviewWindow::fitToImage()
{
    const QSize whole = m_picture->size() + QSize(barExtent(), barExtent());
    const QScreen *screen = this->screen();
    if (!screen) {
        resize(whole);
        return;
    }
    const QRect available = screen->availableGeometry();
    // Title bar and borders as the window system reports them; before the
    // window is first framed, a small allowance stands in for them.
    create();
    QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isNull())
        frame = FrameAllowance;
    const QSize room = (available.size() - frame).expandedTo(QSize(barExtent() + 1, barExtent() + 1));
    move(available.topLeft());
    resize(whole.boundedTo(room));
}

void PreviewWindow::showPicture()
{
    const QImage &image = m_workspace.preview();
    m_picture->setPixmap(QPixmap::fromImage(image));
    m_picture->resize(image.size());
    // Never larger than the image and the scroll bars need.
    setMaximumSize(image.size() + QSize(barExtent(), barExtent()));
    updateScrollRanges();
    scrollPicture();
}

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void PreviewWindow::layoutControls()
{
    const int bar = barExtent();
    const QSize visible = visibleSize();
    m_viewport->setGeometry(0, 0, visible.width(), visible.height());
    m_horizontal->setGeometry(0, visible.height(), visible.width(), bar);
    m_vertical->setGeometry(visible.width(), 0, bar, visible.height());
    m_fitButton->setGeometry(visible.width(), visible.height(), bar, bar);
    updateScrollRanges();
}

void PreviewWindow::updateScrollRanges()
{
    // A value beyond a smaller maximum is pulled down to it, which moves the picture.
    const QSize visible = visibleSize();
    fitRange(m_horizontal, m_picture->width(), visible.width());
    fitRange(m_vertical, m_picture->height(), visible.height());
}

void PreviewWindow::scrollPicture()
{
    m_picture->move(-m_horizontal->value(), -m_vertical->value());
}
