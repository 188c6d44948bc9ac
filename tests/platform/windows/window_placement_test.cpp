#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/windows/WindowPlacement.h"
#include "support/ScratchFolder.h"

namespace corvane {

// Stands in for a resizable window class such as the browse window.
class TPlacementTestWindow : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
};

namespace {

struct FitCase {
    const char* Name;
    SavedPlacement Saved;
    QRect Screen;
    std::optional<QRect> Expected; // empty: centre the window
};

class FitSavedPlacementTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitSavedPlacementTest, PullsTheRectangleBackAtRightAndBottomOnly)
{
    const FitCase& row = GetParam();
    EXPECT_EQ(FitSavedPlacement(row.Saved, row.Screen), row.Expected);
}

const QRect FullHd(0, 0, 1920, 1080);

INSTANTIATE_TEST_SUITE_P(
    Cases, FitSavedPlacementTest,
    ::testing::Values(
        FitCase{"NothingSaved", {100, 100, 600, 0}, FullHd, std::nullopt},
        FitCase{"Inside", {100, 50, 900, 650}, FullHd, QRect(100, 50, 800, 600)},
        FitCase{"TouchingTheEdges", {1120, 480, 1920, 1080}, FullHd, QRect(1120, 480, 800, 600)},
        FitCase{"PastTheRight", {1500, 50, 2300, 650}, FullHd, QRect(1120, 50, 800, 600)},
        FitCase{"PastTheBottom", {100, 700, 900, 1300}, FullHd, QRect(100, 480, 800, 600)},
        FitCase{"PastBoth", {1500, 700, 2300, 1300}, FullHd, QRect(1120, 480, 800, 600)},
        // Only the right and bottom edges are pulled in: a window wider than the screen keeps
        // its width and starts left of the screen.
        FitCase{"WiderThanTheScreen", {0, 0, 2000, 500}, FullHd, QRect(-80, 0, 2000, 500)},
        FitCase{"LeftOfTheScreenStaysThere", {-50, -20, 750, 580}, FullHd, QRect(-50, -20, 800, 600)},
        FitCase{"SecondScreenToTheRight",
                {2000, 100, 2800, 700},
                QRect(1920, 0, 1280, 1024),
                QRect(2000, 100, 800, 600)},
        FitCase{"PastASecondScreen",
                {2900, 100, 3700, 700},
                QRect(1920, 0, 1280, 1024),
                QRect(2400, 100, 800, 600)},
        FitCase{"NoWidth", {500, 100, 500, 700}, FullHd, std::nullopt},
        FitCase{"UpsideDown", {100, 700, 900, 100}, FullHd, std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PlacementSectionName, CarriesTheDensityAbove96DotsPerInch)
{
    EXPECT_EQ(PlacementSectionName("TAddressMain", 96), "TAddressMain_Placement");
    EXPECT_EQ(PlacementSectionName("TAddressMain", 72), "TAddressMain_Placement");
    EXPECT_EQ(PlacementSectionName("TAddressMain", 120), "TAddressMain_Placement120");
    EXPECT_EQ(PlacementSectionName("TAddressBrowseForm", 144), "TAddressBrowseForm_Placement144");
}

class WindowPlacementTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (FWindow.logicalDpiY() != 96)
            GTEST_SKIP() << "the test screen is expected at 96 dpi";
    }
    std::string Section() const { return "TPlacementTestWindow_Placement"; }
    QRect Screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    xbase::testing::ScratchFolder FFolder;
    Settings FSettings{FFolder.File("CORVAN.ini")};
    TPlacementTestWindow FWindow;
};

TEST_F(WindowPlacementTest, TheSectionIsNamedAfterTheClassWithoutNamespace)
{
    EXPECT_EQ(WindowClassName(&FWindow), "TPlacementTestWindow");
}

TEST_F(WindowPlacementTest, SavedRectangleComesBack)
{
    FWindow.setGeometry(40, 60, 400, 300);
    SaveWindowPlacement(&FWindow, FSettings);
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Left", -1), 40);
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Top", -1), 60);
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Right", -1), 440);
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Bottom", -1), 360);
    EXPECT_EQ(FSettings.ReadString(Section(), "Maximized"), "0");

    TPlacementTestWindow again;
    RestoreWindowPlacement(&again, FSettings);
    EXPECT_EQ(again.geometry(), QRect(40, 60, 400, 300));
    EXPECT_FALSE(again.isMaximized());
}

