// Which window each element command and each newly dropped element opens: every command an
// element leaves to the designer reaches a dialog or belongs to the panel's clipboard, commands a
// kind's menu lacks are refused without a window, and cancelled dialogs change nothing.

#include <functional>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "dialogs_test_support.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGDateTimeLabel.h"
#include "layout/TGFIMBarCode.h"
#include "layout/TGImage.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGLineShape.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPageNumberLabel.h"
#include "layout/TGPostNetBarCode.h"
#include "layout/TGSymbolLabel.h"
#include "layout/Trpshapes.h"
#include "layout/designer/dialogs/ElementDialogs.h"

namespace corvane {
namespace {

using testing::DialogLayout;
using testing::DialogScript;
using Dialogs = std::map<ElementCommand, std::string>;

struct KindRow {
    std::string Name;
    std::function<TGGraphicControl&(DialogLayout&)> Make;
    Dialogs CommandDialogs;     // every dialog command of the kind's menu and the window it opens
    std::string CreationDialog; // empty: none
};

template <class T> std::function<TGGraphicControl&(DialogLayout&)> Maker()
{
    return [](DialogLayout& layout) -> TGGraphicControl& { return layout.Add<T>(); };
}

const Dialogs kTextDialogs = {{ElementCommand::Font, "FontDialog"},
                              {ElementCommand::Effects3D, "TGFont3DEffects"},
                              {ElementCommand::BackgroundColor, "ColorDialog"}};

Dialogs With(Dialogs dialogs, ElementCommand command, std::string dialog)
{
    dialogs[command] = std::move(dialog);
    return dialogs;
}

std::vector<KindRow> Kinds()
{
    Dialogs symbol = kTextDialogs;
    symbol.erase(ElementCommand::Font);
    symbol[ElementCommand::SymbolSelector] = "TGetSymbol";
    const Dialogs shapes = {{ElementCommand::ShapeBackgroundColor, "ColorDialog"},
                            {ElementCommand::LineColor, "ColorDialog"}};
    return {
        {"Text", Maker<TGPLabel>(), With(kTextDialogs, ElementCommand::Text, "TGetLabelText"),
         "TGetLabelText"},
        {"Field", Maker<TGPDLabel>(), With(kTextDialogs, ElementCommand::DataField, "TFieldSelectionBox"),
         "TFieldSelectionBox"},
        {"Counter", Maker<TGCounterLabel>(),
         With(kTextDialogs, ElementCommand::CounterSettings, "TGetCounter"), ""},
        {"Symbol", Maker<TGSymbolLabel>(), symbol, "TGetSymbol"},
        {"DateTime", Maker<TGDateTimeLabel>(), kTextDialogs, ""},
        {"PageNumber", Maker<TGPageNumberLabel>(), kTextDialogs, ""},
        {"MultiLine",
         Maker<TGMultiLineLabel>(),
         {{ElementCommand::Font, "FontDialog"}, {ElementCommand::Text, "TMultiLineTextEditor"}},
         "TMultiLineTextEditor"},
        {"Memo",
         Maker<TGDMultiLineLabel>(),
         {{ElementCommand::Font, "FontDialog"}, {ElementCommand::MemoField, "TFieldSelectionBox"}},
         ""},
        {"Address",
         Maker<TGDMultiLineAddressLabel>(),
         {{ElementCommand::Font, "FontDialog"}, {ElementCommand::AddressLayout, "TAddressLayout"}},
         ""},
        {"Line", Maker<TGLineShape>(), {{ElementCommand::LineColor, "ColorDialog"}}, ""},
        {"Shape", Maker<TGLabelShapes>(), shapes, ""},
        {"ReportShape", Maker<Trpshapes>(), shapes, ""},
        {"Picture", Maker<TGImage>(), {{ElementCommand::LoadImage, "TGImageBrowser"}}, ""},
        {"PostNet", Maker<TGPostNetBarCode>(), {}, ""},
        {"Fim", Maker<TGFIMBarCode>(), {}, ""},
    };
}

void CollectItems(const ElementMenu& menu, std::vector<ElementMenuItem>& items)
{
    for (const ElementMenuItem& item : menu) {
        if (!item.Items.empty())
            CollectItems(item.Items, items);
        else if (item.Command != ElementCommand::None)
            items.push_back(item);
    }
}

// The element's published values: what a cancelled dialog must leave exactly as they were.
std::vector<PropertyValue> Stored(const TGGraphicControl& element)
{
    std::vector<PropertyValue> values;
    for (const PropertyDescriptor& property : element.PublishedProperties().Properties())
        values.push_back(property.Get(element));
    return values;
}

class ElementKindDialogs : public ::testing::TestWithParam<KindRow> {};

TEST_P(ElementKindDialogs, EveryDesignerCommandReachesItsDialogOrThePanel)
{
    const KindRow& row = GetParam();
    DialogLayout layout;
    TGGraphicControl& element = row.Make(layout);
    const ElementDialogContext context;
    std::vector<ElementMenuItem> items;
    CollectItems(element.Menu(), items);

    Dialogs reached;
    const std::set<ElementCommand> panelCommands = {ElementCommand::Cut, ElementCommand::Copy,
                                                    ElementCommand::Delete, ElementCommand::Clone};
    for (const ElementMenuItem& item : items) {
        DialogScript script;
        const CommandOutcome outcome = RunElementDialogCommand(element, item.Command, item.Argument, context);
        if (IsElementDialogCommand(item.Command)) {
            EXPECT_EQ(outcome, CommandOutcome::Done) << item.Caption;
            ASSERT_EQ(script.Opened.size(), 1u) << item.Caption;
            reached[item.Command] = script.Opened[0];
            continue;
        }
        EXPECT_EQ(outcome, CommandOutcome::NotInMenu) << item.Caption;
        EXPECT_TRUE(script.Opened.empty()) << item.Caption;

        // What the element leaves to the designer is either a dialog or the panel's.
        DialogLayout scratch;
        TGGraphicControl& fresh = row.Make(scratch);
        if (fresh.Execute(item.Command, item.Argument) == CommandOutcome::NeedsDesigner) {
            EXPECT_TRUE(panelCommands.count(item.Command)) << item.Caption << " reaches nothing";
        }
    }
    EXPECT_EQ(reached, row.CommandDialogs);
}

TEST_P(ElementKindDialogs, CommandsOutsideTheMenuOpenNothing)
{
    const KindRow& row = GetParam();
    DialogLayout layout;
    TGGraphicControl& element = row.Make(layout);
    for (ElementCommand command :
         {ElementCommand::Font, ElementCommand::Effects3D, ElementCommand::BackgroundColor,
          ElementCommand::Text, ElementCommand::DataField, ElementCommand::CounterSettings,
          ElementCommand::SymbolSelector, ElementCommand::MemoField, ElementCommand::AddressLayout,
          ElementCommand::LineColor, ElementCommand::ShapeBackgroundColor, ElementCommand::LoadImage}) {
        if (row.CommandDialogs.count(command))
            continue;
        DialogScript script;
        EXPECT_EQ(RunElementDialogCommand(element, command, 0, {}), CommandOutcome::NotInMenu);
        EXPECT_TRUE(script.Opened.empty());
    }
    DialogScript script;
    EXPECT_EQ(RunElementDialogCommand(element, ElementCommand::Cut, 0, {}), CommandOutcome::NotInMenu);
    EXPECT_TRUE(script.Opened.empty());
}

TEST_P(ElementKindDialogs, CancelledDialogsChangeNothing)
{
    const KindRow& row = GetParam();
    DialogLayout layout;
    TGGraphicControl& element = row.Make(layout);
    layout.Panel.RefreshData();
    const std::vector<PropertyValue> before = Stored(element);
    const PixelRect bounds = element.Bounds();
    layout.Changes = 0;
    for (const auto& [command, dialog] : row.CommandDialogs) {
        DialogScript script;
        EXPECT_EQ(RunElementDialogCommand(element, command, 0, {}), CommandOutcome::Done);
    }
    const std::vector<PropertyValue> after = Stored(element);
    const auto& properties = element.PublishedProperties().Properties();
    for (size_t i = 0; i < properties.size(); ++i)
        EXPECT_TRUE(after[i] == before[i]) << properties[i].Name;
    EXPECT_EQ(element.Bounds(), bounds);
    EXPECT_EQ(layout.Changes, 0);
}

TEST_P(ElementKindDialogs, ADroppedElementOpensItsCreationDialog)
{
    const KindRow& row = GetParam();
    DialogLayout layout;
    TGGraphicControl& element = row.Make(layout);
    DialogScript script;
    const bool accepted = RunCreationDialog(element, {});
    if (row.CreationDialog.empty()) {
        EXPECT_TRUE(accepted);
        EXPECT_TRUE(script.Opened.empty());
    } else {
        EXPECT_FALSE(accepted) << "the script cancels";
        EXPECT_EQ(script.Opened, std::vector<std::string>{row.CreationDialog});
    }
    EXPECT_EQ(layout.Panel.ElementCount(), 1u) << "a cancelled creation dialog leaves the element";
}

INSTANTIATE_TEST_SUITE_P(Kinds, ElementKindDialogs, ::testing::ValuesIn(Kinds()),
                         [](const ::testing::TestParamInfo<KindRow>& info) { return info.param.Name; });

} // namespace
} // namespace corvane
