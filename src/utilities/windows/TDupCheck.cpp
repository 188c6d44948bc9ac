#include "utilities/windows/TDupCheck.h"

#include <cmath>

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "session/FilterCriteria.h"
#include "session/Tagging.h"
#include "session/ToolWindowView.h"
#include "session/windows/AddressTableModel.h"
#include "session/windows/RecordGrid.h"
#include "utilities/windows/TTagAllRecords.h"

namespace corvane {

namespace {

QPushButton* Button(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// Deletes the current record as the main window does: ISDEL and the deletion mark together.
Status DeleteAsTheMainWindowDoes(xbase::Table& table, uint32_t recno)
{
    const bool hidden = table.DeletedHidden();
    table.SetDeletedHidden(false);
    Status result = table.GoTo(recno);
    if (result)
        result = table.PutField("ISDEL", "T");
    if (result)
        result = table.Delete();
    if (result)
        result = table.Commit();
    table.SetDeletedHidden(hidden);
    return result;
}

} // namespace

TDupCheck::TDupCheck(const ToolWindowView& view, QWidget* parent)
    : QDialog(parent), FView(view), FListPath(DuplicateIndexPath())
{
    setObjectName("TDupCheck");
    setWindowTitle("Check and Repair Duplicates");
    setModal(true);

    SetupPanel = new QWidget(this);
    SetupPanel->setObjectName("SetupPanel");
    auto* title = new QLabel("Duplicate Record Check Setup", SetupPanel);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* what = new QLabel("What to check:", SetupPanel);
    LastFirstRadio = new QRadioButton("&Last + First", SetupPanel);
    LastFirstRadio->setObjectName("LastFirstRadio");
    InitialRadio = new QRadioButton("Last + &First Initial", SetupPanel);
    InitialRadio->setObjectName("InitialRadio");
    StreetRadio = new QRadioButton("&Street Address", SetupPanel);
    StreetRadio->setObjectName("StreetRadio");
    auto* kinds = new QButtonGroup(SetupPanel);
    kinds->addButton(LastFirstRadio);
    kinds->addButton(InitialRadio);
    kinds->addButton(StreetRadio);
    LastFirstRadio->setChecked(true);
    StreetLengthLabel = new QLabel("Check how many characters of street address (max 30)", SetupPanel);
    StreetLengthLabel->setObjectName("StreetLengthLabel");
    StreetLength = new QSpinBox(SetupPanel);
    StreetLength->setObjectName("StreetLength");
    StreetLength->setRange(MinimumStreetLength, MaximumStreetLength);
    StreetLength->setValue(DefaultStreetLength);
    StreetLengthLabel->setBuddy(StreetLength);
    PerformButton = Button("PerformButton", "&Perform Duplicate Check Now", SetupPanel);
    auto* setupLayout = new QVBoxLayout(SetupPanel);
    setupLayout->addWidget(title);
    setupLayout->addWidget(what);
    setupLayout->addWidget(LastFirstRadio);
    setupLayout->addWidget(InitialRadio);
    setupLayout->addWidget(StreetRadio);
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addWidget(StreetLengthLabel);
    lengthRow->addWidget(StreetLength);
    lengthRow->addStretch();
    setupLayout->addLayout(lengthRow);
    setupLayout->addWidget(PerformButton);
    setupLayout->addStretch();
    auto streetShown = [this] {
        StreetLengthLabel->setVisible(StreetRadio->isChecked());
        StreetLength->setVisible(StreetRadio->isChecked());
    };
    connect(StreetRadio, &QRadioButton::toggled, this, streetShown);
    streetShown();

    Gauge = new QProgressBar(this);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    Gauge->hide();
    CountLabel = new QLabel(this);
    CountLabel->setObjectName("CountLabel");

    ResultPanel = new QWidget(this);
    ResultPanel->setObjectName("ResultPanel");
    Results = new RecordGrid(ResultPanel);
    Results->setObjectName("Results");
    DeleteButton = Button("DeleteButton", "&Delete", ResultPanel);
    SaveButton = Button("SaveButton", "S&ave", ResultPanel);
    UndoButton = Button("UndoButton", "&Undo", ResultPanel);
    TagButton = Button("TagButton", "&Tag", ResultPanel);
    TagAllButton = Button("TagAllButton", "Tag &All", ResultPanel);
    auto* resultButtons = new QHBoxLayout;
    for (QPushButton* button : {DeleteButton, SaveButton, UndoButton, TagButton, TagAllButton})
        resultButtons->addWidget(button);
    resultButtons->addStretch();
    auto* resultLayout = new QVBoxLayout(ResultPanel);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    resultLayout->addWidget(Results, 1);
    resultLayout->addLayout(resultButtons);
    ResultPanel->hide();

    MouseHelpButton = CreateMouseHelpButton(this);
    OkButton = Button("OkButton", "Ok", this);
    HelpButton = Button("HelpButton", "Help", this);
    CancelButton = Button("CancelButton", "Cancel", this);
    CancelButton->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MouseHelpButton);
    buttons->addWidget(CountLabel, 1);
    buttons->addWidget(OkButton);
    buttons->addWidget(HelpButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SetupPanel);
    layout->addWidget(ResultPanel, 1);
    layout->addWidget(Gauge);
    layout->addLayout(buttons);

