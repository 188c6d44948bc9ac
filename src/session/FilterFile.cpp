#include "session/FilterFile.h"

#include <fstream>
#include <iterator>

#include "core/LegacyText.h"

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
    return EncodeLegacyText(text, "filter file");
}

FilterCriteria ParseFilterFile(std::string_view bytes)
{
    const std::string text = DecodeLegacyText(bytes);
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
