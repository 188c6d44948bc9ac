#pragma once
// Text files shared with earlier versions and other programs (filter files, imported and exported
// lists): their bytes are Windows-1252 unless they form valid UTF-8, and we write Windows-1252
// whenever the text fits it, so old readers keep working; text that does not fit is written as
// UTF-8 with a byte-order mark. Plain ASCII reads the same either way. A Windows-1252 file whose
// accented letters happen to form valid UTF-8 sequences (such as "Ã©") would read differently;
// no real name looks like that, and the writer never makes such a file (it writes UTF-8 then).

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace corvane {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
// Follows a streamed UTF-8 check across chunks: feed the bytes in any pieces, then ask.
class Utf8Check {
  public:
    void Feed(std::string_view bytes);
    bool Valid() const;

  private:
    std::string FPending; // an incomplete sequence at the end of the last piece
    bool FValid = true;
};

// Text of a file's bytes: UTF-8 (a leading byte-order mark skipped) when valid, else Windows-1252.
std::string DecodeLegacyText(std::string_view bytes);
// Bytes for a file: Windows-1252 when the text fits it (and reads back the same), else UTF-8
// behind a byte-order mark. Malformed UTF-8 is an error naming `what`.
Result<std::string> EncodeLegacyText(std::string_view text, std::string_view what);

} // namespace corvane
