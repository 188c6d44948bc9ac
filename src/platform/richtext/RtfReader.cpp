#include "platform/richtext/RtfReader.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QTextOption>
#include <QUrl>

#include "platform/xbase/CodePage.h"

namespace corvane {

namespace {

// Deeper nesting than any writer produces is taken as damage rather than followed.
constexpr int MaxGroupDepth = 1000;
// Word's default size when a text sets none: 12 points.
constexpr int DefaultHalfPoints = 24;

struct CharState {
    int Font = -1;
    int HalfPoints = DefaultHalfPoints;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    int Vertical = 0; // -1 subscript, 1 superscript
    int Foreground = -1;
    int Background = -1;
    bool operator==(const CharState&) const = default;
};

struct TabStop {
    int Position = 0;
    QTextOption::TabType Type = QTextOption::LeftTab;
};

struct ParaState {
    Qt::Alignment Align = Qt::AlignLeft;
    int Left = 0;
    int Right = 0;
    int First = 0;
    int Before = 0;
    int After = 0;
    int LineSpacing = 0;
    bool LineMultiple = false;
    std::vector<TabStop> Tabs;
    QTextOption::TabType NextTabType = QTextOption::LeftTab;
    bool PageBreakBefore = false;
};

enum class Destination { Text, FontTable, ColorTable, Picture, Skip };

enum class PictureKind { None, Png, Jpeg };

struct GroupState {
    CharState Char;
    ParaState Para;
    int UnicodeSkip = 1;
    Destination Target = Destination::Text;
};

// Destinations that hold no text of the document; skipped with their groups.
bool SkippedDestination(std::string_view word)
{
    static const std::string_view skipped[] = {"stylesheet",
                                               "info",
                                               "header",
                                               "headerl",
                                               "headerr",
                                               "headerf",
                                               "footer",
                                               "footerl",
                                               "footerr",
                                               "footerf",
                                               "footnote",
                                               "annotation",
                                               "object",
                                               "listtable",
                                               "listoverridetable",
                                               "revtbl",
                                               "rsidtbl",
                                               "generator",
                                               "xmlnstbl",
                                               "filetbl",
                                               "themedata",
                                               "colorschememapping",
                                               "latentstyles",
                                               "datastore",
                                               "nonshppict",
                                               "fldinst",
                                               "private",
                                               "pgdsctbl",
                                               "template",
                                               "userprops",
                                               "atnid",
                                               "atnauthor",
                                               "bkmkstart",
                                               "bkmkend",
                                               "pn",
                                               "txe",
                                               "xe",
                                               "tc"};
    return std::find(std::begin(skipped), std::end(skipped), word) != std::end(skipped);
}

xbase::CodePage CodePageNumbered(int number)
{
    switch (number) {
    case 437:
        return xbase::CodePage::FromMark(0x01);
    case 850:
        return xbase::CodePage::FromMark(0x02);
    default:
        return xbase::CodePage::Windows1252();
    }
}

class Parser {
  public:
    Parser(std::string_view text, QTextDocument& document, PageLayoutTwips& layout)
        : FText(text), FDocument(document), FCursor(&document), FLayout(layout),
          FCodePage(xbase::CodePage::Windows1252())
    {
    }

    Status Run()
    {
        size_t start = 0;
        while (start < FText.size() &&
               (FText[start] == ' ' || FText[start] == '\r' || FText[start] == '\n' || FText[start] == '\t'))
            ++start;
        if (FText.substr(start, 5) != "{\\rtf")
            return Status::Error("The text is not RTF: it does not begin with {\\rtf");
        FPos = start;
        FCursor.movePosition(QTextCursor::Start);
        while (FPos < FText.size()) {
            const char c = FText[FPos];
            if (c == '{') {
                ++FPos;
                if (FStack.size() >= MaxGroupDepth)
                    return Status::Error("The RTF text nests its groups too deeply");
                FStack.push_back(FStack.empty() ? GroupState{} : FStack.back());
                FSkipFallback = 0;
            } else if (c == '}') {
                ++FPos;
                if (Status closed = CloseGroup(); !closed)
                    return closed;
                if (FStack.empty())
                    break; // the document's own group ended; what follows is not read
            } else if (c == '\\') {
                if (Status done = ControlWord(); !done)
                    return done;
            } else if (c == '\r' || c == '\n') {
                ++FPos;
            } else {
                ++FPos;
                if (FStack.empty())
                    continue;
                if (Target() == Destination::Picture) {
                    FPictureHex.push_back(c);
                } else {
                    TextByte(static_cast<unsigned char>(c));
                }
            }
        }
        if (!FStack.empty())
            return Status::Error("The RTF text ends inside an open group; the file is damaged or cut off");
        Flush();
        if (auto font = FFonts.find(FDefaultFont); font != FFonts.end() && !font->second.isEmpty()) {
            QFont standard = FDocument.defaultFont();
            standard.setFamilies(QStringList{font->second});
            FDocument.setDefaultFont(standard);
        }
        // Writers end every paragraph with \par, the last one too: the empty block after it is
        // not a paragraph of the text.
        if (!FParagraphHasText && !FBlockPageBreak && FDocument.blockCount() > 1)
            FCursor.deletePreviousChar();
        else
            FinishParagraph(false);
        return Status::Success();
    }

