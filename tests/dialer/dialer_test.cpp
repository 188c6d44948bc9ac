// The modem dialer against a pseudo-terminal that plays the modem, and the "Dialing" settings.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "PseudoModem.h"
#include "dialer/DialingSettings.h"
#include "dialer/SerialModemPort.h"
#include "dialer/TDialer.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using testing::PseudoModem;

// Records what the dialer told the user; while the user is asked to pick up the phone, the test
// reads the pseudo-modem (what the modem has by then).
class RecordingFeedback : public DialerFeedback {
  public:
    bool Confirm(const std::string& question) override
    {
        Questions.push_back(question);
        return ConfirmAnswer;
    }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void Wait(int ms) override
    {
        Waits.push_back(ms);
        if (RealWait)
            WaitProcessingEvents(ms);
    }
    void PickUpPhone() override
    {
        ++PickUps;
        if (WhilePickingUp)
            WhilePickingUp();
    }

    bool ConfirmAnswer = true;
    bool RealWait = false;
    std::function<void()> WhilePickingUp;
    std::vector<std::string> Questions;
    std::vector<std::string> Errors;
    std::vector<int> Waits;
    int PickUps = 0;
};

TDialer DialerOn(const std::string& device)
{
    TDialer dialer;
    dialer.ComPort = 2; // the test's modem stands in for COM2
    dialer.Devices[1] = device;
    return dialer;
}

struct AtCase {
    const char* Name;
    std::string Init;
    std::string Number;
    DialMethod Method;
    std::vector<std::string> Expected;
};

class AtBytes : public ::testing::TestWithParam<AtCase> {};

TEST_P(AtBytes, ReachTheModemInOrderAndThePortIsClosed)
{
    const AtCase& c = GetParam();
    PseudoModem modem;
    ASSERT_TRUE(modem.Ok());
    TDialer dialer = DialerOn(modem.Device());
    dialer.InitStr = c.Init;
    dialer.NumberToDial = c.Number;
    dialer.Method = c.Method;

    RecordingFeedback feedback;
    std::vector<std::string> beforePickUp;
    feedback.WhilePickingUp = [&] {
        modem.Drain();
        beforePickUp = modem.Texts();
    };
    SerialModemPort port;
    const DialRun run = dialer.Dial(port, feedback);
    modem.Drain();

    EXPECT_TRUE(run.Ok);
    EXPECT_TRUE(feedback.Errors.empty());
    EXPECT_EQ(modem.Texts(), c.Expected);
    EXPECT_EQ(run.Sent, c.Expected);
    EXPECT_EQ(modem.Unterminated(), "");
    // The hang-up follows "Pick up phone", never precedes it.
    ASSERT_EQ(feedback.PickUps, 1);
    EXPECT_EQ(beforePickUp, std::vector<std::string>(c.Expected.begin(), c.Expected.end() - 1));
    // Only an initialisation is followed by the wait.
    EXPECT_EQ(feedback.Waits.size(), c.Expected.size() == 3 ? 1u : 0u);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(modem.SlaveClosed());
    EXPECT_EQ(dialer.Commands(), c.Expected); // what a dry run prints
}

INSTANTIATE_TEST_SUITE_P(
    Dialer, AtBytes,
    ::testing::Values(
        AtCase{"InitWithoutAt",
               "S7=30",
               "9,555-1234",
               DialMethod::Tone,
               {"ATS7=30\r\n", "ATDT9,555-1234\r\n", "ATH\r\n"}},
        AtCase{
            "LowerCaseAtKept", "atz", "5551234", DialMethod::Tone, {"atz\r\n", "ATDT5551234\r\n", "ATH\r\n"}},
        AtCase{"UpperCaseAtKept",
               "AT&F",
               "5551234",
               DialMethod::Tone,
               {"AT&F\r\n", "ATDT5551234\r\n", "ATH\r\n"}},
        AtCase{"EmptyInitSendsNothing", "", "5551234", DialMethod::Tone, {"ATDT5551234\r\n", "ATH\r\n"}},
        AtCase{"Pulse", "", "5551234", DialMethod::Pulse, {"ATDP5551234\r\n", "ATH\r\n"}},
        AtCase{
            "LineBreakInsideTheNumber", "", "555\r\n1234", DialMethod::Tone, {"ATDT5551234\r\n", "ATH\r\n"}},
        AtCase{"LineBreakInsideTheInit",
               "S7=30\rATDP911",
               "5551234",
               DialMethod::Tone,
               {"ATS7=30ATDP911\r\n", "ATDT5551234\r\n", "ATH\r\n"}},
        AtCase{"InitOfControlCharactersOnly",
               "\r\n",
               "5551234",
               DialMethod::Tone,
               {"ATDT5551234\r\n", "ATH\r\n"}}),
    [](const ::testing::TestParamInfo<AtCase>& info) { return std::string(info.param.Name); });

