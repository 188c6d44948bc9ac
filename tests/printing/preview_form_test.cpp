#include <gtest/gtest.h>

#include <cmath>

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "platform/Settings.h"
#include "platform/windows/WindowPlacement.h"
#include "printing/pages/PageRecorder.h"
#include "printing/windows/TPreviewForm.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

// A recording of `pages` Letter pages, each with a square on it.
std::unique_ptr<PageRecorder> Pages(int pages)
{
    auto recorder = std::make_unique<PageRecorder>(QSizeF(8.5, 11));
    PrintJob job;
    job.PrintPages = [pages](PageSink& sink) {
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                sink.NewPage();
            sink.Painter().fillRect(QRect(600, 600, 600, 600), Qt::black);
        }
    };
    RunPrintJob(*recorder, job);
    return recorder;
}

QString Caption(int page, int pages, double zoom)
{
    return QString("Preview Page %1 of %2 ( %3% )").arg(page).arg(pages).arg(std::lround(zoom));
}

std::vector<QToolButton*> PageButtons(const TPreviewForm& form)
{
    return {form.FirstPageButton, form.PriorPageButton, form.NextPageButton, form.LastPageButton};
}

class PreviewFormTest : public ::testing::Test {
  protected:
    testing::ScratchHome FHome; // placements go to a scratch settings file
};

TEST_F(PreviewFormTest, AThreePagePreviewStartsAtPageWidthAndItsCaptionFollowsThePage)
{
    auto pages = Pages(3);
    TPreviewForm form(*pages, "Preview Labels", PreviewZoom::PageWidth);
    EXPECT_EQ(form.windowTitle(), "Preview Labels");
    form.show();

    EXPECT_DOUBLE_EQ(form.Zoom(), form.PageWidthZoom());
    EXPECT_EQ(form.windowTitle(), Caption(1, 3, form.Zoom()));
    for (QToolButton* button : PageButtons(form))
        EXPECT_FALSE(button->isHidden()) << button->objectName().toStdString();
    // The page with its margin fills the box's width, leaving room for the vertical scroll bar.
    const int room = form.ScrollBox->maximumViewportSize().width();
    EXPECT_LE(form.PageImage->width(), room);
    EXPECT_GT(form.PageImage->width(), room * 0.9);
    EXPECT_FALSE(form.ScrollBox->horizontalScrollBar()->isVisible());

    struct Step {
        QToolButton* Button;
        int Page;
    };
    for (const Step& step :
         {Step{form.NextPageButton, 2}, Step{form.LastPageButton, 3}, Step{form.NextPageButton, 3},
          Step{form.PriorPageButton, 2}, Step{form.FirstPageButton, 1}, Step{form.PriorPageButton, 1}}) {
        step.Button->click();
        EXPECT_EQ(form.CurrentPage(), step.Page) << step.Button->objectName().toStdString();
        EXPECT_EQ(form.windowTitle(), Caption(step.Page, 3, form.Zoom()));
    }
}

TEST_F(PreviewFormTest, AOnePagePreviewHidesThePageButtons)
{
    auto pages = Pages(1);
    TPreviewForm form(*pages, "Preview Envelope", 100);
    form.show();
    for (QToolButton* button : PageButtons(form))
        EXPECT_TRUE(button->isHidden()) << button->objectName().toStdString();
    EXPECT_EQ(form.windowTitle(), "Preview Page 1 of 1 ( 100% )");
}

TEST_F(PreviewFormTest, TheBottomBarsButtonsKeepClearOfTheWindowsSides)
{
    auto pages = Pages(2);
    TPreviewForm form(*pages, "Preview Labels", PreviewZoom::PageWidth);
    form.show();
    QTest::qWait(0);
    // The scroll box reaches the sides; the buttons below it do not touch them.
    EXPECT_GE(form.OkButton->geometry().left(), 4);
    EXPECT_LE(form.MouseHelpButton->geometry().right(), form.width() - 1 - 4);
}

TEST_F(PreviewFormTest, ZoomStepsByTenAndFitsTheWholePage)
{
    auto pages = Pages(2);
    TPreviewForm form(*pages, "Preview Report", 100);
    form.show();
    form.ZoomInButton->click();
    EXPECT_DOUBLE_EQ(form.Zoom(), 110);
    EXPECT_EQ(form.windowTitle(), Caption(1, 2, 110));
    form.ZoomOutButton->click();
    EXPECT_DOUBLE_EQ(form.Zoom(), 100);
    // 100% is the printed size at the screen's resolution.
    EXPECT_NEAR(form.PageImage->width(), 8.5 * 1.05 * form.logicalDpiX(), 2);

    // The mouse on the page: left button zooms in, any other zooms out.
    QTest::mouseClick(form.PageImage, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(form.Zoom(), 110);
    QTest::mouseClick(form.PageImage, Qt::RightButton);
    QTest::mouseClick(form.PageImage, Qt::RightButton);
    EXPECT_DOUBLE_EQ(form.Zoom(), 90);

    form.WholePageButton->click();
    const QSize box = form.ScrollBox->maximumViewportSize();
    EXPECT_LE(form.PageImage->width(), box.width());
    EXPECT_LE(form.PageImage->height(), box.height());
    EXPECT_TRUE(form.PageImage->height() > box.height() * 0.9 || form.PageImage->width() > box.width() * 0.9);
    form.Zoom100Button->click();
    EXPECT_DOUBLE_EQ(form.Zoom(), 100);
    form.SetZoom(3);
    EXPECT_DOUBLE_EQ(form.Zoom(), 10); // never zooms the page away
}

TEST_F(PreviewFormTest, ArrowKeysScrollTheViewWithinItsRange)
{
    auto pages = Pages(1);
    TPreviewForm form(*pages, "Preview Report", 200);
    form.show();
    QScrollBar* bar = form.ScrollBox->verticalScrollBar();
    ASSERT_GT(bar->maximum(), bar->singleStep());
    QTest::keyClick(&form, Qt::Key_Up);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(bar->value(), bar->singleStep());
    bar->setValue(bar->maximum());
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(PreviewFormTest, ThePlacementIsSavedOnClosingAndRestoredNextTime)
{
    auto pages = Pages(1);
    QRect closedAt;
    {
        TPreviewForm form(*pages, "Preview Labels", PreviewZoom::WholePage);
        form.show();
        form.setGeometry(QRect(30, 40, 760, 520));
        closedAt = form.geometry();
        form.OkButton->click();
        EXPECT_FALSE(form.isVisible());
    }
    const std::string section = PlacementSectionName("TPreviewForm", 96).toStdString();
    EXPECT_EQ(Settings().ReadInteger(section, "Right", 0) - Settings().ReadInteger(section, "Left", 0), 760);

    TPreviewForm again(*pages, "Preview Labels", PreviewZoom::WholePage);
    again.show();
    EXPECT_EQ(again.size(), closedAt.size());
}

} // namespace
} // namespace corvane
