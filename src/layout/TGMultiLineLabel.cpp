#include "layout/TGMultiLineLabel.h"

namespace corvane {

void TGMultiLineLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendFontAndAlignmentItems();
    ElementMenuItem separator;
    separator.Caption = "-";
    Menu().push_back(separator);
    ElementMenuItem text;
    text.Caption = "Text";
    text.Command = ElementCommand::Text;
    Menu().push_back(text);
    AppendWordWrapItem();
    UpdateMenuChecks();
}

} // namespace corvane
