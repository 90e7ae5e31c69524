#pragma once

#include <QWidget>

class QLabel;
class QScrollBar;
class QToolButton;
class Workspace;

// The full-size preview: the maptile image with all overlays, pixel for
// pixel, with scroll bars for an image larger than the window. It follows
// every redraw while it is open and is deleted when closed.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    // Scroll steps: a few pixels per arrow click, a few more per page click.
    static constexpr int SmallStep = 7;
    static constexpr int LargeStep = 17;
    // Frame and title bar assumed while the window system has not said.
    static constexpr QSize FrameAllowance{8, 24};

    explicit PreviewWindow(Workspace &workspace, QWidget *parent = nullptr);

    // Moves the window to the top-left of the screen and sizes it to show the
    // whole image, as far as the screen allows.
    void fitToImage();
    // The part of the window the picture is seen through.
    QSize visibleSize() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPicture();
    void layoutControls();
    void updateScrollRanges();
    void scrollPicture();
    int barExtent() const;

    Workspace &m_workspace;
    QWidget *m_viewport = nullptr;
    QLabel *m_picture = nullptr;
    QScrollBar *m_horizontal = nullptr;
    QScrollBar *m_vertical = nullptr;
    QToolButton *m_fitButton = nullptr;
};
