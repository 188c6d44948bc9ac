#include "layout/TGDMultiLineAddressLabel.h"

#include "layout/LayoutRecordSource.h"
#include "layout/TGDataPanel.h"
#include "layout/TextLayout.h"

namespace corvane {

const PropertyTable& TGDMultiLineAddressLabel::PublishedProperties() const
{
    using C = TGDMultiLineAddressLabel;
    static const PropertyTable table(
        MultiLineProperties(),
        {BooleanProperty<C>("UseName", std::nullopt, &C::UseName, &C::SetUseName),
         BooleanProperty<C>("UseTitle", std::nullopt, &C::UseTitle, &C::SetUseTitle),
         BooleanProperty<C>("UseCompany", std::nullopt, &C::UseCompany, &C::SetUseCompany),
         BooleanProperty<C>("UseStreet", std::nullopt, &C::UseStreet, &C::SetUseStreet),
         BooleanProperty<C>("UseStreet2", std::nullopt, &C::UseStreet2, &C::SetUseStreet2),
         BooleanProperty<C>("UseCityState", std::nullopt, &C::UseCityState, &C::SetUseCityState),
         BooleanProperty<C>("UseZip", std::nullopt, &C::UseZip, &C::SetUseZip),
         BooleanProperty<C>("UsePhone", std::nullopt, &C::UsePhone, &C::SetUsePhone),
         BooleanProperty<C>("UseCountry", std::nullopt, &C::UseCountry, &C::SetUseCountry),
         EnumProperty<C, TZipOptions>("ZipOptions", std::nullopt, &C::ZipOptions, &C::SetZipOptions),
         BooleanProperty<C>("UpperCase", std::nullopt, &C::UpperCase, &C::SetUpperCase)});
    return table;
}

namespace {

AddressBlockOptions OptionsOf(const TGDMultiLineAddressLabel& e)
{
    AddressBlockOptions o;
    o.UseName = e.UseName();
    o.UseTitle = e.UseTitle();
    o.UseCompany = e.UseCompany();
    o.UseStreet = e.UseStreet();
    o.UseStreet2 = e.UseStreet2();
    o.UseCityState = e.UseCityState();
    o.UseZip = e.UseZip();
    o.UsePhone = e.UsePhone();
    o.UseCountry = e.UseCountry();
    o.ZipOptions = static_cast<ZipPlacement>(e.ZipOptions());
    o.UpperCase = e.UpperCase();
    return o;
}

std::vector<std::string> Lines(const AddressBlockOptions& options, const FieldTextFunction& fieldText)
{
    std::vector<std::string> lines;
    for (const QString& line : AddressBlockLines(options, fieldText))
        lines.push_back(line.toStdString());
    return lines;
}

} // namespace

std::vector<std::string> TGDMultiLineAddressLabel::AddressLines(const AddressRecord& record) const
{
    return Lines(OptionsOf(*this), [&record](const QString& name) -> std::optional<QString> {
        const std::string* text = record.Text(name.toStdString());
        if (!text)
            return std::nullopt;
        return QString::fromStdString(*text);
    });
}

void TGDMultiLineAddressLabel::ShowDataValue()
{
    const auto* panel = dynamic_cast<const TGDataPanel*>(Parent());
    if (!panel)
        return;
    const LayoutRecordSource* source = panel->RecordSource();
    std::vector<std::string> lines;
    if (panel->DisplayDataValues() || panel->Printing()) {
        if (source && source->IsOpen()) {
            lines = Lines(OptionsOf(*this), [source](const QString& name) -> std::optional<QString> {
                Result<std::string> text = source->FieldText(name.toStdString());
                if (!text)
                    return std::nullopt;
                return QString::fromStdString(TrimRight(*text));
            });
        }
    } else {
        lines.push_back("[Address Label]");
    }
    SetItems(lines);
    if (WordWrap())
        Rewrap();
    if (!panel->Printing())
        Invalidate();
}

void TGDMultiLineAddressLabel::ClearDataValue()
{
    SetItems({});
    SetWrappedLines({});
}

void TGDMultiLineAddressLabel::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendFontAndAlignmentItems();
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Address Layout", ElementCommand::AddressLayout));
    UpdateMenuChecks();
}

} // namespace corvane
