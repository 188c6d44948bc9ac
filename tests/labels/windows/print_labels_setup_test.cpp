// "Print Labels", the setup half: the list of setups and its buttons, New (through the designer),
// Clone and Delete with their questions and layout files, and the choices of what to print.
#include <filesystem>
#include <fstream>
#include <type_traits>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "bulkmail/Presort.h"
#include "labels/LabelDesignSession.h"
#include "labels/windows/PrintLabelsHarness.h"
#include "labels/windows/TLabelDesignScreen.h"
#include "layout/TGLabelPanel.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// The label windows take what the hand-over lends, never the session behind it.
static_assert(std::is_constructible_v<TLabelSetupScreen, const ToolWindowView&, PrintEngine&>);
static_assert(!std::is_constructible_v<TLabelSetupScreen, AddressSession&, PrintEngine&>);
static_assert(std::is_constructible_v<TLabelDesignScreen, const LabelSetup&, const ToolWindowView*>);
static_assert(!std::is_constructible_v<TLabelDesignScreen, const LabelSetup&, AddressSession*>);
static_assert(
    !std::is_constructible_v<LabelDesignSession, TGLabelPanel&, const LabelSetup&, AddressSession*>);
using testing::ModalDriver;

class PrintLabelsSetupTest : public testing::PrintLabelsTest {
  protected:
    static QStringList GridTexts(const TLabelSetupScreen& window)
    {
        QStringList texts;
        for (int row = 0; row < window.SetupGrid->rowCount(); ++row)
            texts << window.SetupGrid->item(row, 0)->text();
        return texts;
    }
    static void SelectRow(TLabelSetupScreen& window, const QString& description)
    {
        const QList<QTableWidgetItem*> found = window.SetupGrid->findItems(description, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << description.toStdString();
        window.SetupGrid->selectRow(found.front()->row());
    }
    static std::string LayoutOf(TLabelSetupScreen& window)
    {
        return SystemDataDirectory() + window.Setup().LayoutFileName.toStdString();
    }
};

TEST_F(PrintLabelsSetupTest, AnEmptySetupTableOffersOnlyNewAndHidesThePrintingPanels)
{
    OpenPeople(3);
    auto window = OpenWindow();
    window->show();
    EXPECT_EQ(window->windowTitle(), "Print Labels");
    EXPECT_EQ(window->SetupGrid->rowCount(), 0);
    EXPECT_TRUE(window->NewButton->isEnabled());
    for (QWidget* control :
         std::initializer_list<QWidget*>{window->ModifyButton, window->DeleteButton, window->CloneButton,
                                         window->PrintButton, window->PreviewButton, window->SetupGrid})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(window->WhatToPrintPanel->isVisible());
    EXPECT_FALSE(window->PrinterPanel->isVisible());
}

TEST_F(PrintLabelsSetupTest, SetupsAreListedByDescriptionWithTheChosenOnesSheet)
{
    OpenPeople(3);
    AddSetup("Office");
    AddSetup("Club");
    auto window = OpenWindow();
    window->show();
    EXPECT_EQ(GridTexts(*window), (QStringList{"Club", "Office"}));
    EXPECT_EQ(window->Setup().Description, "Club");
    EXPECT_EQ(window->SheetNameValue->text(), "Avery 5160  Address");
    EXPECT_EQ(window->AcrossValue->text(), "3");
    EXPECT_EQ(window->DownValue->text(), "10");
    EXPECT_EQ(window->PaperSizeValue->text(), "LTR");
    EXPECT_EQ(window->LabelWidthValue->text(), "2.625");
    EXPECT_TRUE(window->PrinterPanel->isVisible());
    EXPECT_EQ(window->PrinterList->currentText(), BuiltInPdfPrinterName());
    SelectRow(*window, "Office");
    EXPECT_EQ(window->Setup().Description, "Office");
}

TEST_F(PrintLabelsSetupTest, CloneCopiesTheLayoutFileAndDeletingTheCloneLeavesTheFirstFile)
{
    OpenPeople(3);
    const std::string officeFile = AddSetup("Office");
    auto window = OpenWindow();
    FMessages.Answers = {true};
    window->CloneButton->click();
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Text, "Clone \"Office\"?");
    EXPECT_EQ(FMessages.Messages[0].Caption, "CLONE");
    EXPECT_EQ(GridTexts(*window), (QStringList{"Clone of :Office", "Office"}));

    SelectRow(*window, "Clone of :Office");
    const std::string cloneFile = LayoutOf(*window);
    EXPECT_NE(cloneFile, officeFile);
    EXPECT_TRUE(fs::exists(cloneFile));

    FMessages.Answers = {true};
    window->DeleteButton->click();
    EXPECT_EQ(FMessages.Messages.back().Text, "Delete \"Clone of :Office\"?");
    EXPECT_EQ(FMessages.Messages.back().Caption, "DELETE");
    EXPECT_EQ(GridTexts(*window), QStringList{"Office"});
    EXPECT_FALSE(fs::exists(cloneFile));
    EXPECT_TRUE(fs::exists(officeFile));
}

