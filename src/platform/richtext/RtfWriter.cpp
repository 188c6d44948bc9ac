#include "platform/richtext/RtfWriter.h"

#include <cmath>
#include <map>
#include <vector>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextOption>
#include <QUrl>

#include "platform/xbase/CodePage.h"

namespace corvane {

namespace {

// Line length past which the next token starts a new line; readers ignore the CR LF pairs.
constexpr size_t LineLength = 200;

int Twips(double units)
{
    return static_cast<int>(std::lround(UnitsToTwips(units)));
}

// The Windows-1252 byte of each character that code page holds above 7-bit ASCII.
const std::map<char16_t, unsigned char>& Windows1252Bytes()
{
    static const std::map<char16_t, unsigned char> bytes = [] {
        std::map<char16_t, unsigned char> map;
        const xbase::CodePage page = xbase::CodePage::Windows1252();
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const std::string utf8 = page.ToUtf8(std::string(1, static_cast<char>(byte)));
            const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
            if (text.size() == 1 && text[0] != QChar::ReplacementCharacter)
                map.emplace(text[0].unicode(), static_cast<unsigned char>(byte));
        }
        return map;
    }();
    return bytes;
}

class Output {
  public:
    void Control(std::string_view word, std::optional<int> parameter = std::nullopt)
    {
        Break();
        FText += '\\';
        FText += word;
        if (parameter)
            FText += std::to_string(*parameter);
        FLine += word.size() + 1;
        FDelimit = true;
    }
    void Raw(std::string_view text)
    {
        Break();
        FText += text;
        FLine += text.size();
        FDelimit = false;
    }
    void Text(char c)
    {
        Break();
        if (FDelimit) {
            FText += ' ';
            FDelimit = false;
        }
        FText += c;
        ++FLine;
    }
    void NewLine()
    {
        FText += "\r\n";
        FLine = 0;
        FDelimit = false;
    }
    std::string& Take() { return FText; }

  private:
    void Break()
    {
        if (FLine < LineLength)
            return;
        if (FDelimit)
            FText += ' ';
        NewLine();
    }
    std::string FText;
    size_t FLine = 0;
    bool FDelimit = false;
};

struct RunFormat {
    int Font = 0;
    int HalfPoints = 20;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    int Vertical = 0;
    int Foreground = 0;
    int Background = 0;
    bool operator==(const RunFormat&) const = default;
};

class Writer {
  public:
    Writer(const QTextDocument& document, const PageLayoutTwips& layout)
        : FDocument(document), FLayout(layout)
    {
        FDefaultFamily = document.defaultFont().family();
        FDefaultPoints = document.defaultFont().pointSizeF() > 0 ? document.defaultFont().pointSizeF() : 12.0;
        FontIndex(FDefaultFamily);
    }

    std::string Run()
    {
        Output body;
        for (QTextBlock block = FDocument.begin(); block.isValid(); block = block.next())
            Paragraph(body, block);
        Output out;
        out.Raw("{");
        out.Control("rtf", 1);
        out.Control("ansi");
        out.Control("ansicpg", 1252);
        out.Control("deff", 0);
        out.NewLine();
        out.Raw("{");
        out.Control("fonttbl");
        for (size_t index = 0; index < FFonts.size(); ++index) {
            out.Raw("{");
            out.Control("f", static_cast<int>(index));
            out.Control("fnil");
            out.Control("fcharset", 0);
            EscapedText(out, FFonts[index] + ";");
            out.Raw("}");
        }
        out.Raw("}");
        out.NewLine();
        out.Raw("{");
        out.Control("colortbl");
        out.Raw(";");
        for (const QColor& color : FColors) {
            out.Control("red", color.red());
            out.Control("green", color.green());
            out.Control("blue", color.blue());
            out.Raw(";");
        }
        out.Raw("}");
        out.NewLine();
        out.Control("paperw", FLayout.PaperWidth);
        out.Control("paperh", FLayout.PaperHeight);
        out.Control("margl", FLayout.Left);
        out.Control("margr", FLayout.Right);
        out.Control("margt", FLayout.Top);
        out.Control("margb", FLayout.Bottom);
        out.Control("viewkind", 4);
        out.Control("uc", 1);
        out.NewLine();
        std::string text = std::move(out.Take());
        text += body.Take();
        text += "}\r\n";
        return text;
    }

