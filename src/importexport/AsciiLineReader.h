#pragma once
// Reads a text file line by line without holding more than one line: CR LF, LF or CR end a
// line, a final line end adds no empty line. The file's encoding is decided for the whole file
// (UTF-8 when all of it is valid UTF-8, else Windows-1252), so Scan() reads it once first.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/Result.h"

namespace corvane {

struct AsciiFileScan {
    uint64_t Lines = 0;
    bool Utf8 = true;
};

class AsciiLineReader {
  public:
    // Counts the lines and decides the encoding.
    static Result<AsciiFileScan> Scan(const std::string& path);

    AsciiLineReader() = default;
    ~AsciiLineReader();
    AsciiLineReader(const AsciiLineReader&) = delete;
    AsciiLineReader& operator=(const AsciiLineReader&) = delete;

    Status Open(const std::string& path, bool utf8);
    // The next line as UTF-8 (a UTF-8 byte-order mark before the first line skipped); false at
    // the end of the file. Bytes past what the splitter keeps of a line are skipped unread.
    Result<bool> Next(std::string& line);
    // Number of the line Next() gave last, from 1.
    uint64_t LineNumber() const { return FLineNumber; }

  private:
    int Get();

    std::FILE* FFile = nullptr;
    std::string FPath;
    bool FUtf8 = true;
    uint64_t FLineNumber = 0;
    std::unique_ptr<char[]> FBuffer;
    std::size_t FLength = 0;
    std::size_t FPosition = 0;
    bool FReadError = false;
};

} // namespace corvane
