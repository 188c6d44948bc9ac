#include "printing/windows/TPrinterSetup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/windows/DialogButtonRow.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterList.h"

namespace corvane {

namespace {

// The text of the source box's first entry, which leaves the tray to the printer.
const char* const PrinterChoosesSource = "Automatically Select";

} // namespace

TPrinterSetup::TPrinterSetup(PrintEngine& engine, QWidget* parent) : QDialog(parent), FEngine(engine)
{
    setObjectName("TPrinterSetup");
    setWindowTitle("Printer Setup");

    auto* layout = new QVBoxLayout(this);
    auto* printerGroup = new QGroupBox("Printer", this);
    auto* printerForm = new QFormLayout(printerGroup);
    PrinterBox = new QComboBox(printerGroup);
    PrinterBox->setObjectName("PrinterBox");
    PrinterBox->addItems(FEngine.Printers());
    printerForm->addRow("&Name:", PrinterBox);
    layout->addWidget(printerGroup);

    auto* paperGroup = new QGroupBox("Paper", this);
    auto* paperForm = new QFormLayout(paperGroup);
    PaperBox = new QComboBox(paperGroup);
    PaperBox->setObjectName("PaperBox");
    SourceBox = new QComboBox(paperGroup);
    SourceBox->setObjectName("SourceBox");
    paperForm->addRow("Si&ze:", PaperBox);
    paperForm->addRow("&Source:", SourceBox);

    auto* orientationGroup = new QGroupBox("Orientation", this);
    auto* orientationLayout = new QVBoxLayout(orientationGroup);
    PortraitButton = new QRadioButton("P&ortrait", orientationGroup);
    PortraitButton->setObjectName("PortraitButton");
    LandscapeButton = new QRadioButton("&Landscape", orientationGroup);
    LandscapeButton->setObjectName("LandscapeButton");
    orientationLayout->addWidget(PortraitButton);
    orientationLayout->addWidget(LandscapeButton);

    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(paperGroup, 1);
    paperRow->addWidget(orientationGroup);
    layout->addLayout(paperRow);

    auto* buttons = new QHBoxLayout;
    AddDialogButtons(this, buttons, "Printer Setup");
    layout->addLayout(buttons);

    PrinterBox->setCurrentIndex(FEngine.PrinterIndex());
    FillPrinterDetails(FEngine.PrinterName(), FEngine.PaperName(), FEngine.PaperSource());
    (FEngine.Orientation() == QPageLayout::Landscape ? LandscapeButton : PortraitButton)->setChecked(true);

    connect(PrinterBox, &QComboBox::currentTextChanged, this, [this](const QString& printer) {
        FillPrinterDetails(printer, PaperBox->currentText(), QString());
    });
}

void TPrinterSetup::FillPrinterDetails(const QString& printer, const QString& paper, const QString& source)
{
    // The engine knows the selected printer's papers and sources; for another printer in the box
    // a scratch look is taken without changing the engine's selection.
    QStringList papers;
    QStringList sources;
    if (printer == FEngine.PrinterName()) {
        papers = FEngine.PaperNames();
        sources = FEngine.PaperSources();
    } else if (printer == BuiltInPdfPrinterName()) {
        PrintEngine scratch;
        if (scratch.SelectPrinter(printer))
            papers = scratch.PaperNames();
    } else {
        for (const QPageSize& size : QPrinterInfo::printerInfo(printer).supportedPageSizes()) {
            if (!papers.contains(size.name()))
                papers << size.name();
        }
        sources = SystemPrinterSource().PaperSources(printer);
    }

    PaperBox->clear();
    PaperBox->addItems(papers);
    const qsizetype paperIndex = papers.indexOf(paper);
    PaperBox->setCurrentIndex(paperIndex >= 0 ? static_cast<int>(paperIndex) : 0);

    SourceBox->clear();
    SourceBox->addItem(PrinterChoosesSource, QString());
    for (const QString& name : sources)
        SourceBox->addItem(name, name);
    const int sourceIndex = SourceBox->findData(source);
    SourceBox->setCurrentIndex(sourceIndex >= 0 ? sourceIndex : 0);
    SourceBox->setEnabled(!sources.isEmpty());
}

PrinterChoice TPrinterSetup::Choice() const
{
    PrinterChoice choice;
    choice.Printer = PrinterBox->currentText();
    choice.Paper = PaperBox->currentText();
    choice.Source = SourceBox->currentData().toString();
    choice.Orientation = LandscapeButton->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return choice;
}

bool TPrinterSetup::Apply(PrintEngine& engine, const PrinterChoice& choice)
{
    if (choice.Printer != engine.PrinterName() && !engine.SelectPrinter(choice.Printer))
        return false;
    if (!choice.Paper.isEmpty())
        (void)engine.SelectPaperByName(choice.Paper);
    (void)engine.SelectPaperSource(choice.Source);
    engine.SetOrientation(choice.Orientation);
    return true;
}

bool ShowPrinterSetup(PrintEngine& engine, QWidget* parent)
{
    TPrinterSetup dialog(engine, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return TPrinterSetup::Apply(engine, dialog.Choice());
}

} // namespace corvane
