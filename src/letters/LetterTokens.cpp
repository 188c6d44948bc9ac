#include "letters/LetterTokens.h"

#include <QLocale>
#include <QString>

namespace corvane {

namespace {

std::string TrimmedRight(const std::string& value)
{
    const size_t end = value.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : value.substr(0, end + 1);
}

std::string Trimmed(const std::string& value)
{
    const size_t start = value.find_first_not_of(' ');
    if (start == std::string::npos)
        return {};
    return value.substr(start, value.find_last_not_of(' ') - start + 1);
}

// A value with one blank appended and leading blanks removed: nothing for an empty value.
std::string Piece(const std::string& value)
{
    std::string piece = value + " ";
    const size_t start = piece.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : piece.substr(start);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t index = 0; index < a.size(); ++index) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[index]) != lower(b[index]))
            return false;
    }
    return true;
}

} // namespace

const std::array<std::string_view, LetterTokenCount>& LetterTokenNames()
{
    static const std::array<std::string_view, LetterTokenCount> names = {
        "Full Name",    "Name and Address", "First",     "Last",           "Middle",  "Prefix", "Title",
        "Organization", "Street",           "Street 2",  "City+State+Zip", "City",    "State",  "Province",
        "Zip",          "Postal Code",      "Country",   "Phone",          "Phone 2", "Fax",    "E-Mail",
        "Today's Date", "Long Date",        "Comment 1", "Comment 2"};
    return names;
}

const std::array<std::string_view, LetterTokenCount>& LetterMergeOrder()
{
    static const std::array<std::string_view, LetterTokenCount> order = {"Full Name",
                                                                         "First",
                                                                         "Last",
                                                                         "Middle",
                                                                         "Prefix",
                                                                         "Title",
                                                                         "Organization",
                                                                         "Street",
                                                                         "Street 2",
                                                                         "City+State+Zip",
                                                                         "City",
                                                                         "State",
                                                                         "Province",
                                                                         "Zip",
                                                                         "Postal Code",
                                                                         "Country",
                                                                         "Phone",
                                                                         "Phone 2",
                                                                         "Fax",
                                                                         "E-Mail",
                                                                         "Today's Date",
                                                                         "Long Date",
                                                                         "Name and Address",
                                                                         "Comment 1",
                                                                         "Comment 2"};
    return order;
}

std::string LetterToken(std::string_view name)
{
    return "[" + std::string(name) + "]";
}

std::string LetterFullName(const AddressRecord& record)
{
    const std::string middle = TrimmedRight(record.Middle);
    return Piece(TrimmedRight(record.Prefix)) + Piece(TrimmedRight(record.FName)) +
           Piece(middle.empty() ? middle : middle + ".") + Piece(TrimmedRight(record.LName));
}

std::string LetterAddressBlock(const AddressRecord& record)
{
    std::string block;
    const auto line = [&block](const std::string& text) {
        if (!text.empty())
            block += text + "\r\n";
    };
    line(LetterFullName(record));
    const std::string title = TrimmedRight(record.Title);
    const std::string org = TrimmedRight(record.Org);
    line(!title.empty() && !org.empty() ? title + ",  " + org : title + org);
    line(TrimmedRight(record.Street));
    line(TrimmedRight(record.Street2));
    const std::string city = TrimmedRight(record.City);
    const std::string state = TrimmedRight(record.State);
    const std::string zip = TrimmedRight(record.Zip);
    if (!city.empty() || !state.empty() || !zip.empty())
        line(Trimmed(city + " " + (state.empty() ? state : state + " ") + " " + zip));
    line(TrimmedRight(record.Country));
    return block;
}

std::string LetterShortDate(const QDate& day)
{
    return day.toString(QStringLiteral("MM/dd/yyyy")).toStdString();
}

std::string LetterLongDate(const QDate& day)
{
    return QLocale::c().toString(day, QStringLiteral("MMM d, yyyy")).toStdString();
}

LetterTokenValues::LetterTokenValues(const AddressRecord& record, const QDate& today)
{
    const auto field = [](const std::string& value) { return TrimmedRight(value); };
    const std::string cityStateZip =
        Trimmed(field(record.City) + " " + field(record.State) + " " + field(record.Zip));
    FValues = {LetterFullName(record), LetterAddressBlock(record), field(record.FName),   field(record.LName),
               field(record.Middle),   field(record.Prefix),       field(record.Title),   field(record.Org),
               field(record.Street),   field(record.Street2),      cityStateZip,          field(record.City),
               field(record.State),    field(record.State),        field(record.Zip),     field(record.Zip),
               field(record.Country),  field(record.Phone),        field(record.Phone2),  field(record.Fax),
               field(record.Email),    LetterShortDate(today),     LetterLongDate(today), field(record.User1),
               field(record.User2)};
}

const std::string& LetterTokenValues::Value(std::string_view name) const
{
    static const std::string none;
    const auto& names = LetterTokenNames();
    for (size_t index = 0; index < names.size(); ++index) {
        if (EqualIgnoringCase(names[index], name))
            return FValues[index];
    }
    return none;
}

} // namespace corvane
