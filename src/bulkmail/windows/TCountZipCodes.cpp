#include "bulkmail/windows/TCountZipCodes.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "bulkmail/ZipCount.h"
#include "bulkmail/ZipReport.h"
#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterCheck.h"
#include "printing/pages/ReportPage.h"
#include "printing/windows/TPrinterSetup.h"

namespace corvane {

namespace {

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TZipReport::TZipReport(PrintRunMode mode, Job job, QWidget* parent)
    : PrintStatusWindow(mode, mode == PrintRunMode::Print ? "Print Status" : "Preview Status",
                        Q(CancelPrintingQuestion), std::move(job), parent)
{
    setObjectName("TZipReport");
}

ReportPrintSetup ZipReportStatusSetup(bool preview)
{
    ReportPrintSetup setup;
    setup.Preview = preview;
    setup.WindowName = "TZipReport";
    setup.MakeStatusWindow = [](PrintRunMode mode, PrintStatusWindow::Job job, QWidget* parent) {
        return std::unique_ptr<PrintStatusWindow>(std::make_unique<TZipReport>(mode, std::move(job), parent));
    };
    setup.CancelQuestion = Q(CancelPrintingQuestion);
    setup.StatusFormat = "Printing Page %p\r%0\r%1";
    setup.EndText = [preview](PrintOutcome outcome, const std::string& message, int) -> QString {
        switch (outcome) {
        case PrintOutcome::Aborted:
            return preview ? "\rPreview Canceled!" : "\rPrint Canceled!";
        case PrintOutcome::Stopped:
            return "\rPreview Stopped at page %p!";
        case PrintOutcome::Failed:
            // A job the device refused is never reported as printed.
            return (preview ? "\rPreview Failed: " : "\rPrint Failed: ") + QString::fromStdString(message);
        case PrintOutcome::Completed:
            break;
        }
        return preview ? "\rPreview Ready!" : "\rPrint Completed!";
    };
    setup.PreviewWindowCaption = Q(PreviewZipCountCaption);
    setup.PreviewZoom = 100;
    return setup;
}

ReportPrintOutcome PrintZipCountReport(PrintEngine& engine, const std::vector<QString>& lines, bool preview,
                                       QWidget* parent)
{
    ReportPrintSetup setup = ZipReportStatusSetup(preview);
    setup.Body = [&](SinkReportCanvas& canvas, PrintStatusWindow& status) -> PageHandlerResult {
        ReportPage page(canvas);
        const ZipReportResult result = PrintZipReport(page, lines, [&] {
            status.KeepResponsive();
            return !status.StopRequested() && !page.Aborted();
        });
        if (page.Aborted())
            return {PrintOutcome::Aborted, {}};
        return {result.Stopped ? PrintOutcome::Stopped : PrintOutcome::Completed, {}};
    };
    return RunReportPrint(engine, setup, parent);
}

TCountZipCodes::TCountZipCodes(xbase::Table& table, PrintEngine& engine, QWidget* parent)
    : QDialog(parent), FTable(table), FEngine(engine)
{
    setObjectName("TCountZipCodes");
    setWindowTitle(Q(CountingCaption));
    auto* layout = new QVBoxLayout(this);
    HeadingLabel = new QLabel(Q(CountingHeading), this);
    HeadingLabel->setObjectName("HeadingLabel");
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setMinimumWidth(320);
    layout->addWidget(HeadingLabel);
    layout->addWidget(StatusLabel);
    auto* buttons = new QHBoxLayout;
    CancelButton = Button("CancelButton", "Cancel", this);
    PrintButton = Button("PrintButton", "&Print", this);
    PreviewButton = Button("PreviewButton", "Pre&view", this);
    PrinterSetupButton = Button("PrinterSetupButton", "Printer &Setup", this);
    OkButton = Button("OkButton", "Ok", this);
    HelpButton = Button("HelpButton", "Help", this);
    buttons->addStretch();
    for (QPushButton* button :
         {CancelButton, PrintButton, PreviewButton, PrinterSetupButton, OkButton, HelpButton})
        buttons->addWidget(button);
    buttons->addWidget(CreateMouseHelpButton(this));
    layout->addLayout(buttons);

    InstallWhatsThis(this,
                     {
                         {"StatusLabel", "How far the count has come."},
                         {"CancelButton", "Stops the count."},
                         {"PrintButton", "Prints the Zip Code Count Report."},
                         {"PreviewButton", "Shows the Zip Code Count Report on screen."},
                         {"PrinterSetupButton", "Chooses the printer, paper, paper source and orientation."},
                         {"OkButton", "Closes the window."},
                         {"HelpButton", "Opens the help on counting ZIP codes."},
                     });
    connect(CancelButton, &QPushButton::clicked, this, &TCountZipCodes::CancelButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TCountZipCodes::PrintButtonClick);
    connect(PreviewButton, &QPushButton::clicked, this, &TCountZipCodes::PreviewButtonClick);
    connect(PrinterSetupButton, &QPushButton::clicked, this, &TCountZipCodes::PrinterSetupButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpSearch("Count Zip Codes"); });
    ShowCounting(false);
}

void TCountZipCodes::ShowCounting(bool counting)
{
    CancelButton->setVisible(counting);
    StatusLabel->setVisible(counting);
    for (QPushButton* button : {PrintButton, PreviewButton, PrinterSetupButton, OkButton, HelpButton})
        button->setVisible(!counting);
}

void TCountZipCodes::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FActivated) {
        FActivated = true;
        QTimer::singleShot(0, this, &TCountZipCodes::FormActivate);
    }
}

