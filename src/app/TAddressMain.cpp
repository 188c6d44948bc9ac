#include "app/TAddressMain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include "app/TAddressBrowseForm.h"
#include "app/TAddressQueryForm.h"
#include "app/TCVReindex.h"
#include "app/TCVWSearching.h"
#include "app/TCopyToClipBoard.h"
#include "app/TDateSelector.h"
#include "app/TGetFirstLastZip.h"
#include "app/TGettingStarted.h"
#include "app/TNewDataBaseName.h"
#include "app/TPreferences.h"
#include "app/TSearchBox.h"
#include "app/TSplashform.h"
#include "app/TSystemReindex.h"
#include "bulkmail/windows/TCountZipCodes.h"
#include "core/AddressFile.h"
#include "core/FieldOrderFile.h"
#include "core/RecentFiles.h"
#include "core/Reindex.h"
#include "dialer/windows/TCVDialer.h"
#include "envelopes/windows/TCVEnvelopes.h"
#include "importexport/windows/TAsciiImport.h"
#include "importexport/windows/TCopyOut.h"
#include "importexport/windows/TDBFImport.h"
#include "importexport/windows/TImportOlder.h"
#include "labels/windows/TLabelSetupScreen.h"
#include "letters/windows/TCVLetters.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/Mnemonics.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterCheck.h"
#include "reports/windows/TPrintCurrentRecord.h"
#include "reports/windows/TReportSetup.h"
#include "session/FilterFile.h"
#include "session/FilterQuery.h"
#include "session/RecordClipboard.h"
#include "session/RecordSearch.h"
#include "session/SortOrders.h"
#include "session/Tagging.h"
#include "utilities/windows/TConvertToUpper.h"
#include "utilities/windows/TDupCheck.h"
#include "utilities/windows/TTagAllRecords.h"
#include "bulkmail/windows/TStateZipCheck.h"
#include "utilities/windows/TDeleteRecords.h"
#include "utilities/windows/TSearchAndReplace.h"

namespace corvane {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QString& text)
{
    return text.toStdString();
}

// Memos are stored with CR LF line ends; the memo box works with LF.
QString MemoForDisplay(const std::string& memo)
{
    return Q(memo).replace("\r\n", "\n");
}

std::string MemoForStorage(const QString& text)
{
    return S(QString(text).replace("\n", "\r\n"));
}

// "MI" takes its letters in upper case as they are typed.
class UpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

enum EditCommand { UndoCommand, CutCommand, CopyCommand, PasteCommand };

struct FieldBinding {
    EntryField Field;
    const char* Name; // stored field
};

constexpr FieldBinding Bindings[] = {
    {EntryField::LastName, "LNAME"},  {EntryField::FirstName, "FNAME"},  {EntryField::Middle, "MIDDLE"},
    {EntryField::Prefix, "PREFIX"},   {EntryField::Title, "TITLE"},      {EntryField::Org, "ORG"},
    {EntryField::Address1, "STREET"}, {EntryField::Address2, "STREET2"}, {EntryField::City, "CITY"},
    {EntryField::State, "STATE"},     {EntryField::Zip, "ZIP"},          {EntryField::Country, "COUNTRY"},
    {EntryField::Phone1, "PHONE"},    {EntryField::Phone2, "PHONE2"},    {EntryField::Fax, "FAX"},
    {EntryField::Email, "EMAIL"},     {EntryField::Codes, "CODES"},      {EntryField::Comment1, "USER1"},
    {EntryField::Comment2, "USER2"},
};

QLineEdit* NamedEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* NamedPushButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

const std::vector<const char*>& TAddressMain::LaterCommands()
{
    // Every command of the window is built now; a command added before its window is listed here.
    static const std::vector<const char*> names;
    return names;
}

TAddressMain::TAddressMain(QWidget* parent)
    : QMainWindow(parent),
      FSession(SessionHooks{[this](xbase::Table& table) { return RebuildWithGauge(table); }})
{
    setObjectName("TAddressMain");
    setWindowTitle("Corvane");
    setFont(QFont("Arial", font().pointSize()));
    CreateToolBar();
    CreateRecordArea();
    CreateMenus();
    InstallHelpTexts();
    SortStatus->clear();
    FilterStatus->clear();
    resize(760, 600);
    qApp->installEventFilter(this);
    SetButtons();
}

TAddressMain::~TAddressMain()
{
    qApp->removeEventFilter(this);
}

// ---- building the window ----

void TAddressMain::CreateToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName("ToolBar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct Tool {
        QToolButton** Button;
        const char* Name;
        const char* Caption;
        const char* Hint;
    };
    const Tool tools[] = {
        {&LabelsButton, "LabelsButton", "Labels", "Click here or press CTRL+L to print/design labels"},
        {&LettersButton, "LettersButton", "Letters", "Click here or press CTRL+T to print/design letters"},
        {&EnvelopesButton, "EnvelopesButton", "Envelopes",
         "Click here or press CTRL+E to print/design envelopes"},
        {&ReportsButton, "ReportsButton", "Reports", "Click here or press CTRL+R to print/design reports"},
        {&BrowseButton, "BrowseButton", "Browse",
         "Click here or press CTRL+B for a table view of the database"},
        {&SearchButton, "SearchButton", "Search",
         "Click here or press CTRL+S to search for a specific value"},
        {&FilterButton, "FilterButton", "Filter", "Click here or press CTRL+F to set or change a filter"},
    };
    for (const Tool& tool : tools) {
        auto* button = new QToolButton(bar);
        button->setObjectName(tool.Name);
        button->setText(tool.Caption);
        button->setToolTip(tool.Hint);
        button->setStatusTip(tool.Hint);
        button->setMinimumWidth(72);
        bar->addWidget(button);
        *tool.Button = button;
    }
    connect(LabelsButton, &QToolButton::clicked, this, &TAddressMain::mnuPrintLabelsClick);
    connect(ReportsButton, &QToolButton::clicked, this, &TAddressMain::mnuPrintReportsClick);
    connect(LettersButton, &QToolButton::clicked, this, &TAddressMain::mnuPrintLettersClick);
    connect(EnvelopesButton, &QToolButton::clicked, this, &TAddressMain::mnuPrintEnvelopesClick);
    connect(BrowseButton, &QToolButton::clicked, this, &TAddressMain::BrowseButtonClick);
    connect(SearchButton, &QToolButton::clicked, this, &TAddressMain::SearchButtonClick);
    connect(FilterButton, &QToolButton::clicked, this, &TAddressMain::FilterButtonClick);
    bar->addSeparator();
    MouseHelpButton = CreateMouseHelpButton(bar);
    MouseHelpButton->setToolTip("Click here for mouse help");
    bar->addWidget(MouseHelpButton);
    addToolBar(Qt::TopToolBarArea, bar);
}

