// What the built-in reports print for a record: the value texts, today's date and the memo's
// word wrap.

#include <gtest/gtest.h>

#include <functional>

#include "reports/ReportTexts.h"

namespace corvane {
namespace {

AddressRecord Person(std::initializer_list<std::pair<const char*, const char*>> fields)
{
    AddressRecord record;
    for (const auto& [name, value] : fields)
        *record.Text(name) = value;
    return record;
}

struct TextCase {
    const char* Name;
    std::function<QString(const AddressRecord&)> Text;
    AddressRecord Record;
    QString Expected;
};

TEST(ReportTexts, ValueTexts)
{
    const std::vector<TextCase> cases = {
        {"name", ReportNameValue, Person({{"LNAME", "Smith"}, {"FNAME", "John"}, {"MIDDLE", "Q"}}),
         "Smith, John Q."},
        {"name without middle", ReportNameValue, Person({{"LNAME", "Smith"}, {"FNAME", "John"}}),
         "Smith, John "},
        {"name without last", ReportNameValue, Person({{"FNAME", "John"}}), ", John "},
        {"name with leading blanks", ReportNameValue, Person({{"LNAME", "  Smith"}, {"FNAME", " Jo"}}),
         "Smith, Jo "},
        {"city all", ReportCityText, Person({{"CITY", "Boston"}, {"STATE", "MA"}, {"ZIP", "02134"}}),
         "Boston, MA  02134 "},
        {"city without state", ReportCityText, Person({{"CITY", "Boston"}, {"ZIP", "02134"}}),
         "Boston, 02134 "},
        {"city empty", ReportCityText, Person({}), ""},
        {"name 4 with prefix", ReportNameText4,
         Person({{"LNAME", "Smith"}, {"FNAME", "John"}, {"PREFIX", "Dr."}, {"MIDDLE", "Q"}}),
         "Smith, Dr. John Q."},
        {"name 4 without prefix", ReportNameText4, Person({{"LNAME", "Smith"}, {"FNAME", "John"}}),
         "Smith,  John "},
        {"name 4 last only", ReportNameText4, Person({{"LNAME", "Smith"}}), "Smith, "},
        {"name 4 prefix, no first", ReportNameText4, Person({{"LNAME", "Smith"}, {"PREFIX", "Ms."}}),
         "Smith, Ms. "},
        {"title and org", ReportTitleText, Person({{"TITLE", "Editor"}, {"ORG", "Acme"}}), "Editor, Acme"},
        {"org alone", ReportTitleText, Person({{"ORG", "Acme"}}), "Acme"},
        {"title alone", ReportTitleText, Person({{"TITLE", "Editor"}}), "Editor"},
        {"city 4", ReportCityText4, Person({{"CITY", "Boston"}, {"STATE", "MA"}, {"ZIP", "02134"}}),
         "Boston, MA, 02134"},
        {"city 4 without state", ReportCityText4, Person({{"CITY", "Boston"}, {"ZIP", "02134"}}),
         "Boston, 02134"},
        {"phone and fax", ReportPhoneText, Person({{"PHONE", "555-1234"}, {"FAX", "555-9876"}}),
         "Ph: 555-1234  Fax: 555-9876  "},
        {"fax only", ReportPhoneText, Person({{"FAX", "555-9876"}}), "Fax: 555-9876  "},
        {"no phone", ReportPhoneText, Person({}), ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(c.Text(c.Record), c.Expected) << c.Name;
}

TEST(ReportTexts, TodayIsMonthDayYear)
{
    EXPECT_EQ(ReportDateText(QDate(2026, 3, 7)), "03/07/2026");
}

TEST(ReportTexts, MemoWrapsWithinTheWidthAndKeepsLineBreaks)
{
    const QFont font("Liberation Sans", 9);
    const QString words = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu";
    const QStringList lines = WrapReportMemo(words + "\r\nsecond paragraph", font, 150, 96);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.back(), "second paragraph");
    EXPECT_EQ(lines.join(' '), words + " second paragraph");
    EXPECT_TRUE(WrapReportMemo("   \r\n ", font, 150, 96).isEmpty());
    EXPECT_TRUE(WrapReportMemo("", font, 150, 96).isEmpty());
}

} // namespace
} // namespace corvane
