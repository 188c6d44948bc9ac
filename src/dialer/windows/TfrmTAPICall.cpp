#include "dialer/windows/TfrmTAPICall.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialer/TelephonyCall.h"
#include "platform/telephony/TelephonyServices.h"

namespace corvane {

TfrmTAPICall::TfrmTAPICall(const QString& number, QWidget* parent)
    : TfrmTAPICall(
          number, [] { return TelephonyServices(); }, parent)
{
}

TfrmTAPICall::TfrmTAPICall(const QString& number, const ServiceFactory& services, QWidget* parent)
    : QDialog(parent), FNumber(number)
{
    setObjectName("TfrmTAPICall");
    setWindowTitle("TAPI Call - PICK UP THE PHONE");

    // The whole number: a prefix in front of a full-width phone field must not be cut off.
    NumberToCallEdit = new QLineEdit(this);
    NumberToCallEdit->setObjectName("NumberToCallEdit");
    StatusList = new QListWidget(this);
    StatusList->setObjectName("StatusList");
    CallButton = new QPushButton("Call", this);
    CallButton->setObjectName("CallButton");
    HangupButton = new QPushButton("Hangup", this);
    HangupButton->setObjectName("HangupButton");
    HangupButton->setEnabled(false);
    CloseButton = new QPushButton("Close", this);
    CloseButton->setObjectName("CloseButton");

    auto* numberLabel = new QLabel("Number to call", this);
    numberLabel->setBuddy(NumberToCallEdit);
    auto* statusLabel = new QLabel("Status", this);
    statusLabel->setBuddy(StatusList);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CallButton);
    buttons->addWidget(HangupButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(numberLabel);
    layout->addWidget(NumberToCallEdit);
    layout->addWidget(statusLabel);
    layout->addWidget(StatusList);
    layout->addLayout(buttons);

    connect(CallButton, &QPushButton::clicked, this, &TfrmTAPICall::CallButtonClick);
    connect(HangupButton, &QPushButton::clicked, this, &TfrmTAPICall::HangupButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);

    TelephonyCall::Hooks hooks;
    hooks.AddStatus = [this](const std::string& line) { StatusList->addItem(QString::fromStdString(line)); };
    hooks.ClearStatus = [this] { StatusList->clear(); };
    hooks.Buttons = [this](bool callEnabled, bool hangupEnabled) {
        CallButton->setEnabled(callEnabled);
        HangupButton->setEnabled(hangupEnabled);
    };
    FCall = std::make_unique<TelephonyCall>(services(), std::move(hooks));
}

TfrmTAPICall::~TfrmTAPICall()
{
    FCall->Release();
}

void TfrmTAPICall::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FActivated)
        return;
    FActivated = true;
    NumberToCallEdit->setText(FNumber);
    CallButtonClick();
}

void TfrmTAPICall::CallButtonClick()
{
    FCall->Call(NumberToCallEdit->text().toStdString());
}

void TfrmTAPICall::HangupButtonClick()
{
    FCall->Hangup();
}

void TfrmTAPICall::done(int result)
{
    // The call must not outlive its window: hang up, delete it, close the line, shut down.
    FCall->Release();
    QDialog::done(result);
}

} // namespace corvane
