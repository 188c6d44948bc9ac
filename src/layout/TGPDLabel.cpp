#include "layout/TGPDLabel.h"

#include "layout/LayoutRecordSource.h"
#include "layout/TGDataPanel.h"

namespace corvane {

TGPDLabel::TGPDLabel()
{
    SetCaption({});
}

const PropertyTable& TGPDLabel::PublishedProperties() const
{
    using C = TGPDLabel;
    static const PropertyTable table(
        BaseLabelProperties(),
        {StringProperty<C>("DataFieldName", &C::DataFieldName, &C::SetDataFieldName),
         StringProperty<C>("DataFieldDescript", &C::DataFieldDescript, &C::SetDataFieldDescript),
         IntegerProperty<C>("LengthOfText", std::nullopt, &C::LengthOfText, &C::SetLengthOfText)});
    return table;
}

void TGPDLabel::ShowDataValue()
{
    const auto* panel = dynamic_cast<const TGDataPanel*>(Parent());
    if (!panel)
        return;
    const bool printing = panel->Printing();
    const LayoutRecordSource* source = panel->RecordSource();

    const CatalogueField* field = source ? source->FieldByDisplayLabel(FDataFieldDescript) : nullptr;
    std::string caption = Caption();
    if (field) {
        if (panel->DisplayDataValues() || printing) {
            Result<std::string> value = source->FieldText(field->Name);
            caption = value ? value.Take() : std::string();
            if (Trim(caption).empty() && !printing)
                caption = "<blank field>";
        } else {
            caption = "[" + FDataFieldDescript + "]";
        }
    } else if (!printing) {
        caption = "<undefined field>";
    }
    SetCaption(TrimRight(caption));
    MarkLayoutDirty();
    if (!printing)
        Invalidate();
}

void TGPDLabel::ClearDataValue()
{
    SetCaption({});
}

void TGPDLabel::BuildMenu()
{
    TGBaseLabel::BuildMenu();
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Field", ElementCommand::DataField));
    UpdateMenuChecks();
}

} // namespace corvane
