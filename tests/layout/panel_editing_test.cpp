// Editing a panel without a widget: the selection and its handle, drags and nudges applied to the
// elements, the clipboard file with its paste guard, cut/delete/clone, rubber bands in paint order,
// alignment, clamping and purging, locking and marking, zoom and creating elements with the tools.

#include <filesystem>

#include <gtest/gtest.h>

#include "layout/ComponentOwner.h"
#include "layout/RecordingSurface.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGPLabel.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

struct Layout {
    testing::ScratchHome Home;
    ComponentOwner Owner;
    TGLabelPanel Panel{Owner};
    int64_t Now = 50000;
    int Changes = 0;

    Layout()
    {
        Panel.SetSize(100, 60);
        Panel.SetTickSource([this] { return Now; });
        Panel.LabelChangedEvent = [this](TGBasePanel&) { ++Changes; };
    }
    TGGraphicControl& Add(PixelRect bounds, const std::string& name = {})
    {
        auto element = std::make_unique<TGLabelShapes>();
        element->SetDesignBounds(bounds);
        if (!name.empty())
            (void)element->SetName(name);
        TGGraphicControl& e = Panel.InsertElement(std::move(element));
        e.BuildMenu();
        return e;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (size_t i = 0; i < Panel.ElementCount(); ++i)
            names.push_back(Panel.ElementAt(i).Name());
        return names;
    }
    std::vector<std::string> SelectedNames() const
    {
        std::vector<std::string> names;
        for (const TGGraphicControl* e : Panel.Selection().Elements())
            names.push_back(e->Name());
        return names;
    }
};

using Names = std::vector<std::string>;

TEST(PanelSelectionTest, HandleCoversTheSelectionWithItsMargins)
{
    Layout layout;
    PanelSelection& selection = layout.Panel.Selection();
    TGGraphicControl& a = layout.Add({10, 10, 20, 10});
    TGGraphicControl& b = layout.Add({40, 30, 10, 5});
    TGGraphicControl& hidden = layout.Add({60, 5, 10, 10});
    hidden.SetUnselectable(true);

    EXPECT_FALSE(selection.HandleVisible());
    selection.Select(a);
    EXPECT_EQ(selection.HandleBounds(), (PixelRect{8, 8, 25, 15}));
    selection.Select(b);
    EXPECT_EQ(selection.HandleBounds(), (PixelRect{8, 8, 45, 30}));
    selection.Select(a);      // twice: nothing
    selection.Select(hidden); // unselectable: nothing
    EXPECT_EQ(selection.Count(), 2);
    selection.Resync(); // one pixel more to the right and bottom
    EXPECT_EQ(selection.HandleBounds(), (PixelRect{8, 8, 46, 31}));
    selection.Deselect(a);
    EXPECT_EQ(selection.HandleBounds(), (PixelRect{38, 28, 15, 10}));
    selection.Deselect(a); // not selected: nothing
    EXPECT_EQ(selection.At(-1), nullptr);
    EXPECT_EQ(selection.At(1), nullptr);
    selection.SetLocked(true);
    selection.Clear();
    EXPECT_FALSE(selection.HandleVisible());
    EXPECT_FALSE(selection.Locked());
}

TEST(PanelSelectionTest, DraggingMovesTheUnlockedElementsTogether)
{
    Layout layout;
    PanelSelection& selection = layout.Panel.Selection();
    TGGraphicControl& a = layout.Add({10, 10, 20, 10});
    TGGraphicControl& b = layout.Add({40, 30, 10, 5});
    TGGraphicControl& locked = layout.Add({60, 40, 10, 5});
    locked.SetLocked(true);
    for (TGGraphicControl* e : {&a, &b, &locked})
        selection.Select(*e);

    selection.ApplyHandleBounds(selection.DraggedBounds(Grip::Move, 5, -3));
    EXPECT_EQ(a.Bounds(), (PixelRect{15, 7, 20, 10}));
    EXPECT_EQ(b.Bounds(), (PixelRect{45, 27, 10, 5}));
    EXPECT_EQ(locked.Bounds(), (PixelRect{60, 40, 10, 5}));
    EXPECT_GT(layout.Changes, 0);
}

