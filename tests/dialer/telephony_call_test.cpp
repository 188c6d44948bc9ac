// The call line against a stand-in ModemManager on a private bus, and against a stand-in tel:
// handler (xdg-mime and xdg-open scripts on PATH).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FakeModemManager.h"
#include "dialer/TelephonyCall.h"
#include "platform/telephony/ModemManagerTelephony.h"
#include "platform/telephony/TelLinkTelephony.h"

namespace corvane {
namespace {

using testing::FakeModemManager;

struct Recorder {
    std::vector<std::string> Lines;
    bool CallEnabled = true;
    bool HangupEnabled = false;
    int Freed = 0;

    TelephonyCall::Hooks Hooks()
    {
        return {[this](const std::string& line) { Lines.push_back(line); }, [this] { Lines.clear(); },
                [this](bool call, bool hangup) {
                    CallEnabled = call;
                    HangupEnabled = hangup;
                },
                [this] { ++Freed; }};
    }
    bool WaitFor(const std::function<bool()>& done, int ms = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }
    bool WaitForLine(const std::string& line)
    {
        return WaitFor([&] { return std::find(Lines.begin(), Lines.end(), line) != Lines.end(); });
    }
};

QDBusConnection NoBus()
{
    return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/corvane-bus"),
                                         "corvane-no-bus");
}

std::vector<std::unique_ptr<TelephonyService>> ModemManagerOn(QDBusConnection bus)
{
    std::vector<std::unique_ptr<TelephonyService>> services;
    services.push_back(std::make_unique<ModemManagerTelephony>(bus));
    return services;
}

class ModemManagerCall : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(FFake.Ok()) << "the stand-in ModemManager did not start";
        static int connection = 0;
        FBus = std::make_unique<QDBusConnection>(FFake.Connect(QString("corvane-test-%1").arg(++connection)));
        ASSERT_TRUE(FBus->isConnected());
    }
    FakeModemManager FFake;
    std::unique_ptr<QDBusConnection> FBus;
    Recorder FRecorder;
};

struct CallCase {
    const char* Name;
    std::string Number;
    std::vector<std::string> Lines;
};

class CallProgress : public ModemManagerCall, public ::testing::WithParamInterface<CallCase> {};

TEST_P(CallProgress, StatusLinesFollowTheCallUntilTheLineIsFree)
{
    const CallCase& c = GetParam();
    TelephonyCall call(ModemManagerOn(*FBus), FRecorder.Hooks());
    ASSERT_TRUE(call.LineOpen());
    ASSERT_TRUE(call.Call(c.Number));
    EXPECT_FALSE(FRecorder.CallEnabled);
    EXPECT_TRUE(FRecorder.HangupEnabled);
    ASSERT_TRUE(FRecorder.WaitFor([&] { return FRecorder.Freed > 0; }));
    EXPECT_EQ(FRecorder.Lines, c.Lines);
    EXPECT_TRUE(FRecorder.CallEnabled);
    EXPECT_FALSE(FRecorder.HangupEnabled);
    ASSERT_TRUE(FFake.WaitForLog("DeleteCall /org/freedesktop/ModemManager1/Call/1"));
    const QStringList log = FFake.Log();
    EXPECT_TRUE(log.contains(QString::fromStdString("CreateCall " + c.Number)));
    // A call that ended by itself is not hung up.
    EXPECT_FALSE(log.contains("Hangup /org/freedesktop/ModemManager1/Call/1"))
        << log.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Telephony, CallProgress,
    ::testing::Values(
        CallCase{
            "EndedNormally",
            "555-0101",
            {"TAPI started", "Dialing", "Proceeding...", "Connected: ", "Disconnected: normal...", "Idle"}},
        CallCase{"Busy", "555-0199", {"TAPI started", "Dialing", "Proceeding...", "Busy...", "Idle"}},
        CallCase{"StartRefused", "555-0666", {"TAPI Error", "Idle"}}),
    [](const ::testing::TestParamInfo<CallCase>& info) { return std::string(info.param.Name); });

TEST_F(ModemManagerCall, HangupEndsAnActiveCall)
{
    TelephonyCall call(ModemManagerOn(*FBus), FRecorder.Hooks());
    ASSERT_TRUE(call.Call("555-0100"));
    ASSERT_TRUE(FRecorder.WaitForLine("Connected: "));
    call.Hangup();
    ASSERT_TRUE(FRecorder.WaitForLine("Idle"));
    EXPECT_EQ(FRecorder.Lines, (std::vector<std::string>{"TAPI started", "Dialing", "Proceeding...",
                                                         "Connected: ", "Disconnected: normal...", "Idle"}));
    EXPECT_TRUE(FFake.WaitForLog("DeleteCall /org/freedesktop/ModemManager1/Call/1"));
    EXPECT_EQ(FFake.Log().count("Hangup /org/freedesktop/ModemManager1/Call/1"), 1);
    // The line takes the next call.
    EXPECT_TRUE(call.Call("555-0101"));
    EXPECT_TRUE(FFake.WaitForLog("CreateCall 555-0101"));
}

