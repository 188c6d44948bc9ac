#include "bulkmail/windows/TSortBulkMail.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "bulkmail/Presort.h"
#include "platform/MessageService.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TSortBulkMail::TSortBulkMail(xbase::Table& table, QWidget* parent) : QDialog(parent), FTable(table)
{
    setObjectName("TSortBulkMail");
    setWindowTitle("Bulk Mail Presorting");
    setModal(true);

    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setTextFormat(Qt::PlainText);
    StatusLabel->setMinimumWidth(300);
    QFont bold = StatusLabel->font();
    bold.setBold(true);
    StatusLabel->setFont(bold);

    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StatusLabel);
    layout->addLayout(buttons);

    connect(CancelButton, &QPushButton::clicked, this, &TSortBulkMail::CancelButtonClick);
    InstallWhatsThis(this, {
                               {"StatusLabel", "How far the presort has come."},
                               {"CancelButton", "Stops the presort; the labels are then not printed."},
                           });
    CentreForm(this);
}

void TSortBulkMail::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FActivated) {
        FActivated = true;
        // Once the window is on screen, so the user sees the status while it reads.
        QTimer::singleShot(0, this, &TSortBulkMail::FormActivate);
    }
}

void TSortBulkMail::FormActivate()
{
    if (FResult == PresortResult::NotRun && !FRunning)
        Run();
    if (isVisible())
        done(FResult == PresortResult::Completed ? QDialog::Accepted : QDialog::Rejected);
}

void TSortBulkMail::SetStatus(const QString& text)
{
    StatusLabel->setText(text);
}

PresortResult TSortBulkMail::Finish(PresortResult result)
{
    FRunning = false;
    FResult = result;
    return result;
}

PresortResult TSortBulkMail::Run()
{
    if (FRunning)
        return FResult;
    FRunning = true;
    FCancelRequested = false;

    // The groups are sorted afterwards, so record order reads the file straight through.
    if (Status natural = FTable.SetOrder(0); !natural) {
        ShowInfo(natural.Message());
        return Finish(PresortResult::Failed);
    }
    SetStatus("Reading database records...");
    QApplication::processEvents();
    if (FCancelRequested)
        return Finish(PresortResult::Cancelled);

    auto tally = TallyZipKeys(FTable, [this](uint32_t recno) {
        if (recno % 100 == 0)
            SetStatus("Reading record " + QString::number(recno));
        // The only moment "Cancel" can be clicked.
        QApplication::processEvents();
        return !FCancelRequested;
    });
    if (!tally) {
        ShowInfo(tally.Message());
        return Finish(PresortResult::Failed);
    }
    if (tally->Cancelled)
        return Finish(PresortResult::Cancelled);

    SetStatus("Sorting Zip Codes...");
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const std::vector<std::string> lines = BuildPresortList(tally->Tally);
    if (Status written = WritePresortList(lines, PresortListPath()); !written) {
        ShowInfo(written.Message());
        return Finish(PresortResult::Failed);
    }
    return Finish(PresortResult::Completed);
}

void TSortBulkMail::CancelButtonClick()
{
    if (!FRunning) {
        if (FResult == PresortResult::NotRun)
            FResult = PresortResult::Cancelled;
        if (isVisible())
            done(QDialog::Rejected);
        return;
    }
    if (!FCancelRequested && AskYesNo("Cancel PRESORT?", "Confirm"))
        FCancelRequested = true;
}

void TSortBulkMail::reject()
{
    // Escape and the window's close box are the Cancel button.
    CancelButtonClick();
}

void TSortBulkMail::closeEvent(QCloseEvent* event)
{
    if (FRunning) {
        event->ignore();
        CancelButtonClick();
        return;
    }
    QDialog::closeEvent(event);
}

PresortResult RunBulkMailPresort(xbase::Table& table, QWidget* parent)
{
    TSortBulkMail window(table, parent);
    window.exec();
    return window.Result();
}

} // namespace corvane
