#include "reports/ReportSettings.h"

#include <cmath>

#include "core/LegacyText.h"

namespace corvane {

namespace {

BandFrames& FramesOfLastReport()
{
    static BandFrames frames{};
    return frames;
}

int32_t Thousandths(int pixels, double ppi)
{
    return static_cast<int32_t>(std::trunc(pixels / ppi * 1000.0));
}

int Pixels(int32_t thousandths, double ppi)
{
    return static_cast<int>(std::lround(thousandths * 0.001 * ppi));
}

class BlockWriter {
  public:
    BlockWriter(LayoutStreamWriter& writer, double ppi) : FWriter(writer), FPpi(ppi) {}
    void Length(int pixels) { Integer(Thousandths(pixels, FPpi)); }
    void Integer(int32_t value) { Keep(FWriter.WriteValue(StreamValue::OfInteger(value))); }
    void Boolean(bool value) { Keep(FWriter.WriteValue(StreamValue::OfBoolean(value))); }
    void Text(const QString& text)
    {
        auto bytes = EncodeLegacyText(text.toStdString(), "a font name");
        if (!bytes) {
            Keep(bytes.ToStatus());
            return;
        }
        Keep(FWriter.WriteValue(StreamValue::OfString(*bytes)));
    }
    Status Result() const { return FStatus; }

  private:
    void Keep(Status status)
    {
        if (FStatus && !status)
            FStatus = status;
    }
    LayoutStreamWriter& FWriter;
    double FPpi;
    Status FStatus = Status::Success();
};

class BlockReader {
  public:
    BlockReader(LayoutStreamReader& reader, double ppi) : FReader(reader), FPpi(ppi) {}
    int Length() { return Pixels(Integer(), FPpi); }
    int32_t Integer()
    {
        const StreamValue value = Next("an integer");
        if (FStatus && !value.IsInteger())
            FStatus = Status::Error("The report settings hold something else where an integer belongs");
        return value.Integer;
    }
    bool Boolean()
    {
        const StreamValue value = Next("a boolean");
        if (FStatus && value.Tag != ValueTag::True && value.Tag != ValueTag::False)
            FStatus = Status::Error("The report settings hold something else where a boolean belongs");
        return value.Tag == ValueTag::True;
    }
    QString Text()
    {
        const StreamValue value = Next("a text");
        if (FStatus && !value.IsString())
            FStatus = Status::Error("The report settings hold something else where a text belongs");
        return QString::fromStdString(DecodeLegacyText(value.Text));
    }
    const Status& Result() const { return FStatus; }

