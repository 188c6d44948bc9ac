#include "layout/PcxDecoder.h"

#include <cstdint>
#include <vector>

namespace corvane {
namespace {

constexpr qsizetype HeaderSize = 128;
constexpr qsizetype PaletteSize = 769; // the marker 12 and 256 RGB triples at the end of the file
constexpr int MaxSide = 16384;

uint16_t Word(const QByteArray& bytes, qsizetype at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                                 (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

} // namespace

bool LooksLikePcx(const QByteArray& bytes)
{
    return bytes.size() >= HeaderSize && static_cast<uint8_t>(bytes[0]) == 10 &&
           static_cast<uint8_t>(bytes[2]) == 1;
}

Result<QImage> DecodePcx(const QByteArray& bytes)
{
    if (!LooksLikePcx(bytes))
        return Result<QImage>::Error("not a PCX image (bad header)");
    const int bitsPerPixel = static_cast<uint8_t>(bytes[3]);
    const int xMin = Word(bytes, 4);
    const int yMin = Word(bytes, 6);
    const int xMax = Word(bytes, 8);
    const int yMax = Word(bytes, 10);
    const int planes = static_cast<uint8_t>(bytes[65]);
    const int bytesPerLine = Word(bytes, 66);
    if (xMax < xMin || yMax < yMin)
        return Result<QImage>::Error("PCX image with a negative size");
    const int width = xMax - xMin + 1;
    const int height = yMax - yMin + 1;
    if (width > MaxSide || height > MaxSide)
        return Result<QImage>::Error("PCX image too large");
    const bool paletted = bitsPerPixel == 8 && planes == 1;
    const bool trueColour = bitsPerPixel == 8 && planes == 3;
    if (!paletted && !trueColour)
        return Result<QImage>::Error("PCX image with " + std::to_string(bitsPerPixel) + " bits in " +
                                     std::to_string(planes) + " planes is not supported");
    if (bytesPerLine < width)
        return Result<QImage>::Error("PCX line length shorter than the image width");

    // An 8-bit image ends with its palette; the run-length data stops before it.
    qsizetype dataEnd = bytes.size();
    const uint8_t* palette = nullptr;
    if (paletted && bytes.size() >= HeaderSize + PaletteSize &&
        static_cast<uint8_t>(bytes[bytes.size() - PaletteSize]) == 12) {
        dataEnd = bytes.size() - PaletteSize;
        palette = reinterpret_cast<const uint8_t*>(bytes.constData()) + dataEnd + 1;
    }

    const qsizetype lineBytes = static_cast<qsizetype>(bytesPerLine) * planes;
    const qsizetype total = lineBytes * height;
    // One byte pair expands to at most 63 bytes: refuse sizes the data cannot hold before allocating.
    if (total > (dataEnd - HeaderSize) * 63)
        return Result<QImage>::Error("PCX image data truncated");

    std::vector<uint8_t> pixels(static_cast<size_t>(total));
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    qsizetype in = HeaderSize;
    qsizetype out = 0;
    while (out < total) {
        if (in >= dataEnd)
            return Result<QImage>::Error("PCX image data truncated");
        uint8_t value = data[in++];
        qsizetype count = 1;
        if ((value & 0xC0) == 0xC0) {
            count = value & 0x3F;
            if (in >= dataEnd)
                return Result<QImage>::Error("PCX image data truncated");
            value = data[in++];
        }
        // A run may go past the last line; what lies beyond the image is dropped.
        for (; count > 0 && out < total; --count)
            pixels[static_cast<size_t>(out++)] = value;
    }

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return Result<QImage>::Error("PCX image too large");
    for (int y = 0; y < height; ++y) {
        const uint8_t* line = pixels.data() + static_cast<qsizetype>(y) * lineBytes;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (trueColour) {
                target[x] = qRgb(line[x], line[x + bytesPerLine], line[x + 2 * bytesPerLine]);
            } else if (palette) {
                const uint8_t* rgb = palette + 3 * line[x];
                target[x] = qRgb(rgb[0], rgb[1], rgb[2]);
            } else {
                target[x] = qRgb(line[x], line[x], line[x]); // no palette: grey levels
            }
        }
    }
    return image;
}

} // namespace corvane
