#pragma once
// The stand-in ModemManager (fake_modemmanager.py) on a private session bus of its own, started
// with dbus-run-session for one test and ended with it; what it was asked is read back as lines.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <string>

namespace corvane::testing {

class FakeModemManager {
  public:
    FakeModemManager()
    {
        FProcess.setProcessChannelMode(QProcess::SeparateChannels);
        FProcess.start("dbus-run-session", {"--", CORVANE_DEBIAN_PYTHON,
                                            QString(CORVANE_DIALER_TEST_DIR) + "/fake_modemmanager.py"});
        QElapsedTimer timer;
        timer.start();
        while (FAddress.isEmpty() && timer.elapsed() < 10000 && FProcess.state() != QProcess::NotRunning) {
            FProcess.waitForReadyRead(100);
            Collect();
        }
    }
    ~FakeModemManager()
    {
        FProcess.closeWriteChannel();
        if (!FProcess.waitForFinished(3000))
            FProcess.kill();
        FProcess.waitForFinished(1000);
    }
    FakeModemManager(const FakeModemManager&) = delete;
    FakeModemManager& operator=(const FakeModemManager&) = delete;

    bool Ok() const { return !FAddress.isEmpty(); }
    const QString& Address() const { return FAddress; }
    QDBusConnection Connect(const QString& name) const
    {
        return QDBusConnection::connectToBus(FAddress, name);
    }

    // The calls the service received so far.
    QStringList Log()
    {
        FProcess.waitForReadyRead(0);
        Collect();
        return FLog;
    }
    // Processes events until the service logged `line` or `ms` passed.
    bool WaitForLog(const QString& line, int ms = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!Log().contains(line) && timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return FLog.contains(line);
    }

  private:
    void Collect()
    {
        while (FProcess.canReadLine()) {
            const QString line = QString::fromUtf8(FProcess.readLine()).trimmed();
            if (FAddress.isEmpty())
                FAddress = line;
            else
                FLog << line;
        }
    }

    QProcess FProcess;
    QString FAddress;
    QStringList FLog;
};

} // namespace corvane::testing
