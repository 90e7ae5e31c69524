#pragma once

#include <QObject>

// Watches a start-up benchmark child's application and, once the first paint
// of a window has gone through, prints "painted <steady clock ns> <peak
// resident KiB>" and ends the event loop. Installed as the application is
// made, so that it sees the program's own start-up, wherever that makes it.
class FirstPaint : public QObject
{
public:
    // Installs a watcher on the application being made: for Q_COREAPP_STARTUP_FUNCTION.
    static void watchApplication();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
