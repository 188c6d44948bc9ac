#include "letters/windows/TRTFPreviewForm.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "letters/LetterMerge.h"
#include "letters/LetterTokens.h"
#include "platform/MessageService.h"
#include "platform/richtext/DocumentPages.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WindowPlacement.h"
#include "session/ToolWindowView.h"

namespace corvane {

namespace {

QToolButton* Tool(QToolBar* bar, const char* name, const QString& text, const QString& hint)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    bar->addWidget(button);
    return button;
}

} // namespace

TRTFPreviewForm::TRTFPreviewForm(const LetterDocument& letter, const ToolWindowView& addresses,
                                 QWidget* parent, QDate today)
    : QDialog(parent), FTemplate(letter.Copy()), FAddresses(addresses), FToday(today)
{
    setObjectName("TRTFPreviewForm");
    setWindowTitle(QString::fromUtf8(PreviewLettersCaption.data(),
                                     static_cast<qsizetype>(PreviewLettersCaption.size())));
    setSizeGripEnabled(true);
    resize(900, 700);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    OkButton = Tool(bar, "OkButton", "Ok", "Close the preview");
    bar->addSeparator();
    ZoomInButton = Tool(bar, "ZoomInButton", "Zoom In", "Zoom in");
    ZoomOutButton = Tool(bar, "ZoomOutButton", "Zoom Out", "Zoom out");
    PageWidthButton = Tool(bar, "PageWidthButton", "Page Width", "Zoom to page width");
    WholePageButton = Tool(bar, "WholePageButton", "Whole Page", "Zoom to the whole page");
    bar->addSeparator();
    PreviousPageButton = Tool(bar, "PreviousPageButton", "< Page", "Previous page");
    NextPageButton = Tool(bar, "NextPageButton", "Page >", "Next page");
    bar->addSeparator();
    FirstRecordButton = Tool(bar, "FirstRecordButton", "|<", "First record");
    PriorRecordButton = Tool(bar, "PriorRecordButton", "<", "Previous record");
    NextRecordButton = Tool(bar, "NextRecordButton", ">", "Next record");
    LastRecordButton = Tool(bar, "LastRecordButton", ">|", "Last record");
    bar->addSeparator();
    HelpButton = Tool(bar, "HelpButton", "Help", "Help");
    layout->addWidget(bar);
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setBackgroundRole(QPalette::Dark);
    ScrollBox->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    PagePanel = new QWidget;
    PagePanel->setObjectName("PagePanel");
    PagePanel->setCursor(Qt::CrossCursor);
    PagePanel->installEventFilter(this);
    ScrollBox->setWidget(PagePanel);
    layout->addWidget(ScrollBox);

    connect(OkButton, &QToolButton::clicked, this, &QDialog::accept);
    connect(ZoomInButton, &QToolButton::clicked, this, &TRTFPreviewForm::ZoomInClick);
    connect(ZoomOutButton, &QToolButton::clicked, this, &TRTFPreviewForm::ZoomOutClick);
    connect(PageWidthButton, &QToolButton::clicked, this, &TRTFPreviewForm::PageWidthClick);
    connect(WholePageButton, &QToolButton::clicked, this, &TRTFPreviewForm::WholePageClick);
    connect(PreviousPageButton, &QToolButton::clicked, this, &TRTFPreviewForm::PreviousPageClick);
    connect(NextPageButton, &QToolButton::clicked, this, &TRTFPreviewForm::NextPageClick);
    connect(FirstRecordButton, &QToolButton::clicked, this,
            [this] { RecordClick(static_cast<int>(RecordStep::First)); });
    connect(PriorRecordButton, &QToolButton::clicked, this,
            [this] { RecordClick(static_cast<int>(RecordStep::Previous)); });
    connect(NextRecordButton, &QToolButton::clicked, this,
            [this] { RecordClick(static_cast<int>(RecordStep::Next)); });
    connect(LastRecordButton, &QToolButton::clicked, this,
            [this] { RecordClick(static_cast<int>(RecordStep::Last)); });
    connect(HelpButton, &QToolButton::clicked, this, [] { ShowHelpContext(HelpContext); });

    FPaging.SetZoom(LetterPreviewPaging::FitZoom(width(), FTemplate.Layout.PaperWidth, ScreenDpi()));
    RestoreWindowPlacement(this);
    MergeCurrentRecord();
}

