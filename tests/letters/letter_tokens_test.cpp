// Token values, the name line and the address block as letters compose them.
#include <gtest/gtest.h>

#include "letters/LetterTokens.h"

namespace corvane {
namespace {

AddressRecord Person(std::string prefix, std::string first, std::string middle, std::string last,
                     std::string title = {}, std::string org = {})
{
    AddressRecord record;
    record.Prefix = std::move(prefix);
    record.FName = std::move(first);
    record.Middle = std::move(middle);
    record.LName = std::move(last);
    record.Title = std::move(title);
    record.Org = std::move(org);
    return record;
}

TEST(LetterTokens, NameLineAndBlock)
{
    struct Case {
        const char* Name;
        AddressRecord Record;
        std::string FullName;
        std::string Block;
    };
    AddressRecord full = Person("Mr.", "John", "Q", "Brown", "Director", "Acme Inc");
    full.Street = "12 Main St";
    full.Street2 = "Suite 4";
    full.City = "Springfield";
    full.State = "IL";
    full.Zip = "62701";
    full.Country = "USA";
    AddressRecord noState = Person("", "Ann", "", "Lee");
    noState.City = "Toronto";
    noState.Zip = "M5V 2T6";
    AddressRecord zipOnly = Person("", "", "", "Kay");
    zipOnly.Zip = "02134";
    AddressRecord padded = Person("Dr.   ", "Eve   ", "   ", "Ross  ");
    const Case cases[] = {
        {"Everything", full, "Mr. John Q. Brown ",
         "Mr. John Q. Brown \r\nDirector,  Acme Inc\r\n12 Main St\r\nSuite 4\r\nSpringfield IL  "
         "62701\r\nUSA\r\n"},
        {"LastNameOnly", Person("", "", "", "Brown"), "Brown ", "Brown \r\n"},
        {"TitleOnly", Person("", "Al", "", "Fox", "Owner"), "Al Fox ", "Al Fox \r\nOwner\r\n"},
        {"OrgWithoutTitle", Person("", "Al", "", "Fox", "", "Fox Ltd"), "Al Fox ", "Al Fox \r\nFox Ltd\r\n"},
        {"NoStateTwoBlanksBeforeZip", noState, "Ann Lee ", "Ann Lee \r\nToronto  M5V 2T6\r\n"},
        {"ZipAlone", zipOnly, "Kay ", "Kay \r\n02134\r\n"},
        {"TrailingBlanksIgnored", padded, "Dr. Eve Ross ", "Dr. Eve Ross \r\n"},
        {"Empty", AddressRecord{}, "", ""},
    };
    for (const Case& given : cases) {
        EXPECT_EQ(LetterFullName(given.Record), given.FullName) << given.Name;
        EXPECT_EQ(LetterAddressBlock(given.Record), given.Block) << given.Name;
    }
}

TEST(LetterTokens, EveryTokenHasItsField)
{
    AddressRecord record = Person("Ms.", "Jo", "K", "Smith", "CEO", "Org");
    record.Street = "S1";
    record.Street2 = "S2";
    record.City = "Town ";
    record.State = "";
    record.Zip = "12345";
    record.Country = "CA";
    record.Phone = "P1";
    record.Phone2 = "P2";
    record.Fax = "F";
    record.Email = "e@x";
    record.User1 = "U1";
    record.User2 = "U2";
    record.Codes = "never";
    const LetterTokenValues values(record, QDate(2026, 12, 8));
    const std::pair<const char*, const char*> expected[] = {{"Full Name", "Ms. Jo K. Smith "},
                                                            {"First", "Jo"},
                                                            {"Last", "Smith"},
                                                            {"Middle", "K"},
                                                            {"Prefix", "Ms."},
                                                            {"Title", "CEO"},
                                                            {"Organization", "Org"},
                                                            {"Street", "S1"},
                                                            {"Street 2", "S2"},
                                                            {"City+State+Zip", "Town  12345"},
                                                            {"City", "Town"},
                                                            {"State", ""},
                                                            {"Province", ""},
                                                            {"Zip", "12345"},
                                                            {"Postal Code", "12345"},
                                                            {"Country", "CA"},
                                                            {"Phone", "P1"},
                                                            {"Phone 2", "P2"},
                                                            {"Fax", "F"},
                                                            {"E-Mail", "e@x"},
                                                            {"Today's Date", "12/08/2026"},
                                                            {"Long Date", "Dec 8, 2026"},
                                                            {"Comment 1", "U1"},
                                                            {"Comment 2", "U2"},
                                                            {"full name", "Ms. Jo K. Smith "},
                                                            {"Codes", ""}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(values.Value(name), value) << name;
    EXPECT_EQ(LetterTokenNames().size(), 25u);
    EXPECT_EQ(LetterTokenNames().front(), "Full Name");
    EXPECT_EQ(LetterTokenNames()[1], "Name and Address");
    EXPECT_EQ(LetterMergeOrder()[22], "Name and Address");
}

TEST(LetterTokens, Dates)
{
    EXPECT_EQ(LetterShortDate(QDate(2027, 1, 5)), "01/05/2027");
    EXPECT_EQ(LetterLongDate(QDate(2027, 1, 5)), "Jan 5, 2027");
    EXPECT_EQ(LetterLongDate(QDate(2026, 9, 30)), "Sep 30, 2026");
}

} // namespace
} // namespace corvane