TEST(PanelSelectionTest, SnappedDragPutsTheElementUnderTheGridDots)
{
    Layout layout;
    PanelSelection& selection = layout.Panel.Selection();
    TGGraphicControl& a = layout.Add({10, 10, 20, 10});
    selection.SetSnapToGrid(true); // the stored step, 8 at creation
    EXPECT_TRUE(selection.SnapToGrid());
    selection.Select(a);
    selection.ApplyHandleBounds(selection.DraggedBounds(Grip::Move, 9, 3));
    EXPECT_EQ(a.Left(), 18); // handle at 16, element at 8k + 2
    EXPECT_EQ(a.Top(), 10);
    selection.SetSnapToGrid(false);
    EXPECT_FALSE(selection.SnapToGrid());
    EXPECT_EQ(selection.StepX(), 1);

    // The panel's switch snaps to its grid size, 4 pixels unless set otherwise.
    layout.Panel.SetSnapToGrid(true);
    EXPECT_EQ(selection.StepX(), 4);
    layout.Panel.SetGridSize(TGridSize::gs8x8);
    EXPECT_EQ(selection.StepY(), 8);
    layout.Panel.SetSnapToGrid(false);
    EXPECT_FALSE(selection.SnapToGrid());
    // A grid size chosen while snapping is off is kept for later and snaps nothing now.
    layout.Panel.SetGridSize(TGridSize::gs4x4);
    EXPECT_FALSE(selection.SnapToGrid());
    layout.Panel.SetSnapToGrid(true);
    EXPECT_EQ(selection.StepX(), 4);
}

// A drag that leaves every selected element behind (all locked) keeps the handle on them.
TEST(PanelSelectionTest, DraggingOnlyLockedElementsLeavesTheHandleOnThem)
{
    Layout layout;
    PanelSelection& selection = layout.Panel.Selection();
    TGGraphicControl& locked = layout.Add({20, 20, 30, 10});
    locked.SetLocked(true);
    selection.Select(locked);
    selection.ApplyHandleBounds(selection.DraggedBounds(Grip::Move, 10, 10));
    EXPECT_EQ(locked.Bounds(), (PixelRect{20, 20, 30, 10}));
    EXPECT_EQ(selection.HandleBounds().Left, 18);
    EXPECT_EQ(selection.HandleBounds().Top, 18);
}

// Shrinking through a grip keeps the element visible and in the layout, also from a handle that a
// resync made one pixel larger than the element's margins.
TEST(PanelSelectionTest, GripResizeKeepsAMinimumElementSize)
{
    Layout layout;
    PanelSelection& selection = layout.Panel.Selection();
    TGGraphicControl& a = layout.Add({10, 10, 40, 20});
    selection.Select(a);
    selection.Resync();
    selection.ApplyHandleBounds(selection.DraggedBounds(Grip::BottomRight, -200, -200));
    EXPECT_EQ(a.Width(), MinimumElementSize);
    EXPECT_EQ(a.Height(), MinimumElementSize);

    selection.Resync();
    selection.ApplyHandleBounds(selection.DraggedBounds(Grip::TopLeft, 30, 30));
    EXPECT_EQ(a.Bounds(), (PixelRect{40, 40, 5, 5}));

    layout.Panel.PurgeElements();
    const std::string file = layout.Home.File("SMALL.LBL");
    ASSERT_TRUE(layout.Panel.SaveToFile(file));
    layout.Panel.ClearElements();
    ASSERT_TRUE(layout.Panel.LoadFromFile(file));
    EXPECT_EQ(layout.Panel.ElementCount(), 1u);
}

TEST(PanelSelectionTest, GripResizeFollowsTheTableWithSnapping)
{
    Layout layout;
    PanelSelection& selection = layout.Panel.Selection();
    TGGraphicControl& a = layout.Add({10, 10, 40, 20}); // handle (8, 8, 45, 25)
    selection.SetSnapToGrid(true);
    selection.SetGridX(4);
    selection.SetGridY(4);
    selection.Select(a);
    selection.ApplyHandleBounds(selection.DraggedBounds(Grip::BottomRight, 10, 6));
    // width snap(55) - 1 = 51, height snap(31) - 1 = 27
    EXPECT_EQ(a.Bounds(), (PixelRect{10, 10, 46, 22}));
    selection.ApplyHandleBounds(selection.DraggedBounds(Grip::Left, -3, 0));
    // left snap(5) = 4: the right edge stays
    EXPECT_EQ(a.Bounds(), (PixelRect{6, 10, 50, 22}));
}

