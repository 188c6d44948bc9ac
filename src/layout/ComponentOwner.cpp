#include "layout/ComponentOwner.h"

namespace corvane {

bool ComponentOwner::Has(std::string_view name) const
{
    return FNames.find(name) != FNames.end();
}

bool ComponentOwner::Add(const std::string& name)
{
    if (name.empty())
        return false;
    return FNames.insert(name).second;
}

void ComponentOwner::Remove(const std::string& name)
{
    if (auto it = FNames.find(name); it != FNames.end())
        FNames.erase(it);
}

bool ComponentOwner::Rename(const std::string& from, const std::string& to)
{
    if (from == to)
        return !to.empty();
    if (to.empty() || Has(to))
        return false;
    Remove(from);
    FNames.insert(to);
    return true;
}

std::string ComponentOwner::FreeComponentName() const
{
    for (int n = 0; n <= 1000; ++n) {
        std::string name = "Component" + std::to_string(n);
        if (!Has(name))
            return name;
    }
    return {};
}

std::string ComponentOwner::UniqueName(std::string_view prefix) const
{
    for (int n = 1; n <= 1000; ++n) {
        std::string name = std::string(prefix) + std::to_string(n);
        if (!Has(name))
            return name;
    }
    return {};
}

} // namespace corvane
