#include "letters/windows/TCVLetters.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/SystemTables.h"
#include "letters/windows/TLetterDesign.h"
#include "letters/windows/TRTFPreviewForm.h"
#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "printing/PrintEngine.h"
#include "printing/windows/TPrinterSetup.h"

namespace corvane {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QBoxLayout* row)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    row->addWidget(button);
    return button;
}

} // namespace

TCVLetters::TCVLetters(const ToolWindowView& addresses, PrintEngine& engine, QWidget* parent)
    : QDialog(parent), FAddresses(addresses), FEngine(engine)
{
    setObjectName("TCVLetters");
    setWindowTitle("Print Letters");
    auto* layout = new QVBoxLayout(this);
    auto* listBox = new QGroupBox("Select Letter", this);
    auto* listLayout = new QHBoxLayout(listBox);
    LetterGrid = new QTableWidget(0, 1, listBox);
    LetterGrid->setObjectName("LetterGrid");
    LetterGrid->setHorizontalHeaderLabels({"Letter Description"});
    LetterGrid->horizontalHeader()->setStretchLastSection(true);
    LetterGrid->verticalHeader()->hide();
    LetterGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LetterGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    LetterGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    listLayout->addWidget(LetterGrid, 1);
    auto* listButtons = new QVBoxLayout;
    ModifyButton = Button(listBox, "ModifyButton", "&Modify", listButtons);
    NewButton = Button(listBox, "NewButton", "&New", listButtons);
    DeleteButton = Button(listBox, "DeleteButton", "&Delete", listButtons);
    CloneButton = Button(listBox, "CloneButton", "C&lone", listButtons);
    listButtons->addStretch();
    listLayout->addLayout(listButtons);
    layout->addWidget(listBox, 1);

    auto* printRow = new QHBoxLayout;
    WhatToPrintPanel = new QGroupBox("What to Print", this);
    WhatToPrintPanel->setObjectName("WhatToPrintPanel");
    auto* scope = new QVBoxLayout(WhatToPrintPanel);
    AllRecordsRadio = new QRadioButton("&All records", WhatToPrintPanel);
    AllRecordsRadio->setObjectName("AllRecordsRadio");
    FilterRecordsRadio = new QRadioButton("Records matching &filter", WhatToPrintPanel);
    FilterRecordsRadio->setObjectName("FilterRecordsRadio");
    CurrentRecordRadio = new QRadioButton("Only &current record", WhatToPrintPanel);
    CurrentRecordRadio->setObjectName("CurrentRecordRadio");
    CurrentRecordRadio->setChecked(true);
    StartFromCurrentCheck = new QCheckBox("&Start from current record", WhatToPrintPanel);
    StartFromCurrentCheck->setObjectName("StartFromCurrentCheck");
    scope->addWidget(AllRecordsRadio);
    scope->addWidget(FilterRecordsRadio);
    scope->addWidget(CurrentRecordRadio);
    scope->addWidget(StartFromCurrentCheck);
    printRow->addWidget(WhatToPrintPanel);
    auto* right = new QVBoxLayout;
    auto* copiesRow = new QHBoxLayout;
    CopiesEdit = new QSpinBox(this);
    CopiesEdit->setObjectName("CopiesEdit");
    CopiesEdit->setRange(1, MaximumLetterCopies);
    CopiesEdit->setValue(1);
    auto* copiesLabel = new QLabel("# c&opies of each letter", this);
    copiesLabel->setBuddy(CopiesEdit);
    copiesRow->addWidget(copiesLabel);
    copiesRow->addWidget(CopiesEdit);
    right->addLayout(copiesRow);
    auto* printerBox = new QGroupBox("Printer", this);
    auto* printerLayout = new QVBoxLayout(printerBox);
    PrinterPanel = new QLabel(printerBox);
    PrinterPanel->setObjectName("PrinterPanel");
    printerLayout->addWidget(PrinterPanel);
    right->addWidget(printerBox);
    printRow->addLayout(right);
    layout->addLayout(printRow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OkButton = Button(this, "OkButton", "Ok", buttons);
    PrintButton = Button(this, "PrintButton", "&Print", buttons);
    PreviewButton = Button(this, "PreviewButton", "Pre&view", buttons);
    PrinterSetupButton = Button(this, "PrinterSetupButton", "Printer &Setup", buttons);
    HelpButton = Button(this, "HelpButton", "&Help", buttons);
    buttons->addWidget(CreateMouseHelpButton(this));
    layout->addLayout(buttons);
    InstallWhatsThis(
        this, {
                  {"LetterGrid", "The letters you have written. Pick the one to change, print or preview."},
                  {"ModifyButton", "Opens the selected letter in the Letter Designer."},
                  {"NewButton", "Starts a new, empty letter in the Letter Designer."},
                  {"DeleteButton", "Deletes the selected letter (you are asked first)."},
                  {"CloneButton",
                   "Makes a copy of the selected letter, described \"Clone of\" and its description."},
                  {"WhatToPrintPanel",
                   "Which records get a letter: all, those matching the filter, or the current one."},
                  {"StartFromCurrentCheck", "Starts printing at the record shown in the main window."},
                  {"CopiesEdit", "How many copies of each letter are printed (1 to 999)."},
                  {"PrinterPanel", "The printer the letters go to; change it with Printer Setup."},
                  {"PrintButton", "Prints the selected letter merged with each record."},
                  {"PreviewButton", "Shows the selected letter merged with the current record."},
                  {"PrinterSetupButton", "Chooses the printer, paper and orientation."},
                  {"OkButton", "Closes this window."},
              });

    FilterRecordsRadio->setEnabled(FAddresses.Scope().FilterChoiceEnabled);
    if (FAddresses.Scope().SelectAllRecords)
        AllRecordsRadio->setChecked(true);

    connect(ModifyButton, &QPushButton::clicked, this, &TCVLetters::ModifyButtonClick);
    connect(NewButton, &QPushButton::clicked, this, &TCVLetters::NewButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TCVLetters::DeleteButtonClick);
    connect(CloneButton, &QPushButton::clicked, this, &TCVLetters::CloneButtonClick);
    connect(LetterGrid, &QTableWidget::cellDoubleClicked, this, &TCVLetters::ModifyButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(PrintButton, &QPushButton::clicked, this, &TCVLetters::PrintButtonClick);
    connect(PreviewButton, &QPushButton::clicked, this, &TCVLetters::PreviewButtonClick);
    connect(PrinterSetupButton, &QPushButton::clicked, this, &TCVLetters::PrinterSetupButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpContext(HelpContext); });
    SetButtons();
}

TCVLetters::~TCVLetters()
{
    (void)FTable.Close();
}

void TCVLetters::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FActivated) {
        FActivated = true;
        if (!FormActivate())
            QTimer::singleShot(0, this, &QDialog::reject);
    }
}

