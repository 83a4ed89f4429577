#include "desktop/singleinstance.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

namespace vex {

namespace {

// The one request a later start sends, and the running instance's answer.
constexpr char kActivateRequest[] = "activate\n";
constexpr char kAcknowledgement[] = "ok\n";
// Longest line either side reads; anything longer is not ours.
constexpr qint64 kMaxLine = 64;
// Pause between two tries to reach a running instance.
constexpr int kRetryPauseMs = 50;

// Runs the event loop until the deadline passes or quit is called on it.
void WaitWithEvents(QEventLoop& loop, const QDeadlineTimer& deadline) {
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(int(qMax<qint64>(0, deadline.remainingTime())));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void Pause(int ms) {
    QEventLoop pause;
    WaitWithEvents(pause, QDeadlineTimer(ms));
}

// A failed connection that says the name is not served: no socket, or one nobody listens on.
// Any other failure (a full queue, no file handles left) leaves open whether somebody is there.
bool NobodyServes(QLocalSocket::LocalSocketError error) {
    return error == QLocalSocket::ServerNotFoundError ||
           error == QLocalSocket::ConnectionRefusedError;
}

}  // namespace

SingleInstance::SingleInstance(InstanceAddress address, QObject* parent)
    : SingleInstance(std::move(address), Timing(), parent) {}

SingleInstance::SingleInstance(InstanceAddress address, Timing timing, QObject* parent)
    : QObject(parent), address_(std::move(address)), timing_(timing), lock_(address_.lockFilePath) {
    // The lock is held for the whole run: it is stale only when its process is gone, never
    // because of its age.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::isListening() const {
    return server_ != nullptr && server_->isListening();
}

bool SingleInstance::tryTakeLock() {
    // A lock left by an instance that crashed is found stale and removed by tryLock.
    return lock_.isLocked() || lock_.tryLock(0);
}

SingleInstance::StartResult SingleInstance::start() {
    const StartResult result = decide();
    first_ = result != AnotherInstanceRuns;
    return result;
}

SingleInstance::StartResult SingleInstance::decide() {
    if (!address_.isGuarded()) {
        return RunsUnguarded;
    }
    const QDeadlineTimer retryUntil(qMax(0, timing_.retryMs));
    for (;;) {
        // The socket is tried before anything is taken or removed: a running instance whose
        // lock file was deleted under it still answers, and keeps its socket.
        switch (askRunningInstance()) {
            case Reply::Answered:
                return AnotherInstanceRuns;
            case Reply::Unanswered:
                // It took the request and never answered: hung, not loading. A window of its own
                // is better than none.
                return RunsUnguarded;
            case Reply::NobodyThere:
                if (tryTakeLock()) {
                    listen();
                    return FirstInstance;
                }
                if (lock_.error() != QLockFile::LockFailedError) {
                    // No lock can be made here (no rights, no room).
                    return RunsUnguarded;
                }
                // A lock whose holder still lives cannot be removed; one that is left over (say,
                // its process id now belongs to another program) can.
                if (lock_.removeStaleLockFile() && tryTakeLock()) {
                    listen();
                    return FirstInstance;
                }
                break;  // its holder may be about to listen
            case Reply::Dropped:
            case Reply::Busy:
                break;
        }
        if (retryUntil.hasExpired()) {
            return RunsUnguarded;
        }
        Pause(kRetryPauseMs);
    }
}

void SingleInstance::listen() {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    if (!server_->listen(address_.serverName)) {
        // A server name left by an instance that crashed: nobody answered on it just now, and
        // we hold the lock.
        QLocalServer::removeServer(address_.serverName);
        server_->listen(address_.serverName);
    }
    // The server closes itself when it cannot accept a connection (say, out of file handles)
    // and tells nobody: look now and then.
    relistenTimer_ = new QTimer(this);
    connect(relistenTimer_, &QTimer::timeout, this, &SingleInstance::listenAgainIfClosed);
    relistenTimer_->start(qMax(1, timing_.relistenMs));
}

void SingleInstance::listenAgainIfClosed() {
    if (server_->isListening()) {
        return;
    }
    // Never take the name from somebody who serves it now (a start that found the lock gone).
    QLocalSocket probe;
    probe.connectToServer(address_.serverName);
    const bool served = probe.waitForConnected(100);
    probe.abort();
    if (served || !NobodyServes(probe.error())) {
        return;
    }
    QLocalServer::removeServer(address_.serverName);
    server_->listen(address_.serverName);
}

void SingleInstance::setActivationHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
    if (handler_ && activationPending_) {
        activationPending_ = false;
        handler_();
    }
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // Connections that are held open cannot use up the process's file handles.
        if (connections_.size() >= kMaxConnections) {
            QLocalSocket* oldest = connections_.takeFirst();
            oldest->abort();
            oldest->deleteLater();
        }
        connections_.append(socket);
        connect(socket, &QObject::destroyed, this,
                [this, socket] { connections_.removeOne(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // One that says nothing is dropped soon.
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, [this, socket] {
            connections_.removeOne(socket);
            socket->abort();
            socket->deleteLater();
        });
        idle->start(qMax(0, timing_.idleMs));
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        answer(socket);
    }
}

void SingleInstance::answer(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxLine) {
            socket->abort();
        }
        return;
    }
    const bool activate = socket->readLine(kMaxLine + 1) == kActivateRequest;
    if (activate) {
        socket->write(kAcknowledgement);
        socket->flush();
    }
    socket->disconnectFromServer();
    if (activate) {
        requestActivation();
    }
}

void SingleInstance::requestActivation() {
    emit activationRequested();
    if (handler_) {
        handler_();
    } else {
        activationPending_ = true;
    }
}

SingleInstance::Reply SingleInstance::askRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(address_.serverName);
    if (!socket.waitForConnected(qBound(0, timing_.retryMs, 1000))) {
        const bool nobody = NobodyServes(socket.error());
        socket.abort();
        return nobody ? Reply::NobodyThere : Reply::Busy;
    }
    socket.write(kActivateRequest);
    // The answer comes through the event loop: the running instance may even be this process.
    QEventLoop loop;
    QByteArray reply;
    const auto takeReply = [&socket, &loop, &reply] {
        if (reply.isEmpty() && socket.canReadLine()) {
            reply = socket.readLine(kMaxLine + 1);
        }
        if (!reply.isEmpty() || socket.bytesAvailable() > kMaxLine) {
            loop.quit();
        }
    };
    connect(&socket, &QLocalSocket::readyRead, &loop, takeReply);
    connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    takeReply();
    if (reply.isEmpty() && socket.state() == QLocalSocket::ConnectedState) {
        WaitWithEvents(loop, QDeadlineTimer(qMax(0, timing_.answerMs)));
    }
    takeReply();  // what came with the end of the connection
    if (reply == kAcknowledgement) {
        return Reply::Answered;
    }
    if (reply.isEmpty() && socket.state() == QLocalSocket::ConnectedState) {
        return Reply::Unanswered;
    }
    // It let go without an answer: too many connections at once, or it is ending.
    return Reply::Dropped;
}

void BringWindowToFront(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    if (window->isMinimized()) {
        window->showNormal();
    } else if (!window->isVisible()) {
        window->show();
    }
    window->raise();
    window->activateWindow();
}

}  // namespace vex
