#include "session/windows/RecordGrid.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "session/windows/AddressTableModel.h"

namespace corvane {

namespace {

QPushButton* NavigatorButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setToolTip(QString(name).remove("Button"));
    return button;
}

} // namespace

RecordGrid::RecordGrid(QWidget* parent) : QWidget(parent)
{
    HintLabel = new QLabel("Click on field to begin editing", this);
    HintLabel->setObjectName("HintLabel");
    Grid = new QTableView(this);
    Grid->setObjectName("Grid");
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    Grid->horizontalHeader()->setSectionsMovable(true);
    FirstButton = NavigatorButton("FirstButton", "|<", this);
    PriorButton = NavigatorButton("PriorButton", "<", this);
    NextButton = NavigatorButton("NextButton", ">", this);
    LastButton = NavigatorButton("LastButton", ">|", this);
    auto* navigator = new QHBoxLayout;
    for (QPushButton* button : {FirstButton, PriorButton, NextButton, LastButton})
        navigator->addWidget(button);
    navigator->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(HintLabel);
    layout->addWidget(Grid, 1);
    layout->addLayout(navigator);

    connect(FirstButton, &QPushButton::clicked, this, [this] { Step(0); });
    connect(PriorButton, &QPushButton::clicked, this, [this] { Step(CurrentRow() - 1); });
    connect(NextButton, &QPushButton::clicked, this, [this] { Step(CurrentRow() + 1); });
    connect(LastButton, &QPushButton::clicked, this, [this] { Step(FModel ? FModel->rowCount() - 1 : 0); });
    connect(Grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (FModel && index.isValid() && FModel->ColumnField(index.column()) == "Tagged")
            emit TaggedDoubleClicked();
    });
}

RecordGrid::~RecordGrid()
{
    Grid->setModel(nullptr);
}

void RecordGrid::SetModel(std::unique_ptr<AddressTableModel> model)
{
    Grid->setModel(model.get());
    FModel = std::move(model);
    if (!FModel)
        return;
    // A change not saved is dropped when the user moves to another row.
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (FModel && FModel->IsEditing() && current.row() != FModel->EditingRow())
                    FModel->Cancel();
            });
    SelectRow(0);
}

int RecordGrid::CurrentRow() const
{
    return Grid->currentIndex().isValid() ? Grid->currentIndex().row() : -1;
}

uint32_t RecordGrid::CurrentRecno() const
{
    return FModel && CurrentRow() >= 0 ? FModel->RecnoAt(CurrentRow()) : 0;
}

void RecordGrid::SelectRow(int row)
{
    if (!FModel || FModel->rowCount() == 0)
        return;
    row = std::clamp(row, 0, FModel->rowCount() - 1);
    const int column = Grid->currentIndex().isValid() ? Grid->currentIndex().column() : 0;
    Grid->setCurrentIndex(FModel->index(row, column));
    Grid->selectRow(row);
}

void RecordGrid::SelectRecno(uint32_t recno)
{
    if (!FModel)
        return;
    for (int row = 0; row < FModel->rowCount(); ++row) {
        if (FModel->RecnoAt(row) == recno) {
            SelectRow(row);
            return;
        }
    }
    SelectRow(0);
}

void RecordGrid::MoveColumnToSecond(const char* field)
{
    if (!FModel)
        return;
    const int column = FModel->ColumnOf(field);
    if (column < 0)
        return;
    QHeaderView* header = Grid->horizontalHeader();
    header->moveSection(header->visualIndex(column), 1);
}

void RecordGrid::Step(int row)
{
    SelectRow(row);
}

} // namespace corvane
