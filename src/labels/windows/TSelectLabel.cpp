#include "labels/windows/TSelectLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "labels/LabelGeometryEntry.h"
#include "labels/LabelTemplateQuery.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

QLabel* ValueLabel(const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setMinimumWidth(60);
    return label;
}

} // namespace

TSelectLabel::TSelectLabel(LabelTemplateCatalogue& catalogue, const LabelSetup& current, QWidget* parent)
    : QDialog(parent), FCatalogue(catalogue)
{
    setObjectName("TSelectLabel");
    setWindowTitle("Select Label Template");
    auto* layout = new QVBoxLayout(this);

    auto* lists = new QFormLayout;
    FManufacturer = new QComboBox(this);
    FManufacturer->setObjectName("ManufacturerCombo");
    FManufacturer->addItems(ManufacturerItems());
    FProductType = new QComboBox(this);
    FProductType->setObjectName("ProductTypeCombo");
    FProductType->addItems(ProductTypeItems());
    lists->addRow("Manufacturer", FManufacturer);
    lists->addRow("Product Type", FProductType);
    layout->addLayout(lists);
    FEuropean = new QCheckBox("European paper sizes only (A4, A5)", this);
    FEuropean->setObjectName("EuropeanCheck");
    layout->addWidget(FEuropean);

    auto* middle = new QHBoxLayout;
    FGrid = new QTableWidget(0, 1, this);
    FGrid->setObjectName("TemplateGrid");
    FGrid->setHorizontalHeaderLabels({"Description"});
    FGrid->horizontalHeader()->setStretchLastSection(true);
    FGrid->verticalHeader()->hide();
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setMinimumSize(300, 260);
    FGrid->verticalHeader()->setDefaultSectionSize(FGrid->fontMetrics().height() + 6);
    middle->addWidget(FGrid, 1);
    auto* details = new QFormLayout;
    FHeight = ValueLabel("LabelHeightValue", this);
    FWidth = ValueLabel("LabelWidthValue", this);
    FAcross = ValueLabel("AcrossValue", this);
    FDown = ValueLabel("DownValue", this);
    FPaperWidth = ValueLabel("PaperWidthValue", this);
    FPaperHeight = ValueLabel("PaperHeightValue", this);
    details->addRow("Label Height", FHeight);
    details->addRow("Label Width", FWidth);
    details->addRow("# Across", FAcross);
    details->addRow("# Down", FDown);
    details->addRow("Paper Width", FPaperWidth);
    details->addRow("Paper Height", FPaperHeight);
    middle->addLayout(details);
    layout->addLayout(middle);

    auto* row = new QHBoxLayout;
    FOk = AddDialogButtons(this, row, "Select Label Template").Ok;
    layout->addLayout(row);
    InstallWhatsThis(
        this,
        {{"ManufacturerCombo", "The maker of the label stock and the kind of printer it is made for."},
         {"ProductTypeCombo", "The kind of labels to list; \"All\" lists every kind."},
         {"EuropeanCheck", "List only stocks printed on A4 or A5 paper."},
         {"TemplateGrid", "The label stocks that match your choices. Pick the one printed on your label "
                          "sheets' packet; its sizes show on the right."},
         {"OkButton", "Use the chosen stock's label size and sheet layout."},
         {"CancelButton", "Keep the label layout as it is."},
         {"HelpButton", "Open the help on label stocks."}});

    const LabelComboPositions positions =
        PositionLabelCombos(current.Manufacturer, current.PrinterCode, current.ProductType);
    FManufacturer->setCurrentIndex(positions.ManufacturerItem);
    FProductType->setCurrentIndex(positions.ProductTypeItem);
    FQuery =
        BuildLabelQuery(FManufacturer->currentText(), FProductType->currentIndex(), FEuropean->isChecked());
    Result<std::vector<LabelSetup>> stocks = FCatalogue.Matching(FQuery);
    FStocks = stocks.Ok() ? stocks.Take() : std::vector<LabelSetup>{};
    FillGrid(InitialTemplateRow(FStocks, current.TemplateDescription, positions.SeekCurrentTemplate));

    connect(FManufacturer, &QComboBox::currentIndexChanged, this, &TSelectLabel::RebuildQuery);
    connect(FProductType, &QComboBox::currentIndexChanged, this, &TSelectLabel::RebuildQuery);
    connect(FEuropean, &QCheckBox::toggled, this, &TSelectLabel::RebuildQuery);
    connect(FGrid, &QTableWidget::currentCellChanged, this, &TSelectLabel::ShowCurrentRow);
    resize(560, 380);
    CentreForm(this);
}

void TSelectLabel::RebuildQuery()
{
    FQuery =
        BuildLabelQuery(FManufacturer->currentText(), FProductType->currentIndex(), FEuropean->isChecked());
    Result<std::vector<LabelSetup>> stocks = FCatalogue.Matching(FQuery);
    FStocks = stocks.Ok() ? stocks.Take() : std::vector<LabelSetup>{};
    FillGrid(FStocks.empty() ? -1 : 0);
}

void TSelectLabel::FillGrid(int row)
{
    const QSignalBlocker blocker(FGrid);
    FGrid->clearContents();
    FGrid->setRowCount(static_cast<int>(FStocks.size()));
    for (size_t i = 0; i < FStocks.size(); ++i)
        FGrid->setItem(static_cast<int>(i), 0, new QTableWidgetItem(FStocks[i].TemplateDescription));
    const bool any = !FStocks.empty();
    FGrid->setEnabled(any);
    FOk->setEnabled(any);
    if (row >= 0) {
        FGrid->setCurrentCell(row, 0);
        // Once the grid has its size, so that the row shows in the middle.
        QTimer::singleShot(0, FGrid, [grid = FGrid] {
            if (QTableWidgetItem* item = grid->currentItem())
                grid->scrollToItem(item, QAbstractItemView::PositionAtCenter);
        });
    }
    ShowCurrentRow();
}

void TSelectLabel::ShowCurrentRow()
{
    const std::optional<LabelSetup> stock = SelectedStock();
    auto inches = [](float value) { return FormatLength(value, LengthUnit::Inches); };
    FHeight->setText(stock ? inches(stock->LabelHeight) : QString());
    FWidth->setText(stock ? inches(stock->LabelWidth) : QString());
    FAcross->setText(stock ? QString::number(stock->Across) : QString());
    FDown->setText(stock ? QString::number(stock->Down) : QString());
    FPaperWidth->setText(stock ? inches(stock->SheetWidth) : QString());
    FPaperHeight->setText(stock ? inches(stock->SheetDepth) : QString());
}

std::optional<LabelSetup> TSelectLabel::SelectedStock() const
{
    const int row = FGrid->currentRow();
    if (row < 0 || row >= static_cast<int>(FStocks.size()))
        return std::nullopt;
    return FStocks[static_cast<size_t>(row)];
}

bool GetLayoutFromTemplate(LabelSetup& setup, QWidget* parent)
{
    LabelTemplateCatalogue catalogue;
    if (!catalogue.Open())
        return false;
    TSelectLabel dialog(catalogue, setup, parent);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    const std::optional<LabelSetup> stock = dialog.SelectedStock();
    if (!stock)
        return false;
    ApplyTemplate(setup, *stock);
    return true;
}

} // namespace corvane
