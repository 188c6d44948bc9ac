// An envelope run on recorded pages: one page an envelope for each scope, the current record alone
// even when starting from it, the printable-area frame in previews only, the layout at the feed's
// offset, a missing layout file refused, Stop and Cancel, and the table's query, order and record
// given back verbatim.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/FieldCatalogue.h"
#include "core/IntelligentMailSettings.h"
#include "envelopes/EnvelopeRun.h"
#include "envelopes/EnvelopeSetupStore.h"
#include "envelopes/TEnvelopePanel.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "layout/TGPDLabel.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "support/AddressTableFixture.h"
#include "support/RecordedPages.h"
#include "support/ScratchHome.h"

namespace corvane::testing {
namespace {

std::string PersonName(int number)
{
    char name[16];
    std::snprintf(name, sizeof name, "P%03d", number);
    return name;
}

// The last names the pages show, one list per page.
std::vector<std::vector<std::string>> NamesByPage(const RecordedPages& pages)
{
    std::vector<std::vector<std::string>> names;
    for (int page = 0; page < pages.PageCount(); ++page) {
        names.emplace_back();
        for (const RecordedPrimitive& primitive : pages.Page(page).Primitives()) {
            if (primitive.Kind == PrimitiveKind::Text)
                names.back().push_back(primitive.Text.toStdString());
        }
    }
    return names;
}

std::vector<RecordedPrimitive> Frames(const RecordingSurface& page)
{
    std::vector<RecordedPrimitive> frames;
    for (const RecordedPrimitive& primitive : page.Primitives()) {
        if (primitive.Kind == PrimitiveKind::Rectangle && primitive.Pen.Color == QColor(Qt::red))
            frames.push_back(primitive);
    }
    return frames;
}

class EnvelopeRunTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ElementClassRegistry::Shared().RegisterAll();
        FPanel.SetRegistry(ElementClassRegistry::Shared());
        std::vector<Person> people;
        for (int i = 1; i <= 5; ++i)
            people.push_back({{"LNAME", PersonName(i)}, {"CITY", i % 2 ? "ODD" : "EVEN"}});
        FPath = FHome.File("people.dbf");
        MakeAddressFile(FPath, people);
        ASSERT_TRUE(FTable.Open(FPath));
        ASSERT_TRUE(FTable.SetQuery("CITY=\"ODD\" .and. !ISDEL"));
        ASSERT_TRUE(FCatalogue.TakeFileWidths(FTable));
        ASSERT_TRUE(FTable.GoTo(3));
        FLayoutPath = WriteLayout();
        FSetup.LayoutFileName = "BIN00001.E";
    }

    std::string WriteLayout()
    {
        ComponentOwner owner;
        TEnvelopePanel panel(owner);
        panel.SetRegistry(ElementClassRegistry::Shared());
        auto label = std::make_unique<TGPDLabel>();
        label->SetDataFieldDescript("Last Name");
        label->SetDataFieldName("LNAME");
        label->BuildMenu();
        panel.InsertElement(std::move(label)).SetBounds({0, 0, 120, 20});
        const std::string path = SystemDataDirectory() + "BIN00001.E";
        EXPECT_TRUE(panel.SaveToFile(path));
        return path;
    }

    EnvelopeRunResult Run(const EnvelopeRunSettings& settings, RecordedPages& pages,
                          const EnvelopePage& page = {9.5, 4.125, 0.25, 0.25, 0.25, 0.25},
                          const std::function<void(EnvelopeRun&, int)>& afterRecord = {})
    {
        EnvelopeRun run(FTable, FCatalogue, FPanel, FSetup, settings, FLayoutPath);
        if (afterRecord)
            run.AfterRecord = [&](int number) { afterRecord(run, number); };
        if (!run.Prepare())
            return {PrintOutcome::Failed, "not prepared", 0, 0, {}};
        EnvelopeRunResult result = run.PrintEnvelopes(pages, page);
        EXPECT_TRUE(run.Restore());
        return result;
    }

