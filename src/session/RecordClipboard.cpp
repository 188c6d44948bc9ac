#include "session/RecordClipboard.h"

#include <vector>

#include "platform/Utf8Text.h"

namespace corvane {

namespace {

constexpr const char* CRLF = "\r\n";

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string TrimLeft(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

// x + " " without leading blanks: nothing for an empty value.
std::string L(std::string_view text)
{
    return TrimLeft(std::string(text) + " ");
}

} // namespace

std::string GetRecordAsString(const AddressRecord& record, const ClipboardParts& parts)
{
    std::vector<std::string> lines;
    if (parts.Name) {
        const std::string middle = IsBlank(record.Middle) ? record.Middle : record.Middle + ".";
        lines.push_back(L(record.Prefix) + L(record.FName) + L(middle) + L(record.LName));
        lines.push_back(record.Title);
        lines.push_back(record.Org);
    }
    if (parts.Address) {
        lines.push_back(record.Street);
        lines.push_back(record.Street2);
        lines.push_back(L(record.City) + " " + L(record.State) + TrimLeft(record.Zip));
        lines.push_back(L(record.Country));
    }
    if (parts.Phones) {
        if (!IsBlank(record.Phone))
            lines.push_back("Phone  :" + record.Phone);
        if (!IsBlank(record.Phone2))
            lines.push_back("Phone 2:" + record.Phone2);
    }
    if (parts.Codes && !IsBlank(record.Codes))
        lines.push_back("Codes :" + record.Codes);
    if (parts.Comments) {
        if (!IsBlank(record.User1))
            lines.push_back("Comment 1 :" + record.User1);
        if (!IsBlank(record.User2))
            lines.push_back("Comment 2 :" + record.User2);
    }
    std::string text;
    for (const std::string& line : lines) {
        // A line of blanks only (no city, state or ZIP) is as empty as an empty one.
        if (!IsBlank(line))
            text += line + CRLF;
    }
    return CutToCharacters(text, ClipboardTextLimit);
}

} // namespace corvane
