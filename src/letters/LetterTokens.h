#pragma once
// The merge tokens of form letters: "[" + name + "]", names matched without regard to case, and
// the value each stands for on one address record. The name line and the address block are
// composed here as letters have them (the name line ends with a blank; the block's every line
// ends with CR LF), not as the field catalogue's FullName.

#include <array>
#include <string>
#include <string_view>

#include <QDate>

#include "core/AddressRecord.h"

namespace corvane {

inline constexpr size_t LetterTokenCount = 25;

// The names in the order the editor's "Insert field" list shows them.
const std::array<std::string_view, LetterTokenCount>& LetterTokenNames();
// The names in the order a merge replaces them ("Name and Address" late, so tokens inside
// values it brings in are still replaced by the later ones).
const std::array<std::string_view, LetterTokenCount>& LetterMergeOrder();

// "[" + name + "]".
std::string LetterToken(std::string_view name);

// The name line: PREFIX, FNAME, MIDDLE with "." when present, LNAME, each present one followed
// by one blank ("Mr. John Q. Brown ").
std::string LetterFullName(const AddressRecord& record);
// The address block: name line, title and organisation, street, street 2, city line, country;
// empty lines left out, every line ended by CR LF.
std::string LetterAddressBlock(const AddressRecord& record);
// "12/08/2026" and "Dec 8, 2026".
std::string LetterShortDate(const QDate& day);
std::string LetterLongDate(const QDate& day);

// The values of all tokens for one record, the date tokens showing `today`.
class LetterTokenValues {
  public:
    LetterTokenValues(const AddressRecord& record, const QDate& today);
    // The value of a token name (any case); empty for a name that is no token.
    const std::string& Value(std::string_view name) const;

  private:
    std::array<std::string, LetterTokenCount> FValues; // in LetterTokenNames() order
};

} // namespace corvane
