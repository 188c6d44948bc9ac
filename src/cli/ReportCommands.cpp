#include "cli/ReportCommands.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageSize>

#include "bulkmail/ZipCount.h"
#include "bulkmail/ZipReport.h"
#include "cli/CliArguments.h"
#include "cli/CommandSupport.h"
#include "cli/FilterCommands.h"
#include "cli/GuiApplication.h"
#include "cli/PresortCommand.h"
#include "core/AddressRecord.h"
#include "core/FieldCatalogue.h"
#include "core/LegacyText.h"
#include "core/SystemTables.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/LayoutStream.h"
#include "layout/TGLabelObjectFiler.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPageNumberLabel.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "printing/pages/PdfFileSink.h"
#include "printing/pages/PrintRun.h"
#include "printing/pages/ReportPage.h"
#include "reports/BuiltInReport.h"
#include "reports/DesignedReportRun.h"
#include "reports/ReportRun.h"
#include "reports/ReportSettings.h"
#include "reports/ReportStore.h"
#include "reports/TReportPanel.h"
#include "session/FilterQuery.h"
#include "session/RecordScope.h"

namespace corvane::cli {

namespace {

constexpr const char* CountZipSynopsis = "count-zip FILE [--query EXPR | --flt F.FLT]";
constexpr const char* ZipReportSynopsis = "zip-report FILE [--query EXPR | --flt F.FLT] --pdf OUT.pdf";
constexpr const char* PrintReportSynopsis =
    "print-report FILE (--builtin 1|2|3|4 [--title T] [--memo] [--codes] | --report DESCRIPTION "
    "[--one-per-page]) "
    "[--scope all|filter|current] [--flt F.FLT] [--recno N] [--start-current] [--pages FROM-TO] [--copies N] "
    "--pdf OUT.pdf";
constexpr const char* NewReportSynopsis =
    "new-report --description D [--layout \"Letter Size, Portrait\"|...] [--bands header,detail,memo,footer] "
    "[--title T] [--fields LNAME,FNAME,...]";
constexpr const char* PrintRecordSynopsis =
    "print-record FILE --recno N [--fields LABEL,...|none] --pdf OUT.pdf";
constexpr const char* ReportSetupsSynopsis = "report-setups";
constexpr const char* CloneReportSynopsis = "clone-report DESCRIPTION";
constexpr const char* DeleteReportSynopsis = "delete-report DESCRIPTION";
constexpr const char* ReportSettingsSynopsis = "report-settings FILE.R";

// The program's page on the built-in PDF printer: Letter, portrait.
const QPageSize ReportPaper(QPageSize::Letter);

// One line for stderr from a message that may span lines.
std::string OneLine(std::string text)
{
    std::string line;
    for (char c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
        if (c == ' ' && !line.empty() && line.back() == ' ')
            continue;
        line += c;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

void PrintJson(const QJsonObject& object)
{
    std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << '\n';
}

// The address file under --query or --flt (both refused together), shared and read-only.
Status OpenView(xbase::Table& table, const CliArguments& parsed)
{
    if (Status opened = OpenTable(table, parsed.Positional[0], xbase::OpenMode::SharedReadOnly); !opened)
        return opened;
    if (auto filter = parsed.Get("--flt"))
        return ApplyFilterFile(table, *filter);
    return table.SetQuery(parsed.Get("--query").value_or(""));
}

// A PDF file must not be left behind by a failed run; one that existed before is left alone
// unless the run wrote it.
std::string PdfFailure(const PrintRunResult& ended, const QString& pdf)
{
    if (!ended.Message.empty())
        return OneLine(ended.Message);
    if (ended.Outcome == PrintOutcome::Failed)
        return "Cannot write " + pdf.toStdString();
    return "The run stopped before it was complete";
}

// Opens sysdata/REPORT.DBF (made when missing) with the failure as an error.
Status OpenReports(xbase::Table& table)
{
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    if (!OpenReportTable(table))
        return Status::Error(messages.Messages.empty() ? "Unable to Open or Create REPORT.DBF"
                                                       : messages.Messages.front().Text);
    return Status::Success();
}

QJsonObject ReportJson(const ReportStore& store, const ReportDefinition& report)
{
    QJsonObject json;
    json["description"] = report.Description;
    json["layout"] = report.Layout;
    json["binary"] = report.Binary;
    json["filePresent"] = store.LayoutFileExists(report);
    return json;
}

// The 21 switches from "Prefix,Last,..." (the window's captions or the printed labels, in any
// case), or none.
Result<CurrentRecordFields> ParseFields(const std::string& text)
{
    CurrentRecordFields fields;
    if (QString::fromStdString(text).trimmed().compare("none", Qt::CaseInsensitive) == 0)
        return fields;
    for (const QString& part : QString::fromStdString(text).split(',')) {
        const QString wanted = part.trimmed();
        bool found = false;
        for (size_t i = 0; i < CurrentRecordSwitchCaptions.size() && !found; ++i) {
            const std::string_view caption = CurrentRecordSwitchCaptions[i];
            const bool isLabel = i < CurrentRecordLabels.size() &&
                                 wanted.compare(QString::fromLatin1(CurrentRecordLabels[i].data(),
                                                                    CurrentRecordLabels[i].size()),
                                                Qt::CaseInsensitive) == 0;
            if (isLabel || wanted.compare(QString::fromLatin1(caption.data(), caption.size()),
                                          Qt::CaseInsensitive) == 0) {
                fields.set(i);
                found = true;
            }
        }
        if (!found)
            return Status::Error(
                "--fields takes field captions such as Prefix,Last,First,...,Date,Memo, or none: " +
                part.toStdString());
    }
    return fields;
}

} // namespace

int RunCountZip(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--query", "--flt"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || (parsed->Has("--query") && parsed->Has("--flt")))
        return Usage(CountZipSynopsis);
    xbase::Table table;
    if (Status opened = OpenView(table, *parsed); !opened)
        return Fail(opened.Message());
    auto counted = CountZipCodes(table);
    if (!counted)
        return Fail(counted.Message());
    for (const QString& line : counted->Lines)
        std::cout << line.toStdString() << '\n';
    return 0;
}

int RunZipReport(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--query", "--flt", "--pdf"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || (parsed->Has("--query") && parsed->Has("--flt")) ||
        !parsed->Has("--pdf"))
        return Usage(ZipReportSynopsis);
    xbase::Table table;
    if (Status opened = OpenView(table, *parsed); !opened)
        return Fail(opened.Message());
    auto counted = CountZipCodes(table);
    if (!counted)
        return Fail(counted.Message());

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    const QString pdf = QString::fromStdString(*parsed->Get("--pdf"));
    PdfFileSink sink(pdf, ReportPaper);
    PrintRun run;
    run.OpenSink = [&]() -> PageSink* { return &sink; };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        SinkReportCanvas canvas(pages);
        ReportPage page(canvas);
        PrintZipReport(page, counted->Lines);
        return {page.Aborted() ? PrintOutcome::Aborted : PrintOutcome::Completed, {}};
    };
    const PrintRunResult ended = run.Run();
    if (!ended.Done())
        return Fail(PdfFailure(ended, pdf));
    QJsonObject out;
    out["lines"] = static_cast<int>(counted->Lines.size());
    out["pages"] = ended.Pages;
    out["pdf"] = pdf;
    PrintJson(out);
    return 0;
}

namespace {

// The designed report's paper: Letter or A4 by their sizes, any other size as a paper of its own.
QPageSize DesignedPaper(const DesignedReportPaper& paper)
{
    if (paper.PaperNumber == 1 && !paper.Landscape)
        return QPageSize(QPageSize::Letter);
    if (paper.PaperNumber == 9 && !paper.Landscape)
        return QPageSize(QPageSize::A4);
    return QPageSize(paper.Inches, QPageSize::Inch, QString(), QPageSize::ExactMatch);
}

// The print run of a report into a PDF file, built-in or designed alike: pages outside
// fromPage..toPage are left out, the messages of the run go to stderr, the figures to stdout as
// {"records","pages","pdf"}. Returns the exit status.
template <class AnyReportRun>
int PrintReportToPdf(AnyReportRun& reportRun, PdfFileSink& sink, int fromPage, int toPage, const QString& pdf,
                     const RecordingMessageService& messages)
{
    ReportRunResult result;
    Status prepared = Status::Success();
    PrintRun run;
    run.Prepare = [&] {
        prepared = reportRun.Prepare();
        return static_cast<bool>(prepared);
    };
    run.OpenSink = [&]() -> PageSink* { return &sink; };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        SinkReportCanvas canvas(pages, fromPage, toPage);
        result = reportRun.PrintPages(canvas);
        // A range past the last page would leave a blank page as the whole file.
        if (result.Outcome == PrintOutcome::Completed && !canvas.AnyPageDrawn())
            return {PrintOutcome::Failed, NoPageInRangeMessage(fromPage, toPage, result.Pages)};
        return {result.Outcome, result.Message};
    };
    run.Restore = [&] { return reportRun.Restore(); };
    const PrintRunResult ended = run.Run();
    if (!prepared)
        return Fail(OneLine(prepared.Message()));
    if (!ended.Done())
        return Fail(PdfFailure(ended, pdf));
    for (const auto& message : messages.Messages)
        std::cerr << "corvane-cli: " << OneLine(message.Text) << '\n';
    QJsonObject out;
    out["records"] = result.Records;
    out["pages"] = ended.Pages;
    out["pdf"] = pdf;
    PrintJson(out);
    return 0;
}

int PrintDesignedReport(xbase::Table& addresses, const QString& description,
                        const DesignedReportRequest& request, int fromPage, int toPage, const QString& pdf)
{
    xbase::Table reports;
    if (Status opened = OpenReports(reports); !opened)
        return Fail(opened.Message());
    ReportStore store(reports);
    auto found = store.Find(description);
    if (!found)
        return Fail(found.Message());
    if (!store.LayoutFileExists(*found))
        return Fail("The layout file of \"" + found->Description.toStdString() + "\" is missing");

    FieldCatalogue catalogue;
    if (Status widths = catalogue.TakeFileWidths(addresses); !widths)
        return Fail(widths.Message());
    catalogue.SetExtraFields(true);

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    ComponentOwner owner;
    TReportPanel header(owner, TReportPanelKind::rpkHeader);
    TReportPanel detail(owner, TReportPanelKind::rpkDetail);
    TReportPanel footer(owner, TReportPanelKind::rpkFooter);
    auto settings =
        LoadReportLayout(header, detail, footer, request.PixelsPerInch, store.LayoutFilePath(*found));
    if (!settings)
        return Fail(OneLine(settings.Message()));

    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    DesignedReportRun reportRun(addresses, catalogue, header, detail, footer, *settings, request);
    PdfFileSink sink(pdf, DesignedPaper(DesignedReportPaperOf(*settings, request.PixelsPerInch)));
    return PrintReportToPdf(reportRun, sink, fromPage, toPage, pdf, messages);
}

} // namespace

