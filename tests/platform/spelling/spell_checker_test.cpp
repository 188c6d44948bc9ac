// The spell checker over a small dictionary: misspellings found in order, merge tokens and
// numbers passed over, user words kept in the word list.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/spelling/SpellChecker.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

DictionaryFiles TestDictionary()
{
    const std::string folder = std::string(CORVANE_FIXTURES) + "/spelling/";
    return {folder + "test.aff", folder + "test.dic"};
}

std::vector<std::string> Misspelt(const SpellChecker& checker, const QString& text)
{
    std::vector<std::string> words;
    for (auto miss = checker.NextMisspelling(text, 0); miss;
         miss = checker.NextMisspelling(text, miss->End)) {
        EXPECT_EQ(text.mid(miss->Start, miss->End - miss->Start), miss->Word);
        words.push_back(miss->Word.toStdString());
    }
    return words;
}

TEST(SpellChecker, FindsMisspellingsButNotTokensOrNumbers)
{
    xbase::testing::ScratchFolder folder;
    auto checker = SpellChecker::Open(TestDictionary(), folder.File("corvanu.dct"));
    ASSERT_TRUE(checker);
    EXPECT_EQ(Misspelt(*checker, "Dear [Full Name], hello wrold 42 the 3rd [Qqq] frend's yours'"),
              (std::vector<std::string>{"wrold", "frend's"}));
    EXPECT_EQ(checker->NextMisspelling("[Xyzzy] abcde", 3)->Word, "abcde") << "a token under way is skipped";
    EXPECT_FALSE(checker->NextMisspelling("hello", 0));
    EXPECT_TRUE(checker->Suggestions("wrold").contains("world"));
}

TEST(SpellChecker, UserWordsAreKeptAndIgnoredWordsAreNot)
{
    xbase::testing::ScratchFolder folder;
    const std::string words = folder.File("corvanu.dct");
    {
        std::ofstream file(words);
        file << "Corvane\r\n";
    }
    auto checker = SpellChecker::Open(TestDictionary(), words);
    ASSERT_TRUE(checker);
    EXPECT_TRUE(checker->IsCorrect("Corvane"));
    EXPECT_FALSE(checker->IsCorrect("Zorbel"));
    ASSERT_TRUE(checker->AddToUserWords("Zorbel"));
    checker->Ignore("Quux");
    EXPECT_TRUE(checker->IsCorrect("Zorbel"));
    EXPECT_TRUE(checker->IsCorrect("Quux"));

    auto again = SpellChecker::Open(TestDictionary(), words);
    EXPECT_TRUE(again->IsCorrect("Zorbel"));
    EXPECT_FALSE(again->IsCorrect("Quux"));
}

TEST(SpellChecker, MissingDictionaryGivesNoChecker)
{
    EXPECT_FALSE(SpellChecker::Open({"/nonexistent.aff", "/nonexistent.dic"}, "/tmp/x.dct"));
}

} // namespace
} // namespace corvane
