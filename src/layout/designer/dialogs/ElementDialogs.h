#pragma once
// The element commands that need a window (property dialogs, the font and colour choosers, the
// picture browser) and the dialog a new element opens right after it is dropped on a panel. The
// design panel calls these two functions; everything an element can do alone goes through
// TGGraphicControl::Execute instead.
//
// Every modal dialog here is shown through RunModalDialog (DialogRunner.h), so tests replace the
// modal loop with a function that fills in the controls and accepts or rejects.

#include <QString>

#include "layout/ElementMenu.h"

class QWidget;

namespace corvane {

class FieldCatalogue;
class TGGraphicControl;

struct ElementDialogContext {
    // The window the dialogs are centred over (nullptr: none).
    QWidget* Parent = nullptr;
    // The fields the field pickers list by display label (the open address table's). nullptr:
    // the record source of the element's panel, else the address table's default catalogue.
    const FieldCatalogue* Fields = nullptr;
    // Where the picture browser starts when it has no earlier folder: the program directory.
    QString PictureDirectory;
};

// The dialog of a newly dropped element, when its kind has one: the text dialog of a text
// element, the text editor of a multi-line text, the field dialog of a record field and the symbol
// dialog of a symbol. True when the dialog was accepted or the kind has none. Cancelling changes
// nothing, and the element stays on the panel either way (a cancelled text element keeps
// "<text>"): the caller does not remove it. The field dialog refreshes the panel's record display
// in every case, as its menu command does.
bool RunCreationDialog(TGGraphicControl& element, const ElementDialogContext& context);

// Runs a menu command that needs a window: Font, Effects3D, BackgroundColor, Text, DataField,
// CounterSettings, SymbolSelector, MemoField, AddressLayout, LineColor, ShapeBackgroundColor,
// LoadImage, each where the element's menu has it. Done whether the user accepted or cancelled
// (a cancelled dialog changes nothing); NotInMenu for a command this element's menu lacks or one
// that is not a dialog command (the element's own toggles and the panel's clipboard commands).
CommandOutcome RunElementDialogCommand(TGGraphicControl& element, ElementCommand command, int argument,
                                       const ElementDialogContext& context);

// Whether the command is one RunElementDialogCommand handles (for some element kind).
bool IsElementDialogCommand(ElementCommand command);

} // namespace corvane
