#include "envelopes/windows/TCVEnvelopes.h"

#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/SystemTables.h"
#include "envelopes/EnvelopeSetupStore.h"
#include "envelopes/TEnvelopePanel.h"
#include "envelopes/windows/EnvelopePrinterPreferences.h"
#include "envelopes/windows/TChooseEnvelopeLayout.h"
#include "envelopes/windows/TEnvelopeDesignScreen.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/QPainterSurface.h"
#include "layout/designer/DesignScreenParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "printing/PrintEngine.h"
#include "printing/windows/TPrinterSetup.h"

namespace corvane {

namespace {

constexpr double MiniatureScale = 0.3;

QPushButton* Button(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* Value(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The screen's pixels per inch, as layouts are measured.
double ScreenPixelsPerInch(const QWidget* widget)
{
    return widget->logicalDpiX() > 0 ? widget->logicalDpiX() : 96.0;
}

} // namespace

TCVEnvelopes::TCVEnvelopes(const ToolWindowView& addresses, PrintEngine& engine, QWidget* parent)
    : QDialog(parent), FAddresses(addresses), FEngine(engine), FScope(addresses.Scope()),
      FOwner(std::make_unique<ComponentOwner>()), FRegistry(std::make_unique<ElementClassRegistry>()),
      FPanel(std::make_unique<TEnvelopePanel>(*FOwner))
{
    setObjectName("TCVEnvelopes");
    setWindowTitle("Print Envelope");
    FRegistry->RegisterAll();
    FPanel->SetRegistry(*FRegistry);
    FStore = std::make_unique<EnvelopeSetupStore>(FSetupTable);
    BuildControls();
    CentreForm(this);
}

TCVEnvelopes::~TCVEnvelopes()
{
    (void)FSetupTable.Close();
}

void TCVEnvelopes::BuildControls()
{
    auto* setupBox = new QGroupBox("&Select Envelope Setup", this);
    setupBox->setObjectName("SetupBox");
    SetupGrid = new QTableWidget(0, 1, setupBox);
    SetupGrid->setObjectName("SetupGrid");
    SetupGrid->setHorizontalHeaderLabels({"Description"});
    SetupGrid->horizontalHeader()->setStretchLastSection(true);
    SetupGrid->verticalHeader()->hide();
    SetupGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SetupGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    SetupGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ModifyButton = Button("ModifyButton", "Modify", setupBox);
    NewButton = Button("NewButton", "New", setupBox);
    DeleteButton = Button("DeleteButton", "Delete", setupBox);
    CloneButton = Button("CloneButton", "Clone", setupBox);
    auto* setupLayout = new QVBoxLayout(setupBox);
    setupLayout->addWidget(SetupGrid);
    auto* setupButtons = new QHBoxLayout;
    for (QPushButton* button : {ModifyButton, NewButton, DeleteButton, CloneButton})
        setupButtons->addWidget(button);
    setupLayout->addLayout(setupButtons);

    MiniatureLabel = new QLabel(this);
    MiniatureLabel->setObjectName("MiniatureLabel");
    MiniatureLabel->setAlignment(Qt::AlignCenter);
    MiniatureLabel->setMinimumSize(200, 100);

    auto* whatBox = new QGroupBox("What to Print", this);
    AllRecordsRadio = new QRadioButton("All records", whatBox);
    AllRecordsRadio->setObjectName("AllRecordsRadio");
    FilterRecordsRadio = new QRadioButton("Records matching filter", whatBox);
    FilterRecordsRadio->setObjectName("FilterRecordsRadio");
    CurrentRecordRadio = new QRadioButton("Only current record", whatBox);
    CurrentRecordRadio->setObjectName("CurrentRecordRadio");
    StartFromCurrentCheck = new QCheckBox("Start from current record", whatBox);
    StartFromCurrentCheck->setObjectName("StartFromCurrentCheck");
    auto* whatLayout = new QVBoxLayout(whatBox);
    for (QWidget* control : std::initializer_list<QWidget*>{AllRecordsRadio, FilterRecordsRadio,
                                                            CurrentRecordRadio, StartFromCurrentCheck})
        whatLayout->addWidget(control);
    CurrentRecordRadio->setChecked(true);
    FilterRecordsRadio->setEnabled(FScope.FilterChoiceEnabled);

    auto* recordBox = new QGroupBox("Current Record", this);
    FirstValue = Value("FirstValue", recordBox);
    LastValue = Value("LastValue", recordBox);
    OrgValue = Value("OrgValue", recordBox);
    CityValue = Value("CityValue", recordBox);
    auto* recordForm = new QFormLayout;
    recordForm->addRow("First", FirstValue);
    recordForm->addRow("Last", LastValue);
    recordForm->addRow("Org", OrgValue);
    recordForm->addRow("City", CityValue);
    auto* navigator = new QHBoxLayout;
    const std::tuple<const char*, const char*, Qt::ArrowType, bool, bool, RecordStep> moves[] = {
        {"FirstRecordButton", "First record", Qt::LeftArrow, true, true, RecordStep::First},
        {"PriorRecordButton", "Previous record", Qt::LeftArrow, false, false, RecordStep::Previous},
        {"NextRecordButton", "Next record", Qt::RightArrow, false, false, RecordStep::Next},
        {"LastRecordButton", "Last record", Qt::RightArrow, true, false, RecordStep::Last},
    };
    for (const auto& [name, hint, arrow, bar, barFirst, step] : moves) {
        QToolButton* button = RecordToolButton(name, hint, arrow, bar, barFirst, recordBox);
        navigator->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, step = step] { RecordButtonClick(step); });
    }
    auto* recordLayout = new QVBoxLayout(recordBox);
    recordLayout->addLayout(recordForm);
    recordLayout->addLayout(navigator);

