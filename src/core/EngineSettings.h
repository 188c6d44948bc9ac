#pragma once
// The table engine's own settings: how much memory the shared index page cache may hold
// ("IndexCacheMB" in the "Engine" section, default 64). The program and the batch tool apply
// them once at start.

namespace corvane {

class Settings;

constexpr int DefaultIndexCacheMegabytes = 64;

// The cache limit the settings ask for, kept between 4 MB and 16 GB.
int IndexCacheMegabytes(const Settings& settings);
void ApplyEngineSettings(const Settings& settings);

} // namespace corvane
