#include "layout/TGMultiLineLabel.h"

namespace corvane {

void TGMultiLineLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendFontAndAlignmentItems();
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Text", ElementCommand::Text));
    AppendWordWrapItem();
    UpdateMenuChecks();
}

} // namespace corvane
