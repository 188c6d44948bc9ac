#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include "platform/windows/HelpViewer.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

void WritePage(const std::string& path, const char* title, const char* body)
{
    xbase::testing::WriteBytes(path, std::string("<html><head><title>") + title +
                                         "</title><meta name=\"keywords\" content=\"settings, options\">"
                                         "</head><body>" +
                                         body + "</body></html>");
}

class HelpViewerTest : public ::testing::Test {
  protected:
    HelpViewerTest()
    {
        WritePage(FFolder.File("index.html"), "Contents", "<a href=\"1029.html\">Main window</a>");
        WritePage(FFolder.File("howtouse.html"), "How to Use Help", "Click a link.");
        WritePage(FFolder.File("1029.html"), "The Main Window", "One record at a time.");
        WritePage(FFolder.File("1038.html"), "Preferences &amp; Skipping", "Check boxes.");
    }
    QString Folder() const { return QString::fromStdString(FFolder.File("")); }
    QString ShownFile(const THelpViewer& viewer) const { return viewer.HelpText->source().fileName(); }

    xbase::testing::ScratchFolder FFolder;
};

TEST_F(HelpViewerTest, OpensAContextPageAndSaysWhenThereIsNone)
{
    THelpViewer viewer(Folder());
    viewer.ShowContext(1029);
    EXPECT_EQ(ShownFile(viewer), "1029.html");
    EXPECT_EQ(viewer.HelpText->documentTitle(), "The Main Window");

    viewer.ShowContext(4711);
    EXPECT_TRUE(viewer.HelpText->toPlainText().contains("There is no help topic number 4711"));

    viewer.ShowContents();
    EXPECT_EQ(ShownFile(viewer), "index.html");
    viewer.ShowHelpOnHelp();
    EXPECT_EQ(ShownFile(viewer), "howtouse.html");
    QTest::mouseClick(viewer.BackButton, Qt::LeftButton);
    EXPECT_EQ(ShownFile(viewer), "index.html");
}

TEST_F(HelpViewerTest, FindsAPageByTitleOrKeyword)
{
    THelpViewer viewer(Folder());
    ASSERT_EQ(viewer.TopicList->count(), 4); // everything, sorted by title
    EXPECT_EQ(viewer.TopicList->item(0)->text(), "Contents");

    viewer.ShowSearch("prefer");
    ASSERT_EQ(viewer.TopicList->count(), 1);
    EXPECT_EQ(viewer.TopicList->item(0)->text(), "Preferences & Skipping");
    QTest::keyClick(viewer.SearchEdit, Qt::Key_Return);
    EXPECT_EQ(ShownFile(viewer), "1038.html");

    viewer.SearchEdit->setText("OPTIONS"); // a keyword of every page here
    EXPECT_EQ(viewer.TopicList->count(), 4);
    viewer.SearchEdit->setText("main window"); // every word must occur
    ASSERT_EQ(viewer.TopicList->count(), 1);
    viewer.SearchEdit->setText("no such topic");
    EXPECT_EQ(viewer.TopicList->count(), 0);
}

TEST(HelpViewer, MissingFolderSaysSo)
{
    THelpViewer viewer(QStringLiteral("/nonexistent/corvane-help"));
    viewer.ShowContext(1029);
    EXPECT_TRUE(viewer.HelpText->toPlainText().contains("Help is not installed"));
    EXPECT_EQ(viewer.TopicList->count(), 0);
}

// The pages shipped with the program (copied beside the test executable by the build).
TEST(ShippedHelp, EveryNamedTopicExistsAndEveryLinkLeadsToAPage)
{
    HelpLibrary library(HelpDirectory());
    ASSERT_FALSE(library.ContentsPage().isEmpty()) << library.Folder().toStdString();
    EXPECT_FALSE(library.HelpOnHelpPage().isEmpty());
    for (int context : {1015, 1021, 1023, 1026, 1029, 1030, 1033, 1037, 1038, 1039, 1040, 1091, 2098, 2099}) {
        EXPECT_FALSE(library.ContextPage(context).isEmpty()) << context;
    }

    QFile contents(library.ContentsPage());
    ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
    const QString index = QString::fromUtf8(contents.readAll());
    static const QRegularExpression link("href=\"([^\"#:]+\\.html)(#[^\"]*)?\"");
    for (const HelpTopic& topic : library.Topics()) {
        if (topic.FileName != "index.html") {
            EXPECT_TRUE(index.contains("href=\"" + topic.FileName + "\""))
                << "not in the contents: " << topic.FileName.toStdString();
        }
        QFile page(library.Folder() + topic.FileName);
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        for (auto match = link.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(QFile::exists(library.Folder() + target))
                << topic.FileName.toStdString() << " links to " << target.toStdString();
        }
    }
    // Every page has a title, so every page is in the topic list.
    const QStringList files = QDir(library.Folder()).entryList({"*.html"}, QDir::Files);
    EXPECT_EQ(static_cast<size_t>(files.size()), library.Topics().size());
}

// Qt tells a window when a modal window blocks its input and when that ends.
struct BlockedStateRecorder : QObject {
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::WindowBlocked)
            Blocked = true;
        if (event->type() == QEvent::WindowUnblocked)
            Blocked = false;
        return false;
    }
    bool Blocked = false;
};

TEST(ShowHelp, OneWindowOpensAtTheTopicAndStaysUsableOverAModalWindow)
{
    ShowHelpContext(1029);
    THelpViewer& viewer = HelpViewer();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.HelpText->source().fileName(), "1029.html");

    ShowHelpSearch("Preferences");
    EXPECT_EQ(&HelpViewer(), &viewer);
    EXPECT_EQ(viewer.SearchEdit->text(), "Preferences");
    EXPECT_GE(viewer.TopicList->count(), 1);

    // A modal window (as a dialog's Help button would be on) must not lock the help window out.
    viewer.hide();
    BlockedStateRecorder blocked;
    viewer.windowHandle()->installEventFilter(&blocked);
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    ASSERT_TRUE(blocked.Blocked);
    ShowHelpContext(1038);
    EXPECT_EQ(viewer.HelpText->source().fileName(), "1038.html");
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_FALSE(blocked.Blocked);
    dialog.close();
    viewer.hide();
}

} // namespace
} // namespace corvane
