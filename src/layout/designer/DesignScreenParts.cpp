#include "layout/designer/DesignScreenParts.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "layout/designer/TGDesignPanel.h"

namespace corvane {

// The tool bar's pictures, drawn rather than shipped.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(DesignIconSize, DesignIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    draw(painter);
    return QIcon(pixmap);
}

QIcon TextIcon(const QString& text, int pointSize, bool bold)
{
    return DrawnIcon([text, pointSize, bold](QPainter& p) {
        QFont font("Sans");
        font.setPointSize(pointSize);
        font.setBold(bold);
        p.setFont(font);
        p.drawText(QRect(0, 0, DesignIconSize, DesignIconSize), Qt::AlignCenter, text);
    });
}

QIcon ToolIcon(TPanelState tool)
{
    switch (tool) {
    case TPanelState::psPointing:
        return DrawnIcon([](QPainter& p) {
            QPainterPath arrow;
            arrow.moveTo(6, 3);
            arrow.lineTo(6, 18);
            arrow.lineTo(10, 14);
            arrow.lineTo(13, 20);
            arrow.lineTo(15, 19);
            arrow.lineTo(12, 13);
            arrow.lineTo(17, 13);
            arrow.closeSubpath();
            p.setBrush(Qt::white);
            p.drawPath(arrow);
        });
    case TPanelState::psLabel:
        return TextIcon("A", 13);
    case TPanelState::psMultiLineLabel:
        return DrawnIcon([](QPainter& p) {
            for (int y : {5, 9, 13, 17})
                p.drawLine(4, y, y == 17 ? 12 : 18, y);
        });
    case TPanelState::psCounterLabel:
        return TextIcon("#", 13);
    case TPanelState::psSymbolLabel:
        return TextIcon(QString(QChar(0x03A9)), 13);
    case TPanelState::psRectangle:
        return DrawnIcon([](QPainter& p) { p.drawRect(QRectF(3.5, 5.5, 15, 11)); });
    case TPanelState::psEllipse:
        return DrawnIcon([](QPainter& p) { p.drawEllipse(QRectF(3.5, 5.5, 15, 11)); });
    case TPanelState::psRoundRectangle:
        return DrawnIcon([](QPainter& p) { p.drawRoundedRect(QRectF(3.5, 5.5, 15, 11), 4, 4); });
    case TPanelState::psLine:
        return DrawnIcon([](QPainter& p) { p.drawLine(4, 18, 18, 4); });
    case TPanelState::psImage:
        return DrawnIcon([](QPainter& p) {
            p.drawRect(QRectF(3.5, 4.5, 15, 13));
            p.drawLine(QPointF(4, 17), QPointF(9, 10));
            p.drawLine(QPointF(9, 10), QPointF(13, 15));
            p.drawLine(QPointF(13, 15), QPointF(15, 12));
            p.drawLine(QPointF(15, 12), QPointF(18, 17));
            p.drawEllipse(QRectF(13, 6.5, 3, 3));
        });
    case TPanelState::psPostNetBarCode:
        return DrawnIcon([](QPainter& p) {
            p.setPen(QPen(Qt::black, 1.4));
            for (int i = 0; i < 8; ++i) {
                const int x = 3 + i * 2;
                p.drawLine(x, (i % 3 == 0) ? 6 : 11, x, 16);
            }
        });
    case TPanelState::psIntelligentMailBarCode:
        return DrawnIcon([](QPainter& p) {
            // Four-state bars: full, ascender, descender, tracker.
            p.setPen(QPen(Qt::black, 1.4));
            const int tops[] = {5, 5, 9, 9, 5, 9, 5, 9};
            const int bottoms[] = {17, 13, 17, 13, 13, 17, 17, 13};
            for (int i = 0; i < 8; ++i)
                p.drawLine(3 + i * 2, tops[i], 3 + i * 2, bottoms[i]);
        });
    case TPanelState::psDataLabel:
        return TextIcon("[F]", 8);
    case TPanelState::psMultiLineDataLabel:
        return TextIcon("[M]", 8);
    case TPanelState::psAddressLabel:
        return DrawnIcon([](QPainter& p) {
            p.drawRect(QRectF(2.5, 5.5, 17, 12));
            p.drawLine(5, 9, 14, 9);
            p.drawLine(5, 12, 16, 12);
            p.drawLine(5, 15, 12, 15);
        });
    }
    return {};
}

QToolButton* ToggleButton(const QString& objectName, const QString& hint, const QIcon& icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setIconSize(QSize(DesignIconSize, DesignIconSize));
    button->setCheckable(true);
    button->setAutoRaise(true);
    return button;
}

QIcon GridIcon(bool snap)
{
    return DrawnIcon([snap](QPainter& p) {
        p.setPen(QPen(Qt::black, 2));
        for (int x = 4; x < DesignIconSize; x += 5)
            for (int y = 4; y < DesignIconSize; y += 5)
                p.drawPoint(x, y);
        if (snap) {
            p.setPen(QPen(Qt::darkBlue, 1.5));
            p.drawRect(QRectF(4, 9, 10, 10));
        }
    });
}

QToolButton* RecordToolButton(const QString& objectName, const QString& hint, Qt::ArrowType arrow, bool bar,
                              bool barFirst, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setToolTip(hint);
    button->setIcon(DrawnIcon([arrow, bar, barFirst](QPainter& p) {
        p.setBrush(Qt::black);
        const bool left = arrow == Qt::LeftArrow;
        QPolygonF triangle;
        if (left)
            triangle << QPointF(15, 5) << QPointF(15, 17) << QPointF(7, 11);
        else
            triangle << QPointF(7, 5) << QPointF(7, 17) << QPointF(15, 11);
        p.drawPolygon(triangle);
        if (bar) {
            const double x = barFirst ? 5 : 17;
            p.drawLine(QPointF(x, 5), QPointF(x, 17));
        }
    }));
    button->setIconSize(QSize(DesignIconSize, DesignIconSize));
    return button;
}

bool HandleDesignWindowKey(QKeyEvent* event, bool release, bool textHasFocus, QScrollArea& area,
                           TGDesignPanel& panel, const std::function<void()>& zoomIn,
                           const std::function<void()>& zoomOut)
{
    if (textHasFocus)
        return false;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (keypad && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
        if (release && !event->isAutoRepeat()) {
            if (event->key() == Qt::Key_Plus)
                zoomIn();
            else
                zoomOut();
        }
        return true;
    }
    if (release)
        return panel.HandleKeyRelease(event);
    QScrollBar* vertical = area.verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageUp:
        vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_PageDown:
        vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Home:
        vertical->triggerAction(QAbstractSlider::SliderToMinimum);
        return true;
    case Qt::Key_End:
        vertical->triggerAction(QAbstractSlider::SliderToMaximum);
        return true;
    default:
        return panel.HandleKeyPress(event);
    }
}

} // namespace corvane
