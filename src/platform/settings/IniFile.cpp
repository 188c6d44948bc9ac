#include "platform/settings/IniFile.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace corvane {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string Trim(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

constexpr size_t None = static_cast<size_t>(-1);

} // namespace

IniFile IniFile::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return IniFile();
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

IniFile IniFile::Parse(std::string_view text)
{
    IniFile file;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        Line line;
        line.Text = std::string(raw);
        std::string trimmed = Trim(raw);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            line.LineKind = Line::Kind::Section;
            line.Section = trimmed.substr(1, trimmed.size() - 2);
        } else if (!trimmed.empty() && trimmed[0] != ';' && trimmed.find('=') != std::string::npos) {
            line.LineKind = Line::Kind::Key;
            size_t equals = trimmed.find('=');
            line.Key = Trim(std::string_view(trimmed).substr(0, equals));
            line.Value = Trim(std::string_view(trimmed).substr(equals + 1));
        }
        file.FLines.push_back(std::move(line));
        start = end + 1;
    }
    return file;
}

size_t IniFile::FindSection(std::string_view section) const
{
    for (size_t i = 0; i < FLines.size(); ++i) {
        if (FLines[i].LineKind == Line::Kind::Section && EqualNoCase(FLines[i].Section, section))
            return i;
    }
    return None;
}

size_t IniFile::FindKey(std::string_view section, std::string_view key) const
{
    size_t header = FindSection(section);
    if (header == None)
        return None;
    for (size_t i = header + 1; i < FLines.size() && FLines[i].LineKind != Line::Kind::Section; ++i) {
        if (FLines[i].LineKind == Line::Kind::Key && EqualNoCase(FLines[i].Key, key))
            return i;
    }
    return None;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const
{
    size_t line = FindKey(section, key);
    if (line == None)
        return std::nullopt;
    return FLines[line].Value;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const
{
    auto value = Value(section, key);
    return value ? *value : std::string(fallback);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const
{
    auto value = Value(section, key);
    if (!value || value->empty())
        return fallback;
    char* end = nullptr;
    long number = std::strtol(value->c_str(), &end, 10);
    if (end == value->c_str() || *end != '\0' || number < INT32_MIN || number > INT32_MAX)
        return fallback;
    return static_cast<int>(number);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    size_t line = FindKey(section, key);
    if (line != None) {
        FLines[line].Value = std::string(value);
        FLines[line].Text = FLines[line].Key + "=" + std::string(value);
        return;
    }
    Line entry;
    entry.LineKind = Line::Kind::Key;
    entry.Key = std::string(key);
    entry.Value = std::string(value);
    entry.Text = entry.Key + "=" + entry.Value;
    size_t header = FindSection(section);
    if (header == None) {
        if (!FLines.empty() && !FLines.back().Text.empty())
            FLines.push_back(Line{});
        Line sectionLine;
        sectionLine.LineKind = Line::Kind::Section;
        sectionLine.Section = std::string(section);
        sectionLine.Text = "[" + sectionLine.Section + "]";
        FLines.push_back(std::move(sectionLine));
        FLines.push_back(std::move(entry));
        return;
    }
    // After the section's last key, before any blank lines that separate it from the next.
    size_t insert = header + 1;
    for (size_t i = header + 1; i < FLines.size() && FLines[i].LineKind != Line::Kind::Section; ++i) {
        if (FLines[i].LineKind == Line::Kind::Key)
            insert = i + 1;
    }
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(insert), std::move(entry));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section)
{
    size_t header = FindSection(section);
    if (header == None)
        return;
    size_t end = header + 1;
    while (end < FLines.size() && FLines[end].LineKind != Line::Kind::Section)
        ++end;
    FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(header),
                 FLines.begin() + static_cast<std::ptrdiff_t>(end));
}

std::string IniFile::Text() const
{
    std::string text;
    for (const Line& line : FLines) {
        text += line.Text;
        text += "\r\n";
    }
    return text;
}

bool IniFile::Save(const std::string& path) const
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << Text();
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace corvane
