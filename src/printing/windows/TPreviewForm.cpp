#include "printing/windows/TPreviewForm.h"

#include <algorithm>
#include <cmath>

#include <QBitmap>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "printing/pages/PageRecorder.h"

namespace corvane {

namespace {

constexpr int PreviewHelpContext = 1074;
constexpr double ZoomStep = 10.0;
constexpr double MinimumZoom = 10.0;
constexpr double MaximumZoom = 1000.0;
// The grey border around the page, as a share of the page's size on each side.
constexpr double PageMargin = 0.025;
constexpr int RoundingSlack = 3;

// A magnifying glass: the preview's pointer, since a click on the page zooms.
QCursor MagnifierCursor()
{
    QPixmap glass(32, 32);
    glass.fill(Qt::transparent);
    QPainter painter(&glass);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 4));
    painter.drawEllipse(QRectF(3, 3, 16, 16));
    painter.drawLine(QPointF(17, 17), QPointF(28, 28));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(QRectF(3, 3, 16, 16));
    painter.setPen(QPen(Qt::black, 3));
    painter.drawLine(QPointF(17, 17), QPointF(28, 28));
    painter.end();
    return QCursor(glass, 11, 11);
}

// The current page at the current zoom, drawn straight from the recording for the part that is
// exposed, so that a large zoom needs no page-sized image.
class PageView : public QWidget {
  public:
    PageView(const PageRecorder& pages, QWidget* parent) : QWidget(parent), FPages(pages)
    {
        setObjectName("PageImage");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setCursor(MagnifierCursor());
    }

    void Show(int index, double pixelsPerInch)
    {
        FIndex = index;
        FPixelsPerInch = pixelsPerInch;
        const QSizeF page = PageSize(index) * pixelsPerInch;
        const QSize pageSize(static_cast<int>(std::ceil(page.width())),
                             static_cast<int>(std::ceil(page.height())));
        FPageOrigin = QPoint(static_cast<int>(std::lround(page.width() * PageMargin)),
                             static_cast<int>(std::lround(page.height() * PageMargin)));
        setFixedSize(pageSize + QSize(2 * FPageOrigin.x(), 2 * FPageOrigin.y()));
        update();
    }

    QSizeF PageSize(int index) const
    {
        if (index >= 0 && index < FPages.PageCount())
            return FPages.Page(index).SizeInches;
        return FPages.PageSizeInches();
    }

  protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().color(QPalette::Dark));
        painter.setClipRect(event->rect());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(FPageOrigin);
        FPages.DrawPage(painter, FIndex, FPixelsPerInch);
    }

  private:
    const PageRecorder& FPages;
    int FIndex = 0;
    double FPixelsPerInch = 96.0;
    QPoint FPageOrigin;
};

QToolButton* NamedToolButton(const char* name, const QString& text, const QString& tip, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(false);
    return button;
}

} // namespace

