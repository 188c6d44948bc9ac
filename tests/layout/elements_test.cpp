// Element behaviour: zoom over the 1.0-zoom bounds, data captions, counters, the address block,
// menus, and each kind's marks on a recording surface at the right inches.

#include <cmath>

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>

#include "LayoutFixtures.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/LayoutRecordSource.h"
#include "layout/RecordingElementPainter.h"
#include "layout/RecordingSurface.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGDataPanel.h"
#include "layout/TGDateTimeLabel.h"
#include "layout/TGFIMBarCode.h"
#include "layout/TGImage.h"
#include "layout/TGLabelObjectFiler.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGLineShape.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPageNumberLabel.h"
#include "layout/SymbolFonts.h"
#include "layout/TGPostNetBarCode.h"
#include "layout/TGSymbolLabel.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

constexpr double kTolerance = 1e-9;

struct DataLayout {
    ComponentOwner Owner;
    TGDataPanel Panel{Owner};
    AddressRecordSource Source;
    DataLayout()
    {
        Panel.SetSize(400, 300);
        Panel.SetRecordSource(&Source);
    }
    template <class T> T& Add(PixelRect bounds)
    {
        auto element = std::make_unique<T>();
        element->SetDesignBounds(bounds);
        T& e = static_cast<T&>(Panel.InsertElement(std::move(element)));
        e.BuildMenu();
        return e;
    }
};

std::vector<RecordedPrimitive> Of(const std::vector<RecordedPrimitive>& all, PrimitiveKind kind)
{
    std::vector<RecordedPrimitive> some;
    for (const RecordedPrimitive& p : all)
        if (p.Kind == kind)
            some.push_back(p);
    return some;
}

// ---- zoom ----

TEST(ElementZoom, DerivesZoomedBoundsFromTheMaster)
{
    DataLayout layout;
    auto& e = layout.Add<TGLineShape>({3, 5, 41, 17});
    e.SetZoom(2.0f);
    EXPECT_EQ(e.Bounds(), (PixelRect{6, 10, 82, 34}));
    e.SetZoom(1.0f);
    EXPECT_EQ(e.Bounds(), (PixelRect{3, 5, 41, 17}));
    e.SetZoom(1.5f);
    EXPECT_EQ(e.Left(), 4) << "4.5 rounds to even";
}

TEST(ElementZoom, ZoomingInAndOutNeverDrifts)
{
    xbase::testing::ScratchFolder folder;
    DataLayout layout;
    layout.Panel.SetRegistry(ElementClassRegistry::Shared());
    ElementClassRegistry::Shared().RegisterAll();
    testing::AddEveryKind(layout.Panel);
    ASSERT_TRUE(layout.Panel.SaveToFile(folder.File("before.L")));
    for (int round = 0; round < 20; ++round)
        for (float zoom : {1.3f, 0.7f, 1.7f, 0.55f, 2.25f})
            layout.Panel.SetZoom(zoom);
    ASSERT_TRUE(layout.Panel.SaveToFile(folder.File("zoomed.L")));
    EXPECT_FLOAT_EQ(layout.Panel.Zoom(), 2.25f) << "saving keeps the panel's zoom";
    EXPECT_EQ(xbase::testing::ReadBytes(folder.File("zoomed.L")),
              xbase::testing::ReadBytes(folder.File("before.L")));
    layout.Panel.SetZoom(1.0f);
    auto& line = static_cast<TGLineShape&>(layout.Panel.ElementAt(9));
    EXPECT_EQ(line.Bounds(), line.DesignBounds());
}

TEST(ElementZoom, MovingAtAZoomKeepsTheSize)
{
    DataLayout layout;
    auto& e = layout.Add<TGLabelShapes>({10, 10, 41, 17});
    e.SetZoom(2.0f);
    e.SetLeft(41); // 20.5 at zoom 1.0
    EXPECT_EQ(e.DesignBounds().Width, 41);
    EXPECT_EQ(e.DesignBounds().Left, 20);
}

// ---- text ----

