#pragma once
// The settings file format: "[Section]" lines and "Key=Value" lines, kept as written (section
// names with blanks, key order, comments and blank lines survive a rewrite). Booleans are "1"
// and "0". Keys and sections are matched without regard to case, as the Windows profile
// functions did. Plain C++ so the batch tool and the engine tests use it without Qt.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class IniFile {
  public:
    // Reads the file; a missing or unreadable file is an empty settings file.
    static IniFile Load(const std::string& path);
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);

    std::string Text() const; // CR LF line ends, as the file is stored
    // Writes through a temporary file and rename, so a crash never leaves half a settings file.
    bool Save(const std::string& path) const;

  private:
    struct Line {
        std::string Text;    // the line as read, for comments and blank lines
        std::string Section; // for section headers
        std::string Key;     // for key lines
        std::string Value;
        enum class Kind { Other, Section, Key } LineKind = Kind::Other;
    };
    // Index of the section header line, or npos.
    size_t FindSection(std::string_view section) const;
    size_t FindKey(std::string_view section, std::string_view key) const;
    std::vector<Line> FLines;
};

} // namespace corvane
