#pragma once
// Keeps a second copy of the program from starting. The first copy holds a lock file and
// listens on a local socket, both named after the executable and the user; a second copy finds
// the lock taken, asks the first through the socket to come to the front, and ends.
//
// A crash leaves the lock file and the socket behind: the lock file names a process that is
// gone (QLockFile then takes it over) and a dead socket is removed before listening again, so
// neither blocks the next start.

#include <memory>

#include <QObject>
#include <QString>

class QLocalServer;
class QLockFile;
class QWidget;

namespace corvane {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `name` defaults to the executable's file name followed by "-" and the user id.
    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only copy: it then holds the lock and listens for later copies.
    // False when another copy runs; that copy has been asked to come to the front.
    [[nodiscard]] bool Start();

    static QString DefaultName();
    const QString& Name() const { return FName; }
    // In the user's runtime folder (or the temp folder when there is none).
    QString LockFilePath() const;
    QString SocketPath() const;

  signals:
    // A later copy asked this one to come to the front.
    void ActivateRequested();

  private:
    void AcceptConnection();
    bool AskRunningCopyToActivate() const;

    QString FName;
    std::unique_ptr<QLockFile> FLock;
    QLocalServer* FServer = nullptr; // child of this object
};

// Brings a window to the front: restores it when minimized, raises and activates it.
void BringToFront(QWidget* window);

} // namespace corvane
