// What the writer writes, the reader reads back: text, character and paragraph formats, pictures
// and the page layout; and the writer's text is 7-bit ASCII in CR LF lines.
#include <gtest/gtest.h>

#include <string>

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

namespace corvane {
namespace {

QTextCharFormat Chars(const QString& family, double points, bool bold, bool italic, bool underline,
                      QColor color = {}, QColor background = {})
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    if (color.isValid())
        format.setForeground(color);
    if (background.isValid())
        format.setBackground(background);
    return format;
}

// A letter with every format the editor offers.
void BuildLetter(QTextDocument& document)
{
    QTextCursor cursor(&document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText("Dear [Full Name],", Chars("Arial", 14, true, false, false));
    QTextBlockFormat indented;
    indented.setAlignment(Qt::AlignJustify);
    indented.setLeftMargin(TwipsToUnits(720));
    indented.setRightMargin(TwipsToUnits(283));
    indented.setTextIndent(TwipsToUnits(-360));
    indented.setTopMargin(TwipsToUnits(120));
    indented.setBottomMargin(TwipsToUnits(240));
    indented.setTabPositions({QTextOption::Tab(TwipsToUnits(1440), QTextOption::LeftTab),
                              QTextOption::Tab(TwipsToUnits(5000), QTextOption::RightTab)});
    cursor.insertBlock(indented);
    cursor.insertText(QString::fromUtf8("Caf\u00e9 {brace} \\ back\t\u20ac \u0421 "),
                      Chars("Times New Roman", 11.5, false, true, false, QColor(0, 128, 0)));
    cursor.insertText(QString("line") + QChar(QChar::LineSeparator) + "break",
                      Chars("Courier New", 9, true, true, true, QColor(200, 0, 0), QColor(255, 255, 0)));
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    right.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(right);
    cursor.insertText("On page two", Chars("Arial", 10, false, false, false));
    cursor.insertBlock(QTextBlockFormat());
    QImage picture(8, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    document.addResource(QTextDocument::ImageResource, QUrl("picture"), picture);
    QTextImageFormat image;
    image.setName("picture");
    image.setWidth(TwipsToUnits(1440));
    image.setHeight(TwipsToUnits(720));
    cursor.insertImage(image);
    cursor.insertBlock(QTextBlockFormat()); // an empty last paragraph stays
}

void ExpectSameDocument(const QTextDocument& expected, const QTextDocument& actual)
{
    ASSERT_EQ(expected.blockCount(), actual.blockCount());
    EXPECT_EQ(expected.toPlainText(), actual.toPlainText());
    for (QTextBlock a = expected.begin(), b = actual.begin(); a.isValid(); a = a.next(), b = b.next()) {
        const QTextBlockFormat x = a.blockFormat(), y = b.blockFormat();
        const auto align = [](Qt::Alignment value) {
            return value & Qt::AlignHorizontal_Mask ? value & Qt::AlignHorizontal_Mask : Qt::AlignLeft;
        };
        EXPECT_EQ(align(x.alignment()), align(y.alignment())) << a.text().toStdString();
        EXPECT_NEAR(x.leftMargin(), y.leftMargin(), 0.01);
        EXPECT_NEAR(x.rightMargin(), y.rightMargin(), 0.01);
        EXPECT_NEAR(x.textIndent(), y.textIndent(), 0.01);
        EXPECT_NEAR(x.topMargin(), y.topMargin(), 0.01);
        EXPECT_NEAR(x.bottomMargin(), y.bottomMargin(), 0.01);
        EXPECT_EQ(x.pageBreakPolicy(), y.pageBreakPolicy());
        ASSERT_EQ(x.tabPositions().size(), y.tabPositions().size());
        for (qsizetype tab = 0; tab < x.tabPositions().size(); ++tab) {
            EXPECT_NEAR(x.tabPositions()[tab].position, y.tabPositions()[tab].position, 0.01);
            EXPECT_EQ(x.tabPositions()[tab].type, y.tabPositions()[tab].type);
        }
        for (int offset = 0; offset < a.length() - 1; ++offset) {
            QTextCursor left(const_cast<QTextDocument*>(&expected)),
                right(const_cast<QTextDocument*>(&actual));
            left.setPosition(a.position() + offset + 1);
            right.setPosition(b.position() + offset + 1);
            const QTextCharFormat f = left.charFormat(), g = right.charFormat();
            const QString where = a.text().mid(offset, 1);
            const auto family = [](const QTextCharFormat& format, const QTextDocument& document) {
                const QStringList families = format.fontFamilies().toStringList();
                return families.isEmpty() ? document.defaultFont().family() : families.first();
            };
            const auto points = [](const QTextCharFormat& format, const QTextDocument& document) {
                return format.fontPointSize() > 0 ? format.fontPointSize()
                                                  : document.defaultFont().pointSizeF();
            };
            EXPECT_EQ(family(f, expected), family(g, actual)) << where.toStdString();
            EXPECT_DOUBLE_EQ(points(f, expected), points(g, actual)) << where.toStdString();
            EXPECT_EQ(f.fontWeight() > QFont::Medium, g.fontWeight() > QFont::Medium);
            EXPECT_EQ(f.fontItalic(), g.fontItalic());
            EXPECT_EQ(f.fontUnderline(), g.fontUnderline());
            EXPECT_EQ(f.foreground().color(), g.foreground().color());
            EXPECT_EQ(f.background().color(), g.background().color());
            EXPECT_EQ(f.isImageFormat(), g.isImageFormat());
            if (f.isImageFormat()) {
                EXPECT_NEAR(f.toImageFormat().width(), g.toImageFormat().width(), 0.01);
                const QVariant image =
                    actual.resource(QTextDocument::ImageResource, QUrl(g.toImageFormat().name()));
                EXPECT_EQ(image.value<QImage>().size(), QSize(8, 4));
            }
        }
    }
}

TEST(RtfRoundTrip, ReadOfWriteKeepsTextFormatsAndLayout)
{
    QTextDocument document;
    document.setDefaultFont(QFont("Arial", 10));
    BuildLetter(document);
    const PageLayoutTwips layout{11906, 16838, 1134, 1000, 1418, 567};
    const std::string rtf = RtfWriter::Write(document, layout);

    QTextDocument back;
    PageLayoutTwips read;
    const Status status = RtfReader::Read(rtf, back, read);
    ASSERT_TRUE(status) << status.Message();
    EXPECT_EQ(read, layout);
    ExpectSameDocument(document, back);
    EXPECT_EQ(RtfWriter::Write(back, read), rtf) << "writing what was read changes nothing";
}

TEST(RtfRoundTrip, WrittenTextIsSevenBitInCrLfLines)
{
    QTextDocument document;
    BuildLetter(document);
    const std::string rtf = RtfWriter::Write(document, {});
    ASSERT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252"));
    for (size_t index = 0; index < rtf.size(); ++index) {
        const unsigned char c = static_cast<unsigned char>(rtf[index]);
        ASSERT_LT(c, 0x80) << "at " << index;
        if (c == '\n') {
            ASSERT_TRUE(index > 0 && rtf[index - 1] == '\r') << "at " << index;
        }
        if (c == '\r') {
            ASSERT_TRUE(index + 1 < rtf.size() && rtf[index + 1] == '\n') << "at " << index;
        }
    }
    EXPECT_NE(rtf.find("Caf\\'e9"), std::string::npos);
    EXPECT_NE(rtf.find("\\u1057 ?"), std::string::npos);
    EXPECT_NE(rtf.find("\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440"),
              std::string::npos);
}

TEST(RtfRoundTrip, EmptyDocumentStaysOneEmptyParagraph)
{
    QTextDocument document;
    QTextDocument back;
    PageLayoutTwips layout;
    ASSERT_TRUE(RtfReader::Read(RtfWriter::Write(document, layout), back, layout));
    EXPECT_EQ(back.blockCount(), 1);
    EXPECT_TRUE(back.isEmpty());
}

} // namespace
} // namespace corvane
