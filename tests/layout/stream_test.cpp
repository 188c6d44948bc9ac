// The layout stream, byte for byte: value encodings, the worked example, identity through a file
// for every element kind, renaming, paste offsets, report files, and damaged files refused whole.

#include <algorithm>
#include <climits>
#include <filesystem>

#include <gtest/gtest.h>

#include "LayoutFixtures.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/LayoutStream.h"
#include "layout/TGBasePanel.h"
#include "layout/TGImage.h"
#include "layout/TGLabelObjectFiler.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGPLabel.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using testing::Bytes;
using testing::Short;
using xbase::testing::ReadBytes;
using xbase::testing::ScratchFolder;

ElementClassRegistry& EveryClass()
{
    static ElementClassRegistry registry = [] {
        ElementClassRegistry r;
        r.RegisterAll();
        return r;
    }();
    return registry;
}

// A panel reading every class, with its own owner.
struct Layout {
    ComponentOwner Owner;
    TGBasePanel Panel{Owner};
    Layout() { Panel.SetRegistry(EveryClass()); }
};

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string Int16(int v)
{
    return Bytes({3, v & 0xFF, (v >> 8) & 0xFF});
}

// ---- values ----

struct IntegerCase {
    const char* Name;
    int32_t Value;
    std::string Encoded;
};

class SmallestIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(SmallestIntegerTest, WritesTheSmallestTagAndReadsBack)
{
    const IntegerCase& c = GetParam();
    LayoutStreamWriter writer;
    ASSERT_TRUE(writer.WriteValue(StreamValue::OfInteger(c.Value)));
    EXPECT_EQ(writer.Bytes(), c.Encoded);
    LayoutStreamReader reader(writer.Bytes());
    Result<StreamValue> read = reader.ReadValue();
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(read->Integer, c.Value);
    EXPECT_TRUE(reader.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Integers, SmallestIntegerTest,
    ::testing::Values(IntegerCase{"Zero", 0, Bytes({2, 0})}, IntegerCase{"MaxInt8", 127, Bytes({2, 0x7F})},
                      IntegerCase{"MinInt8", -128, Bytes({2, 0x80})},
                      IntegerCase{"MinusFive", -5, Bytes({2, 0xFB})},
                      IntegerCase{"JustAboveInt8", 128, Bytes({3, 0x80, 0})},
                      IntegerCase{"TwoHundred", 200, Bytes({3, 0xC8, 0})},
                      IntegerCase{"JustBelowInt8", -129, Bytes({3, 0x7F, 0xFF})},
                      IntegerCase{"MaxInt16", 32767, Bytes({3, 0xFF, 0x7F})},
                      IntegerCase{"MinInt16", -32768, Bytes({3, 0x00, 0x80})},
                      IntegerCase{"JustAboveInt16", 32768, Bytes({4, 0x00, 0x80, 0, 0})},
                      IntegerCase{"JustBelowInt16", -32769, Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF})},
                      IntegerCase{"MinInt32", INT32_MIN, Bytes({4, 0, 0, 0, 0x80})}),
    [](const auto& info) { return std::string(info.param.Name); });

struct StringCase {
    const char* Name;
    size_t Length;
    std::string Prefix;
};

class StringLengthTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(StringLengthTest, ShortStringsBelow256BytesLongStringsFrom256)
{
    const StringCase& c = GetParam();
    LayoutStreamWriter writer;
    ASSERT_TRUE(writer.WriteValue(StreamValue::OfString(std::string(c.Length, 'a'))));
    EXPECT_EQ(writer.Bytes().substr(0, c.Prefix.size()), c.Prefix);
    EXPECT_EQ(writer.Bytes().size(), c.Prefix.size() + c.Length);
    LayoutStreamReader reader(writer.Bytes());
    Result<StreamValue> read = reader.ReadValue();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Text, std::string(c.Length, 'a'));
}

