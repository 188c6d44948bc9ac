// Which commands the main window offers in each record state: no file, a file without records,
// a record on show, editing, and with a filter set.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "session/ButtonStates.h"

namespace corvane {
namespace {

struct ButtonCase {
    const char* Name;
    bool Open, Editing, HasRecord, FilterSet;
    // control -> expected {enabled, visible}
    std::vector<std::pair<const char*, ControlState>> Expected;
};

class ButtonStates : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonStates, FollowTheRecordState)
{
    const ButtonCase& c = GetParam();
    const ControlStates states = ComputeButtonStates(c.Open, c.Editing, c.HasRecord, c.FilterSet);
    for (const auto& [name, expected] : c.Expected) {
        ASSERT_TRUE(states.count(name)) << name;
        EXPECT_EQ(states.at(name).Enabled, expected.Enabled) << name;
        EXPECT_EQ(states.at(name).Visible, expected.Visible) << name;
    }
}

constexpr ControlState On{true, true};
constexpr ControlState Disabled{false, true};
constexpr ControlState Hidden{true, false};
constexpr ControlState Gone{false, false};

INSTANTIATE_TEST_SUITE_P(
    Session, ButtonStates,
    ::testing::Values(ButtonCase{"NoFile",
                                 false,
                                 false,
                                 false,
                                 false,
                                 {{"AddButton", Disabled},
                                  {"EditButton", Disabled},
                                  {"mnuRebuildIndexes", Disabled},
                                  {"mnuRestoreFilter", Disabled},
                                  {"RecordNext", Hidden},
                                  {"FilterButton", Disabled},
                                  {"SaveButton", Gone},
                                  {"RecordMenu", Disabled},
                                  {"FilterStatus", Hidden},
                                  {"ClearfilterButton", Gone},
                                  {"FileMenu", On}}},
                      ButtonCase{"EmptyFile",
                                 true,
                                 false,
                                 false,
                                 false,
                                 {{"AddButton", On},
                                  {"EditButton", Disabled},
                                  {"DeleteButton", Disabled},
                                  {"mnuClearTags", On},
                                  {"SortMenu", Disabled},
                                  {"RecordFirst", Hidden},
                                  {"SearchMemoButton", Hidden},
                                  {"FilterButton", Disabled},
                                  {"RecordMenu", On},
                                  {"mnuAdd", On},
                                  {"mnuEdit", Disabled},
                                  {"FilterStatus", On}}},
                      ButtonCase{"Ready",
                                 true,
                                 false,
                                 true,
                                 false,
                                 {{"EditButton", On},
                                  {"DeleteButton", On},
                                  {"mnuClone", On},
                                  {"LabelsButton", On},
                                  {"RecordLast", On},
                                  {"DialPhone1Button", On},
                                  {"FilterButton", On},
                                  {"mnuSetFilter", On},
                                  {"mnuSaveFilter", Disabled},
                                  {"mnuTagAll", Disabled},
                                  {"ClearfilterButton", Gone},
                                  {"ExitButton", On},
                                  {"mnuExit", On}}},
                      ButtonCase{"Editing",
                                 true,
                                 true,
                                 true,
                                 false,
                                 {{"SaveButton", On},
                                  {"CancelButton", On},
                                  {"AddButton", Gone},
                                  {"EditButton", Gone},
                                  {"DeleteButton", Gone},
                                  {"ExitButton", Hidden},
                                  {"SearchMemoNextButton", Hidden},
                                  {"FileMenu", Disabled},
                                  {"mnuExit", Disabled},
                                  {"RecordMenu", Disabled},
                                  {"RecordNext", Hidden},
                                  {"FilterButton", Disabled},
                                  {"mnuClone", Disabled}}},
                      ButtonCase{"ReadyWithFilter",
                                 true,
                                 false,
                                 true,
                                 true,
                                 {{"ClearfilterButton", On},
                                  {"mnuSaveFilter", On},
                                  {"mnuClearFilter", On},
                                  {"mnuTagAll", On},
                                  {"FilterButton", On}}},
                      ButtonCase{
                          "EditingWithFilter",
                          true,
                          true,
                          true,
                          true,
                          {{"ClearfilterButton", Disabled}, {"FilterButton", On}, {"mnuSetFilter", On}}}),
    [](const ::testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace corvane
