#pragma once
// The main record window: one address record at a time, with the commands that move through,
// add, edit, save, cancel, delete and clone records, and the menus that start every other window.
// The window is thin: it reads its controls into the session's edit buffer, calls one session
// operation (app/logic/AddressSession.h) and shows the result.

#include <map>
#include <memory>
#include <vector>

#include <QMainWindow>
#include <QString>

#include "session/AddressSession.h"
#include "session/ToolWindowHandOver.h"

class QAction;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QToolButton;

namespace corvane {

enum class OlderGeneration;

class PrintEngine;
struct QueryFormLayout;

class TAddressMain : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1029;

    explicit TAddressMain(QWidget* parent = nullptr);
    ~TAddressMain() override;

    // The first activation (runs once): placement, preferences, the start-up file, the recent
    // files, the buttons, the printer check and, unless switched off, "Getting Started" queued.
    void FormActivate();

    AddressSession& Session() { return FSession; }
    // What a tool window's hand-over needs of this window (printer check, the selected printer,
    // display, buttons).
    HandOverHooks ToolHooks();
    // The printer the printing windows print on (the system's default printer at first); tests
    // hand in one of their own.
    PrintEngine& Printer();
    void SetPrinter(std::unique_ptr<PrintEngine> engine);
    // The entry widget of a field (a line edit; the date button for EntryField::Date).
    QWidget* EntryWidget(EntryField field) const;
    // Commands whose windows come with later work: in their menus, always disabled.
    static const std::vector<const char*>& LaterCommands();

    // ---- handlers ----
    void AddButtonClick();
    void EditButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void DeleteButtonClick();
    void mnuCloneClick();
    void RecordFirstClick();
    void RecordPrevClick();
    void RecordNextClick();
    void RecordLastClick();
    // The keyboard table; true when the key was the window's.
    bool FormKeyDown(QKeyEvent* key);
    void SetButtons();
    void SetSkipFields(bool on);
    void UpdateFilterStatus();
    void DateLabelClick();
    void SearchMemoButtonClick();
    void SearchMemoNextButtonClick();
    void ToClipboard1Click();
    void TaggedCheckClick();
    void mnuNewClick();
    void mnuOpenClick();
    void MRUITemClick(const QString& path);
    void UpdateMenuMRUList();
    void mnuClearFilterClick();
    void mnuSaveFilterClick();
    void mnuRestoreFilterClick();
    void mnuClearTagsClick();
    void mnuRebuildIndexesClick();
    void mnuRebuildSystemClick();
    void mnuTagAllClick();
    void mnuPreferencesClick();
    void mnuGettingStartedClick();
    void mnuAboutClick();
    // "Print &Labels" and the Labels button: the "Print Labels" window over the open file.
    void mnuPrintLabelsClick();
    void mnuPrintReportsClick();
    void mnuPrintCurrentRecordClick();
    void mnuCountZipClick();
    void mnuPrintLettersClick();
    void mnuPrintEnvelopesClick();
    // The File menu's import commands and "&Export ": their windows over the open file.
    void mnuImportASCIIClick();
    void mnuImportDBFClick();
    void mnuImportV1Click();
    void mnuImportV2Click();
    void mnuExportClick();
    // The Utilities menu's "Con&vert Case", "Delete &Records" and "&Search && Replace Field Values".
    void mnuConvertCaseClick();
    void DuplicatesReport1Click();
    void mnuCheckStateZipClick();
    void mnuDeleteRecordsClick();
    void mnuSearchReplaceClick();
    // "Dial Phone &1" / "Dial Phone &2": the dialing window with the record's PHONE or PHONE2.
    void DialButtonClick(int phone);
    void SortMenuClick(QAction* item);
    void FilterButtonClick();
    void SearchButtonClick();
    void BrowseButtonClick();
    // Where the filter window puts each criterion: the places of this window's fields.
    QueryFormLayout FilterBoxLayout();
    // Shows the current record (or the edit buffer) in the controls.
    void ShowRecord();

    // ---- controls (object names as the members are named) ----
    QToolButton* LabelsButton;
    QToolButton* LettersButton;
    QToolButton* EnvelopesButton;
    QToolButton* ReportsButton;
    QToolButton* BrowseButton;
    QToolButton* SearchButton;
    QToolButton* FilterButton;
    QToolButton* MouseHelpButton;

    QStackedWidget* RecordStack;
    QLabel* NoDataPanel;
    QWidget* RecordArea;

    QLineEdit* LastEdit;
    QLineEdit* FirstEdit;
    QLineEdit* MIEdit;
    QLineEdit* PrefixEdit;
    QLineEdit* TitleEdit;
    QLineEdit* OrgEdit;
    QTabWidget* TabSet;
    QLineEdit* Address1Edit;
    QLineEdit* Address2Edit;
    QLineEdit* CityEdit;
    QLineEdit* StateEdit;
    QLineEdit* ZipEdit;
    QLineEdit* CountryEdit;
    QLineEdit* Phone1Edit;
    QLineEdit* Phone2Edit;
    QLineEdit* FaxEdit;
    QLineEdit* EmailEdit;
    QLineEdit* CodesEdit;
    QLineEdit* Comment1Edit;
    QLineEdit* Comment2Edit;
    QPushButton* DialPhone1Button;
    QPushButton* DialPhone2Button;
    QPushButton* DateLabel;
    QLineEdit* DateDisplay;
    QCheckBox* TaggedCheck;
    QPlainTextEdit* MemoEdit;
    QPushButton* SearchMemoButton;
    QPushButton* SearchMemoNextButton;

    QPushButton* RecordFirst;
    QPushButton* RecordPrev;
    QPushButton* RecordNext;
    QPushButton* RecordLast;
    QPushButton* SaveButton;
    QPushButton* CancelButton;
    QPushButton* AddButton;
    QPushButton* EditButton;
    QPushButton* DeleteButton;
    QPushButton* ExitButton;
    QPushButton* ClearfilterButton;

    QLabel* SortStatus;
    QLabel* FilterStatus;

    QMenu* FileMenu;
    QMenu* EditMenu;
    QMenu* RecordMenu;
    QMenu* SortMenu;
    QMenu* UtilitiesMenu;
    QMenu* PrintMenu;
    QMenu* HelpMenu;

  signals:
    // The window has closed (the program ends).
    void Closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateToolBar();
    void CreateRecordArea();
    void CreateBottomBar();
    void CreateMenus();
    void InstallHelpTexts();
    QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                         void (TAddressMain::*handler)() = nullptr, const QKeySequence& shortcut = {});
    void ReadControls();
    void StartEditing();
    void AfterFileChange();
    void RunMemoSearch(const QString& text, bool fromFirst);
    Status RebuildWithGauge(xbase::Table& table);
    template <class Window> void ImportWithMatching();
    void ImportOlder(OlderGeneration generation);
    // Display updates of the record area: off while a tool window works on the table; turned on
    // again, the area shows the record that is current then.
    void SuspendDisplay(bool suspended);
    void EditMenuCommand(int command);
    bool IsEntryWidget(const QObject* object) const;

    AddressSession FSession;
    std::unique_ptr<PrintEngine> FPrintEngine;
    QString FRememberedPrinter;
    std::map<EntryField, QWidget*> FEntryWidgets;
    std::map<EntryField, QLineEdit*> FLineEdits;
    std::vector<QAction*> FSortItems;
    QAction* FRecentSeparator = nullptr;
    bool FActivated = false;
    bool FLoadingRecord = false;
    QString FFilterFolder;
};

} // namespace corvane
