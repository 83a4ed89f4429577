#include "desktop/endrequest.h"

#include <QSocketNotifier>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <iterator>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vex {

#ifdef Q_OS_UNIX

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The socket pair that carries a signal from its handler into the event loop: the handler
// may only call async-signal-safe functions, and write() is one. These two numbers are the
// only state a handler can reach.
int writeEnd = -1;
int readEnd = -1;

extern "C" void noteEndRequest(int signal) {
    const int savedErrno = errno;
    const char byte = char(signal);
    // A full socket means a request is waiting already: the byte may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

// What each signal did before; a signal that was ignored (nohup) stays ignored.
struct sigaction previousActions[std::size(kSignals)];

void restorePreviousActions() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &previousActions[i], nullptr);
    }
}

}  // namespace

EndRequestSignals::EndRequestSignals(std::function<void()> onEnd, QObject* parent)
    : QObject(parent), onEnd_(std::move(onEnd)) {
    if (writeEnd != -1) {
        return;  // another object has the signals
    }
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0) {
        return;
    }
    writeEnd = fds[0];
    readEnd = fds[1];
    notifier_ = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndRequestSignals::readRequests);
    struct sigaction action = {};
    action.sa_handler = noteEndRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], nullptr, &previousActions[i]);
        if (previousActions[i].sa_handler != SIG_IGN) {
            sigaction(kSignals[i], &action, nullptr);
        }
    }
}

EndRequestSignals::~EndRequestSignals() {
    if (notifier_ == nullptr) {
        return;
    }
    restorePreviousActions();
    delete notifier_;
    ::close(writeEnd);
    ::close(readEnd);
    writeEnd = -1;
    readEnd = -1;
}

void EndRequestSignals::readRequests() {
    char bytes[64];
    bool requested = false;
    while (::read(readEnd, bytes, sizeof bytes) > 0) {
        requested = true;
    }
    if (requested) {
        restorePreviousActions();
        notifier_->setEnabled(false);
        if (onEnd_) {
            onEnd_();
        }
    }
}

#else

EndRequestSignals::EndRequestSignals(std::function<void()> onEnd, QObject* parent)
    : QObject(parent), onEnd_(std::move(onEnd)) {}

EndRequestSignals::~EndRequestSignals() = default;

void EndRequestSignals::readRequests() {}

#endif

}  // namespace vex
