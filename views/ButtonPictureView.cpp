#include "views/ButtonPictureView.h"

#include "views/UiFonts.h"
#include "raster/RasterOps.h"
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

    connect(&m_workspace, &Workspace::buttonChanged, this, [this](int changed) {
        if (changed == m_picture)
            update();
    });
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
}
