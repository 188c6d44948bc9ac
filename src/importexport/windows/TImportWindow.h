#pragma once
// What the three import windows share: the chosen file's name, a status label, the gauge, the
// buttons "Select ... File", "Match Fields" (the matching imports), "Import", "Cancel" and
// "Help", and the run: the production index goes, the records are appended with the gauge
// following, the closing message is shown, the tags are rebuilt ("Rebuilding Indexes ", Cancel
// hidden) and the window closes. Cancel is ignored while the tags are rebuilt, asks the import
// to stop while it runs, and closes the window otherwise; the close box is Cancel.

#include <functional>

#include <QDialog>

#include "importexport/AddressAppender.h"
#include "importexport/ImportProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace corvane {

class TImportWindow : public QDialog {
    Q_OBJECT
  public:
    bool Importing() const { return FImporting; }
    bool Rebuilding() const { return FRebuilding; }
    QString FileName() const;

    QLabel* FileCaption = nullptr;
    QLabel* FileNameLabel = nullptr;
    QLabel* StatusLabel = nullptr;
    QProgressBar* Gauge = nullptr;
    QPushButton* SelectButton = nullptr;
    QPushButton* MatchButton = nullptr; // nullptr where there is nothing to match
    QPushButton* ImportButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* MouseHelpButton = nullptr;

  public slots:
    void CancelButtonClick();
    void HelpButtonClick();

  protected:
    TImportWindow(const QString& caption, const QString& fileCaption, const QString& selectCaption,
                  bool withMatch, int helpContext, QWidget* parent);

    void SetFileName(const QString& name); // "(none)" for an empty name
    void SetStatus(const QString& text);
    // Appends through `import` into `table` (the address file, open exclusively), then shows the
    // closing message and rebuilds the tags. Returns the result; the window is closed after it.
    ImportResult RunImport(xbase::Table& table,
                           const std::function<ImportResult(AddressAppender&, const JobControl&)>& import);

    void reject() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowRunning(bool running);

    int FHelpContext;
    bool FImporting = false;
    bool FRebuilding = false;
    bool FCancelRequested = false;
};

} // namespace corvane
