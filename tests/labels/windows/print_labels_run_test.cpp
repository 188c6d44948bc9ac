// "Print Labels", the printing half: Print to the built-in PDF printer, Preview into the preview
// window, Cancel and Stop between records, a missing layout file, and the address file's filter,
// order and record put back afterwards.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "bulkmail/Presort.h"
#include "labels/windows/PrintLabelsHarness.h"
#include "labels/windows/TSelectSpecificLabels.h"
#include "printing/windows/TPreviewForm.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::ModalDriver;

class PrintLabelsRunTest : public testing::PrintLabelsTest {};

TEST_F(PrintLabelsRunTest, PrintToThePdfPrinterMakesASheetPer30Records)
{
    OpenPeople(31);
    AddSetup("Office");
    auto window = OpenWindow();
    QString status;
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    driver.On("TLabelPrinter", CloseWhenFinished(&status));
    window->PrintButton->click();

    EXPECT_EQ(driver.Seen(), (std::vector<QString>{"TSelectSpecificLabels", "TLabelPrinter"}));
    ASSERT_TRUE(window->LastPrint());
    EXPECT_EQ(window->LastPrint()->Result.Outcome, LabelRunOutcome::Completed);
    EXPECT_EQ(window->LastPrint()->Result.Labels, 31);
    EXPECT_EQ(status, "\nLabel Print Completed!");
    EXPECT_EQ(testing::PdfPageCount(FPdfPath), 2);
    EXPECT_TRUE(FMessages.Messages.empty()) << FMessages.Texts().front();
}

TEST_F(PrintLabelsRunTest, PositionsAndCopiesChosenInTheDialogReachTheRun)
{
    OpenPeople(4);
    AddSetup("Office");
    auto window = OpenWindow();
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", [](QWidget* modal) {
        auto* dialog = static_cast<TSelectSpecificLabels*>(modal);
        QTest::mouseClick(dialog->NoneButton, Qt::LeftButton);
        QTest::mouseClick(dialog->SheetPicture, Qt::LeftButton, {},
                          dialog->SheetPicture->PositionRect(0).center());
        dialog->CopiesSpin->setValue(2);
        QTest::mouseClick(dialog->OkButton, Qt::LeftButton);
        return true;
    });
    driver.On("TLabelPrinter", CloseWhenFinished());
    window->PrintButton->click();
    ASSERT_TRUE(window->LastPrint());
    // One position a sheet, two labels a record: a page per label.
    EXPECT_EQ(window->LastPrint()->Result.Labels, 8);
    EXPECT_EQ(window->LastPrint()->Result.Pages, 8);
    EXPECT_EQ(window->RunSettings().Positions.count(), 1u);
    EXPECT_EQ(window->RunSettings().Copies, 2);
}

TEST_F(PrintLabelsRunTest, PreviewOf31RecordsShowsTwoPagesAtPageWidth)
{
    OpenPeople(31);
    AddSetup("Office");
    auto window = OpenWindow();
    QString caption;
    bool pageButtonsShown = false;
    double zoom = 0, pageWidthZoom = -1;
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    driver.On("TLabelPrinter", [](QWidget*) { return false; });
    driver.On("TPreviewForm", [&](QWidget* modal) {
        auto* preview = static_cast<TPreviewForm*>(modal);
        caption = preview->windowTitle();
        pageButtonsShown = preview->NextPageButton->isVisible();
        zoom = preview->Zoom();
        pageWidthZoom = preview->PageWidthZoom();
        preview->close();
        return true;
    });
    window->PreviewButton->click();

    // A completed preview's status window closes by itself.
    EXPECT_EQ(driver.Seen(),
              (std::vector<QString>{"TSelectSpecificLabels", "TLabelPrinter", "TPreviewForm"}));
    ASSERT_TRUE(window->LastPrint());
    EXPECT_EQ(window->LastPrint()->PreviewPages, 2);
    EXPECT_TRUE(caption.startsWith("Preview Page 1 of 2 (")) << caption.toStdString();
    EXPECT_TRUE(pageButtonsShown);
    EXPECT_DOUBLE_EQ(zoom, pageWidthZoom);
    EXPECT_FALSE(fs::exists(FPdfPath.toStdString()));
}

TEST_F(PrintLabelsRunTest, AOnePagePreviewHidesThePageButtons)
{
    OpenPeople(5);
    AddSetup("Office");
    auto window = OpenWindow();
    bool pageButtonsShown = true;
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    driver.On("TLabelPrinter", [](QWidget*) { return false; });
    driver.On("TPreviewForm", [&](QWidget* modal) {
        auto* preview = static_cast<TPreviewForm*>(modal);
        pageButtonsShown = preview->NextPageButton->isVisible() || preview->LastPageButton->isVisible();
        preview->close();
        return true;
    });
    window->PreviewButton->click();
    ASSERT_TRUE(window->LastPrint());
    EXPECT_EQ(window->LastPrint()->PreviewPages, 1);
    EXPECT_FALSE(pageButtonsShown);
}

