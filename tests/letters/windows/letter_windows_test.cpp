// The letter windows offscreen: "Print Letters" with its buttons and the editor's save, the
// editor's field list and menus, Page Properties, the preview's paging and a print to PDF.
#include <gtest/gtest.h>

#include <deque>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "letters/windows/TCVLetters.h"
#include "letters/windows/TLetterDesign.h"
#include "letters/windows/TLetterPrint.h"
#include "letters/windows/TRTFPreviewForm.h"
#include "letters/windows/TWPPageProp.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/richtext/windows/RichTextRuler.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterList.h"
#include "session/AddressSession.h"
#include "support/AddressSessionProbe.h"
#include "support/AddressTableFixture.h"
#include "support/PdfInfo.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::MakeAddressFile;
using testing::Person;

class PdfPrinterOnly : public PrinterSource {
  public:
    QStringList PrinterNames() const override { return {BuiltInPdfPrinterName()}; }
    QString DefaultPrinterName() const override { return BuiltInPdfPrinterName(); }
};

class LetterWindowsTest : public ::testing::Test {
  protected:
    void OpenPeople(int count)
    {
        std::vector<Person> people;
        for (int i = 1; i <= count; ++i)
            people.push_back({{"LNAME", "Last" + std::to_string(i)}, {"FNAME", "First" + std::to_string(i)}});
        const std::string path = DataDirectory() + "people.DBF";
        MakeAddressFile(path, people);
        ASSERT_TRUE(FSession.OpenCVWDBF(path));
    }
    const ToolWindowView& View() { return FViews.emplace_back(AddressSessionProbe::View(FSession)); }

    // A letter of two pages: "Dear [First]" and, on a page of its own, "Page two".
    static LetterDocument TwoPages()
    {
        LetterDocument letter;
        QTextCursor cursor(letter.Document.get());
        cursor.insertText("Dear [First]");
        QTextBlockFormat next;
        next.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.insertBlock(next);
        cursor.insertText("Page two");
        return letter;
    }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    AddressSession FSession;
    std::deque<ToolWindowView> FViews;
    PrintEngine FEngine{std::make_unique<PdfPrinterOnly>()};
};

TEST_F(LetterWindowsTest, EmptyTableOffersOnlyNewAndANewLetterIsSavedUntitled)
{
    OpenPeople(2);
    TCVLetters window(View(), FEngine);
    ASSERT_TRUE(window.FormActivate());
    for (QWidget* control :
         {static_cast<QWidget*>(window.ModifyButton), static_cast<QWidget*>(window.CloneButton),
          static_cast<QWidget*>(window.PrintButton), static_cast<QWidget*>(window.PreviewButton),
          static_cast<QWidget*>(window.DeleteButton), static_cast<QWidget*>(window.LetterGrid)})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(window.NewButton->isEnabled());
    EXPECT_TRUE(window.CurrentRecordRadio->isChecked());
    EXPECT_EQ(window.CopiesEdit->maximum(), 999);
    EXPECT_EQ(window.PrinterPanel->text(), BuiltInPdfPrinterName());

    QString shownDescription;
    window.SetEditorRunner([&](TLetterDesign& editor) {
        shownDescription = editor.DescriptionEdit->text();
        editor.Editor->insertPlainText("Hello");
        return true;
    });
    window.NewButton->click();
    EXPECT_EQ(shownDescription, "{untitled}");
    ASSERT_EQ(window.Letters().size(), 1u);
    EXPECT_EQ(window.Letters()[0].Description, "{untitled}");
    EXPECT_TRUE(window.ModifyButton->isEnabled());
    EXPECT_TRUE(window.LetterGrid->isEnabled());

    // Cancel in the editor writes nothing.
    window.SetEditorRunner([](TLetterDesign& editor) {
        editor.DescriptionEdit->setText("Changed");
        return false;
    });
    window.ModifyButton->click();
    EXPECT_EQ(window.Letters()[0].Description, "{untitled}");

    FMessages.Answers = {true, true};
    window.CloneButton->click();
    window.LetterGrid->selectRow(1);
    ASSERT_EQ(window.Letters().size(), 2u);
    EXPECT_EQ(window.Letters()[0].Description, "Clone of {untitled}");
    window.DeleteButton->click();
    EXPECT_EQ(FMessages.Texts(),
              (std::vector<std::string>{"Clone \"{untitled}\"?", "Delete \"{untitled}\"?"}));
    ASSERT_EQ(window.Letters().size(), 1u);
    EXPECT_EQ(window.Letters()[0].Description, "Clone of {untitled}");
}

