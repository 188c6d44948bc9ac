#include "layout/PictureLoader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "layout/ElementPainter.h"
#include "layout/PcxDecoder.h"

namespace corvane {

bool IsMetafileBytes(const QByteArray& bytes)
{
    // Placeable metafile key, a plain metafile header (type 1 or 2, header size 9 words), or an
    // enhanced metafile record 1 carrying " EMF" at offset 40.
    if (bytes.startsWith(QByteArray::fromHex("d7cdc69a")))
        return true;
    if (bytes.size() >= 18 && (bytes.startsWith(QByteArray::fromHex("01000900")) ||
                               bytes.startsWith(QByteArray::fromHex("02000900"))))
        return true;
    return bytes.size() >= 44 && bytes.startsWith(QByteArray::fromHex("01000000")) &&
           bytes.mid(40, 4) == " EMF";
}

Result<QImage> DecodeImageBytes(const QByteArray& bytes, const QByteArray& formatHint)
{
    if (bytes.isEmpty())
        return Result<QImage>::Error("empty image");
    const QByteArray hint = formatHint.toLower();
    if (hint == "pcx" || (hint.isEmpty() && LooksLikePcx(bytes)))
        return DecodePcx(bytes);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // "RLE" files are run-length bitmaps and "JIF" files JPEG: the readers know them by content.
    QImage image = reader.read();
    if (image.isNull())
        return Result<QImage>::Error("cannot read the image: " + reader.errorString().toStdString());
    return image;
}

Result<LoadedPicture> LoadPictureFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<LoadedPicture>::Error("cannot open " + path.toStdString());
    const QByteArray bytes = file.readAll();
    LoadedPicture picture;
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix == "wmf" || suffix == "emf" || IsMetafileBytes(bytes)) {
        if (!IsMetafileBytes(bytes))
            return Result<LoadedPicture>::Error(path.toStdString() + " is not a metafile");
        picture.MetafileBytes = bytes;
        return picture;
    }
    Result<QImage> image = DecodeImageBytes(bytes, suffix);
    if (!image)
        return Result<LoadedPicture>::Error(path.toStdString() + ": " + image.Message());
    picture.Bitmap = image.Take();
    return picture;
}

void DrawMetafilePlaceholder(ElementPainter& painter, const QRectF& rect)
{
    painter.SetPen(SurfacePen{Qt::darkGray, PenStyle::Solid, PenMode::Copy, 0});
    painter.SetBrush(SurfaceBrush{Qt::white, BrushStyle::Clear});
    painter.Rectangle(rect);
    painter.Line(rect.topLeft(), rect.bottomRight());
    painter.Line(rect.bottomLeft(), rect.topRight());
}

} // namespace corvane