void TAddressMain::CreateRecordArea()
{
    auto* central = new QWidget(this);
    central->setObjectName("CentralArea");
    auto* centralLayout = new QVBoxLayout(central);

    RecordStack = new QStackedWidget(central);
    RecordStack->setObjectName("RecordStack");
    RecordArea = new QWidget(RecordStack);
    RecordArea->setObjectName("RecordArea");
    NoDataPanel = new QLabel("Please Open or Create a Corvane Address file", RecordStack);
    NoDataPanel->setObjectName("NoDataPanel");
    NoDataPanel->setAlignment(Qt::AlignCenter);
    NoDataPanel->setWordWrap(true);
    QFont large = NoDataPanel->font();
    large.setPointSize(20);
    large.setBold(true);
    large.setItalic(true);
    NoDataPanel->setFont(large);
    RecordStack->addWidget(RecordArea);
    RecordStack->addWidget(NoDataPanel);

    // Name area.
    auto* recordLayout = new QVBoxLayout(RecordArea);
    recordLayout->setContentsMargins(0, 0, 0, 0);
    auto* names = new QGridLayout;
    LastEdit = NamedEdit("LastEdit", RecordArea);
    FirstEdit = NamedEdit("FirstEdit", RecordArea);
    MIEdit = NamedEdit("MIEdit", RecordArea);
    MIEdit->setValidator(new UpperCaseValidator(MIEdit));
    MIEdit->setMaximumWidth(40);
    PrefixEdit = NamedEdit("PrefixEdit", RecordArea);
    TitleEdit = NamedEdit("TitleEdit", RecordArea);
    OrgEdit = NamedEdit("OrgEdit", RecordArea);
    names->addWidget(Caption("Last", LastEdit, RecordArea), 0, 0);
    names->addWidget(LastEdit, 0, 1);
    names->addWidget(Caption("First", FirstEdit, RecordArea), 0, 2);
    names->addWidget(FirstEdit, 0, 3);
    names->addWidget(Caption("MI", MIEdit, RecordArea), 0, 4);
    names->addWidget(MIEdit, 0, 5);
    names->addWidget(Caption("Prefix", PrefixEdit, RecordArea), 1, 0);
    names->addWidget(PrefixEdit, 1, 1);
    names->addWidget(Caption("Title", TitleEdit, RecordArea), 1, 2);
    names->addWidget(TitleEdit, 1, 3, 1, 3);
    names->addWidget(Caption("Org", OrgEdit, RecordArea), 2, 0);
    names->addWidget(OrgEdit, 2, 1, 1, 5);
    names->setColumnStretch(1, 1);
    names->setColumnStretch(3, 1);
    recordLayout->addLayout(names);

    // Tabs.
    TabSet = new QTabWidget(RecordArea);
    TabSet->setObjectName("TabSet");
    auto* addressPage = new QWidget(TabSet);
    addressPage->setObjectName("AddressPage");
    auto* grid = new QGridLayout(addressPage);
    Address1Edit = NamedEdit("Address1Edit", addressPage);
    Address2Edit = NamedEdit("Address2Edit", addressPage);
    CityEdit = NamedEdit("CityEdit", addressPage);
    StateEdit = NamedEdit("StateEdit", addressPage);
    ZipEdit = NamedEdit("ZipEdit", addressPage);
    CountryEdit = NamedEdit("CountryEdit", addressPage);
    Phone1Edit = NamedEdit("Phone1Edit", addressPage);
    Phone2Edit = NamedEdit("Phone2Edit", addressPage);
    FaxEdit = NamedEdit("FaxEdit", addressPage);
    EmailEdit = NamedEdit("EmailEdit", addressPage);
    CodesEdit = NamedEdit("CodesEdit", addressPage);
    Comment1Edit = NamedEdit("Comment1Edit", addressPage);
    Comment2Edit = NamedEdit("Comment2Edit", addressPage);
    DialPhone1Button = NamedPushButton("DialPhone1Button", "Dial Phone &1", addressPage);
    DialPhone2Button = NamedPushButton("DialPhone2Button", "Dial Phone &2", addressPage);
    DateLabel = NamedPushButton("DateLabel", "Date", addressPage);
    DateDisplay = NamedEdit("DateDisplay", addressPage);
    DateDisplay->setReadOnly(true);
    DateDisplay->setFocusPolicy(Qt::NoFocus);
    // Hidden while editing; their places stay, so the fields around them do not move.
    for (QPushButton* button : {DialPhone1Button, DialPhone2Button}) {
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
    }
    TaggedCheck = new QCheckBox("Tagged", addressPage);
    TaggedCheck->setObjectName("TaggedCheck");

    int row = 0;
    grid->addWidget(Caption("Address 1", Address1Edit, addressPage), row, 0);
    grid->addWidget(Address1Edit, row++, 1, 1, 5);
    grid->addWidget(Caption("Address 2", Address2Edit, addressPage), row, 0);
    grid->addWidget(Address2Edit, row++, 1, 1, 5);
    grid->addWidget(Caption("City", CityEdit, addressPage), row, 0);
    grid->addWidget(CityEdit, row, 1);
    grid->addWidget(Caption("State or Prov", StateEdit, addressPage), row, 2);
    grid->addWidget(StateEdit, row, 3);
    grid->addWidget(Caption("Zip or Postal ", ZipEdit, addressPage), row, 4);
    grid->addWidget(ZipEdit, row++, 5);
    grid->addWidget(Caption("Country", CountryEdit, addressPage), row, 0);
    grid->addWidget(CountryEdit, row++, 1);
    grid->addWidget(Caption("Phone 1", Phone1Edit, addressPage), row, 0);
    grid->addWidget(Phone1Edit, row, 1);
    grid->addWidget(DialPhone1Button, row, 2);
    grid->addWidget(Caption("Phone 2", Phone2Edit, addressPage), row, 3);
    grid->addWidget(Phone2Edit, row, 4);
    grid->addWidget(DialPhone2Button, row++, 5);
    grid->addWidget(Caption("Fax", FaxEdit, addressPage), row, 0);
    grid->addWidget(FaxEdit, row, 1);
    grid->addWidget(Caption("E-mail", EmailEdit, addressPage), row, 2);
    grid->addWidget(EmailEdit, row++, 3, 1, 3);
    grid->addWidget(Caption("Codes", CodesEdit, addressPage), row, 0);
    grid->addWidget(CodesEdit, row++, 1);
    grid->addWidget(Caption("Comment 1", Comment1Edit, addressPage), row, 0);
    grid->addWidget(Comment1Edit, row++, 1, 1, 5);
    grid->addWidget(Caption("Comment 2", Comment2Edit, addressPage), row, 0);
    grid->addWidget(Comment2Edit, row++, 1, 1, 5);
    grid->addWidget(DateLabel, row, 0);
    grid->addWidget(DateDisplay, row, 1);
    grid->addWidget(TaggedCheck, row++, 3);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(4, 1);
    grid->setColumnStretch(5, 1);
    TabSet->addTab(addressPage, "Address &Information");

    auto* memoPage = new QWidget(TabSet);
    memoPage->setObjectName("MemoPage");
    auto* memoLayout = new QVBoxLayout(memoPage);
    MemoEdit = new QPlainTextEdit(memoPage);
    MemoEdit->setObjectName("MemoEdit");
    MemoEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoLayout->addWidget(MemoEdit, 1);
    auto* memoButtons = new QHBoxLayout;
    SearchMemoButton = NamedPushButton("SearchMemoButton", "Search &Memo", memoPage);
    SearchMemoNextButton = NamedPushButton("SearchMemoNextButton", "Find &Next", memoPage);
    memoButtons->addWidget(SearchMemoButton);
    memoButtons->addWidget(SearchMemoNextButton);
    memoButtons->addStretch(1);
    memoLayout->addLayout(memoButtons);
    TabSet->addTab(memoPage, "&Memo");
    recordLayout->addWidget(TabSet, 1);

    centralLayout->addWidget(RecordStack, 1);
    setCentralWidget(central);
    CreateBottomBar();

    // Status line.
    SortStatus = new QLabel(this);
    SortStatus->setObjectName("SortStatus");
    FilterStatus = new QLabel(this);
    FilterStatus->setObjectName("FilterStatus");
    statusBar()->setObjectName("StatusLine");
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setStyleSheet("QStatusBar { background: #FFFFE1; } QLabel { padding: 0 8px; }");
    statusBar()->addWidget(SortStatus, 1);
    statusBar()->addWidget(FilterStatus, 1);

    const std::pair<EntryField, QLineEdit*> edits[] = {
        {EntryField::LastName, LastEdit},     {EntryField::FirstName, FirstEdit},
        {EntryField::Middle, MIEdit},         {EntryField::Prefix, PrefixEdit},
        {EntryField::Title, TitleEdit},       {EntryField::Org, OrgEdit},
        {EntryField::Address1, Address1Edit}, {EntryField::Address2, Address2Edit},
        {EntryField::City, CityEdit},         {EntryField::State, StateEdit},
        {EntryField::Zip, ZipEdit},           {EntryField::Country, CountryEdit},
        {EntryField::Phone1, Phone1Edit},     {EntryField::Phone2, Phone2Edit},
        {EntryField::Fax, FaxEdit},           {EntryField::Email, EmailEdit},
        {EntryField::Codes, CodesEdit},       {EntryField::Comment1, Comment1Edit},
        {EntryField::Comment2, Comment2Edit},
    };
    for (const auto& [field, edit] : edits) {
        FLineEdits[field] = edit;
        FEntryWidgets[field] = edit;
        connect(edit, &QLineEdit::textEdited, this, &TAddressMain::StartEditing);
    }
    FEntryWidgets[EntryField::Date] = DateLabel;

    connect(MemoEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (!FLoadingRecord)
            StartEditing();
    });
    connect(DateLabel, &QPushButton::clicked, this, &TAddressMain::DateLabelClick);
    connect(DialPhone1Button, &QPushButton::clicked, this, [this] { DialButtonClick(1); });
    connect(DialPhone2Button, &QPushButton::clicked, this, [this] { DialButtonClick(2); });
    connect(TaggedCheck, &QCheckBox::clicked, this, &TAddressMain::TaggedCheckClick);
    connect(SearchMemoButton, &QPushButton::clicked, this, &TAddressMain::SearchMemoButtonClick);
    connect(SearchMemoNextButton, &QPushButton::clicked, this, &TAddressMain::SearchMemoNextButtonClick);
}

