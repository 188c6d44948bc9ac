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
    const CatalogueField* field = source ? source->FieldByDisplayLabel(FDataFieldDescript) : nullptr;
    std::vector<std::string> lines;
    if (field) {
        if (panel->DisplayDataValues() || printing) {
            Result<std::string> memo = source->FieldText(field->Name);
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
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Memo Field", ElementCommand::MemoField));
    AppendWordWrapItem();
    UpdateMenuChecks();
}

} // namespace corvane
