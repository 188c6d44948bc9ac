#pragma once
// The class-name registry through which layout files create elements: a class name maps to a
// factory. Panels register the kinds they accept; the registry serves a whole run, so a class any
// panel registered can be read by every panel.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TGGraphicControl;

using ElementFactory = std::function<std::unique_ptr<TGGraphicControl>()>;

class ElementClassRegistry {
  public:
    // The one registry of the run (the panels' default).
    static ElementClassRegistry& Shared();

    // Registers a known element class by name; false for a name that is no element class.
    bool Register(std::string_view className);
    void Register(std::initializer_list<std::string_view> classNames);
    // Registers every element class (tools such as corvane-cli read every kind).
    void RegisterAll();
    bool IsRegistered(std::string_view className) const;

    // A new element of a registered class; nullptr when it is not registered.
    std::unique_ptr<TGGraphicControl> Create(std::string_view className) const;

    // The seventeen element classes and their factories, registered or not.
    static const std::map<std::string, ElementFactory, std::less<>>& KnownClasses();
    // The classes a label, envelope and report band panel accept on reading.
    static const std::vector<std::string_view>& LabelPanelClasses();
    static const std::vector<std::string_view>& EnvelopePanelClasses();
    static const std::vector<std::string_view>& ReportPanelClasses();

  private:
    std::map<std::string, ElementFactory, std::less<>> FClasses;
};

} // namespace corvane
