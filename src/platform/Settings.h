#pragma once
// The settings file CORVAN.ini in the program directory. Every read opens, reads and closes the
// file and every write opens, writes and closes it, so several windows (and the batch tool) never
// hold stale copies. A missing file reads as empty and is created at the first write.

#include <string>
#include <string_view>

#include "platform/settings/IniFile.h"

namespace corvane {

class Settings {
  public:
    // The settings file of the program directory.
    Settings();
    explicit Settings(std::string path);

    const std::string& Path() const { return FPath; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback = {}) const;
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Each returns false when the file cannot be written.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    bool WriteInteger(std::string_view section, std::string_view key, int value) const;
    bool WriteBool(std::string_view section, std::string_view key, bool value) const;

    // The whole file, for readers that take many keys at once.
    IniFile Load() const { return IniFile::Load(FPath); }
    bool Save(const IniFile& file) const { return file.Save(FPath); }

  private:
    std::string FPath;
};

} // namespace corvane
