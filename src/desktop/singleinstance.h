#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QWidget;

namespace vex {

// Where the running instance of one user can be found: the lock file it holds and the name
// of the local server it listens on.
struct InstanceAddress {
    QString lockFilePath;
    QString serverName;
};

// The address for the current user: a lock file in the user's runtime folder (the temporary
// folder when there is none) and a server name, both named "vexdiagnose-" + a hash of the
// user's name.
InstanceAddress DefaultInstanceAddress();

// An address in a folder of one's own (tests, or a second program that must not meet ours).
InstanceAddress InstanceAddressIn(const QString& folder, const QString& key);

// Keeps the program to one instance per user. The first start holds the lock and listens;
// a later start finds it, asks it to bring its window to the front, waits briefly for the
// acknowledgement and reports that another instance runs, so that it ends without a window.
//
//   SingleInstance instance;
//   if (instance.start() == SingleInstance::AnotherInstanceRuns) return 0;
//   ... create the window, then:
//   instance.setActivationHandler([&window] { BringWindowToFront(&window); });
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum StartResult { FirstInstance, AnotherInstanceRuns };

    explicit SingleInstance(InstanceAddress address = DefaultInstanceAddress(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock, or hands over to the instance that holds it. ackTimeoutMs bounds the
    // wait for the running instance (also the wait for it to start listening).
    StartResult start(int ackTimeoutMs = 2000);

    // The last start made this process the one that runs (with the lock, or unguarded when
    // no lock could be made at all).
    bool isFirstInstance() const { return first_; }
    bool isListening() const;

    // Called (after activationRequested) each time a later start asks for the window. A request
    // that came before there was a handler (while the program was still starting) is handed
    // to the handler once it is set.
    void setActivationHandler(std::function<void()> handler);

signals:
    void activationRequested();

private:
    StartResult decide(int ackTimeoutMs);
    bool tryTakeLock();
    void listen();
    bool askRunningInstance(int timeoutMs);
    void onNewConnection();

    InstanceAddress address_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> handler_;
    bool first_ = false;
    bool activationPending_ = false;
};

// Brings a window back from the task bar and to the front: restored when minimised, shown
// when hidden, raised and activated.
void BringWindowToFront(QWidget* window);

}  // namespace vex
