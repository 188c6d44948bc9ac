#include "utilities/windows/TTagAllRecords.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/xbase/Table.h"

namespace corvane {

TTagAllRecords::TTagAllRecords(xbase::Table& table, std::string currentTagId, QWidget* parent)
    : QDialog(parent), FTable(table), FTagId(std::move(currentTagId))
{
    setObjectName("TTagAllRecords");
    setWindowTitle("Tagging");
    setModal(true);
    TitleLabel = new QLabel("Tagging Records", this);
    TitleLabel->setObjectName("TitleLabel");
    ProgressLabel = new QLabel(this);
    ProgressLabel->setObjectName("ProgressLabel");
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    OkButton = new QPushButton("Ok", this);
    OkButton->setObjectName("OkButton");
    OkButton->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addWidget(OkButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TitleLabel);
    layout->addWidget(ProgressLabel);
    layout->addWidget(StatusLabel);
    layout->addLayout(buttons);
    connect(CancelButton, &QPushButton::clicked, this, &TTagAllRecords::CancelButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TTagAllRecords::OkButtonClick);
}

void TTagAllRecords::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FStarted)
        QTimer::singleShot(0, this, [this] { (void)Run(); });
}

bool TTagAllRecords::Run()
{
    if (FStarted)
        return true;
    FStarted = true;
    FRunning = true;
    FCancel = false;
    auto outcome = TagAll(FTable, FTagId, [this](uint32_t count) {
        ProgressLabel->setText(QString::number(count) + " tagged");
        emit RecordTagged(count);
        QApplication::processEvents();
        return !FCancel;
    });
    FRunning = false;
    if (outcome)
        FOutcome = *outcome;
    else
        ShowInfo(outcome.Message());
    StatusLabel->setText(FCancel ? "Cancelled before completion" : "Complete");
    ProgressLabel->clear();
    CancelButton->hide();
    OkButton->show();
    OkButton->setDefault(true);
    return outcome.Ok();
}

void TTagAllRecords::CancelButtonClick()
{
    if (FRunning && AskYesNo("Cancel Tagging?", "CANCEL"))
        FCancel = true;
}

void TTagAllRecords::OkButtonClick()
{
    if (!FRunning)
        accept();
}

void TTagAllRecords::reject()
{
    if (FRunning)
        CancelButtonClick();
    else
        QDialog::reject();
}

} // namespace corvane
