#include "platform/telephony/TelLinkTelephony.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QMetaObject>
#include <QProcess>

namespace corvane {

bool TelLinkTelephony::OpenWithDesktop(const QUrl& url)
{
    const auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (gui && QGuiApplication::platformName() != QLatin1String("offscreen"))
        return QDesktopServices::openUrl(url);
    return QProcess::startDetached("xdg-open", {url.toString(QUrl::FullyEncoded)});
}

TelLinkTelephony::TelLinkTelephony(UrlOpener opener)
    : FOpener(std::move(opener)), FContext(std::make_unique<QObject>())
{
}

TelLinkTelephony::~TelLinkTelephony() = default;

Result<int> TelLinkTelephony::Initialize(TelephonyEventSink sink)
{
    FSink = std::move(sink);
    FHandler.clear();
    QProcess query;
    query.start("xdg-mime", {"query", "default", "x-scheme-handler/tel"});
    // Without xdg-utils, or with no handler registered, there is no device.
    if (!query.waitForStarted(QueryTimeoutMs) || !query.waitForFinished(QueryTimeoutMs) ||
        query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        return 0;
    }
    FHandler = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed().toStdString();
    return FHandler.empty() ? 0 : 1;
}

std::vector<std::string> TelLinkTelephony::Devices() const
{
    if (FHandler.empty())
        return {};
    return {FHandler};
}

Status TelLinkTelephony::Open()
{
    if (FHandler.empty())
        return Status::Error("no handler of tel: links");
    FOpen = true;
    return Status::Success();
}

Status TelLinkTelephony::MakeCall(const std::string& number)
{
    if (!FOpen)
        return Status::Error("no line is open");
    QUrl url;
    url.setScheme("tel");
    url.setPath(QString::fromStdString(number));
    if (!FOpener(url))
        return Status::Error("the handler of tel: links did not start");
    QMetaObject::invokeMethod(
        FContext.get(),
        [this] {
            if (!FSink)
                return;
            TelephonyEvent event;
            FSink(event); // the reply: started
            event.EventKind = TelephonyEvent::Kind::State;
            event.State = CallState::Dialing;
            FSink(event);
            event.State = CallState::HandedOver;
            FSink(event);
        },
        Qt::QueuedConnection);
    return Status::Success();
}

Status TelLinkTelephony::Drop()
{
    // The call belongs to the handler; there is nothing of ours to drop.
    return Status::Success();
}

void TelLinkTelephony::Shutdown()
{
    FOpen = false;
    FHandler.clear();
    FSink = nullptr;
}

} // namespace corvane
