#pragma once
// "Copy Records Out": copies the records that pass the main window's filter, in its order, to a
// new dBase file (default) or a comma-delimited text file. The main window lends its table (the
// hand-over remembers the record and puts it back afterwards).

#include <optional>
#include <string>

#include <QDialog>

#include "importexport/AddressExport.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace corvane {

class TCopyOut : public QDialog {
    Q_OBJECT
  public:
    TCopyOut(xbase::Table& addressTable, QWidget* parent = nullptr);

    ExportKind Kind() const;
    QString FileName() const;
    bool Copying() const { return FCopying; }
    // What "Save As" does once the dialog gave `chosen` (empty: cancelled). Returns the result
    // when a copy ran.
    std::optional<ExportResult> SaveTo(const QString& chosen);

    QLabel* NoteLabel = nullptr;
    QRadioButton* DbfChoice = nullptr;
    QRadioButton* AsciiChoice = nullptr;
    QLabel* FileNameLabel = nullptr;
    QWidget* CopyPanel = nullptr;
    QLabel* CopyingLabel = nullptr;
    QProgressBar* Gauge = nullptr;
    QPushButton* SaveAsButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* MouseHelpButton = nullptr;

  public slots:
    void SaveAsButtonClick();
    void CancelButtonClick();

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void SetFileName(const QString& name);

    xbase::Table& FTable;
    bool FCopying = false;
    bool FCancelRequested = false;
};

} // namespace corvane
