// Splits arbitrary bytes as a line of a text import: whatever the quotes, the result has 1 to 255
// fields of at most 255 characters, and a line without quotes or character 127 splits into
// exactly its commas plus one (up to the limits).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "importexport/AsciiLine.h"
#include "platform/Utf8Text.h"
#include "platform/xbase/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // As the reader hands lines over: UTF-8 text without line ends.
    std::string line =
        xbase::CodePage::Windows1252().ToUtf8(std::string(reinterpret_cast<const char*>(data), size));
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    const auto fields = corvane::SplitAsciiLine(line);
    if (fields.empty() || fields.size() > corvane::AsciiColumnLimit)
        abort();
    for (const std::string& field : fields) {
        if (corvane::CharacterCount(field) > corvane::AsciiValueCharacters)
            abort();
    }
    const std::string kept = corvane::CutToCharacters(line, corvane::AsciiLineCharacters);
    if (kept.find('"') == std::string::npos && kept.find('\x7F') == std::string::npos) {
        const size_t commas = static_cast<size_t>(std::count(kept.begin(), kept.end(), ','));
        if (fields.size() != std::min(commas + 1, corvane::AsciiColumnLimit))
            abort();
    }
    return 0;
}
