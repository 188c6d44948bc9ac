#pragma once
// "What's this?" help for single controls. A window hands over its texts, keyed by the
// controls' object names; right-clicking the window then offers the single menu item
// "What's this?", which shows the text of the control under the mouse (or, over a place without
// text, lets the user click the control to explain, as the mouse-help button does).

#include <map>

#include <QString>
#include <QStringList>

class QPoint;
class QToolButton;
class QWidget;

namespace corvane {

using WhatsThisTexts = std::map<QString, QString>;

// Sets the texts and installs the right-click menu on `window`. Returns the object names of
// `texts` that name no control of the window, so that a misspelt name is noticed.
QStringList InstallWhatsThis(QWidget* window, const WhatsThisTexts& texts);

// The text for a point of `window` (window coordinates): that of the control there, or of the
// nearest enclosing control that has one; empty when none has.
QString WhatsThisTextAt(const QWidget* window, const QPoint& position);

// The mouse-help button ("MouseHelpButton"): click it, then a control, to see that control's text.
QToolButton* CreateMouseHelpButton(QWidget* parent);

} // namespace corvane
