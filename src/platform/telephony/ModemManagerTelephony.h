#pragma once
// Voice calls through ModemManager over D-Bus: every modem with the Modem.Voice interface (mobile
// modems, Linux phones) is a device; a call is created on the first one, started, followed through
// its StateChanged signal, hung up and deleted. The system bus, or the session bus when
// CORVANE_TELEPHONY_BUS=session (tests run a stand-in service there).

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "platform/telephony/TelephonyService.h"

class QDBusPendingCallWatcher;

namespace corvane {

class ModemManagerTelephony : public QObject, public TelephonyService {
    Q_OBJECT

  public:
    // No D-Bus call waits longer than this for its answer.
    static constexpr int CallTimeoutMs = 10000;
    // Finding the modems: short, since the window waits for it while opening.
    static constexpr int DiscoveryTimeoutMs = 3000;

    static QDBusConnection ChosenBus();

    explicit ModemManagerTelephony(QDBusConnection bus = ChosenBus());
    ~ModemManagerTelephony() override;

    std::string Name() const override { return "ModemManager"; }
    Result<int> Initialize(TelephonyEventSink sink) override;
    std::vector<std::string> Devices() const override;
    Status Open() override;
    Status MakeCall(const std::string& number) override;
    Status Drop() override;
    void Deallocate() override;
    void Close() override;
    void Shutdown() override;

  private slots:
    void OnCallStateChanged(int oldState, int newState, uint reason);

  private:
    void Send(const TelephonyEvent& event);
    void SendLater(const TelephonyEvent& event);
    void CallCreated(const QString& path);
    void StartCall();
    void Unwatch();
    void DeleteCall(bool wait);

    QDBusConnection FBus;
    TelephonyEventSink FSink;
    QStringList FModems;
    QString FModem;                              // the open line
    QString FCall;                               // the call object, once created
    QPointer<QDBusPendingCallWatcher> FCreating; // the CreateCall still unanswered
    bool FRequested = false;                     // a call was asked for and not yet deallocated
    bool FTerminated = false;                    // the call has ended; nothing to hang up
    bool FDropWanted = false;                    // dropped before the call object existed
};

} // namespace corvane
