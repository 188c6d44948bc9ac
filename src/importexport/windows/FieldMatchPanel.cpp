#include "importexport/windows/FieldMatchPanel.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane {

FieldMatchPanel::FieldMatchPanel(MatchModel& model, const QString& sourceFileName, QWidget* parent)
    : QWidget(parent), FModel(model)
{
    setObjectName("FieldMatchPanel");
    auto* caption = new QLabel("Field Match", this);
    MatchGrid = new QTableWidget(static_cast<int>(model.Targets().size()), 2, this);
    MatchGrid->setObjectName("MatchGrid");
    MatchGrid->setHorizontalHeaderLabels({"Corvane Field", "Import from Field (in " + sourceFileName + ")"});
    MatchGrid->verticalHeader()->hide();
    MatchGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    MatchGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    MatchGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MatchGrid->horizontalHeader()->setStretchLastSection(true);
    MatchGrid->setColumnWidth(0, 160);
    SelectFieldButton = new QPushButton("&Select Field", this);
    SelectFieldButton->setObjectName("SelectFieldButton");
    ClearCurrentButton = new QPushButton("&Clear Current", this);
    ClearCurrentButton->setObjectName("ClearCurrentButton");
    ClearAllButton = new QPushButton("Clear &All", this);
    ClearAllButton->setObjectName("ClearAllButton");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SelectFieldButton);
    buttons->addWidget(ClearCurrentButton);
    buttons->addWidget(ClearAllButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(MatchGrid);
    layout->addLayout(buttons);

    connect(SelectFieldButton, &QPushButton::clicked, this, &FieldMatchPanel::SelectFieldButtonClick);
    connect(ClearCurrentButton, &QPushButton::clicked, this, &FieldMatchPanel::ClearCurrentButtonClick);
    connect(ClearAllButton, &QPushButton::clicked, this, &FieldMatchPanel::ClearAllButtonClick);
    connect(MatchGrid, &QTableWidget::cellDoubleClicked, this, [this] { SelectFieldButtonClick(); });
    Refresh();
    MatchGrid->setCurrentCell(0, 0);
}

void FieldMatchPanel::Refresh()
{
    for (std::size_t row = 0; row < FModel.Targets().size(); ++row) {
        const int r = static_cast<int>(row);
        MatchGrid->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(FModel.Targets()[row].Label)));
        MatchGrid->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(FModel.SourceName(row))));
    }
}

QMenu* FieldMatchPanel::MakeSelectMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName("SelectFieldMenu");
    const int row = MatchGrid->currentRow();
    if (row < 0)
        return menu;
    const auto current = FModel.SourceOf(static_cast<std::size_t>(row));
    QAction* none = menu->addAction("(none)");
    connect(none, &QAction::triggered, this, [this] { ChooseForCurrentRow(std::nullopt); });
    for (std::size_t source : FModel.Choices(static_cast<std::size_t>(row))) {
        QAction* action = menu->addAction(QString::fromStdString(FModel.Sources()[source].Name));
        action->setCheckable(true);
        action->setChecked(current == source);
        connect(action, &QAction::triggered, this, [this, source] { ChooseForCurrentRow(source); });
    }
    return menu;
}

void FieldMatchPanel::ChooseForCurrentRow(std::optional<std::size_t> source)
{
    const int row = MatchGrid->currentRow();
    if (row < 0)
        return;
    FModel.Choose(static_cast<std::size_t>(row), source);
    Refresh();
}

void FieldMatchPanel::SelectFieldButtonClick()
{
    QMenu* menu = MakeSelectMenu(this);
    menu->exec(QCursor::pos());
    delete menu;
}

void FieldMatchPanel::ClearCurrentButtonClick()
{
    ChooseForCurrentRow(std::nullopt);
}

void FieldMatchPanel::ClearAllButtonClick()
{
    FModel.ClearAll();
    Refresh();
}

} // namespace corvane
