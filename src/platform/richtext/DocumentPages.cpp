#include "platform/richtext/DocumentPages.h"

#include <algorithm>
#include <cmath>

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <QTextLayout>
#include <QTextLine>

namespace corvane {

namespace {

// The one device every copy is laid out on: a tiny image whose resolution is the document's.
std::unique_ptr<QImage> LayoutDevice()
{
    auto image = std::make_unique<QImage>(1, 1, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = static_cast<int>(std::lround(DocumentUnitsPerInch / 0.0254));
    image->setDotsPerMeterX(dotsPerMeter);
    image->setDotsPerMeterY(dotsPerMeter);
    return image;
}

} // namespace

DocumentPages::DocumentPages(const QTextDocument& document, const PageLayoutTwips& layout)
    : FDocument(document.clone()), FDevice(LayoutDevice()), FLayout(layout)
{
    FDocument->setUseDesignMetrics(true);
    FDocument->documentLayout()->setPaintDevice(FDevice.get());
    QTextFrameFormat frame = FDocument->rootFrame()->frameFormat();
    frame.setMargin(0);
    frame.setPadding(0);
    frame.setBorder(0);
    FDocument->rootFrame()->setFrameFormat(frame);
    FDocument->setDocumentMargin(0);
    const double width = TwipsToUnits(layout.TextWidth());
    FPageHeight = TwipsToUnits(layout.TextHeight());
    // (setTextWidth would drop the page height, and with it the pages.)
    FDocument->setPageSize(QSizeF(width, FPageHeight));

    // Each page starts at the first line laid out on it; the layout is made whole first (it is
    // otherwise made as far as it is looked at).
    FStarts.push_back(0);
    QAbstractTextDocumentLayout* textLayout = FDocument->documentLayout();
    (void)textLayout->documentSize();
    for (QTextBlock block = FDocument->begin(); block.isValid(); block = block.next()) {
        const QRectF box = textLayout->blockBoundingRect(block);
        const QTextLayout* lines = block.layout();
        for (int index = 0; lines && index < lines->lineCount(); ++index) {
            const QTextLine line = lines->lineAt(index);
            const double top = box.top() + line.y();
            const int page = static_cast<int>(std::floor((top + 0.01) / FPageHeight));
            const int position = block.position() + line.textStart();
            while (static_cast<int>(FStarts.size()) <= page && position > FStarts.back())
                FStarts.push_back(position);
        }
    }
}

DocumentPages::~DocumentPages() = default;

int DocumentPages::PageOf(int position) const
{
    const auto after = std::upper_bound(FStarts.begin(), FStarts.end(), position);
    return std::max(0, static_cast<int>(after - FStarts.begin()) - 1);
}

int DocumentPages::DrawPage(QPainter& painter, int position, const QRectF& target, double zoom) const
{
    const int page = PageOf(std::max(position, 0));
    const double pageTop = page * FPageHeight;
    const QPaintDevice* device = painter.device();
    const double dotsPerInch = device ? device->logicalDpiX() : DocumentUnitsPerInch;
    const double scale = dotsPerInch / DocumentUnitsPerInch * zoom / 100.0;
    const double width = TwipsToUnits(FLayout.TextWidth());

    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.translate(0, -pageTop);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, pageTop, width, FPageHeight);
    context.palette.setColor(QPalette::Text, Qt::black);
    FDocument->documentLayout()->draw(&painter, context);
    painter.restore();

    return NextPosition(position);
}

int DocumentPages::NextPosition(int position) const
{
    const int page = PageOf(std::max(position, 0));
    if (page + 1 >= PageCount())
        return 0;
    const int next = FStarts[static_cast<size_t>(page + 1)];
    return next > position ? next : 0;
}

} // namespace corvane
