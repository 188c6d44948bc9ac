#include "layout/TGDataPanel.h"

#include "layout/LayoutRecordSource.h"
#include "layout/TGGraphicControl.h"

namespace corvane {

TGDataPanel::TGDataPanel(ComponentOwner& owner) : TGBasePanel(owner) {}

void TGDataPanel::SetDisplayDataValues(bool value)
{
    FDisplayDataValues = value;
    RefreshData();
}

void TGDataPanel::RefreshData()
{
    if (!FRecordSource || !FRecordSource->IsOpen())
        return;
    ShowAllDataValues();
}

void TGDataPanel::ShowAllDataValues()
{
    for (size_t i = 0; i < ElementCount(); ++i)
        ElementAt(i).ShowDataValue();
}

} // namespace corvane