void TAddressMain::CreateBottomBar()
{
    auto* bar = new QWidget(centralWidget());
    bar->setObjectName("BottomBar");
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    RecordFirst = NamedPushButton("RecordFirst", "|<", bar);
    RecordPrev = NamedPushButton("RecordPrev", "<", bar);
    RecordNext = NamedPushButton("RecordNext", ">", bar);
    RecordLast = NamedPushButton("RecordLast", ">|", bar);
    RecordFirst->setToolTip("First record");
    RecordPrev->setToolTip("Previous record");
    RecordNext->setToolTip("Next record");
    RecordLast->setToolTip("Last record");
    for (QPushButton* button : {RecordFirst, RecordPrev, RecordNext, RecordLast}) {
        button->setFixedWidth(36);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    SaveButton = NamedPushButton("SaveButton", "&Save", bar);
    CancelButton = NamedPushButton("CancelButton", "&Cancel", bar);
    AddButton = NamedPushButton("AddButton", "&Add", bar);
    EditButton = NamedPushButton("EditButton", "&Edit", bar);
    DeleteButton = NamedPushButton("DeleteButton", "&Delete", bar);
    ExitButton = NamedPushButton("ExitButton", "E&xit", bar);
    ClearfilterButton = NamedPushButton("ClearfilterButton", "Clear Filter", bar);
    for (QPushButton* button :
         {SaveButton, CancelButton, AddButton, EditButton, DeleteButton, ExitButton, ClearfilterButton})
        layout->addWidget(button);
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(bar);

    connect(RecordFirst, &QPushButton::clicked, this, &TAddressMain::RecordFirstClick);
    connect(RecordPrev, &QPushButton::clicked, this, &TAddressMain::RecordPrevClick);
    connect(RecordNext, &QPushButton::clicked, this, &TAddressMain::RecordNextClick);
    connect(RecordLast, &QPushButton::clicked, this, &TAddressMain::RecordLastClick);
    connect(SaveButton, &QPushButton::clicked, this, &TAddressMain::SaveButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TAddressMain::CancelButtonClick);
    connect(AddButton, &QPushButton::clicked, this, &TAddressMain::AddButtonClick);
    connect(EditButton, &QPushButton::clicked, this, &TAddressMain::EditButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TAddressMain::DeleteButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ClearfilterButton, &QPushButton::clicked, this, &TAddressMain::mnuClearFilterClick);
}

QAction* TAddressMain::AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                                   void (TAddressMain::*handler)(), const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    return action;
}

