#include "layout/designer/dialogs/TGImageBrowser.h"

#include <set>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include "layout/ElementDialogModels.h"
#include "layout/MetafilePlayer.h"
#include "layout/PictureLoader.h"
#include "layout/QPainterElementPainter.h"
#include "layout/TGImage.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/MessageService.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

constexpr const char* kLoadError = "Error loading file!";

// The folder the browser showed last in this run: the next one starts there.
QString& LastDirectory()
{
    static QString directory;
    return directory;
}

QStringList NameFilters()
{
    QStringList filters;
    for (const std::string& pattern : ImageFilePatterns())
        filters << QString::fromStdString(pattern);
    return filters;
}

} // namespace

TGImageBrowser::TGImageBrowser(QWidget* parent) : QDialog(parent)
{
    setObjectName("TGImageBrowser");
    setWindowTitle("Load Image File ");
    DriveBox = new QComboBox(this);
    DriveBox->setObjectName("DriveBox");
    for (const QFileInfo& drive : QDir::drives())
        DriveBox->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()), drive.absoluteFilePath());
    DirectoryLabel = new QLabel(this);
    DirectoryLabel->setObjectName("DirectoryLabel");
    DirectoryList = new QListWidget(this);
    DirectoryList->setObjectName("DirectoryList");
    FileList = new QListWidget(this);
    FileList->setObjectName("FileList");
    PreviewArea = new QScrollArea(this);
    PreviewArea->setObjectName("PreviewArea");
    Preview = new QLabel;
    Preview->setObjectName("Preview");
    Preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PreviewArea->setWidget(Preview);
    PreviewArea->setMinimumSize(220, 220);

    auto* options = new QGroupBox(" Options ", this);
    options->setObjectName("Options");
    Stretch = new QCheckBox("Stretch", options);
    Stretch->setObjectName("Stretch");
    Stretch->setToolTip("Stretch image to max display size");
    AutoSize = new QCheckBox("AutoSize", options);
    AutoSize->setObjectName("AutoSize");
    AutoSize->setToolTip("AutoSize TImage");
    auto* optionsLayout = new QHBoxLayout(options);
    optionsLayout->addWidget(Stretch);
    optionsLayout->addWidget(AutoSize);

    auto* browse = new QVBoxLayout;
    browse->addWidget(DriveBox);
    browse->addWidget(DirectoryLabel);
    browse->addWidget(DirectoryList, 1);
    browse->addWidget(FileList, 1);
    auto* show = new QVBoxLayout;
    show->addWidget(PreviewArea, 1);
    show->addWidget(options);
    auto* top = new QHBoxLayout;
    top->addLayout(browse, 1);
    top->addLayout(show, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Load Image");
    layout->addLayout(row);

    connect(DriveBox, &QComboBox::activated, this, &TGImageBrowser::DriveBoxActivated);
    connect(DirectoryList, &QListWidget::itemActivated, this, &TGImageBrowser::DirectoryListActivated);
    connect(FileList, &QListWidget::currentItemChanged, this, &TGImageBrowser::FileListCurrentChanged);
    connect(FileList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(Stretch, &QCheckBox::toggled, this, &TGImageBrowser::StretchToggled);
    connect(AutoSize, &QCheckBox::toggled, this, &TGImageBrowser::AutoSizeToggled);

    InstallWhatsThis(this, {{"DriveBox", "The drive whose folders are listed."},
                            {"DirectoryList", "The folders: double-click one to open it, \"..\" to go up."},
                            {"FileList", "The picture files of the folder; select one to see it."},
                            {"Preview", "The selected picture."},
                            {"Stretch", "The picture is stretched to the size you give the element."},
                            {"AutoSize", "The element takes the picture's own size."},
                            {"OkButton", "Puts the selected picture in the element."},
                            {"CancelButton", "Closes the window and leaves the element as it was."},
                            {"HelpButton", "Shows the help on pictures."}});
    resize(620, 440);
    CentreForm(this);
}

bool TGImageBrowser::SetDirectory(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    FDirectory = QDir(info.absoluteFilePath()).canonicalPath();
    DirectoryLabel->setText(QDir::toNativeSeparators(FDirectory));
    const QDir directory(FDirectory);

    const QString root = QDir(FDirectory).rootPath();
    for (int index = 0; index < DriveBox->count(); ++index)
        if (DriveBox->itemData(index).toString() == root)
            DriveBox->setCurrentIndex(index);

    DirectoryList->clear();
    if (!directory.isRoot())
        DirectoryList->addItem("..");
    DirectoryList->addItems(
        directory.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));

    const QSignalBlocker blocker(FileList);
    FileList->clear();
    QDir files(FDirectory);
    files.setNameFilters(NameFilters());
    files.setFilter(QDir::Files);
    files.setSorting(QDir::Name | QDir::IgnoreCase);
    FileList->addItems(files.entryList());
    FFileName.clear();
    FPicture = {};
    FPreviewPixmap = {};
    ShowPreview();
    LastDirectory() = FDirectory;
    return true;
}

