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
// changes the slot's setting at once; OK adds the opacity and only hides the
// window, which keeps its state. The owner discards it when it is closed any
// other way.
class TransparencyWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr QSize ClientSize{274, 181};
    static constexpr QSize SampleSize{45, 45};

    TransparencyWindow(Workspace &workspace, QWidget *parent);

    // Takes up slot's setting: selects its mode (which writes the bare mode
    // back) and puts its opacity, if any, on the scroll bar.
    void editSlot(int slot);

private:
    // The floor with the object laid over it as mode and opacity lay a subtile.
    QImage example(int mode, int alpha) const;
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