int RunPrintReport(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(
        arguments,
        {"--builtin", "--report", "--title", "--scope", "--flt", "--recno", "--pages", "--copies", "--pdf"},
        {"--memo", "--codes", "--start-current", "--one-per-page"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--pdf") ||
        parsed->Has("--builtin") == parsed->Has("--report"))
        return Usage(PrintReportSynopsis);
    const bool designed = parsed->Has("--report");
    if (designed && (parsed->Has("--title") || parsed->Has("--memo") || parsed->Has("--codes")))
        return Fail("--title, --memo and --codes belong to --builtin; a designed report has its own bands");
    if (!designed && parsed->Has("--one-per-page"))
        return Fail("--one-per-page belongs to --report");

    BuiltInReportRequest request;
    if (!designed) {
        const std::optional<int> report = WholeNumber(*parsed->Get("--builtin"));
        if (!report || *report < 1 || *report > 4)
            return Fail("--builtin takes 1, 2, 3 or 4: " + *parsed->Get("--builtin"));
        request.Options.Report = *report;
        request.Options.Title = parsed->Has("--title") ? QString::fromStdString(*parsed->Get("--title"))
                                                       : DefaultReportTitle(*report);
        request.Options.PrintMemo = parsed->Has("--memo");
        request.Options.PrintCodes = parsed->Has("--codes");
    }
    request.Scope = parsed->Has("--flt") ? RecordScope::Filter : RecordScope::All;
    if (auto scope = parsed->Get("--scope")) {
        if (*scope == "all")
            request.Scope = RecordScope::All;
        else if (*scope == "filter")
            request.Scope = RecordScope::Filter;
        else if (*scope == "current")
            request.Scope = RecordScope::Current;
        else
            return Fail("--scope takes all, filter or current: " + *scope);
    }
    request.StartFromCurrent = parsed->Has("--start-current");
    if ((request.Scope == RecordScope::Current || request.StartFromCurrent) && !parsed->Has("--recno"))
        return Fail(std::string(request.StartFromCurrent ? "--start-current" : "--scope current") +
                    " needs --recno N");
    if (auto copies = parsed->Get("--copies")) {
        const std::optional<int> number = WholeNumber(*copies);
        if (!number || *number < 1 || *number > 99)
            return Fail("--copies takes a number from 1 to 99: " + *copies);
        request.Copies = *number;
    }
    int fromPage = 0;
    int toPage = 0;
    if (auto pages = parsed->Get("--pages")) {
        const QStringList parts = QString::fromStdString(*pages).split('-');
        const std::optional<int> from =
            parts.size() <= 2 ? WholeNumber(parts.front().toStdString()) : std::nullopt;
        const std::optional<int> to = parts.size() == 2 ? WholeNumber(parts.back().toStdString()) : from;
        if (!from || !to || *from < 1 || *to < *from)
            return Fail("--pages takes FROM-TO, page numbers from 1 with FROM not above TO: " + *pages);
        fromPage = *from;
        toPage = *to;
    }

    xbase::Table addresses;
    if (Status opened = OpenTable(addresses, parsed->Positional[0], xbase::OpenMode::SharedReadOnly); !opened)
        return Fail(opened.Message());
    if (auto filter = parsed->Get("--flt")) {
        if (Status filtered = ApplyFilterFile(addresses, *filter); !filtered)
            return Fail(filtered.Message());
    } else if (Status unfiltered = addresses.SetQuery(NoFilterQuery); !unfiltered) {
        return Fail(unfiltered.Message());
    }
    if (auto recno = parsed->Get("--recno")) {
        const std::optional<int> number = WholeNumber(*recno);
        if (!number || *number < 1 || static_cast<uint32_t>(*number) > addresses.RecordCount())
            return Fail("--recno takes a record number from 1 to " + std::to_string(addresses.RecordCount()) +
                        ": " + *recno);
        if (Status moved = addresses.GoTo(static_cast<uint32_t>(*number)); !moved)
            return Fail(moved.Message());
    }

    if (designed) {
        DesignedReportRequest designedRequest;
        designedRequest.Scope = request.Scope;
        designedRequest.StartFromCurrent = request.StartFromCurrent;
        designedRequest.Copies = request.Copies;
        designedRequest.OneRecordPerPage = parsed->Has("--one-per-page");
        return PrintDesignedReport(addresses, QString::fromStdString(*parsed->Get("--report")),
                                   designedRequest, fromPage, toPage,
                                   QString::fromStdString(*parsed->Get("--pdf")));
    }

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    BuiltInReportRun reportRun(addresses, request);
    const QString pdf = QString::fromStdString(*parsed->Get("--pdf"));
    PdfFileSink sink(pdf, ReportPaper);
    return PrintReportToPdf(reportRun, sink, fromPage, toPage, pdf, messages);
}

int RunPrintRecord(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--recno", "--fields", "--pdf"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--recno") || !parsed->Has("--pdf"))
        return Usage(PrintRecordSynopsis);
    CurrentRecordOptions options;
    if (auto fields = parsed->Get("--fields")) {
        auto chosen = ParseFields(*fields);
        if (!chosen)
            return Fail(chosen.Message());
        options.Fields = *chosen;
    }
    xbase::Table addresses;
    if (Status opened = OpenTable(addresses, parsed->Positional[0], xbase::OpenMode::SharedReadOnly); !opened)
        return Fail(opened.Message());
    const std::optional<int> number = WholeNumber(*parsed->Get("--recno"));
    if (!number || *number < 1 || static_cast<uint32_t>(*number) > addresses.RecordCount())
        return Fail("--recno takes a record number from 1 to " + std::to_string(addresses.RecordCount()) +
                    ": " + *parsed->Get("--recno"));
    if (Status moved = addresses.GoTo(static_cast<uint32_t>(*number)); !moved)
        return Fail(moved.Message());
    AddressRecord record;
    if (Status read = record.ReadFrom(addresses); !read)
        return Fail(read.Message());

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    const QString pdf = QString::fromStdString(*parsed->Get("--pdf"));
    PdfFileSink sink(pdf, ReportPaper);
    PrintRun run;
    run.OpenSink = [&]() -> PageSink* { return &sink; };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        SinkReportCanvas canvas(pages);
        ReportPage page(canvas);
        const bool printed = PrintCurrentRecord(page, record, options);
        return {printed ? PrintOutcome::Completed : PrintOutcome::Aborted, {}};
    };
    const PrintRunResult ended = run.Run();
    if (!ended.Done())
        return Fail(PdfFailure(ended, pdf));
    QJsonObject out;
    out["pages"] = ended.Pages;
    out["pdf"] = pdf;
    PrintJson(out);
    return 0;
}

