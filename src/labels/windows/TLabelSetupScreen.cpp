#include "labels/windows/TLabelSetupScreen.h"

#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "bulkmail/Presort.h"
#include "core/SystemTables.h"
#include "labels/LabelSetupStore.h"
#include "labels/LabelStockCatalogue.h"
#include "labels/LabelTemplateQuery.h"
#include "labels/windows/TLabelDesignScreen.h"
#include "labels/windows/TSelectSpecificLabels.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGLabelPanel.h"
#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "printing/PrintEngine.h"

namespace corvane {

namespace {

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Inches(double value)
{
    return QString::number(value, 'f', 3);
}

QLabel* ValueLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// The hourglass for as long as the designer is being made.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { Release(); }
    void Release()
    {
        if (FOn)
            QApplication::restoreOverrideCursor();
        FOn = false;
    }

  private:
    bool FOn = true;
};

} // namespace

TLabelSetupScreen::TLabelSetupScreen(const ToolWindowView& addresses, PrintEngine& engine, QWidget* parent)
    : QDialog(parent), FAddresses(addresses), FEngine(engine), FScope(addresses.Scope()),
      FOwner(std::make_unique<ComponentOwner>()), FRegistry(std::make_unique<ElementClassRegistry>()),
      FPanel(std::make_unique<TGLabelPanel>(*FOwner))
{
    setObjectName("TLabelSetupScreen");
    setWindowTitle("Print Labels");
    FRegistry->RegisterAll();
    FPanel->SetRegistry(*FRegistry);
    FStore = std::make_unique<LabelSetupStore>(FSetupTable);
    BuildControls();
    CentreForm(this);
}

TLabelSetupScreen::~TLabelSetupScreen()
{
    (void)FSetupTable.Close();
}