INSTANTIATE_TEST_SUITE_P(Strings, StringLengthTest,
                         ::testing::Values(StringCase{"Empty", 0, Bytes({6, 0})},
                                           StringCase{"Longest255", 255, Bytes({6, 255})},
                                           StringCase{"First256", 256, Bytes({12, 0, 1, 0, 0})},
                                           StringCase{"Caption300", 300, Bytes({12, 0x2C, 1, 0, 0})}),
                         [](const auto& info) { return std::string(info.param.Name); });

// ---- element records ----

TEST(LayoutStream, EmptyPanelIsTwoBytesAndReadsNothing)
{
    ScratchFolder folder;
    Layout layout;
    ASSERT_TRUE(layout.Panel.SaveToFile(folder.File("empty.L")));
    EXPECT_EQ(ReadBytes(folder.File("empty.L")), Bytes({1, 0}));
    ASSERT_TRUE(layout.Panel.LoadFromFile(folder.File("empty.L")));
    EXPECT_EQ(layout.Panel.ElementCount(), 0u);
}

TEST(LayoutStream, WorkedExampleGivesItsExactBytes)
{
    ComponentOwner owner;
    TGPLabel label;
    ASSERT_TRUE(label.SetName("Special1"));
    label.SetDesignBounds({10, 9, 142, 22});
    label.SetCaption("Text");
    TGFont font;
    font.Name = "Arial";
    font.Height = -13;
    label.SetFont(font);
    label.SetTransparent(true);
    label.SetBackColor(clWhite);

    const std::string expected =
        Bytes({1}) + "TPF0" + Short("TGPLabel") + Short("Special1") + Short("Left") + Bytes({2, 10}) +
        Short("Top") + Bytes({2, 9}) + Short("Width") + Int16(142) + Short("Height") + Bytes({2, 22}) +
        Short("Locked") + Bytes({8}) + Short("Unselectable") + Bytes({8}) + Short("Caption") + Bytes({6}) +
        Short("Text") + Short("Font.Color") + Bytes({7}) + Short("clBlack") + Short("Font.Height") +
        Bytes({2, 0xF3}) + Short("Font.Name") + Bytes({6}) + Short("Arial") + Short("Font.Style") +
        Bytes({11, 0}) + Short("Transparent") + Bytes({9}) + Short("BackColor") + Bytes({7}) +
        Short("clWhite") + Short("BorderStyle") + Bytes({7}) + Short("bsNone") + Bytes({0, 0, 0});
    Result<std::string> bytes = TGLabelObjectFiler::EncodeList({&label});
    ASSERT_TRUE(bytes) << bytes.Message();
    EXPECT_EQ(*bytes, expected);
}

TEST(LayoutStream, DefaultsAreLeftOut)
{
    TGLabelShapes shape; // black pen of width 1 in copy mode, white solid brush
    TGImage image;       // no picture
    for (const TGGraphicControl* element : std::initializer_list<const TGGraphicControl*>{&shape, &image}) {
        Result<ElementRecord> record = TGLabelObjectFiler::RecordOf(*element);
        ASSERT_TRUE(record);
        for (const PropertyEntry& entry : record->Properties) {
            EXPECT_NE(entry.Name.rfind("Pen.", 0), 0u) << entry.Name;
            EXPECT_NE(entry.Name.rfind("Brush.", 0), 0u) << entry.Name;
            EXPECT_NE(entry.Name, "Picture.Data");
            EXPECT_NE(entry.Name, "Stretch");
        }
    }
}