    void ExpectTableAsBefore()
    {
        EXPECT_EQ(FTable.Query(), "CITY=\"ODD\" .and. !ISDEL")
            << "the query comes back whole, !ISDEL included";
        EXPECT_EQ(FTable.RecordNumber(), 3u);
    }

    ScratchHome FHome;
    std::string FPath;
    xbase::Table FTable;
    FieldCatalogue FCatalogue;
    ComponentOwner FOwner;
    TEnvelopePanel FPanel{FOwner};
    EnvelopeSetup FSetup;
    std::string FLayoutPath;
};

TEST_F(EnvelopeRunTest, EachScopePrintsOneEnvelopeAPage)
{
    struct Case {
        RecordScope Scope;
        bool StartFromCurrent;
        std::vector<std::vector<std::string>> Names;
    };
    const Case cases[] = {
        {RecordScope::All, false, {{"P001"}, {"P002"}, {"P003"}, {"P004"}, {"P005"}}},
        {RecordScope::Filter, false, {{"P001"}, {"P003"}, {"P005"}}},
        {RecordScope::Filter, true, {{"P003"}, {"P005"}}},
        {RecordScope::Current, false, {{"P003"}}},
        {RecordScope::Current, true, {{"P003"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(RecordScopeCaption(c.Scope) + (c.StartFromCurrent ? ", from current" : ""));
        RecordedPages pages;
        EnvelopeRunSettings settings;
        settings.Scope = c.Scope;
        settings.StartFromCurrent = c.StartFromCurrent;
        const EnvelopeRunResult result = Run(settings, pages);
        ASSERT_EQ(result.Outcome, PrintOutcome::Completed) << result.Message;
        EXPECT_EQ(NamesByPage(pages), c.Names);
        EXPECT_EQ(result.Envelopes, static_cast<int>(c.Names.size()));
        EXPECT_EQ(result.Pages, static_cast<int>(c.Names.size()));
        ExpectTableAsBefore();
    }
}

TEST_F(EnvelopeRunTest, IntelligentMailSerialsStepPerEnvelopeAndOnlyAPrintSavesThem)
{
    {
        ComponentOwner owner;
        TEnvelopePanel panel(owner);
        panel.SetRegistry(ElementClassRegistry::Shared());
        auto code = std::make_unique<TGIntelligentMailBarCode>();
        code->BuildMenu();
        panel.InsertElement(std::move(code)).SetBounds({0, 0, 305, 31});
        ASSERT_TRUE(panel.SaveToFile(FLayoutPath));
    }
    ASSERT_TRUE(WriteIntelligentMailProgramSettings(Settings(), {"123456", 7, "040"}));
    EnvelopeRunSettings settings;
    settings.Scope = RecordScope::Filter;
    for (const bool preview : {true, false}) {
        settings.Preview = preview;
        RecordedPages pages;
        ASSERT_EQ(Run(settings, pages).Outcome, PrintOutcome::Completed);
        // The human-readable line of each envelope's barcode: serials 7, 8, 9 both times.
        std::vector<std::string> lines;
        for (const auto& page : NamesByPage(pages))
            lines.insert(lines.end(), page.begin(), page.end());
        EXPECT_EQ(lines, (std::vector<std::string>{"00 040 123456 000000007", "00 040 123456 000000008",
                                                   "00 040 123456 000000009"}));
        EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()).NextSerial, preview ? 7u : 10u);
    }
}

TEST_F(EnvelopeRunTest, OnlyPreviewsFrameThePrintableArea)
{
    EnvelopeRunSettings settings;
    settings.Scope = RecordScope::Filter;
    for (const bool preview : {false, true}) {
        settings.Preview = preview;
        RecordedPages pages;
        ASSERT_EQ(Run(settings, pages, {8.5, 11, 0.25, 0.3, 0.2, 0.5}).Outcome, PrintOutcome::Completed);
        for (int page = 0; page < pages.PageCount(); ++page) {
            const auto frames = Frames(pages.Page(page));
            if (!preview) {
                EXPECT_TRUE(frames.empty());
                continue;
            }
            ASSERT_EQ(frames.size(), 1u) << "page " << page + 1;
            EXPECT_EQ(frames[0].Pen.Style, PenStyle::Dot);
            EXPECT_EQ(frames[0].Brush.Style, BrushStyle::Clear);
            EXPECT_NEAR(frames[0].Rect.left(), 0.25, 1e-9);
            EXPECT_NEAR(frames[0].Rect.top(), 0.3, 1e-9);
            EXPECT_NEAR(frames[0].Rect.right(), 8.3, 1e-9);
            EXPECT_NEAR(frames[0].Rect.bottom(), 10.5, 1e-9);
        }
    }
}

TEST_F(EnvelopeRunTest, TheLayoutGoesWhereTheFedEnvelopeLies)
{
    EnvelopeRunSettings settings;
    settings.Feed = EnvelopeFeed{FeedPosition::Center, FeedOrientation::Landscape, FeedFacing::Up, false};
    RecordedPages pages;
    const EnvelopeRunResult result = Run(settings, pages, {11, 8.5, 0, 0, 0, 0});
    ASSERT_EQ(result.Outcome, PrintOutcome::Completed);
    EXPECT_NEAR(result.Offset.x(), 1.5, 1e-9);
    EXPECT_NEAR(result.Offset.y(), 2.1875, 1e-9);
    bool found = false;
    for (const RecordedPrimitive& primitive : pages.Page(0).Primitives()) {
        if (primitive.Kind == PrimitiveKind::Drawing) {
            EXPECT_NEAR(primitive.Rect.left(), 1.5, 1e-9);
            EXPECT_NEAR(primitive.Rect.top(), 2.1875, 1e-9);
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(EnvelopeRunTest, AMissingLayoutIsRefusedWithNothingChanged)
{
    std::filesystem::remove(FLayoutPath);
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    EnvelopeRunSettings settings;
    settings.Scope = RecordScope::All;
    EXPECT_EQ(Run(settings, pages).Message, "not prepared");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{
                                    "Envelope definition file has been removed from the sysdata directory"});
    ExpectTableAsBefore();
}

TEST_F(EnvelopeRunTest, AnUnknownSizeCodeIsRefused)
{
    FSetup.Code = 29;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    EXPECT_EQ(Run({}, pages).Message, "not prepared");
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("unknown size code 29"), std::string::npos);
    ExpectTableAsBefore();
}

TEST_F(EnvelopeRunTest, StopAndCancelEndAfterTheCurrentEnvelope)
{
    EnvelopeRunSettings settings;
    settings.Scope = RecordScope::All;
    settings.Preview = true;
    RecordedPages stopped;
    const auto stopAfterTwo = [](EnvelopeRun& run, int page) {
        if (page == 2)
            run.RequestStop();
    };
    EnvelopeRunResult result = Run(settings, stopped, {9.5, 4.125}, stopAfterTwo);
    EXPECT_EQ(result.Outcome, PrintOutcome::Stopped);
    EXPECT_EQ(result.Envelopes, 2);
    EXPECT_EQ(EnvelopeRunStatusText(result, true), "\rPreview Stopped!");
    ExpectTableAsBefore();

    settings.Preview = false;
    RecordedPages cancelled;
    result = Run(settings, cancelled, {9.5, 4.125}, [&](EnvelopeRun&, int page) {
        if (page == 1)
            cancelled.Abort();
    });
    EXPECT_EQ(result.Outcome, PrintOutcome::Aborted);
    EXPECT_EQ(result.Envelopes, 1);
    EXPECT_EQ(EnvelopeRunStatusText(result, false), "\rEnvelope Print Canceled!");
    ExpectTableAsBefore();
}

} // namespace
} // namespace corvane::testing