bool TCVLetters::FormActivate()
{
    FActivated = true;
    PrinterPanel->setText(FEngine.PrinterName());
    if (!OpenLetterTable(FTable))
        return false;
    RefreshList();
    return true;
}

void TCVLetters::RefreshList(uint32_t recordNumber)
{
    auto letters =
        FTable.IsOpen() ? FStore.List() : Result<std::vector<LetterEntry>>(std::vector<LetterEntry>{});
    if (!letters)
        ShowInfo(letters.Message());
    FLetters = letters ? letters.Take() : std::vector<LetterEntry>{};
    LetterGrid->setRowCount(static_cast<int>(FLetters.size()));
    int selected = 0;
    for (size_t row = 0; row < FLetters.size(); ++row) {
        LetterGrid->setItem(static_cast<int>(row), 0,
                            new QTableWidgetItem(QString::fromStdString(FLetters[row].Description)));
        if (FLetters[row].RecordNumber == recordNumber)
            selected = static_cast<int>(row);
    }
    if (!FLetters.empty())
        LetterGrid->selectRow(selected);
    SetButtons();
}

void TCVLetters::SetButtons()
{
    const bool any = !FLetters.empty();
    for (QWidget* control : {static_cast<QWidget*>(ModifyButton), static_cast<QWidget*>(CloneButton),
                             static_cast<QWidget*>(PrintButton), static_cast<QWidget*>(PreviewButton),
                             static_cast<QWidget*>(DeleteButton), static_cast<QWidget*>(LetterGrid)})
        control->setEnabled(any);
    NewButton->setEnabled(FTable.IsOpen() || !FActivated);
}

