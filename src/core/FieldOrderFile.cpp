#include "core/FieldOrderFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/AsciiText.h"
#include "platform/ProgramDirectory.h"

namespace corvane {

namespace {

constexpr const char* FileName = "FIELDS.LST";

} // namespace

std::string FieldOrderFilePath()
{
    const std::string folder = SystemDataDirectory();
    const std::string found = FindEntryNoCase(folder, FileName);
    return found.empty() ? folder + FileName : found;
}

std::vector<std::string> ParseFieldOrder(std::string_view bytes)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        names.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    // A name typed by hand may carry blanks around it.
    for (std::string& name : names) {
        const std::size_t first = name.find_first_not_of(" \t");
        const std::size_t last = name.find_last_not_of(" \t");
        name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    }
    return names;
}

bool ReadFieldOrder(FieldCatalogue& catalogue, const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    catalogue.ApplyOrder(ParseFieldOrder(bytes));
    return true;
}

Status WriteFieldOrder(const FieldCatalogue& catalogue, const std::string& path)
{
    std::string text;
    for (const std::string& name : catalogue.Order())
        text += name + "\r\n";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return Status::Error("Cannot write " + path);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        return Status::Error("Cannot write " + path);
    return Status::Success();
}

void ReorderVisibleFields(FieldCatalogue& catalogue, const std::vector<std::string>& visibleOrder)
{
    const std::vector<CatalogueField>& fields = catalogue.Fields();
    std::vector<std::size_t> slots;   // catalogue places of the visible fields
    std::vector<std::string> visible; // their names in the old order
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].Visible) {
            slots.push_back(i);
            visible.push_back(fields[i].Name);
        }
    }
    std::vector<std::string> wanted;
    for (const std::string& name : visibleOrder) {
        auto found = std::find_if(visible.begin(), visible.end(),
                                  [&](const std::string& v) { return EqualsIgnoringCase(v, name); });
        if (found != visible.end() && std::find(wanted.begin(), wanted.end(), *found) == wanted.end())
            wanted.push_back(*found);
    }
    for (const std::string& name : visible) {
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end())
            wanted.push_back(name);
    }
    std::vector<std::string> order = catalogue.Order();
    for (std::size_t i = 0; i < slots.size(); ++i)
        order[slots[i]] = wanted[i];
    catalogue.ApplyOrder(order);
}

} // namespace corvane
