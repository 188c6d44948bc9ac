#pragma once
// What the elements' property dialogs read from an element and write back to it, without the
// windows: the field choices by display label, the counter's settings, the 3-D text effects, the
// address block's switches, the symbol list and the picture files. The dialogs fill their controls
// from these values and hand them back on Ok; Cancel simply never applies them.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QColor>
#include <QFont>
#include <QString>

#include "layout/LayoutTypes.h"
#include "platform/Result.h"

namespace corvane {

class FieldCatalogue;
class TGBaseLabel;
class TGCounterLabel;
class TGDMultiLineAddressLabel;
class TGGraphicControl;
struct LoadedPicture;

// ---- colours and fonts ----

// A chosen colour as layouts store it (00BBGGRR).
TColor FromQColor(const QColor& color);
// The font a font dialog opens with: the stored family name (not its stand-in), points, styles.
QFont DialogFont(const TGFont& font, double pixelsPerInch);
// The font a font dialog returned, as layouts store it. The colour and pitch stay those of
// `previous` (the dialog has no colour); so does the family name when the user kept the family
// the stored name is shown with, so that "Arial" does not become its metric-compatible stand-in.
TGFont FontFromQFont(const QFont& chosen, const TGFont& previous, double pixelsPerInch);

// ---- fields by display label ----

// What the field dialog of a record-field element lists: the visible text fields.
std::vector<std::string> DataFieldChoices(const FieldCatalogue& catalogue);
// What the field dialog of a memo element lists: every memo field, visible or not.
std::vector<std::string> MemoFieldChoices(const FieldCatalogue& catalogue);
// The entry first selected: the one equal to `current`, else the first; -1 for an empty list.
int InitialChoice(const std::vector<std::string>& choices, std::string_view current);

struct FieldBinding {
    std::string Name;
    std::string DisplayLabel;
};
// The field an element binds to for a chosen display label (the last field carrying it).
std::optional<FieldBinding> BindingForLabel(const FieldCatalogue& catalogue, std::string_view label);

// ---- counters ----

struct CounterSettings {
    std::string TextBefore;
    int32_t Startingnumber = 1;
    int32_t RepeatEach = 1;
    std::string TextAfter;
    int32_t LeadingZeros = 0;
    bool operator==(const CounterSettings&) const = default;
};
// The dialog's limits.
inline constexpr int32_t MinRepeatEach = 1;
inline constexpr int32_t MaxRepeatEach = 999;
inline constexpr int32_t MaxLeadingZeros = 9;

CounterSettings ReadCounterSettings(const TGCounterLabel& counter);
// Ok of the counter dialog: the starting number first (which resets the counter), then the repeat,
// the texts and the zeros; the caption shows the unpadded number until the next paint; an upright
// counter is narrowed and grown to its text again; the panel hears of the change.
void ApplyCounterSettings(TGCounterLabel& counter, const CounterSettings& settings);

// ---- 3-D text effects ----

struct TextEffects {
    TGFont Font; // its colour is the main text's
    int32_t DepthShadow = 0;
    TShadowDirection DirectionShadow = TShadowDirection::sdDownRight;
    TColor ColorShadow = clGray;
    int32_t DepthHighlight = 0;
    THighlightDirection DirectionHighlight = THighlightDirection::hdUpLeft;
    TColor ColorHighlight = clAqua;
    bool operator==(const TextEffects&) const = default;
};
// The depth lists run from 0 to this.
inline constexpr int32_t MaxEffectDepth = 10;
// The direction lists' entries, in enumeration order.
std::span<const std::string_view> ShadowDirectionCaptions();
std::span<const std::string_view> HighlightDirectionCaptions();

TextEffects ReadTextEffects(const TGBaseLabel& label);
// Copies font, depths, directions and colours (no change notification: the caller decides).
void ApplyTextEffects(TGBaseLabel& label, const TextEffects& effects);

// ---- the address block ----

struct AddressLayoutOptions {
    bool UseName = true;
    bool UseTitle = true;
    bool UseCompany = true;
    bool UseStreet = true;
    bool UseStreet2 = true;
    bool UseCityState = true;
    bool UseZip = true;
    bool UsePhone = false;
    bool UseCountry = true;
    bool UpperCase = false;
    TZipOptions ZipOptions = TZipOptions::zoAfterState;
    bool operator==(const AddressLayoutOptions&) const = default;
};
AddressLayoutOptions ReadAddressLayout(const TGDMultiLineAddressLabel& address);
// Ok of the address layout dialog: all eleven switches, then the panel's record display is
// refreshed and the panel hears of the change.
void ApplyAddressLayout(TGDMultiLineAddressLabel& address, const AddressLayoutOptions& options);

// ---- symbols ----

// The symbol list holds the characters with codes 32 to 255 in code order.
inline constexpr int FirstSymbolCode = 32;
inline constexpr int SymbolCount = 224;
// The caption for list entry `index` (the Windows-1252 character index + 32, as UTF-8).
std::string SymbolCaption(int index);
// The list entry of a caption's first character; -1 when it has none in the list.
int SymbolIndex(std::string_view caption);
// List columns for the list font's size in points.
int SymbolListColumns(int points);
// The "Font" button's caption: name, ", ", points, "pt ", then "Bold " or "Italic " ("Italic "
// alone when both).
std::string SymbolFontButtonCaption(std::string_view name, int points, bool bold, bool italic);

// ---- pictures ----

// The file list's mask.
inline constexpr std::string_view ImageFileMask = "*.BMP;*.DIB;*.JPG;*.JIF;*.PCX;*.RLE;*.TGA;*.WMF;*.ICO";
// The mask's patterns ("*.BMP", ...).
std::vector<std::string> ImageFilePatterns();
// Whether a failure to load this file is reported ("Error loading file!"): bitmaps and metafiles
// are; the formats of the image decoder fail silently.
bool ReportsImageLoadError(const QString& path);
// A loaded picture as an image element stores it: metafile bytes as read; a bitmap file's bytes
// when they already are one ("BM"), every other image as a 24-bit bitmap file.
Result<TGPicture> StoredPicture(const LoadedPicture& loaded, const QByteArray& fileBytes = {});
Result<TGPicture> PictureFromFile(const QString& path);

} // namespace corvane
