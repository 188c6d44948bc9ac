// Pictures: PCX decoding from tiny handmade files, refusal of malformed ones, and loading through
// Qt's readers with metafiles kept as bytes.

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "layout/PcxDecoder.h"
#include "layout/PictureLoader.h"

namespace corvane {
namespace {

void PutWord(QByteArray& bytes, int at, int value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

QByteArray PcxHeader(int width, int height, int planes, int bytesPerLine)
{
    QByteArray header(128, '\0');
    header[0] = 10;
    header[1] = 5;
    header[2] = 1;
    header[3] = 8;
    PutWord(header, 8, width - 1);
    PutWord(header, 10, height - 1);
    header[65] = static_cast<char>(planes);
    PutWord(header, 66, bytesPerLine);
    return header;
}

// 3 x 2, 8 bits with a palette: row 0 = 1 1 2 (as a run of two), row 1 = 200 0 0 (200 must be
// escaped as a run of one since its top bits are set); lines padded to 4 bytes.
QByteArray PalettePcx()
{
    QByteArray bytes = PcxHeader(3, 2, 1, 4);
    bytes.append(QByteArray::fromHex("c2 01 02 00 c1 c8 c3 00"));
    QByteArray palette(769, '\0');
    palette[0] = 12;
    palette[1 + 3 * 1] = char(255);       // 1: red
    palette[1 + 3 * 2 + 1] = char(255);   // 2: green
    palette[1 + 3 * 200 + 2] = char(255); // 200: blue
    return bytes + palette;
}

TEST(PcxTest, DecodesEightBitsWithPalette)
{
    const Result<QImage> image = DecodePcx(PalettePcx());
    ASSERT_TRUE(image) << image.Message();
    ASSERT_EQ(image->size(), QSize(3, 2));
    EXPECT_EQ(image->pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image->pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image->pixel(2, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image->pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(image->pixel(2, 1), qRgb(0, 0, 0));
}

TEST(PcxTest, DecodesTwentyFourBitsAsThreePlanes)
{
    // 2 x 1: planes R, G, B of 2 bytes each; pixel 0 = (10, 20, 30), pixel 1 = (40, 50, 60).
    QByteArray bytes = PcxHeader(2, 1, 3, 2);
    bytes.append(QByteArray::fromHex("0a 28 14 32 1e 3c"));
    const Result<QImage> image = DecodeImageBytes(bytes, "pcx");
    ASSERT_TRUE(image) << image.Message();
    EXPECT_EQ(image->pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(image->pixel(1, 0), qRgb(40, 50, 60));
}

struct MalformedCase {
    const char* Name;
    QByteArray Bytes;
};

class MalformedPcxTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedPcxTest, IsRefused)
{
    const Result<QImage> image = DecodePcx(GetParam().Bytes);
    EXPECT_FALSE(image);
    EXPECT_FALSE(image.Message().empty());
}

QByteArray With(QByteArray bytes, int at, char value)
{
    bytes[at] = value;
    return bytes;
}

QByteArray WithWord(QByteArray bytes, int at, int value)
{
    PutWord(bytes, at, value);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedPcxTest,
    testing::Values(
        MalformedCase{"Empty", QByteArray()}, MalformedCase{"ShortHeader", PalettePcx().left(100)},
        MalformedCase{"NotPcx", With(PalettePcx(), 0, 'B')},
        MalformedCase{"DataCutShort", PcxHeader(3, 2, 1, 4) + QByteArray::fromHex("c2 01 02")},
        MalformedCase{"RunWithoutValue", PcxHeader(3, 2, 1, 4) + QByteArray::fromHex("01 02 03 04 c5")},
        MalformedCase{"NegativeSize", WithWord(PalettePcx(), 4, 9)},
        MalformedCase{"LinesShorterThanWidth", WithWord(PalettePcx(), 66, 2)},
        MalformedCase{"FourBitPlanes", With(PalettePcx(), 3, 4)},
        MalformedCase{"HugeSizeFromTinyData",
                      WithWord(WithWord(PcxHeader(2, 2, 3, 2), 8, 15999), 66, 16000) + QByteArray(8, '\0')}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return info.param.Name; });

TEST(PictureLoaderTest, ImagesDecodeMetafilesStayBytes)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto write = [&folder](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return folder.filePath(name);
    };

    QImage source(4, 3, QImage::Format_RGB32);
    source.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "BMP"));

    const Result<LoadedPicture> bitmap = LoadPictureFile(write("red.BMP", bmp));
    ASSERT_TRUE(bitmap) << bitmap.Message();
    EXPECT_EQ(bitmap->Bitmap.size(), QSize(4, 3));
    EXPECT_FALSE(bitmap->IsMetafile());

    const Result<LoadedPicture> pcx = LoadPictureFile(write("tiny.PCX", PalettePcx()));
    ASSERT_TRUE(pcx) << pcx.Message();
    EXPECT_EQ(pcx->Bitmap.size(), QSize(3, 2));

    const QByteArray wmf = QByteArray::fromHex("d7cdc69a") + QByteArray(40, '\1');
    const Result<LoadedPicture> metafile = LoadPictureFile(write("logo.WMF", wmf));
    ASSERT_TRUE(metafile) << metafile.Message();
    EXPECT_TRUE(metafile->IsMetafile());
    EXPECT_EQ(metafile->MetafileBytes, wmf);

    EXPECT_FALSE(LoadPictureFile(write("bad.WMF", "not a metafile")));
    EXPECT_FALSE(LoadPictureFile(write("bad.JPG", "not a jpeg at all")));
    EXPECT_FALSE(LoadPictureFile(folder.filePath("missing.BMP")));
}

} // namespace
} // namespace corvane