TEST(PanelSelectionTest, NudgesMoveOrResizeAndApplyOnRelease)
{
    Layout layout;
    PanelSelection& selection = layout.Panel.Selection();
    TGGraphicControl& a = layout.Add({20, 20, 11, 12});
    selection.Select(a);
    selection.Resync();

    selection.Nudge(NudgeKey::Left, true);
    EXPECT_EQ(a.Width(), 11) << "applied only when the key is released";
    selection.EndNudge();
    EXPECT_EQ(a.Bounds(), (PixelRect{20, 20, 10, 12}));
    selection.Nudge(NudgeKey::Left, true);
    selection.EndNudge();
    EXPECT_EQ(a.Bounds(), (PixelRect{20, 20, 10, 12}));

    for (int i = 0; i < 3; ++i)
        selection.Nudge(NudgeKey::Right, false);
    selection.Nudge(NudgeKey::Down, false);
    selection.EndNudge();
    EXPECT_EQ(a.Bounds(), (PixelRect{23, 21, 10, 12}));

    // Two elements: Shift moves instead of resizing; the box stops at the panel's edge.
    TGGraphicControl& b = layout.Add({2, 40, 10, 10});
    selection.Select(b);
    for (int i = 0; i < 5; ++i)
        selection.Nudge(NudgeKey::Left, true);
    selection.EndNudge();
    EXPECT_EQ(b.Bounds(), (PixelRect{0, 40, 10, 10}));
    EXPECT_EQ(a.Bounds(), (PixelRect{21, 21, 10, 12}));
}

TEST(PanelSelectionTest, LockedHandleDoesNotBringToFront)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 10, 20, 10}, "A");
    layout.Add({12, 12, 20, 10}, "B");
    layout.Panel.Selection().Select(a);
    layout.Panel.Selection().SetLocked(true);
    layout.Panel.BringSelectionToFront();
    EXPECT_EQ(layout.Names(), (Names{"A", "B"}));
    layout.Panel.Selection().SetLocked(false);
    layout.Panel.BringSelectionToFront();
    EXPECT_EQ(layout.Names(), (Names{"B", "A"}));
    layout.Panel.SendSelectionToBack();
    EXPECT_EQ(layout.Names(), (Names{"A", "B"}));
    EXPECT_TRUE(layout.Panel.Selection().Empty());
}

// Sending a group to back keeps its own stacking, as bringing it to front does.
TEST(PanelEditingTest, StackingCommandsKeepTheSelectionsOwnOrder)
{
    Layout layout;
    layout.Add({0, 0, 10, 10}, "A");
    TGGraphicControl& b = layout.Add({5, 5, 10, 10}, "B");
    TGGraphicControl& c = layout.Add({8, 8, 10, 10}, "C");
    layout.Panel.Selection().Assign({&b, &c});
    layout.Panel.SendSelectionToBack();
    EXPECT_EQ(layout.Names(), (Names{"B", "C", "A"}));
    layout.Panel.Selection().Assign({&b, &c});
    layout.Panel.BringSelectionToFront();
    EXPECT_EQ(layout.Names(), (Names{"A", "B", "C"}));
}

TEST(PanelEditingTest, AlignLeftAndRight)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({12, 0, 10, 10});
    TGGraphicControl& b = layout.Add({30, 15, 10, 10});
    TGGraphicControl& c = layout.Add({7, 30, 10, 10});
    c.SetLocked(true); // alignment moves locked elements too
    layout.Panel.SelectAll();
    layout.Panel.AlignLeft();
    EXPECT_EQ(a.Left(), 7);
    EXPECT_EQ(b.Left(), 7);
    EXPECT_EQ(c.Left(), 7);

    Layout other;
    TGGraphicControl& narrow = other.Add({10, 0, 20, 10});
    TGGraphicControl& wide = other.Add({50, 20, 40, 10});
    other.Panel.SelectAll();
    other.Panel.AlignRight();
    EXPECT_EQ(narrow.Left(), 70);
    EXPECT_EQ(wide.Left(), 50);
    other.Panel.AlignBottoms();
    EXPECT_EQ(narrow.Top(), 20);

    // With nothing selected nothing happens, not even a change notice.
    other.Panel.Selection().Clear();
    const int changes = other.Changes;
    other.Panel.AlignTops();
    EXPECT_EQ(other.Changes, changes);
}

