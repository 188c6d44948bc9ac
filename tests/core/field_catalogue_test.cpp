#include "core/FieldCatalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/AddressFileLayout.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using xbase::testing::ScratchFolder;

struct Expected {
    const char* Name;
    const char* Label;
    int Width;
    FieldKind Kind;
    bool Visible;
};

// The first order with the default widths of a new file.
const std::vector<Expected> FirstOrder = {
    {"Tagged", "Tagged", 1, FieldKind::CalculatedLogical, true},
    {"FullName", "Full Name", 35, FieldKind::CalculatedText, false},
    {"FullNameWithPrefix", "Full Name & Prefix", 35, FieldKind::CalculatedText, false},
    {"CityStateZip", "City, State & Zip", 35, FieldKind::CalculatedText, false},
    {"LNAME", "Last Name", 30, FieldKind::StoredText, true},
    {"FNAME", "First Name", 30, FieldKind::StoredText, true},
    {"MIDDLE", "Middle", 1, FieldKind::StoredText, true},
    {"PREFIX", "Prefix", 12, FieldKind::StoredText, true},
    {"TITLE", "Title", 30, FieldKind::StoredText, true},
    {"ORG", "Organization", 30, FieldKind::StoredText, true},
    {"STREET", "Address 1", 40, FieldKind::StoredText, true},
    {"STREET2", "Address 2", 40, FieldKind::StoredText, true},
    {"CITY", "City", 30, FieldKind::StoredText, true},
    {"STATE", "State", 20, FieldKind::StoredText, true},
    {"ZIP", "Zip/Postal Code", 10, FieldKind::StoredText, true},
    {"COUNTRY", "Country", 30, FieldKind::StoredText, true},
    {"PHONE", "Phone 1", 30, FieldKind::StoredText, true},
    {"PHONE2", "Phone 2", 30, FieldKind::StoredText, true},
    {"FAX", "Fax", 40, FieldKind::StoredText, true},
    {"EMAIL", "Email", 40, FieldKind::StoredText, true},
    {"CODES", "Codes", 30, FieldKind::StoredText, true},
    {"USER1", "Comment 1", 40, FieldKind::StoredText, true},
    {"USER2", "Comment 2", 40, FieldKind::StoredText, true},
    {"MEMO", "MEMO", 10, FieldKind::Memo, false},
    {"ISDEL", "Deleted", 1, FieldKind::StoredLogical, false},
    {"DATE", "Actual Date", 15, FieldKind::StoredText, false},
    {"DisplayDate", "Date", 12, FieldKind::CalculatedText, true},
    {"TAG", "TAG", 8, FieldKind::StoredText, false},
};

const std::vector<std::string> StoredPickerLabels = {
    "Last Name", "First Name", "Middle", "Prefix",          "Title",    "Organization", "Address 1",
    "Address 2", "City",       "State",  "Zip/Postal Code", "Country",  "Phone 1",      "Phone 2",
    "Fax",       "Email",      "Codes",  "Comment 1",       "Comment 2"};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(FieldCatalogue, HoldsTheTwentyEightFieldsInTheirFirstOrder)
{
    const FieldCatalogue catalogue;
    ASSERT_EQ(catalogue.Count(), FirstOrder.size());
    for (size_t i = 0; i < FirstOrder.size(); ++i) {
        const CatalogueField& field = catalogue.Fields()[i];
        SCOPED_TRACE(FirstOrder[i].Name);
        EXPECT_EQ(field.Name, FirstOrder[i].Name);
        EXPECT_EQ(field.DisplayLabel, FirstOrder[i].Label);
        EXPECT_EQ(field.Width, FirstOrder[i].Width);
        EXPECT_EQ(field.Kind, FirstOrder[i].Kind);
        EXPECT_EQ(field.Visible, FirstOrder[i].Visible);
    }
}

TEST(FieldCatalogue, PickersOfferVisibleTextFieldsAndPrintingShowsTheNameAndAddressFields)
{
    FieldCatalogue catalogue;
    const std::vector<std::string> normal = Concat(StoredPickerLabels, {"Date"});
    EXPECT_EQ(catalogue.VisibleTextLabels(), normal) << "Tagged is logical, hidden fields are left out";

    catalogue.SetExtraFields(true);
    EXPECT_EQ(catalogue.VisibleTextLabels(),
              Concat({"Full Name", "Full Name & Prefix", "City, State & Zip"}, normal));
    EXPECT_FALSE(catalogue.FindByName("DATE")->Visible) << "only the three printing fields change";

    catalogue.SetExtraFields(false);
    EXPECT_EQ(catalogue.VisibleTextLabels(), normal);
}

TEST(FieldCatalogue, FindsFieldsByNameAndByLabelWithoutCase)
{
    const FieldCatalogue catalogue;
    ASSERT_NE(catalogue.FindByName("email"), nullptr);
    EXPECT_EQ(catalogue.FindByName("email")->DisplayLabel, "Email");
    EXPECT_EQ(catalogue.FindByName("DISPLAYDATE")->DisplayLabel, "Date");
    EXPECT_EQ(catalogue.IndexOfName("tagged"), 0);
    EXPECT_EQ(catalogue.FindByLabel("full name & prefix")->Name, "FullNameWithPrefix");
    EXPECT_EQ(catalogue.FindByLabel("Date")->Name, "DisplayDate");
    EXPECT_EQ(catalogue.FindByLabel("Actual Date")->Name, "DATE");
    EXPECT_EQ(catalogue.FindByLabel("ZIP/POSTAL CODE")->Name, "ZIP");
    EXPECT_EQ(catalogue.FindByName("Zip/Postal Code"), nullptr) << "a label is no field name";
    EXPECT_EQ(catalogue.FindByLabel("ZIP"), nullptr) << "a field name is no label";
    EXPECT_EQ(catalogue.IndexOfName("NOSUCH"), -1);
}

