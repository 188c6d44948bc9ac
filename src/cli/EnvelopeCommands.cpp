#include "cli/EnvelopeCommands.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "cli/CliArguments.h"
#include "cli/CollectedMessages.h"
#include "cli/CommandSupport.h"
#include "cli/FilterCommands.h"
#include "cli/GuiApplication.h"
#include "cli/PresortCommand.h"
#include "core/FieldCatalogue.h"
#include "core/SystemTables.h"
#include "envelopes/EnvelopeRun.h"
#include "envelopes/EnvelopeSettings.h"
#include "envelopes/EnvelopeSetupStore.h"
#include "envelopes/EnvelopeSizes.h"
#include "envelopes/TEnvelopePanel.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/PageTarget.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "printing/pages/PdfFileSink.h"
#include "printing/pages/PrintRun.h"
#include "session/FilterQuery.h"
#include "session/RecordScope.h"

namespace corvane::cli {

namespace {

constexpr const char* NewSynopsis = "new-envelope-setup --description D --size CODE";
constexpr const char* CloneSynopsis = "clone-envelope-setup D";
constexpr const char* DeleteSynopsis = "delete-envelope-setup D";
constexpr const char* PrintSynopsis =
    "print-envelopes FILE --setup D [--scope all|filter|current] [--flt F.FLT] [--order TAG] [--recno N] "
    "[--start-current] [--page WxH] [--position left|right|center] [--orientation portrait|landscape] "
    "[--facing up|down] [--clockwise] --pdf OUT.pdf";

double Rounded(double value)
{
    return std::round(value * 10000.0) / 10000.0;
}

QJsonObject SetupJson(const EnvelopeSetup& setup)
{
    QJsonObject json;
    json["description"] = setup.Description;
    json["code"] = setup.Code;
    json["width"] = setup.Width();
    json["height"] = setup.Height();
    json["layout"] = setup.LayoutFileName;
    return json;
}

void PrintJson(const QJsonObject& json)
{
    std::cout << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString() << '\n';
}

// Opens sysdata/ENVELOPE.DBF (made when missing).
Status OpenSetups(xbase::Table& table)
{
    CollectedMessages messages;
    if (!OpenEnvelopeTable(table))
        return Status::Error(messages.Line("Unable to Open or Create ENVELOPE.DBF"));
    return Status::Success();
}

// Walks the setups shown in the window's list, in its order, until `visit` returns true; the
// table stays on that setup.
Status WalkListedSetups(xbase::Table& table, const std::function<bool(const EnvelopeSetup&)>& visit)
{
    return WalkListedRows<EnvelopeSetup>(table, EnvelopeSetupListQuery, ReadEnvelopeSetup, visit);
}

// Leaves the table on the listed setup of that description (compared without case).
Result<EnvelopeSetup> FindSetup(xbase::Table& table, const std::string& description)
{
    return FindListedRow<EnvelopeSetup>(table, EnvelopeSetupListQuery, ReadEnvelopeSetup, description,
                                        "envelope setup");
}

// "8.5x11": inches, both above 0.
std::optional<QSizeF> PageInches(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).toLower().split('x');
    if (parts.size() != 2)
        return std::nullopt;
    bool widthOk = false;
    bool heightOk = false;
    const double width = parts[0].trimmed().toDouble(&widthOk);
    const double height = parts[1].trimmed().toDouble(&heightOk);
    if (!widthOk || !heightOk || !(width > 0) || !(height > 0) || width > 100 || height > 100)
        return std::nullopt;
    return QSizeF(width, height);
}

// The one setup argument of clone and delete.
Result<std::string> OneDescription(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return parsed.ToStatus();
    if (parsed->Positional.size() != 1)
        return Status::Error({});
    return parsed->Positional[0];
}

} // namespace