TEST(PanelEditingTest, CentringSelection)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({3, 3, 30, 11});
    layout.Panel.Selection().Select(a);
    layout.Panel.CenterSelectionVertically();
    layout.Panel.CenterSelectionHorizontally();
    EXPECT_EQ(a.Top(), 25); // 30 - 5
    EXPECT_EQ(a.Left(), 35);
}

TEST(PanelEditingTest, ClampAndPurgeOnAHundredBySixtyPanel)
{
    Layout layout;
    TGGraphicControl& far = layout.Add({95, 58, 30, 12});
    layout.Panel.Selection().Select(far);
    layout.Panel.ClampElements();
    EXPECT_EQ(far.Bounds(), (PixelRect{80, 50, 30, 12}));
    EXPECT_TRUE(layout.Panel.Selection().Empty());

    Layout purge;
    purge.Add({91, 0, 5, 5}, "Gone");
    purge.Add({90, 0, 5, 5}, "Kept");
    purge.Add({0, 51, 5, 5}, "Below");
    purge.Panel.PurgeElements();
    EXPECT_EQ(purge.Names(), (Names{"Kept"}));
}

// Saving at a small zoom must not lose what lies inside the label, nor a thin line; clamping after
// a size change keeps the same real margins at any zoom.
TEST(PanelEditingTest, ClampAndPurgeMeasureAtRealSizeAtAnyZoom)
{
    Layout layout;
    TGGraphicControl& far = layout.Add({95, 58, 30, 12}, "Far");
    layout.Add({85, 0, 5, 5}, "Inside");
    layout.Add({10, 10, 40, 1}, "Line");
    layout.Panel.SetZoom(2.0f);
    layout.Panel.ClampElements();
    EXPECT_EQ(far.DesignBounds(), (PixelRect{80, 50, 30, 12}));
    layout.Panel.SetZoom(0.4f);
    layout.Panel.PurgeElements();
    EXPECT_EQ(layout.Names(), (Names{"Far", "Inside", "Line"}));
}

TEST(PanelEditingTest, CopyAndPasteKeepRealSizeAtAnyZoom)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 20, 41, 17});
    layout.Panel.SetZoom(2.0f);
    layout.Panel.Selection().Select(a);
    ASSERT_TRUE(layout.Panel.CopySelection());
    EXPECT_TRUE(layout.Panel.ClipboardHasContent());
    EXPECT_EQ(layout.Panel.ClipboardFileName(), layout.Home.File("Clipbrd.tmp"));

    ASSERT_TRUE(layout.Panel.PasteClipboard());
    ASSERT_EQ(layout.Panel.ElementCount(), 2u);
    const TGGraphicControl& pasted = layout.Panel.ElementAt(1);
    EXPECT_EQ(pasted.DesignBounds(), (PixelRect{25, 35, 41, 17}));
    EXPECT_EQ(pasted.Bounds(), (PixelRect{50, 70, 82, 34}));
    EXPECT_NE(pasted.Name(), a.Name());
    EXPECT_EQ(layout.Panel.Selection().Count(), 1) << "pasted elements are not selected";

    // Another panel of the program pastes the same file at its own zoom.
    ComponentOwner owner;
    TGLabelPanel other(owner);
    other.SetSize(100, 60);
    ASSERT_TRUE(other.PasteClipboard());
    ASSERT_EQ(other.ElementCount(), 1u);
    EXPECT_EQ(other.ElementAt(0).Bounds(), (PixelRect{25, 35, 41, 17}));
}

