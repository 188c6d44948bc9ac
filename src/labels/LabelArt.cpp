#include "labels/LabelArt.h"

#include <QBuffer>
#include <QColor>

#include "platform/ProgramDirectory.h"

namespace corvane {

QString ArtBitmapName(const QString& art)
{
    const QString trimmed = art.trimmed();
    const qsizetype dot = trimmed.indexOf('.');
    return (dot >= 0 ? trimmed.left(dot) : trimmed).toUpper();
}

std::optional<QImage> LoadArtBitmap(const QString& art)
{
    const QString name = ArtBitmapName(art);
    if (name.isEmpty())
        return std::nullopt;
    const std::string path = FindEntryNoCase(SystemDataDirectory(), (name + ".BMP").toStdString());
    if (path.empty())
        return std::nullopt;
    QImage image;
    if (!image.load(QString::fromStdString(path)) || image.isNull())
        return std::nullopt;
    return image;
}

QImage RecolourArt(const QImage& bitmap, const QSize& labelPixels)
{
    QImage result = bitmap.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(result.width(), labelPixels.width());
    const int height = std::min(result.height(), labelPixels.height());
    const QRgb silver = qRgb(0xC0, 0xC0, 0xC0);
    const QRgb white = qRgb(0xFF, 0xFF, 0xFF);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qGray(line[x]) < 128 ? silver : white;
    }
    return result;
}

TGPicture ArtBackground(const QString& art, const QSize& labelPixels)
{
    std::optional<QImage> bitmap = LoadArtBitmap(art);
    if (!bitmap)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!RecolourArt(*bitmap, labelPixels).save(&buffer, "BMP"))
        return {};
    TGPicture picture;
    picture.GraphicKind = TGPicture::Kind::Bitmap;
    picture.Bytes = bytes.toStdString();
    return picture;
}

} // namespace corvane
