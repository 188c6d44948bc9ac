#include "printing/PrintEngine.h"

#include <array>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

#include "printing/PrinterSink.h"
#include "printing/pages/PdfFileSink.h"

namespace corvane {

namespace {

struct PaperCode {
    int Code;
    QPageSize::PageSizeId Id;
};

// The printer interface's paper numbers for the sheets and envelopes the program prints on.
constexpr std::array<PaperCode, 20> PaperCodes{{
    {1, QPageSize::Letter},
    {5, QPageSize::Legal},
    {9, QPageSize::A4},
    {11, QPageSize::A5},
    {19, QPageSize::Envelope9},
    {20, QPageSize::Envelope10},
    {21, QPageSize::Envelope11},
    {22, QPageSize::Envelope12},
    {23, QPageSize::Envelope14},
    {27, QPageSize::EnvelopeDL},
    {28, QPageSize::EnvelopeC5},
    {30, QPageSize::EnvelopeC4},
    {31, QPageSize::EnvelopeC6},
    {32, QPageSize::EnvelopeC65},
    {33, QPageSize::EnvelopeB4},
    {34, QPageSize::EnvelopeB5},
    {35, QPageSize::EnvelopeB6},
    {36, QPageSize::EnvelopeItalian},
    {37, QPageSize::EnvelopeMonarch},
    {38, QPageSize::EnvelopePersonal}, // 6 3/4: 3 5/8 x 6 1/2 inches
}};

// The job options key of Qt's CUPS print engine: name and value pairs handed to CUPS with the job.
constexpr auto CupsJobOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Sets or removes one CUPS job option, keeping the others.
void SetCupsJobOption(QPrinter& printer, const QString& option, const QString& value)
{
    QPrintEngine* engine = printer.printEngine();
    if (!engine)
        return;
    QStringList options = engine->property(CupsJobOptions).toStringList();
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == option) {
            options.remove(i, 2);
            break;
        }
    }
    if (!value.isEmpty())
        options << option << value;
    engine->setProperty(CupsJobOptions, options);
}

QString AskPdfFileNameWithDialog(QWidget* parent, const QString& suggestion)
{
    QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Print to PDF File"), suggestion,
                                                QStringLiteral("PDF files (*.pdf)"));
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".pdf");
    return name;
}

} // namespace

std::optional<QPageSize> StandardPaperFromCode(int code)
{
    for (const PaperCode& paper : PaperCodes) {
        if (paper.Code == code)
            return QPageSize(paper.Id);
    }
    return std::nullopt;
}

PrintEngine::PrintEngine(std::unique_ptr<PrinterSource> source)
    : FSource(source ? std::move(source) : std::make_unique<SystemPrinterSource>()),
      FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      FAskPdfFileName(AskPdfFileNameWithDialog)
{
    FPrinter->setFullPage(true);
    if (!SelectDefaultPrinter())
        SelectPrinter(BuiltInPdfPrinterName());
}

PrintEngine::~PrintEngine() = default;

QStringList PrintEngine::Printers() const
{
    return FSource->PrinterNames();
}

int PrintEngine::PrinterIndex() const
{
    return static_cast<int>(Printers().indexOf(FPrinterName));
}

QString PrintEngine::DriverName() const
{
    if (IsPdfPrinter())
        return BuiltInPdfPrinterName();
    const QPrinterInfo info = QPrinterInfo::printerInfo(FPrinterName);
    return info.isNull() ? QString() : info.makeAndModel();
}

bool PrintEngine::IsPdfPrinter() const
{
    return FPrinterName == BuiltInPdfPrinterName();
}

bool PrintEngine::SelectPrinter(int index)
{
    const QStringList names = Printers();
    if (index < 0 || index >= names.size())
        return false;
    return SelectPrinter(names[index]);
}

bool PrintEngine::SelectPrinter(const QString& name)
{
    if (!Printers().contains(name))
        return false;
    // A change of printer keeps the paper and orientation the run asked for where it can.
    const QPageLayout layout = FPrinter->pageLayout();
    if (!corvane::SelectPrinter(*FPrinter, name))
        return false;
    FPrinterName = name;
    FPaperSource.clear();
    FPrinter->setFullPage(true);
    FPrinter->setPageOrientation(layout.orientation());
    if (name == BuiltInPdfPrinterName())
        FPrinter->setPageSize(layout.pageSize());
    return true;
}

