#pragma once

#include <QHash>
#include <QIcon>
#include <QRect>
#include <QString>

class QToolButton;
class QWidget;

// The main window's small buttons that show a picture of the program's own.
class IconButtons
{
public:
    // A button named name at geometry in parent, showing icons/icon.svg at 16 x 16.
    QToolButton *make(const QString &name, const QString &icon, QRect geometry, QWidget *parent);

private:
    // One icon per picture: each is parsed and drawn once, however many buttons show it.
    QHash<QString, QIcon> m_icons;
};
