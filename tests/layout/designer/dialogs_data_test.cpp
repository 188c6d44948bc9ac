// The data elements' dialogs with values going in and coming out: the field dialog by display label
// (record fields and memos), the counter, the symbol selector and the address layout.

#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "dialogs_test_support.h"
#include "layout/ElementDialogModels.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/TGSymbolLabel.h"
#include "layout/designer/dialogs/ElementDialogs.h"
#include "layout/designer/dialogs/TGetSymbol.h"

namespace corvane {
namespace {

using testing::Control;
using testing::DialogLayout;
using testing::DialogScript;

QStringList Entries(const QListWidget& list)
{
    QStringList entries;
    for (int row = 0; row < list.count(); ++row)
        entries << list.item(row)->text();
    return entries;
}

DialogScript::Step Choose(const QString& label, QStringList* shown = nullptr, QString* selected = nullptr)
{
    return [=](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select Field");
        auto& list = Control<QListWidget>(dialog, "ListOfFields");
        if (shown)
            *shown = Entries(list);
        if (selected)
            *selected = list.currentItem() ? list.currentItem()->text() : QString();
        const QList<QListWidgetItem*> found = list.findItems(label, Qt::MatchExactly);
        if (!found.isEmpty())
            list.setCurrentItem(found.front());
        return QDialog::Accepted;
    };
}

// ---- record fields ----

TEST(FieldDialog, ANewFieldElementListsVisibleTextFieldsAndBindsTheChosenOne)
{
    DialogLayout layout;
    AddressRecord record;
    record.LName = "Lee";
    layout.Source.SetRecord(record);
    auto& field = layout.Add<TGPDLabel>();
    field.SetDataFieldName("<field>");
    DialogScript script;
    QStringList shown;
    QString selected;
    script.Steps["TFieldSelectionBox"] = Choose("Last Name", &shown, &selected);
    layout.Changes = 0;
    EXPECT_TRUE(RunCreationDialog(field, {}));
    EXPECT_EQ(selected, shown.front()) << "nothing matched, so the first entry was selected";
    EXPECT_TRUE(shown.contains("Last Name"));
    EXPECT_TRUE(shown.contains("Date")) << "the shown date is a visible text field";
    EXPECT_FALSE(shown.contains("MEMO"));
    EXPECT_FALSE(shown.contains("Tagged"));
    EXPECT_EQ(field.DataFieldName(), "LNAME");
    EXPECT_EQ(field.DataFieldDescript(), "Last Name");
    EXPECT_EQ(field.Caption(), "Lee") << "the panel showed the record again";
    EXPECT_GT(layout.Changes, 0);

    script.Steps["TFieldSelectionBox"] = Choose("Address 1", nullptr, &selected);
    RunElementDialogCommand(field, ElementCommand::DataField, 0, {});
    EXPECT_EQ(selected, "Last Name") << "the element's field is selected first";
    EXPECT_EQ(field.DataFieldName(), "STREET");
    EXPECT_EQ(field.Caption(), "<blank field>");
}

TEST(FieldDialog, CancelKeepsTheFieldButRefreshesTheDisplay)
{
    DialogLayout layout;
    auto& field = layout.Add<TGPDLabel>();
    field.SetDataFieldName("<field>");
    DialogScript script;
    EXPECT_FALSE(RunCreationDialog(field, {}));
    EXPECT_EQ(field.DataFieldName(), "<field>");
    EXPECT_EQ(field.DataFieldDescript(), "");
    EXPECT_EQ(field.Caption(), "<undefined field>");
    EXPECT_EQ(layout.Panel.ElementCount(), 1u);
}

TEST(FieldDialog, TheCallersCatalogueDecidesWhatIsListed)
{
    DialogLayout layout;
    auto& field = layout.Add<TGPDLabel>();
    FieldCatalogue printing;
    printing.SetExtraFields(true);
    DialogScript script;
    QStringList shown;
    script.Steps["TFieldSelectionBox"] = Choose("City, State & Zip", &shown);
    ElementDialogContext context;
    context.Fields = &printing;
    RunElementDialogCommand(field, ElementCommand::DataField, 0, context);
    EXPECT_TRUE(shown.contains("Full Name"));
    EXPECT_EQ(field.DataFieldName(), "CityStateZip");
}

TEST(MemoFieldDialog, ListsOnlyMemoFields)
{
    DialogLayout layout;
    AddressRecord record;
    record.Memo = "Call before noon";
    layout.Source.SetRecord(record);
    auto& memo = layout.Add<TGDMultiLineLabel>({10, 10, 190, 33});
    DialogScript script;
    QStringList shown;
    script.Steps["TFieldSelectionBox"] = Choose("MEMO", &shown);
    RunElementDialogCommand(memo, ElementCommand::MemoField, 0, {});
    EXPECT_EQ(shown, QStringList{"MEMO"});
    EXPECT_EQ(memo.DataFieldName(), "MEMO");
    EXPECT_EQ(memo.DataFieldDescript(), "MEMO");
    EXPECT_EQ(memo.Items(), std::vector<std::string>{"Call before noon"});
}

// ---- counters ----

struct CounterRow {
    std::string Name;
    CounterSettings Entered; // what the user types (the boxes keep their limits)
    CounterSettings Taken;
    std::string Painted; // the caption once the counter paints
};

class CounterDialog : public ::testing::TestWithParam<CounterRow> {};

TEST_P(CounterDialog, BoxesInAndOut)
{
    const CounterRow& row = GetParam();
    DialogLayout layout;
    auto& counter = layout.Add<TGCounterLabel>();
    counter.SetStartingnumber(1000);
    counter.SetTextBefore("#");
    DialogScript script;
    script.Steps["TGetCounter"] = [&row](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Counter");
        EXPECT_EQ(Control<QLineEdit>(dialog, "TextBefore").text(), "#");
        EXPECT_EQ(Control<QSpinBox>(dialog, "StartingNumber").value(), 1000);
        EXPECT_EQ(Control<QSpinBox>(dialog, "RepeatFor").value(), 1);
        Control<QLineEdit>(dialog, "TextBefore").setText(QString::fromStdString(row.Entered.TextBefore));
        Control<QSpinBox>(dialog, "StartingNumber").setValue(row.Entered.Startingnumber);
        Control<QSpinBox>(dialog, "RepeatFor").setValue(row.Entered.RepeatEach);
        Control<QLineEdit>(dialog, "TextAfter").setText(QString::fromStdString(row.Entered.TextAfter));
        Control<QSpinBox>(dialog, "LeadingZeros").setValue(row.Entered.LeadingZeros);
        return QDialog::Accepted;
    };
    RunElementDialogCommand(counter, ElementCommand::CounterSettings, 0, {});
    EXPECT_EQ(ReadCounterSettings(counter), row.Taken);
    EXPECT_EQ(counter.CounterText(), row.Painted);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CounterDialog,
    ::testing::Values(
        CounterRow{"Plain", {"", 1, 1, "", 0}, {"", 1, 1, "", 0}, "1"},
        CounterRow{
            "TextsAndZeros", {"No. ", 42, 3, " of 500", 4}, {"No. ", 42, 3, " of 500", 4}, "No. 0042 of 500"},
        CounterRow{"NegativeStart", {"", -3, 1, "", 4}, {"", -3, 1, "", 4}, "-0003"},
        CounterRow{"RepeatAndZerosKeepTheirLimits", {"", 5, 1000, "", 12}, {"", 5, 999, "", 9}, "000000005"},
        CounterRow{"RepeatAtLeastOne", {"", 5, 0, "", 0}, {"", 5, 1, "", 0}, "5"}),
    [](const ::testing::TestParamInfo<CounterRow>& info) { return info.param.Name; });

// ---- symbols ----

TEST(SymbolDialog, SelectsTheCurrentCharacterAndTakesTheChosenOne)
{
    DialogLayout layout;
    auto& symbol = layout.Add<TGSymbolLabel>();
    DialogScript script;
    script.Steps["TGetSymbol"] = [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Symbol Selector");
        auto& list = Control<QListWidget>(dialog, "SymbolList");
        EXPECT_EQ(list.count(), 224);
        EXPECT_EQ(list.currentRow(), '[' - 32);
        EXPECT_EQ(list.item(0)->text(), " ");
        EXPECT_EQ(list.item('J' - 32)->text(), QString(QChar(0x263A))) << "WingDings codes show their pictures";
        EXPECT_EQ(list.item(223)->text(), " ") << "a code the font leaves empty";
        EXPECT_EQ(Control<QPushButton>(dialog, "Fontbutton").text(), "WingDings, 16pt ");
        EXPECT_EQ(static_cast<TGetSymbol&>(dialog).Columns(), 10);
        list.setCurrentRow('J' - 32);
        return QDialog::Accepted;
    };
    const PixelRect before = symbol.Bounds();
    EXPECT_TRUE(RunCreationDialog(symbol, {}));
    EXPECT_EQ(symbol.Caption(), "J");
    EXPECT_EQ(symbol.Font().Name, "WingDings");
    EXPECT_NE(symbol.Bounds(), before) << "sized to its character";
}

TEST(SymbolDialog, TheFontButtonChangesTheWorkingFontOnlyOnOk)
{
    DialogLayout layout;
    auto& symbol = layout.Add<TGSymbolLabel>();
    DialogScript script;
    QString caption;
    script.Steps["FontDialog"] = [](QDialog& dialog) {
        QFont chosen("DejaVu Sans", 30);
        chosen.setBold(true);
        static_cast<QFontDialog&>(dialog).setCurrentFont(chosen);
        return QDialog::Accepted;
    };
    script.Steps["TGetSymbol"] = [&caption](QDialog& dialog) {
        Control<QPushButton>(dialog, "Fontbutton").click();
        caption = Control<QPushButton>(dialog, "Fontbutton").text();
        EXPECT_EQ(Control<QListWidget>(dialog, "SymbolList").font().family(), "DejaVu Sans");
        Control<QListWidget>(dialog, "SymbolList").setCurrentRow(0x80 - 32);
        return QDialog::Rejected;
    };
    RunElementDialogCommand(symbol, ElementCommand::SymbolSelector, 0, {});
    EXPECT_EQ(caption, "DejaVu Sans, 16pt Bold ");
    EXPECT_EQ(symbol.Font().Name, "WingDings") << "cancelled";
    EXPECT_EQ(symbol.Caption(), "[");

    script.Steps["TGetSymbol"] = [](QDialog& dialog) {
        Control<QPushButton>(dialog, "Fontbutton").click();
        Control<QListWidget>(dialog, "SymbolList").setCurrentRow(0x80 - 32);
        return QDialog::Accepted;
    };
    RunElementDialogCommand(symbol, ElementCommand::SymbolSelector, 0, {});
    EXPECT_EQ(symbol.Font().Name, "DejaVu Sans");
    EXPECT_EQ(symbol.Font().Height, TGFont::HeightOfPoints(30, 96)) << "the symbol keeps the chosen size";
    EXPECT_EQ(symbol.Caption(), "\xE2\x82\xAC");
}

// ---- the address block ----

struct AddressRow {
    std::string Name;
    AddressLayoutOptions Options;
};

class AddressDialog : public ::testing::TestWithParam<AddressRow> {};

TEST_P(AddressDialog, SwitchesInAndOut)
{
    const AddressLayoutOptions& wanted = GetParam().Options;
    DialogLayout layout;
    auto& address = layout.Add<TGDMultiLineAddressLabel>({0, 0, 190, 33});
    DialogScript script;
    script.Steps["TAddressLayout"] = [&wanted](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Address Label Layout");
        const std::pair<const char*, bool> boxes[] = {
            {"UseName", wanted.UseName},       {"UseTitle", wanted.UseTitle},
            {"UseCompany", wanted.UseCompany}, {"UseStreet", wanted.UseStreet},
            {"UseStreet2", wanted.UseStreet2}, {"UseCityState", wanted.UseCityState},
            {"UseZip", wanted.UseZip},         {"UsePhone", wanted.UsePhone},
            {"UseCountry", wanted.UseCountry}, {"UpperCase", wanted.UpperCase}};
        for (const auto& [name, on] : boxes)
            Control<QCheckBox>(dialog, name).setChecked(on);
        const char* radio = wanted.ZipOptions == TZipOptions::zoBeforeCity      ? "BeforeCity"
                            : wanted.ZipOptions == TZipOptions::zoAfterCountry  ? "AfterCountry"
                            : wanted.ZipOptions == TZipOptions::zoBeforeCountry ? "BeforeCountry"
                                                                                : "AfterState";
        Control<QRadioButton>(dialog, radio).setChecked(true);
        EXPECT_EQ(Control<QRadioButton>(dialog, "AfterCountry").isEnabled(), wanted.UseZip);
        return QDialog::Accepted;
    };
    RunElementDialogCommand(address, ElementCommand::AddressLayout, 0, {});
    EXPECT_EQ(ReadAddressLayout(address), wanted);
}

AddressLayoutOptions Options(std::function<void(AddressLayoutOptions&)> change)
{
    AddressLayoutOptions options;
    change(options);
    return options;
}

INSTANTIATE_TEST_SUITE_P(Values, AddressDialog,
                         ::testing::Values(AddressRow{"Defaults", {}},
                                           AddressRow{"Everything", Options([](AddressLayoutOptions& o) {
                                                          o.UsePhone = true;
                                                          o.UpperCase = true;
                                                          o.ZipOptions = TZipOptions::zoBeforeCountry;
                                                      })},
                                           AddressRow{"NameAndCityOnly", Options([](AddressLayoutOptions& o) {
                                                          o.UseTitle = o.UseCompany = o.UseStreet =
                                                              o.UseStreet2 = false;
                                                          o.UseZip = o.UseCountry = false;
                                                          o.ZipOptions = TZipOptions::zoBeforeCity;
                                                      })},
                                           AddressRow{"ZipAfterCountry", Options([](AddressLayoutOptions& o) {
                                                          o.UseName = false;
                                                          o.ZipOptions = TZipOptions::zoAfterCountry;
                                                      })}),
                         [](const ::testing::TestParamInfo<AddressRow>& info) { return info.param.Name; });

TEST(AddressDialogZip, TheZipPlacesFollowTheZipBox)
{
    DialogLayout layout;
    auto& address = layout.Add<TGDMultiLineAddressLabel>();
    address.SetUseZip(false);
    DialogScript script;
    script.Steps["TAddressLayout"] = [](QDialog& dialog) {
        auto& zip = Control<QCheckBox>(dialog, "UseZip");
        EXPECT_EQ(zip.text(), "&Zip/Postal code");
        for (const char* name : {"AfterState", "BeforeCity", "AfterCountry", "BeforeCountry"})
            EXPECT_FALSE(Control<QRadioButton>(dialog, name).isEnabled()) << name;
        EXPECT_TRUE(Control<QRadioButton>(dialog, "AfterState").isChecked());
        zip.setChecked(true);
        for (const char* name : {"AfterState", "BeforeCity", "AfterCountry", "BeforeCountry"})
            EXPECT_TRUE(Control<QRadioButton>(dialog, name).isEnabled()) << name;
        return QDialog::Rejected;
    };
    RunElementDialogCommand(address, ElementCommand::AddressLayout, 0, {});
    EXPECT_FALSE(address.UseZip()) << "cancelled";
}

} // namespace
} // namespace corvane
