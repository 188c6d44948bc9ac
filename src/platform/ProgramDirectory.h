#pragma once
// The folder that holds CORVAN.ini, sysdata, DATA and PRESORT.PSL: CORVANE_HOME when set, else
// the executable's folder when it holds sysdata (a build tree or a portable copy), else the
// user's data folder (XDG). Always ends in "/". The shipped files come in at start-up
// (SeedProgramDirectory in ShippedFiles.h).
//
// Files copied from other systems may spell "sysdata" and "DATA" in any case, so both folders
// are looked up without regard to case; missing ones are made in the program's own spelling.

#include <string>

namespace corvane {

std::string ProgramDirectory();
// The settings file inside it.
std::string SettingsFilePath();
// The address-file folder ("DATA" in whatever case it exists), ending in "/".
std::string DataDirectory();
// The system data folder ("sysdata" in whatever case it exists), ending in "/".
std::string SystemDataDirectory();

// The running program's folder (without a trailing "/"), or empty.
std::string ExecutableFolder();

// Where the program directory comes from; ProgramDirectory() fills this from the environment.
struct ProgramDirectorySources {
    std::string Home;             // CORVANE_HOME, or empty
    std::string ExecutableFolder; // the running program's folder, or empty
    std::string UserDataFolder;   // $XDG_DATA_HOME/corvane or ~/.local/share/corvane
};
// Picks the folder and makes it (with DATA and sysdata) when missing. Ends in "/".
std::string ResolveProgramDirectory(const ProgramDirectorySources& sources);

// The entry of `folder` named `name` compared without regard to case (an exact match first),
// as a full path; empty when there is none.
std::string FindEntryNoCase(const std::string& folder, const std::string& name);
// The same for folders only (a file called "data" is no DATA folder).
std::string FindFolderNoCase(const std::string& folder, const std::string& name);

} // namespace corvane