void TAddressMain::CreateMenus()
{
    auto namedMenu = [this](const char* name, const QString& title) {
        QMenu* menu = menuBar()->addMenu(title);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(QString(name) + "Item");
        return menu;
    };

    FileMenu = namedMenu("FileMenu", "&File");
    AddMenuItem(FileMenu, "mnuNew", "&New Address Database", &TAddressMain::mnuNewClick);
    AddMenuItem(FileMenu, "mnuOpen", "&Open Address DataBase", &TAddressMain::mnuOpenClick);
    FileMenu->addSeparator();
    AddMenuItem(FileMenu, "mnuBrowse", "&Browse", &TAddressMain::BrowseButtonClick, QKeySequence("Ctrl+B"));
    AddMenuItem(FileMenu, "mnuSearch", "&Search", &TAddressMain::SearchButtonClick, QKeySequence("Ctrl+S"));
    FileMenu->addSeparator();
    QMenu* import = FileMenu->addMenu("&Import");
    import->setObjectName("ImportMenu");
    import->menuAction()->setObjectName("mnuImport");
    AddMenuItem(import, "mnuImportDBF", "Import from &DBF File", &TAddressMain::mnuImportDBFClick);
    AddMenuItem(import, "mnuImportASCII", "Import from &ASCII File", &TAddressMain::mnuImportASCIIClick);
    AddMenuItem(import, "mnuImportV1", "Import from Corvane 1.x DBF", &TAddressMain::mnuImportV1Click);
    AddMenuItem(import, "mnuImportV2", "Import from Corvane 2.x DBF", &TAddressMain::mnuImportV2Click);
    AddMenuItem(FileMenu, "mnuExport", "&Export ", &TAddressMain::mnuExportClick);
    FileMenu->addSeparator();
    AddMenuItem(FileMenu, "mnuSetFilter", "Set &Filter", &TAddressMain::FilterButtonClick,
                QKeySequence("Ctrl+F"));
    AddMenuItem(FileMenu, "mnuClearFilter", "&Clear Filter", &TAddressMain::mnuClearFilterClick);
    AddMenuItem(FileMenu, "mnuSaveFilter", "&Save Filter", &TAddressMain::mnuSaveFilterClick);
    AddMenuItem(FileMenu, "mnuRestoreFilter", "&Restore Filter", &TAddressMain::mnuRestoreFilterClick);
    FileMenu->addSeparator();
    AddMenuItem(FileMenu, "mnuClearTags", "Clear &Tags", &TAddressMain::mnuClearTagsClick);
    AddMenuItem(FileMenu, "mnuTagAll", "&Tag All Filter Matches", &TAddressMain::mnuTagAllClick);
    FileMenu->addSeparator();
    AddMenuItem(FileMenu, "mnuRebuildIndexes", "&Rebuild Indexes for this file",
                &TAddressMain::mnuRebuildIndexesClick);
    AddMenuItem(FileMenu, "mnuRebuildSystem", "Rebuild S&ystem File indexes",
                &TAddressMain::mnuRebuildSystemClick);
    FileMenu->addSeparator();
    AddMenuItem(FileMenu, "mnuPreferences", "Pre&ferences", &TAddressMain::mnuPreferencesClick);
    QAction* exit = AddMenuItem(FileMenu, "mnuExit", "E&xit ");
    connect(exit, &QAction::triggered, this, &QWidget::close);
    FRecentSeparator = FileMenu->addSeparator();
    FRecentSeparator->setObjectName("mnuRecentFiles");

    // Hidden: the commands act on the focused entry field, also by their shortcuts.
    EditMenu = namedMenu("EditMenu", "Ed&it");
    const std::tuple<const char*, const char*, const char*, int> editItems[] = {
        {"mnuUndo", "&Undo typing", "Ctrl+Z", UndoCommand},
        {"mnuCut", "Cu&t", "Ctrl+X", CutCommand},
        {"mnuCopy", "&Copy", "Ctrl+C", CopyCommand},
        {"mnuPaste", "&Paste", "Ctrl+V", PasteCommand},
    };
    for (const auto& [name, caption, keys, command] : editItems) {
        QAction* action = AddMenuItem(EditMenu, name, caption, nullptr, QKeySequence(keys));
        const int which = command;
        connect(action, &QAction::triggered, this, [this, which] { EditMenuCommand(which); });
        addAction(action);
    }
    EditMenu->menuAction()->setVisible(false);

    RecordMenu = namedMenu("RecordMenu", "&Record");
    AddMenuItem(RecordMenu, "mnuFirst", "&First", &TAddressMain::RecordFirstClick, QKeySequence("Ctrl+Up"));
    AddMenuItem(RecordMenu, "mnuPrevious", "&Previous", &TAddressMain::RecordPrevClick,
                QKeySequence("Ctrl+Left"));
    AddMenuItem(RecordMenu, "mnuNext", "&Next", &TAddressMain::RecordNextClick, QKeySequence("Ctrl+Right"));
    AddMenuItem(RecordMenu, "mnuLast", "&Last", &TAddressMain::RecordLastClick, QKeySequence("Ctrl+Down"));
    RecordMenu->addSeparator();
    AddMenuItem(RecordMenu, "mnuAdd", "&Add", &TAddressMain::AddButtonClick);
    AddMenuItem(RecordMenu, "mnuEdit", "&Edit", &TAddressMain::EditButtonClick);
    AddMenuItem(RecordMenu, "mnuDelete", "&Delete", &TAddressMain::DeleteButtonClick);
    AddMenuItem(RecordMenu, "mnuCopyToClipboard", "Copy To &Clipboard", &TAddressMain::ToClipboard1Click);
    AddMenuItem(RecordMenu, "mnuClone", "Create a Duplicate &Record (Clone)", &TAddressMain::mnuCloneClick);

    SortMenu = namedMenu("SortMenu", "&Sort");
    SortMenu->menuAction()->setObjectName("SortMenu");
    for (const SortOrder& order : SortOrders()) {
        QAction* item = SortMenu->addAction(order.MenuCaption);
        item->setObjectName(QString("mnuSort") + order.Tag);
        item->setCheckable(true);
        FSortItems.push_back(item);
    }
    connect(SortMenu, &QMenu::triggered, this, &TAddressMain::SortMenuClick);

    UtilitiesMenu = namedMenu("UtilitiesMenu", "&Utilities");
    UtilitiesMenu->menuAction()->setObjectName("UtilitiesMenu");
    AddMenuItem(UtilitiesMenu, "mnuCountZip", "Count &Zip Codes", &TAddressMain::mnuCountZipClick);
    AddMenuItem(UtilitiesMenu, "mnuCheckStateZip", "Check && Repair &State and Zip Codes",
                &TAddressMain::mnuCheckStateZipClick);
    AddMenuItem(UtilitiesMenu, "mnuCheckDuplicates", "Check && Repair &Duplicates",
                &TAddressMain::DuplicatesReport1Click);
    AddMenuItem(UtilitiesMenu, "mnuConvertCase", "Con&vert Case", &TAddressMain::mnuConvertCaseClick);
    AddMenuItem(UtilitiesMenu, "mnuDeleteRecords", "Delete &Records", &TAddressMain::mnuDeleteRecordsClick);
    AddMenuItem(UtilitiesMenu, "mnuSearchReplace", "&Search && Replace Field Values",
                &TAddressMain::mnuSearchReplaceClick);

    PrintMenu = namedMenu("PrintMenu", "&Print");
    PrintMenu->menuAction()->setObjectName("PrintMenu");
    AddMenuItem(PrintMenu, "mnuPrintLabels", "Print &Labels", &TAddressMain::mnuPrintLabelsClick,
                QKeySequence("Ctrl+L"));
    AddMenuItem(PrintMenu, "mnuPrintLetters", "Print Le&tters", &TAddressMain::mnuPrintLettersClick,
                QKeySequence("Ctrl+T"));
    AddMenuItem(PrintMenu, "mnuPrintEnvelopes", "Print &Envelopes", &TAddressMain::mnuPrintEnvelopesClick,
                QKeySequence("Ctrl+E"));
    AddMenuItem(PrintMenu, "mnuPrintReports", "Print &Reports", &TAddressMain::mnuPrintReportsClick,
                QKeySequence("Ctrl+R"));
    AddMenuItem(PrintMenu, "mnuPrintCurrentRecord", "Print C&urrent Record",
                &TAddressMain::mnuPrintCurrentRecordClick, QKeySequence("Ctrl+P"));

    HelpMenu = namedMenu("HelpMenu", "&Help");
    QAction* contents = AddMenuItem(HelpMenu, "mnuContents", "&Contents");
    connect(contents, &QAction::triggered, this, [] { ShowHelpContents(); });
    AddMenuItem(HelpMenu, "mnuGettingStarted", "&Getting Started", &TAddressMain::mnuGettingStartedClick);
    AddMenuItem(HelpMenu, "mnuAbout", "&About...", &TAddressMain::mnuAboutClick);
    QAction* search = AddMenuItem(HelpMenu, "mnuSearchHelp", "Search for Help On");
    connect(search, &QAction::triggered, this, [] { ShowHelpSearch(QString()); });
    QAction* howTo = AddMenuItem(HelpMenu, "mnuHowToUseHelp", "How to Use Help");
    connect(howTo, &QAction::triggered, this, [] { ShowHelpOnHelp(); });
}

void TAddressMain::InstallHelpTexts()
{
    const WhatsThisTexts texts = {
        {"LabelsButton", "Print mailing labels, or design label layouts (Ctrl+L)."},
        {"LettersButton", "Print form letters merged with the records, or write letters (Ctrl+T)."},
        {"EnvelopesButton", "Print envelopes, or design envelope layouts (Ctrl+E)."},
        {"ReportsButton", "Print list reports, or design reports (Ctrl+R)."},
        {"BrowseButton", "Show the address file as a table, one record a row (Ctrl+B)."},
        {"SearchButton", "Find the record that begins with a value, in the current sort order (Ctrl+S)."},
        {"FilterButton", "Show only the records that match what you type per field (Ctrl+F)."},
        {"MouseHelpButton", "Click here, then on any control, to see what it does."},
        {"NoDataPanel", "No address file is open. Use the File menu to open one or to create a new one."},
        {"LastEdit", "The person's last name. Records are sorted by it unless you choose another order."},
        {"FirstEdit", "The person's first name."},
        {"MIEdit", "The middle initial; it is entered in upper case."},
        {"PrefixEdit", "The courtesy prefix, such as Mr., Ms. or Dr."},
        {"TitleEdit", "The person's job title."},
        {"OrgEdit", "The organization or company."},
        {"TabSet", "Switch between the address of the record and its memo (Alt+I, Alt+M)."},
        {"Address1Edit", "The first address line (street and number)."},
        {"Address2Edit", "A second address line (suite, building, post office box)."},
        {"CityEdit", "The city."},
        {"StateEdit", "The state or province."},
        {"ZipEdit", "The ZIP or postal code."},
        {"CountryEdit", "The country. New records can get a default country (Preferences)."},
        {"Phone1Edit", "The first telephone number."},
        {"Phone2Edit", "The second telephone number."},
        {"FaxEdit", "The fax number."},
        {"EmailEdit", "The e-mail address."},
        {"CodesEdit",
         "Selection codes: letters of your own that filters can look for, such as C for customers."},
        {"Comment1Edit", "A comment of your own."},
        {"Comment2Edit", "A second comment of your own."},
        {"DialPhone1Button", "Dial the first telephone number."},
        {"DialPhone2Button", "Dial the second telephone number."},
        {"DateLabel", "Pick the record's date from a calendar, or remove it."},
        {"DateDisplay", "The record's date. Use the Date button to change it."},
        {"TaggedCheck", "Tag or untag this record. Tagged records can be printed or filtered together."},
        {"MemoEdit", "Free notes about this record, as long as you like."},
        {"SearchMemoButton", "Find the first record whose memo contains a text."},
        {"SearchMemoNextButton", "Find the next record whose memo contains the same text."},
        {"RecordFirst", "Go to the first record (Ctrl+Page Up)."},
        {"RecordPrev", "Go to the previous record (Page Up)."},
        {"RecordNext", "Go to the next record (Page Down)."},
        {"RecordLast", "Go to the last record (Ctrl+Page Down)."},
        {"SaveButton", "Save the changes of this record (Ctrl+Enter)."},
        {"CancelButton", "Throw away the changes of this record (Escape)."},
        {"AddButton", "Add a new record."},
        {"EditButton", "Change this record. Typing into any field does the same."},
        {"DeleteButton", "Delete this record."},
        {"ExitButton", "Close the program."},
        {"ClearfilterButton", "Remove the filter and show all records again."},
        {"SortStatus", "The order in which the records are shown. Change it in the Sort menu."},
        {"FilterStatus", "How many records the current filter lets through."},
    };
    const QStringList missing = InstallWhatsThis(this, texts);
    for (const QString& name : missing)
        qWarning("What's this? text for a control that does not exist: %s", qPrintable(name));
}