  private:
    int FontIndex(const QString& family)
    {
        for (size_t index = 0; index < FFonts.size(); ++index) {
            if (FFonts[index] == family)
                return static_cast<int>(index);
        }
        FFonts.push_back(family);
        return static_cast<int>(FFonts.size()) - 1;
    }

    // Colour table entries from 1; 0 is the reader's automatic colour.
    int ColorIndex(const QColor& color)
    {
        const QColor opaque(color.red(), color.green(), color.blue());
        for (size_t index = 0; index < FColors.size(); ++index) {
            if (FColors[index] == opaque)
                return static_cast<int>(index) + 1;
        }
        FColors.push_back(opaque);
        return static_cast<int>(FColors.size());
    }

    RunFormat Format(const QTextCharFormat& format)
    {
        RunFormat run;
        QString family;
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty())
            family = families.first();
        if (family.isEmpty())
            family = FDefaultFamily;
        run.Font = FontIndex(family);
        const double points = format.fontPointSize() > 0 ? format.fontPointSize() : FDefaultPoints;
        run.HalfPoints = static_cast<int>(std::lround(points * 2));
        run.Bold = format.fontWeight() > QFont::Medium;
        run.Italic = format.fontItalic();
        run.Underline = format.fontUnderline();
        run.Strike = format.fontStrikeOut();
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            run.Vertical = 1;
        else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            run.Vertical = -1;
        if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
            run.Foreground = ColorIndex(format.foreground().color());
        if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
            run.Background = ColorIndex(format.background().color());
        return run;
    }

    void WriteFormat(Output& out, const RunFormat& run)
    {
        out.Control("plain");
        out.Control("f", run.Font);
        out.Control("fs", run.HalfPoints);
        if (run.Bold)
            out.Control("b");
        if (run.Italic)
            out.Control("i");
        if (run.Underline)
            out.Control("ul");
        if (run.Strike)
            out.Control("strike");
        if (run.Vertical > 0)
            out.Control("super");
        if (run.Vertical < 0)
            out.Control("sub");
        if (run.Foreground > 0)
            out.Control("cf", run.Foreground);
        if (run.Background > 0) {
            out.Control("chcbpat", run.Background);
            out.Control("cb", run.Background);
        }
    }

