// LETTER.DBF through the store: listing in description order, save, clone, delete; the stored
// RTF is what the writer gives, by the storage rule.
#include <gtest/gtest.h>

#include <QTextDocument>

#include "core/SystemTables.h"
#include "letters/LetterDocument.h"
#include "letters/LetterStore.h"
#include "platform/MessageService.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

class LetterStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(OpenLetterTable(FTable)); }

    uint32_t Add(const std::string& description, const QString& text)
    {
        QTextDocument document;
        document.setPlainText(text);
        auto saved = FStore.Save(std::nullopt, description, document, {});
        EXPECT_TRUE(saved) << saved.Message();
        return saved ? *saved : 0;
    }

    std::vector<std::string> Descriptions()
    {
        std::vector<std::string> texts;
        auto letters = FStore.List();
        EXPECT_TRUE(letters) << letters.Message();
        for (const LetterEntry& letter : *letters)
            texts.push_back(letter.Description);
        return texts;
    }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    xbase::Table FTable;
    LetterStore FStore{FTable};
};

TEST_F(LetterStoreTest, SavedLettersListInDescriptionOrderAndReadBack)
{
    EXPECT_TRUE(Descriptions().empty());
    Add("zebra", "Z");
    const uint32_t apple = Add("Apple", "Hello [First]");
    Add(std::string(UntitledLetterDescription), "");
    EXPECT_EQ(Descriptions(), (std::vector<std::string>{"Apple", "zebra", "{untitled}"}));

    auto rtf = FStore.Rtf(apple);
    ASSERT_TRUE(rtf);
    auto letter = LoadLetter(*rtf);
    ASSERT_TRUE(letter) << letter.Message();
    EXPECT_EQ(letter->Document->toPlainText(), "Hello [First]");
    EXPECT_EQ(letter->Layout, PageLayoutTwips{});
    EXPECT_EQ(*rtf, LetterMemoText(*letter->Document, letter->Layout)) << "stored by the rule";

    QTextDocument changed;
    changed.setPlainText("Changed");
    ASSERT_TRUE(FStore.Save(apple, "Apple pie", changed, {}));
    EXPECT_EQ(Descriptions(), (std::vector<std::string>{"Apple pie", "zebra", "{untitled}"}));
    ASSERT_TRUE(FStore.Find("Apple pie"));
    EXPECT_EQ(FStore.Find("Apple pie")->RecordNumber, apple);
    EXPECT_FALSE(FStore.Find("Apple"));
}

TEST_F(LetterStoreTest, CloneCutsItsDescriptionAndCopiesTheLetter)
{
    const std::string fifty(50, 'x');
    const uint32_t original = Add(fifty + "tail", "Body");
    auto clone = FStore.Clone(original);
    ASSERT_TRUE(clone) << clone.Message();
    EXPECT_NE(*clone, original);
    const std::vector<std::string> listed = Descriptions();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0], "Clone of " + std::string(41, 'x'));
    EXPECT_EQ(listed[1], fifty);
    EXPECT_EQ(*FStore.Rtf(*clone), *FStore.Rtf(original));
}

TEST_F(LetterStoreTest, DeletedLettersAreGoneAndDamagedOnesAreNotCloned)
{
    const uint32_t first = Add("one", "1");
    const uint32_t second = Add("two", "2");
    ASSERT_TRUE(FStore.Delete(first));
    EXPECT_EQ(Descriptions(), std::vector<std::string>{"two"});
    EXPECT_FALSE(FStore.Rtf(first));
    EXPECT_FALSE(FStore.Clone(first));

    ASSERT_TRUE(FTable.GoTo(second));
    ASSERT_TRUE(FTable.PutMemo("RTF", "{\\rtf1 cut off"));
    ASSERT_TRUE(FTable.Commit());
    EXPECT_FALSE(FStore.Clone(second));
    EXPECT_EQ(Descriptions(), std::vector<std::string>{"two"});
}

} // namespace
} // namespace corvane
