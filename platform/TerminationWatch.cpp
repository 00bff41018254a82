// SPDX-License-Identifier: MIT
#include "platform/TerminationWatch.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Written by the handler, read by the notifier. Plain ints: the handler may touch
// nothing else.
volatile sig_atomic_t writeEnd = -1;
int readEnd = -1;
struct sigaction previousAction {};

extern "C" void onTerminate(int)
{
    const int savedErrno = errno;
    const char byte = 'T';
    if (writeEnd >= 0)
        [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);  // a full pipe has one already
    errno = savedErrno;
}

bool installHandler()
{
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, &previousAction) == 0;
}

void closePipe()
{
    const int write = writeEnd;
    writeEnd = -1;
    if (write >= 0)
        ::close(write);
    if (readEnd >= 0)
        ::close(readEnd);
    readEnd = -1;
}

}  // namespace

TerminationWatch::TerminationWatch(QObject *parent) : QObject(parent)
{
    int ends[2];
    if (readEnd >= 0 || ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readEnd = ends[0];
    writeEnd = ends[1];
    if (!installHandler()) {
        closePipe();
        return;
    }
    notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationWatch::drain);
}

TerminationWatch::~TerminationWatch()
{
    if (!notifier)
        return;
    ::sigaction(SIGTERM, &previousAction, nullptr);
    delete notifier;
    closePipe();
}

void TerminationWatch::drain()
{
    char bytes[16];
    bool received = false;
    for (;;) {
        const ssize_t got = ::read(readEnd, bytes, sizeof bytes);
        if (got > 0) {
            received = true;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        break;
    }
    if (received)
        Q_EMIT requested();
}