TEST_F(ModemManagerCall, AnEmptyNumberCallsNothing)
{
    TelephonyCall call(ModemManagerOn(*FBus), FRecorder.Hooks());
    ASSERT_TRUE(call.LineOpen());
    EXPECT_FALSE(call.Call(""));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_TRUE(FFake.Log().isEmpty()) << FFake.Log().join(", ").toStdString();
    EXPECT_TRUE(FRecorder.Lines.empty());
}

TEST_F(ModemManagerCall, ReleasingDuringACallHangsUpAndDeletesIt)
{
    {
        TelephonyCall call(ModemManagerOn(*FBus), FRecorder.Hooks());
        ASSERT_TRUE(call.Call("555-0100"));
        ASSERT_TRUE(FRecorder.WaitForLine("Connected: "));
    }
    EXPECT_TRUE(FFake.WaitForLog("Hangup /org/freedesktop/ModemManager1/Call/1"));
    EXPECT_TRUE(FFake.WaitForLog("DeleteCall /org/freedesktop/ModemManager1/Call/1"));
}

TEST_F(ModemManagerCall, ReleasingBeforeTheCallExistsStillDeletesIt)
{
    {
        TelephonyCall call(ModemManagerOn(*FBus), FRecorder.Hooks());
        ASSERT_TRUE(call.Call("555-0100"));
    }
    EXPECT_TRUE(FFake.WaitForLog("DeleteCall /org/freedesktop/ModemManager1/Call/1"));
    EXPECT_FALSE(FFake.Log().contains("Start /org/freedesktop/ModemManager1/Call/1"));
}

TEST(TelephonyCallWithoutService, SaysNoDevicesAndCallsNothing)
{
    Recorder recorder;
    TelephonyCall call(ModemManagerOn(NoBus()), recorder.Hooks());
    EXPECT_FALSE(call.LineOpen());
    EXPECT_EQ(recorder.Lines, std::vector<std::string>{"Error!! - No TAPI devices found"});
    EXPECT_FALSE(call.Call("555-0100"));
}

// ---- the tel: handler ----

class TelLinkCall : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(FFolder.isValid());
        FOpened = FFolder.filePath("opened.txt");
        FOldPath = qgetenv("PATH");
        qputenv("PATH", FFolder.path().toUtf8() + ":" + FOldPath);
        WriteScript("xdg-open", "echo \"$1\" >> '" + FOpened + "'\n");
    }
    void TearDown() override { qputenv("PATH", FOldPath); }
    void WriteScript(const QString& name, const QString& body)
    {
        QFile file(FFolder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    std::vector<std::unique_ptr<TelephonyService>> Services()
    {
        // ModemManager first, as in the program: absent here, so the tel: handler is used.
        auto services = ModemManagerOn(NoBus());
        services.push_back(std::make_unique<TelLinkTelephony>());
        return services;
    }
    QString Opened() const
    {
        QFile file(FOpened);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
    }
    QTemporaryDir FFolder;
    QString FOpened;
    QByteArray FOldPath;
    Recorder FRecorder;
};

TEST_F(TelLinkCall, HandsTheNumberToTheHandlerAndFreesTheLine)
{
    WriteScript("xdg-mime",
                "[ \"$*\" = 'query default x-scheme-handler/tel' ] && echo org.example.Phone.desktop\n");
    TelephonyCall call(Services(), FRecorder.Hooks());
    ASSERT_TRUE(call.LineOpen());
    ASSERT_NE(call.Service(), nullptr);
    EXPECT_EQ(call.Service()->Devices(), std::vector<std::string>{"org.example.Phone.desktop"});
    ASSERT_TRUE(call.Call("9,555-1234"));
    ASSERT_TRUE(FRecorder.WaitFor([&] { return FRecorder.Freed > 0; }));
    EXPECT_EQ(FRecorder.Lines, (std::vector<std::string>{"TAPI started", "Dialing"}));
    EXPECT_TRUE(FRecorder.CallEnabled);
    EXPECT_FALSE(FRecorder.HangupEnabled);
    ASSERT_TRUE(FRecorder.WaitFor([&] { return !Opened().isEmpty(); }));
    EXPECT_EQ(Opened(), "tel:9,555-1234");
}

TEST_F(TelLinkCall, NoHandlerMeansNoDevices)
{
    WriteScript("xdg-mime", "exit 0\n");
    TelephonyCall call(Services(), FRecorder.Hooks());
    EXPECT_FALSE(call.LineOpen());
    EXPECT_EQ(FRecorder.Lines, std::vector<std::string>{"Error!! - No TAPI devices found"});
    EXPECT_FALSE(call.Call("555-1234"));
    EXPECT_TRUE(Opened().isEmpty());
}

} // namespace
} // namespace corvane