TEST(PanelEditingTest, PasteIsIgnoredWithinASecondOfTheLastPaste)
{
    Layout layout;
    layout.Now = 0; // the very first paste runs whatever the clock says
    TGGraphicControl& a = layout.Add({10, 20, 10, 10});
    layout.Panel.Selection().Select(a);
    ASSERT_TRUE(layout.Panel.CopySelection());
    ASSERT_TRUE(layout.Panel.PasteClipboard());
    EXPECT_EQ(layout.Panel.ElementCount(), 2u);
    layout.Now = 999;
    ASSERT_TRUE(layout.Panel.PasteClipboard());
    EXPECT_EQ(layout.Panel.ElementCount(), 2u);
    layout.Now = 1000;
    ASSERT_TRUE(layout.Panel.PasteClipboard());
    EXPECT_EQ(layout.Panel.ElementCount(), 3u);
}

// Ctrl+V with nothing copied yet changes nothing and does not hold back the first real paste.
TEST(PanelEditingTest, PasteWithoutAClipboardFileIsNoChange)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 20, 10, 10});
    ASSERT_FALSE(layout.Panel.ClipboardHasContent());
    ASSERT_TRUE(layout.Panel.PasteClipboard());
    EXPECT_EQ(layout.Panel.ElementCount(), 1u);
    EXPECT_EQ(layout.Changes, 0);
    layout.Panel.Selection().Select(a);
    ASSERT_TRUE(layout.Panel.CopySelection());
    ASSERT_TRUE(layout.Panel.PasteClipboard());
    EXPECT_EQ(layout.Panel.ElementCount(), 2u);
}

TEST(PanelEditingTest, ClipboardFileLastsUntilAPanelIsDestroyed)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 20, 10, 10});
    layout.Panel.Selection().Select(a);
    ASSERT_TRUE(layout.Panel.CopySelection());
    {
        ComponentOwner owner;
        TGBasePanel hidden(owner);
        EXPECT_TRUE(hidden.ClipboardHasContent());
    }
    EXPECT_FALSE(layout.Panel.ClipboardHasContent());
    // Copying nothing writes nothing.
    layout.Panel.Selection().Clear();
    ASSERT_TRUE(layout.Panel.CopySelection());
    EXPECT_FALSE(layout.Panel.ClipboardHasContent());
}

TEST(PanelEditingTest, CutAndDeleteRemoveTheSelection)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 20, 10, 10}, "A");
    layout.Add({30, 20, 10, 10}, "B");
    TGGraphicControl& c = layout.Add({50, 20, 10, 10}, "C");
    layout.Panel.Selection().Select(a);
    layout.Panel.Selection().Select(c);
    ASSERT_TRUE(layout.Panel.CutSelection());
    EXPECT_EQ(layout.Names(), (Names{"B"}));
    EXPECT_TRUE(layout.Panel.Selection().Empty());
    ASSERT_TRUE(layout.Panel.PasteClipboard());
    EXPECT_EQ(layout.Panel.ElementCount(), 3u);

    layout.Panel.SelectAll();
    layout.Panel.DeleteSelection();
    EXPECT_EQ(layout.Panel.ElementCount(), 0u);
}

TEST(PanelEditingTest, ElementMenuClipboardCommandsActOnTheSelectionOrTheElementAlone)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 20, 10, 10}, "A");
    TGGraphicControl& b = layout.Add({30, 20, 10, 10}, "B");
    TGGraphicControl& c = layout.Add({50, 20, 10, 10}, "C");
    layout.Panel.Selection().Select(a);
    layout.Panel.Selection().Select(b);
    // Not selected: the element alone.
    EXPECT_EQ(layout.Panel.RunElementCommand(c, ElementCommand::Delete), CommandOutcome::Done);
    EXPECT_EQ(layout.Names(), (Names{"A", "B"}));
    // Selected: the whole selection.
    EXPECT_EQ(layout.Panel.RunElementCommand(b, ElementCommand::Cut), CommandOutcome::Done);
    EXPECT_EQ(layout.Panel.ElementCount(), 0u);
    ASSERT_TRUE(layout.Panel.PasteClipboard());
    EXPECT_EQ(layout.Panel.ElementCount(), 2u);
    // Dialog commands are the designer's.
    TGGraphicControl& pasted = layout.Panel.ElementAt(0);
    EXPECT_EQ(layout.Panel.RunElementCommand(pasted, ElementCommand::ShapeBackgroundColor),
              CommandOutcome::NeedsDesigner);
    EXPECT_EQ(layout.Panel.RunElementCommand(pasted, ElementCommand::DataField), CommandOutcome::NotInMenu);
}

