#pragma once

#include <QObject>

namespace vex {

// Tracks whether the ESC key is held down, for the whole application: an event filter on the
// application object sees every key press and release before any widget does. The search run
// asks it between its steps.
class EscKeyTracker : public QObject {
public:
    explicit EscKeyTracker(QObject* parent = nullptr) : QObject(parent) {}

    bool isDown() const { return down_; }
    // Whether ESC is down now or was pressed since the last call; a short tap between two
    // looks of the search run is noticed too.
    bool takePress() {
        const bool noticed = down_ || pressed_;
        pressed_ = false;
        return noticed;
    }
    // Forgets a press seen before now (the start of a run).
    void clearPress() { pressed_ = false; }
    // Forgets the key altogether once the user has answered the pause question: a key that
    // is still held sends its repeats and is noticed again.
    void forget() {
        down_ = false;
        pressed_ = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool down_ = false;
    bool pressed_ = false;
};

}  // namespace vex
