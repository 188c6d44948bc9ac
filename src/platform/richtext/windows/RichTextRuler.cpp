#include "platform/richtext/windows/RichTextRuler.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "platform/richtext/PageLayoutTwips.h"

namespace corvane {

namespace {

constexpr int RulerHeight = 24;
constexpr int GripPixels = 5;

} // namespace

RichTextRuler::RichTextRuler(QTextEdit& editor, QWidget* parent) : QWidget(parent), FEditor(editor)
{
    setObjectName("Ruler");
    setMinimumHeight(RulerHeight);
    connect(&FEditor, &QTextEdit::cursorPositionChanged, this, qOverload<>(&QWidget::update));
    connect(FEditor.horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

void RichTextRuler::SetTextWidth(double units)
{
    FTextWidth = units;
    update();
}

QSize RichTextRuler::sizeHint() const
{
    return QSize(static_cast<int>(FTextWidth) + 40, RulerHeight);
}

int RichTextRuler::ToPixels(double units) const
{
    // The ruler and the editor's viewport are siblings: they meet in global coordinates.
    const int origin = mapFromGlobal(FEditor.viewport()->mapToGlobal(QPoint(0, 0))).x() -
                       FEditor.horizontalScrollBar()->value() +
                       static_cast<int>(FEditor.document()->documentMargin());
    return origin + static_cast<int>(std::lround(units));
}

double RichTextRuler::ToUnits(int x) const
{
    return x - ToPixels(0);
}

void RichTextRuler::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(QRect(QPoint(ToPixels(0), 2), QPoint(ToPixels(FTextWidth), height() - 3)), Qt::white);
    painter.setPen(Qt::black);
    QFont small = font();
    small.setPointSize(7);
    painter.setFont(small);
    // Ticks every eighth of an inch, numbers at each inch.
    const double eighth = DocumentUnitsPerInch / 8.0;
    for (int tick = 0; tick * eighth <= FTextWidth + 0.5; ++tick) {
        const int x = ToPixels(tick * eighth);
        const int length = tick % 8 == 0 ? 8 : (tick % 4 == 0 ? 6 : (tick % 2 == 0 ? 4 : 2));
        painter.drawLine(x, height() - 3 - length, x, height() - 3);
        if (tick % 8 == 0 && tick > 0)
            painter.drawText(QRect(x - 10, 2, 20, 10), Qt::AlignCenter, QString::number(tick / 8));
    }
    const QTextBlockFormat format = FEditor.textCursor().blockFormat();
    const int left = ToPixels(format.leftMargin());
    const int first = ToPixels(format.leftMargin() + format.textIndent());
    const int right = ToPixels(FTextWidth - format.rightMargin());
    painter.setBrush(Qt::darkGray);
    painter.drawPolygon(QPolygon({QPoint(first - 4, 2), QPoint(first + 4, 2), QPoint(first, 8)}));
    painter.drawPolygon(QPolygon(
        {QPoint(left - 4, height() - 2), QPoint(left + 4, height() - 2), QPoint(left, height() - 8)}));
    painter.drawPolygon(QPolygon(
        {QPoint(right - 4, height() - 2), QPoint(right + 4, height() - 2), QPoint(right, height() - 8)}));
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        const int x = ToPixels(tab.position);
        painter.drawLine(x, height() - 10, x, height() - 4);
        painter.drawLine(x, height() - 4, tab.type == QTextOption::RightTab ? x - 4 : x + 4, height() - 4);
    }
}

void RichTextRuler::mousePressEvent(QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    const bool top = event->position().y() < height() / 2.0;
    const QTextBlockFormat format = FEditor.textCursor().blockFormat();
    const auto near = [x](double units, const RichTextRuler* ruler) {
        return std::abs(ruler->ToPixels(units) - x) <= GripPixels;
    };
    FHeld = Marker::None;
    FTabIndex = -1;
    if (top && near(format.leftMargin() + format.textIndent(), this)) {
        FHeld = Marker::First;
    } else if (!top && near(format.leftMargin(), this)) {
        FHeld = Marker::Left;
    } else if (near(FTextWidth - format.rightMargin(), this)) {
        FHeld = Marker::Right;
    } else {
        const QList<QTextOption::Tab> tabs = format.tabPositions();
        for (qsizetype index = 0; index < tabs.size(); ++index) {
            if (near(tabs[index].position, this)) {
                FHeld = Marker::Tab;
                FTabIndex = static_cast<int>(index);
            }
        }
        if (FHeld == Marker::None) {
            // A click on the ruler sets a left tab there.
            FHeld = Marker::Tab;
            QTextBlockFormat changed = format;
            QList<QTextOption::Tab> more = tabs;
            more.append(QTextOption::Tab(std::clamp(ToUnits(x), 0.0, FTextWidth), QTextOption::LeftTab));
            std::sort(more.begin(), more.end(),
                      [](const auto& a, const auto& b) { return a.position < b.position; });
            changed.setTabPositions(more);
            FEditor.textCursor().setBlockFormat(changed);
            for (qsizetype index = 0; index < more.size(); ++index) {
                if (std::abs(ToPixels(more[index].position) - x) <= 1)
                    FTabIndex = static_cast<int>(index);
            }
        }
    }
    FDragUnits = std::clamp(ToUnits(x), 0.0, FTextWidth);
    update();
}

void RichTextRuler::mouseMoveEvent(QMouseEvent* event)
{
    if (FHeld == Marker::None)
        return;
    FDragUnits = std::clamp(ToUnits(event->position().toPoint().x()), 0.0, FTextWidth);
    FDragOff = !rect().adjusted(0, -10, 0, 10).contains(event->position().toPoint());
    Apply(FDragUnits, false);
}

void RichTextRuler::mouseReleaseEvent(QMouseEvent*)
{
    if (FHeld != Marker::None)
        Apply(FDragUnits, FDragOff && FHeld == Marker::Tab);
    FHeld = Marker::None;
    FDragOff = false;
}

void RichTextRuler::Apply(double units, bool remove)
{
    QTextCursor cursor = FEditor.textCursor();
    QTextBlockFormat format = cursor.blockFormat();
    switch (FHeld) {
    case Marker::Left: {
        const double first = format.leftMargin() + format.textIndent();
        format.setLeftMargin(units);
        format.setTextIndent(first - units);
        break;
    }
    case Marker::First:
        format.setTextIndent(units - format.leftMargin());
        break;
    case Marker::Right:
        format.setRightMargin(std::max(0.0, FTextWidth - units));
        break;
    case Marker::Tab: {
        QList<QTextOption::Tab> tabs = format.tabPositions();
        if (FTabIndex >= 0 && FTabIndex < tabs.size()) {
            if (remove) {
                tabs.removeAt(FTabIndex);
                FTabIndex = -1;
            } else {
                tabs[FTabIndex].position = units;
            }
        }
        format.setTabPositions(tabs);
        break;
    }
    case Marker::None:
        return;
    }
    cursor.setBlockFormat(format);
    update();
}

} // namespace corvane
