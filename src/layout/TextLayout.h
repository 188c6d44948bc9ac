#pragma once
// Multi-line text as pure functions: word wrapping to a width, line placement by alignment, the
// placeholder rule, and the address block's lines built from a record with empty lines closed up.

#include <functional>
#include <optional>
#include <vector>

#include <QPointF>
#include <QString>
#include <QStringList>

namespace corvane {

// Ordinals follow the stored enumerations taLeftJustify, taRightJustify, taCenter.
enum class TextAlignment { LeftJustify, RightJustify, Center };

// Ordinals follow the stored enumerations zoAfterState, zoBeforeCity, zoAfterCountry,
// zoBeforeCountry.
enum class ZipPlacement { AfterState, BeforeCity, AfterCountry, BeforeCountry };

// The width of a text in pixels (a font's horizontal advance in practice).
using TextWidthFunction = std::function<double(const QString&)>;

// Lays the lines into width, breaking between words like a multi-line edit box: blanks after a word
// stay on its line, a word longer than the width is broken at the last character that fits (at
// least one character a line). An empty line stays one empty line.
QStringList WrapText(const QStringList& lines, double width, const TextWidthFunction& textWidth);

// Whether the lines show as the placeholder: none at all, or one that is blank.
bool ShowsPlaceholder(const QStringList& lines);

// The left edge of a line of lineWidth pixels in an element elementWidth pixels wide.
int AlignedLineX(TextAlignment alignment, int elementWidth, int lineWidth);

struct PlacedLine {
    QString Text;
    QPointF Origin; // top-left of the line's text cell
};

// Line i has its top at i * lineHeight; lines starting at or below elementHeight are cut off.
std::vector<PlacedLine> PlaceLines(const QStringList& lines, TextAlignment alignment, int elementWidth,
                                   int elementHeight, int lineHeight, const TextWidthFunction& textWidth);

struct AddressBlockOptions {
    bool UseName = true;
    bool UseTitle = true;
    bool UseCompany = true;
    bool UseStreet = true;
    bool UseStreet2 = true;
    bool UseCityState = true;
    bool UseZip = true;
    bool UsePhone = false;
    bool UseCountry = true;
    ZipPlacement ZipOptions = ZipPlacement::AfterState;
    bool UpperCase = false;
};

// The text of a record field by its name (PREFIX, FNAME, ...); nullopt when it cannot be read,
// which ends the block with the lines built so far.
using FieldTextFunction = std::function<std::optional<QString>(const QString& fieldName)>;

// The address block's lines in order name, title, organization, street, street 2, city/state/ZIP,
// country, phone; a line is left out when switched off or empty.
QStringList AddressBlockLines(const AddressBlockOptions& options, const FieldTextFunction& fieldText);

} // namespace corvane
