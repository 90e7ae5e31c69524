#include "dialogs/InfoWindow.h"

#include "resources/BuiltInPicture.h"
#include "views/UiFonts.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel *link(const QString &name, const QString &url, const QString &text, QWidget *parent)
{
    auto *label =
        new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toHtmlEscaped(), text.toHtmlEscaped()), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setToolTip(url);
    return label;
}

} // namespace

InfoWindow::InfoWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(tr("About Cryptwright"));
    setModal(true);

    auto *icon = new QLabel(this);
    icon->setAccessibleName(tr("Cryptwright's icon"));
    icon->setPixmap(QPixmap::fromImage(BuiltInPicture::load(QStringLiteral(":/images/cryptwright-64.png"))));
    icon->setAlignment(Qt::AlignHCenter);

    auto *name = new QLabel(QStringLiteral("Cryptwright"), this);
    name->setObjectName(QStringLiteral("lblName"));
    name->setFont(UiFonts::arial(21, true));
    name->setAlignment(Qt::AlignHCenter);

    auto *version = new QLabel(tr("Version 1.00"), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignHCenter);

    auto *credits =
        new QLabel(tr("A map tile editor for dungeon board games.\nWritten by the Cryptwright team."), this);
    credits->setObjectName(QStringLiteral("lblCredits"));
    credits->setAlignment(Qt::AlignHCenter);

    auto *web = link(QStringLiteral("lblWeb"), WebAddress, QStringLiteral("cryptwright.example.org"), this);
    auto *mail = link(QStringLiteral("lblMail"), MailAddress, QStringLiteral("support@cryptwright.example.org"), this);
    for (QLabel *label : {web, mail}) {
        label->setAlignment(Qt::AlignHCenter);
        connect(label, &QLabel::linkActivated, this, &InfoWindow::openLink);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *widget : std::initializer_list<QWidget *>{icon, name, version, credits, web, mail})
        layout->addWidget(widget);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void InfoWindow::openLink(const QString &url)
{
    if (!QDesktopServices::openUrl(QUrl(url)))
        QMessageBox::warning(this, QStringLiteral("Cryptwright"),
                             tr("No program could be started to open %1.").arg(url));
}