TPreviewForm::TPreviewForm(const PageRecorder& pages, const QString& caption, int initialZoom,
                           QWidget* parent)
    : QDialog(parent), FPages(pages), FInitialZoom(initialZoom)
{
    setObjectName("TPreviewForm");
    setWindowTitle(caption);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    resize(720, 560);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setAlignment(Qt::AlignCenter);
    ScrollBox->setBackgroundRole(QPalette::Dark);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    auto* view = new PageView(pages, ScrollBox);
    PageImage = view;
    ScrollBox->setWidget(view);
    view->installEventFilter(this);

    OkButton = new QPushButton("Ok", this);
    OkButton->setObjectName("OkButton");
    OkButton->setDefault(true);
    ZoomInButton = NamedToolButton("ZoomInButton", "+", "Zoom in", this);
    ZoomOutButton = NamedToolButton("ZoomOutButton", "-", "Zoom out", this);
    PageWidthButton = NamedToolButton("PageWidthButton", "Width", "Zoom to page width", this);
    WholePageButton = NamedToolButton("WholePageButton", "Page", "Zoom to whole page", this);
    Zoom100Button = NamedToolButton("Zoom100Button", "100%", "Zoom to 100%", this);
    FirstPageButton = NamedToolButton("FirstPageButton", "|<", "First page", this);
    PriorPageButton = NamedToolButton("PriorPageButton", "<", "Previous page", this);
    NextPageButton = NamedToolButton("NextPageButton", ">", "Next page", this);
    LastPageButton = NamedToolButton("LastPageButton", ">|", "Last page", this);
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    HelpButton->setAutoDefault(false);
    MouseHelpButton = CreateMouseHelpButton(this);

    auto* bar = new QHBoxLayout;
    // The page may reach the window's sides; the buttons keep clear of them.
    bar->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(OkButton);
    for (QToolButton* button : {ZoomInButton, ZoomOutButton, PageWidthButton, WholePageButton, Zoom100Button,
                                FirstPageButton, PriorPageButton, NextPageButton, LastPageButton})
        bar->addWidget(button);
    bar->addStretch();
    bar->addWidget(HelpButton);
    bar->addWidget(MouseHelpButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(ScrollBox, 1);
    layout->addLayout(bar);

    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ZoomInButton, &QToolButton::clicked, this, &TPreviewForm::ZoomIn);
    connect(ZoomOutButton, &QToolButton::clicked, this, &TPreviewForm::ZoomOut);
    connect(PageWidthButton, &QToolButton::clicked, this, &TPreviewForm::ZoomToPageWidth);
    connect(WholePageButton, &QToolButton::clicked, this, &TPreviewForm::ZoomToWholePage);
    connect(Zoom100Button, &QToolButton::clicked, this, &TPreviewForm::Zoom100);
    connect(FirstPageButton, &QToolButton::clicked, this, &TPreviewForm::FirstPage);
    connect(PriorPageButton, &QToolButton::clicked, this, &TPreviewForm::PriorPage);
    connect(NextPageButton, &QToolButton::clicked, this, &TPreviewForm::NextPage);
    connect(LastPageButton, &QToolButton::clicked, this, &TPreviewForm::LastPage);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpContext(PreviewHelpContext); });

    InstallWhatsThis(this, {
                               {"ScrollBox", "The page as it will print. Click with the left mouse button to "
                                             "zoom in, with any other button to zoom out."},
                               {"OkButton", "Closes the preview."},
                               {"ZoomInButton", "Enlarges the page by 10 percent."},
                               {"ZoomOutButton", "Reduces the page by 10 percent."},
                               {"PageWidthButton", "Fits the width of the page into the window."},
                               {"WholePageButton", "Fits the whole page into the window."},
                               {"Zoom100Button", "Shows the page at its printed size."},
                               {"FirstPageButton", "Shows the first page."},
                               {"PriorPageButton", "Shows the previous page."},
                               {"NextPageButton", "Shows the next page."},
                               {"LastPageButton", "Shows the last page."},
                               {"HelpButton", "Shows the help on the print preview."},
                               {"MouseHelpButton", "Click here, then on any part of this window, to see "
                                                   "what it does."},
                           });
}

TPreviewForm::~TPreviewForm() = default;

int TPreviewForm::PageCount() const
{
    return FPages.PageCount();
}

void TPreviewForm::Activate()
{
    if (FActivated)
        return;
    FActivated = true;
    RestoreWindowPlacement(this);
    if (FInitialZoom == PreviewZoom::WholePage)
        FZoom = WholePageZoom();
    else if (FInitialZoom == PreviewZoom::PageWidth)
        FZoom = PageWidthZoom();
    else
        FZoom = std::clamp(static_cast<double>(FInitialZoom), MinimumZoom, MaximumZoom);
    const bool severalPages = PageCount() >= 2;
    for (QToolButton* button : {FirstPageButton, PriorPageButton, NextPageButton, LastPageButton})
        button->setVisible(severalPages);
    Redraw();
}

void TPreviewForm::ShowPage(int page)
{
    const int clamped = std::clamp(page, 1, std::max(1, PageCount()));
    if (clamped == FCurrentPage && FActivated)
        return;
    FCurrentPage = clamped;
    Redraw();
}

