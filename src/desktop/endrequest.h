#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vex {

// Requests from outside to end the program: SIGTERM (the desktop session ending, a script, an
// administrator), SIGINT (Ctrl+C in the terminal it was started from) and SIGHUP (that
// terminal closing). While an object of this class lives, the first such signal calls onEnd
// from the event loop, never inside the signal handler, so the program can end the way
// closing its window does. A second signal, and any signal without such an object, does what
// it did before: it ends the process at once (so a program that hangs can still be ended),
// or nothing for a signal the program was started to ignore.
//
// Only one object may live at a time. Where the platform has no such signals it does nothing.
class EndRequestSignals : public QObject {
public:
    explicit EndRequestSignals(std::function<void()> onEnd, QObject* parent = nullptr);
    ~EndRequestSignals() override;

    EndRequestSignals(const EndRequestSignals&) = delete;
    EndRequestSignals& operator=(const EndRequestSignals&) = delete;

    // True when the handlers are in place.
    bool active() const { return notifier_ != nullptr; }

private:
    void readRequests();

    std::function<void()> onEnd_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vex