    OkButton = Button("OkButton", "Ok", this);
    PrintButton = Button("PrintButton", "&Print", this);
    PreviewButton = Button("PreviewButton", "Pre&view", this);
    PrinterSetupButton = Button("PrinterSetupButton", "Printer Setup", this);
    HelpButton = Button("HelpButton", "Help", this);
    auto* windowButtons = new QHBoxLayout;
    windowButtons->addWidget(CreateMouseHelpButton(this));
    windowButtons->addStretch();
    for (QPushButton* button : {OkButton, PrintButton, PreviewButton, PrinterSetupButton, HelpButton})
        windowButtons->addWidget(button);

    auto* upper = new QHBoxLayout;
    upper->addWidget(setupBox, 1);
    upper->addWidget(MiniatureLabel, 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(whatBox);
    lower->addWidget(recordBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addLayout(lower);
    layout->addLayout(windowButtons);

    connect(SetupGrid, &QTableWidget::itemSelectionChanged, this, &TCVEnvelopes::SetupGridCurrentChanged);
    connect(ModifyButton, &QPushButton::clicked, this, &TCVEnvelopes::ModifyButtonClick);
    connect(NewButton, &QPushButton::clicked, this, &TCVEnvelopes::NewButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TCVEnvelopes::DeleteButtonClick);
    connect(CloneButton, &QPushButton::clicked, this, &TCVEnvelopes::CloneButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TCVEnvelopes::OkButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TCVEnvelopes::PrintButtonClick);
    connect(PreviewButton, &QPushButton::clicked, this, &TCVEnvelopes::PreviewButtonClick);
    connect(PrinterSetupButton, &QPushButton::clicked, this, &TCVEnvelopes::PrinterSetupButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCVEnvelopes::HelpButtonClick);
    InstallWhatsThis(
        this,
        {{"SetupGrid", "Your envelope setups. Choose the one to print, change, copy or delete."},
         {"ModifyButton", "Opens the chosen setup in the envelope designer."},
         {"NewButton", "Makes a new envelope setup: choose its size, then design it."},
         {"DeleteButton", "Deletes the chosen setup and its layout."},
         {"CloneButton", "Makes a copy of the chosen setup, named \"Clone of \" and its name."},
         {"MiniatureLabel", "The chosen envelope with the current record, at 30 %."},
         {"AllRecordsRadio", "Prints an envelope for every record of the file, whatever the filter."},
         {"FilterRecordsRadio", "Prints envelopes for the records the filter lets through."},
         {"CurrentRecordRadio", "Prints one envelope, for the record shown."},
         {"StartFromCurrentCheck", "Starts with the record shown instead of the first."},
         {"OkButton", "Closes this window."},
         {"PrintButton", "Prints envelopes with the chosen setup."},
         {"PreviewButton", "Shows on screen what Print would print."},
         {"PrinterSetupButton", "Choose the printer, paper, paper source and orientation for envelopes."},
         {"HelpButton", "Shows the help on printing envelopes."}});
}

void TCVEnvelopes::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TCVEnvelopes::FormActivate()
{
    if (FActivated)
        return;
    FActivated = true;
    FPanel->SetPixelsPerInch(ScreenPixelsPerInch(this));
    FFeed = LoadEnvelopePreferences(Settings(), FEngine);
    if (OpenEnvelopeTable(FSetupTable)) {
        (void)FSetupTable.SetQuery(EnvelopeSetupListQuery);
        (void)FSetupTable.SetOrder(FSetupTable.OrderNumber("DESCRIPT"));
        (void)FSetupTable.GoTop();
    }
    FillGrid();
    SetEnvelopeButtons();
    ShowCurrentRecord();
}

bool TCVEnvelopes::HasSetup() const
{
    return FSetupTable.IsOpen() && !FSetupTable.Eof();
}

void TCVEnvelopes::FillGrid()
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
    ReadEnvelopeSetup();
    ShowDisplayEnvelope();
}

void TCVEnvelopes::ReadEnvelopeSetup()
{
    FSetup = HasSetup() ? FStore->Current() : NoEnvelopeSetup();
}

void TCVEnvelopes::SetupGridCurrentChanged()
{
    if (FFillingGrid)
        return;
    const QList<QTableWidgetItem*> selected = SetupGrid->selectedItems();
    if (selected.isEmpty())
        return;
    (void)FSetupTable.GoTo(selected.front()->data(Qt::UserRole).toUInt());
    ReadEnvelopeSetup();
    ShowDisplayEnvelope();
}

void TCVEnvelopes::SetEnvelopeButtons()
{
    const bool has = HasSetup();
    for (QWidget* control : std::initializer_list<QWidget*>{ModifyButton, CloneButton, PrintButton,
                                                            PreviewButton, DeleteButton, SetupGrid})
        control->setEnabled(has);
    NewButton->setEnabled(FSetupTable.IsOpen());
}

void TCVEnvelopes::ShowDisplayEnvelope()
{
    FPanel->ClearElements();
    const double ppi = FPanel->PixelsPerInch();
    const double width = std::max(FSetup.Width(), 1.0);
    const double height = std::max(FSetup.Height(), 1.0);
    const QSize size(static_cast<int>(std::lround(width * ppi * MiniatureScale)),
                     static_cast<int>(std::lround(height * ppi * MiniatureScale)));
    FMiniature = QImage(size, QImage::Format_RGB32);
    FMiniature.fill(Qt::white);
    // One inch of the miniature is 30 % of a screen inch.
    const int dotsPerMeter = static_cast<int>(std::lround(ppi * MiniatureScale / 0.0254));
    FMiniature.setDotsPerMeterX(dotsPerMeter);
    FMiniature.setDotsPerMeterY(dotsPerMeter);
    const std::string path = FStore->LayoutFilePath(FSetup);
    if (HasSetup() && FStore->LayoutFileExists(FSetup) && FPanel->LoadFromFile(path)) {
        AddressRecordSource source(FAddresses.Catalogue(), FAddresses.CurrentRecord(), FAddresses.TagId());
        source.SetOpen(FAddresses.IsOpen());
        FPanel->SetRecordSource(&source);
        FPanel->RefreshData();
        QPainter painter(&FMiniature);
        QPainterSurface surface(painter);
        FPanel->PrintElements(surface, 0, 0);
        FPanel->SetRecordSource(nullptr);
    }
    {
        QPainter frame(&FMiniature);
        frame.setPen(Qt::black);
        frame.drawRect(FMiniature.rect().adjusted(0, 0, -1, -1));
    }
    MiniatureLabel->setPixmap(QPixmap::fromImage(FMiniature));
    // The whole envelope shows; the window grows to a larger size's miniature.
    MiniatureLabel->setMinimumSize(FMiniature.size() + QSize(4, 4));
}

void TCVEnvelopes::ShowCurrentRecord()
{
    const AddressRecord& record = FAddresses.CurrentRecord();
    const auto field = [&](const char* name) {
        const std::string* value = record.Text(name);
        return value ? QString::fromStdString(*value).trimmed() : QString();
    };
    FirstValue->setText(field("FNAME"));
    LastValue->setText(field("LNAME"));
    OrgValue->setText(field("ORG"));
    CityValue->setText(field("CITY"));
}

void TCVEnvelopes::RecordButtonClick(RecordStep step)
{
    (void)FAddresses.Step(step);
    ShowCurrentRecord();
    ShowDisplayEnvelope();
}

// ---- the setups ----

void TCVEnvelopes::NewButtonClick()
{
    if (!FSetupTable.IsOpen())
        return;
    const std::optional<int> code = ChooseEnvelopeSize(FSetup.Code, this);
    if (!code)
        return;
    auto setup = FStore->PrepareNew(*code);
    if (!setup) {
        ShowInfo(setup.Message());
        return;
    }
    FSetup = *setup;
    Design(true);
}

void TCVEnvelopes::ModifyButtonClick()
{
    if (!HasSetup())
        return;
    bool fileExists = false;
    auto setup = FStore->PrepareModify(fileExists);
    if (!setup) {
        ShowInfo(setup.Message());
        return;
    }
    FSetup = *setup;
    Design(false);
}

void TCVEnvelopes::Design(bool isNew)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TEnvelopeDesignScreen designer(FSetup, &FAddresses, this);
    const double ppi = designer.Panel().PixelsPerInch();
    const QMarginsF margins = FEngine.UnprintableMarginsInches();
    const auto pixels = [ppi](double inches) { return static_cast<int32_t>(std::trunc(inches * ppi)); };
    designer.SetPrinterPage({pixels(margins.left()), pixels(margins.top()), pixels(margins.right()),
                             pixels(margins.bottom()), pixels(FEngine.PageWidthInches()),
                             pixels(FEngine.PageHeightInches())});
    Status loaded = Status::Success();
    if (isNew)
        designer.BeginNewEnvelope();
    else
        loaded = designer.LoadLayout(FStore->LayoutFilePath(FSetup)); // a fresh name loads nothing
    QApplication::restoreOverrideCursor();
    if (!loaded)
        ShowInfo(loaded.Message());
    if (DesignerShown)
        DesignerShown(designer);
    const int result = DesignerShown ? designer.result() : designer.exec();
    if (result == QDialog::Accepted) {
        EnvelopeSetup saved = designer.Setup();
        saved.LayoutFileName = FSetup.LayoutFileName;
        if (Status stored = FStore->SaveSetup(saved, designer.Panel(), isNew); !stored)
            ShowInfo(stored.Message());
        else
            FSetup = saved;
    }
    FillGrid();
    SetEnvelopeButtons();
}

void TCVEnvelopes::CloneButtonClick()
{
    if (!HasSetup())
        return;
    ReadEnvelopeSetup();
    if (!AskYesNo(CloneQuestion(FSetup.Description), std::string(CloneCaption)))
        return;
    if (auto cloned = FStore->CloneCurrent(); !cloned)
        ShowInfo(cloned.Message());
    FillGrid();
    SetEnvelopeButtons();
}

void TCVEnvelopes::DeleteButtonClick()
{
    if (!HasSetup())
        return;
    ReadEnvelopeSetup();
    if (!AskYesNo(DeleteQuestion(FSetup.Description), std::string(DeleteCaption)))
        return;
    if (Status deleted = FStore->DeleteCurrent(); !deleted)
        ShowInfo(deleted.Message());
    (void)FSetupTable.GoTop();
    FillGrid();
    SetEnvelopeButtons();
}

// ---- printing ----

void TCVEnvelopes::RunPrint(bool preview)
{
    if (!HasSetup())
        return;
    ReadEnvelopeSetup();
    EnvelopePrintRequest request;
    request.Setup = FSetup;
    request.LayoutPath = FStore->LayoutFilePath(FSetup);
    request.Settings.Scope = AllRecordsRadio->isChecked()      ? RecordScope::All
                             : CurrentRecordRadio->isChecked() ? RecordScope::Current
                                                               : RecordScope::Filter;
    request.Settings.StartFromCurrent = StartFromCurrentCheck->isChecked();
    request.Settings.Preview = preview;
    FLastPrint = PrintEnvelopeSetup(FAddresses, FEngine, *FPanel, request, this);
    FFeed = ReadEnvelopeFeed(Settings());
    ShowCurrentRecord();
    ShowDisplayEnvelope();
}

void TCVEnvelopes::PrintButtonClick()
{
    RunPrint(false);
}

void TCVEnvelopes::PreviewButtonClick()
{
    RunPrint(true);
}

void TCVEnvelopes::PrinterSetupButtonClick()
{
    if (ShowPrinterSetup(FEngine, this))
        (void)SaveEnvelopePreferences(Settings(), FEngine, FFeed);
}

void TCVEnvelopes::OkButtonClick()
{
    accept();
}

void TCVEnvelopes::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane
