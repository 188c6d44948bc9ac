// Reading RTF as several writers produce it, and refusing damaged text.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include "platform/richtext/RtfReader.h"

namespace corvane {
namespace {

std::string Fixture(const std::string& name)
{
    std::ifstream file(std::string(CORVANE_FIXTURES) + "/rtf/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<QString> Paragraphs(const QTextDocument& document)
{
    std::vector<QString> texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.push_back(block.text());
    return texts;
}

QTextCharFormat FormatAt(const QTextDocument& document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

int PositionOf(const QTextDocument& document, const QString& text)
{
    return document.find(text, 0, QTextDocument::FindCaseSensitively).selectionStart();
}

struct WriterCase {
    const char* Name;
    const char* File;
    PageLayoutTwips Layout;
    std::vector<QString> Texts;
};

class ReadFixture : public ::testing::TestWithParam<WriterCase> {};

TEST_P(ReadFixture, GivesTheTextAndThePage)
{
    const WriterCase& given = GetParam();
    QTextDocument document;
    PageLayoutTwips layout;
    const Status read = RtfReader::Read(Fixture(given.File), document, layout);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(layout, given.Layout);
    EXPECT_EQ(Paragraphs(document), given.Texts);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ReadFixture,
    ::testing::Values(WriterCase{"RichEdit",
                                 "wordpad.rtf",
                                 {},
                                 {"Dear [First],", QString::fromUtf8("Caf\u00e9 costs \u20ac 5"),
                                  QString("one\ttwo") + QChar(QChar::LineSeparator) + "three"}},
                      WriterCase{"WordProcessor",
                                 "word.rtf",
                                 {11906, 16838, 1134, 1134, 1418, 1134},
                                 {QString::fromUtf8("\u201cQuoted\u201d text"), "1", "Name\tTown",
                                  "After the table"}},
                      WriterCase{"OfficeSuite",
                                 "libreoffice.rtf",
                                 {12240, 15840, 1701, 1134, 1134, 1134},
                                 {QString::fromUtf8("Plain green \u0421\u0438 end"), "Right on a new page"}},
                      WriterCase{"MacEditor",
                                 "textedit.rtf",
                                 {11900, 16840, 1440, 1440, 1440, 1440},
                                 {"Line one", "Line two", QString::fromUtf8("caf\u00e9")}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RtfReader, KeepsCharacterAndParagraphFormats)
{
    QTextDocument document;
    PageLayoutTwips layout;
    ASSERT_TRUE(RtfReader::Read(Fixture("wordpad.rtf"), document, layout));
    const QTextBlock first = document.begin();
    EXPECT_EQ(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat dear = FormatAt(document, 0);
    EXPECT_EQ(dear.fontFamilies().toStringList().value(0), "Arial");
    EXPECT_DOUBLE_EQ(dear.fontPointSize(), 14.0);
    EXPECT_EQ(dear.fontWeight(), QFont::Bold);

    const QTextCharFormat cafe = FormatAt(document, PositionOf(document, "Caf"));
    EXPECT_EQ(cafe.fontFamilies().toStringList().value(0), "Calibri");
    EXPECT_TRUE(cafe.fontItalic());
    EXPECT_EQ(cafe.foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(cafe.fontPointSize(), 11.0);

    const QTextBlockFormat tabs = first.next().next().blockFormat();
    EXPECT_DOUBLE_EQ(UnitsToTwips(tabs.leftMargin()), 720);
    EXPECT_DOUBLE_EQ(UnitsToTwips(tabs.rightMargin()), 360);
    EXPECT_DOUBLE_EQ(UnitsToTwips(tabs.textIndent()), -360);
    ASSERT_EQ(tabs.tabPositions().size(), 2);
    EXPECT_DOUBLE_EQ(UnitsToTwips(tabs.tabPositions()[1].position), 5760);
    EXPECT_EQ(tabs.tabPositions()[1].type, QTextOption::RightTab);
}

TEST(RtfReader, PageBreaksFromPageAndPagebb)
{
    for (const char* file : {"word.rtf", "libreoffice.rtf"}) {
        QTextDocument document;
        PageLayoutTwips layout;
        ASSERT_TRUE(RtfReader::Read(Fixture(file), document, layout)) << file;
        std::vector<bool> breaks;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            breaks.push_back(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
        const std::vector<bool> expected = std::string(file) == "word.rtf"
                                               ? std::vector<bool>{false, false, true, false}
                                               : std::vector<bool>{false, true};
        EXPECT_EQ(breaks, expected) << file;
    }
    QTextDocument document;
    PageLayoutTwips layout;
    ASSERT_TRUE(RtfReader::Read(Fixture("word.rtf"), document, layout));
    const QTextCharFormat text = FormatAt(document, PositionOf(document, "text"));
    EXPECT_TRUE(text.fontUnderline());
    EXPECT_TRUE(text.fontItalic());
    EXPECT_EQ(text.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(document.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
}

TEST(RtfReader, UnicodeFallbacksAndCodePages)
{
    struct Case {
        const char* Rtf;
        const char* Text;
    } cases[] = {
        {R"({\rtf1\ansi\ansicpg1252 \'e9\'80})", "\u00e9\u20ac"},
        {R"({\rtf1\ansi\ansicpg850 \'82})", "\u00e9"},
        {R"({\rtf1\uc2 a\u8364\'80\'80b})", "a\u20acb"},
        {R"({\rtf1 {\uc0\u8364}x\u-3971?})", "\u20acx\uf07d"},
        {R"({\rtf1 a\~b\{c\}\\})", "a\u00a0b{c}\\"},
        {R"({\rtf1 a\bin3 }{xb{\*\unknown \bin2 {}}c})", "abc"},
    };
    for (const Case& given : cases) {
        QTextDocument document;
        PageLayoutTwips layout;
        ASSERT_TRUE(RtfReader::Read(given.Rtf, document, layout)) << given.Rtf;
        EXPECT_EQ(document.toRawText(), QString::fromUtf8(given.Text)) << given.Rtf;
    }
}

TEST(RtfReader, DamagedTextIsRefusedAndLeavesTheDocumentEmpty)
{
    const std::string deep = "{\\rtf1 " + std::string(5000, '{') + std::string(5000, '}') + "}";
    for (const std::string& damaged :
         {std::string("plain text"), std::string("{\\rtf1 open {\\b group}"), std::string("{\\rtf1 x}}"),
          std::string("{\\rtf1 {\\pict\\pngblip\\bin900 ab}}"), std::string("{\\rtf1 bad \\'4"),
          std::string("{\\rtf1 bad \\'zz}"), deep, std::string()}) {
        QTextDocument document;
        document.setPlainText("before");
        PageLayoutTwips layout;
        layout.Left = 7;
        const Status read = RtfReader::Read(damaged, document, layout);
        if (damaged == "{\\rtf1 x}}") {
            EXPECT_TRUE(read) << "text after the document's group is not read";
            continue;
        }
        EXPECT_FALSE(read) << damaged.substr(0, 40);
        EXPECT_FALSE(read.Message().empty());
        EXPECT_TRUE(document.isEmpty());
        EXPECT_EQ(layout.Left, 7);
    }
}

TEST(RtfReader, PicturesInPngAndJpegOthersSkipped)
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "JPEG"));
    const std::string rtf = "{\\rtf1 a{\\pict\\jpegblip\\picwgoal720\\pichgoal360 " +
                            jpeg.toHex().toStdString() +
                            "}b{\\pict\\wmetafile8 0102}c{\\*\\shppict{\\pict\\pngblip 00}}d}";
    QTextDocument document;
    PageLayoutTwips layout;
    ASSERT_TRUE(RtfReader::Read(rtf, document, layout));
    EXPECT_EQ(document.toRawText(), QString("a") + QChar(QChar::ObjectReplacementCharacter) + "bcd")
        << "a metafile and a PNG that does not decode are left out";
    const QTextCharFormat picture = FormatAt(document, 1);
    ASSERT_TRUE(picture.isImageFormat());
    EXPECT_DOUBLE_EQ(picture.toImageFormat().width(), 48);
    EXPECT_DOUBLE_EQ(picture.toImageFormat().height(), 24);
    const QImage stored =
        document.resource(QTextDocument::ImageResource, QUrl(picture.toImageFormat().name())).value<QImage>();
    EXPECT_EQ(stored.size(), QSize(4, 2));
}

TEST(RtfReader, InsertGoesInAtTheCursor)
{
    QTextDocument document;
    document.setPlainText("AB");
    QTextCursor cursor(&document);
    cursor.setPosition(1);
    ASSERT_TRUE(RtfReader::Insert(R"({\rtf1 {\b x}y})", cursor));
    EXPECT_EQ(document.toPlainText(), "AxyB");
}

} // namespace
} // namespace corvane
