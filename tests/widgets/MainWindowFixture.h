#pragma once

#include "app/MainWindow.h"
#include "app/UiFonts.h"
#include "app/Workspace.h"
#include "support/TestImages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// A started main window on default tilesets made for the test: every subtile
// is one plain colour, so a copied or scaled subtile can be told apart by any
// of its inner pixels.
namespace MainWindowFixture {

// The look the program sets in main(); the blank colour is read from it.
inline void setUpApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(UiFonts::standard());
}

inline QRgb subtileColour(int slot, int column, int row)
{
    return qRgb(16 + 32 * column, 24 + 56 * row, 30 + 28 * slot);
}

inline QImage tilesetPicture(int slot)
{
    QImage picture = TestImages::solid(Geometry::TilesetSize, 0);
    QPainter painter(&picture);
    for (int row = 0; row < Geometry::TilesetRows; ++row)
        for (int column = 0; column < Geometry::TilesetColumns; ++column)
            painter.fillRect(column * Geometry::SpaceSize, row * Geometry::SpaceSize, Geometry::SpaceSize,
                             Geometry::SpaceSize, QColor(subtileColour(slot, column, row)));
    return picture;
}

// Writes the four default files into folder, leaving out the one named by
// missing (-1: none). Lossless pictures under the default names: the reader
// goes by content, not by the name's extension.
inline void writeDefaults(const QString &folder, int missing = -1)
{
    for (int slot = 0; slot < int(Workspace::DefaultTilesetNames.size()); ++slot) {
        if (slot == missing)
            continue;
        const QString path = QDir(folder).filePath(Workspace::DefaultTilesetNames[slot]);
        QVERIFY(tilesetPicture(slot).save(path, "PNG"));
    }
}

// Answers every message box that opens while it lives with the given button,
// keeping the texts it saw.
class MessageBoxAnswerer
{
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            // Boxes made one after the other may share an address: mark the object.
            if (!box || box->isHidden() || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            texts << box->text();
            titles << box->windowTitle();
            buttons << box->standardButtons();
            icons << box->icon();
            defaults << box->standardButton(box->defaultButton());
            box->button(answer)->click();
        });
        m_timer.start(10);
    }

    QStringList texts;
    QStringList titles;
    QList<QMessageBox::StandardButtons> buttons;
    QList<QMessageBox::Icon> icons;
    QList<QMessageBox::StandardButton> defaults;

private:
    QTimer m_timer;
};

// A main window started on the defaults in folder, shown and active; null
// when the window system did not show it.
inline std::unique_ptr<MainWindow> startWindow(const QString &folder)
{
    auto window = std::make_unique<MainWindow>();
    window->startUp({folder});
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return {};
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return {};
    // The pointer starts off the window: a move only reaches the window when
    // the pointer really changes place, and an earlier test may have left it
    // exactly where this one moves it first.
    QCursor::setPos(window->frameGeometry().bottomRight() + QPoint(20, 20));
    QApplication::processEvents();
    return window;
}

// Picks an item from a combo box's list the way a user does: the list drops
// down and the item is taken with the Return key (also when it is the
// current item already).
inline void pickFromList(QComboBox *combo, const QString &item)
{
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    combo->view()->setCurrentIndex(combo->model()->index(index, combo->modelColumn()));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_VERIFY(!combo->view()->isVisible());
}

} // namespace MainWindowFixture
