#include "dialogs/TransparencyWindow.h"

#include "raster/RasterOps.h"
#include "resources/BuiltInPicture.h"
#include "views/UiFonts.h"
#include "workspace/Workspace.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

// A sample picture at exactly 45 x 45; blank if the resource is missing.
QImage sample(const QString &path)
{
    const QImage picture = BuiltInPicture::load(path);
    QImage image(TransparencyWindow::SampleSize, RasterOps::Format);
    RasterOps::fill(image, Geometry::blankColour());
    if (!picture.isNull()) {
        const QImage source = RasterOps::toWorkFormat(picture);
        RasterOps::plainCopy(image, image.rect(), source, image.rect());
    }
    return image;
}

QLabel *picture(const QString &name, QPoint at, const QImage &image, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(QRect(at, TransparencyWindow::SampleSize));
    label->setPixmap(QPixmap::fromImage(image));
    return label;
}

QLabel *sign(const QString &text, QPoint at, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(UiFonts::arial(21, true));
    label->adjustSize();
    label->move(at);
    return label;
}

} // namespace

TransparencyWindow::TransparencyWindow(Workspace &workspace, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_workspace(workspace)
    , m_floor(sample(QStringLiteral(":/images/sample_floor.png")))
    , m_object(sample(QStringLiteral(":/images/sample_object.png")))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(tr("Transparency Options"));
    setFixedSize(ClientSize);

    const QString captions[] = {tr("No Transparency"), tr("Transparent Background"),
                                tr("Alpha Blending (Semi-Transparent)")};
    // The first two stop short of the OK button beside them.
    const int widths[] = {190, 190, 254};
    for (int mode = 0; mode < 3; ++mode) {
        auto *option = new QRadioButton(captions[mode], this);
        option->setObjectName(QStringLiteral("optTrans%1").arg(mode));
        option->setGeometry(8, 8 + 24 * mode, widths[mode], 17);
        // A click on the mode already chosen still writes the bare mode.
        connect(option, &QRadioButton::clicked, this, [this, mode] { chooseMode(mode); });
        m_modes[mode] = option;
    }

    m_alpha = new QScrollBar(Qt::Horizontal, this);
    m_alpha->setObjectName(QStringLiteral("scrAlpha"));
    m_alpha->setGeometry(12, 80, 181, 17);
    m_alpha->setRange(1, 255);
    m_alpha->setSingleStep(10);
    m_alpha->setPageStep(25);
    m_alpha->setValue(128);
    m_alpha->setAccessibleName(tr("Opacity"));
    m_alpha->setAccessibleDescription(tr("How much of the tileset's subtiles shows over the space, from 1 to 255"));
    connect(m_alpha, &QScrollBar::valueChanged, this, &TransparencyWindow::showAlpha);

    auto *caption = new QLabel(tr("Example of Effects"), this);
    caption->adjustSize();
    caption->move(12, 108);
    picture(QStringLiteral("picStart"), QPoint(12, 128), m_floor, this)->setAccessibleName(tr("A space's floor"));
    sign(QStringLiteral("+"), QPoint(64, 140), this)->setAccessibleName(tr("plus"));
    picture(QStringLiteral("picAdd"), QPoint(80, 128), m_object, this)->setAccessibleName(tr("A subtile laid over it"));
    sign(QStringLiteral("="), QPoint(132, 140), this)->setAccessibleName(tr("gives"));
    m_result = picture(QStringLiteral("picResult"), QPoint(148, 128), m_floor, this);
    m_result->setAccessibleName(tr("The space with the subtile laid over it"));

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(204, 4, 65, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TransparencyWindow::confirm);

    // A fresh window shows the keyed example; no slot's setting is touched.
    m_modes[TransparencySetting::Keyed]->setChecked(true);
    m_alpha->setEnabled(false);
    showExample(example(TransparencySetting::Keyed, m_alpha->value()));
}

QImage TransparencyWindow::example(int mode, int alpha) const
{
    QImage result = m_floor.copy();
    const QRect all = m_object.rect();
    switch (mode) {
    case TransparencySetting::Keyed:
        RasterOps::keyedCopy(result, QPoint(0, 0), m_object, all, m_object.pixel(1, 1));
        break;
    case TransparencySetting::Blended:
        RasterOps::alphaBlend(result, QPoint(0, 0), m_object, all, alpha);
        break;
    default:
        RasterOps::plainCopy(result, all, m_object, all);
        break;
    }
    return result;
}

void TransparencyWindow::showExample(const QImage &image)
{
    m_result->setPixmap(QPixmap::fromImage(image));
}

void TransparencyWindow::editSlot(int slot)
{
    m_slot = slot;
    const TransparencySetting setting = m_workspace.slot(slot).transparency;
    const int mode = setting.mode();
    m_modes[mode]->setChecked(true);
    if (mode == TransparencySetting::Blended && setting.hasAlpha()) {
        // The slot's own opacity stays as stored until OK; the scroll bar stops at 1.
        m_alpha->setValue(std::max(setting.alpha(), m_alpha->minimum()));
        showMode(mode);
        return;
    }
    chooseMode(mode);
}

void TransparencyWindow::showMode(int mode)
{
    m_alpha->setEnabled(mode == TransparencySetting::Blended);
    // The blend example uses the opacity on the scroll bar, the one OK will store.
    showExample(example(mode, m_alpha->value()));
}

void TransparencyWindow::chooseMode(int mode)
{
    showMode(mode);
    // Blending takes the opacity shown at once: a window left without OK keeps
    // it, rather than a bare mode that says nothing about the opacity.
    m_workspace.setTransparency(m_slot,
                                mode == TransparencySetting::Blended ? TransparencySetting::blended(m_alpha->value())
                                                                     : TransparencySetting(QString::number(mode)));
}

void TransparencyWindow::showAlpha(int alpha)
{
    showExample(example(TransparencySetting::Blended, alpha));
}

void TransparencyWindow::confirm()
{
    if (m_modes[TransparencySetting::Blended]->isChecked())
        m_workspace.setTransparency(m_slot, TransparencySetting::blended(m_alpha->value()));
    accept();
}