  private:
    GroupState& State() { return FStack.back(); }
    Destination Target() const { return FStack.empty() ? Destination::Skip : FStack.back().Target; }

    Status CloseGroup()
    {
        if (FStack.empty())
            return Status::Error("The RTF text closes a group it never opened");
        const Destination ending = FStack.back().Target;
        const bool parentHasSame = FStack.size() > 1 && FStack[FStack.size() - 2].Target == ending;
        if (ending == Destination::Picture && !parentHasSame)
            InsertPicture();
        if (ending == Destination::FontTable && !FFontName.isEmpty())
            EndFontEntry();
        FlushIfChanged(FStack.size() > 1 ? &FStack[FStack.size() - 2] : nullptr);
        FStack.pop_back();
        FSkipFallback = 0;
        return Status::Success();
    }

    // Reads one control word or symbol at FPos (a backslash).
    Status ControlWord()
    {
        ++FPos;
        if (FPos >= FText.size())
            return Status::Error("The RTF text ends after a backslash");
        const char c = FText[FPos];
        if (!IsLetter(c)) {
            ++FPos;
            return ControlSymbol(c);
        }
        const size_t wordStart = FPos;
        while (FPos < FText.size() && IsLetter(FText[FPos]) && FPos - wordStart < 32)
            ++FPos;
        const std::string_view word = FText.substr(wordStart, FPos - wordStart);
        std::optional<int> parameter;
        bool negative = false;
        if (FPos < FText.size() && FText[FPos] == '-') {
            negative = true;
            ++FPos;
        }
        int64_t value = 0;
        size_t digits = 0;
        while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9') {
            if (digits < 10)
                value = value * 10 + (FText[FPos] - '0');
            ++digits;
            ++FPos;
        }
        if (digits > 0) {
            value = std::clamp<int64_t>(negative ? -value : value, -2147483647, 2147483647);
            parameter = static_cast<int>(value);
        }
        if (FPos < FText.size() && FText[FPos] == ' ')
            ++FPos;
        if (FStack.empty())
            return Status::Success();
        return Word(word, parameter);
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    Status ControlSymbol(char c)
    {
        if (FStack.empty())
            return Status::Success();
        switch (c) {
        case '\\':
        case '{':
        case '}':
            if (Target() == Destination::Picture)
                return Status::Success();
            TextByte(static_cast<unsigned char>(c));
            return Status::Success();
        case '~':
            Character(QChar(0x00A0));
            return Status::Success();
        case '_':
            Character(QChar(0x2011));
            return Status::Success();
        case '-':
            Character(QChar(0x00AD));
            return Status::Success();
        case '*':
            FIgnorableNext = true;
            return Status::Success();
        case '\'':
            return HexByte();
        case '\r':
        case '\n':
            return Word("par", std::nullopt);
        default:
            return Status::Success();
        }
    }

    Status HexByte()
    {
        if (FPos + 2 > FText.size())
            return Status::Error("The RTF text ends inside a \\' character");
        const int high = HexValue(FText[FPos]);
        const int low = HexValue(FText[FPos + 1]);
        FPos += 2;
        if (high < 0 || low < 0)
            return Status::Error("The RTF text has a \\' that is not followed by two hex digits");
        if (Target() == Destination::Picture)
            return Status::Success();
        TextByte(static_cast<unsigned char>(high * 16 + low));
        return Status::Success();
    }

