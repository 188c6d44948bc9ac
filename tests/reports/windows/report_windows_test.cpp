// "Print Report", "Print Current Record" and "Count Zip Codes" offscreen: enabled states of the
// report setup, Delete and Clone with their questions, print and preview runs through their
// status windows (and a device that refuses the job), and the lent table given back as it was.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include "bulkmail/windows/TCountZipCodes.h"
#include "core/SystemTables.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterList.h"
#include "printing/windows/PrintStatusWindow.h"
#include "printing/windows/TPreviewForm.h"
#include "printing/windows/TPrintDialog.h"
#include "reports/windows/TPrintCurrentRecord.h"
#include "reports/windows/TReportSetup.h"
#include "session/AddressSession.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/ModalDriver.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::ModalDriver;

class PdfOnlyPrinters : public PrinterSource {
  public:
    QStringList PrinterNames() const override { return {BuiltInPdfPrinterName()}; }
    QString DefaultPrinterName() const override { return BuiltInPdfPrinterName(); }
};

class ReportWindowsTest : public ::testing::Test {
  protected:
    ReportWindowsTest()
    {
        FEngine.SetPdfFileNameAsker([this](QWidget*, const QString&) { return FPdfPath; });
    }

    void OpenPeople(int count)
    {
        std::vector<testing::Person> people;
        for (int i = 1; i <= count; ++i) {
            const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
            people.push_back(
                {{"LNAME", "Person " + number}, {"FNAME", "Pat"}, {"ZIP", std::to_string(10000 + i % 3)}});
        }
        const std::string path = DataDirectory() + "people.DBF";
        testing::MakeAddressFile(path, people);
        ASSERT_TRUE(FSession.OpenCVWDBF(path));
    }

    xbase::Table& Table() { return AddressSessionProbe::Table(FSession); }

    std::unique_ptr<TReportSetup> OpenSetup()
    {
        const ToolWindowView& view = FViews.emplace_back(AddressSessionProbe::View(FSession));
        auto window = std::make_unique<TReportSetup>(view, FEngine);
        EXPECT_TRUE(window->OpenReports());
        return window;
    }

    void AddReport(const std::string& description, const std::string& binary)
    {
        xbase::Table table;
        ASSERT_TRUE(OpenReportTable(table));
        ASSERT_TRUE(table.AppendBlank());
        ASSERT_TRUE(table.PutField("DESCRIPT", description));
        ASSERT_TRUE(table.PutField("LAYOUT", "Letter Size, Portrait"));
        ASSERT_TRUE(table.PutField("BINARY", binary));
        ASSERT_TRUE(table.Close());
        std::ofstream(SystemDataDirectory() + binary) << "layout";
    }

    // The status window's "Ok" once the run has ended.
    static ModalDriver::Handler CloseWhenFinished(QString* statusText = nullptr)
    {
        return [statusText](QWidget* window) {
            auto* status = static_cast<PrintStatusWindow*>(window);
            if (!status->Finished())
                return false;
            if (statusText)
                *statusText = status->StatusText();
            status->ButtonClick();
            return true;
        };
    }
    static ModalDriver::Handler Accept()
    {
        return [](QWidget* window) {
            QMetaObject::invokeMethod(window, "accept");
            return true;
        };
    }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    AddressSession FSession;
    std::deque<ToolWindowView> FViews;
    PrintEngine FEngine{std::make_unique<PdfOnlyPrinters>()};
    QString FPdfPath = QString::fromStdString(FHome.File("report.pdf"));
};

TEST_F(ReportWindowsTest, AnEmptyReportTableDisablesTheDesignerTabsButtons)
{
    OpenPeople(3);
    auto window = OpenSetup();
    window->show();
    EXPECT_EQ(window->windowTitle(), "Print Report");
    EXPECT_TRUE(window->PrintButton->isEnabled());
    EXPECT_TRUE(window->WhatToPrint->isVisible());
    EXPECT_FALSE(window->OneRecordPerPageCheck->isVisible());

    window->TabSet->setCurrentIndex(1);
    for (QPushButton* button : {window->PrintButton, window->PreviewButton, window->ModifyButton,
                                window->DeleteButton, window->CloneButton})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_FALSE(window->WhatToPrint->isVisible());

    window->TabSet->setCurrentIndex(0);
    EXPECT_TRUE(window->PrintButton->isEnabled());
    EXPECT_TRUE(window->PreviewButton->isEnabled());
    EXPECT_TRUE(window->WhatToPrint->isVisible());

    window->ReportList->setCurrentRow(2);
    EXPECT_EQ(window->TitleEdit->text(), "Report 3");
    EXPECT_EQ(window->Request().Options.Report, 3);
}

