#pragma once
// The parts every designer window (labels, envelopes) builds alike: the tool bar's drawn icons,
// toggle and record buttons, and the window keys (keypad + and - zoom on release, Page Up / Page
// Down / Home / End scroll the design area, the rest goes to the design panel).

#include <functional>

#include <QIcon>
#include <QString>

#include "layout/TGLabelPanel.h"

class QKeyEvent;
class QPainter;
class QScrollArea;
class QToolButton;
class QWidget;

namespace corvane {

class TGDesignPanel;

inline constexpr int DesignIconSize = 22;

QIcon DrawnIcon(const std::function<void(QPainter&)>& draw);
QIcon TextIcon(const QString& text, int pointSize = 11, bool bold = true);
// The picture of a label panel tool (the envelope designer's tools use the same pictures).
QIcon ToolIcon(TPanelState tool);
QIcon GridIcon(bool snap);
QToolButton* ToggleButton(const QString& objectName, const QString& hint, const QIcon& icon, QWidget* parent);
QToolButton* RecordToolButton(const QString& objectName, const QString& hint, Qt::ArrowType arrow, bool bar,
                              bool barFirst, QWidget* parent);

// A designer window's key handling: true when the key was used. Keys go nowhere while
// `textHasFocus` (the description edit keeps its keys).
bool HandleDesignWindowKey(QKeyEvent* event, bool release, bool textHasFocus, QScrollArea& area,
                           TGDesignPanel& panel, const std::function<void()>& zoomIn,
                           const std::function<void()>& zoomOut);

} // namespace corvane
