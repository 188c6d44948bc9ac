#pragma once
// The symbol fonts layouts name ("WingDings", "Symbol") are not installed here, and their
// character codes mean pictures, not letters: "J" in WingDings is a smiling face. Their text is
// drawn as the Unicode characters the codes stand for, in a font that holds them (Symbola, from
// fonts-symbola), on screen, in the Symbol Selector, in print and in PDF.

#include <string_view>

#include <QString>

namespace corvane {

inline constexpr char SymbolGlyphFamily[] = "Symbola";

// "WingDings" or "Symbol", in any case.
bool IsSymbolFont(std::string_view family);
// Each character of `text` (a code 32..255 of the symbol font) as the Unicode character it
// stands for when `family` is a symbol font; `text` unchanged otherwise. A code the font leaves
// empty becomes a blank.
QString SymbolFontText(std::string_view family, const QString& text);

} // namespace corvane