int RunReportSetups(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty())
        return Usage(ReportSetupsSynopsis);
    // Listing makes nothing: without a report table there are no reports.
    if (FindEntryNoCase(SystemDataDirectory(), "REPORT.DBF").empty()) {
        std::cout << "[]\n";
        return 0;
    }
    xbase::Table table;
    if (Status opened = OpenReports(table); !opened)
        return Fail(opened.Message());
    ReportStore store(table);
    auto list = store.List();
    if (!list)
        return Fail(list.Message());
    QJsonArray json;
    for (const ReportDefinition& report : *list)
        json.append(ReportJson(store, report));
    std::cout << QJsonDocument(json).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

int RunCloneReport(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage(CloneReportSynopsis);
    xbase::Table table;
    if (Status opened = OpenReports(table); !opened)
        return Fail(opened.Message());
    ReportStore store(table);
    if (auto found = store.Find(QString::fromStdString(parsed->Positional[0])); !found)
        return Fail(found.Message());
    auto clone = store.CloneCurrent();
    if (!clone)
        return Fail(clone.Message());
    std::cout << QJsonDocument(ReportJson(store, *clone)).toJson(QJsonDocument::Compact).toStdString()
              << '\n';
    return 0;
}

int RunDeleteReport(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage(DeleteReportSynopsis);
    xbase::Table table;
    if (Status opened = OpenReports(table); !opened)
        return Fail(opened.Message());
    ReportStore store(table);
    auto found = store.Find(QString::fromStdString(parsed->Positional[0]));
    if (!found)
        return Fail(found.Message());
    const QJsonObject json = ReportJson(store, *found);
    if (Status deleted = store.DeleteCurrent(); !deleted)
        return Fail(deleted.Message());
    std::cout << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString() << '\n';
    return 0;
}