void TGImageBrowser::DriveBoxActivated(int index)
{
    SetDirectory(DriveBox->itemData(index).toString());
}

void TGImageBrowser::DirectoryListActivated(QListWidgetItem* item)
{
    if (item)
        SetDirectory(QDir(FDirectory).absoluteFilePath(item->text()));
}

void TGImageBrowser::FileListCurrentChanged(QListWidgetItem* current)
{
    if (current)
        ChooseFile(current->text());
}

void TGImageBrowser::ChooseFile(const QString& name)
{
    const QString path = QFileInfo(name).isAbsolute() ? name : QDir(FDirectory).absoluteFilePath(name);
    FFileName = path;
    FPicture = {};
    FPreviewPixmap = {};
    Result<LoadedPicture> loaded = LoadPictureFile(path);
    Result<TGPicture> picture = Result<TGPicture>::Error("not loaded");
    if (loaded) {
        QFile file(path);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        picture = StoredPicture(*loaded, bytes);
    }
    if (!loaded || !picture) {
        if (ReportsImageLoadError(path))
            ShowInfo(kLoadError);
        ShowPreview();
        return;
    }
    FPicture = picture.Take();
    if (loaded->IsMetafile()) {
        FPreviewPixmap = QPixmap(200, 200);
        FPreviewPixmap.fill(Qt::white);
        QPainter painter(&FPreviewPixmap);
        QPainterElementPainter elementPainter(painter, TGGraphicControl::DefaultPixelsPerInch);
        const Result<QPicture> played = PlayMetafile(loaded->MetafileBytes);
        if (played) {
            elementPainter.StretchPicture(QRectF(0, 0, 200, 200), *played);
        } else {
            // Never silently nothing: the frame shows where it goes, and the user learns why once.
            DrawMetafilePlaceholder(elementPainter, QRectF(0, 0, 200, 200));
            static std::set<QString> told;
            if (told.insert(path).second)
                ShowInfo(path.toStdString() + " cannot be drawn (" + played.Message() +
                         "); it shows as a crossed frame.");
        }
    } else {
        FPreviewPixmap = QPixmap::fromImage(loaded->Bitmap);
    }
    ShowPreview();
}

void TGImageBrowser::ShowPreview()
{
    if (FPreviewPixmap.isNull()) {
        Preview->clear();
        Preview->resize(0, 0);
        return;
    }
    Preview->setPixmap(FPreviewPixmap);
    if (Stretch->isChecked()) {
        Preview->setScaledContents(true);
        Preview->resize(PreviewArea->viewport()->size());
    } else {
        Preview->setScaledContents(false);
        Preview->resize(FPreviewPixmap.size());
    }
}

void TGImageBrowser::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    ShowPreview();
}

void TGImageBrowser::StretchToggled(bool checked)
{
    if (checked)
        AutoSize->setChecked(false);
    ShowPreview();
}

void TGImageBrowser::AutoSizeToggled(bool checked)
{
    if (checked)
        Stretch->setChecked(false);
    ShowPreview();
}

bool TGImageBrowser::LoadImage(TGImage& image, const QString& startDirectory, QWidget* parent)
{
    const QString remembered = QDir::currentPath();
    TGImageBrowser dialog(parent);
    dialog.Stretch->setChecked(image.Stretch());
    dialog.AutoSize->setChecked(image.AutoSize());
    if (!dialog.SetDirectory(LastDirectory()) && !dialog.SetDirectory(startDirectory))
        dialog.SetDirectory(remembered);
    const bool accepted = RunModalDialog(dialog) == QDialog::Accepted && !dialog.FileName().isEmpty();
    if (accepted) {
        if (dialog.PreviewPicture().Empty())
            ShowInfo(kLoadError);
        // The options first: the new picture sizes the element by the options it comes with.
        image.SetStretch(dialog.Stretch->isChecked());
        image.SetAutoSize(dialog.AutoSize->isChecked());
        image.SetPicture(dialog.PreviewPicture());
        image.UpdateMenuChecks();
        image.NotifyChanged();
    }
    QDir::setCurrent(remembered);
    return accepted;
}

} // namespace corvane
