#pragma once
// The recently opened address files: section "MRU", keys Item1 to Item4, most recent first.

#include <string>
#include <vector>

namespace corvane {

class Settings;

constexpr size_t RecentFileCount = 4;

// The non-empty values of Item1 to Item4 in that order.
std::vector<std::string> GetMRUList(const Settings& settings);
// Writes the first four entries as Item1, Item2, ...; keys beyond the list are emptied.
void PutMRUList(const Settings& settings, const std::vector<std::string>& list);
// `path` first, then the old entries that differ from it (exact comparison), at most four in
// all; writes the list and returns it.
std::vector<std::string> UpdateMRUList(const Settings& settings, const std::string& path);
// The most recent file, or empty.
std::string GetMRUFile(const Settings& settings);

} // namespace corvane
