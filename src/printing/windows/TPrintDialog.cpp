#include "printing/windows/TPrintDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/WhatsThis.h"
#include "printing/PrintEngine.h"

namespace corvane {

TPrintDialog::TPrintDialog(PrintEngine& engine, QWidget* parent) : QDialog(parent), FEngine(engine)
{
    setObjectName("TPrintDialog");
    setWindowTitle("Print");
    auto* layout = new QVBoxLayout(this);

    auto* printerGroup = new QGroupBox("Printer", this);
    auto* printerForm = new QFormLayout(printerGroup);
    PrinterBox = new QComboBox(printerGroup);
    PrinterBox->setObjectName("PrinterBox");
    PrinterBox->addItems(engine.Printers());
    PrinterBox->setCurrentIndex(std::max(engine.PrinterIndex(), 0));
    printerForm->addRow("&Name:", PrinterBox);
    layout->addWidget(printerGroup);

    auto* rangeGroup = new QGroupBox("Print Range", this);
    auto* rangeLayout = new QVBoxLayout(rangeGroup);
    AllPagesButton = new QRadioButton("&All", rangeGroup);
    AllPagesButton->setObjectName("AllPagesButton");
    AllPagesButton->setChecked(true);
    PageRangeButton = new QRadioButton("&Pages", rangeGroup);
    PageRangeButton->setObjectName("PageRangeButton");
    FromEdit = new QSpinBox(rangeGroup);
    FromEdit->setObjectName("FromEdit");
    FromEdit->setRange(1, 9999);
    ToEdit = new QSpinBox(rangeGroup);
    ToEdit->setObjectName("ToEdit");
    ToEdit->setRange(1, 9999);
    auto* pagesRow = new QHBoxLayout;
    pagesRow->addWidget(PageRangeButton);
    pagesRow->addWidget(new QLabel("&from:", rangeGroup));
    pagesRow->addWidget(FromEdit);
    pagesRow->addWidget(new QLabel("&to:", rangeGroup));
    pagesRow->addWidget(ToEdit);
    rangeLayout->addWidget(AllPagesButton);
    rangeLayout->addLayout(pagesRow);
    layout->addWidget(rangeGroup);

    auto* copiesRow = new QFormLayout;
    CopiesEdit = new QSpinBox(this);
    CopiesEdit->setObjectName("CopiesEdit");
    CopiesEdit->setRange(1, 99);
    copiesRow->addRow("Number of &copies:", CopiesEdit);
    layout->addLayout(copiesRow);

    auto* buttons = new QHBoxLayout;
    AddDialogButtons(this, buttons, "Print");
    layout->addLayout(buttons);

    InstallWhatsThis(this, {
                               {"PrinterBox", "The printer to print on; the PDF printer writes a file."},
                               {"AllPagesButton", "Prints every page."},
                               {"PageRangeButton", "Prints only the pages from and to the numbers given."},
                               {"FromEdit", "The first page to print."},
                               {"ToEdit", "The last page to print."},
                               {"CopiesEdit", "How many copies of the whole report to print."},
                               {"OkButton", "Prints with these choices."},
                               {"CancelButton", "Closes the window without printing."},
                               {"HelpButton", "Opens the help on printing."},
                           });
    connect(PageRangeButton, &QRadioButton::toggled, this, [this] { UpdateRange(); });
    connect(FromEdit, &QSpinBox::valueChanged, this, [this](int from) {
        if (ToEdit->value() < from)
            ToEdit->setValue(from);
    });
    UpdateRange();
}

void TPrintDialog::UpdateRange()
{
    FromEdit->setEnabled(PageRangeButton->isChecked());
    ToEdit->setEnabled(PageRangeButton->isChecked());
}

PrintChoice TPrintDialog::Choice() const
{
    PrintChoice choice;
    choice.Copies = CopiesEdit->value();
    if (PageRangeButton->isChecked()) {
        choice.FromPage = FromEdit->value();
        choice.ToPage = ToEdit->value();
    }
    return choice;
}

void TPrintDialog::accept()
{
    if (PageRangeButton->isChecked() && ToEdit->value() < FromEdit->value()) {
        ShowInfo("The last page to print comes before the first");
        return;
    }
    if (!FEngine.SelectPrinter(PrinterBox->currentText())) {
        ShowInfo("The printer " + PrinterBox->currentText().toStdString() + " is no longer available");
        return;
    }
    QDialog::accept();
}

bool ShowPrintDialog(PrintEngine& engine, QWidget* parent, PrintChoice& choice)
{
    TPrintDialog dialog(engine, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

} // namespace corvane
