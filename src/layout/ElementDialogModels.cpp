#include "layout/ElementDialogModels.h"

#include <algorithm>
#include <array>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include "core/FieldCatalogue.h"
#include "layout/ElementPainter.h"
#include "layout/PictureLoader.h"
#include "layout/TGBaseLabel.h"
#include "layout/TGBasePanel.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "platform/xbase/CodePage.h"

namespace corvane {

// ---- colours and fonts ----

TColor FromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<TColor>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

QFont DialogFont(const TGFont& font, double pixelsPerInch)
{
    QFont q(QString::fromStdString(font.Name));
    q.setPointSize(std::max(1, font.PointSize(pixelsPerInch)));
    q.setBold(font.Style & FontStyleBit(TFontStyle::fsBold));
    q.setItalic(font.Style & FontStyleBit(TFontStyle::fsItalic));
    q.setUnderline(font.Style & FontStyleBit(TFontStyle::fsUnderline));
    q.setStrikeOut(font.Style & FontStyleBit(TFontStyle::fsStrikeOut));
    return q;
}

TGFont FontFromQFont(const QFont& chosen, const TGFont& previous, double pixelsPerInch)
{
    TGFont font = previous;
    const QString family = chosen.family();
    const QString stored = QString::fromStdString(previous.Name);
    const bool sameFamily = family.compare(stored, Qt::CaseInsensitive) == 0 ||
                            family.compare(MappedFontFamily(stored), Qt::CaseInsensitive) == 0 ||
                            family.compare(QFont(stored).family(), Qt::CaseInsensitive) == 0;
    if (!sameFamily)
        font.Name = family.toStdString();
    const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : font.PointSize(pixelsPerInch);
    font.Height = TGFont::HeightOfPoints(points, pixelsPerInch);
    TFontStyles style = 0;
    if (chosen.bold())
        style |= FontStyleBit(TFontStyle::fsBold);
    if (chosen.italic())
        style |= FontStyleBit(TFontStyle::fsItalic);
    if (chosen.underline())
        style |= FontStyleBit(TFontStyle::fsUnderline);
    if (chosen.strikeOut())
        style |= FontStyleBit(TFontStyle::fsStrikeOut);
    font.Style = style;
    return font;
}

// ---- fields by display label ----

std::vector<std::string> DataFieldChoices(const FieldCatalogue& catalogue)
{
    return catalogue.VisibleTextLabels();
}

std::vector<std::string> MemoFieldChoices(const FieldCatalogue& catalogue)
{
    std::vector<std::string> labels;
    for (const CatalogueField& field : catalogue.Fields())
        if (field.Kind == FieldKind::Memo)
            labels.push_back(field.DisplayLabel);
    return labels;
}

int InitialChoice(const std::vector<std::string>& choices, std::string_view current)
{
    if (choices.empty())
        return -1;
    const auto found = std::find(choices.begin(), choices.end(), current);
    return found == choices.end() ? 0 : static_cast<int>(found - choices.begin());
}

std::optional<FieldBinding> BindingForLabel(const FieldCatalogue& catalogue, std::string_view label)
{
    std::optional<FieldBinding> binding;
    for (const CatalogueField& field : catalogue.Fields())
        if (field.DisplayLabel == label)
            binding = FieldBinding{field.Name, field.DisplayLabel};
    return binding;
}

// ---- counters ----

CounterSettings ReadCounterSettings(const TGCounterLabel& counter)
{
    return {counter.TextBefore(), counter.Startingnumber(), counter.RepeatEach(), counter.TextAfter(),
            counter.LeadingZeros()};
}

void ApplyCounterSettings(TGCounterLabel& counter, const CounterSettings& settings)
{
    counter.SetStartingnumber(settings.Startingnumber);
    counter.SetRepeatEach(settings.RepeatEach);
    counter.SetTextBefore(settings.TextBefore);
    counter.SetTextAfter(settings.TextAfter);
    counter.SetLeadingZeros(settings.LeadingZeros);
    counter.SetCaption(settings.TextBefore + std::to_string(counter.CurrentNumber()) + settings.TextAfter);
    counter.MarkLayoutDirty();
    if (counter.Angle() == 0) {
        counter.SetWidth(10);
        counter.FitToText();
    }
    counter.NotifyChanged();
}

// ---- 3-D text effects ----

std::span<const std::string_view> ShadowDirectionCaptions()
{
    static constexpr std::array<std::string_view, 6> captions = {"None",        "Right",      "Left",
                                                                 "Lower Right", "Lower Left", "Down"};
    return captions;
}

std::span<const std::string_view> HighlightDirectionCaptions()
{
    static constexpr std::array<std::string_view, 6> captions = {"None",        "Right",      "Left",
                                                                 "Upper Right", "Upper Left", "Up"};
    return captions;
}

TextEffects ReadTextEffects(const TGBaseLabel& label)
{
    return {label.Font(),           label.DepthShadow(),        label.DirectionShadow(), label.colorShadow(),
            label.DepthHighlight(), label.DirectionHighlight(), label.colorHighlight()};
}

void ApplyTextEffects(TGBaseLabel& label, const TextEffects& effects)
{
    label.SetFont(effects.Font);
    label.SetDepthShadow(effects.DepthShadow);
    label.SetDirectionShadow(effects.DirectionShadow);
    label.SetcolorShadow(effects.ColorShadow);
    label.SetDepthHighlight(effects.DepthHighlight);
    label.SetDirectionHighlight(effects.DirectionHighlight);
    label.SetcolorHighlight(effects.ColorHighlight);
}

// ---- the address block ----

AddressLayoutOptions ReadAddressLayout(const TGDMultiLineAddressLabel& address)
{
    AddressLayoutOptions options;
    options.UseName = address.UseName();
    options.UseTitle = address.UseTitle();
    options.UseCompany = address.UseCompany();
    options.UseStreet = address.UseStreet();
    options.UseStreet2 = address.UseStreet2();
    options.UseCityState = address.UseCityState();
    options.UseZip = address.UseZip();
    options.UsePhone = address.UsePhone();
    options.UseCountry = address.UseCountry();
    options.UpperCase = address.UpperCase();
    options.ZipOptions = address.ZipOptions();
    return options;
}

void ApplyAddressLayout(TGDMultiLineAddressLabel& address, const AddressLayoutOptions& options)
{
    address.SetUseName(options.UseName);
    address.SetUseTitle(options.UseTitle);
    address.SetUseCompany(options.UseCompany);
    address.SetUseStreet(options.UseStreet);
    address.SetUseStreet2(options.UseStreet2);
    address.SetUseCityState(options.UseCityState);
    address.SetUseZip(options.UseZip);
    address.SetUsePhone(options.UsePhone);
    address.SetUseCountry(options.UseCountry);
    address.SetUpperCase(options.UpperCase);
    address.SetZipOptions(options.ZipOptions);
    if (TGBasePanel* panel = address.Parent())
        panel->RefreshData();
    address.NotifyChanged();
}

// ---- symbols ----

std::string SymbolCaption(int index)
{
    if (index < 0 || index >= SymbolCount)
        return {};
    const char byte = static_cast<char>(static_cast<unsigned char>(index + FirstSymbolCode));
    return xbase::CodePage::Windows1252().ToUtf8(std::string_view(&byte, 1));
}

int SymbolIndex(std::string_view caption)
{
    Result<std::string> bytes = xbase::CodePage::Windows1252().FromUtf8(caption, "symbol");
    if (!bytes || bytes->empty())
        return -1;
    const int code = static_cast<unsigned char>((*bytes)[0]);
    return code < FirstSymbolCode ? -1 : code - FirstSymbolCode;
}

int SymbolListColumns(int points)
{
    struct Band {
        int Last;
        int Columns;
    };
    static constexpr std::array<Band, 7> bands = {
        {{10, 14}, {20, 10}, {30, 8}, {40, 6}, {50, 4}, {60, 3}, {72, 2}}};
    if (points < 6)
        return 1;
    for (const Band& band : bands)
        if (points <= band.Last)
            return band.Columns;
    return 1;
}

std::string SymbolFontButtonCaption(std::string_view name, int points, bool bold, bool italic)
{
    std::string caption = std::string(name) + ", " + std::to_string(points) + "pt ";
    if (italic)
        caption += "Italic ";
    else if (bold)
        caption += "Bold ";
    return caption;
}

// ---- pictures ----

std::vector<std::string> ImageFilePatterns()
{
    std::vector<std::string> patterns;
    std::string_view rest = ImageFileMask;
    while (!rest.empty()) {
        const size_t end = rest.find(';');
        patterns.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return patterns;
}

bool ReportsImageLoadError(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "bmp" || suffix == "wmf";
}

Result<TGPicture> StoredPicture(const LoadedPicture& loaded, const QByteArray& fileBytes)
{
    TGPicture picture;
    if (loaded.IsMetafile()) {
        picture.GraphicKind = TGPicture::Kind::Metafile;
        picture.Bytes = loaded.MetafileBytes.toStdString();
        return picture;
    }
    if (loaded.Bitmap.isNull())
        return Result<TGPicture>::Error("no picture");
    picture.GraphicKind = TGPicture::Kind::Bitmap;
    if (fileBytes.startsWith("BM")) {
        picture.Bytes = fileBytes.toStdString();
        return picture;
    }
    // Layouts hold device-independent bitmaps without transparency: see-through parts go white.
    QImage opaque(loaded.Bitmap.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, loaded.Bitmap);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!opaque.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        return Result<TGPicture>::Error("cannot keep the picture as a bitmap");
    picture.Bytes = buffer.data().toStdString();
    return picture;
}

Result<TGPicture> PictureFromFile(const QString& path)
{
    Result<LoadedPicture> loaded = LoadPictureFile(path);
    if (!loaded)
        return Result<TGPicture>::Error(loaded.Message());
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    return StoredPicture(*loaded, bytes);
}

} // namespace corvane
