#pragma once
// Pen widths as layouts and reports give them, turned into device dots.

namespace corvane {

// A pen width in device dots: positive widths are dots already; a negative width is |width|
// hundredths of an inch, rounded to dots and never thinner than 1 dot; 0 stays 0 (the thinnest).
int PenWidthInDots(int width, double dotsPerInch);

} // namespace corvane
