#pragma once
// The desktop's handler of tel: links (a softphone, a phone-link program) as a telephony service
// with one device: a call opens "tel:" + number with it, and from then on the call belongs to that
// program, so the line is free again at once.

#include <functional>
#include <memory>
#include <string>

#include <QObject>
#include <QUrl>

#include "platform/telephony/TelephonyService.h"

namespace corvane {

class TelLinkTelephony : public TelephonyService {
  public:
    // Opens a URL with the desktop's handler; true when it was handed over.
    using UrlOpener = std::function<bool(const QUrl&)>;
    static constexpr int QueryTimeoutMs = 3000;

    // QDesktopServices in a window program; xdg-open where there is no window system to ask.
    static bool OpenWithDesktop(const QUrl& url);

    explicit TelLinkTelephony(UrlOpener opener = OpenWithDesktop);
    ~TelLinkTelephony() override;

    std::string Name() const override { return "tel"; }
    Result<int> Initialize(TelephonyEventSink sink) override;
    std::vector<std::string> Devices() const override;
    Status Open() override;
    Status MakeCall(const std::string& number) override;
    Status Drop() override;
    void Deallocate() override {}
    void Close() override { FOpen = false; }
    void Shutdown() override;

  private:
    UrlOpener FOpener;
    TelephonyEventSink FSink;
    std::string FHandler; // the desktop file of the tel: handler
    bool FOpen = false;
    // Events are delivered from the event loop, never from inside MakeCall().
    std::unique_ptr<QObject> FContext;
};

} // namespace corvane