TEST_F(ReportWindowsTest, DeleteAndCloneAskFirst)
{
    OpenPeople(1);
    AddReport("Monthly", "BIN00001.R");
    auto window = OpenSetup();
    window->TabSet->setCurrentIndex(1);
    EXPECT_TRUE(window->DeleteButton->isEnabled());
    EXPECT_TRUE(window->WhatToPrint->isVisible() || !window->isVisible());

    FMessages.Answers = {false, true};
    window->DeleteButtonClick(); // No
    EXPECT_EQ(window->ReportGrid->rowCount(), 1);
    window->CloneButtonClick(); // Yes
    EXPECT_EQ(window->ReportGrid->rowCount(), 2);
    ASSERT_EQ(FMessages.Messages.size(), 2u);
    EXPECT_EQ(FMessages.Messages[0].Text, "Delete \"Monthly\"?");
    EXPECT_EQ(FMessages.Messages[0].Caption, "DELETE");
    EXPECT_EQ(FMessages.Messages[1].Text, "Clone \"Monthly\"?");
    EXPECT_EQ(FMessages.Messages[1].Caption, "CLONE");
    EXPECT_TRUE(std::filesystem::exists(SystemDataDirectory() + "BIN00002.R"));
}

TEST_F(ReportWindowsTest, PreviewAndPrintLeaveTheTableAsItWas)
{
    OpenPeople(70);
    ASSERT_TRUE(Table().SetOrder(Table().OrderNumber("ZIP")));
    ASSERT_TRUE(Table().GoTo(7));
    const std::string query = Table().Query();
    auto window = OpenSetup();

    QString previewCaption;
    double zoom = 0, pageWidthZoom = -1;
    {
        ModalDriver driver;
        driver.On("TBuiltInReportPrint", CloseWhenFinished());
        driver.On("TPreviewForm", [&](QWidget* modal) {
            auto* preview = static_cast<TPreviewForm*>(modal);
            previewCaption = preview->windowTitle();
            zoom = preview->Zoom();
            pageWidthZoom = preview->PageWidthZoom();
            preview->close();
            return true;
        });
        window->PreviewButtonClick();
        EXPECT_EQ(driver.Seen(), (std::vector<QString>{"TBuiltInReportPrint", "TPreviewForm"}));
    }
    EXPECT_EQ(window->LastEndText(), "\rReport Preview Ready!");
    EXPECT_TRUE(previewCaption.startsWith("Preview Page 1 of 2")) << previewCaption.toStdString();
    EXPECT_DOUBLE_EQ(zoom, pageWidthZoom);
    EXPECT_EQ(Table().Query(), query);
    EXPECT_EQ(Table().OrderName(), "ZIP");
    EXPECT_EQ(Table().RecNo(), 7u);

    QString statusText;
    {
        ModalDriver driver;
        driver.On("TPrintDialog", [](QWidget* modal) {
            auto* dialog = static_cast<TPrintDialog*>(modal);
            dialog->CopiesEdit->setValue(2);
            dialog->accept();
            return true;
        });
        driver.On("TBuiltInReportPrint", CloseWhenFinished(&statusText));
        window->CurrentRecordButton->setChecked(true);
        window->PrintButtonClick();
    }
    EXPECT_EQ(statusText, "\nReport Print Completed!");
    EXPECT_TRUE(std::filesystem::exists(FPdfPath.toStdString()));
    EXPECT_EQ(Table().Query(), query);
    EXPECT_EQ(Table().OrderName(), "ZIP");
    EXPECT_EQ(Table().RecNo(), 7u);
}

