#include "printing/pages/PenWidth.h"

#include <cmath>
#include <cstdlib>

namespace corvane {

int PenWidthInDots(int width, double dotsPerInch)
{
    if (width >= 0)
        return width;
    const long dots = std::lround(std::abs(static_cast<double>(width)) / 100.0 * dotsPerInch);
    return dots < 1 ? 1 : static_cast<int>(dots);
}

} // namespace corvane
