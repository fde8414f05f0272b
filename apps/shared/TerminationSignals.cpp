#include "TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only make async-signal-safe calls: it writes one byte into a socket pair,
// whose other end the event loop watches.
int signalWriteEnd = -1;

void noteSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalWriteEnd, &byte, 1);
}

} // namespace

bool onTerminationSignal(std::function<void()> end) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) return false;
    signalWriteEnd = ends[0];
    auto* notifier =
        new QSocketNotifier(ends[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [readEnd = ends[1], end] {
        char bytes[16];
        while (read(readEnd, bytes, sizeof bytes) > 0) {
        }
        end();
    });
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0)
        return true;
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    delete notifier;
    close(ends[0]);
    close(ends[1]);
    signalWriteEnd = -1;
    return false;
}
