#pragma once
// One record of an address file as a value: the 23 stored fields (UTF-8 text without trailing
// blanks, as the engine reads it) and the calculated fields derived from them.

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace xbase {
class Table;
}

namespace corvane {

struct AddressRecord {
    std::string LName;
    std::string FName;
    std::string Middle;
    std::string Prefix;
    std::string Title;
    std::string Org;
    std::string Street;
    std::string Street2;
    std::string City;
    std::string State;
    std::string Zip;
    std::string Country;
    std::string Date; // stored form YYYYMMDD, or blank
    std::string Phone;
    std::string Phone2;
    std::string Fax;
    std::string Email;
    std::string Codes;
    std::string User1;
    std::string User2;
    bool IsDel = false;
    std::string Tag;
    std::string Memo;

    bool operator==(const AddressRecord&) const = default;

    // The stored character field of that name (case ignored); nullptr for ISDEL, MEMO and any
    // other name.
    std::string* Text(std::string_view fieldName);
    const std::string* Text(std::string_view fieldName) const;

    // The current record of an open table (blank values on the phantom record after the last).
    // A value that cannot be read stays blank and the first such error is returned; the others
    // are read all the same, so the record can be shown with its error.
    Status ReadFrom(const xbase::Table& table);
    // Writes the memo (when it differs) and then the fields whose values differ from the table's
    // current record into it; the engine saves the record when the cursor leaves it. A changed IsDel also sets or clears the table's
    // deletion mark, since a record is deleted only with both. Stops at the first field the
    // engine refuses (for example a value longer than the file's field) and returns its reason.
    Status WriteTo(xbase::Table& table) const;

    // Calculated fields. A blank TAG is never tagged, whatever the current id.
    bool Tagged(std::string_view currentTagId) const;
    // The shown date (DisplayDatePattern); blank when DATE is blank or no valid date.
    std::string DisplayDate() const;
    // right-trimmed(FNAME + " " + MIDDLE) + " " + LNAME, cut to 35 characters.
    std::string FullName() const;
    // trimmed(PREFIX + " " + FNAME + " " + MIDDLE) + " " + LNAME, cut to 35 characters.
    std::string FullNameWithPrefix() const;
    // left-trimmed(CITY + " ") + left-trimmed(STATE + " ") + ZIP, cut to 35 characters.
    std::string CityStateZip() const;
};

// The value a catalogue field shows for the record: stored text as is, the memo text, the
// calculated fields as above, and the logical fields Tagged and ISDEL as "Yes" or "No". An error
// for a name that is not a catalogue field (case is ignored).
Result<std::string> FieldDisplayValue(const AddressRecord& record, std::string_view fieldName,
                                      std::string_view currentTagId);

} // namespace corvane