TEST(FieldCatalogue, TakesTheWidthsTheOpenFileDeclares)
{
    ScratchFolder folder;
    IniFile settings = IniFile::Parse("");
    settings.WriteInteger("NewFileFieldLengths", "FieldZIP", 5);
    settings.WriteInteger("NewFileFieldLengths", "FieldLNAME", 80);
    const std::string path = folder.File("add0001.dbf");
    ASSERT_TRUE(CreateAddressTable(path, NewAddressFileFields(settings)));
    xbase::Table table;
    ASSERT_TRUE(table.Open(path));

    FieldCatalogue catalogue;
    ASSERT_TRUE(catalogue.TakeFileWidths(table));
    EXPECT_EQ(catalogue.FindByName("ZIP")->Width, 5);
    EXPECT_EQ(catalogue.FindByName("LNAME")->Width, 80);
    EXPECT_EQ(catalogue.FindByName("FAX")->Width, 40);
    EXPECT_EQ(catalogue.FindByName("MEMO")->Width, 10);
    EXPECT_EQ(catalogue.FindByName("FullName")->Width, 35);
    EXPECT_EQ(catalogue.FindByName("CityStateZip")->Width, 35);
    EXPECT_EQ(catalogue.FindByName("DisplayDate")->Width, 12);
    ASSERT_TRUE(table.Close());
}

TEST(FieldCatalogue, FileWidthsMatchNamesWithoutCaseAndIgnoreExtraFields)
{
    std::vector<xbase::FieldDescriptor> declared;
    for (const AddressFieldDefinition& field : AddressFields())
        declared.push_back({field.Name, field.Type, static_cast<uint16_t>(field.DefaultWidth)});
    declared.push_back({"EXTRA", 'C', 50});
    declared[0].Name = "lname";
    declared[0].Width = 17;

    FieldCatalogue catalogue;
    ASSERT_TRUE(catalogue.TakeFileWidths(declared, "people"));
    EXPECT_EQ(catalogue.FindByName("LNAME")->Width, 17);
    EXPECT_EQ(catalogue.Count(), 28u);

    std::map<std::string, int> byName = {{"LNAME", 22}, {"zip", 9}};
    EXPECT_FALSE(catalogue.TakeFileWidths(byName, "people"));
    EXPECT_EQ(catalogue.FindByName("ZIP")->Width, 10) << "a failed check changes no width";
    for (const AddressFieldDefinition& field : AddressFields()) {
        if (std::string(field.Name) != "ZIP")
            byName.emplace(field.Name, field.DefaultWidth);
    }
    ASSERT_TRUE(catalogue.TakeFileWidths(byName, "people"));
    EXPECT_EQ(catalogue.FindByName("ZIP")->Width, 9);
}

TEST(FieldCatalogue, FileWithoutAnAddressFieldIsRefused)
{
    std::vector<xbase::FieldDescriptor> declared;
    for (const AddressFieldDefinition& field : AddressFields()) {
        if (std::string(field.Name) != "CITY")
            declared.push_back({field.Name, field.Type, static_cast<uint16_t>(field.DefaultWidth / 2 + 1)});
    }
    FieldCatalogue catalogue;
    const Status status = catalogue.TakeFileWidths(declared, "people.dbf");
    EXPECT_FALSE(status);
    EXPECT_EQ(status.Message(), "Field \"CITY\" not found in dataset \"people.dbf\"");
    EXPECT_EQ(catalogue.FindByName("LNAME")->Width, 30) << "a failed check changes no width";
}

TEST(FieldCatalogue, MovedFieldsKeepTheOthersInOrderAndTheOrderRoundTrips)
{
    FieldCatalogue catalogue;
    const std::vector<std::string> first = catalogue.Order();

    ASSERT_TRUE(catalogue.MoveField("email", 0));
    std::vector<std::string> expected = first;
    expected.erase(expected.begin() + 19);
    expected.insert(expected.begin(), "EMAIL");
    EXPECT_EQ(catalogue.Order(), expected);
    EXPECT_EQ(catalogue.VisibleTextLabels().front(), "Email") << "pickers follow the new order";

    ASSERT_TRUE(catalogue.MoveField("Tagged", 1000));
    EXPECT_EQ(catalogue.Order().back(), "Tagged") << "past the end means last";
    EXPECT_FALSE(catalogue.MoveField("NOSUCH", 0));
    EXPECT_EQ(catalogue.Count(), 28u);

    FieldCatalogue reloaded;
    reloaded.ApplyOrder(catalogue.Order());
    EXPECT_EQ(reloaded.Order(), catalogue.Order());
    reloaded.ApplyOrder(first);
    EXPECT_EQ(reloaded.Order(), first);
}

TEST(FieldCatalogue, SavedOrderSkipsNamesThatAreNoFields)
{
    FieldCatalogue catalogue;
    catalogue.ApplyOrder({"EMAIL", "BOGUS", "zip"});
    const std::vector<std::string> order = catalogue.Order();
    EXPECT_EQ(order[0], "EMAIL");
    EXPECT_EQ(order[1], "Tagged");
    EXPECT_EQ(order[2], "ZIP") << "each name goes to its line's position";
    EXPECT_EQ(order.size(), 28u);
}

} // namespace
} // namespace corvane