    connect(PerformButton, &QPushButton::clicked, this, &TDupCheck::PerformButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TDupCheck::CancelButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TDupCheck::OkButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TDupCheck::HelpButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TDupCheck::DeleteButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TDupCheck::SaveButtonClick);
    connect(UndoButton, &QPushButton::clicked, this, &TDupCheck::UndoButtonClick);
    connect(TagButton, &QPushButton::clicked, this, &TDupCheck::TagButtonClick);
    connect(TagAllButton, &QPushButton::clicked, this, &TDupCheck::TagAllButtonClick);
    connect(Results, &RecordGrid::TaggedDoubleClicked, this, &TDupCheck::TagButtonClick);
}

TDupCheck::~TDupCheck()
{
    CloseList();
}

DuplicateCheckOptions TDupCheck::Options() const
{
    DuplicateCheckOptions options;
    options.Kind = StreetRadio->isChecked()    ? DuplicateKind::Street
                   : InitialRadio->isChecked() ? DuplicateKind::LastFirstInitial
                                               : DuplicateKind::LastFirst;
    options.StreetLength = StreetLength->value();
    options.IndexPath = FListPath;
    return options;
}

void TDupCheck::PerformButtonClick()
{
    if (FRunning)
        return;
    SetupPanel->hide();
    HelpButton->hide();
    MouseHelpButton->hide();
    OkButton->hide();
    CancelButton->show();
    FRunning = true;
    FCancel = false;
    Gauge->setValue(0);
    Gauge->show();
    auto outcome =
        RunDuplicateCheck(FView.Table(), Options(), [this](uint32_t done, uint32_t total, uint32_t found) {
            const int percent = total == 0 ? 0 : static_cast<int>(std::lround(100.0 * done / total));
            if (percent > 0 && percent < 100)
                Gauge->setValue(percent);
            CountLabel->setText(QString::fromStdString(FoundDuplicatesMessage(found)));
            emit RecordChecked(done);
            QApplication::processEvents();
            return !FCancel;
        });
    FRunning = false;
    Gauge->hide();
    CancelButton->hide();
    OkButton->show();
    HelpButton->show();
    MouseHelpButton->show();
    if (!outcome) {
        // The list could not be made or the walk failed: nothing is listed, and the set-up is
        // offered again.
        ShowInfo(outcome.Message());
        CountLabel->clear();
        SetupPanel->show();
        return;
    }
    FListMade = true;
    FOutcome = *outcome;
    CountLabel->setText(QString::fromStdString(FoundDuplicatesMessage(FOutcome.Found)));
    if (FOutcome.Found > 0)
        ShowResults();
}

void TDupCheck::ShowResults()
{
    xbase::Table& table = FView.Table();
    (void)table.SetOrder(FOutcome.ListOrder);
    (void)table.GoTop();
    auto model = std::make_unique<AddressTableModel>(table, FView.Catalogue(), FView.TagId());
    model->SetEditable(true);
    Results->SetModel(std::move(model));
    if (Options().Kind == DuplicateKind::Street)
        Results->MoveColumnToSecond("STREET");
    ResultPanel->show();
}

void TDupCheck::ReloadResults(uint32_t recno)
{
    if (!Results->Model())
        return;
    Results->Model()->Reload();
    Results->SelectRecno(recno);
}

void TDupCheck::CancelButtonClick()
{
    if (FRunning && AskYesNo("Cancel operation?", "CANCEL"))
        FCancel = true;
}

void TDupCheck::OkButtonClick()
{
    if (!FRunning)
        accept();
}

void TDupCheck::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

void TDupCheck::DeleteButtonClick()
{
    const uint32_t recno = Results->CurrentRecno();
    if (recno == 0 || !AskYesNo("Delete this record?", "DELETE"))
        return;
    Results->Model()->Cancel();
    const int row = Results->CurrentRow();
    if (Status deleted = DeleteAsTheMainWindowDoes(FView.Table(), recno); !deleted)
        ShowInfo(deleted.Message());
    Results->Model()->Reload();
    Results->SelectRow(row);
}

void TDupCheck::SaveButtonClick()
{
    if (!Results->Model() || !Results->Model()->IsEditing())
        return;
    const uint32_t recno = Results->CurrentRecno();
    if (Status saved = Results->Model()->Save(); !saved)
        ShowInfo(saved.Message());
    Results->SelectRecno(recno);
}

void TDupCheck::UndoButtonClick()
{
    if (Results->Model())
        Results->Model()->Cancel();
}

void TDupCheck::TagButtonClick()
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
    ReloadResults(recno);
}

void TDupCheck::TagAllButtonClick()
{
    if (!Results->Model() || !AskYesNo(std::string(TagAllDuplicatesQuestion), "TAG ALL"))
        return;
    const uint32_t recno = Results->CurrentRecno();
    TTagAllRecords tagging(FView.Table(), FView.TagId(), this);
    tagging.exec();
    ReloadResults(recno);
}

void TDupCheck::reject()
{
    if (FRunning)
        CancelButtonClick();
    else
        QDialog::reject();
}

void TDupCheck::done(int result)
{
    if (FRunning)
        return;
    CloseList();
    QDialog::done(result);
}

void TDupCheck::CloseList()
{
    if (!FListMade)
        return;
    FListMade = false;
    if (Results->Model())
        Results->Model()->Cancel();
    Results->SetModel(nullptr);
    if (Status closed = CloseDuplicateList(FView.Table(), FListPath); !closed)
        ShowInfo(closed.Message());
}

} // namespace corvane
