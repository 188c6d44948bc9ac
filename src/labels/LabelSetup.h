#pragma once
// The working copy of one label setup: a stock geometry (copied from a catalogue stock or typed
// in) and the name of the layout file drawn on each label. Lengths are inches.

#include <QString>

namespace corvane {

struct LabelSetup {
    QString Description;        // at most 50 characters
    QString PrinterCode = "LJ"; // "LJ", "IJ", "DM" or "LP"
    float LabelHeight = 1.0f;
    float LabelWidth = 2.625f;
    int Across = 3;
    int Down = 10;
    float TopMargin = 0.5f;
    float LeftMargin = 0.188f;
    float HorizontalPitch = 2.765f;
    float VerticalPitch = 1.01f;
    float SheetWidth = 8.5f;
    float SheetDepth = 11.0f;
    QString PaperSize = "LTR";                           // "LTR", "LTRL", "A4", "A4L", "A5", "USERP", "USERL"
    QString TemplateDescription = "Avery 5160  Address"; // empty for a user-defined geometry
    QString Manufacturer = "AVERY";                      // "USER" for a user-defined geometry
    QString ProductType = "ADDRESS/SHIPPING LABELS";
    QString Shape = "RR"; // "RR", "SR" or "EL"
    double MiddleExtraX = 0.0;
    double MiddleExtraY = 0.0;
    QString Art;
    QString LayoutFileName; // "BIN#####.L" in sysdata

    // The defaults of a new setup (the members' initial values).
    static LabelSetup NewSetupDefaults() { return LabelSetup{}; }
    int Positions() const { return Across * Down; }
};

// The description a new setup shows in the designer until it is named.
inline constexpr char NewLabelDescription[] = "<New Label>";

// The most label positions a sheet may have (10 across by 30 down).
inline constexpr int MaxLabelPositions = 300;

} // namespace corvane