TEST_F(ReportWindowsTest, AJobTheDeviceRefusesEndsWithItsReason)
{
    OpenPeople(3);
    FPdfPath = QString::fromStdString(FHome.File("no-such-folder/report.pdf"));
    auto window = OpenSetup();
    QString statusText;
    ModalDriver driver;
    driver.On("TPrintDialog", Accept());
    driver.On("TBuiltInReportPrint", CloseWhenFinished(&statusText));
    window->PrintButtonClick();
    EXPECT_TRUE(statusText.startsWith("\nReport Print Failed: ")) << statusText.toStdString();
    EXPECT_TRUE(statusText.contains("no-such-folder/report.pdf")) << statusText.toStdString();
    EXPECT_FALSE(window->LastEndText().contains("Completed"));
}

TEST_F(ReportWindowsTest, CurrentRecordAllSwitchesEveryBoxAndPreviews)
{
    AddressRecord record;
    record.LName = "Smith";
    TPrintCurrentRecord window(record, FEngine);
    EXPECT_EQ(window.windowTitle(), "Print Current Record");
    ASSERT_NE(window.findChild<QCheckBox*>("ZipPostalCodeCheck"), nullptr);
    window.AllCheck->setChecked(false);
    window.AllCheckClick();
    EXPECT_TRUE(window.Options().Fields.none());
    window.AllCheck->setChecked(true);
    window.AllCheckClick();
    EXPECT_TRUE(window.Options().Fields.all());

    ModalDriver driver;
    driver.On("TSingleRecordPrint", CloseWhenFinished());
    driver.On("TPreviewForm", [](QWidget* modal) {
        modal->close();
        return true;
    });
    window.PreviewButtonClick();
    EXPECT_EQ(window.LastEndText(), "\rReport Preview Ready!");
}

TEST_F(ReportWindowsTest, CountZipCodesCountsThenPreviewsAtOneHundredPercent)
{
    OpenPeople(5);
    ASSERT_TRUE(Table().GoTo(3));
    TCountZipCodes window(Table(), FEngine);
    ASSERT_TRUE(window.Count());
    EXPECT_EQ(window.Lines().size(), 5u); // 10000, 10001, 10002, two empty lines
    EXPECT_EQ(window.HeadingLabel->text(), "Finished counting. Press Print or Preview for the report");
    EXPECT_EQ(FMessages.Beeps.size(), 1u);
    EXPECT_EQ(Table().RecNo(), 3u);

    double zoom = 0;
    QString caption;
    ModalDriver driver;
    driver.On("TZipReport", CloseWhenFinished());
    driver.On("TPreviewForm", [&](QWidget* modal) {
        zoom = static_cast<TPreviewForm*>(modal)->Zoom();
        caption = modal->windowTitle();
        modal->close();
        return true;
    });
    window.PreviewButtonClick();
    EXPECT_EQ(window.LastEndText(), "\rPreview Ready!");
    EXPECT_DOUBLE_EQ(zoom, 100);
}

// Every control a user can click or type into says what it does (the parts of a list, a tab bar
// or a spin box are explained by it).
TEST_F(ReportWindowsTest, EveryControlHasItsWhatsThis)
{
    OpenPeople(1);
    AddressRecord record;
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(OpenSetup());
    windows.push_back(std::make_unique<TPrintCurrentRecord>(record, FEngine));
    windows.push_back(std::make_unique<TCountZipCodes>(Table(), FEngine));
    windows.push_back(std::make_unique<TPrintDialog>(FEngine));
    for (const auto& window : windows) {
        QStringList unexplained;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const bool isControl = qobject_cast<QAbstractButton*>(control) ||
                                   qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                                   qobject_cast<QAbstractSpinBox*>(control) ||
                                   qobject_cast<QAbstractItemView*>(control);
            const QString name = control->objectName();
            if (!isControl || name.startsWith("qt_") || name == "MouseHelpButton")
                continue;
            bool inner = false;
            for (QWidget* parent = control->parentWidget(); parent && parent != window.get();
                 parent = parent->parentWidget())
                inner = inner || qobject_cast<QAbstractItemView*>(parent) ||
                        qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent) ||
                        qobject_cast<QTabBar*>(parent);
            if (inner)
                continue;
            if (name.isEmpty() || control->whatsThis().isEmpty())
                unexplained << (name.isEmpty() ? control->metaObject()->className() : name);
        }
        EXPECT_TRUE(unexplained.isEmpty())
            << window->objectName().toStdString() << ": " << unexplained.join(", ").toStdString();
    }
}

} // namespace
} // namespace corvane
