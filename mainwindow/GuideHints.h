#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

// The guide's speech bubble: shows the hint of the control under the pointer
// (or, for the size list, of the control that takes the focus), and clears it
// over the bare window and toolbar background. Texts come from the hint
// string table, looked up by number and translated when shown.
class GuideHints : public QObject
{
    Q_OBJECT

public:
    // The numbers of the main window's hints.
    enum Number {
        Clear = 101,
        Open,
        Save,
        Preview,
        Print,
        Size,
        MapNum,
        Designer,
        Info,
        LeftButton,
        MiddleButton,
        RightButton,
        SetButton,
        LoadSet = 118,
        Palette = 126,
        WorkingView,
        Guide,
        Options,
        Transparency,
        Fill,
        EditSubtile,
        Variation
    };

    GuideHints(QLabel *label, QObject *parent = nullptr);

    // The hint table entry for a number in the user's language, or the empty text.
    static QString text(int number);

    // Shows hint number when the pointer moves over control.
    void onHover(QWidget *control, int number);
    // Shows hint number when control takes the keyboard focus.
    void onFocus(QWidget *control, int number);
    // Clears the hint when the pointer moves over background's bare area.
    void clearOver(QWidget *background);
    void show(int number);
    void clear();
    // A message of the program's own in the speech bubble, until the next hint.
    void showText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QLabel> m_label;
    QHash<QObject *, int> m_hover;
    QHash<QObject *, int> m_focus;
    QHash<QObject *, bool> m_backgrounds;
};
