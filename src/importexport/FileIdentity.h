#pragma once
// Whether a chosen file is the open address file or one of its companions (memo, index), by
// file identity (device and inode) rather than by name: a link or another spelling of the path
// ("./", "..") names the same file, and writing there would destroy the address file.

#include <string>

namespace corvane {

// True when both paths exist and are the same file.
bool SameFile(const std::string& a, const std::string& b);
// True when `path` is the address file, its memo file or its index file.
bool IsAddressFileOrCompanion(const std::string& path, const std::string& addressFile);

inline constexpr const char* CopyToItselfMessage = "Cannot copy a file to itself!";
inline constexpr const char* ImportFromItselfMessage = "Cannot import a file to itself";

} // namespace corvane
