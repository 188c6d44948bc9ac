#include "cli/LabelCommands.h"

#include <cmath>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "bulkmail/Presort.h"
#include "cli/CliArguments.h"
#include "cli/CommandSupport.h"
#include "cli/FilterCommands.h"
#include "cli/GuiApplication.h"
#include "cli/PresortCommand.h"
#include "core/FieldCatalogue.h"
#include "core/SystemTables.h"
#include "labels/LabelPaper.h"
#include "labels/LabelRun.h"
#include "labels/LabelSetupStore.h"
#include "labels/LabelStockCatalogue.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/PageTarget.h"
#include "layout/TGLabelPanel.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "printing/pages/PdfFileSink.h"
#include "printing/pages/PrintRun.h"
#include "session/FilterQuery.h"
#include "session/RecordScope.h"

namespace corvane::cli {

namespace {

constexpr const char* LabelSetupsSynopsis = "label-setups";
constexpr const char* NewSetupSynopsis = "new-label-setup --description D --template \"STOCK DESCRIPTION\"";
constexpr const char* PrintSynopsis =
    "print-labels FILE --setup DESCRIPTION [--scope all|filter|current] [--flt F.FLT] [--recno N] "
    "[--start-current] [--presort] [--positions 1,2,...] [--copies N] --pdf OUT.pdf";

// The messages the label logic shows, collected: the batch tool reports them on stderr.
class CollectingMessages : public MessageService {
  public:
    void ShowInfo(const std::string& text) override { Texts.push_back(text); }
    // A question has no one to answer it in a batch run: No, and the question is kept as the
    // reason the run stopped.
    bool AskYesNo(const std::string& text, const std::string&) override
    {
        Texts.push_back(text);
        return false;
    }
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override
    {
        return AskYesNo(text, caption);
    }
    std::vector<std::string> Texts;
};

// One line for stderr from a message that may span lines.
std::string OneLine(std::string text)
{
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    std::string squeezed;
    for (char c : text) {
        if (c == ' ' && !squeezed.empty() && squeezed.back() == ' ')
            continue;
        squeezed += c;
    }
    return squeezed;
}

double Rounded(double value)
{
    return std::round(value * 1000.0) / 1000.0;
}

QJsonObject SetupJson(const LabelSetup& setup)
{
    QJsonObject geometry;
    geometry["labelHeight"] = Rounded(setup.LabelHeight);
    geometry["labelWidth"] = Rounded(setup.LabelWidth);
    geometry["across"] = setup.Across;
    geometry["down"] = setup.Down;
    geometry["topMargin"] = Rounded(setup.TopMargin);
    geometry["leftMargin"] = Rounded(setup.LeftMargin);
    geometry["horizontalPitch"] = Rounded(setup.HorizontalPitch);
    geometry["verticalPitch"] = Rounded(setup.VerticalPitch);
    geometry["sheetWidth"] = Rounded(setup.SheetWidth);
    geometry["sheetDepth"] = Rounded(setup.SheetDepth);
    geometry["paperSize"] = setup.PaperSize;
    geometry["middleExtraX"] = setup.MiddleExtraX;
    geometry["middleExtraY"] = setup.MiddleExtraY;
    geometry["shape"] = setup.Shape;
    geometry["printer"] = setup.PrinterCode;
    QJsonObject json;
    json["description"] = setup.Description;
    json["stock"] = setup.TemplateDescription;
    json["geometry"] = geometry;
    json["layoutFile"] = setup.LayoutFileName;
    return json;
}

// Opens sysdata/LABEL.DBF (made when missing) with the failure as an error.
Status OpenSetups(xbase::Table& table)
{
    CollectingMessages messages;
    ScopedMessageService installed(messages);
    if (!OpenLabelTable(table))
        return Status::Error(messages.Texts.empty() ? "Unable to open LABEL.DBF" : messages.Texts.front());
    return Status::Success();
}

// Walks the setups shown in the window's list, in its order, until `visit` returns true; the
// table stays on that setup.
Status WalkListedSetups(xbase::Table& table, const std::function<bool(const LabelSetup&)>& visit)
{
    return WalkListedRows<LabelSetup>(table, LabelSetupListQuery, ReadLabelSetup, visit);
}

// Leaves the table on the listed setup of that description (compared without case).
Result<LabelSetup> FindSetup(xbase::Table& table, const std::string& description)
{
    return FindListedRow<LabelSetup>(table, LabelSetupListQuery, ReadLabelSetup, description, "label setup");
}

// "1,2,5" numbered from 1 row by row, each within the sheet.
Result<LabelPositions> ParsePositions(const std::string& text, int sheetPositions)
{
    LabelPositions positions;
    for (const QString& part : QString::fromStdString(text).split(',')) {
        const std::optional<int> number = WholeNumber(part.toStdString());
        if (!number || *number < 1 || *number > sheetPositions)
            return Status::Error("--positions takes numbers from 1 to " + std::to_string(sheetPositions) +
                                 " separated by commas: " + text);
        positions.set(static_cast<size_t>(*number - 1));
    }
    return positions;
}

} // namespace

int RunLabelSetups(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty())
        return Usage(LabelSetupsSynopsis);
    // Listing makes nothing: without a setup table there are no setups.
    if (FindEntryNoCase(SystemDataDirectory(), "LABEL.DBF").empty()) {
        std::cout << "[]\n";
        return 0;
    }
    xbase::Table table;
    if (Status opened = OpenSetups(table); !opened)
        return Fail(opened.Message());
    QJsonArray list;
    Status walked = WalkListedSetups(table, [&](const LabelSetup& setup) {
        list.append(SetupJson(setup));
        return false;
    });
    if (!walked)
        return Fail(walked.Message());
    std::cout << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

int RunNewLabelSetup(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--description", "--template"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty() || !parsed->Has("--description") || !parsed->Has("--template"))
        return Usage(NewSetupSynopsis);
    const QString description = QString::fromStdString(*parsed->Get("--description")).trimmed();
    if (description.isEmpty())
        return Fail("--description needs a name for the setup");
    if (description.size() > 50)
        return Fail("A label setup's description holds at most 50 characters: " + description.toStdString());

    auto catalogue = LabelStockCatalogue::LoadInstalled();
    if (!catalogue)
        return Fail(catalogue.Message());
    const LabelSetup* stock = catalogue->Find(*parsed->Get("--template"));
    if (!stock)
        return Fail("No label stock named \"" + *parsed->Get("--template") + "\" in the catalogue");
    if (stock->Across * stock->Down > MaxLabelPositions)
        return Fail("The stock has more than " + std::to_string(MaxLabelPositions) + " labels a sheet");

    xbase::Table table;
    if (Status opened = OpenSetups(table); !opened)
        return Fail(opened.Message());
    if (FindSetup(table, description.toStdString()))
        return Fail("A label setup named \"" + description.toStdString() + "\" exists already");

    LabelSetupStore store(table);
    LabelSetup setup = *stock;
    setup.Description = description;
    auto name = store.NextBinaryName();
    if (!name)
        return Fail(name.Message());
    setup.LayoutFileName = QString::fromStdString(*name);

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    ComponentOwner owner;
    ElementClassRegistry registry;
    registry.RegisterAll();
    TGLabelPanel panel(owner);
    panel.SetRegistry(registry);
    AddAddressBlockFillingLabel(panel, setup);
    if (Status saved = store.SaveSetup(setup, panel, true); !saved)
        return Fail(saved.Message());
    std::cout << QJsonDocument(SetupJson(setup)).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

int RunPrintLabels(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(
        arguments, {"--setup", "--scope", "--flt", "--recno", "--positions", "--copies", "--pdf"},
        {"--start-current", "--presort"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--setup") || !parsed->Has("--pdf"))
        return Usage(PrintSynopsis);

    LabelRunSettings settings;
    settings.Scope = parsed->Has("--flt") ? RecordScope::Filter : RecordScope::All;
    if (auto scope = parsed->Get("--scope")) {
        if (*scope == "all")
            settings.Scope = RecordScope::All;
        else if (*scope == "filter")
            settings.Scope = RecordScope::Filter;
        else if (*scope == "current")
            settings.Scope = RecordScope::Current;
        else
            return Fail("--scope takes all, filter or current: " + *scope);
    }
    settings.StartFromCurrent = parsed->Has("--start-current");
    settings.Presort = parsed->Has("--presort");
    if (settings.Presort && settings.Scope == RecordScope::Current)
        return Fail("--presort cannot be used with --scope current");
    if ((settings.Scope == RecordScope::Current || settings.StartFromCurrent) && !parsed->Has("--recno"))
        return Fail(std::string(settings.StartFromCurrent ? "--start-current" : "--scope current") +
                    " needs --recno N");
    if (auto copies = parsed->Get("--copies")) {
        const std::optional<int> number = WholeNumber(*copies);
        if (!number || *number < 1 || *number > 99)
            return Fail("--copies takes a number from 1 to 99: " + *copies);
        settings.Copies = *number;
    }

    // The setup and its positions.
    xbase::Table setups;
    if (Status opened = OpenSetups(setups); !opened)
        return Fail(opened.Message());
    auto setup = FindSetup(setups, *parsed->Get("--setup"));
    if (!setup)
        return Fail(setup.Message());
    if (Status fits = CheckLabelPositions(*setup); !fits)
        return Fail(fits.Message());
    LabelSetupStore store(setups);
    const int sheetPositions = std::min(setup->Across * setup->Down, MaxLabelPositions);
    if (auto positions = parsed->Get("--positions")) {
        auto chosen = ParsePositions(*positions, sheetPositions);
        if (!chosen)
            return Fail(chosen.Message());
        settings.Positions = *chosen;
    }

    // The address file under the main window's filter.
    xbase::Table addresses;
    const std::string& file = parsed->Positional[0];
    if (Status opened = OpenTable(addresses, file, xbase::OpenMode::SharedReadOnly); !opened)
        return Fail(opened.Message());
    if (settings.Presort && addresses.ProductionIndexState() != xbase::IndexState::Valid)
        return Fail(
            "Presorted labels need the file's ZIP index: " +
            (addresses.IndexProblem().empty() ? std::string("it has none") : addresses.IndexProblem()) +
            " (run corvane-cli reindex)");
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

    FieldCatalogue catalogue;
    if (Status widths = catalogue.TakeFileWidths(addresses); !widths)
        return Fail(widths.Message());
    catalogue.SetExtraFields(true);
    std::string tagId;
    if (auto id = StoredTagId())
        tagId = id.Take();

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    ComponentOwner owner;
    ElementClassRegistry registry;
    registry.RegisterAll();
    TGLabelPanel panel(owner);
    panel.SetRegistry(registry);

    CollectingMessages messages;
    ScopedMessageService installed(messages);
    const auto failWithMessages = [&](const std::string& fallback) {
        return Fail(messages.Texts.empty() ? fallback : OneLine(messages.Texts.back()));
    };
    LabelRun labels(addresses, catalogue, panel, *setup, settings, store.LayoutFilePath(*setup), tagId);
    const PaperRequest paper = PaperRequestFor(*setup, "");
    const QString pdfPath = QString::fromStdString(*parsed->Get("--pdf"));
    PdfFileSink sink(pdfPath, PaperPageSize(paper),
                     paper.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    LabelRunResult result;
    bool nothingToPrint = false;
    PrintRun run;
    run.Prepare = [&] {
        if (!labels.Prepare())
            return false;
        if (!settings.Presort && addresses.Eof()) {
            nothingToPrint = true;
            (void)labels.Restore();
            return false;
        }
        return true;
    };
    run.ConfirmPaper = [&] {
        const QSizeF size = sink.PageSizeInches();
        return PaperSizeConfirmed(paper, size.width(), size.height()) ||
               AskYesNo(PaperSizeQuestion(paper), "");
    };
    run.OpenSink = [&]() -> PageSink* { return &sink; };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        PageSinkTarget target(pages);
        result = labels.PrintLabels(target);
        return {result.Outcome, result.Message};
    };
    run.Restore = [&] { return labels.Restore(); };
    const PrintRunResult ended = run.Run();
    if (nothingToPrint)
        return Fail("No records to print under the scope");
    if (ended.Reached == PrintRunStep::Prepare)
        return failWithMessages("The label run did not start");
    if (ended.Reached == PrintRunStep::ConfirmPaper)
        return Fail(OneLine(PaperSizeQuestion(paper)));
    if (!ended.Done()) {
        if (!ended.Message.empty())
            return Fail(OneLine(ended.Message));
        if (ended.Outcome == PrintOutcome::Failed)
            return Fail("Cannot write " + pdfPath.toStdString());
        return Fail("The label run stopped");
    }

    for (const std::string& text : messages.Texts) {
        if (text != PresortOrderMessage)
            std::cerr << "corvane-cli: " << OneLine(text) << '\n';
    }
    QJsonObject out;
    out["pages"] = result.Pages;
    out["labels"] = result.Labels;
    out["separators"] = result.Separators;
    out["pdf"] = pdfPath;
    std::cout << QJsonDocument(out).toJson(QJsonDocument::Compact).toStdString() << '\n';
    return 0;
}

} // namespace corvane::cli
