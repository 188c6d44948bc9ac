// Intelligent Mail barcodes in a label run: one serial number per printed piece from the program's
// counter, the counter saved after a print and left alone by a preview, and a run without a
// Mailer ID refused before it starts.

#include <gtest/gtest.h>

#include "LabelRunHarness.h"
#include "core/IntelligentMailSettings.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"

namespace corvane::testing {
namespace {

class IntelligentMailRun : public LabelRunTest {
  protected:
    void SetUp() override
    {
        LabelRunTest::SetUp();
        ComponentOwner owner;
        TGLabelPanel panel(owner);
        panel.SetRegistry(ElementClassRegistry::Shared());
        auto code = std::make_unique<TGIntelligentMailBarCode>();
        code->BuildMenu();
        panel.InsertElement(std::move(code)).SetBounds({0, 0, 305, 31});
        FLayoutPath = SystemDataDirectory() + "BIN00001.L";
        ASSERT_TRUE(panel.SaveToFile(FLayoutPath));
    }

    // The human-readable line of each printed barcode, in order.
    static std::vector<std::string> Lines(const RecordedPages& pages) { return Texts(PrintedLabels(pages)); }

    // The bars drawn on the first page: filled rectangles narrower than a tenth of an inch.
    static int Bars(const RecordedPages& pages)
    {
        int bars = 0;
        for (const auto& primitive : pages.Page(0).Primitives())
            if (primitive.Kind == PrimitiveKind::Rectangle && primitive.Rect.width() < 0.1)
                ++bars;
        return bars;
    }
};

TEST_F(IntelligentMailRun, EachPieceTakesTheNextSerialAndThePrintSavesTheCounter)
{
    ASSERT_TRUE(WriteIntelligentMailProgramSettings(Settings(), {"123456", 200800001, "040"}));
    OpenPeople(3, {"12345", "12345-6789", "K1A 0B1"});
    RecordedPages pages;
    const LabelRunResult result = Run({}, pages);
    ASSERT_EQ(result.Outcome, LabelRunOutcome::Completed) << result.Message;

    EXPECT_EQ(Lines(pages),
              (std::vector<std::string>{"00 040 123456 200800001 12345", "00 040 123456 200800002 123456789",
                                        "00 040 123456 200800003"}));
    EXPECT_EQ(Bars(pages), 3 * 65);
    EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()).NextSerial, 200800004u);

    // Copies are pieces of their own: each gets a number.
    RecordedPages copies;
    LabelRunSettings twice;
    twice.Scope = RecordScope::Current;
    twice.Copies = 2;
    ASSERT_EQ(Run(twice, copies).Outcome, LabelRunOutcome::Completed);
    EXPECT_EQ(Lines(copies),
              (std::vector<std::string>{"00 040 123456 200800004 12345", "00 040 123456 200800005 12345"}));
    EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()).NextSerial, 200800006u);
}

TEST_F(IntelligentMailRun, APreviewShowsTheNumbersButLeavesTheCounter)
{
    ASSERT_TRUE(WriteIntelligentMailProgramSettings(Settings(), {"912345678", 41, "040"}));
    OpenPeople(2, {"12345", "54321"});
    LabelRunSettings preview;
    preview.Preview = true;
    RecordedPages pages;
    ASSERT_EQ(Run(preview, pages).Outcome, LabelRunOutcome::Completed);
    EXPECT_EQ(Lines(pages),
              (std::vector<std::string>{"00 040 912345678 000041 12345", "00 040 912345678 000042 54321"}));
    EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()).NextSerial, 41u);
}

TEST_F(IntelligentMailRun, WithoutAMailerIdTheRunIsRefusedAndSaysWhy)
{
    OpenPeople(2, {"12345", "54321"});
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    RecordedPages pages;
    EXPECT_EQ(Run({}, pages).Outcome, LabelRunOutcome::Failed);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("no Mailer ID is set"), std::string::npos) << messages.Texts()[0];
    EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()).NextSerial, 1u);
}

TEST(IntelligentMailSettingsTest, TheCounterOnlyGoesUpAndTheValuesAreChecked)
{
    ScratchHome home;
    ASSERT_TRUE(WriteIntelligentMailProgramSettings(Settings(), {"123456", 500, "270"}));
    EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()),
              (IntelligentMailProgramSettings{"123456", 500, "270"}));
    ASSERT_TRUE(AdvanceIntelligentMailSerial(Settings(), 400));
    EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()).NextSerial, 500u);
    ASSERT_TRUE(WriteIntelligentMailProgramSettings(Settings(), {"123456", 10, "270"}));
    EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()).NextSerial, 500u);
    ASSERT_TRUE(AdvanceIntelligentMailSerial(Settings(), 501));
    EXPECT_EQ(ReadIntelligentMailProgramSettings(Settings()).NextSerial, 501u);

    EXPECT_EQ(IntelligentMailProgramSettingsProblem({"", 1, "040"}, 1), "");
    EXPECT_EQ(IntelligentMailProgramSettingsProblem({"912345678", 5, "040"}, 5), "");
    EXPECT_NE(IntelligentMailProgramSettingsProblem({"12345", 1, "040"}, 1), "");
    EXPECT_NE(IntelligentMailProgramSettingsProblem({"123456789", 1, "040"}, 1), "");
    EXPECT_NE(IntelligentMailProgramSettingsProblem({"123456", 1, "04"}, 1), "");
    EXPECT_NE(IntelligentMailProgramSettingsProblem({"123456", 4, "040"}, 5).find("cannot go below 5"),
              std::string::npos);
}

} // namespace
} // namespace corvane::testing
