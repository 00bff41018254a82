// SPDX-License-Identifier: MIT
#pragma once
#include <QObject>

class QSocketNotifier;

// A request to terminate (SIGTERM), taken up in the event loop: the signal handler
// only writes a byte into a pipe, and the pipe's notifier emits requested() on the
// user-interface thread. One watch at a time; while it lives it owns the signal,
// and the handler that was there before comes back when it goes.
class TerminationWatch : public QObject
{
    Q_OBJECT
public:
    explicit TerminationWatch(QObject *parent = nullptr);
    ~TerminationWatch() override;
    Q_DISABLE_COPY(TerminationWatch)

    // False when the pipe or the handler could not be set up (SIGTERM then ends the
    // program as it always would).
    bool isWatching() const { return notifier != nullptr; }

Q_SIGNALS:
    void requested();

private:
    void drain();

    QSocketNotifier *notifier = nullptr;
};