TEST_F(PrintLabelsSetupTest, AnsweringNoClonesAndDeletesNothing)
{
    OpenPeople(3);
    const std::string officeFile = AddSetup("Office");
    auto window = OpenWindow();
    FMessages.Answers = {false, false};
    window->CloneButton->click();
    window->DeleteButton->click();
    EXPECT_EQ(FMessages.Messages.size(), 2u);
    EXPECT_EQ(GridTexts(*window), QStringList{"Office"});
    EXPECT_TRUE(fs::exists(officeFile));
}

TEST_F(PrintLabelsSetupTest, CloneRefusesASetupWhoseLayoutFileIsGone)
{
    OpenPeople(3);
    fs::remove(AddSetup("Office"));
    auto window = OpenWindow();
    FMessages.Answers = {true};
    window->CloneButton->click();
    EXPECT_EQ(FMessages.Texts().back(), "Label definition file has been removed from the sysdata directory");
    EXPECT_EQ(GridTexts(*window), QStringList{"Office"});
}

TEST_F(PrintLabelsSetupTest, NewSavedInTheDesignerAddsARowWithItsOwnLayoutFile)
{
    OpenPeople(3);
    auto window = OpenWindow();
    ModalDriver driver;
    driver.On("TLabelDesignScreen", [](QWidget* designer) {
        static_cast<TLabelDesignScreen*>(designer)->SaveClicked();
        return true;
    });
    window->NewButton->click();
    EXPECT_EQ(driver.Seen(), std::vector<QString>{"TLabelDesignScreen"});
    ASSERT_EQ(window->SetupGrid->rowCount(), 1);
    EXPECT_EQ(window->Setup().Description, "<New Label>");
    EXPECT_EQ(window->Setup().LayoutFileName, "BIN00001.L");
    EXPECT_TRUE(fs::exists(LayoutOf(*window)));
    EXPECT_TRUE(window->PrintButton->isEnabled());
    EXPECT_TRUE(window->WhatToPrintPanel->isVisibleTo(window.get()));
}

TEST_F(PrintLabelsSetupTest, NewCancelledInTheDesignerAddsNothing)
{
    OpenPeople(3);
    auto window = OpenWindow();
    ModalDriver driver;
    driver.On("TLabelDesignScreen", [](QWidget* designer) {
        static_cast<QDialog*>(designer)->reject();
        return true;
    });
    window->NewButton->click();
    EXPECT_EQ(window->SetupGrid->rowCount(), 0);
    EXPECT_TRUE(fs::is_empty(SystemDataDirectory()) || !fs::exists(SystemDataDirectory() + "BIN00001.L"));
}

TEST_F(PrintLabelsSetupTest, ModifyOpensTheLayoutAndSavesItUnderTheSameFile)
{
    OpenPeople(3);
    const std::string officeFile = AddSetup("Office");
    auto window = OpenWindow();
    size_t loadedElements = 0;
    ModalDriver driver;
    driver.On("TLabelDesignScreen", [&](QWidget* modal) {
        auto* designer = static_cast<TLabelDesignScreen*>(modal);
        loadedElements = designer->Panel().ElementCount();
        designer->SaveClicked();
        return true;
    });
    window->ModifyButton->click();
    EXPECT_EQ(loadedElements, 1u);
    EXPECT_EQ(GridTexts(*window), QStringList{"Office"});
    EXPECT_EQ(LayoutOf(*window), officeFile);
    EXPECT_TRUE(fs::exists(officeFile));
}

TEST_F(PrintLabelsSetupTest, OnlyCurrentRecordTakesPresortAwayAndTheOtherScopesGiveItBack)
{
    OpenPeople(3);
    AddSetup("Office");
    auto window = OpenWindow();
    EXPECT_TRUE(window->FilterRecordsRadio->isChecked());
    window->PresortCheck->click();
    ASSERT_TRUE(window->PresortCheck->isChecked());
    window->CurrentRecordRadio->click();
    EXPECT_FALSE(window->PresortCheck->isChecked());
    EXPECT_FALSE(window->PresortCheck->isEnabled());
    window->AllRecordsRadio->click();
    EXPECT_TRUE(window->PresortCheck->isEnabled());
    EXPECT_FALSE(window->PresortCheck->isChecked());
}

TEST_F(PrintLabelsSetupTest, WithoutAFilterAllRecordsIsChosenAndTheFilterChoiceIsDisabled)
{
    OpenPeople(3);
    AddSetup("Office");
    auto window = OpenWindow(ScopeChoices{false, true});
    EXPECT_TRUE(window->AllRecordsRadio->isChecked());
    EXPECT_FALSE(window->FilterRecordsRadio->isEnabled());
}

TEST_F(PrintLabelsSetupTest, OpeningRemovesAnEarlierPresortList)
{
    OpenPeople(3);
    AddSetup("Office");
    {
        std::ofstream(PresortListPath()) << "12345\r\n";
    }
    auto window = OpenWindow();
    EXPECT_FALSE(fs::exists(PresortListPath()));
}

} // namespace
} // namespace corvane
