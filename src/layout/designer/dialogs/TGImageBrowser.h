#pragma once
// "Load Image File ": a drive box, the folders and the picture files of the current folder, a
// preview of the chosen file and the "Stretch" / "AutoSize" options of the image element.

#include <QDialog>
#include <QPixmap>
#include <QString>

#include "layout/LayoutTypes.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QScrollArea;

namespace corvane {

class TGImage;

class TGImageBrowser : public QDialog {
    Q_OBJECT
  public:
    explicit TGImageBrowser(QWidget* parent = nullptr);

    // Shows the folder's subfolders and picture files; false when it is no folder.
    bool SetDirectory(const QString& path);
    QString Directory() const { return FDirectory; }
    // Chooses a file of the current folder (or a full path) and previews it. A bitmap or metafile
    // that does not load says "Error loading file!"; the other formats fail silently; either way
    // the preview is then empty.
    void ChooseFile(const QString& name);
    // The chosen file's full path; empty when none is chosen.
    QString FileName() const { return FFileName; }
    // The previewed picture as the element would store it (empty when nothing loaded).
    const TGPicture& PreviewPicture() const { return FPicture; }

    // Opens the browser with the options from the element, in the folder last browsed (else
    // `startDirectory`); on Ok with a file chosen the element takes the picture and the options and
    // tells its panel. False when cancelled or no file was chosen.
    static bool LoadImage(TGImage& image, const QString& startDirectory, QWidget* parent);

    QComboBox* DriveBox;
    QLabel* DirectoryLabel;
    QListWidget* DirectoryList;
    QListWidget* FileList;
    QScrollArea* PreviewArea;
    QLabel* Preview;
    QCheckBox* Stretch;
    QCheckBox* AutoSize;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void DriveBoxActivated(int index);
    void DirectoryListActivated(QListWidgetItem* item);
    void FileListCurrentChanged(QListWidgetItem* current);
    void StretchToggled(bool checked);
    void AutoSizeToggled(bool checked);
    void ShowPreview();

    QString FDirectory;
    QString FFileName;
    TGPicture FPicture;
    QPixmap FPreviewPixmap;
};

} // namespace corvane
