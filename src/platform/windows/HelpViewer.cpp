#include "platform/windows/HelpViewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/windows/SingleInstance.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

constexpr int FileNameRole = Qt::UserRole;

QString MissingFolderText(const QString& folder)
{
    return QStringLiteral("<h2>Help is not installed</h2><p>The help pages were expected in %1.</p>")
        .arg(folder.toHtmlEscaped());
}

// A modal window blocks every window that is not its own; tying the help window to the modal
// window that asked for help keeps the help readable while that window is open.
void TieToModalWindow(QWidget* viewer)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == viewer)
        return;
    viewer->winId(); // makes the native window so that it can be tied
    QWindow* handle = viewer->windowHandle();
    QWindow* owner = modal ? modal->window()->windowHandle() : nullptr;
    if (!handle || handle->transientParent() == owner)
        return;
    // A shown window keeps the blocked state it was shown with, so show it again.
    const bool wasVisible = viewer->isVisible();
    if (wasVisible)
        viewer->hide();
    handle->setTransientParent(owner);
}

void Present(THelpViewer& viewer)
{
    TieToModalWindow(&viewer);
    if (!viewer.isVisible() && !viewer.property("placed").toBool()) {
        CentreForm(&viewer);
        viewer.setProperty("placed", true);
    }
    BringToFront(&viewer);
}

} // namespace

THelpViewer::THelpViewer(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), FLibrary(folder)
{
    setObjectName(QStringLiteral("THelpViewer"));
    setWindowTitle(QStringLiteral("Corvane Help"));
    setAttribute(Qt::WA_QuitOnClose, false); // an open help window does not keep the program running

    ContentsButton = new QPushButton(QStringLiteral("&Contents"), this);
    ContentsButton->setObjectName(QStringLiteral("ContentsButton"));
    BackButton = new QPushButton(QStringLiteral("&Back"), this);
    BackButton->setObjectName(QStringLiteral("BackButton"));
    BackButton->setEnabled(false);
    ForwardButton = new QPushButton(QStringLiteral("&Forward"), this);
    ForwardButton->setObjectName(QStringLiteral("ForwardButton"));
    ForwardButton->setEnabled(false);
    HelpOnHelpButton = new QPushButton(QStringLiteral("How to &Use Help"), this);
    HelpOnHelpButton->setObjectName(QStringLiteral("HelpOnHelpButton"));

    auto* searchLabel = new QLabel(QStringLiteral("&Search for a topic:"), this);
    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setClearButtonEnabled(true);
    searchLabel->setBuddy(SearchEdit);
    TopicList = new QListWidget(this);
    TopicList->setObjectName(QStringLiteral("TopicList"));
    HelpText = new QTextBrowser(this);
    HelpText->setObjectName(QStringLiteral("HelpText"));
    HelpText->setOpenExternalLinks(true); // web and mail links go to the desktop's programs
    HelpText->setSearchPaths({FLibrary.Folder()});

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {ContentsButton, BackButton, ForwardButton, HelpOnHelpButton}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(searchLabel);
    sideLayout->addWidget(SearchEdit);
    sideLayout->addWidget(TopicList);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(HelpText);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({270, 550});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resize(820, 600);

    connect(ContentsButton, &QPushButton::clicked, this, &THelpViewer::ShowContents);
    connect(BackButton, &QPushButton::clicked, HelpText, &QTextBrowser::backward);
    connect(ForwardButton, &QPushButton::clicked, HelpText, &QTextBrowser::forward);
    connect(HelpText, &QTextBrowser::backwardAvailable, BackButton, &QPushButton::setEnabled);
    connect(HelpText, &QTextBrowser::forwardAvailable, ForwardButton, &QPushButton::setEnabled);
    connect(HelpOnHelpButton, &QPushButton::clicked, this, &THelpViewer::ShowHelpOnHelp);
    connect(SearchEdit, &QLineEdit::textChanged, this, &THelpViewer::SearchEditTextChanged);
    connect(SearchEdit, &QLineEdit::returnPressed, this, &THelpViewer::SearchEditReturnPressed);
    connect(TopicList, &QListWidget::itemActivated, this, &THelpViewer::TopicListItemActivated);
    connect(TopicList, &QListWidget::itemClicked, this, &THelpViewer::TopicListItemActivated);

    SearchEditTextChanged(QString());
}

void THelpViewer::OpenPage(const QString& path, const QString& missingText)
{
    if (path.isEmpty()) {
        HelpText->setHtml(FLibrary.Topics().empty() ? MissingFolderText(FLibrary.Folder()) : missingText);
        return;
    }
    const QUrl url = QUrl::fromLocalFile(path);
    if (HelpText->source() != url)
        HelpText->setSource(url); // one history entry per page shown
}

void THelpViewer::ShowContext(int context)
{
    OpenPage(FLibrary.ContextPage(context),
             QStringLiteral("<h2>Topic not found</h2><p>There is no help topic number %1. "
                            "<a href=\"index.html\">Show the contents</a>.</p>")
                 .arg(context));
}

void THelpViewer::ShowContents()
{
    OpenPage(FLibrary.ContentsPage(), QStringLiteral("<h2>The contents page is missing</h2>"));
}

void THelpViewer::ShowHelpOnHelp()
{
    OpenPage(FLibrary.HelpOnHelpPage(), QStringLiteral("<h2>The page on using help is missing</h2>"));
}

void THelpViewer::ShowSearch(const QString& key)
{
    SearchEdit->setText(key);
    SearchEditTextChanged(key); // also when the text did not change
    SearchEdit->setFocus();
    SearchEdit->selectAll();
}

void THelpViewer::SearchEditTextChanged(const QString& text)
{
    TopicList->clear();
    for (const HelpTopic& topic : FLibrary.FindTopics(text)) {
        auto* item = new QListWidgetItem(topic.Title, TopicList);
        item->setData(FileNameRole, topic.FileName);
    }
    if (TopicList->count() > 0)
        TopicList->setCurrentRow(0);
}

void THelpViewer::SearchEditReturnPressed()
{
    if (QListWidgetItem* item = TopicList->currentItem())
        TopicListItemActivated(item);
}

void THelpViewer::TopicListItemActivated(QListWidgetItem* item)
{
    if (!item)
        return;
    OpenPage(FLibrary.Folder() + item->data(FileNameRole).toString(), QString());
}

THelpViewer& HelpViewer()
{
    static QPointer<THelpViewer> viewer;
    if (!viewer) {
        viewer = new THelpViewer(HelpDirectory());
        // Parentless, so it goes with the application rather than with any window.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, viewer, &QObject::deleteLater);
    }
    return *viewer;
}

void ShowHelpContext(int context)
{
    THelpViewer& viewer = HelpViewer();
    viewer.ShowContext(context);
    Present(viewer);
}

void ShowHelpContents()
{
    THelpViewer& viewer = HelpViewer();
    viewer.ShowContents();
    Present(viewer);
}

void ShowHelpSearch(const QString& key)
{
    THelpViewer& viewer = HelpViewer();
    Present(viewer);
    viewer.ShowSearch(key);
}

void ShowHelpOnHelp()
{
    THelpViewer& viewer = HelpViewer();
    viewer.ShowHelpOnHelp();
    Present(viewer);
}

} // namespace corvane
