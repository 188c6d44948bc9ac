// "Labels Print", the position dialog: the sheet picture to scale, clicking positions, All and
// None, the check that a position of this sheet is selected, and copies hidden with presort.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "labels/windows/TSelectSpecificLabels.h"
#include "platform/MessageService.h"

namespace corvane {
namespace {

class PositionDialogTest : public ::testing::Test {
  protected:
    std::unique_ptr<TSelectSpecificLabels> Open(const LabelSetup& setup, const LabelPositions& positions,
                                                bool presort = false)
    {
        auto dialog = std::make_unique<TSelectSpecificLabels>(
            setup, positions, QStringList{"Office", "Corvane PDF"}, 1, presort, 3);
        dialog->show();
        return dialog;
    }
    void Click(TSelectSpecificLabels& dialog, int position)
    {
        QTest::mouseClick(dialog.SheetPicture, Qt::LeftButton, {},
                          dialog.SheetPicture->PositionRect(position).center());
    }

    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
};

TEST_F(PositionDialogTest, ClickingAPositionTurnsItOffAndOnAgain)
{
    auto dialog = Open(LabelSetup{}, AllLabelPositions());
    EXPECT_EQ(dialog->windowTitle(), "Labels Print");
    EXPECT_EQ(dialog->SheetPanel->title(), " Select Labels To Print");
    Click(*dialog, 4);
    EXPECT_FALSE(dialog->Positions().test(4));
    EXPECT_EQ(dialog->Positions().count(), MaxLabelPositions - 1u);
    Click(*dialog, 4);
    EXPECT_TRUE(dialog->Positions().test(4));
    // Between the labels of the default stock there is no position to hit.
    const QRect first = dialog->SheetPicture->PositionRect(0);
    QTest::mouseClick(dialog->SheetPicture, Qt::LeftButton, {},
                      QPoint(first.right() + 3, first.center().y()));
    EXPECT_TRUE(dialog->Positions().all());
}

TEST_F(PositionDialogTest, NoneThenOkIsRefusedAndAllThenOkIsTaken)
{
    auto dialog = Open(LabelSetup{}, AllLabelPositions());
    QTest::mouseClick(dialog->NoneButton, Qt::LeftButton);
    EXPECT_TRUE(dialog->Positions().none());
    QTest::mouseClick(dialog->OkButton, Qt::LeftButton);
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{"You must select at least one card to print"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    QTest::mouseClick(dialog->AllButton, Qt::LeftButton);
    EXPECT_TRUE(dialog->Positions().all());
    QTest::mouseClick(dialog->OkButton, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Copies(), 3);
    EXPECT_EQ(dialog->PrinterIndex(), 1);
}

TEST_F(PositionDialogTest, FlagsBeyondTheSheetDoNotCountAsASelection)
{
    // Kept from a larger setup: the 30-position sheet has none of its own selected.
    LabelPositions kept;
    kept.set(30);
    kept.set(MaxLabelPositions - 1);
    auto dialog = Open(LabelSetup{}, kept);
    QTest::mouseClick(dialog->OkButton, Qt::LeftButton);
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{"You must select at least one card to print"});
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

TEST_F(PositionDialogTest, EveryPositionOfTheLargestSheetCanBeClicked)
{
    LabelSetup setup;
    setup.Across = 10;
    setup.Down = 30;
    setup.LabelWidth = 0.75f;
    setup.LabelHeight = 0.3f;
    setup.HorizontalPitch = 0.8f;
    setup.VerticalPitch = 0.35f;
    setup.LeftMargin = 0.25f;
    setup.TopMargin = 0.2f;
    auto dialog = Open(setup, LabelPositions{});
    Click(*dialog, MaxLabelPositions - 1);
    EXPECT_TRUE(dialog->Positions().test(MaxLabelPositions - 1));
    EXPECT_EQ(dialog->Positions().count(), 1u);
    QTest::mouseClick(dialog->OkButton, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(PositionDialogTest, CopiesAreOfferedOnlyWithoutPresort)
{
    for (bool presort : {false, true}) {
        auto dialog = Open(LabelSetup{}, AllLabelPositions(), presort);
        EXPECT_EQ(dialog->CopiesSpin->isVisible(), !presort) << presort;
        EXPECT_EQ(dialog->CopiesLabel->isVisible(), !presort) << presort;
        EXPECT_EQ(dialog->CopiesSpin->minimum(), 1);
        EXPECT_EQ(dialog->CopiesSpin->maximum(), 99);
    }
}

struct PictureCase {
    const char* Name;
    int Across;
    double MiddleExtraX;
    int Column;
    int ExpectedLeft;
};

class SheetPictureTest : public ::testing::TestWithParam<PictureCase> {};

// At 96 pixels per inch a picture inch is 19.2 pixels; every length is cut on its own:
// margin 0.188 -> 3, pitch 2.765 -> 53, extra 0.125 -> 2.
TEST_P(SheetPictureTest, PositionsFollowMarginPitchAndTheMiddleExtra)
{
    const PictureCase& row = GetParam();
    LabelSetup setup;
    setup.Across = row.Across;
    setup.MiddleExtraX = row.MiddleExtraX;
    const QRect box = SheetPictureGeometry::Position(setup, row.Column, 0, 19.2);
    EXPECT_EQ(box.left(), row.ExpectedLeft);
    EXPECT_EQ(box.top(), 10 + 9); // 0.5 inch top margin
    EXPECT_EQ(box.width(), 50);   // 2.625 inches
    EXPECT_EQ(box.height(), 19);  // 1 inch
    EXPECT_EQ(SheetPictureGeometry::Page(setup, 19.2), QRect(10, 10, 163, 211));
}

INSTANTIATE_TEST_SUITE_P(Columns, SheetPictureTest,
                         ::testing::Values(PictureCase{"FirstColumn", 3, 0.0, 0, 13},
                                           PictureCase{"ThirdColumn", 3, 0.0, 2, 119},
                                           PictureCase{"SecondOfTwoWithExtra", 2, 0.125, 1, 68},
                                           PictureCase{"FirstOfTwoWithExtra", 2, 0.125, 0, 13},
                                           PictureCase{"OnlyColumnTakesTheExtra", 1, 0.125, 0, 15}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace corvane
