#pragma once
// Pictures for image elements: image files become bitmaps (through Qt's image readers, PCX through
// our own decoder), metafiles (".WMF", ".EMF") are kept as their bytes, since Qt cannot play them;
// they draw as a placeholder frame.

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>

#include "platform/Result.h"

namespace corvane {

class ElementPainter;

struct LoadedPicture {
    QImage Bitmap;            // set for a bitmap
    QByteArray MetafileBytes; // set for a metafile, as read
    bool IsMetafile() const { return !MetafileBytes.isEmpty(); }
};

// Whether the bytes are a Windows metafile (placeable or plain) or an enhanced metafile.
bool IsMetafileBytes(const QByteArray& bytes);
// A bitmap from image bytes of any format Qt reads, or PCX; formatHint is a file suffix.
Result<QImage> DecodeImageBytes(const QByteArray& bytes, const QByteArray& formatHint = {});
Result<LoadedPicture> LoadPictureFile(const QString& path);

// What a metafile that cannot be played shows: a frame with its diagonals.
void DrawMetafilePlaceholder(ElementPainter& painter, const QRectF& rect);

} // namespace corvane
