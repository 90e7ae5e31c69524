#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

class QGraphicsView;
class QWidget;

// One fixed-size window drawn at a scale. At 100 % the window is left as it
// is built. At any other scale its controls move, as they are, onto a page
// shown through a graphics view that scales it: every control keeps its place
// and proportions, text is drawn at the larger size, and a view that draws
// for the painter's density (a picture drawn from its full-resolution source)
// gets the screen's pixels. Pointer positions reach the controls in their own
// unscaled coordinates, so what a click hits does not change.
class ScaledWindow : public QObject
{
    Q_OBJECT

public:
    // Follows window until it is destroyed; window must have a fixed size.
    explicit ScaledWindow(QWidget *window);

    // The one that follows window, if any.
    static ScaledWindow *of(const QWidget *window);
    // Where window's controls are now: the window itself, or the page that is scaled.
    static QWidget *content(QWidget *window);

    qreal factor() const { return m_factor; }
    void apply(qreal factor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wrap();
    void unwrap();
    void fit();
    // Enter or Return that no control took: the focused or default push button, as a dialog presses it.
    bool pressDefaultButton();
    // The controls and layout of from moved to to, with their visibility, focus and order of Tab.
    static void moveControls(QWidget *from, QWidget *to, const QWidget *except);

    QWidget *m_window;
    QPointer<QWidget> m_page;
    QGraphicsView *m_view = nullptr;
    qreal m_factor = 1;
};
