#pragma once
// The table subcommands of corvane-cli. Each returns the process exit status: 0, or 1 after one
// line on stderr (and then nothing has changed on disk).

#include <string>
#include <vector>

namespace corvane::cli {

int RunCreate(const std::vector<std::string>& arguments);
int RunInfo(const std::vector<std::string>& arguments);
int RunList(const std::vector<std::string>& arguments);
int RunCount(const std::vector<std::string>& arguments);
int RunSeek(const std::vector<std::string>& arguments);
int RunAppend(const std::vector<std::string>& arguments);
int RunDelete(const std::vector<std::string>& arguments);
int RunReindex(const std::vector<std::string>& arguments);
// Rebuilds the system tables' indexes; one stderr line per table that failed.
int RunReindexSystem(const std::vector<std::string>& arguments);

} // namespace corvane::cli