bool PrintEngine::SelectDefaultPrinter()
{
    const QString name = FSource->DefaultPrinterName();
    return !name.isEmpty() && SelectPrinter(name);
}

bool PrintEngine::SetPaper(const QPageSize& paper)
{
    if (!paper.isValid())
        return false;
    const QPageSize before = FPrinter->pageLayout().pageSize();
    if (!FPrinter->setPageSize(paper) || !FPrinter->pageLayout().pageSize().isEquivalentTo(paper)) {
        FPrinter->setPageSize(before);
        return false;
    }
    return true;
}

bool PrintEngine::SetCustomPaper(int widthTenthsMm, int lengthTenthsMm)
{
    if (widthTenthsMm <= 0 || lengthTenthsMm <= 0)
        return false;
    const QPageSize custom(QSizeF(widthTenthsMm / 10.0, lengthTenthsMm / 10.0), QPageSize::Millimeter,
                           QStringLiteral("Custom"), QPageSize::ExactMatch);
    return SetPaper(custom);
}

QPageSize PrintEngine::Paper() const
{
    return FPrinter->pageLayout().pageSize();
}

QStringList PrintEngine::PaperNames() const
{
    QStringList names;
    if (IsPdfPrinter()) {
        for (const PaperCode& paper : PaperCodes)
            names << QPageSize(paper.Id).name();
        return names;
    }
    for (const QPageSize& size : QPrinterInfo::printerInfo(FPrinterName).supportedPageSizes()) {
        if (!names.contains(size.name()))
            names << size.name();
    }
    return names;
}

QString PrintEngine::PaperName() const
{
    return Paper().name();
}

bool PrintEngine::SelectPaperByName(const QString& name)
{
    if (IsPdfPrinter()) {
        for (const PaperCode& paper : PaperCodes) {
            if (QPageSize(paper.Id).name() == name)
                return SetPaper(QPageSize(paper.Id));
        }
        return false;
    }
    for (const QPageSize& size : QPrinterInfo::printerInfo(FPrinterName).supportedPageSizes()) {
        if (size.name() == name)
            return SetPaper(size);
    }
    return false;
}

QStringList PrintEngine::PaperSources() const
{
    return FSource->PaperSources(FPrinterName);
}

bool PrintEngine::SelectPaperSource(const QString& name)
{
    if (!name.isEmpty() && !PaperSources().contains(name))
        return false;
    FPaperSource = name;
    return true;
}

void PrintEngine::SetOrientation(QPageLayout::Orientation orientation)
{
    FPrinter->setPageOrientation(orientation);
}

QPageLayout::Orientation PrintEngine::Orientation() const
{
    return FPrinter->pageLayout().orientation();
}

void PrintEngine::SetCopies(int copies)
{
    FPrinter->setCopyCount(copies < 1 ? 1 : copies);
}

double PrintEngine::PageWidthInches() const
{
    return FPrinter->pageLayout().fullRect(QPageLayout::Inch).width();
}

double PrintEngine::PageHeightInches() const
{
    return FPrinter->pageLayout().fullRect(QPageLayout::Inch).height();
}

QMarginsF PrintEngine::UnprintableMarginsInches() const
{
    if (IsPdfPrinter())
        return QMarginsF();
    QPageLayout layout = FPrinter->pageLayout();
    layout.setUnits(QPageLayout::Inch);
    return layout.minimumMargins();
}

std::unique_ptr<PageSink> PrintEngine::CreatePrinterSink(const QString& title, QWidget* dialogParent,
                                                         std::string* error)
{
    if (error)
        error->clear();
    if (IsPdfPrinter()) {
        const QString suggestion = QDir::home().filePath(title + QStringLiteral(".pdf"));
        const QString fileName = FAskPdfFileName ? FAskPdfFileName(dialogParent, suggestion) : QString();
        if (fileName.isEmpty())
            return nullptr;
        const QPageLayout layout = FPrinter->pageLayout();
        return std::make_unique<PdfFileSink>(fileName, layout.pageSize(), layout.orientation(),
                                             FPrinter->resolution());
    }
    if (PrinterIndex() < 0) {
        if (error)
            *error = "The printer " + FPrinterName.toStdString() + " is no longer installed";
        return nullptr;
    }
    SetCupsJobOption(*FPrinter, QStringLiteral("media-source"), FPaperSource);
    return std::make_unique<PrinterSink>(*FPrinter, title);
}

} // namespace corvane
