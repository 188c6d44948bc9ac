#pragma once
// An element's pop-up command menu as data: captions, commands, check marks and sub-menus. The
// element builds it (BuildMenu) and keeps its check marks current (UpdateMenuChecks); the designer
// shows it and runs the chosen command, through the element where the command changes only the
// element, through its own dialogs and the panel's clipboard otherwise.

#include <string>
#include <vector>

namespace corvane {

enum class ElementCommand {
    None, // separators and sub-menu headers
    // Every element (in menu order).
    BringToFront,
    SendToBack,
    Cut,
    Copy,
    Delete,
    Clone,
    Locked,
    Unselectable,
    CenterVertically,
    CenterHorizontally,
    // Text elements.
    Font,
    Effects3D,
    AlignLeft,
    AlignCenter,
    AlignRight,
    Transparent,
    BackgroundColor,
    Border,
    Text,
    Rotation, // argument: 0, 90, 180 or 270
    DataField,
    CounterSettings,
    SymbolSelector,
    DateFormat, // argument: the TDateFormat ordinal
    TimeFormat, // argument: the TTimeFormat ordinal
    // Multi-line elements.
    WordWrap,
    MemoField,
    AddressLayout,
    // Lines and shapes.
    LineStyle, // argument: the TLineStyle ordinal
    LineColor,
    LineThickness, // argument: 1 to 10
    StretchToEdges,
    ShapeBackgroundColor,
    ShapeTransparent,
    Rounding, // argument: 20 to 80 (percent)
    // Pictures.
    LoadImage,
    PictureBorder,
    StretchToFit,
    AutoSize,
    Flip,
    Reverse,
    // FIM marks.
    FimType, // argument: the TFIMType ordinal
    // Intelligent Mail barcodes.
    IntelligentMailSettings
};

struct ElementMenuItem {
    std::string Caption; // "-" is a separator
    ElementCommand Command = ElementCommand::None;
    int Argument = 0;
    bool Checked = false;
    bool Enabled = true;
    std::vector<ElementMenuItem> Items; // a sub-menu when not empty

    bool IsSeparator() const { return Caption == "-"; }
};

using ElementMenu = std::vector<ElementMenuItem>;

// One item ("-" for a separator).
ElementMenuItem MenuItem(std::string caption, ElementCommand command = ElementCommand::None,
                         int argument = 0);

// The first item (searching sub-menus) with this command and argument; nullptr when none.
ElementMenuItem* FindMenuItem(ElementMenu& menu, ElementCommand command, int argument = 0);
const ElementMenuItem* FindMenuItem(const ElementMenu& menu, ElementCommand command, int argument = 0);

// What running a command through the element did.
enum class CommandOutcome {
    Done,          // the element changed itself (and notified its panel)
    NeedsDesigner, // a dialog, the clipboard or the panel must do it (Font, Cut, Clone, ...)
    NotInMenu      // the element has no such command
};

} // namespace corvane
