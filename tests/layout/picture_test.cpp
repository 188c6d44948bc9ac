// Pictures: PCX decoding from tiny handmade files, refusal of malformed ones, and loading through
// Qt's readers with metafiles kept as bytes.

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "layout/ComponentOwner.h"
#include "layout/MetafilePlayer.h"
#include "layout/PcxDecoder.h"
#include "layout/PictureLoader.h"
#include "layout/QPainterElementPainter.h"
#include "layout/RecordingElementPainter.h"
#include "layout/TGDataPanel.h"
#include "layout/TGImage.h"

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

// A placeable Windows metafile made here, word by word: a 1000 x 1000 unit window with a red
// rectangle from (200, 200) to (800, 800), one inch square.
QByteArray RedSquareMetafile()
{
    QByteArray bytes;
    const auto word = [&bytes](int value) {
        bytes.append(static_cast<char>(value & 0xFF));
        bytes.append(static_cast<char>((value >> 8) & 0xFF));
    };
    const auto dword = [&word](uint32_t value) {
        word(static_cast<int>(value & 0xFFFF));
        word(static_cast<int>(value >> 16));
    };
    const int placeable[] = {0xCDD7, 0x9AC6, 0, 0, 0, 1000, 1000, 1000, 0, 0};
    int checksum = 0;
    for (int value : placeable) {
        word(value);
        checksum ^= value;
    }
    word(checksum);
    word(1), word(9), word(0x0300), dword(40), word(1), dword(7), word(0); // the header: 40 words
    dword(5), word(0x020B), word(0), word(0);                             // window origin
    dword(5), word(0x020C), word(1000), word(1000);                       // window extent
    dword(7), word(0x02FC), word(0), dword(0x000000FF), word(0);          // a solid red brush
    dword(4), word(0x012D), word(0);                                      // selected
    dword(7), word(0x041B), word(800), word(800), word(200), word(200);   // the rectangle
    dword(3), word(0);                                                    // the end
    return bytes;
}

TEST(MetafileTest, AWindowsMetafileIsDrawnThroughItsPicture)
{
    const Result<QPicture> played = PlayMetafile(RedSquareMetafile());
    ASSERT_TRUE(played) << played.Message();
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QPainterElementPainter elementPainter(painter, 96);
        elementPainter.StretchPicture(QRectF(0, 0, 100, 100), *played);
    }
    EXPECT_EQ(QColor(image.pixel(50, 50)), QColor(Qt::red)) << "the metafile's rectangle";
}

// On screen and on paper: the picture when the metafile plays, the crossed frame when it cannot
// (an enhanced metafile), never an empty frame.
TEST(MetafileTest, AnImageElementDrawsThePictureOrACrossedFrame)
{
    QByteArray emf(48, '\0');
    emf[0] = 1;
    emf.replace(40, 4, " EMF");
    EXPECT_FALSE(PlayMetafile(emf));
    struct Case {
        QByteArray Bytes;
        std::vector<PrimitiveKind> Drawn;
    };
    const Case cases[] = {
        {RedSquareMetafile(), {PrimitiveKind::Picture}},
        {emf, {PrimitiveKind::Rectangle, PrimitiveKind::Line, PrimitiveKind::Line}},
    };
    for (const Case& c : cases) {
        ComponentOwner owner;
        TGDataPanel panel(owner);
        panel.SetSize(400, 300);
        auto element = std::make_unique<TGImage>();
        element->SetDesignBounds({0, 0, 96, 96});
        auto& image = static_cast<TGImage&>(panel.InsertElement(std::move(element)));
        TGPicture picture;
        picture.GraphicKind = TGPicture::Kind::Metafile;
        picture.Bytes = c.Bytes.toStdString();
        image.SetPicture(picture);
        std::vector<RecordedPrimitive> drawn;
        RecordingElementPainter painter(drawn, 96);
        image.Paint(painter);
        std::vector<PrimitiveKind> kinds;
        for (const RecordedPrimitive& primitive : drawn)
            kinds.push_back(primitive.Kind);
        EXPECT_EQ(kinds, c.Drawn);
    }
}

} // namespace
} // namespace corvane
