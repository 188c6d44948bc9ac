// The dialing window against a pseudo-terminal modem, and the call window against the stand-in
// ModemManager, offscreen.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>

#include "dialer/FakeModemManager.h"
#include "dialer/PseudoModem.h"
#include "dialer/SerialModemPort.h"
#include "dialer/windows/TCVDialer.h"
#include "dialer/windows/TfrmTAPICall.h"
#include "platform/MessageService.h"
#include "platform/telephony/ModemManagerTelephony.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

class DialerWindow : public ::testing::Test {
  protected:
    void WriteIni(const std::string& text) { std::ofstream(FFolder.File("CORVAN.ini")) << text; }
    Settings File() const { return Settings(FFolder.File("CORVAN.ini")); }
    std::unique_ptr<TCVDialer> Window(const QString& number)
    {
        auto window =
            std::make_unique<TCVDialer>(number, File(), [] { return std::make_unique<SerialModemPort>(); });
        window->show();
        return window;
    }
    xbase::testing::ScratchFolder FFolder;
    RecordingMessageService FMessages;
    ScopedMessageService FGuard{FMessages};
};

TEST_F(DialerWindow, TheModemPanelFollowsTheCheckBox)
{
    WriteIni("[Dialing]\nUseTAPI=1\nPort=9\nMethod=3\n");
    auto window = Window("555-1234");
    EXPECT_TRUE(window->UseTAPICheck->isChecked());
    EXPECT_FALSE(window->ModemPanel->isVisible());
    window->UseTAPICheck->click();
    EXPECT_TRUE(window->ModemPanel->isVisible());
    window->UseTAPICheck->click();
    EXPECT_FALSE(window->ModemPanel->isVisible());
    // A stored port and method out of range still choose a button each.
    EXPECT_TRUE(window->PortButtons[0]->isChecked());
    EXPECT_TRUE(window->ToneButton->isChecked());
    EXPECT_EQ(window->DeviceBox->currentText(), "/dev/ttyS0");
    EXPECT_EQ(window->NumberEdit->text(), "555-1234");
}

TEST_F(DialerWindow, DialWritesTheKeysAndDialsWithTheWindowLockedUntilThePortCloses)
{
    testing::PseudoModem modem;
    ASSERT_TRUE(modem.Ok());
    WriteIni("[Dialing]\nPort=0\nCOM2=" + modem.Device() + "\n");
    auto window = Window("555-1234");
    window->PrefixEdit->setText("9,");
    window->InitEdit->setText("S7=30");
    window->PortButtons[1]->click();
    EXPECT_EQ(window->DeviceBox->currentText().toStdString(), modem.Device());
    window->PulseButton->click();

    bool checkedDuringWait = false;
    QTimer::singleShot(500, [&] {
        checkedDuringWait = true;
        EXPECT_TRUE(window->Dialing());
        EXPECT_FALSE(window->DialButton->isEnabled());
        EXPECT_FALSE(window->CancelButton->isEnabled());
        window->reject(); // Cancel or Escape
        window->close();  // the close box
        EXPECT_TRUE(window->isVisible());
    });
    QTest::mouseClick(window->DialButton, Qt::LeftButton);
    modem.Drain();

    EXPECT_TRUE(checkedDuringWait);
    EXPECT_EQ(modem.Texts(), (std::vector<std::string>{"ATS7=30\r\n", "ATDP9,555-1234\r\n", "ATH\r\n"}));
    EXPECT_TRUE(modem.SlaveClosed());
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{"Pick up phone"});
    EXPECT_TRUE(window->isVisible()); // the window stays open
    EXPECT_TRUE(window->DialButton->isEnabled());
    EXPECT_TRUE(window->CancelButton->isEnabled());
    EXPECT_FALSE(window->HelpButton->isVisible());

    const Settings file = File();
    EXPECT_EQ(file.ReadString("Dialing", "Prefix"), "9,");
    EXPECT_EQ(file.ReadString("Dialing", "Init"), "S7=30");
    EXPECT_EQ(file.ReadString("Dialing", "Port"), "1");
    EXPECT_EQ(file.ReadString("Dialing", "Method"), "1");
    EXPECT_EQ(file.ReadString("Dialing", "UseTAPI"), "0");
    EXPECT_EQ(file.ReadString("Dialing", "COM2"), modem.Device());

    QTest::mouseClick(window->CancelButton, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST(CallWindow, CallsOnShowFollowsTheCallAndClosingHangsUpAndDeletesIt)
{
    testing::FakeModemManager fake;
    ASSERT_TRUE(fake.Ok());
    const QDBusConnection bus = fake.Connect("corvane-call-window");
    {
        TfrmTAPICall window("555-0100", [&] {
            std::vector<std::unique_ptr<TelephonyService>> services;
            services.push_back(std::make_unique<ModemManagerTelephony>(bus));
            return services;
        });
        window.show();
        EXPECT_EQ(window.NumberToCallEdit->text(), "555-0100");
        EXPECT_FALSE(window.CallButton->isEnabled());
        EXPECT_TRUE(window.HangupButton->isEnabled());
        QElapsedTimer timer;
        timer.start();
        while (window.StatusList->count() < 4 && timer.elapsed() < 5000)
            QTest::qWait(20);
        ASSERT_EQ(window.StatusList->count(), 4);
        EXPECT_EQ(window.StatusList->item(3)->text(), "Connected: ");
        QTest::mouseClick(window.CloseButton, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_TRUE(fake.WaitForLog("Hangup /org/freedesktop/ModemManager1/Call/1"));
    EXPECT_TRUE(fake.WaitForLog("DeleteCall /org/freedesktop/ModemManager1/Call/1"));
}

TEST(CallWindow, AnEmptyNumberDoesNotCall)
{
    testing::FakeModemManager fake;
    ASSERT_TRUE(fake.Ok());
    const QDBusConnection bus = fake.Connect("corvane-call-window-empty");
    TfrmTAPICall window("", [&] {
        std::vector<std::unique_ptr<TelephonyService>> services;
        services.push_back(std::make_unique<ModemManagerTelephony>(bus));
        return services;
    });
    window.show();
    QTest::qWait(100);
    EXPECT_TRUE(window.CallButton->isEnabled());
    EXPECT_FALSE(window.HangupButton->isEnabled());
    EXPECT_EQ(window.StatusList->count(), 0);
    EXPECT_TRUE(fake.Log().isEmpty());
}

TEST(CallWindow, WithoutAServiceSaysSoAndKeepsTheWholeNumber)
{
    // Longer than the 30 characters a phone field holds: a prefix in front must not cut it.
    const QString number = "9,1-800-555-0100 extension 12345678";
    TfrmTAPICall window(number, [] { return std::vector<std::unique_ptr<TelephonyService>>(); });
    window.show();
    EXPECT_EQ(window.NumberToCallEdit->text(), number);
    ASSERT_EQ(window.StatusList->count(), 1);
    EXPECT_EQ(window.StatusList->item(0)->text(), "Error!! - ");
    EXPECT_TRUE(window.CallButton->isEnabled());
    EXPECT_FALSE(window.HangupButton->isEnabled());
    QTest::mouseClick(window.CloseButton, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace corvane
