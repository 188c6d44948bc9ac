#include "importexport/AsciiLineReader.h"

#include <cerrno>
#include <cstring>

#include "core/LegacyText.h"
#include "importexport/AsciiLine.h"
#include "platform/Utf8Text.h"
#include "platform/xbase/CodePage.h"

namespace corvane {

namespace {

constexpr std::size_t BufferSize = 1 << 16;
// Enough bytes for the characters a line keeps in any encoding (UTF-8 takes up to 4 a character).
constexpr std::size_t LineBytes = AsciiLineCharacters * 4;

std::string ReadError(const std::string& path)
{
    return "Cannot read " + path + ": " + std::strerror(errno);
}

} // namespace

AsciiLineReader::~AsciiLineReader()
{
    if (FFile)
        std::fclose(FFile);
}

Result<AsciiFileScan> AsciiLineReader::Scan(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return Result<AsciiFileScan>::Error(ReadError(path));
    AsciiFileScan scan;
    Utf8Check check;
    std::unique_ptr<char[]> buffer(new char[BufferSize]);
    bool lineOpen = false; // bytes since the last line end
    char previous = 0;
    std::size_t got = 0;
    while ((got = std::fread(buffer.get(), 1, BufferSize, file)) > 0) {
        check.Feed(std::string_view(buffer.get(), got));
        for (std::size_t i = 0; i < got; ++i) {
            const char c = buffer[i];
            if (c == '\n' && previous == '\r') {
                // the LF of a CR LF: the CR ended the line already
            } else if (c == '\n' || c == '\r') {
                ++scan.Lines;
                lineOpen = false;
            } else {
                lineOpen = true;
            }
            previous = c;
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return Result<AsciiFileScan>::Error(ReadError(path));
    if (lineOpen)
        ++scan.Lines;
    scan.Utf8 = check.Valid();
    return scan;
}

Status AsciiLineReader::Open(const std::string& path, bool utf8)
{
    if (FFile)
        std::fclose(FFile);
    FFile = std::fopen(path.c_str(), "rb");
    if (!FFile)
        return Status::Error(ReadError(path));
    FPath = path;
    FUtf8 = utf8;
    FLineNumber = 0;
    FBuffer.reset(new char[BufferSize]);
    FLength = FPosition = 0;
    FReadError = false;
    return Status::Success();
}

int AsciiLineReader::Get()
{
    if (FPosition == FLength) {
        FLength = std::fread(FBuffer.get(), 1, BufferSize, FFile);
        FPosition = 0;
        if (FLength == 0) {
            FReadError = std::ferror(FFile) != 0;
            return EOF;
        }
    }
    return static_cast<unsigned char>(FBuffer[FPosition++]);
}

Result<bool> AsciiLineReader::Next(std::string& line)
{
    if (!FFile)
        return Result<bool>::Error("No file is open");
    line.clear();
    int c = Get();
    if (c == EOF)
        return FReadError ? Result<bool>::Error(ReadError(FPath)) : Result<bool>(false);
    while (c != EOF && c != '\n' && c != '\r') {
        if (line.size() < LineBytes)
            line.push_back(static_cast<char>(c));
        c = Get();
    }
    if (FReadError)
        return Result<bool>::Error(ReadError(FPath));
    if (c == '\r') {
        const int next = Get();
        if (next != '\n' && next != EOF)
            --FPosition; // the byte is still in the buffer: Get() just returned it from there
    }
    ++FLineNumber;
    if (FUtf8) {
        if (FLineNumber == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        // A cut at LineBytes may split a sequence (the whole file is valid UTF-8 otherwise).
        if (line.size() >= LineBytes) {
            std::size_t lead = line.size();
            while (lead > 0 && IsUtf8Continuation(line[lead - 1]))
                --lead;
            if (lead > 0) {
                const auto byte = static_cast<unsigned char>(line[lead - 1]);
                const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
                if (line.size() - (lead - 1) < length)
                    line.resize(lead - 1);
            }
        }
    } else {
        line = xbase::CodePage::Windows1252().ToUtf8(line);
    }
    return true;
}

} // namespace corvane
