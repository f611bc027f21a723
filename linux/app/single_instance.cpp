#include "linux/app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tockbell {

namespace {

constexpr int kAskMilliseconds = 2000;

QString RuntimePath(const char* name) {
    // $XDG_RUNTIME_DIR, or a private folder Qt makes in the temporary folder; asked once, since Qt
    // warns at every asking when the variable is not set.
    static const QDir folder(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    return folder.filePath(QString::fromLatin1(name));
}

QString SocketPath() { return RuntimePath("tockbell.socket"); }

}  // namespace

SingleInstance::SingleInstance(RequestHandler onRequest) : onRequest_(std::move(onRequest)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (lock_) lock_->unlock();
}

bool SingleInstance::Claim() {
    lock_ = std::make_unique<QLockFile>(RuntimePath("tockbell.lock"));
    // Only a dead owner makes a lock stale, however old it is.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) return false;
    // Whatever socket is there belongs to a copy that died: the lock was free.
    QLocalServer::removeServer(SocketPath());
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(SocketPath());
    return true;
}

bool SingleInstance::Ask(const QByteArray& request) {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kAskMilliseconds)) return false;
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(kAskMilliseconds)) return false;
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) onRequest_(socket->readLine().trimmed());
        });
    }
}

}  // namespace tockbell
