// Decodes arbitrary bytes as a PCX image: every size and run length comes from the input, so a bad
// file must give an error result, never a read past the end or an allocation the data cannot fill.
#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "layout/PcxDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Result<QImage> image = corvane::DecodePcx(bytes);
    if (image) {
        // A decoded image is whole: touch its last pixel.
        const QImage& decoded = image.Value();
        if (!decoded.isNull())
            (void)decoded.pixel(decoded.width() - 1, decoded.height() - 1);
    }
    return 0;
}