int RunEnvelopeSizes(const std::vector<std::string>& arguments)
{
    if (!arguments.empty())
        return Usage("envelope-sizes");
    QJsonArray list;
    for (const EnvelopeSize& size : EnvelopeSizes()) {
        QJsonObject json;
        json["name"] = QString::fromUtf8(size.Name);
        json["code"] = size.Code;
        json["width"] = size.Width;
        json["height"] = size.Height;
        list.append(json);
    }
    std::cout << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

int RunEnvelopeSetups(const std::vector<std::string>& arguments)
{
    if (!arguments.empty())
        return Usage("envelope-setups");
    // Listing makes nothing: without a setup table there are no setups.
    if (FindEntryNoCase(SystemDataDirectory(), "ENVELOPE.DBF").empty()) {
        std::cout << "[]\n";
        return 0;
    }
    xbase::Table table;
    if (Status opened = OpenSetups(table); !opened)
        return Fail(opened.Message());
    QJsonArray list;
    Status walked = WalkListedSetups(table, [&](const EnvelopeSetup& setup) {
        list.append(SetupJson(setup));
        return false;
    });
    if (!walked)
        return Fail(walked.Message());
    std::cout << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

int RunNewEnvelopeSetup(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--description", "--size"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty() || !parsed->Has("--description") || !parsed->Has("--size"))
        return Usage(NewSynopsis);
    const QString description = QString::fromStdString(*parsed->Get("--description")).trimmed();
    if (description.isEmpty())
        return Fail("--description needs a name for the setup");
    if (description.size() > EnvelopeDescriptionLength)
        return Fail("An envelope setup's description holds at most 50 characters: " +
                    description.toStdString());
    const std::optional<int> code = WholeNumber(*parsed->Get("--size"));
    if (!code || !FindEnvelopeSize(*code))
        return Fail("No envelope size has the code " + *parsed->Get("--size") +
                    " (corvane-cli envelope-sizes lists them)");

    xbase::Table table;
    if (Status opened = OpenSetups(table); !opened)
        return Fail(opened.Message());
    if (FindSetup(table, description.toStdString()))
        return Fail("An envelope setup named \"" + description.toStdString() + "\" exists already");
    EnvelopeSetupStore store(table);
    auto setup = store.PrepareNew(*code);
    if (!setup)
        return Fail(setup.Message());
    setup->Description = description;

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    ComponentOwner owner;
    ElementClassRegistry registry;
    registry.RegisterAll();
    TEnvelopePanel panel(owner);
    panel.SetRegistry(registry);
    AddAddressBlockInAddressArea(panel, *code);
    if (Status saved = store.SaveSetup(*setup, panel, true); !saved)
        return Fail(saved.Message());
    PrintJson(SetupJson(*setup));
    return 0;
}

int RunCloneEnvelopeSetup(const std::vector<std::string>& arguments)
{
    auto description = OneDescription(arguments);
    if (!description)
        return description.Message().empty() ? Usage(CloneSynopsis) : Fail(description.Message());
    xbase::Table table;
    if (Status opened = OpenSetups(table); !opened)
        return Fail(opened.Message());
    if (auto found = FindSetup(table, *description); !found)
        return Fail(found.Message());
    EnvelopeSetupStore store(table);
    auto clone = store.CloneCurrent();
    if (!clone)
        return Fail(clone.Message());
    PrintJson(SetupJson(*clone));
    return 0;
}

int RunDeleteEnvelopeSetup(const std::vector<std::string>& arguments)
{
    auto description = OneDescription(arguments);
    if (!description)
        return description.Message().empty() ? Usage(DeleteSynopsis) : Fail(description.Message());
    xbase::Table table;
    if (Status opened = OpenSetups(table); !opened)
        return Fail(opened.Message());
    auto found = FindSetup(table, *description);
    if (!found)
        return Fail(found.Message());
    EnvelopeSetupStore store(table);
    if (Status deleted = store.DeleteCurrent(); !deleted)
        return Fail(deleted.Message());
    PrintJson(SetupJson(*found));
    return 0;
}

int RunPrintEnvelopes(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments,
                                 {"--setup", "--scope", "--flt", "--order", "--recno", "--page", "--position",
                                  "--orientation", "--facing", "--pdf"},
                                 {"--start-current", "--clockwise"});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1 || !parsed->Has("--setup") || !parsed->Has("--pdf"))
        return Usage(PrintSynopsis);

    EnvelopeRunSettings settings;
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
    if ((settings.Scope == RecordScope::Current || settings.StartFromCurrent) && !parsed->Has("--recno"))
        return Fail(std::string(settings.StartFromCurrent ? "--start-current" : "--scope current") +
                    " needs --recno N");

    // The feed: the settings file's, then the flags.
    settings.Feed = ReadEnvelopeFeed(Settings());
    if (auto position = parsed->Get("--position")) {
        if (*position == "left")
            settings.Feed.Position = FeedPosition::Left;
        else if (*position == "right")
            settings.Feed.Position = FeedPosition::Right;
        else if (*position == "center")
            settings.Feed.Position = FeedPosition::Center;
        else
            return Fail("--position takes left, right or center: " + *position);
    }
    if (auto orientation = parsed->Get("--orientation")) {
        if (*orientation == "portrait")
            settings.Feed.Orientation = FeedOrientation::Portrait;
        else if (*orientation == "landscape")
            settings.Feed.Orientation = FeedOrientation::Landscape;
        else
            return Fail("--orientation takes portrait or landscape: " + *orientation);
    }
    if (auto facing = parsed->Get("--facing")) {
        if (*facing == "up")
            settings.Feed.Facing = FeedFacing::Up;
        else if (*facing == "down")
            settings.Feed.Facing = FeedFacing::Down;
        else
            return Fail("--facing takes up or down: " + *facing);
    }
    if (parsed->Has("--clockwise"))
        settings.Feed.ClockWiseRotation = true;

    // The setup, its size and its layout file.
    xbase::Table setups;
    if (Status opened = OpenSetups(setups); !opened)
        return Fail(opened.Message());
    auto setup = FindSetup(setups, *parsed->Get("--setup"));
    if (!setup)
        return Fail(setup.Message());
    if (!FindEnvelopeSize(setup->Code))
        return Fail("The envelope setup \"" + setup->Description.toStdString() +
                    "\" has the unknown size code " + std::to_string(setup->Code));
    EnvelopeSetupStore store(setups);
    if (!store.LayoutFileExists(*setup))
        return Fail(std::string(EnvelopeDefinitionRemovedMessage));
    QSizeF page = EnvelopePageInches(setup->Code, settings.Feed.Landscape());
    if (auto pageText = parsed->Get("--page")) {
        const std::optional<QSizeF> asked = PageInches(*pageText);
        if (!asked)
            return Fail("--page takes the page's width and height in inches, as 8.5x11: " + *pageText);
        page = *asked;
    }

    // The address file under the main window's filter and order.
    xbase::Table addresses;
    const std::string& file = parsed->Positional[0];
    if (Status opened = OpenTable(addresses, file, xbase::OpenMode::SharedReadOnly); !opened)
        return Fail(opened.Message());
    if (auto filter = parsed->Get("--flt")) {
        if (Status filtered = ApplyFilterFile(addresses, *filter); !filtered)
            return Fail(filtered.Message());
    } else if (Status unfiltered = addresses.SetQuery(NoFilterQuery); !unfiltered) {
        return Fail(unfiltered.Message());
    }
    if (Status ordered = SelectOrder(addresses, parsed->Get("--order")); !ordered)
        return Fail(ordered.Message());
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
    TEnvelopePanel panel(owner);
    panel.SetRegistry(registry);

    CollectedMessages messages;
    EnvelopeRun envelopes(addresses, catalogue, panel, *setup, settings, store.LayoutFilePath(*setup), tagId);
    const QString pdfPath = QString::fromStdString(*parsed->Get("--pdf"));
    const PageGeometry geometry = PageGeometryFor(page);
    PdfFileSink sink(pdfPath, geometry.Size, geometry.Orientation);
    EnvelopeRunResult result;
    bool nothingToPrint = false;
    PrintRun run;
    run.Prepare = [&] {
        if (!envelopes.Prepare())
            return false;
        if (envelopes.NothingToPrint()) {
            nothingToPrint = true;
            (void)envelopes.Restore();
            return false;
        }
        return true;
    };
    run.OpenSink = [&]() -> PageSink* { return &sink; };
    run.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        PageSinkTarget target(pages);
        const QSizeF reported = pages.PageSizeInches();
        result = envelopes.PrintEnvelopes(target, EnvelopePage{reported.width(), reported.height()});
        return {result.Outcome, result.Message};
    };
    run.Restore = [&] { return envelopes.Restore(); };
    const PrintRunResult ended = run.Run();
    if (nothingToPrint)
        return Fail("No records to print under the scope");
    if (ended.Reached == PrintRunStep::Prepare)
        return Fail(messages.Line("The envelope run did not start"));
    if (!ended.Done()) {
        std::error_code error;
        std::filesystem::remove(pdfPath.toStdString(), error);
        if (!ended.Message.empty())
            return Fail(messages.Line(ended.Message));
        return Fail(ended.Outcome == PrintOutcome::Failed ? "Cannot write " + pdfPath.toStdString()
                                                          : std::string("The envelope run stopped"));
    }
    if (const std::string notes = messages.Line({}); !notes.empty())
        std::cerr << "corvane-cli: " << notes << '\n';

    const QSizeF pageSize = sink.PageSizeInches();
    QJsonObject out;
    out["envelopes"] = result.Envelopes;
    out["pages"] = result.Pages;
    out["page"] = QJsonArray{Rounded(pageSize.width()), Rounded(pageSize.height())};
    out["offset"] = QJsonArray{Rounded(result.Offset.x()), Rounded(result.Offset.y())};
    out["pdf"] = pdfPath;
    PrintJson(out);
    return 0;
}

} // namespace corvane::cli
