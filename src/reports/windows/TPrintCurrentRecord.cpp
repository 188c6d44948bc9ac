#include "reports/windows/TPrintCurrentRecord.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "printing/windows/TPrinterSetup.h"
#include "reports/windows/ReportPrinting.h"

namespace corvane {

namespace {

QString CheckName(std::string_view caption)
{
    QString name;
    for (char c : caption) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            name += QLatin1Char(c);
    }
    return name + QStringLiteral("Check");
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TPrintCurrentRecord::TPrintCurrentRecord(const AddressRecord& record, PrintEngine& engine, QWidget* parent)
    : QDialog(parent), FRecord(record), FEngine(engine)
{
    setObjectName("TPrintCurrentRecord");
    setWindowTitle("Print Current Record");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Fields to Print", this);
    group->setObjectName("FieldsToPrint");
    auto* grid = new QGridLayout(group);
    const int perColumn = 11;
    for (size_t i = 0; i < FieldChecks.size(); ++i) {
        const std::string_view caption = CurrentRecordSwitchCaptions[i];
        auto* check = new QCheckBox(QString::fromLatin1(caption.data(), caption.size()), group);
        check->setObjectName(CheckName(caption));
        check->setChecked(true);
        grid->addWidget(check, static_cast<int>(i) % perColumn, static_cast<int>(i) / perColumn);
        FieldChecks[i] = check;
    }
    AllCheck = new QCheckBox("All", group);
    AllCheck->setObjectName("AllCheck");
    AllCheck->setChecked(true);
    grid->addWidget(AllCheck, static_cast<int>(FieldChecks.size()) % perColumn, 1);
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    PrintButton = Button("PrintButton", "&Print", this);
    PreviewButton = Button("PreviewButton", "Pre&view", this);
    PrinterSetupButton = Button("PrinterSetupButton", "Printer &Setup", this);
    CancelButton = Button("CancelButton", "&Cancel", this);
    CancelButton->setDefault(true); // Enter closes, as Esc does
    HelpButton = Button("HelpButton", "Help", this);
    buttons->addStretch();
    for (QPushButton* button : {PrintButton, PreviewButton, PrinterSetupButton, CancelButton, HelpButton})
        buttons->addWidget(button);
    buttons->addWidget(CreateMouseHelpButton(this));
    layout->addLayout(buttons);

    InstallWhatsThis(
        this, {
                  {"FieldsToPrint", "The fields of the record to print; the memo goes last, below a rule."},
                  {"AllCheck", "Switches every field on or off."},
                  {"PrintButton", "Prints the record on the current printer."},
                  {"PreviewButton", "Shows the printout on screen."},
                  {"PrinterSetupButton", "Chooses the printer, paper, paper source and orientation."},
                  {"CancelButton", "Closes the window."},
                  {"HelpButton", "Opens the help on printing the current record."},
              });
    WhatsThisTexts fieldTexts;
    for (QCheckBox* check : FieldChecks)
        fieldTexts[check->objectName()] =
            QStringLiteral("Prints the field \"%1\" when ticked.").arg(check->text());
    InstallWhatsThis(this, fieldTexts);
    connect(AllCheck, &QCheckBox::clicked, this, &TPrintCurrentRecord::AllCheckClick);
    connect(PrintButton, &QPushButton::clicked, this, &TPrintCurrentRecord::PrintButtonClick);
    connect(PreviewButton, &QPushButton::clicked, this, &TPrintCurrentRecord::PreviewButtonClick);
    connect(PrinterSetupButton, &QPushButton::clicked, this,
            [this] { (void)ShowPrinterSetup(FEngine, this); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpSearch("Print Current Record"); });
}

CurrentRecordOptions TPrintCurrentRecord::Options() const
{
    CurrentRecordOptions options;
    for (size_t i = 0; i < FieldChecks.size(); ++i)
        options.Fields.set(i, FieldChecks[i]->isChecked());
    if (const QScreen* screen = this->screen())
        options.ScreenPpi = screen->logicalDotsPerInch();
    return options;
}

void TPrintCurrentRecord::AllCheckClick()
{
    for (QCheckBox* check : FieldChecks)
        check->setChecked(AllCheck->isChecked());
}

void TPrintCurrentRecord::Run(bool preview)
{
    const ReportPrintOutcome outcome = PrintSingleRecord(FEngine, FRecord, Options(), preview, this);
    if (outcome.Ran)
        FLastEndText = outcome.EndText;
}

void TPrintCurrentRecord::PrintButtonClick()
{
    Run(false);
}

void TPrintCurrentRecord::PreviewButtonClick()
{
    Run(true);
}

} // namespace corvane
