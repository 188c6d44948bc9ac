// The merge on a document: case, formats kept per occurrence, values holding tokens, line breaks.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "core/MemoStorage.h"
#include "letters/LetterMerge.h"
#include "letters/LetterTokens.h"

namespace corvane {
namespace {

QTextCharFormat Bold(bool bold, double points)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontPointSize(points);
    return format;
}

AddressRecord Record()
{
    AddressRecord record;
    record.FName = "Jo";
    record.LName = "Smith";
    record.City = "Town";
    record.State = "ST";
    record.Zip = "11111";
    return record;
}

TEST(LetterMerge, ReplacesEveryTokenInAnyCaseKeepingEachFormat)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("A [First] ", Bold(false, 10));
    cursor.insertText("[FIRST]", Bold(true, 14));
    cursor.insertText(" [first]", Bold(false, 20));
    cursor.insertText(" [Nope] [Last]", Bold(false, 10));
    const int replaced = MergeLetter(document, LetterTokenValues(Record(), QDate(2026, 12, 8)));
    EXPECT_EQ(replaced, 4);
    EXPECT_EQ(document.toPlainText(), "A Jo Jo Jo [Nope] Smith");
    const auto formatAt = [&](int position) {
        QTextCursor at(&document);
        at.setPosition(position + 1);
        return at.charFormat();
    };
    EXPECT_EQ(formatAt(2).fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(formatAt(2).fontPointSize(), 10);
    EXPECT_EQ(formatAt(5).fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(formatAt(6).fontPointSize(), 14);
    EXPECT_DOUBLE_EQ(formatAt(8).fontPointSize(), 20);
}

TEST(LetterMerge, ValuesHoldingTokensAndBlocks)
{
    AddressRecord record = Record();
    record.FName = "[First]";  // not searched again for its own token
    record.LName = "[Zip]";    // a later token: replaced inside the value, not inside a later one
    record.User1 = "[Street]"; // an earlier token: stays
    QTextDocument document;
    document.setPlainText("[First]/[Last]/[Comment 1]/[Street]\n[Name and Address]end");
    MergeLetter(document, LetterTokenValues(record, QDate(2026, 12, 8)));
    const QChar lineBreak(QChar::LineSeparator);
    EXPECT_EQ(document.begin().text(), "[First]/11111/[Street]/");
    EXPECT_EQ(document.blockCount(), 2) << "the block's line ends are line breaks, not paragraphs";
    EXPECT_EQ(document.lastBlock().text(),
              QString("[First] [Zip] ") + lineBreak + "Town ST  11111" + lineBreak + "end");
}

TEST(LetterMerge, TemplateWithoutTokensIsUnchanged)
{
    QTextDocument document;
    document.setPlainText("Dear friend");
    EXPECT_EQ(MergeLetter(document, LetterTokenValues(Record(), QDate(2026, 12, 8))), 0);
    EXPECT_EQ(document.toPlainText(), "Dear friend");
}

TEST(MemoStorage, LinesAreMeasuredAsStored)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},                          // length 0: no blank
        {"1234567", "1234567"},            // 7
        {"12345678", "12345678 "},         // 8
        {"abc\r\n", "abc"},                // the line end after the last line is not stored
        {"ab\ncd", "ab\r\ncd"},            // a lone LF ends a line too: 6
        {"a\r\nbc\r\n", "a\r\nbc"},        // 5
        {"abcdef\r\n", "abcdef"},          // 6
        {"ab\r\ncdef\r\n", "ab\r\ncdef "}, // 8
    };
    for (const auto& [text, stored] : cases)
        EXPECT_EQ(StoredMemoLines(text), stored) << text;
}

} // namespace
} // namespace corvane
