#include "dialogs/LoadProgress.h"

#include "views/UiFonts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

LoadProgress::LoadProgress(const QString &fileName, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("LoadProgress"));
    setWindowTitle(tr("Loading"));
    setFixedSize(ClientSize);
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblFile"));
    label->setFont(UiFonts::standard());
    label->setGeometry(12, 10, 276, 18);
    const QString text = tr("Reading \"%1\"...").arg(fileName);
    label->setText(QFontMetrics(label->font()).elidedText(text, Qt::ElideMiddle, label->width()));
    label->setToolTip(text);

    // No measure of progress exists for a decoder: the bar only says it is busy.
    auto *bar = new QProgressBar(this);
    bar->setGeometry(12, 34, 276, 14);
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    bar->setAccessibleName(tr("Reading"));

    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(208, 58, 80, 24);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}