TEST(LayoutStream, EveryKindReadsAndWritesBackByteForByte)
{
    ScratchFolder folder;
    Layout source;
    testing::AddEveryKind(source.Panel);
    ASSERT_TRUE(source.Panel.SaveToFile(folder.File("every.L")));
    const std::string first = ReadBytes(folder.File("every.L"));

    Layout copy;
    ASSERT_TRUE(copy.Panel.LoadFromFile(folder.File("every.L")));
    ASSERT_EQ(copy.Panel.ElementCount(), source.Panel.ElementCount());
    for (size_t i = 0; i < copy.Panel.ElementCount(); ++i) {
        Result<ElementRecord> a = TGLabelObjectFiler::RecordOf(source.Panel.ElementAt(i));
        Result<ElementRecord> b = TGLabelObjectFiler::RecordOf(copy.Panel.ElementAt(i));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->Properties, b->Properties) << a->ClassName;
    }
    ASSERT_TRUE(copy.Panel.SaveToFile(folder.File("again.L")));
    // Both panels named their elements Component0, Component1, ... so the files are the same.
    EXPECT_EQ(ReadBytes(folder.File("again.L")), first);
    EXPECT_NE(first.find(std::string(300, 'x') + " \xE9t\xE9 \x80"), std::string::npos)
        << "strings are stored in Windows-1252";
}

TEST(LayoutStream, ReadElementsStartFromTheStreamDefaults)
{
    TGPLabel cleared;
    cleared.SetCaption("");
    TGFont font;
    font.Name = "Courier New";
    cleared.SetFont(font);
    Result<std::string> bytes = TGLabelObjectFiler::EncodeList({&cleared});
    ASSERT_TRUE(bytes);
    Result<std::vector<ElementPtr>> read = TGLabelObjectFiler(EveryClass()).DecodeList(*bytes);
    ASSERT_TRUE(read) << read.Message();
    const auto& label = static_cast<const TGPLabel&>(*(*read)[0]);
    EXPECT_EQ(label.Caption(), "") << "a cleared caption does not come back as \"Text\"";
    EXPECT_EQ(label.Font().Name, "Courier New");
}

TEST(LayoutStream, ReadingGivesFreshComponentNames)
{
    ScratchFolder folder;
    Layout source;
    source.Panel.DropElement(std::make_unique<TGPLabel>(), {0, 0, 50, 20});
    source.Panel.DropElement(std::make_unique<TGPLabel>(), {0, 30, 50, 20});
    EXPECT_EQ(source.Panel.ElementAt(0).Name(), "Special1");
    EXPECT_EQ(source.Panel.ElementAt(1).Name(), "Special2");
    ASSERT_TRUE(source.Panel.SaveToFile(folder.File("names.L")));

    Layout target;
    ASSERT_TRUE(target.Owner.Add("Component0"));
    ASSERT_TRUE(target.Panel.LoadFromFile(folder.File("names.L")));
    ASSERT_EQ(target.Panel.ElementCount(), 2u);
    EXPECT_EQ(target.Panel.ElementAt(0).Name(), "Component1");
    EXPECT_EQ(target.Panel.ElementAt(1).Name(), "Component2");
    EXPECT_FALSE(target.Panel.ElementAt(0).Menu().empty()) << "menus are built once reading ends";
}

TEST(LayoutStream, PastingTwicePlacesBothCopiesFifteenPixelsOff)
{
    ScratchFolder folder;
    Layout layout;
    layout.Panel.DropElement(std::make_unique<TGPLabel>(), {40, 30, 60, 20});
    const TGLabelObjectFiler filer(EveryClass());
    ASSERT_TRUE(filer.SaveSelection({&layout.Panel.ElementAt(0)}, folder.File("Clipbrd.tmp")));
    ASSERT_TRUE(filer.PasteFile(layout.Panel, folder.File("Clipbrd.tmp")));
    ASSERT_TRUE(filer.PasteFile(layout.Panel, folder.File("Clipbrd.tmp")));
    ASSERT_EQ(layout.Panel.ElementCount(), 3u);
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(layout.Panel.ElementAt(i).Left(), 55);
        EXPECT_EQ(layout.Panel.ElementAt(i).Top(), 45);
    }
    EXPECT_EQ(layout.Panel.ElementAt(1).Name(), "Component0");
    EXPECT_EQ(layout.Panel.ElementAt(2).Name(), "Component1");

    // An empty selection writes nothing and leaves the clipboard file as it was.
    const std::string before = ReadBytes(folder.File("Clipbrd.tmp"));
    ASSERT_TRUE(filer.SaveSelection({}, folder.File("Clipbrd.tmp")));
    EXPECT_EQ(ReadBytes(folder.File("Clipbrd.tmp")), before);
}

