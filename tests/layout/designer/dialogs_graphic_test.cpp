// The graphic elements' dialogs: line and shape colours, and the picture browser with its folder
// lists, preview, load errors and options.

#include <QBuffer>
#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include "dialogs_test_support.h"
#include "layout/TGImage.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGLineShape.h"
#include "layout/designer/dialogs/ElementDialogs.h"
#include "layout/designer/dialogs/TGImageBrowser.h"
#include "platform/MessageService.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using testing::Control;
using testing::DialogLayout;
using testing::DialogScript;

QByteArray BitmapFile(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return buffer.data();
}

// A placeable metafile header, the plain header and the end record.
QByteArray PlaceableMetafile()
{
    return QByteArray::fromHex("d7cdc69a00000000000040014001a0050000000000000100"
                               "090000030c0000000000030000000000030000000000");
}

DialogScript::Step PickColor(QColor color, QColor* shown = nullptr)
{
    return [=](QDialog& dialog) {
        auto& colors = static_cast<QColorDialog&>(dialog);
        if (shown)
            *shown = colors.currentColor();
        colors.setCurrentColor(color);
        return QDialog::Accepted;
    };
}

// ---- lines and shapes ----

TEST(LineColorCommand, ColoursThePenOfLinesAndShapes)
{
    DialogLayout layout;
    auto& line = layout.Add<TGLineShape>();
    auto& shape = layout.Add<TGLabelShapes>();
    DialogScript script;
    QColor shown;
    script.Steps["ColorDialog"] = PickColor(QColor(0, 0, 128), &shown);
    layout.Changes = 0;
    RunElementDialogCommand(line, ElementCommand::LineColor, 0, {});
    EXPECT_EQ(shown, QColor(Qt::black));
    EXPECT_EQ(line.Pen().Color, 0x800000);
    EXPECT_EQ(line.Pen().Width, 1) << "only the colour changes";
    RunElementDialogCommand(shape, ElementCommand::LineColor, 0, {});
    EXPECT_EQ(shape.Pen().Color, 0x800000);
    EXPECT_EQ(shape.Brush().Color, clWhite);
    EXPECT_EQ(layout.Changes, 2);
}

TEST(ShapeBackgroundColorCommand, FillsTheShapeAndEndsTransparency)
{
    DialogLayout layout;
    auto& shape = layout.Add<TGLabelShapes>();
    shape.SetTransparent(true);
    shape.UpdateMenuChecks();
    DialogScript script;
    script.Steps["ColorDialog"] = PickColor(QColor(0, 128, 0));
    RunElementDialogCommand(shape, ElementCommand::ShapeBackgroundColor, 0, {});
    EXPECT_EQ(shape.Brush().Color, 0x008000);
    EXPECT_FALSE(shape.Transparent());
    EXPECT_EQ(shape.Brush().Style, TBrushStyle::bsSolid);
    EXPECT_FALSE(FindMenuItem(shape.Menu(), ElementCommand::ShapeTransparent)->Checked);
}

// ---- pictures ----

