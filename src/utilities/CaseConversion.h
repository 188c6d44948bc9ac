#pragma once
// The three case conversions of "Convert Case" and the fields they may change.
//
// Only the letters a-z and A-Z change; every other character (digits, signs, accented letters)
// is kept, so a conversion never changes a field's length. Because every index key of an address
// file is upper-cased, a conversion never moves a record in any sort order either.

#include <array>
#include <string>
#include <string_view>

namespace corvane {

enum class CaseConversion {
    Uppercase,
    FirstLetterCapitalized, // all lower case, then a letter first or after a blank upper case
    Lowercase,
};

// "Uppercase", "First letter capitalized", "Lowercase".
const char* CaseConversionCaption(CaseConversion conversion);

// The text (UTF-8, trailing blanks removed) converted. Words are separated by blanks only, so
// o'neil-smith becomes O'neil-smith.
std::string ConvertCase(std::string_view text, CaseConversion conversion);

struct ConvertibleField {
    const char* Caption;   // the window's check box
    const char* FieldName; // the stored field
};

inline constexpr std::size_t ConvertibleFieldCount = 15;
// The fields in the order of the window's check boxes: "Last" LNAME ... "Codes" CODES.
const std::array<ConvertibleField, ConvertibleFieldCount>& ConvertibleFields();
// The field of that name (case ignored); nullptr for any other field.
const ConvertibleField* FindConvertibleField(std::string_view fieldName);

} // namespace corvane
