#include "envelopes/EnvelopeSizes.h"

#include <algorithm>
#include <array>

namespace corvane {

namespace {

// The millimetre sizes are converted at 0.04 inch per millimetre. B6 is 5 wide by 7.04 high:
// stored B6 layouts were designed on that panel.
constexpr std::array<EnvelopeSize, 16> Sizes{{
    {"Envelope #9 3 7/8 x 8 7/8 inches", 19, 8.875, 3.875},
    {"Envelope #10 4 1/8 x 9 1/2 inches", 20, 9.5, 4.125},
    {"Envelope #11 4 1/2 x 10 3/8 inches", 21, 10.375, 4.5},
    {"Envelope #12 4 3/4 x 11 inches", 22, 11, 4.75},
    {"Envelope #14 5 x 11 1/2 inches", 23, 11.5, 5},
    {"Envelope DL 110 x 220 mm", 27, 8.8, 4.4},
    {"Envelope C5 162 x 229 mm ", 28, 9.16, 6.48},
    {"Envelope C4  229 x 324 mm", 30, 12.96, 9.16},
    {"Envelope C6  114 x 162 mm", 31, 6.48, 4.56},
    {"Envelope C65 114 x 229 mm", 32, 9.16, 4.56},
    {"Envelope B4  250 x 353 mm", 33, 14.12, 10},
    {"Envelope B5  176 x 250 mm", 34, 10, 7.04},
    {"Envelope B6  176 x 125 mm", 35, 5, 7.04},
    {"Envelope 110 x 230 mm", 36, 9.2, 4.4},
    {"Envelope Monarch 3 7/8 x 7 1/2 inches", 37, 7.5, 3.875},
    {"6 3/4 Envelope 3 5/8 x 6 1/2 inches", 38, 6.5, 3.625},
}};

} // namespace

std::span<const EnvelopeSize> EnvelopeSizes()
{
    return Sizes;
}

const EnvelopeSize* FindEnvelopeSize(int code)
{
    const auto found =
        std::find_if(Sizes.begin(), Sizes.end(), [code](const EnvelopeSize& s) { return s.Code == code; });
    return found == Sizes.end() ? nullptr : &*found;
}

int EnvelopeSizeIndex(int code)
{
    const EnvelopeSize* size = FindEnvelopeSize(code);
    return size ? static_cast<int>(size - Sizes.data()) : -1;
}

double EnvelopeWidth(int code)
{
    const EnvelopeSize* size = FindEnvelopeSize(code);
    return size ? size->Width : -1;
}

double EnvelopeHeight(int code)
{
    const EnvelopeSize* size = FindEnvelopeSize(code);
    return size ? size->Height : -1;
}

QSizeF EnvelopePageInches(int code, bool landscape)
{
    const EnvelopeSize* size = FindEnvelopeSize(code);
    if (!size)
        return {};
    return landscape ? QSizeF(size->Width, size->Height) : QSizeF(size->Height, size->Width);
}

PageGeometry PageGeometryFor(const QSizeF& inches)
{
    // A page device holds sizes in portrait terms and turns them for landscape.
    if (inches.width() > inches.height())
        return {QPageSize(inches.transposed(), QPageSize::Inch, {}, QPageSize::ExactMatch),
                QPageLayout::Landscape};
    return {QPageSize(inches, QPageSize::Inch, {}, QPageSize::ExactMatch), QPageLayout::Portrait};
}

} // namespace corvane