    static int HexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // One byte of text in the document's code page.
    void TextByte(unsigned char byte)
    {
        if (FSkipFallback > 0) {
            --FSkipFallback;
            return;
        }
        if (Target() == Destination::FontTable) {
            if (byte == ';') {
                EndFontEntry();
            } else {
                FFontName += Decoded(byte);
            }
            return;
        }
        if (Target() == Destination::ColorTable) {
            if (byte == ';') {
                FColors.push_back(FColorDefined ? QColor(FRed, FGreen, FBlue) : QColor());
                FRed = FGreen = FBlue = 0;
                FColorDefined = false;
            }
            return;
        }
        if (Target() != Destination::Text)
            return;
        if (byte == '\t') {
            Character(QChar('\t'));
            return;
        }
        if (byte < 0x20)
            return;
        Character(Decoded(byte));
    }

    QString Decoded(unsigned char byte) const
    {
        if (byte < 0x80)
            return QString(QChar(byte));
        const std::string utf8 = FCodePage.ToUtf8(std::string(1, static_cast<char>(byte)));
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }

    // Characters a document cannot hold as text (controls, the editor's own frame and object
    // marks) are dropped; a paragraph separator inside a paragraph is a line break.
    static QString Storable(const QString& text)
    {
        QString kept;
        for (QChar c : text) {
            const char16_t code = c.unicode();
            if ((code < 0x20 && code != '\t') || code == 0x7F || code == 0xFDD0 || code == 0xFDD1 ||
                code == QChar::ObjectReplacementCharacter)
                continue;
            kept += code == QChar::ParagraphSeparator ? QChar(QChar::LineSeparator) : c;
        }
        return kept;
    }

    void Character(const QString& given)
    {
        const QString text = Storable(given);
        if (Target() != Destination::Text || text.isEmpty())
            return;
        if (FPendingCellTab) {
            FPendingCellTab = false;
            Character(QString(QChar('\t')));
        }
        if (FBuffer.isEmpty() || FBufferState != State().Char) {
            Flush();
            FBufferState = State().Char;
        }
        FBuffer += text;
        FParagraphHasText = true;
    }
    void Character(QChar c) { Character(QString(c)); }

    // Puts the collected text into the document when the state it was collected under ends.
    void FlushIfChanged(const GroupState* next)
    {
        if (!next || next->Char != FBufferState)
            Flush();
    }

    void Flush()
    {
        if (FBuffer.isEmpty())
            return;
        FCursor.insertText(FBuffer, CharFormat(FBufferState));
        FBuffer.clear();
    }

