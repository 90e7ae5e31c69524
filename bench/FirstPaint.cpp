#include "FirstPaint.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

void FirstPaint::watchApplication()
{
    qApp->installEventFilter(new FirstPaint);
}

bool FirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::Paint && widget && widget->isWindow()) {
        qApp->removeEventFilter(this);
        // Queued, so it runs once the children are painted and the window flushed.
        QTimer::singleShot(0, qApp, [] {
            const auto now = BenchSupport::Clock::now().time_since_epoch();
            std::printf("painted %lld %ld\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                        BenchSupport::peakResidentKiB());
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    return false;
}
