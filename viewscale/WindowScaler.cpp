#include "viewscale/WindowScaler.h"

#include "viewscale/ScaledWindow.h"
#include "viewscale/ViewScale.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

WindowScaler::WindowScaler(ViewScale &scale, QObject *parent)
    : QObject(parent)
    , m_scale(scale)
{
    qApp->installEventFilter(this);
    connect(&m_scale, &ViewScale::changed, this, &WindowScaler::applyAll);
}

void WindowScaler::follow(QWidget *window)
{
    ScaledWindow *scaled = ScaledWindow::of(window);
    if (!scaled) {
        scaled = new ScaledWindow(window);
        m_windows << scaled;
    }
    scaled->apply(m_scale.factor());
}

bool WindowScaler::isScalable(const QWidget *window)
{
    const Qt::WindowType type = window->windowType();
    // Every class of Qt's own begins with Q; the program's windows are of its own classes.
    return window->isWindow() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool)
           && window->minimumSize() == window->maximumSize() && window->metaObject()->className()[0] != 'Q';
}

void WindowScaler::applyAll()
{
    m_windows.removeAll(nullptr);
    for (ScaledWindow *window : std::as_const(m_windows))
        window->apply(m_scale.factor());
}

bool WindowScaler::eventFilter(QObject *watched, QEvent *event)
{
    // Shown, not yet on the screen: the window is placed at its scaled size.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *window = static_cast<QWidget *>(watched);
        if (isScalable(window) && !ScaledWindow::of(window))
            follow(window);
    }
    return QObject::eventFilter(watched, event);
}