TEST(Dialer, TheDialCommandFollowsTheInitAfterTheWait)
{
    PseudoModem modem;
    ASSERT_TRUE(modem.Ok());
    TDialer dialer = DialerOn(modem.Device());
    dialer.InitStr = "S7=30";
    dialer.NumberToDial = "5551234";
    RecordingFeedback feedback;
    feedback.RealWait = true;
    feedback.WhilePickingUp = [&] { modem.Drain(); };
    // The pseudo-modem is read only afterwards; the kernel keeps the bytes, so the gap is measured
    // on the dialer's side by the time each Write returned.
    std::vector<std::chrono::steady_clock::time_point> stamps;
    class StampingPort : public SerialModemPort {
      public:
        explicit StampingPort(std::vector<std::chrono::steady_clock::time_point>& stamps) : FStamps(stamps) {}
        bool Write(const std::string& bytes) override
        {
            const bool ok = SerialModemPort::Write(bytes);
            FStamps.push_back(std::chrono::steady_clock::now());
            return ok;
        }

      private:
        std::vector<std::chrono::steady_clock::time_point>& FStamps;
    } port(stamps);

    ASSERT_TRUE(dialer.Dial(port, feedback).Ok);
    ASSERT_EQ(stamps.size(), 3u);
    const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(stamps[1] - stamps[0]).count();
    EXPECT_GE(gap, TDialer::InitWaitMs - 20);
    EXPECT_EQ(feedback.Waits, std::vector<int>{1500});
}

TEST(Dialer, AnUnopenableDeviceWritesNothingAndNamesPortDeviceAndReason)
{
    TDialer dialer = DialerOn("/nonexistent/corvane-modem");
    dialer.NumberToDial = "5551234";
    RecordingFeedback feedback;
    SerialModemPort port;
    const DialRun run = dialer.Dial(port, feedback);
    EXPECT_FALSE(run.Ok);
    EXPECT_TRUE(run.Sent.empty());
    EXPECT_EQ(feedback.PickUps, 0);
    ASSERT_EQ(feedback.Errors.size(), 1u);
    EXPECT_EQ(feedback.Errors[0].rfind("Unable to open COM2\n/nonexistent/corvane-modem: ", 0), 0u)
        << feedback.Errors[0];
    EXPECT_GT(feedback.Errors[0].size(),
              std::string("Unable to open COM2\n/nonexistent/corvane-modem: ").size());
}

TEST(Dialer, AWriteThatFailsSaysSoClosesThePortAndNeverHangsUp)
{
    class FailingPort : public ModemPort {
      public:
        Status Open(const std::string&) override
        {
            FOpen = true;
            return Status::Success();
        }
        bool Write(const std::string&) override { return false; }
        void Close() override { FOpen = false; }
        bool IsOpen() const override { return FOpen; }
        bool FOpen = false;
    } port;
    TDialer dialer;
    dialer.NumberToDial = "5551234";
    RecordingFeedback feedback;
    const DialRun run = dialer.Dial(port, feedback);
    EXPECT_FALSE(run.Ok);
    EXPECT_EQ(feedback.Errors, std::vector<std::string>{"Unable to dial number"});
    EXPECT_EQ(feedback.PickUps, 0);
    EXPECT_FALSE(port.IsOpen());
}

