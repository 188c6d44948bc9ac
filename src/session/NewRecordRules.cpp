#include "session/NewRecordRules.h"

#include <algorithm>

#include "platform/Utf8Text.h"

namespace corvane {

namespace {

constexpr const char* CRLF = "\r\n";

struct SkipKeyEntry {
    EntryField Field;
    const char* Key;
};

constexpr SkipKeyEntry SkipKeys[] = {
    {EntryField::LastName, "SkipLastName"},
    {EntryField::FirstName, "SkipfirstName"},
    {EntryField::Middle, "SkipMiddleInitial"},
    {EntryField::Prefix, "SkipPrefix"},
    {EntryField::Title, "Skiptitle"},
    {EntryField::Org, "SkipOrganization"},
    {EntryField::Address2, "SkipAddress2"},
    {EntryField::State, "SkipState"},
    {EntryField::Zip, "SkipZip"},
    {EntryField::Country, "SkipCountry"},
    {EntryField::Phone1, "SkipPhone1"},
    {EntryField::Phone2, "SkipPhone2"},
    {EntryField::Fax, "SkipFax"},
    {EntryField::Email, "SkipEmail"},
    {EntryField::Codes, "SkipCodes"},
    {EntryField::Comment1, "SkipComments1"},
    {EntryField::Comment2, "Skipcomments2"},
    {EntryField::Date, "SkipDate"},
};

// Padded with blanks or cut to `width` characters.
std::string PadOrCut(const std::string& text, int width)
{
    std::string result = CutToCharacters(text, static_cast<size_t>(std::max(width, 0)));
    const size_t length = CharacterCount(result);
    if (length < static_cast<size_t>(width))
        result.append(static_cast<size_t>(width) - length, ' ');
    return result;
}

int FieldWidth(const FieldCatalogue& catalogue, std::string_view fieldName)
{
    const CatalogueField* field = catalogue.FindByName(fieldName);
    return field ? field->Width : 0;
}

} // namespace

const char* SkipKey(EntryField field)
{
    for (const SkipKeyEntry& entry : SkipKeys) {
        if (entry.Field == field)
            return entry.Key;
    }
    return nullptr;
}

const std::vector<EntryField>& AllEntryFields()
{
    static const std::vector<EntryField> fields = {
        EntryField::LastName, EntryField::FirstName, EntryField::Middle,   EntryField::Prefix,
        EntryField::Title,    EntryField::Org,       EntryField::Address1, EntryField::Address2,
        EntryField::City,     EntryField::State,     EntryField::Zip,      EntryField::Country,
        EntryField::Phone1,   EntryField::Phone2,    EntryField::Fax,      EntryField::Email,
        EntryField::Codes,    EntryField::Comment1,  EntryField::Comment2, EntryField::Date,
    };
    return fields;
}

std::set<EntryField> SkippedFields(const AddingPreferences& preferences, bool on)
{
    return on ? preferences.Skip : std::set<EntryField>{};
}

EntryField AddCursorField(const AddressRecord& record, const AddingPreferences& preferences)
{
    auto skipped = [&](EntryField field) { return preferences.Skip.count(field) > 0; };
    if (!skipped(EntryField::LastName) && record.LName.empty())
        return EntryField::LastName;
    if (!skipped(EntryField::FirstName) && record.FName.empty())
        return EntryField::FirstName;
    for (EntryField field : {EntryField::Middle, EntryField::Prefix, EntryField::Title, EntryField::Org}) {
        if (!skipped(field))
            return field;
    }
    return EntryField::Address1;
}

AddressRecord NewRecordFrom(const NewRecordEntry& typed, const AddressRecord& shown,
                            const std::optional<CityState>& found, const AddingPreferences& adding,
                            const std::string& today)
{
    const std::string rememberedCountry = adding.CarryCountry ? shown.Country : std::string();
    AddressRecord record;
    record.FName = typed.FirstName;
    record.LName = typed.LastName;
    record.Zip = typed.Zip;
    if (found) {
        record.City = found->City;
        record.State = found->State;
    }
    if (record.Zip.empty() && adding.CarryZip)
        record.Zip = shown.Zip;
    if (record.City.empty() && adding.CarryCity)
        record.City = shown.City;
    if (record.State.empty() && adding.CarryState)
        record.State = shown.State;
    if (adding.CarryCountry)
        record.Country = rememberedCountry;
    if (adding.CarrySA1)
        record.Street = shown.Street;
    if (adding.CarrySA2)
        record.Street2 = shown.Street2;
    if (rememberedCountry.empty() && !adding.DefaultCountry.empty())
        record.Country = adding.DefaultCountry;
    if (adding.PlugDate)
        record.Date = today;
    if (adding.CarryOrg)
        record.Org = shown.Org;
    return record;
}

std::optional<CityState> LookUpCityState(xbase::Table& table, const std::string& zip)
{
    if (!table.IsOpen() || zip.empty())
        return std::nullopt;
    const uint32_t recno = table.RecNo();
    const int order = table.Order();
    std::optional<CityState> found;
    const int zipOrder = table.OrderNumber("ZIP");
    if (zipOrder > 0 && table.SetOrder(zipOrder)) {
        table.SetExact(false);
        std::string key = zip;
        if (auto bytes = table.TableCodePage().FromUtf8(zip, "ZIP")) {
            table.TableCodePage().UpperInPlace(*bytes);
            key = table.TableCodePage().ToUtf8(*bytes);
        }
        auto seek = table.Seek(key);
        if (seek && *seek) {
            auto city = table.GetField("CITY");
            auto state = table.GetField("STATE");
            if (city && state)
                found = CityState{*city, *state};
        }
    }
    // The program runs with exact comparison off (filters rely on "begins with").
    table.SetExact(false);
    (void)table.SetOrder(order);
    (void)table.GoTo(recno);
    return found;
}

std::optional<DuplicateName> FindDuplicateName(xbase::Table& table, const FieldCatalogue& catalogue,
                                               const std::string& first, const std::string& last)
{
    if (first.empty() || last.empty() || !table.IsOpen())
        return std::nullopt;
    std::string key =
        PadOrCut(last, FieldWidth(catalogue, "LNAME")) + PadOrCut(first, FieldWidth(catalogue, "FNAME"));
    auto bytes = table.TableCodePage().FromUtf8(key, "name");
    if (!bytes)
        return std::nullopt; // a name the file cannot hold cannot be in it
    table.TableCodePage().UpperInPlace(*bytes);
    key = table.TableCodePage().ToUtf8(*bytes);

    const uint32_t recno = table.RecNo();
    const int order = table.Order();
    std::optional<DuplicateName> duplicate;
    const int nameOrder = table.OrderNumber("LNAME");
    if (nameOrder > 0 && table.SetOrder(nameOrder)) {
        table.SetExact(true);
        auto seek = table.Seek(key);
        if (seek && *seek) {
            duplicate.emplace();
            (void)duplicate->Record.ReadFrom(table);
            duplicate->RecNo = table.RecNo();
        }
    }
    table.SetExact(false);
    (void)table.SetOrder(order);
    (void)table.GoTo(recno);
    return duplicate;
}

std::string DuplicateNameQuestion(const AddressRecord& duplicate)
{
    return "Possible duplicate: \r\n\r\n" + duplicate.FName + " " + duplicate.LName + CRLF +
           duplicate.Street + CRLF + duplicate.City + "," + duplicate.State + " " + duplicate.Zip +
           "\r\n\r\nContinue adding?";
}

} // namespace corvane
