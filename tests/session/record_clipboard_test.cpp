// "Copy To Clipboard": the record's text in the chosen parts, and its length limit.

#include <gtest/gtest.h>

#include <string>

#include <QString>

#include "session/RecordClipboard.h"
#include "support/AddressTableFixture.h"

namespace corvane {
namespace {

using testing::Person;

struct ClipboardCase {
    const char* Name;
    Person Values;
    ClipboardParts Parts;
    std::string Expected;
};

class ClipboardText : public ::testing::TestWithParam<ClipboardCase> {};

TEST_P(ClipboardText, IsBuiltFromTheChosenParts)
{
    AddressRecord record;
    for (const auto& [field, value] : GetParam().Values)
        *record.Text(field) = value;
    EXPECT_EQ(GetRecordAsString(record, GetParam().Parts), GetParam().Expected);
}

const Person Full = {{"PREFIX", "Dr."},     {"FNAME", "Ann"}, {"MIDDLE", "Q"},        {"LNAME", "Lee"},
                     {"TITLE", "Director"}, {"ORG", "Acme"},  {"STREET", "1 Elm St"}, {"STREET2", ""},
                     {"CITY", "Boston"},    {"STATE", "MA"},  {"ZIP", "02110"},       {"COUNTRY", "USA"},
                     {"PHONE", "555-1234"}, {"PHONE2", ""},   {"CODES", "ABC"},       {"USER1", "first"},
                     {"USER2", "second"}};

INSTANTIATE_TEST_SUITE_P(
    Session, ClipboardText,
    ::testing::Values(
        ClipboardCase{"Everything",
                      Full,
                      {},
                      "Dr. Ann Q. Lee \r\nDirector\r\nAcme\r\n1 Elm St\r\nBoston  MA 02110\r\nUSA \r\n"
                      "Phone  :555-1234\r\nCodes :ABC\r\nComment 1 :first\r\nComment 2 :second\r\n"},
        ClipboardCase{"NameOnlyWithoutMiddleInitial",
                      {{"FNAME", "Ann"}, {"LNAME", "Lee"}},
                      {true, false, false, false, false},
                      "Ann Lee \r\n"},
        ClipboardCase{"AddressWithoutCityStateOrZip",
                      {{"STREET", "1 Elm St"}},
                      {false, true, false, false, false},
                      "1 Elm St\r\n"},
        ClipboardCase{"PhonesAndComments",
                      Full,
                      {false, false, true, false, true},
                      "Phone  :555-1234\r\nComment 1 :first\r\nComment 2 :second\r\n"},
        ClipboardCase{"EmptyRecord", {}, {}, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ClipboardTextLimit, IsAThousandCharacters)
{
    AddressRecord record;
    record.Street = std::string(600, 'a');
    record.Street2 = std::string(300, 'b') + "é" + std::string(299, 'c');
    const std::string text = GetRecordAsString(record, {});
    EXPECT_EQ(QString::fromUtf8(text.c_str()).size(), 1000);
    EXPECT_EQ(text.substr(0, 602), std::string(600, 'a') + "\r\n");
}

} // namespace
} // namespace corvane
