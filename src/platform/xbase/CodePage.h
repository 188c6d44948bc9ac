#pragma once
// Text crosses the engine boundary as UTF-8; inside tables and index keys it is held in the
// table's single-byte code page. A character the code page cannot hold is an error, never
// silently replaced.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "Result.h"

namespace xbase {

class CodePage {
public:
    // The code page a DBF header's language-driver byte (offset 29) names. Unknown or unmarked
    // bytes fall back to Windows-1252, which is what the program writes.
    static CodePage FromMark(uint8_t mark);
    static CodePage Windows1252();

    int Number() const { return FNumber; }  // 1252, 437, 850
    uint8_t Mark() const;                  // the byte to write for this code page

    // UTF-8 to code-page bytes; fails naming `what` (a field name, "expression", ...) when a
    // character has no place in the code page or the UTF-8 is malformed.
    Result<std::string> FromUtf8(std::string_view utf8, std::string_view what) const;
    std::string ToUtf8(std::string_view bytes) const;

    // Byte-wise, length-keeping upper case in this code page (a-z and the accented letters
    // that have an upper-case partner in the same code page; sharp s stays as it is).
    uint8_t Upper(uint8_t byte) const { return FUpper[byte]; }
    void UpperInPlace(std::string& bytes) const;

private:
    explicit CodePage(int number);
    int FNumber;
    const char32_t* FHigh;  // 128 code points for bytes 0x80..0xFF (0 = unmapped)
    std::array<uint8_t, 256> FUpper{};
};

}  // namespace xbase