TEST(LayoutStream, CloneReadsBackWithoutOffset)
{
    Layout layout;
    layout.Panel.DropElement(std::make_unique<TGPLabel>(), {40, 10, 60, 20});
    Result<TGGraphicControl*> clone =
        TGLabelObjectFiler(EveryClass()).CloneElement(layout.Panel.ElementAt(0), layout.Panel);
    ASSERT_TRUE(clone) << clone.Message();
    EXPECT_EQ((*clone)->Name(), "Component0");
    EXPECT_EQ((*clone)->Bounds(), layout.Panel.ElementAt(0).Bounds());
}

TEST(LayoutStream, ReportFileHoldsFourListsEvenWhenEmpty)
{
    ScratchFolder folder;
    Layout a, b, c;
    const TGLabelObjectFiler filer(EveryClass());
    ASSERT_TRUE(
        filer.SaveBands(a.Panel, b.Panel, c.Panel, folder.File("BIN00001.R"),
                        [](LayoutStreamWriter& w) { return w.WriteValue(StreamValue::OfInteger(7)); }));
    EXPECT_EQ(ReadBytes(folder.File("BIN00001.R")), Bytes({1, 0, 1, 0, 1, 0, 1, 2, 7, 0}));

    testing::AddEveryKind(b.Panel);
    ASSERT_TRUE(filer.SaveBands(a.Panel, b.Panel, c.Panel, folder.File("BIN00002.R"), nullptr));
    Layout ra, rb, rc;
    int extraItems = -1;
    ASSERT_TRUE(filer.LoadBands(ra.Panel, rb.Panel, rc.Panel, folder.File("BIN00002.R"),
                                [&extraItems](LayoutStreamReader& r) {
                                    extraItems = 0;
                                    return Status::Success();
                                }));
    EXPECT_EQ(extraItems, 0);
    EXPECT_EQ(ra.Panel.ElementCount(), 0u);
    EXPECT_EQ(rb.Panel.ElementCount(), b.Panel.ElementCount());
    EXPECT_EQ(rc.Panel.ElementCount(), 0u);
}

TEST(LayoutStream, MissingFileLoadsNothing)
{
    ScratchFolder folder;
    Layout layout;
    EXPECT_TRUE(layout.Panel.LoadFromFile(folder.File("none.L")));
    EXPECT_EQ(layout.Panel.ElementCount(), 0u);
}

TEST(LayoutStream, FailedSaveKeepsTheOldFile)
{
    ScratchFolder folder;
    Layout layout;
    layout.Panel.DropElement(std::make_unique<TGPLabel>(), {0, 0, 50, 20});
    ASSERT_TRUE(layout.Panel.SaveToFile(folder.File("keep.L")));
    const std::string before = ReadBytes(folder.File("keep.L"));

    static_cast<TGPLabel&>(layout.Panel.ElementAt(0)).SetCaption("\xE6\x97\xA5\xE6\x9C\xAC"); // not in 1252
    const Status failed = layout.Panel.SaveToFile(folder.File("keep.L"));
    EXPECT_FALSE(failed);
    EXPECT_NE(failed.Message().find("keep.L"), std::string::npos) << failed.Message();
    EXPECT_EQ(ReadBytes(folder.File("keep.L")), before);

    EXPECT_FALSE(TGLabelObjectFiler::WriteFileAtomically(folder.File("no/such/folder.L"), "x"));
    size_t leftovers = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(folder.File("")).parent_path()))
        leftovers += entry.path().filename().string().find(".L.") != std::string::npos;
    EXPECT_EQ(leftovers, 0u) << "no temporary file stays behind";
}

// ---- damaged files ----

std::string OneLabel()
{
    return Bytes({1}) + "TPF0" + Short("TGPLabel") + Short("A") + Short("Left") + Bytes({2, 1}) +
           Bytes({0, 0, 0});
}

