#include "desktop/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace vex {

namespace {

// The one request a later start sends, and the running instance's answer.
constexpr char kActivateRequest[] = "activate\n";
constexpr char kAcknowledgement[] = "ok\n";
// Longest line either side reads; anything longer is not ours.
constexpr qint64 kMaxLine = 64;

QString UserName() {
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) {
        name = qEnvironmentVariable("USERNAME");
    }
    if (name.isEmpty()) {
        name = QDir::homePath();
    }
    return name;
}

// Runs the event loop until the deadline passes or quit is called on it.
void WaitWithEvents(QEventLoop& loop, const QDeadlineTimer& deadline) {
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(int(qMax<qint64>(0, deadline.remainingTime())));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

InstanceAddress DefaultInstanceAddress() {
    const QByteArray hash =
        QCryptographicHash::hash(UserName().toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return InstanceAddressIn(folder, QStringLiteral("vexdiagnose-") + QString::fromLatin1(hash));
}

InstanceAddress InstanceAddressIn(const QString& folder, const QString& key) {
    const QDir dir(folder);
#ifdef Q_OS_WIN
    // Pipe names live in their own name space; the user's hash in the key keeps them apart.
    return {dir.filePath(key + QStringLiteral(".lock")), key};
#else
    // A full path keeps the socket in the user's own folder.
    return {dir.filePath(key + QStringLiteral(".lock")),
            dir.filePath(key + QStringLiteral(".socket"))};
#endif
}

SingleInstance::SingleInstance(InstanceAddress address, QObject* parent)
    : QObject(parent), address_(std::move(address)), lock_(address_.lockFilePath) {
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

SingleInstance::StartResult SingleInstance::start(int ackTimeoutMs) {
    const StartResult result = decide(ackTimeoutMs);
    first_ = result == FirstInstance;
    return result;
}

SingleInstance::StartResult SingleInstance::decide(int ackTimeoutMs) {
    if (tryTakeLock()) {
        listen();
        return FirstInstance;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        // No lock can be made here (no rights, no room): a running instance can still be
        // found, but without one the program runs unguarded rather than not at all.
        return askRunningInstance(0) ? AnotherInstanceRuns : FirstInstance;
    }
    if (askRunningInstance(ackTimeoutMs)) {
        return AnotherInstanceRuns;
    }
    // Nobody answered. A lock whose holder still lives cannot be removed; one that is left
    // over (say, its process id now belongs to another program) can.
    if (lock_.removeStaleLockFile() && tryTakeLock()) {
        listen();
        return FirstInstance;
    }
    return AnotherInstanceRuns;
}

void SingleInstance::listen() {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    if (!server_->listen(address_.serverName)) {
        // A server name left by an instance that crashed; it is ours, as we hold the lock.
        QLocalServer::removeServer(address_.serverName);
        server_->listen(address_.serverName);
    }
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
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto answer = [this, socket] {
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
                emit activationRequested();
                if (handler_) {
                    handler_();
                } else {
                    activationPending_ = true;
                }
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, answer);
        answer();
    }
}

bool SingleInstance::askRunningInstance(int timeoutMs) {
    const QDeadlineTimer deadline(qMax(0, timeoutMs));
    QLocalSocket socket;
    // The running instance listens right after it takes the lock; give it that moment.
    for (;;) {
        socket.connectToServer(address_.serverName);
        if (socket.waitForConnected(int(qMax<qint64>(0, deadline.remainingTime())))) {
            break;
        }
        socket.abort();
        if (deadline.hasExpired()) {
            return false;
        }
        QEventLoop pause;
        WaitWithEvents(pause, QDeadlineTimer(qMin<qint64>(50, deadline.remainingTime())));
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
    if (reply.isEmpty()) {
        WaitWithEvents(loop, deadline);
    }
    return reply == kAcknowledgement;
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