TEST(TextElement, AngleTurnsTheBoxAndIgnoresOtherAngles)
{
    DataLayout layout;
    auto& label = layout.Add<TGPLabel>({0, 0, 142, 33});
    label.SetAngle(45);
    EXPECT_EQ(label.Angle(), 0);
    label.SetAngle(90);
    EXPECT_EQ(label.Width(), 33);
    EXPECT_EQ(label.Height(), 142);
}

TEST(TextElement, ShadowAndHighlightOffsets)
{
    DataLayout layout;
    auto& label = layout.Add<TGPLabel>({0, 0, 142, 33});
    label.SetDepthShadow(3);
    label.SetDirectionShadow(TShadowDirection::sdDownRight);
    label.SetDepthHighlight(2);
    label.SetDirectionHighlight(THighlightDirection::hdUpLeft);
    const TextLayoutBoxes boxes = label.Layout();
    EXPECT_EQ(boxes.MainX, 2);
    EXPECT_EQ(boxes.MainY, 2);
    EXPECT_EQ(boxes.ShadowX - boxes.MainX, 3);
    EXPECT_EQ(boxes.ShadowY - boxes.MainY, 3);
    EXPECT_EQ(boxes.HighlightX - boxes.MainX, -2);
    EXPECT_EQ(boxes.HighlightY - boxes.MainY, -2);
}

TEST(TextElement, PrintsItsDrawingIntoItsInchRectangle)
{
    DataLayout layout;
    auto& label = layout.Add<TGPLabel>({96, 48, 192, 20});
    label.SetCaption("Hello");
    label.SetTransparent(false);
    RecordingSurface surface;
    layout.Panel.PrintElements(surface, 1.0, 2.0);
    const auto drawings = Of(surface.Primitives(), PrimitiveKind::Drawing);
    ASSERT_EQ(drawings.size(), 1u);
    EXPECT_NEAR(drawings[0].Rect.left(), 2.0, kTolerance);
    EXPECT_NEAR(drawings[0].Rect.top(), 2.5, kTolerance);
    EXPECT_NEAR(drawings[0].Rect.width(), 2.0, kTolerance);
    EXPECT_NEAR(drawings[0].Rect.height(), label.Height() / 96.0, kTolerance);
    const auto texts = Of(surface.Primitives(), PrimitiveKind::Text);
    ASSERT_EQ(texts.size(), 1u) << "no shadow or highlight copies at depth 0";
    EXPECT_EQ(texts[0].Text, "Hello");
    EXPECT_EQ(Of(surface.Primitives(), PrimitiveKind::FillRect).size(), 1u) << "an opaque background";
}

// Shadow and highlight copies are drawn only at a depth above 0 in some direction: at depth 0
// they lay under the text, and a PDF held (and found, and copied) each caption three times.
TEST(TextElement, CopiesOnlyAtADepthAboveZero)
{
    struct Case {
        int ShadowDepth;
        TShadowDirection Shadow;
        int HighlightDepth;
        THighlightDirection Highlight;
        size_t Texts;
    };
    const Case cases[] = {
        {0, TShadowDirection::sdDownRight, 0, THighlightDirection::hdUpLeft, 1},
        {2, TShadowDirection::sdDownRight, 0, THighlightDirection::hdUpLeft, 2},
        {0, TShadowDirection::sdDownRight, 1, THighlightDirection::hdUpLeft, 2},
        {3, TShadowDirection::sdDown, 2, THighlightDirection::hdUp, 3},
        {3, TShadowDirection::sdNone, 2, THighlightDirection::hdNone, 1},
    };
    for (const Case& c : cases) {
        DataLayout layout;
        auto& label = layout.Add<TGPLabel>({0, 0, 142, 33});
        label.SetCaption("Hello");
        label.SetDepthShadow(c.ShadowDepth);
        label.SetDirectionShadow(c.Shadow);
        label.SetDepthHighlight(c.HighlightDepth);
        label.SetDirectionHighlight(c.Highlight);
        std::vector<RecordedPrimitive> drawn;
        RecordingElementPainter painter(drawn, 96);
        label.Paint(painter);
        const auto texts = Of(drawn, PrimitiveKind::Text);
        EXPECT_EQ(texts.size(), c.Texts) << c.ShadowDepth << "/" << c.HighlightDepth;
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back().TextColor, QColor(Qt::black)) << "the text itself last";
    }
}