TEST(Dialer, ConfirmingAsksFirstAndNoStopsBeforeOpening)
{
    TDialer dialer = DialerOn("/nonexistent/corvane-modem");
    dialer.Confirm = true;
    dialer.NumberToDial = "5551234";
    RecordingFeedback feedback;
    feedback.ConfirmAnswer = false;
    SerialModemPort port;
    EXPECT_FALSE(dialer.Dial(port, feedback).Ok);
    EXPECT_EQ(feedback.Questions,
              std::vector<std::string>{"About to dial the number 5551234. Are you sure?"});
    EXPECT_TRUE(feedback.Errors.empty()); // the port was never tried
}

// ---- settings ----

class DialingSettingsTest : public ::testing::Test {
  protected:
    void WriteIni(const std::string& text) { std::ofstream(FFolder.File("CORVAN.ini")) << text; }
    Settings File() const { return Settings(FFolder.File("CORVAN.ini")); }
    xbase::testing::ScratchFolder FFolder;
};

TEST_F(DialingSettingsTest, DefaultsWhenTheSectionIsMissing)
{
    const DialingSettings values = ReadDialingSettings(File());
    EXPECT_EQ(values.Prefix, "");
    EXPECT_EQ(values.Init, "");
    EXPECT_EQ(values.Port, 0);
    EXPECT_EQ(values.Method, DialMethod::Tone);
    EXPECT_FALSE(values.UseTAPI);
    EXPECT_EQ(values.Devices[0], "/dev/ttyS0");
    EXPECT_EQ(values.Devices[3], "/dev/ttyS3");
}

TEST_F(DialingSettingsTest, PortAndMethodOutOfRangeReadAsCom1AndTone)
{
    struct Row {
        const char* Port;
        const char* Method;
        int ExpectedPort;
        DialMethod ExpectedMethod;
    };
    for (const Row& row : {Row{"7", "5", 0, DialMethod::Tone}, Row{"-1", "-1", 0, DialMethod::Tone},
                           Row{"3", "1", 3, DialMethod::Pulse}, Row{"x", "2", 0, DialMethod::Tone}}) {
        WriteIni(std::string("[Dialing]\nPort=") + row.Port + "\nMethod=" + row.Method + "\n");
        const DialingSettings values = ReadDialingSettings(File());
        EXPECT_EQ(values.Port, row.ExpectedPort) << row.Port;
        EXPECT_EQ(values.Method, row.ExpectedMethod) << row.Method;
    }
}

TEST_F(DialingSettingsTest, WritingKeepsTheFiveKeysAndTheChosenPortsDevice)
{
    WriteIni("[Dialing]\nCOM1=/dev/ttyUSB9\n[Other]\nKey=1\n");
    DialingSettings values = ReadDialingSettings(File());
    EXPECT_EQ(values.Devices[0], "/dev/ttyUSB9");
    values.Prefix = "9,";
    values.Init = "S7=30";
    values.Port = 2;
    values.Method = DialMethod::Pulse;
    values.UseTAPI = true;
    values.Devices[2] = "/dev/ttyACM0";
    ASSERT_TRUE(WriteDialingSettings(File(), values));

    const DialingSettings back = ReadDialingSettings(File());
    EXPECT_EQ(back.Prefix, "9,");
    EXPECT_EQ(back.Init, "S7=30");
    EXPECT_EQ(back.Port, 2);
    EXPECT_EQ(back.Method, DialMethod::Pulse);
    EXPECT_TRUE(back.UseTAPI);
    EXPECT_EQ(back.Devices[0], "/dev/ttyUSB9");
    EXPECT_EQ(back.Devices[2], "/dev/ttyACM0");
    EXPECT_EQ(File().ReadString("Dialing", "UseTAPI"), "1");
    EXPECT_EQ(File().ReadString("Dialing", "Method"), "1");
    EXPECT_EQ(File().ReadString("Other", "Key"), "1");
}

} // namespace
} // namespace corvane