void TCountZipCodes::FormActivate()
{
    if (!FCounted && !FCounting && !Count() && isVisible())
        done(QDialog::Rejected);
}

bool TCountZipCodes::Count()
{
    FCounting = true;
    FCancelRequested = false;
    FCounted = false;
    FLines.clear();
    ShowCounting(true);
    StatusLabel->setText(Q(ReadingRecordsText));
    QApplication::processEvents();
    auto counted = CountZipCodes(
        FTable,
        [this](uint32_t recno) {
            if (recno % 100 == 0)
                StatusLabel->setText(Q(ReadingRecordText) + QString::number(recno));
            QApplication::processEvents();
            return !FCancelRequested;
        },
        QLocale::system(),
        [this] {
            StatusLabel->setText(Q(SortingZipCodesText));
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    FCounting = false;
    ShowCounting(false);
    if (!counted) {
        ShowInfo(counted.Message());
        return false;
    }
    if (counted->Cancelled)
        return false;
    FLines = std::move(counted->Lines);
    FCounted = true;
    Beep();
    HeadingLabel->setText(Q(CountingFinishedText));
    return true;
}

void TCountZipCodes::CancelButtonClick()
{
    if (FCounting && AskYesNo(std::string(CancelCountQuestion), std::string(CancelCaption)))
        FCancelRequested = true;
}

void TCountZipCodes::reject()
{
    if (FCounting) {
        CancelButtonClick();
        return;
    }
    QDialog::reject();
}

void TCountZipCodes::Run(bool preview)
{
    if (!FCounted && !Count())
        return;
    if (!PrinterCheck())
        return;
    const ReportPrintOutcome outcome = PrintZipCountReport(FEngine, FLines, preview, this);
    if (outcome.Ran)
        FLastEndText = outcome.EndText;
}

void TCountZipCodes::PrintButtonClick()
{
    Run(false);
}

void TCountZipCodes::PreviewButtonClick()
{
    Run(true);
}

void TCountZipCodes::PrinterSetupButtonClick()
{
    if (FEngine.Printers().isEmpty()) {
        ShowInfo("There are no printers installed");
        return;
    }
    (void)ShowPrinterSetup(FEngine, this);
}

} // namespace corvane
