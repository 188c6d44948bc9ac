#pragma once
// Facing Identification Marks: nine possible bar positions at a 1/16-inch pitch, a bar at the
// marked ones.

#include <vector>

#include <QPointF>
#include <QRectF>

namespace corvane {

// A to C are the stored enumerations fimTypeA ... fimTypeC (same ordinals); D is the mark of
// information-based-indicia mail, for callers that draw it.
enum class FimType { A, B, C, D };

inline constexpr double FimBarWidth = 0.03125;
inline constexpr double FimBarPitch = 0.0625;
inline constexpr double FimBarHeight = 0.5625;
inline constexpr double FimWidth = 0.625;

// Positions 1 to 9 from the left that carry a bar.
std::vector<int> FimPositions(FimType type);
// The filled bar rectangles in inches, the mark's top-left corner at origin.
std::vector<QRectF> FimBarRects(FimType type, const QPointF& origin);
// The bars on screen in whole pixels at pixelsPerInch and zoom, as the element paints them.
std::vector<QRectF> FimScreenBarRects(FimType type, double pixelsPerInch, double zoom);

} // namespace corvane
