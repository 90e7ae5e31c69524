#pragma once

#include <QColor>
#include <QWidget>

// An unfilled one-pixel rectangle laid over a picture (the red cell markers,
// the preview's blue frame). It never takes the pointer: the picture beneath
// gets every mouse event.
class OutlineShape : public QWidget
{
    Q_OBJECT

public:
    OutlineShape(QColor colour, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};
