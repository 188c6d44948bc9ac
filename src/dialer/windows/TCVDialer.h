#pragma once
// "Dial Phone Number": the number, a prefix, and either the modem's port, device, method and
// initialisation string or the telephony service. The window stays open after dialing.

#include <functional>
#include <memory>

#include <QDialog>

#include "dialer/DialingSettings.h"
#include "dialer/ModemPort.h"
#include "platform/Settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace corvane {

class TCVDialer : public QDialog {
    Q_OBJECT

  public:
    static constexpr int HelpContext = 1031;
    using PortFactory = std::function<std::unique_ptr<ModemPort>()>;

    TCVDialer(const QString& number, QWidget* parent = nullptr);
    // A settings file and a port of the caller's choosing (tests).
    TCVDialer(const QString& number, Settings settings, PortFactory ports, QWidget* parent = nullptr);

    bool Dialing() const { return FDialing; }

    QLineEdit* NumberEdit;
    QLineEdit* PrefixEdit;
    QCheckBox* UseTAPICheck;
    QWidget* ModemPanel;
    QRadioButton* PortButtons[ComPortCount];
    QComboBox* DeviceBox;
    QRadioButton* ToneButton;
    QRadioButton* PulseButton;
    QLineEdit* InitEdit;
    QPushButton* DialButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;
    QToolButton* MouseHelpButton;

  public slots:
    void DialButtonClick();
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormShow();
    void UseTAPICheckClick();
    void PortButtonClick(int port);
    DialingSettings Choices();
    void DialWithModem(const DialingSettings& values);
    void SetDialing(bool dialing);

    Settings FSettings;
    PortFactory FPorts;
    DialingSettings FValues;
    int FShownPort = 0;
    bool FLoaded = false;
    bool FDialing = false;
};

} // namespace corvane
