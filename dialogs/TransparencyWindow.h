#pragma once

#include <QDialog>
#include <QImage>

#include <array>

class QLabel;
class QRadioButton;
class QScrollBar;
class Workspace;

// The transparency window of one slot: the three modes, the opacity for
// blending, and a small example of the chosen effect. Choosing a mode
// changes the slot's setting at once, blending with the opacity the scroll
// bar shows; a moved scroll bar counts only by OK, which also hides the
// window and keeps its state. The owner discards it when it is closed any
// other way, and the slot keeps the setting it had then.
class TransparencyWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr QSize ClientSize{274, 181};
    static constexpr QSize SampleSize{45, 45};

    TransparencyWindow(Workspace &workspace, QWidget *parent);

    // Takes up slot's setting: puts its opacity, if any, on the scroll bar and
    // selects its mode. A blend with an opacity stays as it is; a bare blend
    // gets the scroll bar's opacity.
    void editSlot(int slot);

private:
    // The floor with the object laid over it as mode and opacity lay a subtile.
    QImage example(int mode, int alpha) const;
    // The scroll bar's state and the example for mode.
    void showMode(int mode);
    // Also stores mode as the slot's setting.
    void chooseMode(int mode);
    void showAlpha(int alpha);
    void confirm();
    void showExample(const QImage &image);

    Workspace &m_workspace;
    int m_slot = 0;
    QImage m_floor;
    QImage m_object;
    std::array<QRadioButton *, 3> m_modes{};
    QScrollBar *m_alpha;
    QLabel *m_result;
};