// ---- state and display ----

QWidget* TAddressMain::EntryWidget(EntryField field) const
{
    auto found = FEntryWidgets.find(field);
    return found == FEntryWidgets.end() ? nullptr : found->second;
}

bool TAddressMain::IsEntryWidget(const QObject* object) const
{
    for (const auto& [field, edit] : FLineEdits) {
        if (edit == object)
            return true;
    }
    return object == MemoEdit || object == MemoEdit->viewport();
}

void TAddressMain::SetButtons()
{
    const ControlStates states = FSession.ButtonStates();
    const auto& later = LaterCommands();
    for (const auto& [name, state] : states) {
        const bool available =
            std::find_if(later.begin(), later.end(), [&](const char* n) { return name == n; }) == later.end();
        const QString objectName = Q(name);
        if (QMenu* menu = findChild<QMenu*>(objectName)) {
            menu->menuAction()->setEnabled(state.Enabled && available);
        } else if (QAction* action = findChild<QAction*>(objectName)) {
            action->setEnabled(state.Enabled && available);
            action->setVisible(state.Visible);
        } else if (QWidget* widget = findChild<QWidget*>(objectName)) {
            widget->setEnabled(state.Enabled && available);
            widget->setVisible(state.Visible);
        }
    }
    for (const char* name : later) {
        if (QAction* action = findChild<QAction*>(name))
            action->setEnabled(false);
    }
    SearchMemoNextButton->setVisible(states.at("SearchMemoNextButton").Visible && FSession.MemoHit() &&
                                     FSession.HasRecord());
    RecordStack->setCurrentWidget(FSession.IsOpen() ? RecordArea : NoDataPanel);

    // Entry fields take typing only when that can start (or continue) an edit.
    const bool editable = FSession.IsEditing() || states.at("EditButton").Enabled;
    for (const auto& [field, edit] : FLineEdits)
        edit->setReadOnly(!editable);
    MemoEdit->setReadOnly(!editable);
    DateLabel->setEnabled(editable);
    TaggedCheck->setEnabled(FSession.HasRecord() || FSession.IsEditing());

    if (FSession.IsEditing()) {
        QWidget* focus = QApplication::focusWidget();
        if (!IsEntryWidget(focus))
            LastEdit->setFocus();
    }
    SortStatus->setText(Q(FSession.SortStatus()));
    for (size_t i = 0; i < FSortItems.size(); ++i)
        FSortItems[i]->setChecked(FSession.SortChoice().Checked[i]);
    UpdateFilterStatus();
    SyncMnemonics(this);
}

void TAddressMain::UpdateFilterStatus()
{
    const std::optional<std::string> status = FSession.FilterStatus();
    FilterStatus->setVisible(status.has_value());
    FilterStatus->setText(status ? Q(*status) : QString());
}

void TAddressMain::ShowRecord()
{
    const AddressRecord& record = FSession.Record();
    FLoadingRecord = true;
    for (const FieldBinding& binding : Bindings) {
        QLineEdit* edit = FLineEdits.at(binding.Field);
        const int width = FSession.FieldWidth(binding.Name);
        edit->setMaxLength(width > 0 ? width : 32767);
        edit->setText(Q(*record.Text(binding.Name)));
        edit->setCursorPosition(0);
    }
    DateDisplay->setText(Q(record.DisplayDate()));
    TaggedCheck->setChecked(FSession.RecordTagged());
    MemoEdit->setPlainText(MemoForDisplay(record.Memo));
    FLoadingRecord = false;
    setWindowTitle(Q(FSession.Caption()));
    SetButtons();
}

void TAddressMain::ReadControls()
{
    if (!FSession.IsEditing())
        return;
    AddressRecord& buffer = FSession.EditBuffer();
    for (const FieldBinding& binding : Bindings)
        *buffer.Text(binding.Name) = S(FLineEdits.at(binding.Field)->text());
    // The box shows line ends as LF whatever the file holds: a memo the user did not change keeps
    // its stored bytes.
    const QString memo = MemoEdit->toPlainText();
    if (memo != MemoForDisplay(buffer.Memo))
        buffer.Memo = MemoForStorage(memo);
}

void TAddressMain::StartEditing()
{
    if (FSession.IsEditing() || !FSession.ButtonStates().at("EditButton").Enabled)
        return;
    if (FSession.Edit())
        SetButtons();
}

void TAddressMain::SetSkipFields(bool on)
{
    const std::set<EntryField> skipped = SkippedFields(FSession.Preferences().Adding, on);
    for (const auto& [field, widget] : FEntryWidgets) {
        const bool skip = skipped.count(field) > 0;
        const Qt::FocusPolicy normal = field == EntryField::Date ? Qt::StrongFocus : Qt::StrongFocus;
        widget->setFocusPolicy(skip ? Qt::ClickFocus : normal);
    }
}

void TAddressMain::AfterFileChange()
{
    ShowRecord();
    UpdateMenuMRUList();
}

// ---- first activation and closing ----

void TAddressMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!FActivated)
        QTimer::singleShot(0, this, &TAddressMain::FormActivate);
}

void TAddressMain::FormActivate()
{
    if (FActivated)
        return;
    FActivated = true;
    RestoreWindowPlacement(this);
    setWindowTitle("Corvane");
    NoDataPanel->setText("Please Open or Create a Corvane Address file");
    // Opening may ask questions ("Rebuild now?"): the window behind them shows its record area
    // with the buttons below it, laid out before the first question.
    RecordStack->setCurrentWidget(RecordArea);
    centralWidget()->layout()->activate();

    FSession.ClearFilterExpression();
    FSession.LoadPreferences();
    FSession.OpenCVWDBF(FSession.StartupFileName());
    if (FSession.IsOpen())
        FSession.ApplyCurrentFilter();
    UpdateMenuMRUList();
    ShowRecord();
    (void)PrinterCheck(); // its messages are for the user; start-up goes on either way

    if (!FSession.Preferences().GettingStartedOff)
        QTimer::singleShot(0, this, &TAddressMain::mnuGettingStartedClick);
}