void TLabelSetupScreen::BuildControls()
{
    SetupGrid = new QTableWidget(0, 1, this);
    SetupGrid->setObjectName("SetupGrid");
    SetupGrid->setHorizontalHeaderLabels({"Description"});
    SetupGrid->horizontalHeader()->setStretchLastSection(true);
    SetupGrid->verticalHeader()->hide();
    SetupGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SetupGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    SetupGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    SetupGrid->setMinimumWidth(320);

    SheetNameValue = ValueLabel("SheetNameValue", this);
    LabelHeightValue = ValueLabel("LabelHeightValue", this);
    LabelWidthValue = ValueLabel("LabelWidthValue", this);
    AcrossValue = ValueLabel("AcrossValue", this);
    DownValue = ValueLabel("DownValue", this);
    PaperSizeValue = ValueLabel("PaperSizeValue", this);
    PaperWidthValue = ValueLabel("PaperWidthValue", this);
    PaperHeightValue = ValueLabel("PaperHeightValue", this);
    auto* details = new QFormLayout;
    details->addRow("Sheet Name", SheetNameValue);
    details->addRow("Label Height", LabelHeightValue);
    details->addRow("Label Width", LabelWidthValue);
    details->addRow("# Across", AcrossValue);
    details->addRow("# Down", DownValue);
    details->addRow("Paper Size", PaperSizeValue);
    details->addRow("Paper Width", PaperWidthValue);
    details->addRow("Paper Height", PaperHeightValue);

    ModifyButton = Button("ModifyButton", "Modify", this);
    NewButton = Button("NewButton", "New", this);
    DeleteButton = Button("DeleteButton", "Delete", this);
    CloneButton = Button("CloneButton", "Clone", this);
    auto* setupButtons = new QHBoxLayout;
    for (QPushButton* button : {ModifyButton, NewButton, DeleteButton, CloneButton})
        setupButtons->addWidget(button);
    setupButtons->addStretch();

    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(SetupGrid);
    gridColumn->addLayout(setupButtons);
    auto* upper = new QHBoxLayout;
    upper->addLayout(gridColumn, 1);
    upper->addLayout(details);

    WhatToPrintPanel = new QGroupBox("What to Print", this);
    WhatToPrintPanel->setObjectName("WhatToPrintPanel");
    AllRecordsRadio = new QRadioButton("All records", WhatToPrintPanel);
    AllRecordsRadio->setObjectName("AllRecordsRadio");
    FilterRecordsRadio = new QRadioButton("Records matching filter", WhatToPrintPanel);
    FilterRecordsRadio->setObjectName("FilterRecordsRadio");
    CurrentRecordRadio = new QRadioButton("Only current record", WhatToPrintPanel);
    CurrentRecordRadio->setObjectName("CurrentRecordRadio");
    StartFromCurrentCheck = new QCheckBox("Start from current record", WhatToPrintPanel);
    StartFromCurrentCheck->setObjectName("StartFromCurrentCheck");
    PresortCheck = new QCheckBox("Presort for Bulk Mail", WhatToPrintPanel);
    PresortCheck->setObjectName("PresortCheck");
    auto* whatLayout = new QVBoxLayout(WhatToPrintPanel);
    for (QWidget* control : std::initializer_list<QWidget*>{
             AllRecordsRadio, FilterRecordsRadio, CurrentRecordRadio, StartFromCurrentCheck, PresortCheck})
        whatLayout->addWidget(control);
    FilterRecordsRadio->setChecked(true);
    if (!FScope.FilterChoiceEnabled)
        FilterRecordsRadio->setEnabled(false);
    if (FScope.SelectAllRecords)
        AllRecordsRadio->setChecked(true);

    PrinterPanel = new QGroupBox("Printer", this);
    PrinterPanel->setObjectName("PrinterPanel");
    PrinterList = new QComboBox(PrinterPanel);
    PrinterList->setObjectName("PrinterList");
    auto* printerLayout = new QVBoxLayout(PrinterPanel);
    printerLayout->addWidget(PrinterList);
    printerLayout->addStretch();

    OkButton = Button("OkButton", "Ok", this);
    PrintButton = Button("PrintButton", "Print", this);
    PreviewButton = Button("PreviewButton", "Preview", this);
    HelpButton = Button("HelpButton", "Help", this);
    MouseHelpButton = CreateMouseHelpButton(this);
    auto* windowButtons = new QHBoxLayout;
    windowButtons->addWidget(MouseHelpButton);
    windowButtons->addStretch();
    for (QPushButton* button : {OkButton, PrintButton, PreviewButton, HelpButton})
        windowButtons->addWidget(button);

    auto* lower = new QHBoxLayout;
    lower->addWidget(WhatToPrintPanel);
    lower->addWidget(PrinterPanel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addLayout(lower);
    layout->addLayout(windowButtons);

    connect(SetupGrid, &QTableWidget::itemSelectionChanged, this,
            &TLabelSetupScreen::SetupGridCurrentChanged);
    connect(ModifyButton, &QPushButton::clicked, this, &TLabelSetupScreen::ModifyButtonClick);
    connect(NewButton, &QPushButton::clicked, this, &TLabelSetupScreen::NewButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TLabelSetupScreen::DeleteButtonClick);
    connect(CloneButton, &QPushButton::clicked, this, &TLabelSetupScreen::CloneButtonClick);
    for (QRadioButton* radio : {AllRecordsRadio, FilterRecordsRadio, CurrentRecordRadio})
        connect(radio, &QRadioButton::clicked, this, &TLabelSetupScreen::ScopeButtonClick);
    connect(StartFromCurrentCheck, &QCheckBox::clicked, this, &TLabelSetupScreen::StartFromCurrentClick);
    connect(PrinterList, &QComboBox::activated, this, &TLabelSetupScreen::PrinterListChange);
    connect(OkButton, &QPushButton::clicked, this, &TLabelSetupScreen::OkButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TLabelSetupScreen::PrintButtonClick);
    connect(PreviewButton, &QPushButton::clicked, this, &TLabelSetupScreen::PreviewButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TLabelSetupScreen::HelpButtonClick);

    InstallWhatsThis(
        this,
        {
            {"SetupGrid", "Your label setups. Choose the one to print, change, copy or delete."},
            {"ModifyButton", "Opens the chosen setup in the label designer to change its layout or stock."},
            {"NewButton", "Makes a new label setup in the label designer."},
            {"DeleteButton", "Deletes the chosen setup and its layout."},
            {"CloneButton", "Makes a copy of the chosen setup, named \"Clone of :\" and its name."},
            {"AllRecordsRadio", "Prints a label for every record of the file, whatever the filter."},
            {"FilterRecordsRadio", "Prints labels for the records the filter lets through."},
            {"CurrentRecordRadio", "Prints labels for the record shown in the main window only."},
            {"StartFromCurrentCheck",
             "Starts with the record shown in the main window instead of the first."},
            {"PresortCheck", "Prints in bulk-mail order: ZIP codes grouped into 5-digit, 3-digit and ADC "
                             "packages, with a label naming each group in front of it."},
            {"PrinterList", "The printer the labels go to."},
            {"OkButton", "Closes this window."},
            {"PrintButton", "Prints labels with the chosen setup."},
            {"PreviewButton", "Shows on screen what Print would print."},
            {"HelpButton", "Shows the help on printing labels."},
        });
}

void TLabelSetupScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TLabelSetupScreen::FormActivate()
{
    if (FActivated)
        return;
    FActivated = true;
    if (OpenLabelTable(FSetupTable)) {
        (void)FSetupTable.SetQuery(LabelSetupListQuery);
        (void)FSetupTable.SetOrder(FSetupTable.OrderNumber("DESCRIPT"));
        (void)FSetupTable.GoTop();
    }
    FillGrid();
    FillPrinterList();
    // A list of an earlier session may not match this file or filter.
    std::error_code error;
    std::filesystem::remove(PresortListPath(), error);
    FSettings.Positions = AllLabelPositions();
    FSettings.PresortDone = false;
    SetLabelButtons();
}

bool TLabelSetupScreen::HasSetup() const
{
    return FSetupTable.IsOpen() && !FSetupTable.Eof();
}

std::optional<LabelSetup> TLabelSetupScreen::CurrentSetupOrSay() const
{
    if (!HasSetup())
        return std::nullopt;
    auto current = FStore->Current();
    if (!current) {
        ShowInfo(current.Message());
        return std::nullopt;
    }
    return current.Take();
}

void TLabelSetupScreen::FillGrid()
{
    FFillingGrid = true;
    SetupGrid->setRowCount(0);
    int currentRow = -1;
    if (FSetupTable.IsOpen()) {
        const uint32_t current = FSetupTable.Eof() ? 0 : FSetupTable.RecNo();
        (void)FSetupTable.GoTop();
        while (!FSetupTable.Eof()) {
            const int row = SetupGrid->rowCount();
            SetupGrid->insertRow(row);
            auto description = FSetupTable.GetField("DESCRIPT");
            auto* item = new QTableWidgetItem(description ? QString::fromStdString(*description).trimmed()
                                                          : QString());
            item->setData(Qt::UserRole, FSetupTable.RecNo());
            SetupGrid->setItem(row, 0, item);
            if (FSetupTable.RecNo() == current)
                currentRow = row;
            if (!FSetupTable.Skip(1))
                break;
        }
        if (SetupGrid->rowCount() > 0) {
            if (currentRow < 0)
                currentRow = 0;
            (void)FSetupTable.GoTo(SetupGrid->item(currentRow, 0)->data(Qt::UserRole).toUInt());
        }
    }
    if (currentRow >= 0)
        SetupGrid->selectRow(currentRow);
    FFillingGrid = false;
    ShowSetupDetails();
}

void TLabelSetupScreen::SetupGridCurrentChanged()
{
    if (FFillingGrid)
        return;
    const QList<QTableWidgetItem*> selected = SetupGrid->selectedItems();
    if (selected.isEmpty())
        return;
    (void)FSetupTable.GoTo(selected.front()->data(Qt::UserRole).toUInt());
    ShowSetupDetails();
}

void TLabelSetupScreen::ShowSetupDetails()
{
    QLabel* values[] = {SheetNameValue, LabelHeightValue, LabelWidthValue, AcrossValue,
                        DownValue,      PaperSizeValue,   PaperWidthValue, PaperHeightValue};
    auto setup = HasSetup() ? ReadLabelSetup(FSetupTable) : Result<LabelSetup>(Status::Error(""));
    if (!setup) {
        for (QLabel* value : values)
            value->clear();
        return;
    }
    FSetup = *setup;
    SheetNameValue->setText(SheetName(FSetup));
    LabelHeightValue->setText(Inches(FSetup.LabelHeight));
    LabelWidthValue->setText(Inches(FSetup.LabelWidth));
    AcrossValue->setText(QString::number(FSetup.Across));
    DownValue->setText(QString::number(FSetup.Down));
    PaperSizeValue->setText(FSetup.PaperSize);
    PaperWidthValue->setText(Inches(FSetup.SheetWidth));
    PaperHeightValue->setText(Inches(FSetup.SheetDepth));
}

void TLabelSetupScreen::FillPrinterList()
{
    PrinterList->clear();
    PrinterList->addItems(FEngine.Printers());
    PrinterList->setCurrentIndex(FEngine.PrinterIndex());
}

void TLabelSetupScreen::SetLabelButtons()
{
    const bool has = HasSetup();
    for (QWidget* control : std::initializer_list<QWidget*>{ModifyButton, PrintButton, PreviewButton,
                                                            DeleteButton, CloneButton, SetupGrid})
        control->setEnabled(has);
    // New needs the table only (it may be empty); a table that did not open offers nothing.
    NewButton->setEnabled(FSetupTable.IsOpen());
    WhatToPrintPanel->setVisible(has);
    PrinterPanel->setVisible(has);
}

// ---- the setups ----

void TLabelSetupScreen::NewButtonClick()
{
    if (!FSetupTable.IsOpen())
        return;
    const auto catalogue = LabelStockCatalogue::LoadInstalled();
    FSetup = catalogue ? NewLabelSetup(*catalogue) : LabelSetup::NewSetupDefaults();
    FNewSetup = true;
    ModifyButtonClick();
}

void TLabelSetupScreen::ModifyButtonClick()
{
    if (!FSetupTable.IsOpen() || (!FNewSetup && !HasSetup()))
        return;
    const bool isNew = FNewSetup;
    // Whatever happens below, the next Modify is a plain one again.
    struct ClearNewFlag {
        bool& Flag;
        ~ClearNewFlag() { Flag = false; }
    } clearNew{FNewSetup};

    WaitCursor wait;
    if (!isNew) {
        auto current = FStore->Current();
        if (!current) {
            wait.Release();
            ShowInfo(current.Message());
            return;
        }
        FSetup = *current;
    }
    bool fileExists = false;
    if (isNew) {
        FSetup.Description = Q(NewLabelDescription);
        auto name = FStore->NextBinaryName();
        if (!name) {
            wait.Release();
            ShowInfo(name.Message());
            return;
        }
        FSetup.LayoutFileName = QString::fromStdString(*name);
    } else if (Status named = FStore->PrepareModify(FSetup, fileExists); !named) {
        wait.Release();
        ShowInfo(named.Message());
        return;
    }

    TLabelDesignScreen designer(FSetup, &FAddresses, this);
    Status loaded = Status::Success();
    if (isNew)
        designer.BeginNewLabel();
    else
        loaded = designer.LoadLayout(FStore->LayoutFilePath(FSetup)); // a fresh name loads nothing
    wait.Release();
    if (!loaded)
        ShowInfo(loaded.Message());

    if (designer.exec() == QDialog::Accepted) {
        LabelSetup saved = designer.Setup();
        // The layout file is the one chosen here, whatever the designer was handed.
        saved.LayoutFileName = FSetup.LayoutFileName;
        if (Status stored = FStore->SaveSetup(saved, designer.Panel(), isNew); !stored) {
            ShowInfo(stored.Message());
        } else {
            FSetup = saved;
        }
    }
    FillGrid();
    FillPrinterList();
    SetLabelButtons();
}

void TLabelSetupScreen::CloneButtonClick()
{
    const std::optional<LabelSetup> current = CurrentSetupOrSay();
    if (!current)
        return;
    if (!AskYesNo(CloneQuestion(current->Description), std::string(CloneCaption)))
        return;
    auto cloned = FStore->CloneCurrent(*FPanel);
    if (!cloned)
        ShowInfo(cloned.Message());
    FillGrid();
    SetLabelButtons();
}

void TLabelSetupScreen::DeleteButtonClick()
{
    // Any setup can be deleted, also one that cannot be printed.
    if (!HasSetup())
        return;
    auto current = ReadLabelSetup(FSetupTable);
    if (!current) {
        ShowInfo(current.Message());
        return;
    }
    if (!AskYesNo(DeleteQuestion(current->Description), std::string(DeleteCaption)))
        return;
    if (Status deleted = FStore->DeleteCurrent(); !deleted)
        ShowInfo(deleted.Message());
    // The deleted row has left the list; the first setup becomes current.
    (void)FSetupTable.GoTop();
    FillGrid();
    SetLabelButtons();
}

// ---- what to print ----

void TLabelSetupScreen::ScopeButtonClick()
{
    // A presort list belongs to the scope it was made for.
    FSettings.PresortDone = false;
    if (CurrentRecordRadio->isChecked()) {
        PresortCheck->setChecked(false);
        PresortCheck->setEnabled(false);
    } else {
        PresortCheck->setEnabled(true);
    }
}

void TLabelSetupScreen::StartFromCurrentClick()
{
    FSettings.PresortDone = false;
}

void TLabelSetupScreen::PrinterListChange(int index)
{
    if (!FEngine.SelectPrinter(index))
        FillPrinterList();
}

void TLabelSetupScreen::ReadRunSettings()
{
    FSettings.Scope = AllRecordsRadio->isChecked()      ? RecordScope::All
                      : CurrentRecordRadio->isChecked() ? RecordScope::Current
                                                        : RecordScope::Filter;
    FSettings.StartFromCurrent = StartFromCurrentCheck->isChecked();
    FSettings.Presort = PresortCheck->isChecked() && PresortCheck->isEnabled();
}

void TLabelSetupScreen::RunPrint(bool preview)
{
    const std::optional<LabelSetup> current = CurrentSetupOrSay();
    if (!current)
        return;
    FSetup = *current;
    ReadRunSettings();
    FSettings.Preview = preview;

    TSelectSpecificLabels positions(FSetup, FSettings.Positions, FEngine.Printers(), FEngine.PrinterIndex(),
                                    FSettings.Presort, FSettings.Copies, this);
    if (positions.exec() != QDialog::Accepted)
        return;
    FSettings.Positions = positions.Positions();
    FSettings.Copies = std::max(1, positions.Copies());
    if (positions.PrinterIndex() != FEngine.PrinterIndex())
        (void)FEngine.SelectPrinter(positions.PrinterIndex());
    FillPrinterList();

    FPanel->ClearElements();
    LabelPrintRequest request{FSetup, FStore->LayoutFilePath(FSetup), FSettings};
    FLastPrint = PrintLabelSetup(FAddresses, FEngine, *FPanel, request, this);
    FSettings.PresortDone = FLastPrint->PresortDone;
}

void TLabelSetupScreen::PrintButtonClick()
{
    RunPrint(false);
}

void TLabelSetupScreen::PreviewButtonClick()
{
    RunPrint(true);
}

void TLabelSetupScreen::OkButtonClick()
{
    accept();
}

void TLabelSetupScreen::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane
