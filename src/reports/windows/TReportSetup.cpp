#include "reports/windows/TReportSetup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/SystemTables.h"
#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "printing/PrintEngine.h"
#include "printing/windows/TPrinterSetup.h"
#include "reports/TReportPanel.h"
#include "reports/windows/ReportPrinting.h"
#include "reports/windows/TReportDesigner.h"

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

TReportSetup::TReportSetup(const ToolWindowView& addresses, PrintEngine& engine, QWidget* parent,
                           std::string sysdataFolder)
    : QDialog(parent), FAddresses(addresses), FEngine(engine), FSysdata(std::move(sysdataFolder))
{
    setObjectName("TReportSetup");
    setWindowTitle("Print Report");
    auto* layout = new QVBoxLayout(this);

    TabSet = new QTabWidget(this);
    TabSet->setObjectName("TabSet");
    auto* builtIn = new QWidget(TabSet);
    auto* builtInLayout = new QVBoxLayout(builtIn);
    builtInLayout->addWidget(new QLabel("Select Report:", builtIn));
    ReportList = new QListWidget(builtIn);
    ReportList->setObjectName("ReportList");
    for (std::string_view name : BuiltInReportNames)
        ReportList->addItem(Q(name));
    ReportList->setCurrentRow(0);
    builtInLayout->addWidget(ReportList);
    auto* titleRow = new QHBoxLayout;
    auto* titleLabel = new QLabel("Report &Title", builtIn);
    TitleEdit = new QLineEdit(DefaultReportTitle(1), builtIn);
    TitleEdit->setObjectName("TitleEdit");
    titleLabel->setBuddy(TitleEdit);
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(TitleEdit);
    builtInLayout->addLayout(titleRow);
    PrintMemoCheck = new QCheckBox("Print &Memo", builtIn);
    PrintMemoCheck->setObjectName("PrintMemoCheck");
    PrintCodesCheck = new QCheckBox("Print &Codes", builtIn);
    PrintCodesCheck->setObjectName("PrintCodesCheck");
    builtInLayout->addWidget(PrintMemoCheck);
    builtInLayout->addWidget(PrintCodesCheck);
    TabSet->addTab(builtIn, "Built In Reports");

    auto* designer = new QWidget(TabSet);
    auto* designerLayout = new QHBoxLayout(designer);
    ReportGrid = new QTableWidget(0, 1, designer);
    ReportGrid->setObjectName("ReportGrid");
    ReportGrid->setHorizontalHeaderLabels({"Description"});
    ReportGrid->horizontalHeader()->setStretchLastSection(true);
    ReportGrid->verticalHeader()->hide();
    ReportGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ReportGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ReportGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    designerLayout->addWidget(ReportGrid);
    auto* listButtons = new QVBoxLayout;
    ModifyButton = Button("ModifyButton", "&Modify", designer);
    NewButton = Button("NewButton", "&New", designer);
    DeleteButton = Button("DeleteButton", "&Delete", designer);
    CloneButton = Button("CloneButton", "C&lone", designer);
    for (QPushButton* button : {ModifyButton, NewButton, DeleteButton, CloneButton})
        listButtons->addWidget(button);
    listButtons->addStretch();
    designerLayout->addLayout(listButtons);
    TabSet->addTab(designer, "Report Designer");
    layout->addWidget(TabSet);

    WhatToPrint = new QGroupBox("What to Print", this);
    WhatToPrint->setObjectName("WhatToPrint");
    auto* scopeLayout = new QVBoxLayout(WhatToPrint);
    AllRecordsButton = new QRadioButton(Q(RecordScopeCaption(RecordScope::All)), WhatToPrint);
    AllRecordsButton->setObjectName("AllRecordsButton");
    FilterRecordsButton = new QRadioButton(Q(RecordScopeCaption(RecordScope::Filter)), WhatToPrint);
    FilterRecordsButton->setObjectName("FilterRecordsButton");
    CurrentRecordButton = new QRadioButton(Q(RecordScopeCaption(RecordScope::Current)), WhatToPrint);
    CurrentRecordButton->setObjectName("CurrentRecordButton");
    StartFromCurrentCheck = new QCheckBox("Start from current record", WhatToPrint);
    StartFromCurrentCheck->setObjectName("StartFromCurrentCheck");
    OneRecordPerPageCheck = new QCheckBox("One Record Per Page", WhatToPrint);
    OneRecordPerPageCheck->setObjectName("OneRecordPerPageCheck");
    for (QWidget* widget :
         std::initializer_list<QWidget*>{AllRecordsButton, FilterRecordsButton, CurrentRecordButton,
                                         StartFromCurrentCheck, OneRecordPerPageCheck})
        scopeLayout->addWidget(widget);
    FilterRecordsButton->setChecked(true);
    if (!addresses.Scope().FilterChoiceEnabled)
        FilterRecordsButton->setEnabled(false);
    if (addresses.Scope().SelectAllRecords || !addresses.Scope().FilterChoiceEnabled)
        AllRecordsButton->setChecked(true);
    layout->addWidget(WhatToPrint);

    auto* buttons = new QHBoxLayout;
    OkButton = Button("OkButton", "Ok", this);
    PrintButton = Button("PrintButton", "&Print", this);
    PreviewButton = Button("PreviewButton", "Pre&view", this);
    PrinterSetupButton = Button("PrinterSetupButton", "Printer &Setup", this);
    HelpButton = Button("HelpButton", "Help", this);
    buttons->addStretch();
    for (QPushButton* button : {OkButton, PrintButton, PreviewButton, PrinterSetupButton, HelpButton})
        buttons->addWidget(button);
    buttons->addWidget(CreateMouseHelpButton(this));
    layout->addLayout(buttons);

    InstallWhatsThis(
        this, {
                  {"TabSet", "The built-in list reports, or the reports you have designed."},
                  {"ReportList", "The built-in report to print; choosing one sets its title."},
                  {"TitleEdit", "The title printed at the top of every page."},
                  {"PrintMemoCheck", "Prints each record's memo below its lines."},
                  {"PrintCodesCheck", "Prints each record's codes below its lines."},
                  {"ReportGrid", "The reports you have designed."},
                  {"ModifyButton", "Opens the chosen report in the report designer."},
                  {"NewButton", "Designs a new report."},
                  {"DeleteButton", "Deletes the chosen report and its layout file."},
                  {"CloneButton", "Makes a copy of the chosen report."},
                  {"AllRecordsButton", "Prints every record of the file."},
                  {"FilterRecordsButton", "Prints the records the current filter lets through."},
                  {"CurrentRecordButton", "Prints the record on show in the main window."},
                  {"StartFromCurrentCheck", "Begins at the record on show instead of the first."},
                  {"OneRecordPerPageCheck", "Starts a new page for every record of a designed report."},
                  {"OkButton", "Closes the window."},
                  {"PrintButton", "Prints the report after asking for the printer, copies and pages."},
                  {"PreviewButton", "Shows the report's pages on screen."},
                  {"PrinterSetupButton", "Chooses the printer, paper, paper source and orientation."},
                  {"HelpButton", "Opens the help on printing reports."},
              });
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(PrintButton, &QPushButton::clicked, this, &TReportSetup::PrintButtonClick);
    connect(PreviewButton, &QPushButton::clicked, this, &TReportSetup::PreviewButtonClick);
    connect(PrinterSetupButton, &QPushButton::clicked, this, &TReportSetup::PrinterSetupButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpContext(HelpContext); });
    connect(DeleteButton, &QPushButton::clicked, this, &TReportSetup::DeleteButtonClick);
    connect(CloneButton, &QPushButton::clicked, this, &TReportSetup::CloneButtonClick);
    connect(NewButton, &QPushButton::clicked, this, &TReportSetup::NewButtonClick);
    connect(ModifyButton, &QPushButton::clicked, this, &TReportSetup::ModifyButtonClick);
    connect(ReportList, &QListWidget::currentRowChanged, this, [this](int) { ReportListClick(); });
    connect(TabSet, &QTabWidget::currentChanged, this, [this](int) { RefreshStates(); });
    connect(ReportGrid, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (!FStore || row < 0)
            return;
        // The table follows the grid: its current row is the chosen report.
        if (FStore->ShowList()) {
            for (int i = 0; i < row && !FReports.Eof(); ++i)
                (void)FReports.Skip(1);
        }
    });
    RefreshStates();
}