  private:
    StreamValue Next(std::string_view what)
    {
        if (!FStatus)
            return {};
        auto value = FReader.ReadValue();
        if (!value) {
            FStatus =
                Status::Error("The report settings end before " + std::string(what) + ": " + value.Message());
            return {};
        }
        return value.Take();
    }
    LayoutStreamReader& FReader;
    double FPpi;
    Status FStatus = Status::Success();
};

} // namespace

QString ReportPaperText(ReportPaper paper)
{
    switch (paper) {
    case ReportPaper::LetterPortrait:
        return QString::fromLatin1(LetterPortraitText.data(), LetterPortraitText.size());
    case ReportPaper::LetterLandscape:
        return QString::fromLatin1(LetterLandscapeText.data(), LetterLandscapeText.size());
    case ReportPaper::A4Portrait:
        return QString::fromLatin1(A4PortraitText.data(), A4PortraitText.size());
    case ReportPaper::A4Landscape:
        return QString::fromLatin1(A4LandscapeText.data(), A4LandscapeText.size());
    case ReportPaper::Other:
        break;
    }
    return {};
}

int InchesToPixels(double inches, double ppi)
{
    return static_cast<int>(std::trunc(ppi * inches));
}

const BandFrames& LastReportFrames()
{
    return FramesOfLastReport();
}

void RememberReportFrames(const BandFrames& frames)
{
    FramesOfLastReport() = frames;
}

ReportSettings NewReportSettings(double ppi)
{
    ReportSettings settings;
    settings.PageWidth = InchesToPixels(8.5, ppi);
    settings.PageHeight = InchesToPixels(11, ppi);
    settings.LeftMargin = InchesToPixels(0.5, ppi);
    settings.TopMargin = InchesToPixels(0.5, ppi);
    settings.RightMargin = InchesToPixels(0.5, ppi);
    settings.BottomMargin = InchesToPixels(0.5, ppi);
    settings.Frames = LastReportFrames();
    return settings;
}

ReportPaper RecogniseReportPaper(const ReportSettings& settings, double ppi)
{
    const int letterWidth = InchesToPixels(8.5, ppi);
    const int letterHeight = InchesToPixels(11, ppi);
    const int a4Width = InchesToPixels(8.27, ppi);
    const int a4Height = InchesToPixels(11.68, ppi);
    const int width = settings.PageWidth;
    const int height = settings.PageHeight;
    if (width == letterWidth && height == letterHeight)
        return ReportPaper::LetterPortrait;
    if (width == letterHeight && height == letterWidth)
        return ReportPaper::LetterLandscape;
    if (width == a4Width && height == a4Height)
        return ReportPaper::A4Portrait;
    if (width == a4Height && height == a4Width)
        return ReportPaper::A4Landscape;
    return ReportPaper::Other;
}

Status WriteReportSettings(LayoutStreamWriter& writer, const ReportSettings& settings, double ppi)
{
    if (ppi <= 0)
        return Status::Error("The display's pixels per inch are unknown");
    BlockWriter block(writer, ppi);
    for (int length : {settings.PageWidth, settings.PageHeight, settings.LeftMargin, settings.TopMargin,
                       settings.RightMargin, settings.BottomMargin, settings.HeaderHeight,
                       settings.DetailHeight, settings.FooterHeight})
        block.Length(length);
    for (bool use : {settings.UseHeader, settings.UseDetail, settings.UseMemo, settings.UseFooter})
        block.Boolean(use);
    block.Text(settings.MemoFontName);
    block.Integer(settings.MemoFontSize);
    block.Boolean(settings.MemoBold);
    block.Boolean(settings.MemoItalic);
    block.Integer(settings.MemoAlignment);
    block.Text(settings.ElementFontName);
    block.Integer(settings.ElementFontSize);
    block.Boolean(settings.ElementBold);
    block.Boolean(settings.ElementItalic);
    for (const BandFrame& frame : settings.Frames) {
        for (bool border : {frame.Left, frame.Top, frame.Right, frame.Bottom})
            block.Boolean(border);
        for (int value : {frame.LineWidth, frame.ShadePercent, frame.Red, frame.Green, frame.Blue})
            block.Integer(value);
    }
    return block.Result();
}

Result<ReportSettings> ReadReportSettings(LayoutStreamReader& reader, double ppi)
{
    if (ppi <= 0)
        return Status::Error("The display's pixels per inch are unknown");
    BlockReader block(reader, ppi);
    ReportSettings settings;
    for (int* length : {&settings.PageWidth, &settings.PageHeight, &settings.LeftMargin, &settings.TopMargin,
                        &settings.RightMargin, &settings.BottomMargin, &settings.HeaderHeight,
                        &settings.DetailHeight, &settings.FooterHeight})
        *length = block.Length();
    for (bool* use : {&settings.UseHeader, &settings.UseDetail, &settings.UseMemo, &settings.UseFooter})
        *use = block.Boolean();
    settings.MemoFontName = block.Text();
    settings.MemoFontSize = block.Integer();
    settings.MemoBold = block.Boolean();
    settings.MemoItalic = block.Boolean();
    settings.MemoAlignment = block.Integer();
    settings.ElementFontName = block.Text();
    settings.ElementFontSize = block.Integer();
    settings.ElementBold = block.Boolean();
    settings.ElementItalic = block.Boolean();
    for (BandFrame& frame : settings.Frames) {
        for (bool* border : {&frame.Left, &frame.Top, &frame.Right, &frame.Bottom})
            *border = block.Boolean();
        for (int* value : {&frame.LineWidth, &frame.ShadePercent, &frame.Red, &frame.Green, &frame.Blue})
            *value = block.Integer();
    }
    if (!block.Result())
        return block.Result();
    RememberReportFrames(settings.Frames);
    return settings;
}

} // namespace corvane
