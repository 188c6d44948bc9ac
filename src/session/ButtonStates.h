#pragma once
// Which commands of the main window are enabled and shown, as a rule over the record state alone
// (SetButtons): the window applies the result and knows nothing of the rule.

#include <map>
#include <string>

namespace corvane {

// Enabled and visible state of one control or menu item.
struct ControlState {
    bool Enabled = true;
    bool Visible = true;
    bool operator==(const ControlState&) const = default;
};
// By the object name of the control or menu item ("AddButton", "mnuClone", "SortMenu", ...).
using ControlStates = std::map<std::string, ControlState>;

// Every control and menu item whose state follows the record state is in the result; the window
// additionally keeps commands disabled whose window does not exist yet.
ControlStates ComputeButtonStates(bool open, bool editing, bool hasRecord, bool filterSet);

} // namespace corvane