void TAddressMain::closeEvent(QCloseEvent* event)
{
    // An unsaved insert or edit is discarded without asking.
    FSession.Close();
    SaveWindowPlacement(this);
    event->accept();
    QMainWindow::closeEvent(event);
    emit Closed();
}

void TAddressMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isMaximized() || isMinimized() || !screen())
        return;
    // Pulled back so the window never grows past the screen's right or bottom edge. The window's
    // own area counts, as in the remembered placements, so a restored placement flush with the
    // screen's edge stays where it is.
    const QRect area = screen()->geometry();
    const QRect inner = geometry();
    QPoint position = pos();
    if (inner.right() > area.right() && inner.left() > area.left())
        position.setX(area.left());
    if (inner.bottom() > area.bottom() && inner.top() > area.top())
        position.setY(area.top());
    if (position != pos())
        move(position);
}

// ---- keyboard ----

bool TAddressMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Only keys for this window, never those of a window it opened.
        if (widget && widget->window() == this && FormKeyDown(static_cast<QKeyEvent*>(event)))
            return true;
    } else if (event->type() == QEvent::MouseButtonDblClick && IsEntryWidget(watched)) {
        StartEditing();
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TAddressMain::FormKeyDown(QKeyEvent* key)
{
    const bool control = key->modifiers() & Qt::ControlModifier;
    const bool alt = key->modifiers() & Qt::AltModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!FSession.IsOpen())
        return false;
    if (!FSession.IsEditing()) {
        switch (key->key()) {
        case Qt::Key_PageDown:
            control ? RecordLastClick() : RecordNextClick();
            return true;
        case Qt::Key_PageUp:
            control ? RecordFirstClick() : RecordPrevClick();
            return true;
        default:
            return false;
        }
    }
    switch (key->key()) {
    case Qt::Key_PageDown:
        if (AskYesNo("Save changes?", "Save"))
            SaveButtonClick();
        return true;
    case Qt::Key_PageUp:
        return true;
    case Qt::Key_Escape:
        // No keeps the edit, in the memo box as everywhere else.
        if (AskYesNo("Cancel changes?", "Cancel"))
            CancelButtonClick();
        return true;
    default:
        break;
    }
    if (enter && control) {
        SaveButtonClick();
        return true;
    }
    if (enter && alt) {
        SaveButtonClick();
        if (!FSession.IsEditing() && AskYesNo("Add another record?", "Add"))
            AddButtonClick();
        return true;
    }
    return false;
}

// ---- record commands ----

void TAddressMain::AddButtonClick()
{
    if (!FSession.IsOpen() || FSession.IsEditing())
        return;
    TabSet->setCurrentIndex(0);
    NewRecordEntry typed;
    if (FSession.NeedsNewRecordWindow()) {
        NewRecordQuestions questions;
        questions.AskZip = FSession.Preferences().Adding.PlugCityState;
        questions.AskNames = FSession.Preferences().Adding.AutoDupCheck;
        questions.ZipWidth = FSession.FieldWidth("ZIP");
        questions.LastNameWidth = FSession.FieldWidth("LNAME");
        questions.FirstNameWidth = FSession.FieldWidth("FNAME");
        TGetFirstLastZip window(questions, this);
        if (window.exec() != QDialog::Accepted)
            return;
        typed.Zip = S(window.Zip());
        typed.LastName = S(window.LastName());
        typed.FirstName = S(window.FirstName());
    }
    if (!FSession.Add(typed)) {
        ShowRecord(); // the duplicate, when the warning said stop
        return;
    }
    ShowRecord();
    QWidget* cursor = EntryWidget(AddCursorField(FSession.Record(), FSession.Preferences().Adding));
    cursor->setFocus();
    SetSkipFields(true);
}

void TAddressMain::EditButtonClick()
{
    if (FSession.Edit()) {
        SetButtons();
        LastEdit->setFocus();
    }
}

void TAddressMain::SaveButtonClick()
{
    if (!FSession.IsEditing())
        return;
    ReadControls();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SaveOutcome outcome = FSession.Save();
    QApplication::restoreOverrideCursor();
    if (!outcome.Saved) {
        SetButtons();
        return;
    }
    SetSkipFields(false);
    ShowRecord();
}

void TAddressMain::CancelButtonClick()
{
    FSession.Cancel();
    SetSkipFields(false);
    ShowRecord();
}

void TAddressMain::DeleteButtonClick()
{
    FSession.Delete();
    ShowRecord();
}

void TAddressMain::mnuCloneClick()
{
    FSession.Clone();
    ShowRecord();
}

void TAddressMain::RecordFirstClick()
{
    FSession.First();
    ShowRecord();
}

void TAddressMain::RecordPrevClick()
{
    if (!FSession.Previous())
        QApplication::beep();
    ShowRecord();
}

void TAddressMain::RecordNextClick()
{
    if (!FSession.Next())
        QApplication::beep();
    ShowRecord();
}

void TAddressMain::RecordLastClick()
{
    FSession.Last();
    ShowRecord();
}

void TAddressMain::TaggedCheckClick()
{
    ReadControls();
    FSession.ToggleTag();
    if (FSession.IsEditing()) {
        TaggedCheck->setChecked(FSession.RecordTagged());
        SetButtons();
    } else {
        ShowRecord();
    }
}

void TAddressMain::DateLabelClick()
{
    ReadControls();
    TDateSelector selector(Q(FSession.Record().Date), this);
    if (selector.exec() != QDialog::Accepted && selector.Choice() == DateChoice::Unchanged)
        return;
    if (selector.Choice() == DateChoice::Unchanged)
        return;
    FSession.SetDate(S(selector.StoredDate()));
    ShowRecord();
}

void TAddressMain::EditMenuCommand(int command)
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        switch (command) {
        case UndoCommand:
            edit->undo();
            break;
        case CutCommand:
            edit->cut();
            break;
        case CopyCommand:
            edit->copy();
            break;
        default:
            edit->paste();
            break;
        }
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(focus)) {
        switch (command) {
        case UndoCommand:
            memo->undo();
            break;
        case CutCommand:
            memo->cut();
            break;
        case CopyCommand:
            memo->copy();
            break;
        default:
            memo->paste();
            break;
        }
    }
}

// ---- memo search and clipboard ----

void TAddressMain::SearchMemoButtonClick()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, "Memo Search", "Search For", QLineEdit::Normal,
                                               Q(FSession.MemoSearchText()), &ok);
    if (ok)
        RunMemoSearch(text, true);
}

void TAddressMain::SearchMemoNextButtonClick()
{
    RunMemoSearch(Q(FSession.MemoSearchText()), false);
}

void TAddressMain::RunMemoSearch(const QString& text, bool fromFirst)
{
    TCVWSearching searching(text, this);
    searching.Start();
    const MemoSearchOutcome outcome =
        FSession.FindTextInMemo(S(text), fromFirst, [&](uint32_t) { return searching.ProcessUserInput(); });
    searching.close();
    if (outcome != MemoSearchOutcome::Found)
        QApplication::beep();
    ShowRecord();
}

void TAddressMain::ToClipboard1Click()
{
    TCopyToClipBoard window(this);
    if (window.exec() != QDialog::Accepted)
        return;
    const RecordParts chosen = window.Parts();
    const ClipboardParts parts{chosen.Name, chosen.Address, chosen.Phones, chosen.Codes, chosen.Comments};
    QGuiApplication::clipboard()->setText(Q(GetRecordAsString(FSession.Record(), parts)));
    ShowInfo("Record copied to Windows Clipboard");
}

// ---- files ----

void TAddressMain::mnuNewClick()
{
    TNewDataBaseName window(this);
    window.SetSuggestedName(Q(SuggestAddressFileName()));
    if (window.exec() == QDialog::Accepted)
        FSession.CreateNewAddressFile(S(window.DataBaseName()), window.NewFileFields());
    AfterFileChange();
}

