#include "core/AddressRecord.h"

#include <algorithm>
#include <iterator>

#include "core/DisplayDate.h"
#include "core/FieldCatalogue.h"
#include "platform/AsciiText.h"
#include "platform/Utf8Text.h"
#include "platform/xbase/Table.h"

namespace corvane {

namespace {

struct TextField {
    const char* Name;
    std::string AddressRecord::*Member;
};

// The stored character fields in their physical order.
constexpr TextField TextFields[] = {
    {"LNAME", &AddressRecord::LName},   {"FNAME", &AddressRecord::FName},
    {"MIDDLE", &AddressRecord::Middle}, {"PREFIX", &AddressRecord::Prefix},
    {"TITLE", &AddressRecord::Title},   {"ORG", &AddressRecord::Org},
    {"STREET", &AddressRecord::Street}, {"STREET2", &AddressRecord::Street2},
    {"CITY", &AddressRecord::City},     {"STATE", &AddressRecord::State},
    {"ZIP", &AddressRecord::Zip},       {"COUNTRY", &AddressRecord::Country},
    {"DATE", &AddressRecord::Date},     {"PHONE", &AddressRecord::Phone},
    {"PHONE2", &AddressRecord::Phone2}, {"FAX", &AddressRecord::Fax},
    {"EMAIL", &AddressRecord::Email},   {"CODES", &AddressRecord::Codes},
    {"USER1", &AddressRecord::User1},   {"USER2", &AddressRecord::User2},
    {"TAG", &AddressRecord::Tag},
};

const TextField* FindTextField(std::string_view name)
{
    auto match = std::find_if(std::begin(TextFields), std::end(TextFields),
                              [&](const TextField& field) { return EqualsIgnoringCase(field.Name, name); });
    return match == std::end(TextFields) ? nullptr : match;
}

// Blanks and control characters, as the trimming of the calculated fields understands them.
bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string TrimLeft(std::string text)
{
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), IsTrimmed));
    return text;
}

std::string TrimRight(std::string text)
{
    text.erase(std::find_if_not(text.rbegin(), text.rend(), IsTrimmed).base(), text.end());
    return text;
}

const char* YesNo(bool value)
{
    return value ? "Yes" : "No";
}

} // namespace

std::string* AddressRecord::Text(std::string_view fieldName)
{
    const TextField* field = FindTextField(fieldName);
    return field ? &(this->*(field->Member)) : nullptr;
}

const std::string* AddressRecord::Text(std::string_view fieldName) const
{
    const TextField* field = FindTextField(fieldName);
    return field ? &(this->*(field->Member)) : nullptr;
}

Status AddressRecord::ReadFrom(const xbase::Table& table)
{
    AddressRecord read;
    Status problem;
    for (const TextField& field : TextFields) {
        Result<std::string> value = table.GetField(field.Name);
        if (value)
            read.*(field.Member) = value.Take();
        else if (problem)
            problem = value.ToStatus();
    }
    Result<std::string> isDel = table.GetField("ISDEL");
    if (isDel)
        read.IsDel = *isDel == "T";
    else if (problem)
        problem = isDel.ToStatus();
    Result<std::string> memo = table.GetMemo("MEMO");
    if (memo)
        read.Memo = memo.Take();
    else if (problem)
        problem = memo.ToStatus();
    *this = std::move(read);
    return problem;
}

Status AddressRecord::WriteTo(xbase::Table& table) const
{
    // The memo first: its blocks are written at once, while the record's own bytes wait in the
    // table's buffer until they are written together, so a memo that cannot be written leaves the
    // stored record untouched.
    Result<std::string> memo = table.GetMemo("MEMO");
    if (!memo)
        return memo.ToStatus();
    if (*memo != Memo) {
        if (Status put = table.PutMemo("MEMO", Memo); !put)
            return put;
    }
    for (const TextField& field : TextFields) {
        Result<std::string> current = table.GetField(field.Name);
        if (!current)
            return current.ToStatus();
        const std::string& value = this->*(field.Member);
        if (*current == value)
            continue;
        if (Status put = table.PutField(field.Name, value); !put)
            return put;
    }
    Result<std::string> isDel = table.GetField("ISDEL");
    if (!isDel)
        return isDel.ToStatus();
    if ((*isDel == "T") != IsDel) {
        if (Status put = table.PutField("ISDEL", IsDel ? "T" : "F"); !put)
            return put;
        if (Status mark = IsDel ? table.Delete() : table.Recall(); !mark)
            return mark;
    }
    return Status::Success();
}

bool AddressRecord::Tagged(std::string_view currentTagId) const
{
    return !TrimRight(Tag).empty() && Tag == currentTagId;
}

std::string AddressRecord::DisplayDate() const
{
    return corvane::DisplayDate(Date);
}

std::string AddressRecord::FullName() const
{
    return CutToCharacters(TrimRight(FName + " " + Middle) + " " + LName, FieldCatalogue::NameAddressWidth);
}

std::string AddressRecord::FullNameWithPrefix() const
{
    return CutToCharacters(TrimLeft(TrimRight(Prefix + " " + FName + " " + Middle)) + " " + LName,
                           FieldCatalogue::NameAddressWidth);
}

std::string AddressRecord::CityStateZip() const
{
    return CutToCharacters(TrimLeft(City + " ") + TrimLeft(State + " ") + Zip,
                           FieldCatalogue::NameAddressWidth);
}

Result<std::string> FieldDisplayValue(const AddressRecord& record, std::string_view fieldName,
                                      std::string_view currentTagId)
{
    if (const std::string* text = record.Text(fieldName))
        return *text;
    if (EqualsIgnoringCase(fieldName, "MEMO"))
        return record.Memo;
    if (EqualsIgnoringCase(fieldName, "ISDEL"))
        return std::string(YesNo(record.IsDel));
    if (EqualsIgnoringCase(fieldName, "Tagged"))
        return std::string(YesNo(record.Tagged(currentTagId)));
    if (EqualsIgnoringCase(fieldName, "FullName"))
        return record.FullName();
    if (EqualsIgnoringCase(fieldName, "FullNameWithPrefix"))
        return record.FullNameWithPrefix();
    if (EqualsIgnoringCase(fieldName, "CityStateZip"))
        return record.CityStateZip();
    if (EqualsIgnoringCase(fieldName, "DisplayDate"))
        return record.DisplayDate();
    return Result<std::string>::Error("\"" + std::string(fieldName) +
                                      "\" is not a field of the address catalogue");
}

} // namespace corvane
