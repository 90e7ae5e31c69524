#pragma once

#include "mainwindow/MainWindow.h"
#include "support/TestImages.h"
#include "viewscale/ScaledWindow.h"

#include <QAccessible>
#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

// Main windows started on default tilesets made for the test: every subtile is
// one plain colour, so a copied or scaled subtile shows in any inner pixel.
inline void setUpApplication()
{
    // The folders the dialogs remember go to a place of the tests' own.
    QStandardPaths::setTestModeEnabled(true);
    MainWindow::prepareApplication();
}

inline QRgb subtileColour(int slot, int x, int y)
{
    return qRgb(16 + 32 * x, 24 + 56 * y, 30 + 28 * slot);
}

// Lossless pictures under the default names: the reader goes by content.
inline void writeDefaults(const QString &folder)
{
    for (int slot = 0; slot < 4; ++slot) {
        const auto colour = [slot](int x, int y) { return subtileColour(slot, x / 144, y / 144); };
        const QString file = QDir(folder).filePath(Workspace::DefaultTilesetNames[slot]);
        QVERIFY(TestImages::make(Geometry::TilesetSize, colour).save(file, "PNG"));
    }
}

// The centre of a space of the working view or a cell of a palette.
inline QPoint centre(int column, int row)
{
    return {column * 48 + 24, row * 48 + 24};
}

// A control of a window by its name, also while the window is drawn larger and its controls are on the page shown
// scaled.
template<typename T = QWidget>
T *child(const QObject *in, const QString &name)
{
    if (T *found = in->findChild<T *>(name))
        return found;
    auto *window = qobject_cast<QWidget *>(const_cast<QObject *>(in));
    QWidget *page = window ? ScaledWindow::content(window) : nullptr;
    return page && page != window ? page->findChild<T *>(name) : nullptr;
}

// A pointer event at a fractional point, with any buttons held, as a scaled screen delivers them.
inline void send(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                 Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

// Answers every message box that opens while it lives, keeping each as
// "title|buttons|default button|icon|text". The answer may change on the way.
// Given a second answer, the questions about unsaved work take that one and
// are kept apart, in questions.
struct MessageBoxAnswerer
{
    explicit MessageBoxAnswerer(QMessageBox::StandardButton first,
                                QMessageBox::StandardButton toQuestions = QMessageBox::NoButton)
        : answer(first)
        , questionAnswer(toQuestions)
    {
        timer.callOnTimeout([this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                const bool question = questionAnswer != QMessageBox::NoButton && box->button(QMessageBox::Discard);
                (question ? questions : boxes) << u"%1|%2|%3|%4|%5"_s.arg(box->windowTitle())
                                                      .arg(box->standardButtons().toInt())
                                                      .arg(box->standardButton(box->defaultButton()))
                                                      .arg(box->icon())
                                                      .arg(box->text());
                box->button(question ? questionAnswer : answer)->click();
            }
        });
        timer.start(10);
    }
    QMessageBox::StandardButton answer;
    QMessageBox::StandardButton questionAnswer;
    QStringList boxes;
    QStringList questions;
    QTimer timer;
};

// The start of a question about unsaved work: title, Save, Discard and Cancel, Save the default, no icon.
inline QString questionBox()
{
    return u"Cryptwright|%1|%2|0|"_s.arg(int(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel))
        .arg(int(QMessageBox::Save));
}

// Runs act on the modal window open at the next turn of the event loop, then closes it if still open.
inline void whenModal(const std::function<void(QWidget *)> &act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY2(modal, "no modal window opened");
        act(modal);
        if (QApplication::activeModalWidget() == modal)
            modal->close();
    });
}

// A main window started on the defaults in folder, shown and active; null when it did not show.
inline std::unique_ptr<MainWindow> startWindow(const QString &folder)
{
    auto window = std::make_unique<MainWindow>(QStringList{folder});
    window->startUp();
    window->show();
    // The pointer starts off the window: a move only reaches it when the pointer really moves.
    QCursor::setPos(window->frameGeometry().bottomRight() + QPoint(20, 20));
    return QTest::qWaitForWindowActive(window.get()) ? std::move(window) : nullptr;
}

// Picks an item the way a user does: the list drops down and Return takes it.
inline void pickFromList(QComboBox *combo, const QString &item)
{
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(combo->findText(item), 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_VERIFY(!combo->view()->isVisible());
}

// What a screen reader finds without a name, below iface: one line per object, with its path of roles and
// names. A panel that only holds others is announced by what it holds, as a screen reader passes over it.
inline QStringList unnamed(QAccessibleInterface *iface, const QString &path = {})
{
    if (!iface || iface->state().invisible)
        return {};
    const QString name = iface->text(QAccessible::Name);
    const QObject *object = iface->object();
    const QString here = u"%1/%2 %3"_s.arg(path).arg(iface->role()).arg(object ? object->objectName() : name);
    const bool panel =
        iface->childCount() > 0 && (iface->role() == QAccessible::Client || iface->role() == QAccessible::Grouping);
    QStringList found;
    if (name.trimmed().isEmpty() && !panel)
        found << here;
    for (int i = 0; i < iface->childCount(); ++i)
        found << unnamed(iface->child(i), here);
    return found;
}