void TAddressMain::mnuOpenClick()
{
    const QString folder = FSession.IsOpen() ? Q(FSession.GetDatabasePath()) : Q(DataDirectory());
    const QString path = QFileDialog::getOpenFileName(this, "Open Address DataBase", folder,
                                                      "Address files (*.dbf *.DBF);;All files (*)");
    if (path.isEmpty())
        return;
    MRUITemClick(path);
}

void TAddressMain::MRUITemClick(const QString& path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FSession.MRUItemClick(S(path));
    QApplication::restoreOverrideCursor();
    AfterFileChange();
}

void TAddressMain::UpdateMenuMRUList()
{
    const QList<QAction*> actions = FileMenu->actions();
    const qsizetype start = actions.indexOf(FRecentSeparator);
    for (qsizetype i = start + 1; i < actions.size(); ++i) {
        FileMenu->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    int number = 0;
    for (const std::string& file : GetMRUList(Settings())) {
        const QString path = Q(file);
        QAction* item = FileMenu->addAction(QString(path).replace("&", "&&"));
        item->setObjectName(QString("mnuRecent%1").arg(++number));
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, path] { MRUITemClick(path); });
    }
}

void TAddressMain::mnuRebuildIndexesClick()
{
    QApplication::restoreOverrideCursor();
    if (!FSession.IsOpen()) {
        ShowInfo("You need to have a database file open first");
        return;
    }
    // The session keeps the record (renumbered by the pack), the order and the filter.
    TCVReindex window(
        Q(FSession.FileName()),
        [this](const RebuildProgress& progress) {
            return FSession.RebuildIndexes(progress) ? Status::Success()
                                                     : Status::Error("The indexes were not rebuilt");
        },
        this);
    SuspendDisplay(true);
    window.exec();
    SuspendDisplay(false);
}

Status TAddressMain::RebuildWithGauge(xbase::Table& table)
{
    auto rebuild = [&table](const RebuildProgress& progress) { return RebuildAddressFile(table, progress); };
    TCVReindex window(Q(table.Path()), rebuild, this);
    window.exec();
    return window.Outcome();
}

void TAddressMain::mnuRebuildSystemClick()
{
    TSystemReindex window(this);
    window.exec();
}

void TAddressMain::SuspendDisplay(bool suspended)
{
    RecordArea->setUpdatesEnabled(!suspended);
    if (!suspended)
        ShowRecord();
}

HandOverHooks TAddressMain::ToolHooks()
{
    HandOverHooks hooks;
    hooks.PrinterCheck = [] { return PrinterCheck(); };
    hooks.RememberPrinter = [this] { FRememberedPrinter = Printer().PrinterName(); };
    hooks.RestorePrinter = [this] {
        PrintEngine& engine = Printer();
        (void)engine.SelectDefaultPrinter();
        if (!FRememberedPrinter.isEmpty())
            (void)engine.SelectPrinter(FRememberedPrinter);
    };
    hooks.SuspendDisplay = [this](bool suspended) { SuspendDisplay(suspended); };
    hooks.RefreshButtons = [this] { SetButtons(); };
    return hooks;
}

PrintEngine& TAddressMain::Printer()
{
    // Made at first use: asking the printer service for its printers can take a moment.
    if (!FPrintEngine)
        FPrintEngine = std::make_unique<PrintEngine>();
    return *FPrintEngine;
}

void TAddressMain::SetPrinter(std::unique_ptr<PrintEngine> engine)
{
    FPrintEngine = std::move(engine);
}

// ---- printing ----

