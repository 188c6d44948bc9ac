#include "layout/TGPLabel.h"

namespace corvane {

void TGPLabel::BuildMenu()
{
    TGBaseLabel::BuildMenu();
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Text", ElementCommand::Text));
    AppendRotationItems();
    UpdateMenuChecks();
}

} // namespace corvane
