#pragma once
// The page layout a letter carries inside its RTF text, in twips (1440 per inch), and the one
// length unit of our documents: QTextDocument lengths (indents, tab stops, spacing, page size)
// are held in document units of 1/96 inch, so a twip is 1/15 unit.

namespace corvane {

inline constexpr double DocumentUnitsPerInch = 96.0;
inline constexpr double TwipsPerInch = 1440.0;
inline constexpr double TwipsPerDocumentUnit = TwipsPerInch / DocumentUnitsPerInch;

inline double TwipsToUnits(double twips)
{
    return twips / TwipsPerDocumentUnit;
}
inline double UnitsToTwips(double units)
{
    return units * TwipsPerDocumentUnit;
}

struct PageLayoutTwips {
    // A new letter: 8.5 by 11 inches with 1-inch margins.
    int PaperWidth = 12240;
    int PaperHeight = 15840;
    int Left = 1440;
    int Right = 1440;
    int Top = 1440;
    int Bottom = 1440;

    // The text area: the paper less its four margins (never less than one twip each way).
    int TextWidth() const { return PaperWidth - Left - Right > 0 ? PaperWidth - Left - Right : 1; }
    int TextHeight() const { return PaperHeight - Top - Bottom > 0 ? PaperHeight - Top - Bottom : 1; }
    bool operator==(const PageLayoutTwips&) const = default;
};

} // namespace corvane
