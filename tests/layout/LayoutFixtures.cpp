#include "LayoutFixtures.h"

#include <QBuffer>
#include <QImage>

#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGDateTimeLabel.h"
#include "layout/TGFIMBarCode.h"
#include "layout/TGImage.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGLineShape.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPageNumberLabel.h"
#include "layout/TGPostNetBarCode.h"
#include "layout/TGSymbolLabel.h"
#include "layout/Trpshapes.h"

namespace corvane::testing {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int v : values)
        bytes.push_back(static_cast<char>(static_cast<uint8_t>(v)));
    return bytes;
}

std::string Short(const std::string& text)
{
    return std::string(1, static_cast<char>(text.size())) + text;
}

std::string BitmapFile(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::red);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data.toStdString();
}

std::string PlaceableMetafile()
{
    std::string header = Bytes(
        {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x40, 0x01, 0x40, 0x01, 0xA0, 0x05, 0, 0, 0, 0, 0, 0});
    // Windows metafile header (18 bytes) and the end record.
    header += Bytes({1, 0, 9, 0, 0, 3, 12, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0});
    return header;
}

namespace {

template <class T> T& Add(TGBasePanel& panel, PixelRect bounds)
{
    auto element = std::make_unique<T>();
    element->SetDesignBounds(bounds);
    return static_cast<T&>(panel.InsertElement(std::move(element)));
}

TGFont OddFont()
{
    TGFont font;
    font.Name = "Times New Roman";
    font.Height = -16;
    font.Color = 0x123456;
    font.Pitch = TFontPitch::fpVariable;
    font.Style = FontStyleBit(TFontStyle::fsBold) | FontStyleBit(TFontStyle::fsStrikeOut);
    return font;
}

} // namespace

void AddEveryKind(TGBasePanel& panel)
{
    auto& text = Add<TGPLabel>(panel, {10, 9, 142, 22});
    text.SetCaption(std::string(300, 'x') + " \xC3\xA9t\xC3\xA9 \xE2\x82\xAC"); // long, with é and €
    text.SetFont(OddFont());
    text.SetAlignment(TAlignment::taCenter);
    text.SetDepthShadow(3);
    text.SetDirectionShadow(TShadowDirection::sdLeft);
    text.SetDepthHighlight(2);
    text.SetDirectionHighlight(THighlightDirection::hdright);
    text.SetcolorShadow(0x0000FF);
    text.SetcolorHighlight(static_cast<TColor>(0x8000000F));
    text.SetTransparent(false);
    text.SetBackColor(0x00ABCDEF);
    text.SetBorderStyle(TBorderStyle::bsSingle);
    text.SetTag(-70000);
    text.SetCursor(-21);
    text.SetHint("a hint");
    text.SetLocked(true);

    auto& field = Add<TGPDLabel>(panel, {200, -5, 120, 20});
    field.SetDataFieldName("LNAME");
    field.SetDataFieldDescript("Last Name");
    field.SetLengthOfText(30);
    field.SetUnselectable(true);

    auto& counter = Add<TGCounterLabel>(panel, {0, 40, 100, 20});
    counter.SetTextBefore("No. ");
    counter.SetTextAfter(" -");
    counter.SetStartingnumber(1000);
    counter.SetRepeatEach(3);
    counter.SetLeadingZeros(6);
    counter.SetAngle(90);

    auto& symbol = Add<TGSymbolLabel>(panel, {5, 70, 30, 30});
    symbol.SetCaption("J");

    auto& date = Add<TGDateTimeLabel>(panel, {5, 100, 120, 20});
    date.SetDateFormat(TDateFormat::dtfDateLong);
    date.SetTimeFormat(TTimeFormat::dtfTimeShort);

    Add<TGPageNumberLabel>(panel, {5, 130, 40, 20}).SetCursor(7);

    auto& lines = Add<TGMultiLineLabel>(panel, {5, 160, 190, 33});
    lines.SetItems({"First line", "", std::string(260, 'L')});
    lines.SetWordWrap(true);
    lines.SetAutoSize(true);
    lines.SetAlignment(TAlignment::taRightJustify);
    lines.SetFont(OddFont());

    auto& memo = Add<TGDMultiLineLabel>(panel, {5, 200, 190, 60});
    memo.SetDataFieldName("Memo");
    memo.SetDataFieldDescript("MEMO");

    auto& address = Add<TGDMultiLineAddressLabel>(panel, {5, 270, 190, 80});
    address.SetUsePhone(true);
    address.SetUseTitle(false);
    address.SetZipOptions(TZipOptions::zoBeforeCountry);
    address.SetUpperCase(true);

    auto& line = Add<TGLineShape>(panel, {0, 360, 300, 10});
    line.SetLineStyle(TLineStyle::stAngleSlopingDown);
    line.SetPen(TGPen{0x00FF00, TPenMode::pmXor, TPenStyle::psDashDot, 4});

    auto& shape = Add<TGLabelShapes>(panel, {10, 380, 100, 40});
    shape.SetShape(TShapeType::stRoundRect);
    shape.SetRoundPerc(40);
    shape.SetBrush(TGBrush{0x00EEDDCC, TBrushStyle::bsDiagCross});
    shape.SetPen(TGPen{clBlack, TPenMode::pmCopy, TPenStyle::psSolid, 3});

    auto& band = Add<Trpshapes>(panel, {120, 380, 40, 40});
    band.SetShape(TShapeType::stCircle);
    band.SetTransparent(true);

    auto& bitmap = Add<TGImage>(panel, {200, 380, 50, 30});
    bitmap.SetPicture(TGPicture{TGPicture::Kind::Bitmap, BitmapFile(3, 2)});
    bitmap.SetAutoSize(true);
    bitmap.SetFlip(true);
    bitmap.SetBorderStyle(TBorderStyle::bsSingle);

    auto& metafile = Add<TGImage>(panel, {260, 380, 50, 30});
    metafile.SetPicture(TGPicture{TGPicture::Kind::Metafile, PlaceableMetafile()});
    metafile.SetReverse(true);

    Add<TGImage>(panel, {320, 380, 20, 20}); // no picture

    auto& postnet = Add<TGPostNetBarCode>(panel, {5, 430, 270, 16});
    postnet.SetZipCodeField("ZIP");
    postnet.SetAddressField("STREET");
    postnet.SetBarCodeType(TPostNetBarCodeType::pnbc9Digit);

    Add<TGFIMBarCode>(panel, {300, 0, 60, 60}).SetFIMType(TFIMType::fimTypeC);

    auto& intelligentMail = Add<TGIntelligentMailBarCode>(panel, {5, 460, 305, 19});
    intelligentMail.SetServiceType("300");
    intelligentMail.SetMailerId("123456");
    intelligentMail.SetSerialFromField(true);
    intelligentMail.SetSerialField("CODE1");
    intelligentMail.SetHumanReadable(false);

    // As a panel does after creating elements (symbols then fit their character).
    for (size_t i = 0; i < panel.ElementCount(); ++i)
        panel.ElementAt(i).BuildMenu();
}

} // namespace corvane::testing
