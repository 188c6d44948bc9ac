#include "bulkmail/windows/TStateZipCheck.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/SystemTables.h"
#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "session/FilterCriteria.h"
#include "session/Tagging.h"
#include "session/ToolWindowView.h"
#include "session/windows/AddressTableModel.h"
#include "session/windows/RecordGrid.h"

namespace corvane {

namespace {

QPushButton* Button(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* Text(const QString& text, QWidget* parent, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

std::vector<CatalogueField> StateColumns()
{
    return {{"NAME", "State or Province", 20, FieldKind::StoredText, true},
            {"STATE", "Abbreviation", 4, FieldKind::StoredText, true},
            {"LOW_ZIP", "Starting Zip/Post", 10, FieldKind::StoredText, true},
            {"HIGH_ZIP", "Ending Zip/Post", 10, FieldKind::StoredText, true}};
}

} // namespace

TStateZipCheck::TStateZipCheck(const ToolWindowView& view, QWidget* parent)
    : QDialog(parent), FView(view), FListPath(StateZipIndexPath(view.Table().Path()))
{
    setObjectName("TStateZipCheck");
    setWindowTitle("Check State and Zip  Codes");
    setModal(true);

    SetupPanel = new QWidget(this);
    SetupPanel->setObjectName("SetupPanel");
    BlanksCheck =
        new QCheckBox("Include records with blank State/Province or Zip/Postcode entries?", SetupPanel);
    BlanksCheck->setObjectName("BlanksCheck");
    PerformButton = Button("PerformButton", "Perform Check Now", SetupPanel);
    auto* setup = new QVBoxLayout(SetupPanel);
    setup->addWidget(Text("Check For State/Province  && Zipcode/Postal Code Anomolies", SetupPanel, true));
    setup->addWidget(Text("A check will be performed by comparing the records in the file against the "
                          "State/Province file, which contains a list of State/Zip Province/Postcode "
                          "combinations. This file may be edited or added to by clicking the 'Edit "
                          "State/Province File' button below.",
                          SetupPanel));
    setup->addWidget(BlanksCheck);
    setup->addWidget(PerformButton);
    setup->addStretch();

    ResultPanel = new QWidget(this);
    ResultPanel->setObjectName("ResultPanel");
    Results = new RecordGrid(ResultPanel);
    Results->setObjectName("Results");
    EditButton = Button("EditButton", "&Edit", ResultPanel);
    SaveButton = Button("SaveButton", "&Save", ResultPanel);
    CancelEditButton = Button("CancelEditButton", "&Cancel", ResultPanel);
    TagButton = Button("TagButton", "&Tag", ResultPanel);
    TagAllButton = Button("TagAllButton", "Tag &All", ResultPanel);
    auto* resultButtons = new QHBoxLayout;
    for (QPushButton* button : {EditButton, SaveButton, CancelEditButton, TagButton, TagAllButton})
        resultButtons->addWidget(button);
    resultButtons->addStretch();
    auto* result = new QVBoxLayout(ResultPanel);
    result->addWidget(
        Text("These records have questionable state/zip or province/postcode combinations. You "
             "may edit the contents to make changes. When you are done, press the Close button.",
             ResultPanel));
    result->addWidget(Results, 1);
    result->addLayout(resultButtons);
    ResultPanel->hide();

    StatePanel = new QWidget(this);
    StatePanel->setObjectName("StatePanel");
    States = new RecordGrid(StatePanel);
    States->setObjectName("States");
    StateDeleteButton = Button("StateDeleteButton", "Delete", StatePanel);
    StateSaveButton = Button("StateSaveButton", "Save", StatePanel);
    StateUndoButton = Button("StateUndoButton", "Undo", StatePanel);
    StateAddButton = Button("StateAddButton", "Add", StatePanel);
    auto* stateButtons = new QHBoxLayout;
    for (QPushButton* button : {StateDeleteButton, StateSaveButton, StateUndoButton, StateAddButton})
        stateButtons->addWidget(button);
    stateButtons->addStretch();
    auto* state = new QVBoxLayout(StatePanel);
    state->addWidget(
        Text("Make changes to the State/Province file to best reflect your country", StatePanel));
    state->addWidget(States, 1);
    state->addLayout(stateButtons);
    StatePanel->hide();

    Gauge = new QProgressBar(this);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    Gauge->hide();
    CountLabel = new QLabel(this);
    CountLabel->setObjectName("CountLabel");
    CountLabel->hide();
    MouseHelpButton = CreateMouseHelpButton(this);
    CloseButton = Button("CloseButton", "Close", this);
    EditStateFileButton = Button("EditStateFileButton", "Edit State/Province File", this);
    HelpButton = Button("HelpButton", "Help", this);
    CancelButton = Button("CancelButton", "Cancel", this);
    CancelButton->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MouseHelpButton);
    buttons->addWidget(CountLabel, 1);
    buttons->addWidget(CloseButton);
    buttons->addWidget(EditStateFileButton);
    buttons->addWidget(HelpButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SetupPanel, 1);
    layout->addWidget(ResultPanel, 1);
    layout->addWidget(StatePanel, 1);
    layout->addWidget(Gauge);
    layout->addLayout(buttons);

    connect(PerformButton, &QPushButton::clicked, this, &TStateZipCheck::PerformButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TStateZipCheck::CancelButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TStateZipCheck::CloseButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TStateZipCheck::HelpButtonClick);
    connect(EditStateFileButton, &QPushButton::clicked, this, &TStateZipCheck::EditStateFileButtonClick);
    connect(EditButton, &QPushButton::clicked, this, &TStateZipCheck::EditButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TStateZipCheck::SaveButtonClick);
    connect(CancelEditButton, &QPushButton::clicked, this, &TStateZipCheck::CancelEditButtonClick);
    connect(TagButton, &QPushButton::clicked, this, &TStateZipCheck::TagButtonClick);
    connect(TagAllButton, &QPushButton::clicked, this, &TStateZipCheck::TagAllButtonClick);
    connect(Results, &RecordGrid::TaggedDoubleClicked, this, &TStateZipCheck::TagButtonClick);
    connect(StateDeleteButton, &QPushButton::clicked, this, &TStateZipCheck::StateDeleteButtonClick);
    connect(StateSaveButton, &QPushButton::clicked, this, &TStateZipCheck::StateSaveButtonClick);
    connect(StateUndoButton, &QPushButton::clicked, this, &TStateZipCheck::StateUndoButtonClick);
    connect(StateAddButton, &QPushButton::clicked, this, &TStateZipCheck::StateAddButtonClick);
}

TStateZipCheck::~TStateZipCheck()
{
    CloseList();
    StopEditingTable();
}

void TStateZipCheck::PerformButtonClick()
{
    if (FRunning)
        return;
    HelpButton->hide();
    CloseButton->hide();
    EditStateFileButton->hide();
    SetupPanel->hide();
    CancelButton->show();
    FRunning = true;
    FCancel = false;
    auto restoreStart = [this] {
        FRunning = false;
        Gauge->hide();
        CountLabel->hide();
        CancelButton->hide();
        HelpButton->show();
        CloseButton->show();
        EditStateFileButton->show();
        SetupPanel->show();
    };
    Result<StateZipRanges> ranges = Status::Error("");
    {
        xbase::Table csz;
        if (!OpenCityStateZipTable(csz)) { // says why
            restoreStart();
            return;
        }
        ranges = StateZipRanges::Load(csz);
    }
    if (!ranges) {
        ShowInfo(ranges.Message());
        restoreStart();
        return;
    }
    Gauge->setValue(0);
    Gauge->show();
    CountLabel->show();
    const StateZipCheckOptions options{BlanksCheck->isChecked(), FListPath};
    auto outcome = RunStateZipCheck(
        FView.Table(), *ranges, options, [this](uint32_t done, uint32_t total, uint32_t found) {
            const int percent = StateZipPercent(done, total);
            if (percent >= 1 && percent <= 99)
                Gauge->setValue(percent);
            CountLabel->setText(QString::fromStdString(FoundQuestionableMessage(found)));
            emit RecordChecked(done);
            QApplication::processEvents();
            return !FCancel;
        });
    if (!outcome) {
        // The list could not be made or the walk failed: no check result, the set-up again.
        ShowInfo(outcome.Message());
        restoreStart();
        return;
    }
    FListMade = true;
    FOutcome = *outcome;
    FRunning = false;
    FCheckDone = true;
    Gauge->hide();
    CountLabel->hide();
    CancelButton->hide();
    ShowResults();
    EditStateFileButton->show();
    HelpButton->show();
    CloseButton->show();
}

void TStateZipCheck::ShowResults()
{
    xbase::Table& table = FView.Table();
    (void)table.SetOrder(FOutcome.ListOrder);
    (void)table.GoTop();
    auto model = std::make_unique<AddressTableModel>(table, FView.Catalogue(), FView.TagId());
    model->SetEditable(true);
    Results->SetModel(std::move(model));
    ResultPanel->show();
}

void TStateZipCheck::CancelButtonClick()
{
    if (FRunning && AskYesNo("Cancel operation?", "CANCEL"))
        FCancel = true;
}

void TStateZipCheck::CloseButtonClick()
{
    if (!FRunning)
        accept();
}

void TStateZipCheck::HelpButtonClick()
{
    ShowHelpContents();
}

void TStateZipCheck::EditStateFileButtonClick()
{
    if (FRunning)
        return;
    if (FEditingTable) {
        StopEditingTable();
        return;
    }
    if (!OpenCityStateZipTable(FCsz)) {
        (void)FCsz.Close();
        ShowInfo("Unable to open CSZ.DBF");
        return;
    }
    (void)FCsz.SetOrder(FCsz.OrderNumber("STATE"));
    (void)FCsz.GoTop();
    auto model = std::make_unique<AddressTableModel>(FCsz, StateColumns());
    model->SetEditable(true);
    States->SetModel(std::move(model));
    FEditingTable = true;
    (FCheckDone ? ResultPanel : SetupPanel)->hide();
    CancelButton->setEnabled(false);
    StatePanel->show();
    EditStateFileButton->setText("Stop Editing");
}

void TStateZipCheck::StopEditingTable()
{
    if (!FEditingTable)
        return;
    FEditingTable = false;
    if (States->Model())
        States->Model()->Cancel();
    States->SetModel(nullptr);
    if (Status closed = FCsz.Close(); !closed)
        ShowInfo(closed.Message());
    StatePanel->hide();
    EditStateFileButton->setText("Edit State/Province File");
    CancelButton->setEnabled(true);
    (FCheckDone ? ResultPanel : SetupPanel)->show();
}

void TStateZipCheck::EditButtonClick()
{
    if (Results->Model())
        (void)Results->Model()->StartEdit(Results->CurrentRow());
}

void TStateZipCheck::SaveButtonClick()
{
    if (!Results->Model() || !Results->Model()->IsEditing())
        return;
    const uint32_t recno = Results->CurrentRecno();
    if (Status saved = Results->Model()->Save(); !saved)
        ShowInfo(saved.Message());
    Results->SelectRecno(recno);
}

void TStateZipCheck::CancelEditButtonClick()
{
    if (Results->Model())
        Results->Model()->Cancel();
}

void TStateZipCheck::TagButtonClick()
{
    const uint32_t recno = Results->CurrentRecno();
    if (recno == 0)
        return;
    xbase::Table& table = FView.Table();
    FilterCriteria none;
    if (Status moved = table.GoTo(recno); !moved) {
        ShowInfo(moved.Message());
        return;
    }
    if (auto toggled = ToggleTag(table, none, FView.TagId()); !toggled)
        ShowInfo(toggled.Message());
    Results->Model()->Reload();
    Results->SelectRecno(recno);
}

void TStateZipCheck::TagAllButtonClick()
{
    if (!Results->Model() || !AskYesNo(std::string(TagAllQuestionableQuestion), "TAG ALL"))
        return;
    const uint32_t recno = Results->CurrentRecno();
    if (auto tagged = TagAll(FView.Table(), FView.TagId()); !tagged)
        ShowInfo(tagged.Message());
    Results->Model()->Reload();
    Results->SelectRecno(recno);
}

void TStateZipCheck::StateDeleteButtonClick()
{
    const uint32_t recno = States->CurrentRecno();
    if (recno == 0 || !AskYesNo("Delete record?", "Confirm"))
        return;
    const int row = States->CurrentRow();
    States->Model()->Cancel();
    Status deleted = FCsz.GoTo(recno);
    if (deleted)
        deleted = FCsz.Delete();
    if (deleted)
        deleted = FCsz.Commit();
    if (!deleted)
        ShowInfo(deleted.Message());
    States->Model()->Reload();
    States->SelectRow(row);
}

void TStateZipCheck::StateSaveButtonClick()
{
    if (!States->Model() || !States->Model()->IsEditing())
        return;
    const uint32_t recno = States->CurrentRecno();
    if (Status saved = States->Model()->Save(); !saved)
        ShowInfo(saved.Message());
    States->SelectRecno(recno);
}

void TStateZipCheck::StateUndoButtonClick()
{
    if (States->Model())
        States->Model()->Cancel();
}

void TStateZipCheck::StateAddButtonClick()
{
    if (!States->Model())
        return;
    States->Model()->Cancel();
    Status added = FCsz.AppendBlank();
    if (added)
        added = FCsz.Commit();
    if (!added) {
        ShowInfo(added.Message());
        return;
    }
    const uint32_t recno = FCsz.RecNo();
    States->Model()->Reload();
    States->SelectRecno(recno);
    (void)States->Model()->StartEdit(States->CurrentRow());
}

void TStateZipCheck::reject()
{
    if (FRunning)
        CancelButtonClick();
    else
        QDialog::reject();
}

void TStateZipCheck::done(int result)
{
    if (FRunning)
        return;
    CloseList();
    StopEditingTable();
    QDialog::done(result);
}

void TStateZipCheck::CloseList()
{
    if (!FListMade)
        return;
    FListMade = false;
    if (Results->Model())
        Results->Model()->Cancel();
    Results->SetModel(nullptr);
    if (Status closed = CloseStateZipList(FView.Table(), FListPath); !closed)
        ShowInfo(closed.Message());
}

} // namespace corvane