std::string OneImage(const std::string& pictureBlob)
{
    std::string blob = Bytes({10}) + std::string(4, '\0') + pictureBlob;
    const auto n = static_cast<uint32_t>(pictureBlob.size());
    for (int i = 0; i < 4; ++i)
        blob[1 + i] = static_cast<char>((n >> (8 * i)) & 0xFF);
    return Bytes({1}) + "TPF0" + Short("TGImage") + Short("I") + Short("Picture.Data") + blob +
           Bytes({0, 0, 0});
}

std::string Int32Bytes(uint32_t n)
{
    return Bytes({static_cast<int>(n & 0xFF), static_cast<int>((n >> 8) & 0xFF),
                  static_cast<int>((n >> 16) & 0xFF), static_cast<int>(n >> 24)});
}

struct DamagedCase {
    const char* Name;
    std::string Bytes;
};

class DamagedStreamTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedStreamTest, IsRefusedAndLoadsNothing)
{
    ScratchFolder folder;
    WriteFile(folder.File("bad.L"), GetParam().Bytes);
    Layout layout;
    layout.Panel.DropElement(std::make_unique<TGPLabel>(), {0, 0, 50, 20});
    const Status status = layout.Panel.LoadFromFile(folder.File("bad.L"));
    EXPECT_FALSE(status);
    EXPECT_NE(status.Message().find("bad.L"), std::string::npos) << status.Message();
    EXPECT_EQ(layout.Panel.ElementCount(), 1u) << "a failed read adds nothing";
    EXPECT_EQ(layout.Owner.Count(), 1u);
}

const std::string kLabelHead = Bytes({1}) + "TPF0" + Short("TGPLabel") + Short("A");

