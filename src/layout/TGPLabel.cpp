#include "layout/TGPLabel.h"

namespace corvane {

void TGPLabel::BuildMenu()
{
    TGBaseLabel::BuildMenu();
    ElementMenuItem separator;
    separator.Caption = "-";
    Menu().push_back(separator);
    ElementMenuItem text;
    text.Caption = "Text";
    text.Command = ElementCommand::Text;
    Menu().push_back(text);
    AppendRotationItems();
    UpdateMenuChecks();
}

} // namespace corvane