class PictureBrowser : public ::testing::Test {
  protected:
    PictureBrowser() : FMessages(Messages)
    {
        Dir = QFileInfo(QString::fromStdString(Folder.File("x"))).absolutePath();
        QDir(Dir).mkdir("stock");
        Write("red.bmp", BitmapFile(20, 10));
        QImage photo(40, 30, QImage::Format_RGB32);
        photo.fill(Qt::green);
        photo.save(Dir + "/PHOTO.JPG", "JPG");
        Write("logo.wmf", PlaceableMetafile());
        Write("broken.bmp", "BM not really");
        Write("broken.jpg", "not a jpeg");
        Write("notes.txt", "not a picture");
    }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(Dir + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Opens the browser on `folder`, chooses `file` and answers.
    DialogScript::Step Browse(QString file, bool autoSize, int answer = QDialog::Accepted)
    {
        return [=, this](QDialog& dialog) {
            auto& browser = static_cast<TGImageBrowser&>(dialog);
            EXPECT_TRUE(browser.SetDirectory(Dir));
            browser.ChooseFile(file);
            Control<QCheckBox>(dialog, autoSize ? "AutoSize" : "Stretch").setChecked(true);
            return answer;
        };
    }

    xbase::testing::ScratchFolder Folder;
    QString Dir;
    RecordingMessageService Messages;

  private:
    ScopedMessageService FMessages;
};

TEST_F(PictureBrowser, ListsFoldersAndPictureFilesOfTheMask)
{
    TGImageBrowser browser;
    EXPECT_EQ(browser.windowTitle(), "Load Image File ");
    ASSERT_TRUE(browser.SetDirectory(Dir));
    QStringList files;
    for (int row = 0; row < browser.FileList->count(); ++row)
        files << browser.FileList->item(row)->text();
    EXPECT_EQ(files, (QStringList{"broken.bmp", "broken.jpg", "logo.wmf", "PHOTO.JPG", "red.bmp"}));
    QStringList folders;
    for (int row = 0; row < browser.DirectoryList->count(); ++row)
        folders << browser.DirectoryList->item(row)->text();
    EXPECT_EQ(folders, (QStringList{"..", "stock"}));
    EXPECT_EQ(browser.Stretch->toolTip(), "Stretch image to max display size");
    EXPECT_EQ(browser.AutoSize->toolTip(), "AutoSize TImage");

    emit browser.DirectoryList->itemActivated(browser.DirectoryList->item(1));
    EXPECT_EQ(browser.Directory(), QDir(Dir + "/stock").canonicalPath());
    EXPECT_EQ(browser.FileList->count(), 0);
    emit browser.DirectoryList->itemActivated(browser.DirectoryList->item(0));
    EXPECT_EQ(browser.Directory(), QDir(Dir).canonicalPath());
    EXPECT_FALSE(browser.SetDirectory(Dir + "/red.bmp"));
}

TEST_F(PictureBrowser, PreviewAndTheOptionsThatExcludeEachOther)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetDirectory(Dir));
    browser.FileList->setCurrentItem(browser.FileList->findItems("PHOTO.JPG", Qt::MatchExactly).value(0));
    EXPECT_TRUE(browser.PreviewPicture().IsBitmap());
    EXPECT_FALSE(browser.Preview->pixmap().isNull());
    browser.AutoSize->setChecked(true);
    EXPECT_EQ(browser.Preview->size(), QSize(40, 30)) << "the preview shows the natural size";
    browser.Stretch->setChecked(true);
    EXPECT_FALSE(browser.AutoSize->isChecked());
    EXPECT_TRUE(browser.Preview->hasScaledContents());
    browser.AutoSize->setChecked(true);
    EXPECT_FALSE(browser.Stretch->isChecked());

    // A metafile that cannot be drawn (this one is a bare header) shows the crossed frame and is
    // named once, never silently.
    browser.ChooseFile("logo.wmf");
    EXPECT_TRUE(browser.PreviewPicture().IsMetafile());
    browser.ChooseFile("logo.wmf");
    ASSERT_EQ(Messages.Texts().size(), 1u);
    EXPECT_NE(Messages.Texts()[0].find("logo.wmf cannot be drawn"), std::string::npos) << Messages.Texts()[0];
}

TEST_F(PictureBrowser, OnlyBitmapsAndMetafilesReportLoadErrors)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetDirectory(Dir));
    browser.ChooseFile("red.bmp");
    ASSERT_FALSE(browser.PreviewPicture().Empty());
    browser.ChooseFile("broken.jpg");
    EXPECT_TRUE(browser.PreviewPicture().Empty()) << "the preview empties";
    EXPECT_TRUE(browser.Preview->pixmap().isNull());
    EXPECT_TRUE(Messages.Texts().empty());
    browser.ChooseFile("broken.bmp");
    EXPECT_EQ(Messages.Texts(), std::vector<std::string>{"Error loading file!"});
}