    void ParagraphFormat(Output& out, const QTextBlockFormat& format)
    {
        out.Control("pard");
        const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignJustify)
            out.Control("qj");
        else if (align & Qt::AlignHCenter)
            out.Control("qc");
        else if (align & (Qt::AlignRight | Qt::AlignTrailing))
            out.Control("qr");
        else
            out.Control("ql");
        if (const int left = Twips(format.leftMargin()))
            out.Control("li", left);
        if (const int right = Twips(format.rightMargin()))
            out.Control("ri", right);
        if (const int first = Twips(format.textIndent()))
            out.Control("fi", first);
        if (const int before = Twips(format.topMargin()))
            out.Control("sb", before);
        if (const int after = Twips(format.bottomMargin()))
            out.Control("sa", after);
        switch (format.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            if (std::lround(format.lineHeight()) != 100) {
                out.Control("sl", static_cast<int>(std::lround(format.lineHeight() * 240.0 / 100.0)));
                out.Control("slmult", 1);
            }
            break;
        case QTextBlockFormat::MinimumHeight:
            out.Control("sl", Twips(format.lineHeight()));
            out.Control("slmult", 0);
            break;
        case QTextBlockFormat::FixedHeight:
            out.Control("sl", -Twips(format.lineHeight()));
            out.Control("slmult", 0);
            break;
        default:
            break;
        }
        for (const QTextOption::Tab& tab : format.tabPositions()) {
            if (tab.type == QTextOption::RightTab)
                out.Control("tqr");
            else if (tab.type == QTextOption::CenterTab)
                out.Control("tqc");
            else if (tab.type == QTextOption::DelimiterTab)
                out.Control("tqdec");
            out.Control("tx", Twips(tab.position));
        }
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            out.Control("pagebb");
    }

    void Paragraph(Output& out, const QTextBlock& block)
    {
        ParagraphFormat(out, block.blockFormat());
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const RunFormat run = Format(format);
            if (!any || !(run == FLast)) {
                WriteFormat(out, run);
                FLast = run;
            }
            any = true;
            if (format.isImageFormat()) {
                const int pictures =
                    static_cast<int>(fragment.text().count(QChar::ObjectReplacementCharacter));
                for (int picture = 0; picture < pictures; ++picture)
                    Picture(out, format.toImageFormat());
                continue;
            }
            EscapedText(out, fragment.text());
        }
        if (!any) // an empty paragraph keeps its size
            WriteFormat(out, FLast = Format(block.charFormat()));
        out.Control("par");
        out.NewLine();
    }

    void Picture(Output& out, const QTextImageFormat& format)
    {
        const QVariant resource = FDocument.resource(QTextDocument::ImageResource, QUrl(format.name()));
        QImage image;
        if (resource.canConvert<QImage>())
            image = resource.value<QImage>();
        else if (resource.canConvert<QPixmap>())
            image = resource.value<QPixmap>().toImage();
        if (image.isNull())
            return;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return;
        const double width = format.width() > 0 ? format.width() : image.width();
        const double height = format.height() > 0 ? format.height() : image.height();
        out.Raw("{");
        out.Control("pict");
        out.Control("pngblip");
        out.Control("picw", image.width());
        out.Control("pich", image.height());
        out.Control("picwgoal", Twips(width));
        out.Control("pichgoal", Twips(height));
        out.NewLine();
        const QByteArray hex = png.toHex();
        for (qsizetype start = 0; start < hex.size(); start += 128) {
            out.Raw(std::string_view(hex.constData() + start,
                                     static_cast<size_t>(std::min<qsizetype>(128, hex.size() - start))));
            out.NewLine();
        }
        out.Raw("}");
    }

    static void EscapedText(Output& out, const QString& text)
    {
        const auto& bytes = Windows1252Bytes();
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            if (code == '\\' || code == '{' || code == '}') {
                out.Raw(std::string{'\\', static_cast<char>(code)});
            } else if (code == '\t') {
                out.Control("tab");
            } else if (code == QChar::LineSeparator || code == QChar::ParagraphSeparator) {
                out.Control("line");
            } else if (code == 0x00A0) {
                out.Raw("\\~");
            } else if (code >= 0x20 && code < 0x7F) {
                out.Text(static_cast<char>(code));
            } else if (code < 0x20 || code == QChar::ObjectReplacementCharacter || code == 0x7F) {
                continue;
            } else if (auto found = bytes.find(code); found != bytes.end()) {
                static const char digits[] = "0123456789abcdef";
                out.Raw(std::string{'\\', '\'', digits[found->second >> 4], digits[found->second & 15]});
            } else {
                out.Control("u", static_cast<int>(static_cast<int16_t>(code)));
                out.Text('?');
            }
        }
    }

    const QTextDocument& FDocument;
    PageLayoutTwips FLayout;
    QString FDefaultFamily;
    double FDefaultPoints = 12.0;
    std::vector<QString> FFonts;
    std::vector<QColor> FColors;
    RunFormat FLast;
};

} // namespace

std::string RtfWriter::Write(const QTextDocument& document, const PageLayoutTwips& layout)
{
    return Writer(document, layout).Run();
}

} // namespace corvane
