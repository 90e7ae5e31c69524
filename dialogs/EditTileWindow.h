#pragma once

#include <QDialog>
#include <QImage>

class PaletteView;
class QLabel;
class Workspace;

// The subtile editor: one subtile of a slot at full size, turned and
// mirrored in memory. OK writes it back into the slot's tileset (never the
// file) and gives the left mouse button the edited subtile; Cancel, Escape
// and the close box change nothing.
class EditTileWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr QSize ClientSize{151, 210};

    EditTileWindow(Workspace &workspace, QWidget *parent);

    // Takes up the subtile under the outline of palette's slot.
    void editCell(PaletteView *palette);
    const QImage &subtile() const { return m_actual; }

private:
    void transform(QImage (*operation)(const QImage &));
    void confirm();

    Workspace &m_workspace;
    PaletteView *m_palette = nullptr;
    QPoint m_cell;
    QImage m_actual;
    QLabel *m_view;
};
