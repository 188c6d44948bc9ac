#pragma once
// Where windows appear: every window is centred when created, and resizable windows remember
// their rectangle and maximized state in the settings file, one section per window class and
// screen density ("TAddressMain_Placement", or "TAddressMain_Placement120" on a 120 dpi screen,
// so that large-font screens keep placements of their own).
//
// Rectangles are stored as Left, Top, Right, Bottom with Right and Bottom just past the window,
// and describe the window's own area without the frame the window manager adds: that is what
// Qt reads and sets exactly, so a window comes back where it was.

#include <optional>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "platform/Settings.h"

class QWidget;

namespace corvane {

struct SavedPlacement {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// className + "_Placement", followed by the dots per inch when above 96.
QString PlacementSectionName(const QString& className, int logicalDpi);
// The window's class name without namespace (for example "TAddressMain").
QString WindowClassName(const QWidget* window);

// The rectangle a window restored from `saved` takes on `screen`: a rectangle reaching past the
// screen's right (bottom) edge moves left (up) by the excess and ends at that edge. Empty when
// nothing was saved (Bottom 0) or the saved values make no rectangle; the window is then centred.
std::optional<QRect> FitSavedPlacement(const SavedPlacement& saved, const QRect& screen);

// Top-left corner that centres a window of `size` over `area`.
QPoint CentredPosition(const QSize& size, const QRect& area);

// Centres a window: the main window (a window without a parent) on its screen; any other
// window over the main window, or on the screen while the main window is maximized. A window
// with a maximize button also gets a system menu.
void CentreForm(QWidget* window);

// Called when a resizable window first shows: applies the saved rectangle (or centres the
// window when none is saved), maximizes it when it was maximized, and saves the result at once.
void RestoreWindowPlacement(QWidget* window, const Settings& settings = Settings());
// Called when such a window closes: its normal (not maximized) rectangle and whether it is maximized.
void SaveWindowPlacement(const QWidget* window, const Settings& settings = Settings());

} // namespace corvane
