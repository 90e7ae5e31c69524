#pragma once

#include "sheets/SheetPainter.h"

#include <QImage>
#include <QWidget>

class SheetLayout;

// One sheet of a layout drawn small, as it will print: the paper, and on it
// the pictures or their backs, bleed, cut lines and scale bar in their places.
class SheetPreview : public QWidget
{
    Q_OBJECT

public:
    explicit SheetPreview(QWidget *parent = nullptr);

    // Shows sheet of layout, whose pictures and backs come from pictures and
    // backs; a layout without sheets leaves the preview blank. All must outlive the showing.
    void showSheet(const SheetLayout *layout, int sheet, const SheetPainter::Pictures &pictures,
                   const SheetPainter::Backs &backs);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage render() const;

    const SheetLayout *m_layout = nullptr;
    int m_sheet = 0;
    SheetPainter::Pictures m_pictures;
    SheetPainter::Backs m_backs;
    // The sheet as last drawn: pictures are scaled down once, not at every repaint.
    QImage m_drawn;
};
