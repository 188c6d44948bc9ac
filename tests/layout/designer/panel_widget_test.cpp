// The design panel widget driven by mouse and keys: selecting, dragging, quick clicks, grip resizes
// with snapping, rubber bands, the clipboard keys with the paste guard, Delete, arrow nudges, new
// elements with a tool, pop-up menus, the grid as painted, and zoom.

#include <QAction>
#include <QFontDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "layout/ComponentOwner.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGPLabel.h"
#include "layout/designer/TGDesignPanel.h"
#include "layout/designer/TGHandle.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/MessageService.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

struct Designer {
    testing::ScratchHome Home;
    ComponentOwner Owner;
    TGLabelPanel Model{Owner};
    TGDesignPanel Panel{Model};
    int64_t Now = 100000;

    Designer()
    {
        Panel.SetDesignSize(200, 120);
        Panel.SetTickSource([this] { return Now; });
        Panel.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Panel));
    }
    TGGraphicControl& Add(PixelRect bounds, const std::string& name = {})
    {
        auto element = std::make_unique<TGLabelShapes>();
        element->SetDesignBounds(bounds);
        if (!name.empty())
            (void)element->SetName(name);
        TGGraphicControl& e = Model.InsertElement(std::move(element));
        e.BuildMenu();
        return e;
    }
    TGHandle& Handle() { return Panel.Handle(); }
    std::vector<std::string> SelectedNames() const
    {
        std::vector<std::string> names;
        for (const TGGraphicControl* e : Model.Selection().Elements())
            names.push_back(e->Name());
        return names;
    }
    QAction* MenuAction(const QString& caption) const
    {
        QMenu* menu = Panel.OpenedMenu();
        if (!menu)
            return nullptr;
        for (QAction* action : menu->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }
};

using Names = std::vector<std::string>;