TEST_F(WindowPlacementTest, NothingSavedCentresAndSavesAtOnce)
{
    FWindow.resize(300, 200);
    RestoreWindowPlacement(&FWindow, FSettings);
    const QRect screen = Screen();
    EXPECT_EQ(FWindow.pos(), CentredPosition(QSize(300, 200), screen));
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Right", 0), FWindow.x() + 300);
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Bottom", 0), FWindow.y() + 200);
}

TEST_F(WindowPlacementTest, APlacementOfA120DpiScreenIsNotUsedAt96)
{
    const std::string section120 = PlacementSectionName("TPlacementTestWindow", 120).toStdString();
    ASSERT_TRUE(FSettings.WriteInteger(section120, "Left", 10));
    ASSERT_TRUE(FSettings.WriteInteger(section120, "Top", 10));
    ASSERT_TRUE(FSettings.WriteInteger(section120, "Right", 210));
    ASSERT_TRUE(FSettings.WriteInteger(section120, "Bottom", 110));
    FWindow.resize(300, 200);
    RestoreWindowPlacement(&FWindow, FSettings);
    EXPECT_EQ(FWindow.size(), QSize(300, 200));
    EXPECT_EQ(FWindow.pos(), CentredPosition(QSize(300, 200), Screen()));
    EXPECT_EQ(FSettings.ReadInteger(section120, "Right", 0), 210); // left for the other screen
}

TEST_F(WindowPlacementTest, AnOversizedRectangleIsPulledInAndWrittenBack)
{
    const QRect screen = Screen();
    ASSERT_TRUE(FSettings.WriteInteger(Section(), "Left", screen.right() - 99));
    ASSERT_TRUE(FSettings.WriteInteger(Section(), "Top", 20));
    ASSERT_TRUE(FSettings.WriteInteger(Section(), "Right", screen.right() + 101));
    ASSERT_TRUE(FSettings.WriteInteger(Section(), "Bottom", 220));
    RestoreWindowPlacement(&FWindow, FSettings);
    EXPECT_EQ(FWindow.geometry(), QRect(screen.right() + 1 - 200, 20, 200, 200));
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Right", 0), screen.right() + 1);
}

TEST_F(WindowPlacementTest, MaximizedWindowKeepsItsNormalRectangle)
{
    ASSERT_TRUE(FSettings.WriteInteger(Section(), "Left", 30));
    ASSERT_TRUE(FSettings.WriteInteger(Section(), "Top", 40));
    ASSERT_TRUE(FSettings.WriteInteger(Section(), "Right", 430));
    ASSERT_TRUE(FSettings.WriteInteger(Section(), "Bottom", 340));
    ASSERT_TRUE(FSettings.WriteBool(Section(), "Maximized", true));
    RestoreWindowPlacement(&FWindow, FSettings);
    FWindow.show();
    EXPECT_TRUE(FWindow.isMaximized());

    SaveWindowPlacement(&FWindow, FSettings);
    EXPECT_EQ(FSettings.ReadString(Section(), "Maximized"), "1");
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Left", 0), 30);
    EXPECT_EQ(FSettings.ReadInteger(Section(), "Bottom", 0), 340);
}

TEST(CentreForm, OverTheMainWindowUnlessItIsMaximized)
{
    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 800, 600);
    mainWindow.show();
    const QRect main = mainWindow.frameGeometry();
    QDialog dialog(&mainWindow);
    dialog.resize(200, 100);
    CentreForm(&dialog);
    EXPECT_EQ(dialog.pos(),
              QPoint(main.x() + (main.width() - 200) / 2, main.y() + (main.height() - 100) / 2));

    // A window opened from that dialog is still centred over the main window.
    QDialog inner(&dialog);
    inner.resize(100, 50);
    CentreForm(&inner);
    EXPECT_EQ(inner.pos(), QPoint(main.x() + (main.width() - 100) / 2, main.y() + (main.height() - 50) / 2));

    mainWindow.showMaximized();
    CentreForm(&dialog);
    EXPECT_EQ(dialog.pos(), CentredPosition(QSize(200, 100), mainWindow.screen()->availableGeometry()));
}

} // namespace
} // namespace corvane

#include "window_placement_test.moc"
