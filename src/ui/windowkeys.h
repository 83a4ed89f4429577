#pragma once

#include <QObject>
#include <QPointer>

class QWindow;

namespace vex {

class MainWindow;

// Routes the window's keys and double-clicks to its handlers. The window sees every key
// first: the router watches the window's native window, which gets each key once before it
// goes on to the focused control (or to the window itself when no control has the focus).
// After that the grid and the six record fields get their own handlers, and then their
// standard handling. Nothing is consumed, except that the grid's own copy of a single cell
// never follows its row copy.
class WindowKeyRouter : public QObject {
public:
    explicit WindowKeyRouter(MainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Watches the window's native window, once it exists (again after it was recreated).
    void watchNativeWindow();
    bool controlEvent(QObject* watched, QEvent* event);

    MainWindow& w_;
    QPointer<QWindow> native_;
    bool forwardingClick_ = false;
};

}  // namespace vex
