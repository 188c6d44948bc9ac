#include "importexport/LegacyTextWriter.h"

#include <fstream>
#include <iterator>

#include "core/LegacyText.h"
#include "platform/xbase/CodePage.h"

namespace corvane {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

LegacyTextWriter::LegacyTextWriter(std::string path) : FPath(std::move(path)) {}

LegacyTextWriter::~LegacyTextWriter()
{
    if (FFile)
        std::fclose(FFile);
}

Status LegacyTextWriter::Open()
{
    FFile = std::fopen(FPath.c_str(), "wb");
    return FFile ? Status::Success() : Status::Error("Cannot create " + FPath);
}

Status LegacyTextWriter::Write(const std::string& line)
{
    if (!FFile)
        return Status::Error(FPath + " is not open");
    std::string bytes = line + "\r\n";
    if (!FUtf8) {
        auto encoded = EncodeLegacyText(bytes, "line");
        if (!encoded)
            return encoded.ToStatus();
        const bool needsUtf8 =
            encoded->compare(0, 3, ByteOrderMark) == 0 && bytes.compare(0, 3, ByteOrderMark) != 0;
        if (!needsUtf8)
            bytes = encoded.Take();
        else if (Status switched = SwitchToUtf8(); !switched)
            return switched;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), FFile) != bytes.size())
        return Status::Error("Cannot write " + FPath);
    return Status::Success();
}

Status LegacyTextWriter::Close()
{
    if (!FFile)
        return Status::Success();
    const bool failed = std::fclose(FFile) != 0;
    FFile = nullptr;
    return failed ? Status::Error("Cannot write " + FPath) : Status::Success();
}

Status LegacyTextWriter::SwitchToUtf8()
{
    if (Status closed = Close(); !closed)
        return closed;
    std::ifstream in(FPath, std::ios::binary);
    const std::string legacy((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string text = std::string(ByteOrderMark) + xbase::CodePage::Windows1252().ToUtf8(legacy);
    FFile = std::fopen(FPath.c_str(), "wb");
    if (!FFile || std::fwrite(text.data(), 1, text.size(), FFile) != text.size())
        return Status::Error("Cannot write " + FPath);
    FUtf8 = true;
    return Status::Success();
}

} // namespace corvane
