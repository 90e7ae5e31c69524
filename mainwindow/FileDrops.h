#pragma once

#include <QObject>

class MaptileControl;
class TilesetControl;
class QWidget;

// Files dropped on the working view open as the maptile, pictures and
// documents alike; a picture dropped on a palette loads as its tileset, or
// with Ctrl held goes into the cell under the pointer.
class FileDrops : public QObject
{
    Q_OBJECT

public:
    FileDrops(MaptileControl &maptile, TilesetControl &tilesets, QWidget *workingView, QObject *parent = nullptr);

    // Lets target, the working view or a palette, take drops.
    void watch(QWidget *target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MaptileControl &m_maptile;
    TilesetControl &m_tilesets;
    QWidget *m_workingView;
};
