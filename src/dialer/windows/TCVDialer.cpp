#include "dialer/windows/TCVDialer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialer/SerialModemPort.h"
#include "dialer/TDialer.h"
#include "dialer/windows/TfrmTAPICall.h"
#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"

namespace corvane {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QString& text)
{
    return text.toStdString();
}

// The window's message boxes around one modem dialing.
class WindowFeedback : public DialerFeedback {
  public:
    explicit WindowFeedback(QWidget* owner) : FOwner(owner) {}
    bool Confirm(const std::string& question) override { return AskYesNo(question, "Confirm"); }
    void ShowError(const std::string& text) override { QMessageBox::critical(FOwner, "Error", Q(text)); }
    void Wait(int ms) override { WaitProcessingEvents(ms); }
    void PickUpPhone() override { ShowInfo("Pick up phone"); }

  private:
    QWidget* FOwner;
};

} // namespace

TCVDialer::TCVDialer(const QString& number, QWidget* parent)
    : TCVDialer(
          number, Settings(), [] { return std::make_unique<SerialModemPort>(); }, parent)
{
}

TCVDialer::TCVDialer(const QString& number, Settings settings, PortFactory ports, QWidget* parent)
    : QDialog(parent), FSettings(std::move(settings)), FPorts(std::move(ports))
{
    setObjectName("TCVDialer");
    setWindowTitle("Dial Phone Number");

    NumberEdit = new QLineEdit(number, this);
    NumberEdit->setObjectName("NumberEdit");
    PrefixEdit = new QLineEdit(this);
    PrefixEdit->setObjectName("PrefixEdit");
    UseTAPICheck = new QCheckBox("Use TAPI to dial", this);
    UseTAPICheck->setObjectName("UseTAPICheck");

    ModemPanel = new QWidget(this);
    ModemPanel->setObjectName("ModemPanel");
    auto* portBox = new QGroupBox("Port", ModemPanel);
    auto* portGrid = new QGridLayout(portBox);
    auto* portGroup = new QButtonGroup(this);
    for (int port = 0; port < ComPortCount; ++port) {
        PortButtons[port] = new QRadioButton(QString("COM %1").arg(port + 1), portBox);
        PortButtons[port]->setObjectName(QString("COM%1Button").arg(port + 1));
        portGroup->addButton(PortButtons[port], port);
        portGrid->addWidget(PortButtons[port], port / 2, port % 2);
    }
    DeviceBox = new QComboBox(portBox);
    DeviceBox->setObjectName("DeviceBox");
    DeviceBox->setEditable(true);
    DeviceBox->setInsertPolicy(QComboBox::NoInsert);
    DeviceBox->setMinimumContentsLength(14); // room for /dev/serial/by-id/... to be seen
    DeviceBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The serial ports this machine has (USB modems: /dev/ttyACM0, ...) are offered; any device
    // may be typed.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        DeviceBox->addItem(info.systemLocation());
    auto* deviceLabel = new QLabel("Device", portBox);
    deviceLabel->setBuddy(DeviceBox);
    portGrid->addWidget(deviceLabel, 2, 0);
    portGrid->addWidget(DeviceBox, 2, 1);

    auto* methodBox = new QGroupBox("Method", ModemPanel);
    auto* methodRow = new QVBoxLayout(methodBox);
    ToneButton = new QRadioButton("Tone", methodBox);
    ToneButton->setObjectName("ToneButton");
    PulseButton = new QRadioButton("Pulse", methodBox);
    PulseButton->setObjectName("PulseButton");
    methodRow->addWidget(ToneButton);
    methodRow->addWidget(PulseButton);

    InitEdit = new QLineEdit(ModemPanel);
    InitEdit->setObjectName("InitEdit");
    auto* initLabel = new QLabel("Modem Initialization String", ModemPanel);
    initLabel->setBuddy(InitEdit);

    auto* panelLayout = new QGridLayout(ModemPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(portBox, 0, 0);
    panelLayout->addWidget(methodBox, 0, 1);
    panelLayout->addWidget(initLabel, 1, 0, 1, 2);
    panelLayout->addWidget(InitEdit, 2, 0, 1, 2);

    auto* form = new QFormLayout;
    form->addRow("Number to Dial", NumberEdit);
    form->addRow("Prefix", PrefixEdit);

    DialButton = new QPushButton("Dial", this);
    DialButton->setObjectName("DialButton");
    DialButton->setDefault(true);
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    HelpButton->setAutoDefault(false);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setAutoDefault(false);
    MouseHelpButton = CreateMouseHelpButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(DialButton);
    buttons->addWidget(HelpButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(MouseHelpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(UseTAPICheck);
    layout->addWidget(ModemPanel);
    layout->addLayout(buttons);

    connect(DialButton, &QPushButton::clicked, this, &TCVDialer::DialButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCVDialer::reject);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpContext(HelpContext); });
    connect(UseTAPICheck, &QCheckBox::clicked, this, [this] {
        UseTAPICheckClick();
        adjustSize(); // the window shrinks and grows with the modem panel
    });
    connect(portGroup, &QButtonGroup::idClicked, this, &TCVDialer::PortButtonClick);
}

void TCVDialer::showEvent(QShowEvent* event)
{
    if (!FLoaded) {
        FLoaded = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TCVDialer::FormShow()
{
    FValues = ReadDialingSettings(FSettings);
    PrefixEdit->setText(Q(FValues.Prefix));
    InitEdit->setText(Q(FValues.Init));
    PortButtons[FValues.Port]->setChecked(true);
    FShownPort = FValues.Port;
    DeviceBox->setCurrentText(Q(FValues.Device()));
    (FValues.Method == DialMethod::Pulse ? PulseButton : ToneButton)->setChecked(true);
    UseTAPICheck->setChecked(FValues.UseTAPI);
    UseTAPICheckClick();
}

void TCVDialer::UseTAPICheckClick()
{
    ModemPanel->setVisible(!UseTAPICheck->isChecked());
}

void TCVDialer::PortButtonClick(int port)
{
    // Each port keeps the device typed for it while the window is open.
    FValues.Devices[static_cast<size_t>(FShownPort)] = S(DeviceBox->currentText().trimmed());
    FShownPort = port;
    DeviceBox->setCurrentText(Q(FValues.Devices[static_cast<size_t>(port)]));
}

DialingSettings TCVDialer::Choices()
{
    DialingSettings values = FValues;
    values.Prefix = S(PrefixEdit->text());
    values.Init = S(InitEdit->text());
    values.Port = FShownPort;
    values.Method = PulseButton->isChecked() ? DialMethod::Pulse : DialMethod::Tone;
    values.UseTAPI = UseTAPICheck->isChecked();
    const QString device = DeviceBox->currentText().trimmed();
    values.Devices[static_cast<size_t>(FShownPort)] =
        device.isEmpty() ? DefaultComDevice(FShownPort) : S(device);
    return values;
}

void TCVDialer::DialButtonClick()
{
    if (FDialing)
        return;
    HelpButton->hide();
    MouseHelpButton->hide();
    FValues = Choices();
    WriteDialingSettings(FSettings, FValues);
    if (FValues.UseTAPI) {
        TfrmTAPICall call(PrefixEdit->text() + NumberEdit->text(), this);
        call.exec();
        return;
    }
    DialWithModem(FValues);
}

void TCVDialer::DialWithModem(const DialingSettings& values)
{
    TDialer dialer;
    dialer.ComPort = values.Port + 1;
    for (size_t i = 0; i < dialer.Devices.size(); ++i)
        dialer.Devices[i] = values.Devices[i];
    dialer.Method = values.Method;
    dialer.NumberToDial = values.Prefix + S(NumberEdit->text());
    dialer.InitStr = values.Init;
    // The wait after the initialisation keeps the window responsive: until the port is closed a
    // second Dial would find it busy and Cancel would take the window away under the dialer.
    SetDialing(true);
    std::unique_ptr<ModemPort> port = FPorts();
    WindowFeedback feedback(this);
    dialer.Dial(*port, feedback);
    port.reset();
    SetDialing(false);
}

void TCVDialer::SetDialing(bool dialing)
{
    FDialing = dialing;
    DialButton->setEnabled(!dialing);
    CancelButton->setEnabled(!dialing);
}

void TCVDialer::reject()
{
    if (!FDialing)
        QDialog::reject();
}

void TCVDialer::closeEvent(QCloseEvent* event)
{
    // The close box does nothing while the port is open (changing the window's flags instead
    // would hide the window and end its modal loop).
    if (FDialing) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace corvane