INSTANTIATE_TEST_SUITE_P(
    Damaged, DamagedStreamTest,
    ::testing::Values(
        DamagedCase{"Empty", ""}, DamagedCase{"NoListTag", Bytes({0})},
        DamagedCase{"ListNotClosed", Bytes({1})},
        DamagedCase{"NoSignature", Bytes({1}) + "TPF1" + Short("TGPLabel") + Short("A") + Bytes({0, 0, 0})},
        DamagedCase{"UnknownClass", Bytes({1}) + "TPF0" + Short("TGNothing") + Short("A") + Bytes({0, 0, 0})},
        DamagedCase{"UnknownProperty", kLabelHead + Short("Colour") + Bytes({2, 1, 0, 0, 0})},
        DamagedCase{"UnknownValueTag", kLabelHead + Short("Left") + Bytes({15, 0, 0, 0})},
        DamagedCase{"CollectionValue", kLabelHead + Short("Left") + Bytes({14, 0, 0, 0})},
        DamagedCase{"WrongValueKind",
                    kLabelHead + Short("Left") + Bytes({6}) + Short("10") + Bytes({0, 0, 0})},
        DamagedCase{"BooleanAsInteger", kLabelHead + Short("Locked") + Bytes({2, 1, 0, 0, 0})},
        DamagedCase{"UnknownEnumName",
                    kLabelHead + Short("Alignment") + Bytes({7}) + Short("taJustify") + Bytes({0, 0, 0})},
        DamagedCase{"UnknownColourName",
                    kLabelHead + Short("BackColor") + Bytes({7}) + Short("clPink") + Bytes({0, 0, 0})},
        DamagedCase{"UnknownSetMember",
                    kLabelHead + Short("Font.Style") + Bytes({11}) + Short("fsShadow") + Bytes({0, 0, 0, 0})},
        DamagedCase{"CursorOutOfRange", kLabelHead + Short("Cursor") + Bytes({4, 0, 0, 1, 0, 0, 0, 0})},
        DamagedCase{"ShortStringPastEnd", kLabelHead + Short("Caption") + Bytes({6, 200, 'a', 'b'})},
        DamagedCase{"LongStringPastEnd",
                    kLabelHead + Short("Caption") + Bytes({12}) + Int32Bytes(1000) + "abc"},
        DamagedCase{"LongStringHugeLength",
                    kLabelHead + Short("Caption") + Bytes({12}) + Int32Bytes(0xFFFFFFF0u)},
        DamagedCase{"ClassNamePastEnd", Bytes({1}) + "TPF0" + Bytes({40}) + "TGP"},
        DamagedCase{"ChildrenNotEmpty", kLabelHead + Bytes({0, 1, 0})},
        DamagedCase{"TrailingBytes", OneLabel() + "x"},
        DamagedCase{"CutAfterProperties", kLabelHead + Bytes({0})},
        DamagedCase{"NestedTooDeeply", Bytes({1}) + "TPF0" + Short("TGMultiLineLabel") + Short("M") +
                                           Short("Items.Strings") + std::string(64, '\x01')},
        DamagedCase{"ListItemNotAString", Bytes({1}) + "TPF0" + Short("TGMultiLineLabel") + Short("M") +
                                              Short("Items.Strings") + Bytes({1, 2, 5, 0, 0, 0, 0})},
        DamagedCase{"BinaryNegativeLength", Bytes({1}) + "TPF0" + Short("TGImage") + Short("I") +
                                                Short("Picture.Data") + Bytes({10}) +
                                                Int32Bytes(0xFFFFFFFFu)},
        DamagedCase{"PictureSizePastBlob", OneImage(Short("TBitmap") + Int32Bytes(5000) + "BM")},
        DamagedCase{"PictureSizeShortOfBlob",
                    OneImage(Short("TBitmap") + Int32Bytes(1) + "BMxxxxxxxxxxxxxxxx")},
        DamagedCase{"BitmapWithoutHeader", OneImage(Short("TBitmap") + Int32Bytes(14) + "XX012345678901")},
        DamagedCase{"MetafileSizeBelowFour", OneImage(Short("TMetafile") + Int32Bytes(2))},
        DamagedCase{"MetafileNotRecognised",
                    OneImage(Short("TMetafile") + Int32Bytes(26) + std::string(22, 'z'))},
        DamagedCase{"UnknownGraphicClass", OneImage(Short("TIcon") + Int32Bytes(0))},
        DamagedCase{"GraphicClassPastBlob", OneImage(Bytes({50}) + "TBit")}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LayoutStream, EveryTruncationOfAGoodFileIsRefused)
{
    ScratchFolder folder;
    Layout source;
    testing::AddEveryKind(source.Panel);
    ASSERT_TRUE(source.Panel.SaveToFile(folder.File("good.L")));
    const std::string good = ReadBytes(folder.File("good.L"));
    const TGLabelObjectFiler filer(EveryClass());
    for (size_t length = 0; length < good.size(); ++length) {
        Result<std::vector<ElementPtr>> read = filer.DecodeList(std::string_view(good).substr(0, length));
        ASSERT_FALSE(read) << "a file cut to " << length << " bytes was read";
    }
}

TEST(LayoutStream, EventHandlerEntriesAreSkipped)
{
    const std::string bytes = kLabelHead + Short("OnClick") + Bytes({7}) + Short("LabelClick") +
                              Short("Left") + Bytes({2, 4}) + Bytes({0, 0, 0});
    Result<std::vector<ElementPtr>> read = TGLabelObjectFiler(EveryClass()).DecodeList(bytes);
    ASSERT_TRUE(read) << read.Message();
    ASSERT_EQ(read->size(), 1u);
    EXPECT_EQ((*read)[0]->DesignLeft(), 4);
}

TEST(LayoutStream, ClassesAreReadOnlyOnceRegistered)
{
    ElementClassRegistry registry;
    EXPECT_FALSE(TGLabelObjectFiler(registry).DecodeList(OneLabel()));
    for (std::string_view name : ElementClassRegistry::ReportPanelClasses())
        registry.Register(name);
    EXPECT_TRUE(TGLabelObjectFiler(registry).DecodeList(OneLabel()));
    EXPECT_FALSE(registry.IsRegistered("TGCounterLabel"));
}

} // namespace
} // namespace corvane
