#pragma once

#include "app/MainWindow.h"
#include "app/UiFonts.h"
#include "support/TestImages.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace Qt::StringLiterals;

// Started main windows on default tilesets made for the test: every subtile is
// one plain colour, so a copied or scaled subtile shows in any inner pixel.
// setUpApplication gives the look main() sets; the blank colour is read from it.
inline void setUpApplication()
{
    MainWindow::prepareApplication();
}

inline QRgb subtileColour(int slot, int x, int y) { return qRgb(16 + 32 * x, 24 + 56 * y, 30 + 28 * slot); }

// Writes the four default files, but those in missing, as lossless pictures (the reader goes by content).
inline void writeDefaults(const QString &folder, const QList<int> &missing = {})
{
    for (int slot = 0; slot < 4; ++slot) {
        QImage picture = TestImages::solid(Geometry::TilesetSize, 0);
        for (int i = 0; i < Geometry::TilesetColumns * Geometry::TilesetRows; ++i)
            QPainter(&picture).fillRect(i % 7 * 144, i / 7 * 144, 144, 144, QColor(subtileColour(slot, i % 7, i / 7)));
        if (!missing.contains(slot))
            QVERIFY(picture.save(QDir(folder).filePath(Workspace::DefaultTilesetNames[slot]), "PNG"));
    }
}

// The centre of a space of the working view or a cell of a palette.
inline QPoint centre(int column, int row) { return {column * 48 + 24, row * 48 + 24}; }

template<typename T = QWidget>
T *child(const QWidget *parent, const QString &name) { return parent->findChild<T *>(name); }

// A pointer event at a fractional point, with any buttons held, as a scaled screen delivers them.
inline void send(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                 Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

// Answers every message box that opens while it lives, keeping each as
// "title|buttons|default button|icon|text".
struct MessageBoxAnswerer
{
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            // Boxes made one after the other may share an address: mark the object.
            if (!box || box->isHidden() || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            boxes << u"%1|%2|%3|%4|%5"_s.arg(box->windowTitle()).arg(int(box->standardButtons()))
                         .arg(int(box->standardButton(box->defaultButton()))).arg(int(box->icon())).arg(box->text());
            box->button(answer)->click();
        });
        timer.start(10);
    }
    QStringList boxes;
    QTimer timer;
};

// A main window started on the defaults in folder, shown and active; null when it did not show.
inline std::unique_ptr<MainWindow> startWindow(const QString &folder)
{
    auto window = std::make_unique<MainWindow>();
    window->startUp({folder});
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        return {};
    // The pointer starts off the window: a move only reaches it when the pointer really moves.
    QCursor::setPos(window->frameGeometry().bottomRight() + QPoint(20, 20));
    QApplication::processEvents();
    return window;
}

// Picks an item the way a user does: the list drops down and Return takes it.
inline void pickFromList(QComboBox *combo, const QString &item)
{
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    combo->view()->setCurrentIndex(combo->model()->index(combo->findText(item), 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_VERIFY(!combo->view()->isVisible());
}