TReportSetup::~TReportSetup() = default;

bool TReportSetup::OpenReports()
{
    if (!OpenReportTable(FReports))
        return false;
    FStore = std::make_unique<ReportStore>(FReports, FSysdata);
    FillGrid();
    return true;
}

void TReportSetup::FillGrid()
{
    ReportGrid->setRowCount(0);
    if (!FStore)
        return;
    auto list = FStore->List();
    if (!list) {
        ShowInfo(list.Message());
        return;
    }
    ReportGrid->blockSignals(true);
    ReportGrid->setRowCount(static_cast<int>(list->size()));
    for (int row = 0; row < static_cast<int>(list->size()); ++row)
        ReportGrid->setItem(row, 0, new QTableWidgetItem((*list)[static_cast<size_t>(row)].Description));
    if (!list->empty())
        ReportGrid->setCurrentCell(0, 0);
    ReportGrid->blockSignals(false);
    RefreshStates();
}

bool TReportSetup::BuiltInTab() const
{
    return TabSet->currentIndex() == 0;
}

void TReportSetup::RefreshStates()
{
    const bool hasReports = FStore && !FStore->Empty();
    const bool builtIn = BuiltInTab();
    ReportGrid->setEnabled(hasReports);
    ModifyButton->setEnabled(hasReports);
    NewButton->setEnabled(FStore != nullptr);
    DeleteButton->setEnabled(hasReports);
    CloneButton->setEnabled(hasReports);
    const bool printable = builtIn || hasReports;
    PrintButton->setEnabled(printable);
    PreviewButton->setEnabled(printable);
    WhatToPrint->setVisible(printable);
    OneRecordPerPageCheck->setVisible(!builtIn);
}