TEST_F(PictureBrowser, OkPutsThePictureAndOptionsInTheElement)
{
    DialogLayout layout;
    auto& image = layout.Add<TGImage>({10, 10, 105, 105});
    DialogScript script;
    script.Steps["TGImageBrowser"] = Browse("red.bmp", true);
    layout.Changes = 0;
    EXPECT_EQ(RunElementDialogCommand(image, ElementCommand::LoadImage, 0, {}), CommandOutcome::Done);
    ASSERT_TRUE(image.Picture().IsBitmap());
    EXPECT_EQ(image.Picture().Bytes, BitmapFile(20, 10).toStdString());
    EXPECT_TRUE(image.AutoSize());
    EXPECT_FALSE(image.Stretch());
    EXPECT_EQ(image.Bounds(), (PixelRect{10, 10, 20, 10})) << "AutoSize takes the picture's size";
    EXPECT_TRUE(FindMenuItem(image.Menu(), ElementCommand::AutoSize)->Checked);
    EXPECT_GT(layout.Changes, 0);

    script.Steps["TGImageBrowser"] = Browse("PHOTO.JPG", false);
    RunElementDialogCommand(image, ElementCommand::LoadImage, 0, {});
    EXPECT_TRUE(image.Stretch());
    EXPECT_FALSE(image.AutoSize());
    EXPECT_EQ(image.PictureSize(), (PixelRect{0, 0, 40, 30}));
    EXPECT_EQ(image.Bounds(), (PixelRect{10, 10, 20, 10})) << "a stretched picture keeps the element's size";
}

TEST_F(PictureBrowser, CancelOrABrokenFileOnOk)
{
    DialogLayout layout;
    auto& image = layout.Add<TGImage>();
    DialogScript script;
    script.Steps["TGImageBrowser"] = Browse("red.bmp", true, QDialog::Rejected);
    RunElementDialogCommand(image, ElementCommand::LoadImage, 0, {});
    EXPECT_TRUE(image.Picture().Empty());
    EXPECT_TRUE(image.Stretch());

    script.Steps["TGImageBrowser"] = Browse("red.bmp", false);
    RunElementDialogCommand(image, ElementCommand::LoadImage, 0, {});
    ASSERT_FALSE(image.Picture().Empty());
    script.Steps["TGImageBrowser"] = Browse("broken.jpg", false);
    RunElementDialogCommand(image, ElementCommand::LoadImage, 0, {});
    EXPECT_TRUE(image.Picture().Empty()) << "Ok on a file that did not load empties the picture";
    EXPECT_EQ(Messages.Texts(), std::vector<std::string>{"Error loading file!"});
}

TEST_F(PictureBrowser, StartsInThePictureFolderAndKeepsTheCurrentDirectory)
{
    DialogLayout layout;
    auto& image = layout.Add<TGImage>();
    const QString current = QDir::currentPath();
    DialogScript script;
    QString started;
    script.Steps["TGImageBrowser"] = [&started](QDialog& dialog) {
        started = static_cast<TGImageBrowser&>(dialog).Directory();
        return QDialog::Accepted;
    };
    ElementDialogContext context;
    context.PictureDirectory = Dir + "/stock";
    // The folders browsed before are gone with their tests, so the browser starts in the
    // context's.
    EXPECT_EQ(RunElementDialogCommand(image, ElementCommand::LoadImage, 0, context), CommandOutcome::Done);
    EXPECT_EQ(started, QDir(Dir + "/stock").canonicalPath());
    EXPECT_TRUE(image.Picture().Empty()) << "Ok without a file changes nothing";
    EXPECT_EQ(QDir::currentPath(), current);
}

} // namespace
} // namespace corvane
