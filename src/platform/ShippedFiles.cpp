#include "platform/ShippedFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/ProgramDirectory.h"

#ifndef CORVANE_SHARE_DIR
#define CORVANE_SHARE_DIR "/usr/local/share/corvane"
#endif

namespace corvane {

namespace fs = std::filesystem;

namespace {

std::vector<std::vector<std::string>> ReadUnits(const std::string& listPath)
{
    std::vector<std::vector<std::string>> units;
    std::ifstream in(listPath);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string> unit;
        std::istringstream fields(line);
        std::string path;
        while (std::getline(fields, path, '\t')) {
            if (!path.empty())
                unit.push_back(path);
        }
        if (!unit.empty())
            units.push_back(std::move(unit));
    }
    return units;
}

// A list entry that climbs out of the share folder or starts at the root is no shipped file.
bool StaysInside(const fs::path& relative)
{
    if (relative.empty() || relative.is_absolute())
        return false;
    for (const auto& part : relative) {
        if (part == "..")
            return false;
    }
    return true;
}

// Where `relative` goes in the program directory: each folder in whatever case it exists there
// (made in the list's spelling when missing, only once `create` is set), the file name as listed.
// Empty when a file stands where a folder should be.
std::string TargetPath(const std::string& programDirectory, const fs::path& relative, bool create)
{
    std::string folder = programDirectory;
    const fs::path parent = relative.parent_path();
    for (const auto& part : parent) {
        std::string found = FindFolderNoCase(folder, part.string());
        if (found.empty()) {
            if (!FindEntryNoCase(folder, part.string()).empty())
                return {};
            found = (fs::path(folder) / part).string();
            std::error_code error;
            if (create && !fs::create_directory(found, error) && !fs::is_directory(found))
                return {};
        }
        folder = found;
    }
    return (fs::path(folder) / relative.filename()).string();
}

bool Present(const std::string& programDirectory, const fs::path& relative)
{
    const std::string target = TargetPath(programDirectory, relative, false);
    if (target.empty())
        return true; // blocked by a file of the user's: leave it alone
    return !FindEntryNoCase(fs::path(target).parent_path().string(), relative.filename().string()).empty();
}

} // namespace

std::string FindShareDirectory(const std::vector<std::string>& candidates)
{
    std::error_code error;
    for (const std::string& candidate : candidates) {
        if (!candidate.empty() && fs::is_regular_file(fs::path(candidate) / ShippedFilesList, error)) {
            std::string folder = fs::weakly_canonical(candidate, error).string();
            if (error)
                folder = candidate;
            return folder.back() == '/' ? folder : folder + '/';
        }
    }
    return {};
}

std::string ShareDirectory()
{
    std::vector<std::string> candidates;
    if (const std::string executable = ExecutableFolder(); !executable.empty()) {
        candidates.push_back(executable);
        candidates.push_back((fs::path(executable).parent_path() / "share" / "corvane").string());
    }
    candidates.push_back(CORVANE_SHARE_DIR);
    return FindShareDirectory(candidates);
}

SeedReport SeedProgramDirectory(const std::string& shareFolder, const std::string& programDirectory)
{
    SeedReport report;
    if (shareFolder.empty())
        return report;
    for (const auto& unit : ReadUnits((fs::path(shareFolder) / ShippedFilesList).string())) {
        bool usable = true;
        bool lacking = true;
        for (const std::string& path : unit) {
            if (!StaysInside(path)) {
                report.Failed.push_back(path + ": not a path inside the share folder");
                usable = false;
            } else if (Present(programDirectory, path)) {
                lacking = false;
            }
        }
        if (!usable || !lacking)
            continue;

        // Every file of the unit under a temporary name first; only when all are there do they
        // take their names.
        std::vector<std::pair<std::string, std::string>> staged; // temporary, final
        std::string failure;
        for (const std::string& path : unit) {
            const std::string target = TargetPath(programDirectory, path, true);
            if (target.empty()) {
                failure = path + ": a file stands where its folder should be";
                break;
            }
            const std::string temporary = target + ".part";
            std::error_code error;
            fs::copy_file(fs::path(shareFolder) / path, temporary, fs::copy_options::overwrite_existing,
                          error);
            if (error) {
                failure = path + ": " + error.message();
                fs::remove(temporary, error);
                break;
            }
            staged.emplace_back(temporary, target);
        }
        if (failure.empty()) {
            for (const auto& [temporary, target] : staged) {
                std::error_code error;
                fs::rename(temporary, target, error);
                if (error && failure.empty())
                    failure = target + ": " + error.message();
            }
        }
        if (!failure.empty()) {
            std::error_code error;
            for (const auto& staging : staged)
                fs::remove(staging.first, error);
            report.Failed.push_back(failure);
            continue;
        }
        report.Copied.insert(report.Copied.end(), unit.begin(), unit.end());
    }
    return report;
}

SeedReport SeedProgramDirectory()
{
    return SeedProgramDirectory(ShareDirectory(), ProgramDirectory());
}

} // namespace corvane
