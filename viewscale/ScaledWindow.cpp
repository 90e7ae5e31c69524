#include "viewscale/ScaledWindow.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QWidget>

ScaledWindow::ScaledWindow(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("ScaledWindow"));
}

ScaledWindow *ScaledWindow::of(const QWidget *window)
{
    return window->findChild<ScaledWindow *>(QStringLiteral("ScaledWindow"), Qt::FindDirectChildrenOnly);
}

QWidget *ScaledWindow::content(QWidget *window)
{
    const ScaledWindow *scaled = of(window);
    return scaled && scaled->m_page ? scaled->m_page.data() : window;
}

void ScaledWindow::apply(qreal factor)
{
    if (qFuzzyCompare(factor, m_factor))
        return;
    m_factor = factor;
    if (qFuzzyCompare(factor, qreal(1))) {
        unwrap();
        return;
    }
    if (!m_page)
        wrap();
    fit();
}

void ScaledWindow::moveControls(QWidget *from, QWidget *to, const QWidget *except)
{
    QList<QWidget *> chain;
    for (QWidget *next = from->nextInFocusChain(); next && next != from; next = next->nextInFocusChain()) {
        if (next->window() == from && !chain.contains(next)
            && !(except && (next == except || except->isAncestorOf(next))))
            chain << next;
    }
    QWidget *focus = from->focusWidget();
    QList<std::pair<QWidget *, bool>> controls;
    for (QWidget *control : from->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        // A new parent hides a control; those not hidden on purpose show again.
        if (!control->isWindow() && control != except)
            controls.append({control, control->isHidden() && control->testAttribute(Qt::WA_WState_ExplicitShowHide)});
    }
    // A laid-out window's layout goes along and takes the controls it lays out.
    if (QLayout *layout = from->layout())
        to->setLayout(layout);
    for (const auto &[control, hidden] : controls) {
        if (control->parentWidget() != to)
            control->setParent(to);
        if (!hidden)
            control->show();
    }
    if (QLayout *layout = to->layout())
        layout->activate();
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    if (focus && focus->window() == to->window())
        focus->setFocus(Qt::OtherFocusReason);
}

void ScaledWindow::wrap()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ScaledPage"));
    page->setPalette(m_window->palette());
    page->setFont(m_window->font());
    page->setAutoFillBackground(true);
    // A layout keeps sizing the page; other windows keep their size.
    if (!m_window->layout())
        page->setFixedSize(m_window->size());

    m_view = new QGraphicsView(m_window);
    m_view->setObjectName(QStringLiteral("ScaledView"));
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_view->setBackgroundBrush(m_window->palette().window());
    m_view->setRenderHints(QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    // A screen reader finds the page's controls as a window of their own, beside the view that shows them.
    const QString name = m_window->accessibleName().isEmpty() ? m_window->windowTitle() : m_window->accessibleName();
    m_view->setAccessibleName(name);
    m_view->viewport()->setAccessibleName(name);
    page->setAccessibleName(name);
    auto *scene = new QGraphicsScene(m_view);
    m_view->setScene(scene);

    m_page = page;
    moveControls(m_window, page, m_view);
    scene->addWidget(page);
    page->installEventFilter(this);
    // Widgets made on the window later belong on the page too.
    m_window->installEventFilter(this);
    m_view->show();
    m_view->setFocus(Qt::OtherFocusReason);
}

void ScaledWindow::unwrap()
{
    if (!m_page)
        return;
    m_window->removeEventFilter(this);
    m_page->removeEventFilter(this);
    const QSize designSize = m_page->size();
    QGraphicsProxyWidget *proxy = m_page->graphicsProxyWidget();
    proxy->setWidget(nullptr);
    QWidget *page = m_page;
    m_page = nullptr;
    moveControls(page, m_window, nullptr);
    delete m_view;
    m_view = nullptr;
    delete page;
    if (!m_window->layout())
        m_window->setFixedSize(designSize);
}

void ScaledWindow::fit()
{
    const QSize design = m_page->size();
    const QSize scaled = (QSizeF(design) * m_factor).toSize();
    m_view->setTransform(QTransform::fromScale(m_factor, m_factor));
    m_view->setSceneRect(QRectF(QPointF(0, 0), QSizeF(design)));
    // A window opened over another is centred on it, as a dialog is placed; the main window keeps its corner.
    m_window->setFixedSize(scaled);
    if (const QWidget *over = m_window->parentWidget())
        m_window->move(over->window()->geometry().center() - QRect(QPoint(0, 0), scaled).center());
    m_view->setGeometry(QRect(QPoint(0, 0), scaled));
}

bool ScaledWindow::pressDefaultButton()
{
    // A dialog finds its default button among its own children, which are on the page now.
    if (!qobject_cast<QDialog *>(m_window))
        return false;
    auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
    for (QPushButton *button : m_page->findChildren<QPushButton *>()) {
        if ((focused ? button == focused : button->isDefault()) && button->isVisible()) {
            if (button->isEnabled())
                button->click();
            return true;
        }
    }
    return false;
}

bool ScaledWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && pressDefaultButton())
            return true;
    }
    if (watched == m_page && event->type() == QEvent::Resize)
        fit();
    if (watched == m_window && event->type() == QEvent::ChildPolished) {
        auto *control = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child());
        if (control && !control->isWindow() && control != m_view && control->parentWidget() == m_window) {
            const bool hidden = control->isHidden() && control->testAttribute(Qt::WA_WState_ExplicitShowHide);
            control->setParent(m_page);
            if (!hidden)
                control->show();
        }
    }
    return QObject::eventFilter(watched, event);
}