TEST_F(LetterWindowsTest, EditorInsertsFieldsAndBreaksAndKeepsItsMenus)
{
    TLetterDesign editor(nullptr, {}, nullptr);
    EXPECT_EQ(editor.windowTitle(), "Letter Designer");
    EXPECT_EQ(editor.InsertFieldList->count(), 25);
    EXPECT_EQ(editor.InsertFieldList->currentText(), "Full Name");
    editor.InsertFieldListChange(1);
    EXPECT_EQ(editor.Editor->toPlainText(), "[Name and Address]");
    EXPECT_EQ(editor.mnuWordWrap->text(), "&Word Wrap is OFF");
    editor.mnuWordWrapClick();
    EXPECT_EQ(editor.mnuWordWrap->text(), "&Word Wrap is ON");
    EXPECT_EQ(editor.mnuDefaultFont->text(), "&Default Font: Arial, 10 pt ");
    EXPECT_EQ(editor.Layout(), PageLayoutTwips{});

    FMessages.Answers = {false, true};
    editor.mnuInsertPageBreakClick();
    EXPECT_FALSE(editor.Editor->textCursor().blockFormat().pageBreakPolicy() &
                 QTextFormat::PageBreak_AlwaysBefore);
    editor.mnuInsertPageBreakClick();
    EXPECT_TRUE(editor.Editor->textCursor().blockFormat().pageBreakPolicy() &
                QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(FMessages.Messages.at(0).Caption, "PAGE BREAK");

    ASSERT_TRUE(editor.LoadRtfText("{\\rtf1\\paperw11906\\margl720 {\\b Bold} text}", false));
    EXPECT_EQ(editor.Editor->toPlainText(), "Bold text");
    EXPECT_EQ(editor.Letter().Layout.PaperWidth, 11906);
    EXPECT_FALSE(editor.LoadRtfText("{\\rtf1 cut", false));
    EXPECT_EQ(editor.Editor->toPlainText(), "Bold text") << "a damaged file changes nothing";
}

TEST_F(LetterWindowsTest, PagePropertiesConvertUnitsAndCheckOnOk)
{
    PageLayoutTwips layout;
    TWPPageProp dialog(layout);
    dialog.UnitList->setCurrentIndex(static_cast<int>(PageUnit::Cm));
    dialog.LeftEdit->setText("2.54");
    dialog.TopEdit->setText("2."); // half typed: no message while typing
    EXPECT_TRUE(FMessages.Messages.empty());
    dialog.UnitList->setCurrentIndex(static_cast<int>(PageUnit::Inch));
    EXPECT_EQ(dialog.LeftEdit->text(), "1.00");
    dialog.UnitList->setCurrentIndex(static_cast<int>(PageUnit::Twips));
    EXPECT_EQ(dialog.LeftEdit->text(), "1440");
    dialog.RightEdit->setText("abc");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "stays open";
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    dialog.RightEdit->setText("720");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Layout().Left, 1440);
    EXPECT_EQ(dialog.Layout().Right, 720);
    EXPECT_EQ(TWPPageProp::RememberedUnit(), PageUnit::Twips);
}

TEST_F(LetterWindowsTest, PreviewPagesAndRecords)
{
    OpenPeople(2);
    TRTFPreviewForm preview(TwoPages(), View());
    EXPECT_EQ(preview.windowTitle(), "Preview Letters Page 1");
    EXPECT_EQ(preview.Merged().Document->begin().text(), "Dear First1");
    preview.PreviousPageClick();
    EXPECT_EQ(preview.Paging().PageNumber(), 1);
    preview.NextPageClick();
    EXPECT_EQ(preview.windowTitle(), "Preview Letters Page 2");
    preview.NextPageClick();
    EXPECT_EQ(preview.Paging().PageNumber(), 2) << "the last page";
    preview.NextRecordButton->click();
    EXPECT_EQ(preview.Paging().PageNumber(), 1);
    EXPECT_EQ(preview.Merged().Document->begin().text(), "Dear First2");
    const int zoom = preview.Paging().Zoom();
    preview.ZoomOutClick();
    EXPECT_LT(preview.Paging().Zoom(), zoom);
    EXPECT_EQ(preview.PagePanel->width(),
              preview.Paging().Geometry(preview.Merged().Layout, preview.logicalDpiX()).Page.width());
}

TEST_F(LetterWindowsTest, PrintToPdfShowsTheStatusUntilOk)
{
    OpenPeople(3);
    const QString pdf = QString::fromStdString(FHome.File("letters.pdf"));
    FEngine.SetPdfFileNameAsker([&](QWidget*, const QString&) { return pdf; });
    QString status;
    QString caption;
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* window = qobject_cast<PrintStatusWindow*>(QApplication::activeModalWidget());
        if (!window || !window->Finished())
            return;
        status = window->StatusText();
        caption = window->windowTitle();
        window->ButtonClick();
    });
    answer.start();
    LetterRunSettings settings;
    settings.Scope = RecordScope::All;
    const LetterPrintOutcome outcome = PrintLetter(View(), FEngine, TwoPages(), settings, nullptr, false);
    answer.stop();
    EXPECT_TRUE(outcome.Ran);
    EXPECT_EQ(outcome.Result.Outcome, PrintOutcome::Completed);
    EXPECT_EQ(outcome.Result.Pages, 6);
    EXPECT_EQ(caption, "Print Status Screen");
    EXPECT_EQ(status, "Letter Print Completed!");
    const auto facts = testing::ReadPdfFacts(pdf);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->Pages, 6);
}

} // namespace
} // namespace corvane

namespace corvane {
namespace {

TEST_F(LetterWindowsTest, EditorAndPreviewShowAndPaint)
{
    OpenPeople(1);
    TLetterDesign editor(nullptr, {}, &View());
    editor.show();
    QApplication::processEvents();
    editor.Editor->insertPlainText("Dear [First]");
    editor.Ruler->repaint();
    QApplication::processEvents();
    TRTFPreviewForm preview(editor.Letter(), View());
    preview.show();
    QApplication::processEvents();
    EXPECT_EQ(preview.Merged().Document->toPlainText(), "Dear First1");
}

} // namespace
} // namespace corvane
