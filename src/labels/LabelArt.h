#pragma once
// The stock's outline picture shown faintly behind a label layout in the designer. A stock names
// its picture in the catalogue's ART column; the bitmap lives in sysdata as the name up to its
// first ".", in capitals, with ".BMP" (any case of the file name is found).

#include <optional>

#include <QImage>
#include <QSize>
#include <QString>

#include "layout/LayoutTypes.h"

namespace corvane {

// "av5160.pcx" -> "AV5160"; empty for an empty art name.
QString ArtBitmapName(const QString& art);
// The bitmap of a stock's art name from the system data folder; nothing when the name is empty or
// no readable bitmap of that name is there.
std::optional<QImage> LoadArtBitmap(const QString& art);

// The picture with the part covering the label (`labelPixels` from its top-left corner) turned
// faint: dark pixels silver, light pixels white. The rest is left as it is.
QImage RecolourArt(const QImage& bitmap, const QSize& labelPixels);

// The recoloured art as the panel's background picture (a bitmap); an empty picture when the
// art name is empty or its bitmap is missing.
TGPicture ArtBackground(const QString& art, const QSize& labelPixels);

} // namespace corvane
