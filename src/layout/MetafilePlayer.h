#pragma once
// Windows metafiles (".WMF") drawn through libwmf: the metafile becomes SVG, which Qt's SVG
// renderer records as a picture the painters stretch into the element. Enhanced metafiles and a
// metafile libwmf cannot read are errors; their elements show a crossed frame instead.

#include <QByteArray>
#include <QPicture>

#include "platform/Result.h"

namespace corvane {

// The metafile as an SVG document.
Result<QByteArray> WindowsMetafileToSvg(const QByteArray& bytes);
// The metafile as a picture whose bounds are its own size.
Result<QPicture> PlayMetafile(const QByteArray& bytes);

} // namespace corvane