void TAddressMain::mnuPrintLabelsClick()
{
    // The shortcut reaches the command also while the button is not on offer (editing, no file).
    if (!LabelsButton->isEnabled())
        return;
    ToolWindowHandOver handOver(FSession, ToolCommand::PrintLabelsOrReports, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TLabelSetupScreen window(handOver.View(), Printer(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
}

// ---- reports and ZIP counts ----

void TAddressMain::mnuPrintReportsClick()
{
    // The shortcut reaches the command also while the button is not on offer (editing, no file).
    if (!ReportsButton->isEnabled())
        return;
    ToolWindowHandOver handOver(FSession, ToolCommand::PrintLabelsOrReports, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TReportSetup window(handOver.View(), Printer(), this);
        if (window.OpenReports())
            window.exec();
    }
    handOver.Finish();
    SetButtons();
}

void TAddressMain::mnuPrintCurrentRecordClick()
{
    QAction* command = findChild<QAction*>("mnuPrintCurrentRecord");
    if (command && !command->isEnabled())
        return;
    ToolWindowHandOver handOver(FSession, ToolCommand::PrintCurrentRecord, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        const AddressRecord record = handOver.View().CurrentRecord();
        TPrintCurrentRecord window(record, Printer(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
}

void TAddressMain::mnuCountZipClick()
{
    QAction* command = findChild<QAction*>("mnuCountZip");
    if (command && !command->isEnabled())
        return;
    ToolWindowHandOver handOver(FSession, ToolCommand::CountZipCodes, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TCountZipCodes window(handOver.View().Table(), Printer(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
}

// ---- letters ----

void TAddressMain::mnuPrintLettersClick()
{
    // The shortcut reaches the command also while the button is not on offer (editing, no file).
    if (!LettersButton->isEnabled())
        return;
    ToolWindowHandOver handOver(FSession, ToolCommand::PrintLetters, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TCVLetters window(handOver.View(), Printer(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
}

// ---- envelopes ----

void TAddressMain::mnuPrintEnvelopesClick()
{
    if (!EnvelopesButton->isEnabled())
        return;
    ToolWindowHandOver handOver(FSession, ToolCommand::PrintEnvelopes, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TCVEnvelopes window(handOver.View(), Printer(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
}

// ---- filters, tags, sort orders ----

void TAddressMain::mnuClearFilterClick()
{
    FSession.ClearFilter();
    ShowRecord();
}

void TAddressMain::mnuSaveFilterClick()
{
    if (FFilterFolder.isEmpty())
        FFilterFolder = Q(ProgramDirectory());
    QFileDialog dialog(this, "Save Filter", FFilterFolder, "Filter files (*.FLT)");
    dialog.setObjectName("SaveFilterDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("FLT");
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile("*.FLT");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    FFilterFolder = dialog.directory().absolutePath();
    auto path = FilterSaveName(S(dialog.selectedFiles().front()));
    if (!path) {
        ShowInfo(path.Message());
        return;
    }
    if (QFileInfo::exists(Q(*path)) && !AskYesNoDefaultNo(FilterOverwriteQuestion(*path), "Warning!"))
        return;
    if (Status saved = FSession.SaveFilter(*path); !saved)
        ShowInfo(saved.Message());
}

void TAddressMain::mnuRestoreFilterClick()
{
    const QString path = QFileDialog::getOpenFileName(this, "Restore Filter", Q(ProgramDirectory()),
                                                      "Filter Files (*.flt *.FLT)");
    if (path.isEmpty())
        return;
    if (Status name = CheckFilterRestoreName(S(path)); !name) {
        ShowInfo(name.Message());
        return;
    }
    FSession.RestoreFilter(S(path));
    ShowRecord();
}

void TAddressMain::mnuClearTagsClick()
{
    FSession.ClearTags();
    ShowRecord();
}

void TAddressMain::mnuTagAllClick()
{
    ToolWindowHandOver handOver(FSession, ToolCommand::TagAll, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TTagAllRecords window(handOver.View().Table(), handOver.View().TagId(), this);
        window.exec();
    }
    handOver.Finish();
    ShowRecord();
}

// ---- dialing ----

void TAddressMain::DialButtonClick(int phone)
{
    // Only the number leaves the main window; the table is not lent.
    const AddressRecord& record = FSession.Record();
    TCVDialer window(QString::fromStdString(phone == 2 ? record.Phone2 : record.Phone), this);
    window.exec();
}

// ---- clean-up utilities ----

void TAddressMain::DuplicatesReport1Click()
{
    ToolWindowHandOver handOver(FSession, ToolCommand::CheckDuplicates, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TDupCheck window(handOver.View(), this);
        window.exec();
    }
    handOver.Finish();
    ShowRecord();
}

void TAddressMain::mnuCheckStateZipClick()
{
    ToolWindowHandOver handOver(FSession, ToolCommand::CheckStateZip, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TStateZipCheck window(handOver.View(), this);
        window.exec();
    }
    handOver.Finish();
    ShowRecord();
}

void TAddressMain::mnuConvertCaseClick()
{
    ToolWindowHandOver handOver(FSession, ToolCommand::ConvertCase, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TConvertToUpper window(handOver.View().Table(), FSession.FilterSet(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
}

void TAddressMain::mnuDeleteRecordsClick()
{
    ToolWindowHandOver handOver(FSession, ToolCommand::DeleteOrReplace, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TDeleteRecords window(handOver.View().Table(), FSession.FilterExpression(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
}

void TAddressMain::mnuSearchReplaceClick()
{
    ToolWindowHandOver handOver(FSession, ToolCommand::DeleteOrReplace, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TSearchAndReplace window(handOver.View().Table(), FSession.FilterExpression(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
}

void TAddressMain::SortMenuClick(QAction* item)
{
    FSession.SetMenuOrder(S(item->text()));
    ShowRecord();
}

// ---- finding records ----

QueryFormLayout TAddressMain::FilterBoxLayout()
{
    // The places are those of a laid-out window, also when the address page is not on show.
    for (QWidget* area : {RecordArea, TabSet->widget(0)}) {
        if (area->layout())
            area->layout()->activate();
    }
    auto placeOf = [this](const QWidget* widget) {
        return QRect(widget->mapTo(RecordArea, QPoint(0, 0)), widget->size());
    };
    const std::pair<FilterField, QWidget*> fields[] = {
        {FilterField::Last, LastEdit},         {FilterField::First, FirstEdit},
        {FilterField::Title, TitleEdit},       {FilterField::Org, OrgEdit},
        {FilterField::Address1, Address1Edit}, {FilterField::Address2, Address2Edit},
        {FilterField::Zip, ZipEdit},           {FilterField::City, CityEdit},
        {FilterField::State, StateEdit},       {FilterField::Country, CountryEdit},
        {FilterField::Phone1, Phone1Edit},     {FilterField::Phone2, Phone2Edit},
        {FilterField::Fax, FaxEdit},           {FilterField::Email, EmailEdit},
        {FilterField::Date, DateDisplay},      {FilterField::Codes, CodesEdit},
        {FilterField::Comment1, Comment1Edit}, {FilterField::Comment2, Comment2Edit},
    };
    const QList<QLabel*> labels = RecordArea->findChildren<QLabel*>();
    QueryFormLayout layout;
    for (const auto& [field, widget] : fields) {
        CriterionPlace& place = layout.Places[static_cast<std::size_t>(field)];
        place.BoxRect = placeOf(widget);
        const QWidget* caption = field == FilterField::Date ? static_cast<QWidget*>(DateLabel) : nullptr;
        for (QLabel* label : labels) {
            if (label->buddy() == widget)
                caption = label;
        }
        if (caption) {
            place.CaptionRect = placeOf(caption);
            place.Caption =
                caption == DateLabel ? DateLabel->text() : static_cast<const QLabel*>(caption)->text();
        }
    }
    layout.TaggedRect = placeOf(TaggedCheck);
    return layout;
}

void TAddressMain::FilterButtonClick()
{
    if (FSession.IsEditing()) {
        QApplication::beep();
        return;
    }
    const FilterCriteria before = FSession.Criteria();
    auto tester = [this](const FilterCriteria& criteria) {
        FSession.SetCriteria(criteria);
        FSession.ApplyCurrentFilter();
        FSession.First();
        ShowRecord();
        const uint32_t matches = FSession.FilterSet() ? FSession.MatchCount() : 0;
        return Q(FilterTestText(matches, FSession.FilterSet()));
    };
    TAddressQueryForm window(before, FilterBoxLayout(), tester, this);
    const bool ok = window.exec() == QDialog::Accepted;
    FSession.SetCriteria(ok ? window.Criteria() : before);
    FSession.ApplyCurrentFilter();
    ShowRecord();
}

void TAddressMain::SearchButtonClick()
{
    if (!FSession.HasRecord() || FSession.IsEditing())
        return;
    const auto& checked = FSession.SortChoice().Checked;
    const auto mark = std::find(checked.begin(), checked.end(), true);
    TSearchBox window(mark == checked.end() ? -1 : static_cast<int>(mark - checked.begin()), this);
    if (window.exec() != QDialog::Accepted || window.SearchText().isEmpty())
        return;
    FSession.SetOrderTo(SortOrders()[static_cast<std::size_t>(window.OrderIndex())].Text);
    (void)FSession.Search(S(window.SearchText()));
    ShowRecord();
}

void TAddressMain::BrowseButtonClick()
{
    FSession.ReadBrowseColumnOrder(FieldOrderFilePath());
    if (FSession.IsEditing()) {
        QApplication::beep();
        return;
    }
    if (!FSession.HasRecord())
        return;
    uint32_t recno = 0;
    std::vector<std::string> columns;
    {
        TAddressBrowseForm window(FSession, this);
        window.exec();
        columns = window.ColumnOrder();
        recno = window.CurrentRecno();
    }
    if (Status written = FSession.KeepBrowseColumnOrder(columns, FieldOrderFilePath()); !written)
        qWarning("%s", written.Message().c_str());
    (void)FSession.GoToRecord(recno);
    ShowRecord();
}

// ---- other windows ----

void TAddressMain::mnuPreferencesClick()
{
    TPreferences window(this);
    window.exec();
    // Reloaded after Cancel as well: the window may not be the only writer of the settings file.
    FSession.LoadPreferences();
}

void TAddressMain::mnuGettingStartedClick()
{
    TGettingStarted window(this, Settings(), [](int context) { ShowHelpContext(context); });
    window.exec();
}

void TAddressMain::mnuAboutClick()
{
    TSplashform window(this);
    window.exec();
}

// ---- import and export ----

template <class Window> void TAddressMain::ImportWithMatching()
{
    // The hand-over closes the table; the import window opens the file itself.
    const std::string file = FSession.FileName();
    const FieldCatalogue catalogue = FSession.Catalogue();
    ToolWindowHandOver handOver(FSession, ToolCommand::ImportAsciiOrDbf, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        Window window(file, catalogue, this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
    ShowRecord();
}

void TAddressMain::mnuImportASCIIClick()
{
    ImportWithMatching<TAsciiImport>();
}

void TAddressMain::mnuImportDBFClick()
{
    ImportWithMatching<TDBFImport>();
}

void TAddressMain::ImportOlder(OlderGeneration generation)
{
    ToolWindowHandOver handOver(FSession, ToolCommand::ImportOldVersion, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TImportOlder window(generation, handOver.View().Table(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
    ShowRecord();
}

void TAddressMain::mnuImportV1Click()
{
    ImportOlder(OlderGeneration::One);
}

void TAddressMain::mnuImportV2Click()
{
    ImportOlder(OlderGeneration::Two);
}

void TAddressMain::mnuExportClick()
{
    ToolWindowHandOver handOver(FSession, ToolCommand::Export, ToolHooks());
    if (!handOver.Begin())
        return;
    {
        TCopyOut window(handOver.View().Table(), this);
        window.exec();
    }
    handOver.Finish();
    SetButtons();
    ShowRecord();
}

} // namespace corvane
