#pragma once
// What a new record starts with, apart from the session that adds it: the fields carried forward
// from the record on show, the city and state filled in from a ZIP code already in the file, the
// check for a name already in the file, and where Tab and the cursor go on the record form.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/AddressRecord.h"
#include "core/FieldCatalogue.h"
#include "platform/xbase/Table.h"

namespace corvane {

// The entry fields of the record form, in the order Tab visits them.
enum class EntryField {
    LastName,
    FirstName,
    Middle,
    Prefix,
    Title,
    Org,
    Address1,
    Address2,
    City,
    State,
    Zip,
    Country,
    Phone1,
    Phone2,
    Fax,
    Email,
    Codes,
    Comment1,
    Comment2,
    Date,
};

// The "Skip..." key of section "Adding" for a field; nullptr for "Address 1" and "City", which
// are never skipped.
const char* SkipKey(EntryField field);
const std::vector<EntryField>& AllEntryFields();

struct AddingPreferences {
    bool PlugDate = false;
    bool PlugCityState = false;
    bool AutoDupCheck = false;
    std::string DefaultCountry;
    bool CarryOrg = false;
    bool CarrySA1 = false;
    bool CarrySA2 = false;
    bool CarryCity = false;
    bool CarryState = false;
    bool CarryZip = false;
    bool CarryCountry = false;
    std::set<EntryField> Skip; // the fields whose Skip key is on
};

// SetSkipFields: the fields Tab leaves out. Empty when `on` is false (after every save or
// cancel all fields take part again).
std::set<EntryField> SkippedFields(const AddingPreferences& preferences, bool on);

// Where the cursor goes after Add: "Last" or "First" when empty and not skipped, else the first
// of "MI", "Prefix", "Title", "Org" not skipped, else "Address 1".
EntryField AddCursorField(const AddressRecord& record, const AddingPreferences& preferences);

// What the "New Record" window gave (empty when it was not shown).
struct NewRecordEntry {
    std::string FirstName;
    std::string LastName;
    std::string Zip;
};

struct CityState {
    std::string City;
    std::string State;
};

// The new record: what was typed, the city and state `found` for its ZIP code, then the fields
// the preferences carry forward from `shown` (the record on show before Add), the default
// country, and `today` (stored form) when the date is plugged in.
AddressRecord NewRecordFrom(const NewRecordEntry& typed, const AddressRecord& shown,
                            const std::optional<CityState>& found, const AddingPreferences& adding,
                            const std::string& today);

// The city and state of the first record whose ZIP code begins with `zip`, through the ZIP index.
// The table's order and record are as before afterwards.
std::optional<CityState> LookUpCityState(xbase::Table& table, const std::string& zip);

struct DuplicateName {
    AddressRecord Record;
    uint32_t RecNo = 0;
};

// A record with exactly this last and first name (any case), through the name index; the name is
// padded to the field widths of `catalogue`. The table's order and record are as before
// afterwards. Nothing for an empty name or one the file cannot hold.
std::optional<DuplicateName> FindDuplicateName(xbase::Table& table, const FieldCatalogue& catalogue,
                                               const std::string& first, const std::string& last);

// The "Possible Duplicate" question ("Continue adding?") about `duplicate`.
std::string DuplicateNameQuestion(const AddressRecord& duplicate);

} // namespace corvane