TEST_F(PrintLabelsRunTest, CancelAnsweredYesStopsThePrintAfterTheCurrentRecord)
{
    OpenPeople(31);
    AddSetup("Office");
    auto window = OpenWindow();
    FMessages.Answers = {true};
    QString status;
    bool cancelled = false;
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    driver.On("TLabelPrinter", [&](QWidget* modal) {
        auto* printer = static_cast<TLabelPrinter*>(modal);
        if (!cancelled) {
            EXPECT_EQ(printer->ButtonCaption(), "Cancel");
            cancelled = true;
            printer->ButtonClick();
            return false;
        }
        return CloseWhenFinished(&status)(modal);
    });
    window->PrintButton->click();

    ASSERT_TRUE(window->LastPrint());
    EXPECT_EQ(window->LastPrint()->Result.Outcome, LabelRunOutcome::Aborted);
    EXPECT_EQ(window->LastPrint()->Result.Labels, 1);
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{"Cancel Label Printing?"});
    EXPECT_EQ(status, "\nLabel Print Canceled!");
    EXPECT_FALSE(fs::exists(FPdfPath.toStdString()));
}

TEST_F(PrintLabelsRunTest, StoppingAPreviewShowsThePagesMadeSoFar)
{
    OpenPeople(31);
    AddSetup("Office");
    auto window = OpenWindow();
    QString status;
    int previewPages = 0;
    bool stopped = false;
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    driver.On("TLabelPrinter", [&](QWidget* modal) {
        auto* printer = static_cast<TLabelPrinter*>(modal);
        if (!stopped) {
            EXPECT_EQ(printer->ButtonCaption(), "Stop");
            stopped = true;
            printer->ButtonClick();
            return false;
        }
        return CloseWhenFinished(&status)(modal);
    });
    driver.On("TPreviewForm", [&](QWidget* modal) {
        previewPages = static_cast<TPreviewForm*>(modal)->PageCount();
        modal->close();
        return true;
    });
    window->PreviewButton->click();
    ASSERT_TRUE(window->LastPrint());
    EXPECT_EQ(window->LastPrint()->Result.Outcome, LabelRunOutcome::Stopped);
    EXPECT_EQ(window->LastPrint()->Result.Labels, 1);
    EXPECT_EQ(status, "\nPreview Stopped at page 1!");
    EXPECT_EQ(previewPages, 1);
}

TEST_F(PrintLabelsRunTest, PresortRunsOnceForTheScopeAndPrintsSeparators)
{
    OpenPeople(3);
    AddSetup("Office");
    auto window = OpenWindow();
    window->PresortCheck->click();
    bool copiesShown = true;
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", [&](QWidget* modal) {
        copiesShown = static_cast<TSelectSpecificLabels*>(modal)->CopiesSpin->isVisibleTo(modal);
        return AcceptPositions()(modal);
    });
    driver.On("TSortBulkMail", [](QWidget*) { return false; }); // closes by itself
    driver.On("TLabelPrinter", CloseWhenFinished());
    window->PrintButton->click();
    EXPECT_FALSE(copiesShown);
    EXPECT_EQ(driver.Seen(),
              (std::vector<QString>{"TSelectSpecificLabels", "TSortBulkMail", "TLabelPrinter"}));
    ASSERT_TRUE(window->LastPrint());
    EXPECT_TRUE(window->LastPrint()->PresortDone);
    EXPECT_EQ(window->LastPrint()->Result.Labels, 3);
    EXPECT_GT(window->LastPrint()->Result.Separators, 0);
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{std::string(PresortOrderMessage)});

    // The list is still valid for the same scope: no second presort.
    window->PrintButton->click();
    EXPECT_EQ(driver.Seen().size(), 5u);
    EXPECT_EQ(driver.Seen().back(), "TLabelPrinter");
    // A change of scope makes it stale.
    window->AllRecordsRadio->click();
    window->PrintButton->click();
    EXPECT_EQ(std::count(driver.Seen().begin(), driver.Seen().end(), "TSortBulkMail"), 2);
}

TEST_F(PrintLabelsRunTest, APresortListThatCannotBeReadStopsTheRunAndSaysSo)
{
    OpenPeople(3);
    AddSetup("Office");
    auto window = OpenWindow();
    window->PresortCheck->click();
    QString status;
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    driver.On("TSortBulkMail", [](QWidget*) { return false; });
    driver.On("TLabelPrinter", CloseWhenFinished(&status));
    window->PrintButton->click();
    ASSERT_TRUE(window->LastPrint() && window->LastPrint()->PresortDone);

    // The list the next run relies on is damaged meanwhile.
    {
        std::ofstream(PresortListPath(), std::ios::binary) << "12345\r\n** 5-digit\r\n";
    }
    window->PrintButton->click();
    EXPECT_EQ(window->LastPrint()->Result.Outcome, LabelRunOutcome::Failed);
    EXPECT_EQ(window->LastPrint()->Result.Labels, 0);
    EXPECT_TRUE(status.startsWith("\nLabel Print Stopped: ")) << status.toStdString();
    EXPECT_FALSE(fs::exists(FPdfPath.toStdString()));
}