TEST(PanelWidgetTest, PressSelectsAndADragMovesTheElementOnRelease)
{
    Designer d;
    TGGraphicControl& e = d.Add({20, 20, 40, 20});
    QTest::mousePress(&d.Panel, Qt::LeftButton, {}, QPoint(30, 30));
    ASSERT_EQ(d.Model.Selection().Count(), 1);
    EXPECT_TRUE(d.Handle().isVisible());
    EXPECT_EQ(d.Handle().geometry(), QRect(18, 18, 45, 25));

    d.Now += 20; // a held button starts the drag after 10 ms
    QTest::mouseMove(&d.Panel, QPoint(30, 30));
    d.Now += 200;
    QTest::mouseMove(&d.Panel, QPoint(50, 40));
    EXPECT_FALSE(d.Panel.FeedbackOutline().isNull());
    EXPECT_EQ(e.Bounds(), (PixelRect{20, 20, 40, 20})) << "elements move once, on release";
    QTest::mouseRelease(&d.Panel, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_EQ(e.Bounds(), (PixelRect{40, 30, 40, 20}));
    EXPECT_TRUE(d.Panel.FeedbackOutline().isNull());

    QCoreApplication::processEvents(); // the posted resync
    EXPECT_EQ(d.Handle().geometry(), QRect(38, 28, 46, 26));
}

TEST(PanelWidgetTest, QuickClickOnTheSelectionMovesNothing)
{
    Designer d;
    TGGraphicControl& e = d.Add({20, 20, 40, 20});
    d.Panel.SelectElement(e);
    QTest::mousePress(&d.Handle(), Qt::LeftButton, {}, QPoint(20, 14));
    EXPECT_TRUE(d.Handle().Dragging());
    d.Now += 100;
    QTest::mouseMove(&d.Handle(), QPoint(24, 17));
    QTest::mouseRelease(&d.Handle(), Qt::LeftButton, {}, QPoint(24, 17));
    EXPECT_EQ(e.Bounds(), (PixelRect{20, 20, 40, 20}));
}

TEST(PanelWidgetTest, GripDragResizesWithSnapping)
{
    Designer d;
    TGGraphicControl& e = d.Add({20, 20, 40, 20});
    d.Panel.SetSnapToGrid(true); // the 4-pixel grid the windows use
    d.Panel.SelectElement(e);
    QTest::mousePress(&d.Handle(), Qt::LeftButton, {}, QPoint(45, 25));
    EXPECT_EQ(d.Handle().CurrentGrip(), Grip::BottomRight);
    d.Now += 200;
    QTest::mouseMove(&d.Handle(), QPoint(55, 31));
    QTest::mouseRelease(&d.Handle(), Qt::LeftButton, {}, QPoint(55, 31));
    EXPECT_EQ(e.Bounds(), (PixelRect{20, 20, 46, 22}));

    // A drag far past the opposite edge leaves a small but real element.
    QCoreApplication::processEvents();
    const QRect h = d.Handle().geometry();
    QTest::mousePress(&d.Handle(), Qt::LeftButton, {}, QPoint(h.width(), h.height() / 2));
    EXPECT_EQ(d.Handle().CurrentGrip(), Grip::Right);
    d.Now += 200;
    QTest::mouseMove(&d.Handle(), QPoint(-100, h.height() / 2));
    QTest::mouseRelease(&d.Handle(), Qt::LeftButton, {}, QPoint(-100, h.height() / 2));
    EXPECT_EQ(e.Width(), MinimumElementSize);
}

TEST(PanelWidgetTest, RubberBandSelectsInPaintOrderAndAClickClears)
{
    Designer d;
    d.Add({10, 10, 20, 20}, "Under");
    d.Add({15, 15, 20, 20}, "Over");
    d.Add({150, 90, 10, 10}, "Away");
    QTest::mousePress(&d.Panel, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(&d.Panel, QPoint(5, 5));
    QTest::mouseRelease(&d.Panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(d.SelectedNames(), (Names{"Under", "Over"}));

    QTest::mouseClick(&d.Panel, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 100));
    EXPECT_EQ(d.Model.Selection().Count(), 2) << "Shift keeps the selection";
    QTest::mouseClick(&d.Panel, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(d.Model.Selection().Empty());
}

TEST(PanelWidgetTest, ShiftPressOnTheHandleDeselectsTheElementUnderIt)
{
    Designer d;
    TGGraphicControl& a = d.Add({10, 10, 20, 20}, "A");
    TGGraphicControl& b = d.Add({50, 10, 20, 20}, "B");
    d.Panel.SelectElement(a);
    d.Panel.SelectElement(b);
    // Handle at (8, 8): B's middle is at (60, 20) on the panel.
    QTest::mousePress(&d.Handle(), Qt::LeftButton, Qt::ShiftModifier, QPoint(52, 12));
    QTest::mouseRelease(&d.Handle(), Qt::LeftButton, Qt::ShiftModifier, QPoint(52, 12));
    EXPECT_EQ(d.SelectedNames(), (Names{"A"}));
}

TEST(PanelWidgetTest, ClipboardKeysAndDelete)
{
    Designer d;
    TGGraphicControl& e = d.Add({20, 20, 40, 20});
    d.Panel.SelectElement(e);
    QTest::keyClick(&d.Panel, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(d.Model.ClipboardHasContent());
    QTest::keyClick(&d.Panel, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(d.Model.ElementCount(), 2u);
    EXPECT_EQ(d.Model.ElementAt(1).Bounds(), (PixelRect{35, 35, 40, 20}));
    QTest::keyClick(&d.Panel, Qt::Key_V, Qt::ControlModifier); // within the second
    EXPECT_EQ(d.Model.ElementCount(), 2u);
    d.Now += 1000;
    QTest::keyClick(&d.Panel, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d.Model.ElementCount(), 3u);

    QTest::keyClick(&d.Panel, Qt::Key_Delete);
    EXPECT_EQ(d.Model.ElementCount(), 2u);
    EXPECT_TRUE(d.Model.Selection().Empty());

    d.Panel.SelectElement(d.Model.ElementAt(0));
    QTest::keyClick(&d.Panel, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(d.Model.ElementCount(), 1u);
}

TEST(PanelWidgetTest, CopyThatCannotBeWrittenIsReportedAndLeavesTheClipboard)
{
    Designer d;
    RecordingMessageService messages;
    ScopedMessageService scoped(messages);
    auto label = std::make_unique<TGPLabel>();
    label->SetCaption("\xE6\xBC\xA2"); // a character the layout format's code page lacks
    label->SetDesignBounds({10, 10, 60, 20});
    TGGraphicControl& e = d.Model.InsertElement(std::move(label));
    e.BuildMenu();
    d.Panel.SelectElement(e);
    QTest::keyClick(&d.Panel, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(messages.Messages.size(), 1u);
    EXPECT_FALSE(d.Model.ClipboardHasContent());
    QTest::keyClick(&d.Panel, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(d.Model.ElementCount(), 1u) << "a failed cut deletes nothing";
}

TEST(PanelWidgetTest, ArrowKeysNudgeAndApplyOnRelease)
{
    Designer d;
    TGGraphicControl& e = d.Add({20, 20, 11, 12});
    d.Panel.SelectElement(e);
    for (int i = 0; i < 3; ++i)
        QTest::keyPress(&d.Panel, Qt::Key_Right);
    EXPECT_EQ(d.Panel.FeedbackOutline(), QRect(23, 20, 11, 12));
    EXPECT_EQ(e.Left(), 20);
    QTest::keyRelease(&d.Panel, Qt::Key_Right);
    EXPECT_EQ(e.Bounds(), (PixelRect{23, 20, 11, 12}));
    EXPECT_TRUE(d.Panel.FeedbackOutline().isNull());

    QTest::keyPress(&d.Panel, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyRelease(&d.Panel, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyPress(&d.Panel, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyRelease(&d.Panel, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(e.Bounds(), (PixelRect{23, 20, 10, 12}));
}

TEST(PanelWidgetTest, ToolDrawsANewElementAndReportsTheDrop)
{
    Designer d;
    QSignalSpy dropped(&d.Panel, &TGDesignPanel::droppedObject);
    PixelRect reported;
    d.Model.DroppedObjectEvent = [&](const PixelRect& r) { reported = r; };
    d.Panel.SetTool(TPanelState::psRectangle);
    QTest::mouseClick(&d.Panel, Qt::LeftButton, {}, QPoint(40, 30));
    ASSERT_EQ(d.Model.ElementCount(), 1u);
    EXPECT_EQ(d.Model.ElementAt(0).Bounds(), (PixelRect{40, 30, 50, 15}));
    EXPECT_EQ(d.Model.ElementAt(0).Name(), "Special1");
    EXPECT_EQ(dropped.count(), 1);
    EXPECT_EQ(reported, (PixelRect{40, 30, 0, 0}));
    EXPECT_TRUE(d.Model.Selection().Empty());

    // Drawn over the first one, the band still makes a new element.
    QTest::mousePress(&d.Panel, Qt::LeftButton, {}, QPoint(45, 35));
    QTest::mouseMove(&d.Panel, QPoint(95, 75));
    QTest::mouseRelease(&d.Panel, Qt::LeftButton, {}, QPoint(95, 75));
    ASSERT_EQ(d.Model.ElementCount(), 2u);
    EXPECT_EQ(d.Model.ElementAt(1).Bounds(), (PixelRect{45, 35, 50, 40}));
}

TEST(PanelWidgetTest, TextToolOpensTheNewElementsDialogBeforeReportingTheDrop)
{
    Designer d;
    std::vector<std::string> opened;
    QSignalSpy dropped(&d.Panel, &TGDesignPanel::droppedObject);
    ScopedDialogRunner runner([&](QDialog& dialog) {
        opened.push_back(dialog.objectName().toStdString());
        EXPECT_EQ(dropped.count(), 0);
        return int(QDialog::Rejected);
    });
    d.Panel.SetTool(TPanelState::psLabel);
    QTest::mouseClick(&d.Panel, Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(opened.size(), 1u);
    ASSERT_EQ(d.Model.ElementCount(), 1u);
    const auto& label = static_cast<const TGPLabel&>(d.Model.ElementAt(0));
    EXPECT_EQ(label.Caption(), "<text>");
    EXPECT_EQ(label.Left(), 40);
    EXPECT_GE(label.Width(), 50);
    EXPECT_EQ(dropped.count(), 1);
}

TEST(PanelWidgetTest, RightClicksOpenTheElementOrThePanelMenu)
{
    Designer d;
    TGGraphicControl& e = d.Add({20, 20, 40, 20});
    QTest::mousePress(&d.Panel, Qt::RightButton, {}, QPoint(30, 30));
    QTest::mouseRelease(&d.Panel, Qt::RightButton, {}, QPoint(30, 30));
    ASSERT_NE(d.Panel.OpenedMenu(), nullptr);
    EXPECT_EQ(d.Panel.OpenedMenu()->objectName(), "ElementMenu");
    QAction* locked = d.MenuAction("Locked");
    ASSERT_NE(locked, nullptr);
    EXPECT_FALSE(locked->isChecked());
    locked->trigger();
    EXPECT_TRUE(e.Locked());

    d.Panel.OpenedMenu()->hide();
    QTest::mousePress(&d.Panel, Qt::RightButton, {}, QPoint(150, 100));
    QTest::mouseRelease(&d.Panel, Qt::RightButton, {}, QPoint(150, 100));
    ASSERT_NE(d.Panel.OpenedMenu(), nullptr);
    EXPECT_EQ(d.Panel.OpenedMenu()->objectName(), "PanelMenu");
    EXPECT_FALSE(d.MenuAction("Paste")->isEnabled()) << "no clipboard file yet";
    EXPECT_TRUE(d.MenuAction("Unlock All")->isEnabled());
    d.MenuAction("Unlock All")->trigger();
    EXPECT_FALSE(e.Locked());

    // An unselectable element's clicks belong to the panel.
    d.Panel.OpenedMenu()->hide();
    d.Panel.RunElementCommand(e, ElementCommand::Unselectable);
    QTest::mousePress(&d.Panel, Qt::RightButton, {}, QPoint(30, 30));
    EXPECT_EQ(d.Panel.OpenedMenu()->objectName(), "PanelMenu");
    d.MenuAction("Mark All Selectable")->trigger();
    d.Panel.OpenedMenu()->hide();
    EXPECT_FALSE(e.Unselectable());
}

TEST(PanelWidgetTest, ShiftPressOnAnElementAddsItAndChangesAreSignalled)
{
    Designer d;
    TGGraphicControl& a = d.Add({10, 10, 20, 20}, "A");
    d.Add({50, 10, 20, 20}, "B");
    int windowChanges = 0;
    d.Model.LabelChangedEvent = [&](TGBasePanel&) { ++windowChanges; };
    QSignalSpy changed(&d.Panel, &TGDesignPanel::labelChanged);
    QSignalSpy selection(&d.Panel, &TGDesignPanel::selectionChanged);
    d.Panel.SelectElement(a);
    QTest::mousePress(&d.Panel, Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 20));
    QTest::mouseRelease(&d.Panel, Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 20));
    EXPECT_EQ(d.SelectedNames(), (Names{"A", "B"}));
    EXPECT_GT(selection.count(), 0);
    d.Model.AlignTops();
    EXPECT_GT(changed.count(), 0);
    EXPECT_EQ(windowChanges, changed.count());
}

TEST(PanelWidgetTest, DoubleClicksOpenTheElementMenuOrReachTheWindow)
{
    Designer d;
    d.Add({20, 20, 40, 20});
    QSignalSpy doubled(&d.Panel, &TGDesignPanel::doubleClicked);
    QTest::mouseDClick(&d.Panel, Qt::LeftButton, {}, QPoint(30, 30));
    ASSERT_NE(d.Panel.OpenedMenu(), nullptr);
    EXPECT_EQ(d.Panel.OpenedMenu()->objectName(), "ElementMenu");
    d.Panel.OpenedMenu()->hide();
    QTest::mouseDClick(&d.Panel, Qt::LeftButton, {}, QPoint(150, 100));
    EXPECT_EQ(doubled.count(), 1);
}

TEST(PanelWidgetTest, FontCommandGivesTheChosenFontToTheSelection)
{
    Designer d;
    auto make = [&](PixelRect r) -> TGPLabel& {
        auto label = std::make_unique<TGPLabel>();
        label->SetDesignBounds(r);
        auto& e = static_cast<TGPLabel&>(d.Model.InsertElement(std::move(label)));
        e.BuildMenu();
        return e;
    };
    TGPLabel& first = make({10, 10, 60, 20});
    TGPLabel& second = make({10, 40, 60, 20});
    TGPLabel& other = make({10, 70, 60, 20});
    d.Panel.SelectElement(first);
    d.Panel.SelectElement(second);
    ScopedDialogRunner runner([](QDialog& dialog) {
        static_cast<QFontDialog&>(dialog).setCurrentFont(QFont("Liberation Serif", 20));
        return int(QDialog::Accepted);
    });
    QSignalSpy changed(&d.Panel, &TGDesignPanel::labelChanged);
    d.Panel.ChooseFontForSelection();
    EXPECT_GE(changed.count(), 1) << "a new font is a change of the layout";
    const int32_t height = TGFont::HeightOfPoints(20, d.Model.PixelsPerInch());
    EXPECT_EQ(first.Font().Height, height);
    EXPECT_EQ(second.Font().Height, height);
    EXPECT_NE(other.Font().Height, height);
}

TEST(PanelWidgetTest, ModelOutlivesTheWidget)
{
    testing::ScratchHome home;
    ComponentOwner owner;
    TGLabelPanel model(owner);
    model.SetSize(100, 60);
    auto element = std::make_unique<TGLabelShapes>();
    TGGraphicControl& e = model.InsertElement(std::move(element));
    {
        TGDesignPanel panel(model);
        panel.SelectElement(e);
    }
    model.Selection().Clear();
    e.SetLeft(30);
    model.RaiseLabelChanged();
    EXPECT_EQ(e.Left(), 30);
}

TEST(PanelWidgetTest, GridDotsLieAtTwoModuloTheStep)
{
    Designer d;
    d.Panel.SetShape(TLabelShape::lsRectangle);
    d.Panel.SetShowGrid(true);
    const QRgb green = qRgb(0, 128, 0);
    QImage image = d.Panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(2, 2), green);
    EXPECT_EQ(image.pixel(6, 2), green);
    EXPECT_EQ(image.pixel(2, 6), green);
    EXPECT_EQ(image.pixel(3, 2), qRgb(255, 255, 255));

    d.Panel.SetGridSize(TGridSize::gs8x8);
    image = d.Panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(2, 2), green);
    EXPECT_EQ(image.pixel(10, 2), green);
    EXPECT_EQ(image.pixel(6, 2), qRgb(255, 255, 255));
}

TEST(PanelWidgetTest, BackgroundPictureIsStretchedUnderTheGrid)
{
    Designer d;
    d.Panel.SetShape(TLabelShape::lsRectangle);
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    d.Panel.SetPicture(red);
    d.Panel.SetShowGrid(true);
    const QImage image = d.Panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(150, 100), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(6, 6), qRgb(0, 0, 0)) << "a grid dot combined with the picture by AND";
    d.Panel.SetPicture(QImage());
    EXPECT_EQ(d.Panel.grab().toImage().pixel(150, 100), qRgb(255, 255, 255));
}

TEST(PanelWidgetTest, ZoomInWholePercentScalesAndRestores)
{
    Designer d;
    TGGraphicControl& e = d.Add({3, 5, 41, 17});
    QSignalSpy zoomed(&d.Panel, &TGDesignPanel::zoomChanged);
    d.Panel.SetZoomPercent(200);
    EXPECT_EQ(d.Panel.size(), QSize(400, 240));
    EXPECT_EQ(e.Bounds(), (PixelRect{6, 10, 82, 34}));
    for (int percent = 100; percent <= 160; percent += 10)
        d.Panel.SetZoomPercent(percent);
    EXPECT_EQ(d.Panel.ZoomPercent(), 160);
    d.Panel.SetZoomPercent(100);
    EXPECT_EQ(e.Bounds(), (PixelRect{3, 5, 41, 17}));
    EXPECT_EQ(d.Panel.size(), QSize(200, 120));
    EXPECT_EQ(zoomed.count(), 9);
}

} // namespace
} // namespace corvane
