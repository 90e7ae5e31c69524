#pragma once

#include <QCoreApplication>
#include <QKeySequence>
#include <QList>
#include <QSize>

class IconButtons;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;
class Workspace;

// The strip along the top of the main window and the line under it: the
// commands' buttons, the size list, the maptile number and the designer's
// name. The text boxes and the size list follow the workspace, and the text
// boxes tell it what is typed.
class ToolbarWidgets
{
    Q_DECLARE_TR_FUNCTIONS(ToolbarWidgets)

public:
    // The buttons, left to right.
    enum Tool { Clear, Open, Save, Preview, Print, Options, Fill, Info };
    // A button: its name, picture, place, hint, keys and tooltip; the first key is named in the tooltip.
    struct ToolButton
    {
        const char *name;
        const char *icon;
        int x;
        int hint;
        QList<QKeySequence> keys;
        const char *tip;
    };
    // In the order of Tool.
    static const QList<ToolButton> &toolButtons();
    // A tooltip that names the key of its command.
    static QString withKey(const QString &text, const QKeySequence &key);

    ToolbarWidgets(Workspace &workspace, IconButtons &icons, QWidget *window);

    QWidget *strip() const { return m_strip; }
    QToolButton *button(Tool tool) const { return m_buttons.at(tool); }
    const QList<QToolButton *> &buttons() const { return m_buttons; }
    QLabel *sizeIcon() const { return m_sizeIcon; }
    QComboBox *sizeList() const { return m_sizeList; }
    QLineEdit *mapNumBox() const { return m_mapNumBox; }
    QLineEdit *designerBox() const { return m_designerBox; }
    // The size the list shows, in spaces.
    QSize selectedSize() const;
    // The last size of the list, which the maptile starts with.
    void selectLargestSize();

private:
    void buildButtons(IconButtons &icons);
    void buildSizeList();
    void buildTextBoxes(Workspace &workspace);

    QWidget *m_strip = nullptr;
    QList<QToolButton *> m_buttons;
    QLabel *m_sizeIcon = nullptr;
    QComboBox *m_sizeList = nullptr;
    QLineEdit *m_mapNumBox = nullptr;
    QLineEdit *m_designerBox = nullptr;
};
