// SPDX-License-Identifier: MIT
#include "platform/FirstPaint.h"

#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class PaintWatcher : public QObject
{
public:
    PaintWatcher(QWidget *window, std::function<void()> then) : QObject(window), then(std::move(then))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && then) {
            watched->removeEventFilter(this);
            // The filter runs before the paint; a zero timer runs after the paint
            // and the flush that follows it in the same pass.
            QTimer::singleShot(0, [done = std::move(then)] { done(); });
            then = nullptr;
        }
        return false;
    }

private:
    std::function<void()> then;
};

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

}  // namespace

void FirstPaint::whenPainted(QWidget *window, std::function<void()> then)
{
    new PaintWatcher(window, std::move(then));
}

void FirstPaint::reportAndExit()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long nanoseconds = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    std::printf("first-paint-ns %lld rss-kb %ld\n", nanoseconds, residentKilobytes());
    std::fflush(stdout);
    std::_Exit(0);
}