void TReportSetup::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    RefreshStates();
}

void TReportSetup::ReportListClick()
{
    const int row = ReportList->currentRow();
    if (row >= 0)
        TitleEdit->setText(DefaultReportTitle(row + 1));
}

BuiltInReportRequest TReportSetup::Request() const
{
    BuiltInReportRequest request;
    request.Options.Report = std::max(ReportList->currentRow(), 0) + 1;
    request.Options.Title = TitleEdit->text();
    request.Options.PrintMemo = PrintMemoCheck->isChecked();
    request.Options.PrintCodes = PrintCodesCheck->isChecked();
    if (const QScreen* screen = this->screen())
        request.Options.ScreenPpi = screen->logicalDotsPerInch();
    request.Scope = AllRecordsButton->isChecked()      ? RecordScope::All
                    : CurrentRecordButton->isChecked() ? RecordScope::Current
                                                       : RecordScope::Filter;
    request.StartFromCurrent = StartFromCurrentCheck->isChecked();
    return request;
}

void TReportSetup::Run(bool preview)
{
    std::string layoutFile;
    if (!BuiltInTab()) {
        if (!FStore || FStore->Empty())
            return;
        auto report = FStore->Current();
        if (!report) {
            ShowInfo(report.Message());
            return;
        }
        layoutFile = FStore->LayoutFilePath(*report);
    }
    PrintChoice choice;
    if (!preview && !ShowPrintDialog(FEngine, this, choice))
        return;
    ReportPrintOutcome outcome;
    if (BuiltInTab()) {
        outcome = PrintBuiltInReport(FAddresses, FEngine, Request(), preview, choice, this);
    } else {
        const BuiltInReportRequest scope = Request();
        DesignedReportRequest request;
        request.Scope = scope.Scope;
        request.StartFromCurrent = scope.StartFromCurrent;
        request.OneRecordPerPage = OneRecordPerPageCheck->isChecked();
        request.PixelsPerInch = scope.Options.ScreenPpi > 0 ? scope.Options.ScreenPpi : 96;
        outcome = PrintUserDefinedReport(FAddresses, FEngine, layoutFile, request, preview, choice, this);
    }
    if (outcome.Ran)
        FLastEndText = outcome.EndText;
}

