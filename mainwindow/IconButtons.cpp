#include "mainwindow/IconButtons.h"

#include <QToolButton>

QToolButton *IconButtons::make(const QString &name, const QString &icon, QRect geometry, QWidget *parent)
{
    auto found = m_icons.constFind(icon);
    if (found == m_icons.constEnd())
        found = m_icons.insert(icon, QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(*found);
    button->setIconSize(QSize(16, 16));
    button->setGeometry(geometry);
    return button;
}
