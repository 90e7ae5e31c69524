#include "mainwindow/FileDrops.h"

#include "control/DroppedImage.h"
#include "control/MaptileControl.h"
#include "control/TilesetControl.h"
#include "views/PaletteView.h"

#include <QDropEvent>
#include <QTimer>

FileDrops::FileDrops(MaptileControl &maptile, TilesetControl &tilesets, QWidget *workingView, QObject *parent)
    : QObject(parent)
    , m_maptile(maptile)
    , m_tilesets(tilesets)
    , m_workingView(workingView)
{
}

void FileDrops::watch(QWidget *target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        // Documents open as the maptile; a palette takes only tilesets.
        if (DroppedImage::path(drag->mimeData(), watched == m_workingView).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = DroppedImage::path(drop->mimeData(), watched == m_workingView);
        if (path.isEmpty())
            return true;
        drop->acceptProposedAction();
        // After the drop has returned: the source waits for it, and a message may follow.
        auto *palette = qobject_cast<PaletteView *>(watched);
        if (!palette) {
            QTimer::singleShot(0, this, [this, path] { m_maptile.openFile(path); });
        } else if (drop->modifiers() & Qt::ControlModifier) {
            const QPoint cell = PaletteView::cellAt(drop->position());
            QTimer::singleShot(0, this,
                               [this, slot = palette->slot(), cell, path] { m_tilesets.importFile(slot, cell, path); });
        } else {
            QTimer::singleShot(0, this, [this, slot = palette->slot(), path] { m_tilesets.loadFile(slot, path); });
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
