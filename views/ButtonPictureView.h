#pragma once

#include "raster/HiResPicture.h"

#include <QWidget>

class Workspace;

// The 48 x 48 picture of the subtile on one mouse button, with its letter
// (" L ", " M ", " R ") in the corner.
class ButtonPictureView : public QWidget
{
    Q_OBJECT

public:
    ButtonPictureView(Workspace &workspace, int picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Workspace &m_workspace;
    int m_picture;
    HiResPicture m_hiRes;
};
