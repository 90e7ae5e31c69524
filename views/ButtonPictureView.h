#pragma once

#include "raster/HiResPicture.h"

#include <QWidget>

class Workspace;

// The 48 x 48 picture of the subtile on one mouse button, with its letter
// (" L ", " M ", " R ") in the corner. A screen reader hears which button it
// is and which subtile the button lays, turned as it lies. A variation shows
// its first subtile with the count in the corner; random turns show as a
// turning arrow.
class ButtonPictureView : public QWidget
{
    Q_OBJECT

public:
    ButtonPictureView(Workspace &workspace, int picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The button and its subtile, as a screen reader says them.
    QString describe() const;
    // The accessible name and the tooltip.
    void describeAll();

    Workspace &m_workspace;
    int m_picture;
    HiResPicture m_hiRes;
};
