#include "platform/telephony/ModemManagerTelephony.h"

#include <ModemManager.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMetaObject>
#include <QVariantMap>

namespace corvane {

namespace {

const char* const ObjectManager = "org.freedesktop.DBus.ObjectManager";

TelephonyEvent StateEvent(CallState state, DisconnectMode mode = DisconnectMode::Other)
{
    TelephonyEvent event;
    event.EventKind = TelephonyEvent::Kind::State;
    event.State = state;
    event.Disconnect = mode;
    return event;
}

TelephonyEvent KindEvent(TelephonyEvent::Kind kind, int result = 0)
{
    TelephonyEvent event;
    event.EventKind = kind;
    event.Result = result;
    return event;
}

// The voice-capable modems of a GetManagedObjects answer (a{oa{sa{sv}}}), in path order.
QStringList VoiceModems(const QDBusArgument& objects)
{
    QStringList modems;
    objects.beginMap();
    while (!objects.atEnd()) {
        QDBusObjectPath path;
        objects.beginMapEntry();
        objects >> path;
        bool voice = false;
        objects.beginMap();
        while (!objects.atEnd()) {
            QString interfaceName;
            QVariantMap properties;
            objects.beginMapEntry();
            objects >> interfaceName >> properties;
            objects.endMapEntry();
            voice = voice || interfaceName == QLatin1String(MM_DBUS_INTERFACE_MODEM_VOICE);
        }
        objects.endMap();
        objects.endMapEntry();
        if (voice)
            modems << path.path();
    }
    objects.endMap();
    modems.sort();
    return modems;
}

} // namespace

QDBusConnection ModemManagerTelephony::ChosenBus()
{
    return qEnvironmentVariable("CORVANE_TELEPHONY_BUS") == QLatin1String("session")
               ? QDBusConnection::sessionBus()
               : QDBusConnection::systemBus();
}

ModemManagerTelephony::ModemManagerTelephony(QDBusConnection bus) : FBus(std::move(bus)) {}

ModemManagerTelephony::~ModemManagerTelephony()
{
    Shutdown();
}

Result<int> ModemManagerTelephony::Initialize(TelephonyEventSink sink)
{
    FSink = std::move(sink);
    FModems.clear();
    // No bus or no ModemManager on it: a service without devices, so the next one is tried.
    if (!FBus.isConnected())
        return 0;
    QDBusMessage request =
        QDBusMessage::createMethodCall(MM_DBUS_SERVICE, MM_DBUS_PATH, ObjectManager, "GetManagedObjects");
    const QDBusMessage reply = FBus.call(request, QDBus::Block, DiscoveryTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return 0;
    const QVariant objects = reply.arguments().constFirst();
    if (!objects.canConvert<QDBusArgument>() ||
        objects.value<QDBusArgument>().currentSignature() != "a{oa{sa{sv}}}")
        return Result<int>::Error("ModemManager answered with an unexpected list of modems");
    FModems = VoiceModems(objects.value<QDBusArgument>());
    return static_cast<int>(FModems.size());
}

std::vector<std::string> ModemManagerTelephony::Devices() const
{
    std::vector<std::string> devices;
    for (const QString& modem : FModems)
        devices.push_back(modem.toStdString());
    return devices;
}

Status ModemManagerTelephony::Open()
{
    if (FModems.isEmpty())
        return Status::Error("no voice modem");
    FModem = FModems.constFirst();
    return Status::Success();
}

void ModemManagerTelephony::Send(const TelephonyEvent& event)
{
    if (FSink)
        FSink(event);
}

void ModemManagerTelephony::SendLater(const TelephonyEvent& event)
{
    QMetaObject::invokeMethod(
        this, [this, event] { Send(event); }, Qt::QueuedConnection);
}

Status ModemManagerTelephony::MakeCall(const std::string& number)
{
    if (FModem.isEmpty())
        return Status::Error("no line is open");
    if (FRequested)
        return Status::Error("a call is already being made");
    QDBusMessage request =
        QDBusMessage::createMethodCall(MM_DBUS_SERVICE, FModem, MM_DBUS_INTERFACE_MODEM_VOICE, "CreateCall");
    QVariantMap properties;
    properties.insert("number", QString::fromStdString(number));
    request << properties;
    auto* watcher = new QDBusPendingCallWatcher(FBus.asyncCall(request, CallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *finished;
        if (reply.isError()) {
            FRequested = false;
            Send(KindEvent(TelephonyEvent::Kind::CallFailed));
            return;
        }
        CallCreated(reply.value().path());
    });
    FCreating = watcher;
    FRequested = true;
    FTerminated = false;
    FDropWanted = false;
    return Status::Success();
}

void ModemManagerTelephony::CallCreated(const QString& path)
{
    FCall = path;
    FBus.connect(MM_DBUS_SERVICE, FCall, MM_DBUS_INTERFACE_CALL, "StateChanged", "iiu", this,
                 SLOT(OnCallStateChanged(int, int, uint)));
    if (FDropWanted) {
        // Hung up while the call was being created: it never starts.
        FTerminated = true;
        Send(StateEvent(CallState::Idle));
        return;
    }
    StartCall();
}

void ModemManagerTelephony::StartCall()
{
    QDBusMessage request =
        QDBusMessage::createMethodCall(MM_DBUS_SERVICE, FCall, MM_DBUS_INTERFACE_CALL, "Start");
    auto* watcher = new QDBusPendingCallWatcher(FBus.asyncCall(request, CallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const bool failed = finished->isError();
        Send(KindEvent(TelephonyEvent::Kind::Reply, failed ? -1 : 0));
        if (failed && !FCall.isEmpty()) {
            // A call that never started will not change state again: free the line.
            FTerminated = true;
            Send(StateEvent(CallState::Idle));
        }
    });
}

void ModemManagerTelephony::OnCallStateChanged(int /*oldState*/, int newState, uint reason)
{
    switch (newState) {
    case MM_CALL_STATE_DIALING:
        Send(StateEvent(CallState::Dialing));
        break;
    case MM_CALL_STATE_RINGING_OUT:
        Send(StateEvent(CallState::Proceeding));
        break;
    case MM_CALL_STATE_ACTIVE:
        Send(StateEvent(CallState::Connected));
        break;
    case MM_CALL_STATE_TERMINATED: {
        FTerminated = true;
        DisconnectMode mode = DisconnectMode::Other;
        if (reason == MM_CALL_STATE_REASON_TERMINATED)
            mode = DisconnectMode::Normal;
        else if (reason == MM_CALL_STATE_REASON_REFUSED_OR_BUSY)
            mode = DisconnectMode::Busy;
        Send(StateEvent(CallState::Disconnected, mode));
        break;
    }
    default:
        break;
    }
}

Status ModemManagerTelephony::Drop()
{
    if (!FRequested)
        return Status::Error("no call to drop");
    if (FCall.isEmpty()) {
        FDropWanted = true;
        return Status::Success();
    }
    if (FTerminated) {
        // Nothing left to hang up; the call only has to be let go of.
        SendLater(StateEvent(CallState::Idle));
        return Status::Success();
    }
    QDBusMessage request =
        QDBusMessage::createMethodCall(MM_DBUS_SERVICE, FCall, MM_DBUS_INTERFACE_CALL, "Hangup");
    auto* watcher = new QDBusPendingCallWatcher(FBus.asyncCall(request, CallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        if (finished->isError())
            Send(KindEvent(TelephonyEvent::Kind::DropFailed));
    });
    return Status::Success();
}

void ModemManagerTelephony::Unwatch()
{
    if (!FCall.isEmpty())
        FBus.disconnect(MM_DBUS_SERVICE, FCall, MM_DBUS_INTERFACE_CALL, "StateChanged", "iiu", this,
                        SLOT(OnCallStateChanged(int, int, uint)));
}

void ModemManagerTelephony::DeleteCall(bool wait)
{
    if (!FCall.isEmpty()) {
        Unwatch();
        QDBusMessage request = QDBusMessage::createMethodCall(MM_DBUS_SERVICE, FModem,
                                                              MM_DBUS_INTERFACE_MODEM_VOICE, "DeleteCall");
        request << QVariant::fromValue(QDBusObjectPath(FCall));
        if (wait)
            FBus.call(request, QDBus::Block, CallTimeoutMs);
        else
            FBus.asyncCall(request, CallTimeoutMs);
    }
    FCall.clear();
    FRequested = false;
    FTerminated = false;
    FDropWanted = false;
}

void ModemManagerTelephony::Deallocate()
{
    DeleteCall(false);
}

void ModemManagerTelephony::Close()
{
    if (FCreating && !FCreating->isFinished()) {
        // Closed while the call was being created: take the answer now, so the call is deleted
        // rather than left behind in ModemManager. It never started, so there is nothing to hang up.
        FCreating->disconnect(this);
        FCreating->waitForFinished();
        const QDBusPendingReply<QDBusObjectPath> reply = *FCreating;
        if (!reply.isError()) {
            FCall = reply.value().path();
            FTerminated = true;
        }
        delete FCreating.data();
    }
    if (!FCall.isEmpty() && !FTerminated) {
        // The window is going away: the call must not outlive it.
        QDBusMessage request =
            QDBusMessage::createMethodCall(MM_DBUS_SERVICE, FCall, MM_DBUS_INTERFACE_CALL, "Hangup");
        FBus.call(request, QDBus::Block, CallTimeoutMs);
    }
    DeleteCall(true);
    FModem.clear();
}

void ModemManagerTelephony::Shutdown()
{
    Close();
    FModems.clear();
    FSink = nullptr;
}

} // namespace corvane
