#pragma once
// A text file written line by line in Windows-1252 until a line needs more; then the lines so
// far are rewritten as UTF-8 behind a byte-order mark and the rest follows in UTF-8. So the file
// is streamed, and still as old readers expect whenever its text allows.

#include <cstdio>
#include <string>

#include "platform/Result.h"

namespace corvane {

class LegacyTextWriter {
  public:
    explicit LegacyTextWriter(std::string path);
    ~LegacyTextWriter();
    LegacyTextWriter(const LegacyTextWriter&) = delete;
    LegacyTextWriter& operator=(const LegacyTextWriter&) = delete;

    Status Open();
    // The UTF-8 line and CR LF.
    Status Write(const std::string& line);
    Status Close();
    bool Utf8() const { return FUtf8; }

  private:
    Status SwitchToUtf8();

    std::string FPath;
    std::FILE* FFile = nullptr;
    bool FUtf8 = false;
};

} // namespace corvane
