#include "platform/windows/SingleInstance.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

namespace corvane {

namespace {

const QByteArray ActivateMessage = QByteArrayLiteral("activate\n");
constexpr int ConnectTimeoutMs = 2000;

// The user's runtime folder (private to the user, emptied at log-out), else the temp folder.
// Looked up once: without XDG_RUNTIME_DIR every lookup would warn again.
QString RuntimeFolder()
{
    static const QString folder = [] {
        QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        return runtime.isEmpty() || !QDir().mkpath(runtime) ? QDir::tempPath() : runtime;
    }();
    return folder;
}

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), FName(std::move(name)) {}

SingleInstance::~SingleInstance()
{
    if (FServer)
        FServer->close(); // removes the socket file
}

QString SingleInstance::DefaultName()
{
    QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (program.isEmpty())
        program = QStringLiteral("corvane");
    return program + QLatin1Char('-') + QString::number(getuid());
}

QString SingleInstance::LockFilePath() const
{
    return RuntimeFolder() + QLatin1Char('/') + FName + ".lock";
}

QString SingleInstance::SocketPath() const
{
    return RuntimeFolder() + QLatin1Char('/') + FName + ".socket";
}

bool SingleInstance::Start()
{
    if (FLock && FLock->isLocked())
        return true;
    FLock = std::make_unique<QLockFile>(LockFilePath());
    // The lock is held for the whole run: only a lock of a process that is gone is stale.
    FLock->setStaleLockTime(0);
    if (!FLock->tryLock(0)) {
        if (FLock->error() == QLockFile::LockFailedError) {
            (void)AskRunningCopyToActivate();
            return false;
        }
        // No lock file can be made (a read-only runtime folder): run unguarded rather than not at all.
        return true;
    }

    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    const QString socketPath = SocketPath();
    QLocalServer::removeServer(socketPath); // left behind by a copy that crashed
    connect(FServer, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
    // Without the socket later copies still end at the lock; they just cannot call us forward.
    (void)FServer->listen(socketPath);
    return true;
}

bool SingleInstance::AskRunningCopyToActivate() const
{
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(ActivateMessage);
    const bool sent = socket.waitForBytesWritten(ConnectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(ConnectTimeoutMs);
    return sent;
}

void SingleInstance::AcceptConnection()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        auto readMessage = [this, socket] {
            if (socket->bytesAvailable() < ActivateMessage.size())
                return;
            if (socket->readAll().startsWith(ActivateMessage))
                emit ActivateRequested();
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, readMessage);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readMessage(); // the message may have arrived with the connection
    }
}

void BringToFront(QWidget* window)
{
    window = window->window();
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace corvane
