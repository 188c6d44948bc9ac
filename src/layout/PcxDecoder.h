#pragma once
// PCX images (ZSoft), which Qt does not read: 8-bit with a 256-colour palette, and 24-bit as three
// planes. Every length comes from the file and is checked against the bytes there are; a bad file
// is an error, never a read past its end.

#include <QByteArray>
#include <QImage>

#include "platform/Result.h"

namespace corvane {

// Whether the bytes start like a PCX file (manufacturer 10, RLE encoding).
bool LooksLikePcx(const QByteArray& bytes);
Result<QImage> DecodePcx(const QByteArray& bytes);

} // namespace corvane
