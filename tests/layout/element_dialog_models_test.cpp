// What the element dialogs read and write without their windows: symbol list arithmetic, field
// choices by display label, counter and address settings taken in the dialog's order, fonts and
// colours coming back from the platform's choosers, and picture files as an image element stores
// them.

#include <QBuffer>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include "LayoutFixtures.h"
#include "core/FieldCatalogue.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementDialogModels.h"
#include "layout/ElementPainter.h"
#include "layout/LayoutRecordSource.h"
#include "layout/PictureLoader.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGDataPanel.h"
#include "layout/TGPLabel.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

struct DataLayout {
    ComponentOwner Owner;
    TGDataPanel Panel{Owner};
    AddressRecordSource Source;
    int Changes = 0;
    DataLayout()
    {
        Panel.SetSize(400, 300);
        Panel.SetRecordSource(&Source);
        Panel.LabelChangedEvent = [this](TGBasePanel&) { ++Changes; };
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

// ---- symbols ----

struct ColumnsRow {
    int Points;
    int Columns;
};

class SymbolColumns : public ::testing::TestWithParam<ColumnsRow> {};

TEST_P(SymbolColumns, FollowTheListFontSize)
{
    EXPECT_EQ(SymbolListColumns(GetParam().Points), GetParam().Columns);
}

INSTANTIATE_TEST_SUITE_P(Bands, SymbolColumns,
                         ::testing::Values(ColumnsRow{5, 1}, ColumnsRow{6, 14}, ColumnsRow{10, 14},
                                           ColumnsRow{11, 10}, ColumnsRow{20, 10}, ColumnsRow{21, 8},
                                           ColumnsRow{30, 8}, ColumnsRow{31, 6}, ColumnsRow{40, 6},
                                           ColumnsRow{41, 4}, ColumnsRow{50, 4}, ColumnsRow{51, 3},
                                           ColumnsRow{60, 3}, ColumnsRow{61, 2}, ColumnsRow{72, 2},
                                           ColumnsRow{73, 1}));

TEST(SymbolList, FontButtonCaptionNamesItalicBeforeBold)
{
    EXPECT_EQ(SymbolFontButtonCaption("WingDings", 16, false, false), "WingDings, 16pt ");
    EXPECT_EQ(SymbolFontButtonCaption("WingDings", 16, true, false), "WingDings, 16pt Bold ");
    EXPECT_EQ(SymbolFontButtonCaption("WingDings", 16, false, true), "WingDings, 16pt Italic ");
    EXPECT_EQ(SymbolFontButtonCaption("WingDings", 16, true, true), "WingDings, 16pt Italic ");
}

TEST(SymbolList, EveryEntryComesBackFromItsCaption)
{
    for (int index = 0; index < SymbolCount; ++index)
        EXPECT_EQ(SymbolIndex(SymbolCaption(index)), index) << index;
    EXPECT_EQ(SymbolCaption(0), " ");
    EXPECT_EQ(SymbolIndex("["), '[' - 32) << "a new symbol's caption";
    EXPECT_EQ(SymbolCaption(0x80 - 32), "\xE2\x82\xAC")
        << "code 128 is the euro sign in the layout's code page";
    EXPECT_EQ(SymbolIndex(""), -1);
    EXPECT_EQ(SymbolIndex("\t"), -1);
    EXPECT_EQ(SymbolIndex("\xE4\xB8\x80"), -1) << "a character the code page lacks";
    EXPECT_EQ(SymbolCaption(SymbolCount), "");
}

// ---- fields ----

TEST(FieldChoices, RecordFieldsListVisibleTextFieldsAndMemosListEveryMemo)
{
    FieldCatalogue catalogue;
    const std::vector<std::string> data = DataFieldChoices(catalogue);
    EXPECT_EQ(data, catalogue.VisibleTextLabels());
    EXPECT_NE(std::find(data.begin(), data.end(), "Last Name"), data.end());
    EXPECT_EQ(std::find(data.begin(), data.end(), "MEMO"), data.end()) << "memo is no text field";
    EXPECT_EQ(std::find(data.begin(), data.end(), "Tagged"), data.end()) << "logical";
    EXPECT_EQ(std::find(data.begin(), data.end(), "Full Name"), data.end()) << "hidden";
    EXPECT_EQ(MemoFieldChoices(catalogue), std::vector<std::string>{"MEMO"}) << "hidden, but listed";

    catalogue.SetExtraFields(true);
    const std::vector<std::string> printing = DataFieldChoices(catalogue);
    EXPECT_NE(std::find(printing.begin(), printing.end(), "Full Name"), printing.end());
}

TEST(FieldChoices, SelectionAndBinding)
{
    const std::vector<std::string> choices = {"Last Name", "First Name", "Address 1"};
    EXPECT_EQ(InitialChoice(choices, "First Name"), 1);
    EXPECT_EQ(InitialChoice(choices, "<field>"), 0);
    EXPECT_EQ(InitialChoice(choices, ""), 0);
    EXPECT_EQ(InitialChoice({}, "Last Name"), -1);

    FieldCatalogue catalogue;
    const std::optional<FieldBinding> street = BindingForLabel(catalogue, "Address 1");
    ASSERT_TRUE(street);
    EXPECT_EQ(street->Name, "STREET");
    EXPECT_EQ(street->DisplayLabel, "Address 1");
    EXPECT_FALSE(BindingForLabel(catalogue, "address 1")) << "labels compare exactly";
    EXPECT_FALSE(BindingForLabel(catalogue, ""));
}

// ---- counters ----

TEST(CounterSettingsModel, OkTakesTheValuesAndShowsTheUnpaddedNumberUntilPainted)
{
    DataLayout layout;
    auto& counter = layout.Add<TGCounterLabel>({10, 10, 142, 33});
    counter.SetStartingnumber(1000);
    counter.AdvanceSequence();
    counter.AdvanceSequence();
    EXPECT_EQ(counter.CurrentNumber(), 1002);

    const CounterSettings settings{"No. ", 7, 3, " of many", 4};
    layout.Changes = 0;
    ApplyCounterSettings(counter, settings);
    EXPECT_EQ(ReadCounterSettings(counter), settings);
    EXPECT_EQ(counter.CurrentNumber(), 7) << "a new starting number resets the run";
    EXPECT_EQ(counter.Caption(), "No. 7 of many");
    EXPECT_EQ(counter.CounterText(), "No. 0007 of many");
    EXPECT_GT(counter.Width(), 10) << "narrowed to 10, then grown to the text";
    EXPECT_GT(layout.Changes, 0);

    counter.AdvanceSequence();
    counter.AdvanceSequence();
    EXPECT_EQ(counter.CurrentNumber(), 7);
    counter.AdvanceSequence();
    EXPECT_EQ(counter.CurrentNumber(), 8);
}

TEST(CounterSettingsModel, ATurnedCounterKeepsItsSize)
{
    DataLayout layout;
    auto& counter = layout.Add<TGCounterLabel>({10, 10, 142, 33});
    counter.SetAngle(90);
    const PixelRect before = counter.Bounds();
    ApplyCounterSettings(counter, {"A very long text before the number ", 1, 1, "", 0});
    EXPECT_EQ(counter.Bounds(), before);
}

// ---- 3-D effects and the address block ----

TEST(TextEffectsModel, ReadAndApplyCarryEveryValue)
{
    TGPLabel from;
    TextEffects effects = ReadTextEffects(from);
    EXPECT_EQ(effects.DirectionShadow, TShadowDirection::sdDownRight);
    EXPECT_EQ(effects.ColorHighlight, clAqua);
    effects.Font.Color = 0x0000FF;
    effects.Font.Name = "Courier New";
    effects.DepthShadow = 4;
    effects.DirectionShadow = TShadowDirection::sdLeft;
    effects.ColorShadow = 0x123456;
    effects.DepthHighlight = 10;
    effects.DirectionHighlight = THighlightDirection::hdUp;
    effects.ColorHighlight = 0x00FF00;
    TGPLabel to;
    ApplyTextEffects(to, effects);
    EXPECT_EQ(ReadTextEffects(to), effects);
    EXPECT_EQ(to.ShadowDx(), -4);
    EXPECT_EQ(to.HighlightDy(), -10);
    ASSERT_EQ(ShadowDirectionCaptions().size(), 6u);
    EXPECT_EQ(ShadowDirectionCaptions()[static_cast<int>(TShadowDirection::sdDownLeft)], "Lower Left");
    EXPECT_EQ(HighlightDirectionCaptions()[static_cast<int>(THighlightDirection::hdUpRight)], "Upper Right");
}

TEST(AddressLayoutModel, OkTakesTheSwitchesAndRefreshesTheRecordDisplay)
{
    DataLayout layout;
    AddressRecord record;
    record.FName = "Ann";
    record.LName = "Lee";
    record.City = "Springfield";
    record.State = "IL";
    record.Zip = "62704";
    layout.Source.SetRecord(record);
    auto& address = layout.Add<TGDMultiLineAddressLabel>({0, 0, 190, 33});
    layout.Panel.RefreshData();
    ASSERT_EQ(address.Items().size(), 2u);
    EXPECT_EQ(address.Items()[1], "Springfield  IL 62704");

    AddressLayoutOptions options = ReadAddressLayout(address);
    EXPECT_EQ(options, AddressLayoutOptions{}) << "a new block's switches";
    options.UseName = false;
    options.UpperCase = true;
    options.ZipOptions = TZipOptions::zoBeforeCity;
    options.UsePhone = true;
    layout.Changes = 0;
    ApplyAddressLayout(address, options);
    EXPECT_EQ(ReadAddressLayout(address), options);
    ASSERT_EQ(address.Items().size(), 1u) << "the panel showed the record again";
    EXPECT_EQ(address.Items()[0], "62704 SPRINGFIELD IL ");
    EXPECT_GT(layout.Changes, 0);
}

// ---- fonts and colours ----

TEST(ChosenFontsAndColors, KeepTheStoredFamilyAndTheColour)
{
    TGFont stored;
    stored.Color = 0x00FF00;
    QFont chosen = DialogFont(stored, 96);
    EXPECT_EQ(chosen.family(), "Arial") << "the dialog shows the stored name";
    EXPECT_EQ(chosen.pointSize(), 10);

    chosen.setFamily(MappedFontFamily("Arial"));
    chosen.setPointSize(12);
    chosen.setBold(true);
    chosen.setItalic(true);
    TGFont taken = FontFromQFont(chosen, stored, 96);
    EXPECT_EQ(taken.Name, "Arial") << "the stand-in family is the stored one";
    EXPECT_EQ(taken.Height, -16);
    EXPECT_EQ(taken.Color, 0x00FF00);
    EXPECT_EQ(taken.Style, FontStyleBit(TFontStyle::fsBold) | FontStyleBit(TFontStyle::fsItalic));

    chosen.setFamily("DejaVu Serif");
    chosen.setBold(false);
    chosen.setItalic(false);
    chosen.setUnderline(true);
    taken = FontFromQFont(chosen, stored, 120);
    EXPECT_EQ(taken.Name, "DejaVu Serif");
    EXPECT_EQ(taken.Height, -20) << "12 points at 120 pixels per inch";
    EXPECT_EQ(taken.Style, FontStyleBit(TFontStyle::fsUnderline));

    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
    EXPECT_EQ(FromQColor(Qt::white), clWhite);
}

// ---- pictures ----

class PictureFiles : public ::testing::Test {
  protected:
    QString Write(const std::string& name, const QByteArray& bytes)
    {
        const QString path = QString::fromStdString(Folder.File(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray Encoded(const QImage& image, const char* format)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return buffer.data();
    }
    xbase::testing::ScratchFolder Folder;
};

TEST_F(PictureFiles, BitmapsKeepTheirBytesOtherImagesBecomeBitmaps)
{
    const std::string bmp = testing::BitmapFile(7, 5);
    Result<TGPicture> kept = PictureFromFile(Write("a.BMP", QByteArray::fromStdString(bmp)));
    ASSERT_TRUE(kept) << kept.Message();
    EXPECT_TRUE(kept->IsBitmap());
    EXPECT_EQ(kept->Bytes, bmp);

    QImage translucent(6, 4, QImage::Format_ARGB32);
    translucent.fill(Qt::transparent);
    translucent.setPixelColor(1, 1, Qt::blue);
    Result<TGPicture> png = PictureFromFile(Write("b.png", Encoded(translucent, "PNG")));
    ASSERT_TRUE(png) << png.Message();
    ASSERT_TRUE(png->IsBitmap());
    EXPECT_EQ(png->Bytes.substr(0, 2), "BM");
    const QImage back = QImage::fromData(QByteArray::fromStdString(png->Bytes), "BMP");
    EXPECT_EQ(back.size(), QSize(6, 4));
    EXPECT_EQ(back.pixelColor(0, 0), QColor(Qt::white)) << "see-through parts go white";
    EXPECT_EQ(back.pixelColor(1, 1), QColor(Qt::blue));

    const std::string wmf = testing::PlaceableMetafile();
    Result<TGPicture> metafile = PictureFromFile(Write("c.wmf", QByteArray::fromStdString(wmf)));
    ASSERT_TRUE(metafile) << metafile.Message();
    EXPECT_TRUE(metafile->IsMetafile());
    EXPECT_EQ(metafile->Bytes, wmf);
}

TEST_F(PictureFiles, FailuresAreResultsAndOnlyBitmapsAndMetafilesReportThem)
{
    EXPECT_FALSE(PictureFromFile(QString::fromStdString(Folder.File("missing.bmp"))));
    EXPECT_FALSE(PictureFromFile(Write("broken.bmp", "BMxxxx")));
    EXPECT_FALSE(PictureFromFile(Write("broken.jpg", "not a jpeg")));
    EXPECT_FALSE(PictureFromFile(Write("empty.pcx", "")));

    EXPECT_TRUE(ReportsImageLoadError("/x/a.BMP"));
    EXPECT_TRUE(ReportsImageLoadError("/x/a.wmf"));
    EXPECT_FALSE(ReportsImageLoadError("/x/a.jpg"));
    EXPECT_FALSE(ReportsImageLoadError("/x/a.TGA"));
    EXPECT_EQ(ImageFilePatterns(), (std::vector<std::string>{"*.BMP", "*.DIB", "*.JPG", "*.JIF", "*.PCX",
                                                             "*.RLE", "*.TGA", "*.WMF", "*.ICO"}));
}

} // namespace
} // namespace corvane
