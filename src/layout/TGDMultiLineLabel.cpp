#include "layout/TGDMultiLineLabel.h"

#include <QString>
#include <QStringList>

#include "layout/LayoutRecordSource.h"
#include "layout/TGDataPanel.h"

namespace corvane {

const PropertyTable& TGDMultiLineLabel::PublishedProperties() const
{
    using C = TGDMultiLineLabel;
    static const PropertyTable table(
        MultiLineProperties(),
        {StringProperty<C>("DataFieldName", &C::DataFieldName, &C::SetDataFieldName),
         StringProperty<C>("DataFieldDescript", &C::DataFieldDescript, &C::SetDataFieldDescript)});
    return table;
}

void TGDMultiLineLabel::ShowDataValue()
{
    const auto* panel = dynamic_cast<const TGDataPanel*>(Parent());
    if (!panel)
        return;
    const bool printing = panel->Printing();
    const LayoutRecordSource* source = panel->RecordSource();
    const CatalogueField* field = nullptr;
    if (!FDataFieldDescript.empty() && source) {
        for (const CatalogueField& candidate : source->Catalogue().Fields())
            if (candidate.DisplayLabel == FDataFieldDescript)
                field = &candidate;
    }
    std::vector<std::string> lines;
    if (field) {
        if (panel->DisplayDataValues() || printing) {
            xbase::Result<std::string> memo = source->FieldText(field->Name);
            if (memo && !memo->empty()) {
                QString text = QString::fromStdString(*memo);
                text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                    .replace(QLatin1Char('\r'), QLatin1Char('\n'));
                for (const QString& line : text.split(QLatin1Char('\n')))
                    lines.push_back(line.toStdString());
                if (WordWrap())
                    lines = WrapToWidth(lines);
            }
        } else {
            lines.push_back("[" + FDataFieldDescript + "]");
        }
    } else if (!printing) {
        lines.push_back("<undefined memo>");
    }
    SetItems(lines);
    if (WordWrap())
        SetWrappedLines(lines);
    if (!printing)
        Invalidate();
}

void TGDMultiLineLabel::ClearDataValue()
{
    SetItems({});
    SetWrappedLines({});
}

void TGDMultiLineLabel::Rewrap()
{
    ShowDataValue();
}

void TGDMultiLineLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendFontAndAlignmentItems();
    ElementMenuItem separator;
    separator.Caption = "-";
    Menu().push_back(separator);
    ElementMenuItem field;
    field.Caption = "Memo Field";
    field.Command = ElementCommand::MemoField;
    Menu().push_back(field);
    AppendWordWrapItem();
    UpdateMenuChecks();
}

} // namespace corvane