void TReportSetup::PrintButtonClick()
{
    Run(false);
}

void TReportSetup::PreviewButtonClick()
{
    Run(true);
}

void TReportSetup::PrinterSetupButtonClick()
{
    (void)ShowPrinterSetup(FEngine, this);
}

void TReportSetup::DeleteButtonClick()
{
    if (!FStore || FStore->Empty())
        return;
    auto report = FStore->Current();
    if (!report) {
        ShowInfo(report.Message());
        return;
    }
    if (!AskYesNo(DeleteReportQuestion(report->Description), std::string(ReportDeleteCaption)))
        return;
    if (Status deleted = FStore->DeleteCurrent(); !deleted)
        ShowInfo(deleted.Message());
    FillGrid();
}

double TReportSetup::PixelsPerInch() const
{
    const QScreen* screen = this->screen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

bool TReportSetup::Design(TReportDesigner& designer, const ReportDefinition& report, bool isNew)
{
    designer.SetRecordTable(&FAddresses.Table(), FAddresses.Catalogue());
    if ((RunDesigner ? RunDesigner(designer) : designer.exec()) != QDialog::Accepted)
        return false;
    const double ppi = PixelsPerInch();
    ReportDefinition saved = report;
    saved.Description = designer.Description().left(ReportDescriptionWidth);
    const QString paper = ReportPaperText(RecogniseReportPaper(designer.Settings(), ppi));
    if (!paper.isEmpty())
        saved.Layout = paper;
    if (saved.Binary.isEmpty()) {
        auto name = FStore->NextBinaryName();
        if (!name) {
            ShowInfo(name.Message());
            return false;
        }
        saved.Binary = QString::fromStdString(*name);
    }
    const std::string path = FStore->SysdataFolder() + saved.Binary.toStdString();
    // The file first: a row must never name a file that was not written.
    if (Status written = SaveReportLayout(designer.Band(0), designer.Band(1), designer.Band(2),
                                          designer.Settings(), ppi, path);
        !written) {
        ShowInfo(written.Message());
        return false;
    }
    RememberReportFrames(designer.Settings().Frames);
    Status stored = Status::Success();
    if (isNew)
        stored = FStore->Append(saved).ToStatus();
    else
        stored = FStore->UpdateCurrent(saved);
    if (!stored)
        ShowInfo(stored.Message());
    FillGrid();
    return static_cast<bool>(stored);
}

void TReportSetup::NewButtonClick()
{
    if (!FStore)
        return;
    const double ppi = PixelsPerInch();
    TReportDesigner designer(
        NewReportSettings(ppi),
        QString::fromUtf8(NewReportDescription.data(), static_cast<qsizetype>(NewReportDescription.size())),
        ppi, this);
    ReportDefinition report;
    report.Layout = ReportPaperText(ReportPaper::LetterPortrait);
    (void)Design(designer, report, true);
}

void TReportSetup::ModifyButtonClick()
{
    if (!FStore || FStore->Empty())
        return;
    auto report = FStore->Current();
    if (!report) {
        ShowInfo(report.Message());
        return;
    }
    const double ppi = PixelsPerInch();
    TReportDesigner designer(NewReportSettings(ppi), report->Description, ppi, this);
    if (FStore->LayoutFileExists(*report)) {
        auto settings = LoadReportLayout(designer.Band(0), designer.Band(1), designer.Band(2), ppi,
                                         FStore->LayoutFilePath(*report));
        if (!settings) {
            ShowInfo(settings.Message());
            return;
        }
        designer.Settings() = *settings;
        designer.LayoutPage();
    }
    (void)Design(designer, *report, false);
}

void TReportSetup::CloneButtonClick()
{
    if (!FStore || FStore->Empty())
        return;
    auto report = FStore->Current();
    if (!report) {
        ShowInfo(report.Message());
        return;
    }
    if (!AskYesNo(CloneReportQuestion(report->Description), std::string(ReportCloneCaption)))
        return;
    if (auto clone = FStore->CloneCurrent(); !clone)
        ShowInfo(clone.Message());
    FillGrid();
}

} // namespace corvane