void TPreviewForm::FirstPage()
{
    ShowPage(1);
}

void TPreviewForm::PriorPage()
{
    ShowPage(FCurrentPage - 1);
}

void TPreviewForm::NextPage()
{
    ShowPage(FCurrentPage + 1);
}

void TPreviewForm::LastPage()
{
    ShowPage(PageCount());
}

void TPreviewForm::SetZoom(double percent)
{
    FZoom = std::clamp(percent, MinimumZoom, MaximumZoom);
    Redraw();
}

void TPreviewForm::ZoomIn()
{
    SetZoom(FZoom + ZoomStep);
}

void TPreviewForm::ZoomOut()
{
    SetZoom(FZoom - ZoomStep);
}

void TPreviewForm::ZoomToPageWidth()
{
    SetZoom(PageWidthZoom());
}

void TPreviewForm::ZoomToWholePage()
{
    SetZoom(WholePageZoom());
}

void TPreviewForm::Zoom100()
{
    SetZoom(100.0);
}

double TPreviewForm::PageWidthZoom() const
{
    const QSizeF page = static_cast<const PageView*>(PageImage)->PageSize(FCurrentPage - 1);
    // The page is taller than the box at this zoom, so the vertical scroll bar takes its room;
    // a few pixels go to rounding the page and its margin to whole pixels.
    const double width = ScrollBox->maximumViewportSize().width() -
                         style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox) - RoundingSlack;
    const double pageWidth = page.width() * (1.0 + 2 * PageMargin) * logicalDpiX();
    if (pageWidth <= 0 || width <= 0)
        return 100.0;
    return std::clamp(100.0 * width / pageWidth, MinimumZoom, MaximumZoom);
}

double TPreviewForm::WholePageZoom() const
{
    const QSizeF page = static_cast<const PageView*>(PageImage)->PageSize(FCurrentPage - 1);
    const QSize box = ScrollBox->maximumViewportSize() - QSize(RoundingSlack, RoundingSlack);
    const double pageWidth = page.width() * (1.0 + 2 * PageMargin) * logicalDpiX();
    const double pageHeight = page.height() * (1.0 + 2 * PageMargin) * logicalDpiY();
    if (pageWidth <= 0 || pageHeight <= 0 || box.width() <= 0 || box.height() <= 0)
        return 100.0;
    return std::clamp(100.0 * std::min(box.width() / pageWidth, box.height() / pageHeight), MinimumZoom,
                      MaximumZoom);
}

void TPreviewForm::Redraw()
{
    static_cast<PageView*>(PageImage)->Show(FCurrentPage - 1, FZoom / 100.0 * logicalDpiX());
    UpdateCaption();
}

void TPreviewForm::UpdateCaption()
{
    setWindowTitle(QString("Preview Page %1 of %2 ( %3% )")
                       .arg(FCurrentPage)
                       .arg(PageCount())
                       .arg(static_cast<long>(std::lround(FZoom))));
}

void TPreviewForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Activate();
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PageImage && event->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            ZoomIn();
        else
            ZoomOut();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        // The scroll bar keeps the value between its top and its end.
        QScrollBar* bar = ScrollBox->verticalScrollBar();
        bar->setValue(bar->value() + (event->key() == Qt::Key_Up ? -bar->singleStep() : bar->singleStep()));
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPreviewForm::done(int result)
{
    if (!FPlacementSaved && FActivated) {
        FPlacementSaved = true;
        SaveWindowPlacement(this);
    }
    QDialog::done(result);
}

void TPreviewForm::closeEvent(QCloseEvent* event)
{
    if (!FPlacementSaved && FActivated) {
        FPlacementSaved = true;
        SaveWindowPlacement(this);
    }
    QDialog::closeEvent(event);
}

void ShowPreview(const PageRecorder& pages, const QString& caption, int initialZoom, QWidget* parent)
{
    TPreviewForm form(pages, caption, initialZoom, parent);
    form.exec();
}

} // namespace corvane