int RunNewReport(const std::vector<std::string>& arguments)
{
    auto parsed =
        ParseArguments(arguments, {"--description", "--layout", "--bands", "--title", "--fields"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty() || !parsed->Has("--description"))
        return Usage(NewReportSynopsis);
    constexpr double ppi = 96;
    const QString description = QString::fromStdString(*parsed->Get("--description")).trimmed();
    if (description.isEmpty())
        return Fail("--description must not be empty");
    ReportSettings settings = NewReportSettings(ppi);
    settings.Frames = BandFrames{};
    const QString layout = parsed->Has("--layout") ? QString::fromStdString(*parsed->Get("--layout"))
                                                   : ReportPaperText(ReportPaper::LetterPortrait);
    if (!ApplyReportPaperText(settings, layout, ppi))
        return Fail("--layout takes \"Letter Size, Portrait\", \"Letter Size, Landscape\", \"A4 Size, "
                    "Portrait\" or \"A4 Size, Landscape\": " +
                    layout.toStdString());
    if (auto bands = parsed->Get("--bands")) {
        settings.UseHeader = settings.UseDetail = settings.UseMemo = settings.UseFooter = false;
        for (const QString& band : QString::fromStdString(*bands).split(',')) {
            const QString name = band.trimmed().toLower();
            if (name == "header")
                settings.UseHeader = true;
            else if (name == "detail")
                settings.UseDetail = true;
            else if (name == "memo")
                settings.UseMemo = true;
            else if (name == "footer")
                settings.UseFooter = true;
            else
                return Fail("--bands takes header, detail, memo and footer: " + band.toStdString());
        }
    }
    const FieldCatalogue catalogue;
    std::vector<const CatalogueField*> fields;
    if (auto list = parsed->Get("--fields")) {
        for (const QString& name : QString::fromStdString(*list).split(',')) {
            const CatalogueField* field = catalogue.FindByName(name.trimmed().toStdString());
            if (!field)
                return Fail("No address field is named " + name.trimmed().toStdString());
            fields.push_back(field);
        }
        if (!settings.UseDetail)
            return Fail("--fields needs the detail band");
    }
    if (parsed->Has("--title") && !settings.UseHeader)
        return Fail("--title needs the header band");

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    ComponentOwner owner;
    TReportPanel header(owner, TReportPanelKind::rpkHeader);
    TReportPanel detail(owner, TReportPanelKind::rpkDetail);
    TReportPanel footer(owner, TReportPanelKind::rpkFooter);
    const int width = ReportBandWidth(settings, ppi);
    header.SetDesignSize(width, settings.HeaderHeight);
    detail.SetDesignSize(width, settings.DetailHeight);
    footer.SetDesignSize(width, settings.FooterHeight);
    if (auto title = parsed->Get("--title")) {
        auto text = std::make_unique<TGPLabel>();
        text->SetCaption(*title);
        text->SetFont(header.Font());
        header.InsertElement(std::move(text)).SetBounds(PixelRect{0, 8, width / 2, 17});
        auto number = std::make_unique<TGPageNumberLabel>();
        number->SetFont(header.Font());
        header.InsertElement(std::move(number)).SetBounds(PixelRect{width - 100, 8, 100, 17});
    }
    const int columns = static_cast<int>(fields.size());
    for (int i = 0; i < columns; ++i) {
        auto data = std::make_unique<TGPDLabel>();
        data->SetDataFieldName(fields[i]->Name);
        data->SetDataFieldDescript(fields[i]->DisplayLabel);
        data->SetCaption("[" + fields[i]->DisplayLabel + "]");
        data->SetFont(detail.Font());
        detail.InsertElement(std::move(data))
            .SetBounds(PixelRect{i * width / columns, 8, width / columns, 17});
    }

    xbase::Table reports;
    if (Status opened = OpenReports(reports); !opened)
        return Fail(opened.Message());
    ReportStore store(reports);
    if (auto existing = store.Find(description))
        return Fail("A report named \"" + description.toStdString() + "\" exists already");
    auto name = store.NextBinaryName();
    if (!name)
        return Fail(name.Message());
    const std::string path = store.SysdataFolder() + *name;
    // The file first: a row must never name a file that was not written.
    if (Status saved = SaveReportLayout(header, detail, footer, settings, ppi, path); !saved)
        return Fail(OneLine(saved.Message()));
    auto appended = store.Append(ReportDefinition{description, layout, QString::fromStdString(*name)});
    if (!appended) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return Fail(appended.Message());
    }
    QJsonObject out;
    out["description"] = appended->Description;
    out["binary"] = appended->Binary;
    PrintJson(out);
    return 0;
}