    QTextCharFormat CharFormat(const CharState& state) const
    {
        QTextCharFormat format;
        const int font = state.Font >= 0 ? state.Font : FDefaultFont;
        if (auto found = FFonts.find(font); found != FFonts.end() && !found->second.isEmpty())
            format.setFontFamilies(QStringList{found->second});
        format.setFontPointSize(state.HalfPoints / 2.0);
        format.setFontWeight(state.Bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(state.Italic);
        format.setFontUnderline(state.Underline);
        format.setFontStrikeOut(state.Strike);
        if (state.Vertical > 0)
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (state.Vertical < 0)
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        if (const QColor color = Color(state.Foreground); color.isValid())
            format.setForeground(color);
        if (const QColor color = Color(state.Background); color.isValid())
            format.setBackground(color);
        return format;
    }

    QColor Color(int index) const
    {
        if (index < 0 || index >= static_cast<int>(FColors.size()))
            return {};
        return FColors[static_cast<size_t>(index)];
    }

    QTextBlockFormat BlockFormat(const ParaState& para) const
    {
        QTextBlockFormat format;
        format.setAlignment(para.Align);
        format.setLeftMargin(TwipsToUnits(para.Left));
        format.setRightMargin(TwipsToUnits(para.Right));
        format.setTextIndent(TwipsToUnits(para.First));
        format.setTopMargin(TwipsToUnits(para.Before));
        format.setBottomMargin(TwipsToUnits(para.After));
        if (para.LineSpacing != 0) {
            if (para.LineMultiple && para.LineSpacing > 0)
                format.setLineHeight(para.LineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
            else if (para.LineSpacing > 0)
                format.setLineHeight(TwipsToUnits(para.LineSpacing), QTextBlockFormat::MinimumHeight);
            else
                format.setLineHeight(TwipsToUnits(-static_cast<double>(para.LineSpacing)),
                                     QTextBlockFormat::FixedHeight);
        }
        QList<QTextOption::Tab> tabs;
        for (const TabStop& stop : para.Tabs)
            tabs.append(QTextOption::Tab(TwipsToUnits(stop.Position), stop.Type));
        if (!tabs.isEmpty())
            format.setTabPositions(tabs);
        if (para.PageBreakBefore || FBlockPageBreak)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        return format;
    }

    // Ends the paragraph being read: its properties are the ones in force at its end.
    void FinishParagraph(bool startNext)
    {
        Flush();
        FPendingCellTab = false;
        if (FStack.empty() && !startNext) {
            FCursor.setBlockFormat(BlockFormat(FLastPara));
            return;
        }
        const GroupState& state = FStack.empty() ? FLastState : State();
        FCursor.setBlockFormat(BlockFormat(state.Para));
        FCursor.setBlockCharFormat(CharFormat(state.Char));
        FBlockPageBreak = false;
        FParagraphHasText = false;
        if (startNext)
            FCursor.insertBlock(QTextBlockFormat(), CharFormat(state.Char));
    }

    void EndFontEntry()
    {
        QString name = FFontName.trimmed();
        if (name.endsWith(';'))
            name.chop(1);
        if (FFontNumber >= 0)
            FFonts[FFontNumber] = name;
        FFontName.clear();
    }

    void InsertPicture()
    {
        if (FPictureKind == PictureKind::None)
            return;
        QByteArray bytes = FPictureBinary;
        if (bytes.isEmpty())
            bytes = QByteArray::fromHex(FPictureHex);
        FPictureHex.clear();
        FPictureBinary.clear();
        QImage image;
        if (!image.loadFromData(bytes, FPictureKind == PictureKind::Png ? "PNG" : "JPEG") || image.isNull()) {
            FPictureKind = PictureKind::None;
            return;
        }
        FPictureKind = PictureKind::None;
        // The shown size in twips: the goal size, scaled; else the picture's own at 96 per inch.
        double width = FPictureGoalWidth > 0 ? FPictureGoalWidth : image.width() * TwipsPerDocumentUnit;
        double height = FPictureGoalHeight > 0 ? FPictureGoalHeight : image.height() * TwipsPerDocumentUnit;
        width = width * std::clamp(FPictureScaleX, 1, 10000) / 100.0;
        height = height * std::clamp(FPictureScaleY, 1, 10000) / 100.0;
        const QString name = QStringLiteral("rtf-picture-%1").arg(++FPictureCount);
        FDocument.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.merge(CharFormat(State().Char));
        format.setName(name);
        format.setWidth(TwipsToUnits(width));
        format.setHeight(TwipsToUnits(height));
        Flush();
        FCursor.insertImage(format);
        FParagraphHasText = true;
    }

    Status Word(std::string_view word, std::optional<int> parameter)
    {
        const bool ignorable = FIgnorableNext;
        FIgnorableNext = false;
        const int value = parameter.value_or(0);
        const bool on = !parameter || *parameter != 0;
        GroupState& state = State();

        // Binary data is skipped by its length wherever it stands (pictures keep theirs below).
        if (word == "bin" && Target() != Destination::Picture) {
            if (value < 0 || static_cast<size_t>(value) > FText.size() - FPos)
                return Status::Error("The RTF text's binary data runs past its end");
            FPos += static_cast<size_t>(value);
            return Status::Success();
        }
        if (Target() == Destination::Skip)
            return Status::Success();
        if (FSkipFallback > 0 && word != "u") {
            --FSkipFallback;
            return Status::Success();
        }

        // Destinations first: they change where the group's text goes.
        if (word == "fonttbl") {
            state.Target = Destination::FontTable;
            return Status::Success();
        }
        if (word == "colortbl") {
            state.Target = Destination::ColorTable;
            FColors.clear();
            return Status::Success();
        }
        if (word == "pict") {
            Flush();
            state.Target = Destination::Picture;
            FPictureKind = PictureKind::None;
            FPictureHex.clear();
            FPictureBinary.clear();
            FPictureGoalWidth = FPictureGoalHeight = 0;
            FPictureScaleX = FPictureScaleY = 100;
            return Status::Success();
        }
        if (word == "shppict" || word == "fldrslt")
            return Status::Success(); // their content is the document's
        if (ignorable || SkippedDestination(word)) {
            if (Target() == Destination::Text || ignorable || Target() == Destination::FontTable) {
                Flush();
                state.Target = Destination::Skip;
            }
            return Status::Success();
        }

        if (Target() == Destination::FontTable) {
            if (word == "f")
                FFontNumber = value;
            return Status::Success();
        }
        if (Target() == Destination::ColorTable) {
            const int component = std::clamp(value, 0, 255);
            if (word == "red")
                FRed = component;
            else if (word == "green")
                FGreen = component;
            else if (word == "blue")
                FBlue = component;
            else
                return Status::Success();
            FColorDefined = true;
            return Status::Success();
        }
        if (Target() == Destination::Picture)
            return PictureWord(word, parameter);

        // Document and page.
        if (word == "ansicpg") {
            FCodePage = CodePageNumbered(value);
        } else if (word == "pc") {
            FCodePage = CodePageNumbered(437);
        } else if (word == "pca") {
            FCodePage = CodePageNumbered(850);
        } else if (word == "deff") {
            FDefaultFont = value;
        } else if (word == "paperw" || word == "pgwsxn") {
            FLayout.PaperWidth = PositiveTwips(value, FLayout.PaperWidth);
        } else if (word == "paperh" || word == "pghsxn") {
            FLayout.PaperHeight = PositiveTwips(value, FLayout.PaperHeight);
        } else if (word == "margl" || word == "marglsxn") {
            FLayout.Left = MarginTwips(value);
        } else if (word == "margr" || word == "margrsxn") {
            FLayout.Right = MarginTwips(value);
        } else if (word == "margt" || word == "margtsxn") {
            FLayout.Top = MarginTwips(value);
        } else if (word == "margb" || word == "margbsxn") {
            FLayout.Bottom = MarginTwips(value);
        }
        // Unicode.
        else if (word == "uc") {
            state.UnicodeSkip = std::clamp(value, 0, 10);
        } else if (word == "u") {
            int code = value;
            if (code < 0)
                code += 65536;
            if (code >= 0 && code <= 0xFFFF)
                Character(QChar(static_cast<char16_t>(code)));
            FSkipFallback = state.UnicodeSkip;
        }
        // Characters.
        else if (word == "plain") {
            state.Char = CharState{};
        } else if (word == "f") {
            state.Char.Font = value;
        } else if (word == "fs") {
            state.Char.HalfPoints = parameter ? std::clamp(value, 2, 3276) : DefaultHalfPoints;
        } else if (word == "b") {
            state.Char.Bold = on;
        } else if (word == "i") {
            state.Char.Italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash") {
            state.Char.Underline = on;
        } else if (word == "ulnone") {
            state.Char.Underline = false;
        } else if (word == "strike") {
            state.Char.Strike = on;
        } else if (word == "super") {
            state.Char.Vertical = on ? 1 : 0;
        } else if (word == "sub") {
            state.Char.Vertical = on ? -1 : 0;
        } else if (word == "nosupersub") {
            state.Char.Vertical = 0;
        } else if (word == "cf") {
            state.Char.Foreground = value;
        } else if (word == "cb" || word == "chcbpat" || word == "highlight") {
            state.Char.Background = value == 0 ? -1 : value;
        }
        // Paragraphs.
        else if (word == "pard") {
            state.Para = ParaState{};
        } else if (word == "ql") {
            state.Para.Align = Qt::AlignLeft;
        } else if (word == "qc") {
            state.Para.Align = Qt::AlignHCenter;
        } else if (word == "qr") {
            state.Para.Align = Qt::AlignRight;
        } else if (word == "qj") {
            state.Para.Align = Qt::AlignJustify;
        } else if (word == "li") {
            state.Para.Left = value;
        } else if (word == "ri") {
            state.Para.Right = value;
        } else if (word == "fi") {
            state.Para.First = value;
        } else if (word == "sb") {
            state.Para.Before = std::max(value, 0);
        } else if (word == "sa") {
            state.Para.After = std::max(value, 0);
        } else if (word == "sl") {
            state.Para.LineSpacing = std::clamp(value, -31680, 31680);
        } else if (word == "slmult") {
            state.Para.LineMultiple = on;
        } else if (word == "tqr") {
            state.Para.NextTabType = QTextOption::RightTab;
        } else if (word == "tqc") {
            state.Para.NextTabType = QTextOption::CenterTab;
        } else if (word == "tqdec") {
            state.Para.NextTabType = QTextOption::DelimiterTab;
        } else if (word == "tx" || word == "tb") {
            if (state.Para.Tabs.size() < 100)
                state.Para.Tabs.push_back({std::clamp(value, 0, 31680 * 2), state.Para.NextTabType});
            state.Para.NextTabType = QTextOption::LeftTab;
        } else if (word == "pagebb") {
            state.Para.PageBreakBefore = on;
        } else if (word == "par" || word == "sect") {
            FLastState = state;
            FinishParagraph(true);
        } else if (word == "page") {
            if (FParagraphHasText) {
                FLastState = state;
                FinishParagraph(true);
            }
            FBlockPageBreak = true;
        } else if (word == "line") {
            Character(QChar(QChar::LineSeparator));
        } else if (word == "tab") {
            Character(QChar('\t'));
        } else if (word == "cell" || word == "nestcell") {
            FPendingCellTab = true;
        } else if (word == "row" || word == "nestrow") {
            FLastState = state;
            FinishParagraph(true);
        } else if (word == "emdash") {
            Character(QChar(0x2014));
        } else if (word == "endash") {
            Character(QChar(0x2013));
        } else if (word == "bullet") {
            Character(QChar(0x2022));
        } else if (word == "lquote") {
            Character(QChar(0x2018));
        } else if (word == "rquote") {
            Character(QChar(0x2019));
        } else if (word == "ldblquote") {
            Character(QChar(0x201C));
        } else if (word == "rdblquote") {
            Character(QChar(0x201D));
        } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
            Character(QChar(' '));
        }
        FLastPara = state.Para;
        return Status::Success();
    }

    Status PictureWord(std::string_view word, std::optional<int> parameter)
    {
        const int value = parameter.value_or(0);
        if (word == "pngblip") {
            FPictureKind = PictureKind::Png;
        } else if (word == "jpegblip") {
            FPictureKind = PictureKind::Jpeg;
        } else if (word == "picwgoal") {
            FPictureGoalWidth = std::clamp(value, 0, 31680 * 4);
        } else if (word == "pichgoal") {
            FPictureGoalHeight = std::clamp(value, 0, 31680 * 4);
        } else if (word == "picscalex") {
            FPictureScaleX = value;
        } else if (word == "picscaley") {
            FPictureScaleY = value;
        } else if (word == "bin") {
            if (value < 0 || static_cast<size_t>(value) > FText.size() - FPos)
                return Status::Error("The RTF text's binary picture data runs past its end");
            FPictureBinary = QByteArray(FText.data() + FPos, value);
            FPos += static_cast<size_t>(value);
        }
        return Status::Success();
    }

    static int PositiveTwips(int value, int previous)
    {
        return value > 0 ? std::min(value, 31680 * 4) : previous;
    }
    static int MarginTwips(int value) { return std::clamp(value, 0, 31680 * 4); }

    std::string_view FText;
    size_t FPos = 0;
    QTextDocument& FDocument;
    QTextCursor FCursor;
    PageLayoutTwips& FLayout;
    xbase::CodePage FCodePage;
    std::vector<GroupState> FStack;
    GroupState FLastState;
    ParaState FLastPara;
    bool FIgnorableNext = false;
    int FSkipFallback = 0;

    QString FBuffer;
    CharState FBufferState;
    bool FParagraphHasText = false;
    bool FBlockPageBreak = false;
    bool FPendingCellTab = false;

    std::map<int, QString> FFonts;
    int FDefaultFont = 0;
    int FFontNumber = -1;
    QString FFontName;

    std::vector<QColor> FColors;
    int FRed = 0, FGreen = 0, FBlue = 0;
    bool FColorDefined = false;

    PictureKind FPictureKind = PictureKind::None;
    QByteArray FPictureHex;
    QByteArray FPictureBinary;
    int FPictureGoalWidth = 0, FPictureGoalHeight = 0;
    int FPictureScaleX = 100, FPictureScaleY = 100;
    int FPictureCount = 0;
};

} // namespace

Status RtfReader::Read(std::string_view rtf, QTextDocument& document, PageLayoutTwips& layout)
{
    document.clear();
    PageLayoutTwips read = layout;
    Parser parser(rtf, document, read);
    Status status = parser.Run();
    if (!status) {
        document.clear();
        return status;
    }
    layout = read;
    return status;
}

Status RtfReader::Insert(std::string_view rtf, QTextCursor& cursor)
{
    QTextDocument scratch;
    PageLayoutTwips ignored;
    if (Status read = Read(rtf, scratch, ignored); !read)
        return read;
    // Pictures live as resources of their document; the target gets its own copies.
    if (QTextDocument* target = cursor.document()) {
        for (QTextBlock block = scratch.begin(); block.isValid(); block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QTextCharFormat format = fragment.fragment().charFormat();
                if (!format.isImageFormat())
                    continue;
                const QString name = format.toImageFormat().name();
                target->addResource(QTextDocument::ImageResource, QUrl(name),
                                    scratch.resource(QTextDocument::ImageResource, QUrl(name)));
            }
        }
    }
    cursor.insertFragment(QTextDocumentFragment(&scratch));
    return Status::Success();
}

} // namespace corvane