TEST_F(PrintLabelsRunTest, NoFileNameForThePdfPrinterPrintsNothing)
{
    OpenPeople(3);
    AddSetup("Office");
    FPdfPath.clear();
    auto window = OpenWindow();
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    window->PrintButton->click();
    EXPECT_EQ(driver.Seen(), std::vector<QString>{"TSelectSpecificLabels"});
    ASSERT_TRUE(window->LastPrint());
    EXPECT_FALSE(window->LastPrint()->Ran);
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(PrintLabelsRunTest, APaperSizeThePrinterDoesNotConfirmIsAskedAboutAndNoPrintsNothing)
{
    OpenPeople(3);
    // Letter paper asked for, an A4 sheet expected: the page read back is not the sheet.
    AddSetup("Office", [](LabelSetup& setup) {
        setup.SheetWidth = 8.27f;
        setup.SheetDepth = 11.69f;
    });
    auto window = OpenWindow();
    FMessages.Answers = {false};
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    window->PrintButton->click();
    EXPECT_EQ(FMessages.Texts(),
              std::vector<std::string>{"Unable to confirm that the paper size was set to\r\n\r\n"
                                       "8.27\" by 11.69\"\r\n\r\n"
                                       "(you may have the wrong printer selected)\r\n\r\n"
                                       "Would you like to try printing anyways?"});
    EXPECT_EQ(driver.Seen(), std::vector<QString>{"TSelectSpecificLabels"});
    EXPECT_FALSE(fs::exists(FPdfPath.toStdString()));

    FMessages.Answers = {true};
    driver.On("TLabelPrinter", CloseWhenFinished());
    window->PrintButton->click();
    ASSERT_TRUE(window->LastPrint());
    EXPECT_EQ(window->LastPrint()->Result.Labels, 3);
}

TEST_F(PrintLabelsRunTest, AMissingLayoutFileIsToldAndNothingRuns)
{
    OpenPeople(3);
    fs::remove(AddSetup("Office"));
    auto window = OpenWindow();
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    window->PrintButton->click();
    EXPECT_EQ(driver.Seen(), std::vector<QString>{"TSelectSpecificLabels"});
    EXPECT_EQ(FMessages.Texts(),
              std::vector<std::string>{"Label definition file has been removed from the sysdata directory"});
    ASSERT_TRUE(window->LastPrint());
    EXPECT_FALSE(window->LastPrint()->Ran);
}

TEST_F(PrintLabelsRunTest, CancellingThePositionDialogPrintsNothing)
{
    OpenPeople(3);
    AddSetup("Office");
    auto window = OpenWindow();
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", [](QWidget* modal) {
        static_cast<QDialog*>(modal)->reject();
        return true;
    });
    window->PrintButton->click();
    EXPECT_FALSE(window->LastPrint());
    EXPECT_FALSE(fs::exists(FPdfPath.toStdString()));
}

TEST_F(PrintLabelsRunTest, FilterOrderAndRecordAreAsBeforeAfterARun)
{
    OpenPeople(12);
    AddSetup("Office");
    xbase::Table& table = AddressSessionProbe::Table(FSession);
    ASSERT_TRUE(table.SetQuery("ZIP >= \"10003\" .and. !ISDEL"));
    ASSERT_TRUE(table.SetOrder(table.OrderNumber("ZIP")));
    ASSERT_TRUE(table.GoTo(7));
    const int order = table.Order();

    auto window = OpenWindow();
    window->CurrentRecordRadio->setChecked(true);
    ModalDriver driver;
    driver.On("TSelectSpecificLabels", AcceptPositions());
    driver.On("TLabelPrinter", CloseWhenFinished());
    driver.On("TPreviewForm", [](QWidget* modal) {
        modal->close();
        return true;
    });
    for (QPushButton* button : {window->PrintButton, window->PreviewButton}) {
        button->click();
        ASSERT_TRUE(window->LastPrint());
        EXPECT_EQ(window->LastPrint()->Result.Labels, 1) << button->objectName().toStdString();
        EXPECT_EQ(table.Query(), "ZIP >= \"10003\" .and. !ISDEL");
        EXPECT_EQ(table.Order(), order);
        EXPECT_EQ(table.RecNo(), 7u);
    }
}

} // namespace
} // namespace corvane