int RunReportSettings(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage(ReportSettingsSynopsis);
    const std::string& path = parsed->Positional[0];
    auto bytes = TGLabelObjectFiler::ReadWholeFile(path);
    if (!bytes)
        return Fail(bytes.Message());
    LayoutStreamReader reader(*bytes);
    for (int band = 0; band < 3; ++band) {
        if (auto list = reader.ReadList(); !list)
            return Fail(path + ": " + list.Message());
    }
    if (Status begun = reader.ReadListBegin(); !begun)
        return Fail(path + ": " + begun.Message());
    // At 1000 pixels per inch a length in pixels is the stored thousandths.
    const size_t start = reader.Position();
    auto checked = ReadReportSettings(reader, 1000);
    if (!checked)
        return Fail(path + ": " + checked.Message());
    if (Status ended = reader.ReadListEnd(); !ended)
        return Fail(path + ": " + ended.Message());
    LayoutStreamReader values(std::string_view(*bytes).substr(start));
    QJsonArray json;
    for (int i = 0; i < 50; ++i) {
        auto value = values.ReadValue();
        if (!value)
            return Fail(path + ": " + value.Message());
        if (value->IsInteger())
            json.append(value->Integer);
        else if (value->IsString())
            json.append(QString::fromStdString(DecodeLegacyText(value->Text)));
        else
            json.append(value->Tag == ValueTag::True);
    }
    std::cout << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString() << '\n';
    return 0;
}

} // namespace corvane::cli
