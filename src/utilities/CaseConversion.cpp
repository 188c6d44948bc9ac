#include "utilities/CaseConversion.h"

#include "platform/AsciiText.h"

namespace corvane {

const char* CaseConversionCaption(CaseConversion conversion)
{
    switch (conversion) {
    case CaseConversion::Uppercase:
        return "Uppercase";
    case CaseConversion::FirstLetterCapitalized:
        return "First letter capitalized";
    case CaseConversion::Lowercase:
        return "Lowercase";
    }
    return "";
}

std::string ConvertCase(std::string_view text, CaseConversion conversion)
{
    // Bytes of multi-byte UTF-8 characters lie above 0x7F, so the ASCII rules leave them alone.
    if (conversion == CaseConversion::Uppercase)
        return UpperAscii(text);
    std::string result = LowerAscii(text);
    if (conversion == CaseConversion::FirstLetterCapitalized) {
        for (std::size_t i = 0; i < result.size(); ++i) {
            if (i == 0 || result[i - 1] == ' ')
                result[i] = UpperAscii(result[i]);
        }
    }
    return result;
}

const std::array<ConvertibleField, ConvertibleFieldCount>& ConvertibleFields()
{
    static const std::array<ConvertibleField, ConvertibleFieldCount> fields = {{
        {"Last", "LNAME"},
        {"First", "FNAME"},
        {"Middle", "MIDDLE"},
        {"Title", "TITLE"},
        {"Organization", "ORG"},
        {"Address 1", "STREET"},
        {"Address 2", "STREET2"},
        {"City", "CITY"},
        {"State/Province", "STATE"},
        {"Zip/Postal Code", "ZIP"},
        {"Country", "COUNTRY"},
        {"Prefix", "PREFIX"},
        {"Comment 1", "USER1"},
        {"Comment 2", "USER2"},
        {"Codes", "CODES"},
    }};
    return fields;
}

const ConvertibleField* FindConvertibleField(std::string_view fieldName)
{
    for (const ConvertibleField& field : ConvertibleFields()) {
        if (EqualsIgnoringCase(field.FieldName, fieldName))
            return &field;
    }
    return nullptr;
}

} // namespace corvane
