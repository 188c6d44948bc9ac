#include "session/FilterFile.h"

#include <fstream>
#include <iterator>

#include "platform/xbase/CodePage.h"

namespace corvane {

namespace {

constexpr std::size_t FilterFileLines = FilterFieldCount + 2;

bool EndsWithFltExtension(std::string_view name)
{
    if (name.size() < 4)
        return false;
    std::string_view tail = name.substr(name.size() - 4);
    return tail[0] == '.' && (tail[1] == 'F' || tail[1] == 'f') && (tail[2] == 'L' || tail[2] == 'l') &&
           (tail[3] == 'T' || tail[3] == 't');
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
        } else {
            return false;
        }
        if (bytes.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if ((length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (length == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string DecodeText(std::string_view bytes)
{
    if (IsValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
            bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return xbase::CodePage::Windows1252().ToUtf8(bytes);
}

} // namespace

Result<std::string> FormatFilterFile(const FilterCriteria& criteria)
{
    std::string text;
    for (std::size_t i = 0; i < FilterFieldCount; ++i) {
        if (criteria.Texts[i].find_first_of("\r\n") != std::string::npos) {
            return Result<std::string>::Error(std::string("The ") + FilterFields()[i].Caption +
                                              " criterion holds a line break and cannot be saved");
        }
        text += criteria.Texts[i] + "\r\n";
    }
    text += criteria.Tagged ? "T\r\n" : "F\r\n";
    text += criteria.Reverse ? "T\r\n" : "F\r\n";
    auto legacy = xbase::CodePage::Windows1252().FromUtf8(text, "filter file");
    // Windows-1252 bytes that happen to form UTF-8 (text such as "Ã©") would read back as other
    // letters, so such a file is written as UTF-8 too.
    if (legacy && (*legacy == text || !IsValidUtf8(*legacy)))
        return legacy;
    // Malformed UTF-8 cannot be written in either form.
    if (!IsValidUtf8(text))
        return Result<std::string>::Error(legacy.Message());
    // The byte-order mark makes the choice plain to other readers and keeps a criterion that
    // itself starts with one intact.
    return "\xEF\xBB\xBF" + text;
}

FilterCriteria ParseFilterFile(std::string_view bytes)
{
    const std::string text = DecodeText(bytes);
    std::string lines[FilterFileLines];
    std::size_t line = 0;
    std::size_t start = 0;
    while (start < text.size() && line < FilterFileLines) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines[line++] = text.substr(start, end - start);
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    FilterCriteria criteria;
    for (std::size_t i = 0; i < FilterFieldCount; ++i)
        criteria.Texts[i] = lines[i];
    criteria.Tagged = lines[FilterFieldCount] == "T";
    criteria.Reverse = lines[FilterFieldCount + 1] == "T";
    return criteria;
}

Status SaveFilterTo(const std::string& path, const FilterCriteria& criteria)
{
    auto bytes = FormatFilterFile(criteria);
    if (!bytes)
        return Status::Error(path + ": " + bytes.Message());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return Status::Error("Cannot write " + path);
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    out.close();
    if (!out)
        return Status::Error("Cannot write " + path);
    return Status::Success();
}

Result<FilterCriteria> RestoreFilterFrom(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Result<FilterCriteria>::Error("Cannot read " + path);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return Result<FilterCriteria>::Error("Cannot read " + path);
    return ParseFilterFile(bytes);
}

Result<std::string> FilterSaveName(std::string_view chosen)
{
    if (EndsWithFltExtension(chosen))
        return std::string(chosen);
    const std::size_t slash = chosen.find_last_of('/');
    const std::string_view fileName = slash == std::string_view::npos ? chosen : chosen.substr(slash + 1);
    if (fileName.find('.') != std::string_view::npos) {
        return Result<std::string>::Error("Must have a .FLT extension");
    }
    return std::string(chosen) + ".FLT";
}

Status CheckFilterRestoreName(std::string_view chosen)
{
    if (EndsWithFltExtension(chosen))
        return Status::Success();
    return Status::Error("Must be a Filter (.FLT) file");
}

std::string FilterOverwriteQuestion(const std::string& path)
{
    return path + " already exists.\r\nDo you want to overwrite it?";
}

} // namespace corvane
