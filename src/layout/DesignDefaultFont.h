#pragma once
// The font new elements get in a designer, as one section of the settings file keeps it ("Label"
// for labels, "Envelope" for envelopes, "Letter" for letters): the keys DefaultFontName,
// DefaultFontSize, DefaultFontBold and DefaultFontItalic.

#include <string>

#include <QString>

#include "layout/LayoutTypes.h"

namespace corvane {

class Settings;

struct DesignDefaultFont {
    std::string Name = "Arial";
    int Size = 10; // points
    bool Bold = false;
    bool Italic = false;
    bool operator==(const DesignDefaultFont&) const = default;
};

// Missing or unusable values (an empty name, a size below 1) read as Arial 10.
DesignDefaultFont ReadDesignDefaultFont(const Settings& settings, const char* section);
bool WriteDesignDefaultFont(const Settings& settings, const char* section, const DesignDefaultFont& font);
// "Default Font: Arial, 10 pt , bold, italic" (the parts for bold and italic only when set).
QString DefaultFontCaption(const DesignDefaultFont& font);
TGFont PanelFont(const DesignDefaultFont& font, double pixelsPerInch);
DesignDefaultFont DefaultFontOf(const TGFont& font, double pixelsPerInch);

} // namespace corvane
