#pragma once

#include <QList>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "desktop/instanceaddress.h"

class QLocalServer;
class QLocalSocket;
class QTimer;
class QWidget;

namespace vex {

// Keeps the program to one instance per user and desktop session. The first start holds the
// lock and listens; a later start finds it, asks it to bring its window to the front, waits
// for its answer and reports that another instance runs, so that it ends without a window.
// A start that finds nobody to ask, or cannot trust or make the lock, runs a window of its
// own: the guard never keeps the program from starting.
//
//   SingleInstance instance;
//   if (instance.start() == SingleInstance::AnotherInstanceRuns) return 0;
//   ... create the window, then:
//   instance.setActivationHandler([&window] { BringWindowToFront(&window); });
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // RunsUnguarded: a window of its own without the lock and without listening (no private
    // folder, no lock could be made, or a lock holder that never answered).
    enum StartResult { FirstInstance, AnotherInstanceRuns, RunsUnguarded };

    // How long each side waits for the other.
    struct Timing {
        // A lock holder that does not listen yet (it has just started), or a running instance
        // that dropped the request, is asked again for this long.
        int retryMs = 2000;
        // A running instance that took the request is waited for this long: it answers once
        // its event loop runs, which may be after it has loaded millions of records.
        int answerMs = 120000;
        // A connection to the running instance that says nothing for this long is dropped.
        int idleMs = 2000;
        // How often the running instance makes sure that it still listens.
        int relistenMs = 1000;
    };

    // The connections the running instance holds at a time; a further one replaces the oldest.
    static constexpr int kMaxConnections = 8;

    explicit SingleInstance(InstanceAddress address = DefaultInstanceAddress(),
                            QObject* parent = nullptr);
    SingleInstance(InstanceAddress address, Timing timing, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock, or hands over to the instance that holds it.
    StartResult start();

    // The last start made this process the one that runs (with the lock, or unguarded).
    bool isFirstInstance() const { return first_; }
    bool isListening() const;

    // Called (after activationRequested) each time a later start asks for the window. A request
    // that came before there was a handler (while the program was still starting) is handed
    // to the handler once it is set.
    void setActivationHandler(std::function<void()> handler);

signals:
    void activationRequested();

private:
    enum class Reply { Answered, NobodyThere, Dropped, Busy, Unanswered };

    StartResult decide();
    bool tryTakeLock();
    void listen();
    void listenAgainIfClosed();
    Reply askRunningInstance();
    void onNewConnection();
    void answer(QLocalSocket* socket);
    void requestActivation();

    InstanceAddress address_;
    Timing timing_;
    QLockFile lock_;
    // Declared before the server, whose sockets leave this list as they are destroyed.
    QList<QLocalSocket*> connections_;
    std::unique_ptr<QLocalServer> server_;
    QTimer* relistenTimer_ = nullptr;
    std::function<void()> handler_;
    bool first_ = false;
    bool activationPending_ = false;
};

// Brings a window back from the task bar and to the front: restored when minimised, shown
// when hidden, raised and activated.
void BringWindowToFront(QWidget* window);

}  // namespace vex