TEST(PanelEditingTest, UnselectableAndSendToBackFromTheElementMenu)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 20, 10, 10}, "A");
    TGGraphicControl& b = layout.Add({30, 20, 10, 10}, "B");
    layout.Panel.SelectAll();
    layout.Panel.RunElementCommand(a, ElementCommand::Unselectable);
    EXPECT_TRUE(a.Unselectable());
    EXPECT_EQ(layout.SelectedNames(), (Names{"B"}));
    layout.Panel.RunElementCommand(b, ElementCommand::SendToBack);
    EXPECT_EQ(layout.Names(), (Names{"B", "A"}));
    EXPECT_TRUE(layout.Panel.Selection().Empty());

    layout.Panel.SelectAll();
    EXPECT_EQ(layout.SelectedNames(), (Names{"B"}));
    layout.Panel.MarkAllSelectable();
    layout.Panel.SelectAll();
    EXPECT_EQ(layout.SelectedNames(), (Names{"B", "A"}));
    layout.Panel.MarkAllUnselectable();
    EXPECT_TRUE(layout.Panel.Selection().Empty());
}

TEST(PanelEditingTest, LockAndUnlockAll)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 20, 10, 10});
    TGGraphicControl& b = layout.Add({30, 20, 10, 10});
    layout.Panel.LockAll();
    EXPECT_TRUE(a.Locked() && b.Locked());
    layout.Panel.UnlockAll();
    EXPECT_FALSE(a.Locked() || b.Locked());
}

TEST(PanelEditingTest, CloneLandsBelowWithTheSmallestFreeNameInPlaceOfTheSelectedSource)
{
    Layout layout;
    layout.Owner.Add("Component0");
    layout.Owner.Add("Component2");
    TGGraphicControl& source = layout.Add({12, 10, 20, 10}, "Source");
    layout.Add({60, 40, 10, 10}, "Other");
    layout.Panel.Selection().Select(source);
    EXPECT_EQ(layout.Panel.RunElementCommand(source, ElementCommand::Clone), CommandOutcome::Done);
    ASSERT_EQ(layout.Panel.ElementCount(), 3u);
    const TGGraphicControl& copy = layout.Panel.ElementAt(2);
    EXPECT_EQ(copy.Name(), "Component1");
    EXPECT_EQ(copy.Bounds(), (PixelRect{12, 35, 20, 10}));
    EXPECT_EQ(layout.SelectedNames(), (Names{"Component1"}));

    // An unselected source leaves the selection alone.
    TGGraphicControl& other = layout.Panel.ElementAt(1);
    ASSERT_TRUE(layout.Panel.CloneElement(other));
    EXPECT_EQ(layout.SelectedNames(), (Names{"Component1"}));
    EXPECT_EQ(layout.Panel.ElementAt(3).Name(), "Component3");
}

// Three overlapping elements banded together keep their stacking through copy and paste and
// bring-to-front, because the band selects in paint order.
TEST(PanelEditingTest, RubberBandSelectsInPaintOrder)
{
    Layout layout;
    layout.Add({10, 10, 20, 20}, "Bottom");
    layout.Add({15, 15, 20, 20}, "Middle");
    layout.Add({20, 20, 20, 20}, "Top");
    layout.Add({70, 45, 5, 5}, "Away");
    layout.Panel.SelectInRect(NormalisedBand(45, 45, 5, 5), false);
    EXPECT_EQ(layout.SelectedNames(), (Names{"Bottom", "Middle", "Top"}));

    ASSERT_TRUE(layout.Panel.CopySelection());
    ASSERT_TRUE(layout.Panel.PasteClipboard());
    ASSERT_EQ(layout.Panel.ElementCount(), 7u);
    EXPECT_EQ(layout.Panel.ElementAt(4).Left(), 25);
    EXPECT_EQ(layout.Panel.ElementAt(5).Left(), 30);
    EXPECT_EQ(layout.Panel.ElementAt(6).Left(), 35);

    layout.Panel.BringSelectionToFront();
    EXPECT_EQ(layout.Names()[4], "Bottom");
    EXPECT_EQ(layout.Names()[6], "Top");
}

