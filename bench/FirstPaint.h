#pragma once

#include <QObject>

class QWidget;

// Watches a start-up benchmark child's window and, once its first paint has
// gone through, prints "painted <steady clock ns> <peak resident KiB>" and
// ends the event loop.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
