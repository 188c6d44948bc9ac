#include "importexport/AsciiLine.h"

#include "platform/Utf8Text.h"

namespace corvane {

namespace {

// Commas inside quotes are parked as this character while the line is split.
constexpr char ParkedComma = 127;

// Marks the commas that sit inside quotes. The flag rule is the one earlier versions used: a
// quote after a quote toggles only when it ends the field, so "a""b" stays one stretch.
void ParkQuotedCommas(std::string& line)
{
    const std::size_t first = line.find('"');
    if (first == std::string::npos)
        return;
    bool inside = false;
    for (std::size_t i = first; i < line.size(); ++i) {
        if (line[i] == '"') {
            const bool afterQuote = i > 0 && line[i - 1] == '"';
            if (!afterQuote)
                inside = !inside;
            else if (inside && (i + 1 == line.size() || line[i + 1] == ','))
                inside = !inside;
        } else if (line[i] == ',' && inside) {
            line[i] = ParkedComma;
        }
    }
}

} // namespace

std::vector<std::string> SplitAsciiLine(std::string_view text)
{
    std::string line = CutToCharacters(std::string(text), AsciiLineCharacters);
    ParkQuotedCommas(line);
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() < AsciiColumnLimit) {
        const std::size_t comma = line.find(',', start);
        std::string field =
            line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        for (char& c : field) {
            if (c == ParkedComma)
                c = ',';
        }
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
            field = field.substr(1, field.size() - 2);
        fields.push_back(CutToCharacters(std::move(field), AsciiValueCharacters));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return fields;
}

} // namespace corvane
