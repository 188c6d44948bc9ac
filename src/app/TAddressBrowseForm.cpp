#include "app/TAddressBrowseForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include "session/windows/AddressTableModel.h"
#include "app/DialogControls.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "session/AddressSession.h"

namespace corvane {

TAddressBrowseForm::TAddressBrowseForm(AddressSession& session, QWidget* parent)
    : QDialog(parent), FSession(session)
{
    setObjectName("TAddressBrowseForm");
    setWindowTitle("Address Browse");
    setFont(QFont("Arial", font().pointSize()));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    const ToolWindowView view = session.BrowseView();
    FModel = std::make_unique<AddressTableModel>(view.Table(), view.Catalogue(), view.TagId());
    Grid = new QTableView(this);
    Grid->setObjectName("Grid");
    Grid->setModel(FModel.get());
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setWordWrap(false);
    Grid->setAlternatingRowColors(true);
    QHeaderView* header = Grid->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setHighlightSections(false);
    // Every row has the same height, so the view never measures rows it does not show.
    QHeaderView* rows = Grid->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(QFontMetrics(font()).height() + 6);
    rows->hide();
    const int charWidth = QFontMetrics(font()).averageCharWidth();
    for (int column = 0; column < FModel->columnCount(); ++column) {
        const int characters = std::clamp(FModel->ColumnWidth(column), 4, 30);
        const int title =
            QFontMetrics(font()).horizontalAdvance(FModel->headerData(column, Qt::Horizontal).toString());
        Grid->setColumnWidth(column, std::max(characters * charWidth, title) + 12);
    }

    FirstButton = NamedButton("FirstButton", "|<", this);
    PriorButton = NamedButton("PriorButton", "<", this);
    NextButton = NamedButton("NextButton", ">", this);
    LastButton = NamedButton("LastButton", ">|", this);
    FirstButton->setToolTip("First record");
    PriorButton->setToolTip("Previous record");
    NextButton->setToolTip("Next record");
    LastButton->setToolTip("Last record");
    TagButton = NamedButton("TagButton", "&Tag", this);
    HelpButton = NamedButton("HelpButton", "Help", this);
    OkButton = NamedButton("OkButton", "Ok", this);
    for (QPushButton* button : {FirstButton, PriorButton, NextButton, LastButton, TagButton, HelpButton})
        button->setAutoDefault(false);
    OkButton->setDefault(true);
    for (QPushButton* button : {FirstButton, PriorButton, NextButton, LastButton})
        button->setFixedWidth(36);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {FirstButton, PriorButton, NextButton, LastButton})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    buttons->addWidget(TagButton);
    buttons->addStretch();
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addWidget(HelpButton);
    buttons->addWidget(OkButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addLayout(buttons);

    connect(FirstButton, &QPushButton::clicked, this, &TAddressBrowseForm::FirstButtonClick);
    connect(PriorButton, &QPushButton::clicked, this, &TAddressBrowseForm::PriorButtonClick);
    connect(NextButton, &QPushButton::clicked, this, &TAddressBrowseForm::NextButtonClick);
    connect(LastButton, &QPushButton::clicked, this, &TAddressBrowseForm::LastButtonClick);
    connect(TagButton, &QPushButton::clicked, this, &TAddressBrowseForm::TagButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TAddressBrowseForm::HelpButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(Grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        GoToRow(index.row());
        TagButtonClick();
    });

    InstallWhatsThis(this,
                     {
                         {"Grid", "The records of the address file, one a row, in the current sort order and "
                                  "filter. Drag a column title to move the column; drag its edge to make it "
                                  "wider. Double-click a row to tag or untag it. The row selected when you "
                                  "close this window becomes the current record."},
                         {"FirstButton", "Go to the first record."},
                         {"PriorButton", "Go to the previous record."},
                         {"NextButton", "Go to the next record."},
                         {"LastButton", "Go to the last record."},
                         {"TagButton", "Tag or untag the selected record."},
                         {"HelpButton", "Shows the help on the browse window."},
                         {"OkButton", "Closes the window (Enter and Escape do too)."},
                     });

    resize(720, 420);
    // Large-font screens: the window grows with the text it shows.
    const int dpi = logicalDpiX();
    if (dpi > 96) {
        const double scale = dpi / 96.0 * 0.95;
        resize(static_cast<int>(width() * scale), static_cast<int>(height() * scale));
    }
    CentreForm(this);
    GoToRow(std::max(0, FModel->CursorRow()));
}

TAddressBrowseForm::~TAddressBrowseForm() = default;

void TAddressBrowseForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FPlaced) {
        FPlaced = true;
        RestoreWindowPlacement(this);
        Grid->scrollTo(Grid->currentIndex(), QAbstractItemView::PositionAtCenter);
        Grid->setFocus();
    }
}

void TAddressBrowseForm::done(int result)
{
    SaveWindowPlacement(this);
    QDialog::done(result);
}

std::vector<std::string> TAddressBrowseForm::ColumnOrder() const
{
    std::vector<std::string> names;
    const QHeaderView* header = Grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        names.push_back(FModel->ColumnField(header->logicalIndex(visual)));
    return names;
}

int TAddressBrowseForm::CurrentRow() const
{
    return Grid->currentIndex().isValid() ? Grid->currentIndex().row() : -1;
}

uint32_t TAddressBrowseForm::CurrentRecno() const
{
    const int row = CurrentRow();
    return row < 0 ? 0 : FModel->RecnoAt(row);
}

void TAddressBrowseForm::GoToRow(int row)
{
    if (row < 0 || row >= FModel->rowCount())
        return;
    const int column = Grid->currentIndex().isValid() ? Grid->currentIndex().column()
                                                      : Grid->horizontalHeader()->logicalIndex(0);
    Grid->setCurrentIndex(FModel->index(row, std::max(0, column)));
}

void TAddressBrowseForm::FirstButtonClick()
{
    GoToRow(0);
}

void TAddressBrowseForm::PriorButtonClick()
{
    const int row = CurrentRow();
    if (row <= 0) {
        QApplication::beep();
        return;
    }
    GoToRow(row - 1);
}

void TAddressBrowseForm::NextButtonClick()
{
    const int row = CurrentRow();
    if (row + 1 >= FModel->rowCount()) {
        QApplication::beep();
        return;
    }
    GoToRow(row + 1);
}

void TAddressBrowseForm::LastButtonClick()
{
    GoToRow(FModel->rowCount() - 1);
}

void TAddressBrowseForm::TagButtonClick()
{
    const uint32_t recno = CurrentRecno();
    if (recno == 0)
        return;
    (void)FSession.GoToRecord(recno);
    FSession.ToggleTag();
    // Under a "Tagged" filter the record may have left the query, or the filter been dropped:
    // the rows are counted again, staying on the toggled record while the query shows it.
    const int row = CurrentRow();
    FModel->Reload();
    GoToRow(FModel->CursorRow() >= 0 ? FModel->CursorRow() : std::min(row, FModel->rowCount() - 1));
}

void TAddressBrowseForm::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

} // namespace corvane
