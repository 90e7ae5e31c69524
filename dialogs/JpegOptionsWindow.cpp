#include "dialogs/JpegOptionsWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

JpegOptionsWindow::JpegOptionsWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmJpeg"));
    setWindowTitle(tr(" Jpeg Save Options"));

    m_qualityLabel = new QLabel(this);
    m_qualityLabel->setObjectName(QStringLiteral("lblQuality"));

    m_quality = new QScrollBar(Qt::Horizontal, this);
    m_quality->setObjectName(QStringLiteral("sldQuality"));
    m_quality->setRange(1, 100);
    m_quality->setSingleStep(1);
    m_quality->setPageStep(10);
    m_quality->setValue(50);
    m_quality->setMinimumWidth(180);
    m_quality->setAccessibleName(tr("Quality"));
    m_quality->setAccessibleDescription(tr("JPEG quality from 1, the smallest file, to 100, the best picture"));
    // Tracking is on, so the label follows the thumb while it is dragged.
    connect(m_quality, &QScrollBar::valueChanged, this, &JpegOptionsWindow::showQuality);
    showQuality(m_quality->value());

    auto *low = new QLabel(QStringLiteral("1"), this);
    auto *high = new QLabel(QStringLiteral("100"), this);

    m_progressive = new QCheckBox(tr("Progressive"), this);
    m_progressive->setObjectName(QStringLiteral("chkProgressive"));

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_qualityLabel, 0, 0, 1, 3, Qt::AlignHCenter);
    layout->addWidget(low, 1, 0);
    layout->addWidget(m_quality, 1, 1);
    layout->addWidget(high, 1, 2);
    layout->addWidget(m_progressive, 2, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 3, 0, 1, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Centred on the screen rather than over the main window.
    adjustSize();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

JpegOptions JpegOptionsWindow::options() const
{
    return {m_quality->value(), m_progressive->isChecked()};
}

void JpegOptionsWindow::showQuality(int value)
{
    m_qualityLabel->setText(tr("Quality (%1%)").arg(value));
}