// A symbol font's codes are drawn as the Unicode characters they stand for, in a font that has
// them, never as the plain letters of the codes.
TEST(SymbolElement, DrawsTheCharactersTheCodesStandFor)
{
    struct Case {
        const char* Font;
        const char* Caption;
        char32_t Shown;
    };
    const Case cases[] = {
        {"WingDings", "J", U'\u263A'}, {"Wingdings", "(", U'\U0001F57F'}, {"Symbol", "a", U'\u03B1'},
        {"Symbol", "\xC2\xA5", U'\u221E'}, {"Arial", "J", U'J'},
    };
    for (const Case& c : cases) {
        DataLayout layout;
        auto& symbol = layout.Add<TGSymbolLabel>({0, 0, 40, 40});
        TGFont font = symbol.Font();
        font.Name = c.Font;
        symbol.SetFont(font);
        symbol.SetCaption(c.Caption);
        std::vector<RecordedPrimitive> drawn;
        RecordingElementPainter painter(drawn, 96);
        symbol.Paint(painter);
        const auto texts = Of(drawn, PrimitiveKind::Text);
        ASSERT_EQ(texts.size(), 1u) << c.Font;
        EXPECT_EQ(texts[0].Text, QString::fromUcs4(&c.Shown, 1)) << c.Font << " " << c.Caption;
        if (IsSymbolFont(c.Font)) {
            EXPECT_EQ(QFontInfo(texts[0].Font).family(), SymbolGlyphFamily) << "the installed font that has them";
            EXPECT_TRUE(QFontMetricsF(texts[0].Font).inFontUcs4(c.Shown)) << c.Font << " " << c.Caption;
        }
    }
}

TEST(TextElement, FitToTextOnlyGrows)
{
    DataLayout layout;
    auto& label = layout.Add<TGPLabel>({0, 0, 500, 100});
    label.SetCaption("x");
    label.FitToText();
    EXPECT_EQ(label.Width(), 500);
    label.SetBounds({0, 0, 5, 5});
    label.SetCaption("A longer caption");
    label.FitToText();
    EXPECT_GT(label.Width(), 50);
}

// ---- data elements ----

struct FieldCase {
    const char* Name;
    std::string Descript;
    std::string LastName;
    bool Values;
    bool Printing;
    std::string Before;
    std::string Expected;
};

class RecordFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(RecordFieldTest, CaptionFromTheRecord)
{
    const FieldCase& c = GetParam();
    DataLayout layout;
    AddressRecord record;
    record.LName = c.LastName;
    layout.Source.SetRecord(record);
    layout.Panel.SetPrinting(c.Printing);
    auto& field = layout.Add<TGPDLabel>({0, 0, 100, 20});
    field.SetDataFieldDescript(c.Descript);
    field.SetCaption(c.Before);
    layout.Panel.SetDisplayDataValues(c.Values);
    EXPECT_EQ(field.Caption(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RecordFieldTest,
    ::testing::Values(
        FieldCase{"Value", "Last Name", "Lee", true, false, "", "Lee"},
        FieldCase{"LeadingBlanksStay", "Last Name", "  Lee  ", true, false, "", "  Lee"},
        FieldCase{"BlankOnScreen", "Last Name", "   ", true, false, "", "<blank field>"},
        FieldCase{"BlankPrintsNothing", "Last Name", "   ", false, true, "", ""},
        FieldCase{"ValuesOff", "Last Name", "Lee", false, false, "", "[Last Name]"},
        FieldCase{"ValuesOffWhilePrinting", "Last Name", "Lee", false, true, "", "Lee"},
        FieldCase{"UndefinedOnScreen", "No Such Field", "Lee", true, false, "", "<undefined field>"},
        FieldCase{"UndefinedKeepsCaptionInPrint", "No Such Field", "Lee", true, true, "old", "old"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CounterElement, RepeatsStepsAndPads)
{
    DataLayout layout;
    auto& counter = layout.Add<TGCounterLabel>({0, 0, 100, 20});
    counter.SetStartingnumber(1);
    counter.SetRepeatEach(3);
    counter.SetLeadingZeros(4);
    counter.SetTextBefore("#");
    counter.SetTextAfter("!");
    std::vector<std::string> printed;
    for (int i = 0; i < 7; ++i) {
        printed.push_back(counter.CounterText());
        layout.Panel.AdvanceSequences();
    }
    EXPECT_EQ(printed, (std::vector<std::string>{"#0001!", "#0001!", "#0001!", "#0002!", "#0002!", "#0002!",
                                                 "#0003!"}));
    counter.SetStartingnumber(-3);
    EXPECT_EQ(counter.CounterText(), "#-0003!");
    counter.SetRepeatEach(0);
    layout.Panel.AdvanceSequences();
    EXPECT_EQ(counter.CurrentNumber(), -3) << "a repeat below 1 never advances";

    TGLabelPanel labels(layout.Owner);
    labels.SetPanelState(TPanelState::psCounterLabel);
    auto* fresh = static_cast<TGCounterLabel*>(labels.CreateElement({10, 10, 0, 0}));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->CurrentNumber(), 1000);
    EXPECT_EQ(fresh->Name(), "Special1");
    EXPECT_EQ(fresh->Width(), 50);
}

TEST(PageAndDateElements, CaptionsFromTheSurfaceAndTheClock)
{
    DataLayout layout;
    auto& page = layout.Add<TGPageNumberLabel>({0, 0, 40, 20});
    RecordingSurface surface(600, 7);
    page.PrintOn(surface, 0, 0);
    EXPECT_EQ(page.Caption(), "7");
    const auto texts = Of(surface.Primitives(), PrimitiveKind::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().Text, "7");

    TGDateTimeLabel date;
    date.SetDateFormat(TDateFormat::dtfDateNone);
    date.SetTimeFormat(TTimeFormat::dtfTimeLong);
    const std::string caption = date.CaptionAt(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    ASSERT_FALSE(caption.empty());
    EXPECT_EQ(caption[0], ' ');
}

TEST(AddressBlock, ClosesUpEmptyLinesAndPrintsThemInOrder)
{
    DataLayout layout;
    AddressRecord record;
    record.Prefix = "Dr.";
    record.FName = "Ann";
    record.LName = "Lee";
    record.Street = "12 Elm St";
    record.City = "Springfield";
    record.State = "IL";
    record.Zip = "62704";
    layout.Source.SetRecord(record);
    auto& block = layout.Add<TGDMultiLineAddressLabel>({0, 0, 300, 100});
    layout.Panel.SetPrinting(true);
    layout.Panel.RefreshData();
    EXPECT_EQ(block.Items(),
              (std::vector<std::string>{"Dr. Ann Lee ", "12 Elm St", "Springfield  IL 62704"}));

    RecordingSurface surface;
    layout.Panel.PrintElements(surface, 0, 0);
    const auto texts = Of(surface.Primitives(), PrimitiveKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].Text, "12 Elm St");
    const double lineHeight = block.LineHeight() / 96.0;
    EXPECT_NEAR(texts[1].From.y() - texts[0].From.y(), lineHeight, 1e-6);

    layout.Panel.SetPrinting(false);
    layout.Panel.SetDisplayDataValues(false);
    EXPECT_EQ(block.Items(), (std::vector<std::string>{"[Address Label]"}));
    layout.Panel.ClearDataValues();
    EXPECT_TRUE(block.Items().empty());
    RecordingSurface blank;
    layout.Panel.PrintElements(blank, 0, 0);
    ASSERT_EQ(Of(blank.Primitives(), PrimitiveKind::Text).size(), 1u);
    EXPECT_EQ(Of(blank.Primitives(), PrimitiveKind::Text)[0].Text, "<blank>");
}

TEST(MemoElement, LinesFromTheMemoOrPlaceholders)
{
    DataLayout layout;
    AddressRecord record;
    record.Memo = "first\r\nsecond";
    layout.Source.SetRecord(record);
    auto& memo = layout.Add<TGDMultiLineLabel>({0, 0, 300, 100});
    memo.SetDataFieldDescript("MEMO");
    layout.Panel.RefreshData();
    EXPECT_EQ(memo.Items(), (std::vector<std::string>{"first", "second"}));
    memo.SetDataFieldDescript("Nothing");
    layout.Panel.RefreshData();
    EXPECT_EQ(memo.Items(), (std::vector<std::string>{"<undefined memo>"}));
    EXPECT_EQ(memo.Placeholder(), "<blank memo>");
}

// ---- graphics ----

TEST(LineElement, ScreenAndPaper)
{
    DataLayout layout;
    auto& line = layout.Add<TGLineShape>({0, 0, 100, 10});
    line.SetPen(TGPen{clBlack, TPenMode::pmCopy, TPenStyle::psSolid, 3});
    std::vector<RecordedPrimitive> screen;
    RecordingElementPainter painter(screen, 96);
    line.Paint(painter);
    ASSERT_EQ(screen.size(), 1u);
    EXPECT_EQ(screen[0].From, QPointF(1, 1));
    EXPECT_EQ(screen[0].To, QPointF(99, 1));

    RecordingSurface surface(600);
    line.PrintOn(surface, 0, 0);
    ASSERT_EQ(surface.Primitives().size(), 1u);
    const RecordedPrimitive& printed = surface.Primitives()[0];
    EXPECT_NEAR(printed.From.y(), 1 / 96.0, kTolerance);
    EXPECT_NEAR(printed.To.x(), 100 / 96.0, kTolerance);
    EXPECT_NEAR(printed.PenWidth, 0.03, kTolerance);

    line.SetLineStyle(TLineStyle::stAngleSlopingUp);
    line.StretchToEdges();
    EXPECT_EQ(line.Width(), 100) << "sloping lines do not stretch";
    line.SetLineStyle(TLineStyle::stHorizontal);
    line.StretchToEdges();
    EXPECT_EQ(line.Width(), 400);
}

TEST(ShapeElement, CornersAndPrintedPenFollowTheDisplay)
{
    DataLayout layout;
    auto& shape = layout.Add<TGLabelShapes>({0, 0, 100, 40});
    shape.SetShape(TShapeType::stRoundRect);
    shape.SetPen(TGPen{clBlack, TPenMode::pmCopy, TPenStyle::psSolid, 3});
    std::vector<RecordedPrimitive> screen;
    RecordingElementPainter painter(screen, 96);
    shape.Paint(painter);
    ASSERT_EQ(screen.size(), 1u);
    EXPECT_EQ(screen[0].CornerWidth, 25);

    for (const auto& [ppi, inches] : {std::pair{96.0, 0.03}, std::pair{120.0, 0.02}}) {
        layout.Panel.SetPixelsPerInch(ppi);
        RecordingSurface surface(600);
        shape.PrintOn(surface, 0, 0);
        ASSERT_EQ(surface.Primitives().size(), 1u);
        EXPECT_NEAR(surface.Primitives()[0].PenWidth, inches, kTolerance) << ppi;
    }
    EXPECT_EQ(FindMenuItem(shape.Menu(), ElementCommand::Rounding, 50), nullptr) << "not rounded when built";
    shape.BuildMenu();
    EXPECT_NE(FindMenuItem(shape.Menu(), ElementCommand::Rounding, 50), nullptr);
    EXPECT_EQ(shape.Execute(ElementCommand::Rounding, 50), CommandOutcome::Done);
    EXPECT_EQ(shape.RoundPerc(), 50);
}

TEST(ImageElement, AutoSizeFollowsThePictureAtTheZoom)
{
    DataLayout layout;
    auto& image = layout.Add<TGImage>({0, 0, 105, 105});
    image.SetZoom(1.5f);
    image.SetPicture(TGPicture{TGPicture::Kind::Bitmap, testing::BitmapFile(200, 100)});
    image.SetAutoSize(true);
    EXPECT_FALSE(image.Stretch());
    EXPECT_EQ(image.Width(), 300);
    EXPECT_EQ(image.Height(), 150);

    RecordingSurface surface;
    image.SetZoom(1.0f);
    image.PrintOn(surface, 0, 0);
    EXPECT_EQ(Of(surface.Primitives(), PrimitiveKind::Bitmap).size(), 1u);

    image.SetPicture(TGPicture{TGPicture::Kind::Metafile, testing::PlaceableMetafile()});
    image.UpdateMenuChecks();
    EXPECT_FALSE(FindMenuItem(image.Menu(), ElementCommand::Flip)->Enabled);

    TGImage empty;
    std::vector<RecordedPrimitive> screen;
    RecordingElementPainter painter(screen, 96);
    empty.Paint(painter);
    ASSERT_EQ(screen.size(), 1u) << "an empty black frame";
    EXPECT_EQ(screen[0].Kind, PrimitiveKind::Rectangle);
    RecordingSurface nothing;
    empty.PrintOn(nothing, 0, 0);
    EXPECT_TRUE(nothing.Primitives().empty());
}

TEST(BarCodes, PostnetFromTheRecordAndFimAtItsInches)
{
    DataLayout layout;
    AddressRecord record;
    record.Zip = "12345-6789";
    record.Street = "1600 ELM ST";
    layout.Source.SetRecord(record);
    auto& postnet = layout.Add<TGPostNetBarCode>({0, 0, 270, 16});
    postnet.SetZipCodeField("ZIP");
    postnet.SetAddressField("STREET");
    layout.Panel.SetPrinting(true);
    layout.Panel.RefreshData();
    RecordingSurface surface;
    postnet.PrintOn(surface, 0, 0);
    EXPECT_EQ(Of(surface.Primitives(), PrimitiveKind::Rectangle).size(), 62u);

    record.Zip = "1234";
    layout.Source.SetRecord(record);
    layout.Panel.RefreshData();
    RecordingSurface none;
    postnet.PrintOn(none, 0, 0);
    EXPECT_TRUE(none.Primitives().empty());

    TGFIMBarCode fim;
    RecordingSurface marks;
    fim.PrintOn(marks, 0, 0);
    std::vector<double> lefts;
    for (const RecordedPrimitive& p : marks.Primitives())
        lefts.push_back(p.Rect.left());
    EXPECT_EQ(lefts, (std::vector<double>{0, 0.0625, 0.25, 0.4375, 0.5}));
}

// ---- menus ----

TEST(ElementMenus, CommonItemsThenTheKindsOwn)
{
    TGPLabel label;
    label.BuildMenu();
    std::vector<std::string> captions;
    for (const ElementMenuItem& item : label.Menu())
        captions.push_back(item.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Bring To Front",
                                                  "Send To Back",
                                                  "Cut",
                                                  "Copy",
                                                  "Delete",
                                                  "Clone",
                                                  "-",
                                                  "Locked",
                                                  "Unselectable",
                                                  "-",
                                                  "Center Vertically",
                                                  "Center Horizontally",
                                                  "-",
                                                  "Font",
                                                  "3D Effects",
                                                  "Alignment",
                                                  "Transparent",
                                                  "Background Color",
                                                  "Border",
                                                  "-",
                                                  "Text",
                                                  "Rotation"}));
    EXPECT_EQ(label.Execute(ElementCommand::Locked), CommandOutcome::Done);
    EXPECT_TRUE(label.Locked());
    EXPECT_TRUE(FindMenuItem(label.Menu(), ElementCommand::Locked)->Checked);
    EXPECT_EQ(label.Execute(ElementCommand::Font), CommandOutcome::NeedsDesigner);
    EXPECT_EQ(label.Execute(ElementCommand::Flip), CommandOutcome::NotInMenu);
}

} // namespace
} // namespace corvane
