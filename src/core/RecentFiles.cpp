#include "core/RecentFiles.h"

#include "platform/Settings.h"

namespace corvane {

namespace {
std::string ItemKey(size_t number)
{
    return "Item" + std::to_string(number);
}
} // namespace

std::vector<std::string> GetMRUList(const Settings& settings)
{
    IniFile file = settings.Load();
    std::vector<std::string> list;
    for (size_t i = 1; i <= RecentFileCount; ++i) {
        std::string value = file.ReadString("MRU", ItemKey(i), "");
        if (!value.empty())
            list.push_back(value);
    }
    return list;
}

void PutMRUList(const Settings& settings, const std::vector<std::string>& list)
{
    IniFile file = settings.Load();
    for (size_t i = 1; i <= RecentFileCount; ++i) {
        file.WriteString("MRU", ItemKey(i), i <= list.size() ? list[i - 1] : std::string());
    }
    settings.Save(file);
}

std::vector<std::string> UpdateMRUList(const Settings& settings, const std::string& path)
{
    std::vector<std::string> list{path};
    for (const std::string& entry : GetMRUList(settings)) {
        if (list.size() == RecentFileCount)
            break;
        if (entry != path)
            list.push_back(entry);
    }
    PutMRUList(settings, list);
    return list;
}

std::string GetMRUFile(const Settings& settings)
{
    auto list = GetMRUList(settings);
    return list.empty() ? std::string() : list.front();
}

} // namespace corvane
