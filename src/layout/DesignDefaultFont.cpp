#include "layout/DesignDefaultFont.h"

#include "platform/Settings.h"

namespace corvane {

DesignDefaultFont ReadDesignDefaultFont(const Settings& settings, const char* section)
{
    DesignDefaultFont font;
    font.Name = settings.ReadString(section, "DefaultFontName", font.Name);
    font.Size = settings.ReadInteger(section, "DefaultFontSize", font.Size);
    font.Bold = settings.ReadBool(section, "DefaultFontBold", font.Bold);
    font.Italic = settings.ReadBool(section, "DefaultFontItalic", font.Italic);
    if (font.Name.empty())
        font.Name = "Arial";
    if (font.Size <= 0)
        font.Size = 10;
    return font;
}

bool WriteDesignDefaultFont(const Settings& settings, const char* section, const DesignDefaultFont& font)
{
    IniFile file = settings.Load();
    file.WriteString(section, "DefaultFontName", font.Name);
    file.WriteInteger(section, "DefaultFontSize", font.Size);
    file.WriteBool(section, "DefaultFontBold", font.Bold);
    file.WriteBool(section, "DefaultFontItalic", font.Italic);
    return settings.Save(file);
}

QString DefaultFontCaption(const DesignDefaultFont& font)
{
    QString caption =
        QString("Default Font: %1, %2 pt ").arg(QString::fromStdString(font.Name)).arg(font.Size);
    if (font.Bold)
        caption += ", bold";
    if (font.Italic)
        caption += ", italic";
    return caption;
}

TGFont PanelFont(const DesignDefaultFont& font, double pixelsPerInch)
{
    TGFont panelFont;
    panelFont.Name = font.Name;
    panelFont.Height = TGFont::HeightOfPoints(font.Size, pixelsPerInch);
    panelFont.Style = (font.Bold ? FontStyleBit(TFontStyle::fsBold) : 0u) |
                      (font.Italic ? FontStyleBit(TFontStyle::fsItalic) : 0u);
    return panelFont;
}

DesignDefaultFont DefaultFontOf(const TGFont& font, double pixelsPerInch)
{
    DesignDefaultFont result;
    result.Name = font.Name;
    result.Size = font.PointSize(pixelsPerInch);
    result.Bold = (font.Style & FontStyleBit(TFontStyle::fsBold)) != 0;
    result.Italic = (font.Style & FontStyleBit(TFontStyle::fsItalic)) != 0;
    return result;
}

} // namespace corvane