TRTFPreviewForm::~TRTFPreviewForm()
{
    SaveWindowPlacement(this);
}

double TRTFPreviewForm::ScreenDpi() const
{
    return logicalDpiX() > 0 ? logicalDpiX() : 96.0;
}

void TRTFPreviewForm::MergeCurrentRecord()
{
    FMerged = FTemplate.Copy();
    if (FAddresses.IsOpen())
        MergeLetter(*FMerged.Document, LetterTokenValues(FAddresses.CurrentRecord(), FToday));
    FPages = std::make_unique<DocumentPages>(*FMerged.Document, FMerged.Layout);
    FPaging.FirstPage();
    setWindowTitle(QString::fromStdString(FPaging.Caption()));
    LayOutPage();
}

void TRTFPreviewForm::LayOutPage()
{
    const PreviewPageGeometry geometry = FPaging.Geometry(FMerged.Layout, ScreenDpi());
    PagePanel->setFixedSize(geometry.Page);
    FPaging.Drawn(FPages->NextPosition(FPaging.Start()));
    PagePanel->update();
}

void TRTFPreviewForm::PaintPage()
{
    QPainter painter(PagePanel);
    painter.fillRect(PagePanel->rect(), Qt::white);
    if (!FPages) {
        return;
    }
    const PreviewPageGeometry geometry = FPaging.Geometry(FMerged.Layout, ScreenDpi());
    FPaging.Drawn(FPages->DrawPage(painter, FPaging.Start(), geometry.TextArea, FPaging.Zoom()));
}

bool TRTFPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PagePanel && event->type() == QEvent::Paint) {
        PaintPage();
        return true;
    }
    if (watched == PagePanel && event->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            ZoomInClick();
        else
            ZoomOutClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TRTFPreviewForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (FPages)
        LayOutPage();
}

void TRTFPreviewForm::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* bar = ScrollBox->verticalScrollBar();
    if (event->key() == Qt::Key_Up) {
        bar->setValue(bar->value() - bar->singleStep());
    } else if (event->key() == Qt::Key_Down) {
        bar->setValue(bar->value() + bar->singleStep());
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
    } else {
        QDialog::keyPressEvent(event);
    }
}

void TRTFPreviewForm::ZoomInClick()
{
    if (FPaging.ZoomIn())
        LayOutPage();
}

void TRTFPreviewForm::ZoomOutClick()
{
    if (FPaging.ZoomOut())
        LayOutPage();
}

void TRTFPreviewForm::PageWidthClick()
{
    FPaging.SetZoom(LetterPreviewPaging::FitZoom(width(), FMerged.Layout.PaperWidth, ScreenDpi()));
    LayOutPage();
}

void TRTFPreviewForm::WholePageClick()
{
    FPaging.SetZoom(LetterPreviewPaging::FitZoom(height(), FMerged.Layout.PaperHeight, ScreenDpi()));
    LayOutPage();
}

void TRTFPreviewForm::NextPageClick()
{
    if (!FPaging.NextPage())
        return;
    setWindowTitle(QString::fromStdString(FPaging.Caption()));
    LayOutPage();
}

void TRTFPreviewForm::PreviousPageClick()
{
    if (!FPaging.PreviousPage())
        return;
    setWindowTitle(QString::fromStdString(FPaging.Caption()));
    LayOutPage();
}

void TRTFPreviewForm::RecordClick(int step)
{
    (void)FAddresses.Step(static_cast<RecordStep>(step));
    MergeCurrentRecord();
}

} // namespace corvane