std::optional<LetterEntry> TCVLetters::Selected() const
{
    const int row = LetterGrid->currentRow();
    if (row < 0 || row >= static_cast<int>(FLetters.size()))
        return FLetters.empty() ? std::nullopt : std::optional<LetterEntry>(FLetters.front());
    return FLetters[static_cast<size_t>(row)];
}

std::optional<LetterDocument> TCVLetters::SelectedLetter()
{
    const std::optional<LetterEntry> entry = Selected();
    if (!entry)
        return std::nullopt;
    auto rtf = FStore.Rtf(entry->RecordNumber);
    if (!rtf) {
        ShowInfo(rtf.Message());
        return std::nullopt;
    }
    auto letter = LoadLetter(*rtf);
    if (!letter) {
        ShowInfo("The letter \"" + entry->Description + "\" cannot be read: " + letter.Message());
        return std::nullopt;
    }
    return letter.Take();
}

LetterRunSettings TCVLetters::RunSettings() const
{
    LetterRunSettings settings;
    settings.Scope = AllRecordsRadio->isChecked()      ? RecordScope::All
                     : FilterRecordsRadio->isChecked() ? RecordScope::Filter
                                                       : RecordScope::Current;
    settings.StartFromCurrent = StartFromCurrentCheck->isChecked();
    settings.Copies = CopiesEdit->value();
    return settings;
}

void TCVLetters::EditLetter(std::optional<LetterEntry> entry)
{
    std::optional<LetterDocument> letter;
    if (entry) {
        letter = SelectedLetter();
        if (!letter)
            return;
    }
    TLetterDesign editor(letter ? &*letter : nullptr,
                         entry ? QString::fromStdString(entry->Description) : QString(), &FAddresses, this);
    const bool save = FRunEditor ? FRunEditor(editor) : editor.exec() == QDialog::Accepted;
    if (save) {
        const LetterDocument edited = editor.Letter();
        auto saved = FStore.Save(entry ? std::optional<uint32_t>(entry->RecordNumber) : std::nullopt,
                                 editor.Description().toStdString(), *edited.Document, edited.Layout);
        if (!saved)
            ShowInfo(saved.Message());
        RefreshList(saved ? *saved : 0);
        return;
    }
    SetButtons();
}

void TCVLetters::ModifyButtonClick()
{
    if (const std::optional<LetterEntry> entry = Selected())
        EditLetter(entry);
}

void TCVLetters::NewButtonClick()
{
    EditLetter(std::nullopt);
}

void TCVLetters::DeleteButtonClick()
{
    const std::optional<LetterEntry> entry = Selected();
    if (!entry || !AskYesNo(LetterDeleteQuestion(entry->Description), std::string(LetterDeleteCaption)))
        return;
    if (Status deleted = FStore.Delete(entry->RecordNumber); !deleted)
        ShowInfo(deleted.Message());
    RefreshList();
}

void TCVLetters::CloneButtonClick()
{
    const std::optional<LetterEntry> entry = Selected();
    if (!entry || !AskYesNo(LetterCloneQuestion(entry->Description), std::string(LetterCloneCaption)))
        return;
    auto clone = FStore.Clone(entry->RecordNumber);
    if (!clone)
        ShowInfo(clone.Message());
    RefreshList(clone ? *clone : entry->RecordNumber);
}

void TCVLetters::PrintButtonClick()
{
    const std::optional<LetterDocument> letter = SelectedLetter();
    if (!letter)
        return;
    FLastPrint = PrintLetter(FAddresses, FEngine, *letter, RunSettings(), this);
    PrinterPanel->setText(FEngine.PrinterName());
}

void TCVLetters::PreviewButtonClick()
{
    const std::optional<LetterDocument> letter = SelectedLetter();
    if (!letter)
        return;
    TRTFPreviewForm preview(*letter, FAddresses, this);
    preview.exec();
}

void TCVLetters::PrinterSetupButtonClick()
{
    FEngine.SetCopies(1);
    (void)ShowPrinterSetup(FEngine, this);
    FEngine.SetCopies(1);
    PrinterPanel->setText(FEngine.PrinterName());
}

} // namespace corvane
