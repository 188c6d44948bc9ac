#pragma once
// The files the program ships (the label stock catalogue and its pictures in sysdata, the help
// pages) live in a read-only share folder. Every program directory works on its own copies, so
// the user may change them: a start copies in whichever of them the directory lacks and never
// touches a file that is already there.
//
// The share folder lists its files in "shipped-files.txt", one unit a line: the paths (relative
// to the share folder, separated by tabs) of files that only make sense together, such as a
// table and its index. A unit is copied whole or not at all, so a shipped index never lands
// beside the user's own table.

#include <string>
#include <vector>

namespace corvane {

inline constexpr const char* ShippedFilesList = "shipped-files.txt";

// The first of `candidates` that holds the list, ending in "/"; empty when none does.
std::string FindShareDirectory(const std::vector<std::string>& candidates);

// The share folder of this program: its own folder (a build tree or a portable copy), then
// ../share/corvane beside it (an installation under any prefix), then the folder the build was
// configured to install into. Empty when none of them holds the list.
std::string ShareDirectory();

struct SeedReport {
    std::vector<std::string> Copied; // relative paths, as the list names them
    std::vector<std::string> Failed; // "path: reason"
};

// Copies into `programDirectory` every unit of `shareFolder`'s list whose files it lacks
// (compared without regard to case, folder by folder, so "SYSDATA" takes the "sysdata" files).
// Each file is written under a temporary name and renamed, so an interrupted copy leaves no
// half file that would then count as the user's.
SeedReport SeedProgramDirectory(const std::string& shareFolder, const std::string& programDirectory);

// The start-up step of the program and of corvane-cli: ShareDirectory() into ProgramDirectory().
SeedReport SeedProgramDirectory();

} // namespace corvane