TEST(PanelEditingTest, RubberBandWithShiftTogglesAndAClickClears)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 10, 10, 10}, "A");
    layout.Add({40, 10, 10, 10}, "B");
    layout.Panel.Selection().Select(a);
    layout.Panel.SelectInRect(NormalisedBand(5, 5, 60, 30), true);
    EXPECT_EQ(layout.SelectedNames(), (Names{"B"}));
    layout.Panel.SelectInRect(NormalisedBand(80, 50, 80, 50), true);
    EXPECT_EQ(layout.SelectedNames(), (Names{"B"})) << "a Shift-click on the background keeps it";
    layout.Panel.SelectInRect(NormalisedBand(80, 50, 80, 50), false);
    EXPECT_TRUE(layout.Panel.Selection().Empty());
}

TEST(PanelEditingTest, ShiftPressOnTheHandleDeselectsTheElementUnderIt)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({10, 10, 10, 10}, "A");
    TGGraphicControl& b = layout.Add({40, 10, 10, 10}, "B");
    layout.Panel.Selection().Select(a);
    layout.Panel.Selection().Select(b);
    layout.Panel.DeselectAt(45, 15);
    EXPECT_EQ(layout.SelectedNames(), (Names{"A"}));
}

TEST(PanelEditingTest, ZoomAndBackRestoresTheBoundsAndSilencesChanges)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({3, 5, 41, 17});
    layout.Panel.Selection().Select(a);
    const int changes = layout.Changes;
    layout.Panel.SetZoom(2.0f);
    EXPECT_EQ(a.Bounds(), (PixelRect{6, 10, 82, 34}));
    EXPECT_EQ(layout.Panel.Width(), 200);
    EXPECT_EQ(layout.Panel.Selection().HandleBounds(), (PixelRect{4, 8, 88, 40}));
    layout.Panel.SetZoom(1.0f);
    EXPECT_EQ(a.Bounds(), (PixelRect{3, 5, 41, 17}));
    EXPECT_EQ(layout.Changes, changes);
}

// What is moved on screen at 200 % is saved, and printed, at the place the screen showed.
TEST(PanelEditingTest, DragAtAZoomPrintsWhereTheScreenShowedIt)
{
    Layout layout;
    TGGraphicControl& a = layout.Add({48, 24, 96, 48});
    layout.Panel.SetZoom(2.0f);
    layout.Panel.Selection().Select(a);
    layout.Panel.Selection().ApplyHandleBounds(layout.Panel.Selection().DraggedBounds(Grip::Move, 96, 48));
    EXPECT_EQ(a.Bounds(), (PixelRect{192, 96, 192, 96}));
    const std::string file = layout.Home.File("MOVED.LBL");
    ASSERT_TRUE(layout.Panel.SaveToFile(file));
    EXPECT_EQ(layout.Panel.Zoom(), 2.0f);

    ComponentOwner owner;
    TGLabelPanel printing(owner);
    ASSERT_TRUE(printing.LoadFromFile(file));
    RecordingSurface surface;
    printing.PrintElements(surface, 0.25, 0.5);
    ASSERT_FALSE(surface.Primitives().empty());
    const QRectF rect = surface.Primitives().front().Rect;
    EXPECT_DOUBLE_EQ(rect.left(), 0.25 + 1.0);
    EXPECT_DOUBLE_EQ(rect.top(), 0.5 + 0.5);
    EXPECT_DOUBLE_EQ(rect.width(), 1.0);
}

TEST(PanelEditingTest, TextToolAfterAClickCreatesAMinimumSizeElement)
{
    Layout layout;
    layout.Panel.SetPanelState(TPanelState::psLabel);
    EXPECT_FALSE(layout.Panel.Pointing());
    TGGraphicControl* created = layout.Panel.CreateElement(NormalisedBand(40, 30, 40, 30));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->Bounds(), (PixelRect{40, 30, 50, 15}));
    EXPECT_EQ(created->Name(), "Special1");
    layout.Panel.FinishNewElement(*created);
    EXPECT_GE(created->Width(), 50);
    EXPECT_GE(created->Height(), 15);

    layout.Panel.SetPanelState(TPanelState::psPointing);
    EXPECT_EQ(layout.Panel.CreateElement({1, 1, 30, 30}), nullptr);
}

} // namespace
} // namespace corvane
