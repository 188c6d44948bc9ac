#pragma once
// The user-defined geometry dialog without its widgets: eight lengths, the counts across and down,
// the paper size and the label shape, entered in inches or whole millimetres.
//
// Each length is kept in inches exactly as entered or converted, and rounded only where it is
// shown (three decimals, or whole millimetres) and when the dialog hands its result back (three
// decimals). Switching the unit therefore never changes a value: 2.625 stays 2.625 however often
// the unit is toggled, and 67 mm typed becomes 2.638 only in the result.

#include <array>
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

#include "labels/LabelSetup.h"

namespace corvane {

enum class GeometryLength {
    LabelWidth,
    LabelHeight,
    HorizontalPitch,
    VerticalPitch,
    LeftMargin,
    TopMargin,
    PaperWidth,
    PaperHeight,
};
inline constexpr int GeometryLengthCount = 8;

enum class LengthUnit { Inches, Millimetres };

inline constexpr double MillimetresPerInch = 25.4;
inline constexpr int MaxAcross = 10;
inline constexpr int MaxDown = 30;
static_assert(MaxAcross * MaxDown <= MaxLabelPositions, "the position selection must hold every position");

// What the dialog returns on "Ok": lengths in inches rounded to three decimals.
struct LabelGeometry {
    double LabelWidth = 0;
    double LabelHeight = 0;
    double HorizontalPitch = 0;
    double VerticalPitch = 0;
    double LeftMargin = 0;
    double TopMargin = 0;
    double PaperWidth = 0;
    double PaperHeight = 0;
    int Across = 1;
    int Down = 1;
    QString PaperSize; // "LTR", ..., "USERL"
    QString Shape;     // "RR", "SR" or "EL"
};

// The first check the geometry fails, in the dialog's order, as the text shown to the user;
// nothing when it is valid. A single column has no horizontal pitch to check, a single row no
// vertical pitch.
std::optional<std::string> ValidLabel(const LabelGeometry& geometry);

// A user-defined geometry replaces the stock: the setup takes the lengths, counts, paper code and
// shape, and loses its template description, printer code, product type, middle extras and art;
// the manufacturer becomes "USER".
void ApplyUserDefinedGeometry(LabelSetup& setup, const LabelGeometry& geometry);

// A length as the dialog shows it: inches with one to three decimals ("1.0", "2.625"), or whole
// millimetres ("67").
QString FormatLength(double inches, LengthUnit unit);
// Text typed in a unit, as inches (unrounded); nothing for text that is no number.
std::optional<double> ParseLength(const QString& text, LengthUnit unit);

// The "Paper size" list and the "Label Shape" list.
const QStringList& PaperSizeItems();
const QStringList& LabelShapeItems();
// The paper code of an item of the paper list.
QString PaperCodeOfItem(int item);
// The shape item of a shape code ("RR" 0, "SR" 1, anything else 2) and back.
int ShapeItemOfCode(const QString& code);
QString ShapeCodeOfItem(int item);

class LabelGeometryEntry {
  public:
    explicit LabelGeometryEntry(const LabelSetup& setup);

    LengthUnit Unit() const { return FUnit; }
    // Only the way lengths are shown changes.
    void SetUnit(LengthUnit unit) { FUnit = unit; }

    // The length as held (inches, unrounded).
    double Inches(GeometryLength length) const { return FLengths[Index(length)]; }
    void SetInches(GeometryLength length, double inches) { FLengths[Index(length)] = inches; }
    // The length as shown in the current unit.
    QString Text(GeometryLength length) const;
    // Text from the length's edit. Text equal to what is shown keeps the held value (so that a
    // converted length is not rounded by reading its own display back); other text is taken in
    // the current unit, and text that is no number counts as 0.
    void SetText(GeometryLength length, const QString& text);

    // Leaving "Label Width" ("Label Height") raises the horizontal (vertical) pitch to it when the
    // pitch is smaller.
    void LeaveLabelWidth();
    void LeaveLabelHeight();

    int Across() const { return FAcross; }
    int Down() const { return FDown; }
    // Kept within 1..10 and 1..30.
    void SetAcross(int value);
    void SetDown(int value);

    // The chosen item of the paper list, -1 for none (the start: the code stays as it was).
    int PaperItem() const { return FPaperItem; }
    // Fills paper width and height for the fixed sizes; the "Other" items leave them.
    void ChoosePaperItem(int item);
    const QString& PaperCode() const { return FPaperCode; }

    int ShapeItem() const { return FShapeItem; }
    void SetShapeItem(int item) { FShapeItem = item; }

    // The values "Ok" hands back: lengths rounded to three decimals.
    LabelGeometry Result() const;

  private:
    static size_t Index(GeometryLength length) { return static_cast<size_t>(length); }

    LengthUnit FUnit = LengthUnit::Inches;
    std::array<double, GeometryLengthCount> FLengths{};
    int FAcross = 1;
    int FDown = 1;
    int FPaperItem = -1;
    QString FPaperCode;
    int FShapeItem = 0;
};

} // namespace corvane
