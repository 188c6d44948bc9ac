#include "envelopes/windows/TEnvelopePrePrint.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "envelopes/EnvelopePlacement.h"
#include "envelopes/EnvelopeSizes.h"
#include "envelopes/windows/EnvelopeFeedPicture.h"
#include "envelopes/windows/TEnvelopeFeed.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "printing/PrintEngine.h"
#include "printing/windows/TPrinterSetup.h"

namespace corvane {

namespace {

QLabel* Value(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TEnvelopePrePrint::TEnvelopePrePrint(PrintEngine& engine, const EnvelopeFeed& feed, int code, QWidget* parent)
    : QDialog(parent), FEngine(engine), FFeed(feed), FCode(code)
{
    setObjectName("TEnvelopePrePrint");
    setWindowTitle("Envelope Print");
    auto* layout = new QVBoxLayout(this);

    auto* printerBox = new QGroupBox("Printer Setup", this);
    auto* printerForm = new QFormLayout(printerBox);
    PrinterValue = Value("PrinterValue", printerBox);
    PaperValue = Value("PaperValue", printerBox);
    SourceValue = Value("SourceValue", printerBox);
    OrientationValue = Value("OrientationValue", printerBox);
    printerForm->addRow("Printer:", PrinterValue);
    printerForm->addRow("Paper:", PaperValue);
    printerForm->addRow("Source:", SourceValue);
    printerForm->addRow("Orientation:", OrientationValue);
    layout->addWidget(printerBox);

    auto* feedBox = new QGroupBox("Paper Feed", this);
    auto* feedLayout = new QHBoxLayout(feedBox);
    Picture = new EnvelopeFeedPicture(feedBox);
    FeedDescriptionLabel = Value("FeedDescriptionLabel", feedBox);
    feedLayout->addWidget(Picture);
    feedLayout->addWidget(FeedDescriptionLabel, 1);
    layout->addWidget(feedBox);

    WarningLabel = Value("WarningLabel", this);
    WarningLabel->setText(QString::fromUtf8(PaperSizeWarningText.data()).replace("\r\n", "\n"));
    QPalette red = WarningLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    WarningLabel->setPalette(red);
    layout->addWidget(WarningLabel);

    auto* row = new QHBoxLayout;
    PrinterSetupButton = new QPushButton("Printer Setup", this);
    PrinterSetupButton->setObjectName("PrinterSetupButton");
    PrinterSetupButton->setAutoDefault(false);
    PaperFeedButton = new QPushButton("Paper Feed Method", this);
    PaperFeedButton->setObjectName("PaperFeedButton");
    PaperFeedButton->setAutoDefault(false);
    row->addWidget(PrinterSetupButton);
    row->addWidget(PaperFeedButton);
    AddDialogButtons(this, row, "Envelope Print");
    layout->addLayout(row);

    connect(PrinterSetupButton, &QPushButton::clicked, this, &TEnvelopePrePrint::PrinterSetupButtonClick);
    connect(PaperFeedButton, &QPushButton::clicked, this, &TEnvelopePrePrint::PaperFeedButtonClick);
    InstallWhatsThis(this,
                     {{"PrinterValue", "The printer the envelopes go to."},
                      {"PaperValue", "The paper the printer is set to."},
                      {"SourceValue", "The tray or feeder the printer takes the envelopes from."},
                      {"OrientationValue", "How the printer turns the page."},
                      {"FeedPicture", "How you feed envelopes into the printer."},
                      {"WarningLabel", "The printer's paper is not the envelope's size: use Printer Setup."},
                      {"PrinterSetupButton", "Choose the printer, its paper, paper source and orientation."},
                      {"PaperFeedButton", "Say how you feed envelopes into the printer."},
                      {"OkButton", "Print with these settings."},
                      {"CancelButton", "Do not print."},
                      {"HelpButton", "Open the help on printing envelopes."}});
    ShowSettings();
    CentreForm(this);
}

bool TEnvelopePrePrint::WarningShown() const
{
    return !WarningLabel->isHidden();
}

void TEnvelopePrePrint::ShowSettings()
{
    PrinterValue->setText(FEngine.PrinterName());
    PaperValue->setText(FEngine.PaperName());
    SourceValue->setText(FEngine.PaperSource());
    OrientationValue->setText(FEngine.Orientation() == QPageLayout::Landscape ? "Landscape" : "Portrait");
    Picture->SetFeed(FFeed);
    FeedDescriptionLabel->setText(FeedDescription(FFeed).replace("\r\n", "\n"));
    WarningLabel->setVisible(PaperSizeWarningShown(FEngine.PageWidthInches(), FEngine.PageHeightInches(),
                                                   EnvelopeWidth(FCode), EnvelopeHeight(FCode)));
}

void TEnvelopePrePrint::PrinterSetupButtonClick()
{
    (void)ShowPrinterSetup(FEngine, this);
    ShowSettings();
}

void TEnvelopePrePrint::PaperFeedButtonClick()
{
    if (const std::optional<EnvelopeFeed> chosen = ChooseEnvelopeFeed(FFeed, this)) {
        FFeed = *chosen;
        FEngine.SetOrientation(FFeed.Landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    ShowSettings();
}

} // namespace corvane
