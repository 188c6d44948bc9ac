#pragma once
// The owner of components: the window that owns every element of its panels. Names are unique per
// owner; elements read from a layout get fresh "Component" names, new elements "Special" ones.
// Other components of the window (its controls) may reserve their names here too.

#include <set>
#include <string>
#include <string_view>

namespace corvane {

class ComponentOwner {
  public:
    bool Has(std::string_view name) const;
    // False (and nothing changes) when the name is empty or taken.
    bool Add(const std::string& name);
    void Remove(const std::string& name);
    // Replaces `from` by `to`; false (nothing changes) when `to` is empty or taken.
    bool Rename(const std::string& from, const std::string& to);

    // "Component" + the smallest N from 0 to 1000 not taken; empty when all are.
    std::string FreeComponentName() const;
    // prefix + the smallest N from 1 to 1000 not taken; empty when all are.
    std::string UniqueName(std::string_view prefix) const;

    size_t Count() const { return FNames.size(); }

  private:
    std::set<std::string, std::less<>> FNames;
};

} // namespace corvane
