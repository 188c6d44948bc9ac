#pragma once
// The arithmetic of editing a layout on screen, without any widget: the selection handle's margins,
// the eight resize grips, snapping, keyboard nudges, alignment, centring, clamping and purging,
// the rubber band, the selection marks and zoom steps. All values are panel pixels at the panel's
// current zoom unless a name says otherwise.

#include <cstdint>
#include <vector>

#include "layout/LayoutTypes.h"

namespace corvane {

// Grips of the handle: 0 moves the selection, 1 to 8 resize a single element.
enum class Grip { Move, TopLeft, TopRight, BottomLeft, BottomRight, Top, Left, Bottom, Right };

// The cursor a grip shows (the widget maps these to its cursor shapes).
enum class GripCursor { Grab, DiagonalNwSe, DiagonalNeSw, Vertical, Horizontal };
GripCursor CursorOfGrip(Grip grip);

// Pasted elements land this far right of and below where they were copied.
inline constexpr int32_t PasteOffset = 15;
// A clone lands this far below its source.
inline constexpr int32_t CloneOffset = 25;
// A second paste within this many milliseconds of the last one is ignored (key repeat).
inline constexpr int64_t PasteGuardMilliseconds = 1000;
// A press released within this many milliseconds moves nothing.
inline constexpr int64_t QuickClickMilliseconds = 150;
// A held button starts a drag after this many milliseconds.
inline constexpr int64_t DragStartMilliseconds = 10;
// The handle is never narrower or lower than this while resizing.
inline constexpr int32_t MinimumHandleSize = 5;
// An element resized with a grip keeps at least this width and height, so that it stays visible
// and is never dropped as empty when the layout is saved.
inline constexpr int32_t MinimumElementSize = 5;
// Shift+Left / Shift+Up stop shrinking a single element at this width / height.
inline constexpr int32_t MinimumNudgeSize = 10;

// step * (value div step), the division truncating toward zero; a step below 2 changes nothing.
int32_t Snap(int32_t value, int32_t step);

// The smallest rectangle holding all of them (empty input: an empty rectangle).
PixelRect BoundingBox(const std::vector<PixelRect>& rects);
// The handle around a selection's bounding box: 2 pixels to the left and above, `extra` - 2 to
// the right and below (extra is 5 when an element is selected and 6 after a resync).
PixelRect HandleAround(const PixelRect& box, int32_t extra);

// The grip under (x, y) in handle coordinates of a handle w x h (later tests of the table win).
Grip GripAt(int32_t x, int32_t y, int32_t w, int32_t h);

// The handle's new bounds for a drag of `grip` by (dx, dy) with the snapping steps in use; width
// and height below minWidth / minHeight become those.
PixelRect DraggedHandleBounds(const PixelRect& handle, Grip grip, int32_t dx, int32_t dy, int32_t stepX,
                              int32_t stepY, int32_t minWidth = MinimumHandleSize,
                              int32_t minHeight = MinimumHandleSize);
// An element's bounds after its handle went from oldHandle to newHandle (relative positions kept).
PixelRect FollowHandle(const PixelRect& element, const PixelRect& oldHandle, const PixelRect& newHandle);
// The dotted outline drawn for a handle: 2 pixels in at the left and top, 3 at the right and bottom.
PixelRect OutlineOfHandle(const PixelRect& handle);

// One arrow key of a keyboard nudge on the selection's bounding box. `resize` is Shift with exactly
// one element selected: Left/Up then shrink the right/bottom edge (not below MinimumNudgeSize),
// Right/Down grow it; otherwise the box moves by one pixel. The box never passes the panel's left
// or top edge, nor its right or bottom edge past the panel's width or height.
enum class NudgeKey { Left, Up, Right, Down };
PixelRect NudgedBox(const PixelRect& box, NudgeKey key, bool resize, int32_t panelWidth, int32_t panelHeight);

// Alignment of a selection (rects in selection order); returns the new rects in the same order.
enum class Alignment { Lefts, Rights, Tops, Bottoms };
std::vector<PixelRect> Aligned(const std::vector<PixelRect>& rects, Alignment alignment, int32_t panelWidth,
                               int32_t panelHeight);
// The Left (or Top) that centres an extent on the panel's extent: (panel div 2) - (extent div 2).
int32_t CentredStart(int32_t panelExtent, int32_t extent);

// Clamping after a label size change: Top at most panel height - 10, Left at most width - 20.
PixelRect Clamped(const PixelRect& rect, int32_t panelWidth, int32_t panelHeight);
// Whether a purge destroys an element: below height - 10, right of width - 10, or empty.
bool IsPurged(const PixelRect& rect, int32_t panelWidth, int32_t panelHeight);

// The rectangle of a rubber band between two corners, whichever way it was drawn.
PixelRect NormalisedBand(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Whether two rectangles overlap in at least one pixel (a band of zero size overlaps nothing).
bool Intersects(const PixelRect& a, const PixelRect& b);

// The filled 5 x 5 squares of an element's selection marks: four corners, and the four edge
// middles when it is the only selected element.
std::vector<PixelRect> SelectionMarks(const PixelRect& element, bool onlySelected);

// The rectangle a label panel's new element is created in: a band narrower than 25 becomes 50
// wide, one lower than 15 becomes 15 high.
PixelRect EnlargedDropRect(const PixelRect& band);
// The bounds a dropped element takes: at least 10 wide and 15 high.
PixelRect DroppedBounds(const PixelRect& rect);

// Zoom in whole percent, so that steps of 10 % reach their limits exactly.
inline constexpr int MinimumZoomPercent = 40;
inline constexpr int MaximumZoomPercent = 160;
int ZoomPercentOf(float factor);
float ZoomFactorOf(int percent);
// percent + delta kept within [minimum, maximum].
int SteppedZoomPercent(int percent, int delta, int minimum = MinimumZoomPercent,
                       int maximum = MaximumZoomPercent);

} // namespace corvane
