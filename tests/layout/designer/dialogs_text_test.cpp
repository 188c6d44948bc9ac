// The text elements' dialogs with values going in and coming out: the text dialog, the multi-line
// editor, the 3-D effects with their sample, and the font and background colour choosers.

#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "dialogs_test_support.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/ElementDialogs.h"
#include "layout/designer/dialogs/TGFont3DEffects.h"

namespace corvane {
namespace {

using testing::Control;
using testing::DialogLayout;
using testing::DialogScript;

// ---- text ----

TEST(TextDialog, ShowsTheCaptionAndGrowsTheElementToTheNewText)
{
    DialogLayout layout;
    auto& label = layout.Add<TGPLabel>({10, 10, 60, 20});
    label.SetCaption("<text>");
    DialogScript script;
    std::string shown;
    script.Steps["TGetLabelText"] = [&shown](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Text");
        EXPECT_NE(dialog.findChild<QLabel*>(), nullptr);
        shown = Control<QLineEdit>(dialog, "LabelText").text().toStdString();
        Control<QLineEdit>(dialog, "LabelText").setText("Season's greetings to everybody");
        return QDialog::Accepted;
    };
    layout.Changes = 0;
    EXPECT_TRUE(RunCreationDialog(label, {}));
    EXPECT_EQ(shown, "<text>");
    EXPECT_EQ(label.Caption(), "Season's greetings to everybody");
    EXPECT_GT(label.Width(), 60) << "fitted to the longer text";
    EXPECT_GT(layout.Changes, 0);

    const PixelRect fitted = label.Bounds();
    script.Steps["TGetLabelText"] = [](QDialog& dialog) {
        Control<QLineEdit>(dialog, "LabelText").setText("x");
        return QDialog::Accepted;
    };
    EXPECT_EQ(RunElementDialogCommand(label, ElementCommand::Text, 0, {}), CommandOutcome::Done);
    EXPECT_EQ(label.Caption(), "x");
    EXPECT_EQ(label.Bounds(), fitted) << "fitting never shrinks";
}

TEST(MultiLineEditor, EditsTheLinesAndRewrapsAWrappingElement)
{
    DialogLayout layout;
    auto& lines = layout.Add<TGMultiLineLabel>({10, 10, 80, 40});
    lines.SetItems({"first", "second"});
    lines.SetWordWrap(true);
    DialogScript script;
    script.Steps["TMultiLineTextEditor"] = [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Multi-line Text Editor");
        auto& memo = Control<QPlainTextEdit>(dialog, "Memo");
        EXPECT_EQ(memo.toPlainText(), "first\nsecond");
        memo.setPlainText("one two three four five six seven eight\n\nlast");
        return QDialog::Accepted;
    };
    layout.Changes = 0;
    EXPECT_EQ(RunElementDialogCommand(lines, ElementCommand::Text, 0, {}), CommandOutcome::Done);
    EXPECT_EQ(lines.Items(),
              (std::vector<std::string>{"one two three four five six seven eight", "", "last"}));
    EXPECT_GT(lines.WrappedLines().size(), 3u) << "the long line wraps in 80 pixels";
    EXPECT_GT(layout.Changes, 0);

    script.Steps["TMultiLineTextEditor"] = [](QDialog& dialog) {
        Control<QPlainTextEdit>(dialog, "Memo").clear();
        return QDialog::Accepted;
    };
    RunElementDialogCommand(lines, ElementCommand::Text, 0, {});
    EXPECT_TRUE(lines.Items().empty()) << "an emptied editor leaves no lines (the element shows <blank>)";
}

TEST(MultiLineEditor, HoldsAtMost254CharactersCountingLineBreaksAsTwo)
{
    DialogLayout layout;
    auto& lines = layout.Add<TGMultiLineLabel>();
    DialogScript script;
    QString kept;
    QString keptWithBreaks;
    script.Steps["TMultiLineTextEditor"] = [&](QDialog& dialog) {
        auto& memo = Control<QPlainTextEdit>(dialog, "Memo");
        memo.setPlainText(QString(300, 'a'));
        kept = memo.toPlainText();
        memo.setPlainText(QString("abc\n").repeated(60));
        keptWithBreaks = memo.toPlainText();
        return QDialog::Accepted;
    };
    RunElementDialogCommand(lines, ElementCommand::Text, 0, {});
    EXPECT_EQ(kept.size(), 254);
    // 50 lines of "abc" and a line break make 250; "abc" fits, its line break would not.
    EXPECT_EQ(keptWithBreaks.size() + keptWithBreaks.count('\n'), 253);
    EXPECT_EQ(lines.Items().size(), 51u);
    EXPECT_EQ(lines.Items().back(), "abc");
}

// ---- 3-D effects ----

TEST(EffectsDialog, ListsShowTheElementAndOkTakesTheSample)
{
    DialogLayout layout;
    auto& label = layout.Add<TGPDLabel>();
    label.SetDepthShadow(3);
    label.SetDirectionShadow(TShadowDirection::sdDown);
    label.SetcolorHighlight(0x123456);
    DialogScript script;
    script.Steps["TGFont3DEffects"] = [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Text 3D Effects");
        auto& effects = static_cast<TGFont3DEffects&>(dialog);
        EXPECT_EQ(effects.ShadowDirection->currentText(), "Down");
        EXPECT_EQ(effects.ShadowDepth->currentText(), "3");
        EXPECT_EQ(effects.HighlightDirection->currentText(), "Upper Left");
        EXPECT_EQ(effects.HighLightDepth->currentText(), "0");
        EXPECT_EQ(effects.HighlightColor->Color(), 0x123456);
        EXPECT_EQ(effects.SampleLabel().Caption(), "Text");
        EXPECT_EQ(effects.ShadowDirection->count(), 6);
        EXPECT_EQ(effects.HighLightDepth->count(), 11);

        Control<QComboBox>(dialog, "ShadowDirection").setCurrentIndex(4); // Lower Left
        Control<QComboBox>(dialog, "ShadowDepth").setCurrentIndex(7);
        Control<ColorBox>(dialog, "ShadowColor").SetColor(0x0000FF);
        Control<QComboBox>(dialog, "HighlightDirection").setCurrentIndex(3); // Upper Right
        Control<QComboBox>(dialog, "HighLightDepth").setCurrentIndex(10);
        Control<ColorBox>(dialog, "HighlightColor").SetColor(0x00FF00);
        Control<ColorBox>(dialog, "FontColor").SetColor(0x800080);
        // Every change shows on the sample at once.
        const TGPLabel& sample = effects.SampleLabel();
        EXPECT_EQ(sample.DirectionShadow(), TShadowDirection::sdDownLeft);
        EXPECT_EQ(sample.DepthShadow(), 7);
        EXPECT_EQ(sample.Font().Color, 0x800080);
        return QDialog::Accepted;
    };
    layout.Changes = 0;
    RunElementDialogCommand(label, ElementCommand::Effects3D, 0, {});
    EXPECT_EQ(label.DirectionShadow(), TShadowDirection::sdDownLeft);
    EXPECT_EQ(label.DepthShadow(), 7);
    EXPECT_EQ(label.colorShadow(), 0x0000FF);
    EXPECT_EQ(label.DirectionHighlight(), THighlightDirection::hdUpRight);
    EXPECT_EQ(label.DepthHighlight(), 10);
    EXPECT_EQ(label.colorHighlight(), 0x00FF00);
    EXPECT_EQ(label.Font().Color, 0x800080);
    EXPECT_EQ(label.Font().Name, "Arial") << "only the colour of the font changes";
    EXPECT_GT(layout.Changes, 0);
}

TEST(EffectsDialog, ADepthBeyondTheListStaysUntilChosen)
{
    DialogLayout layout;
    auto& label = layout.Add<TGPLabel>();
    label.SetDepthShadow(15);
    DialogScript script;
    script.Steps["TGFont3DEffects"] = [](QDialog& dialog) {
        EXPECT_EQ(Control<QComboBox>(dialog, "ShadowDepth").currentIndex(), -1);
        Control<QComboBox>(dialog, "HighLightDepth").setCurrentIndex(2);
        return QDialog::Accepted;
    };
    RunElementDialogCommand(label, ElementCommand::Effects3D, 0, {});
    EXPECT_EQ(label.DepthShadow(), 15);
    EXPECT_EQ(label.DepthHighlight(), 2);
}

// How many pixels of the widget have this colour.
int PixelsOf(QWidget& widget, const QColor& color)
{
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == color;
    return count;
}

TEST(EffectsDialog, TheSampleDrawsTheTextWithItsShadow)
{
    TGFont3DEffects dialog;
    TextEffects effects = ReadTextEffects(TGPLabel());
    effects.Font.Height = TGFont::HeightOfPoints(28, 96);
    effects.Font.Color = 0x0000FF;
    dialog.SetEffects(effects);
    dialog.resize(400, 300);
    EXPECT_GT(PixelsOf(*dialog.Sample, Qt::red), 0) << "the main text in the font colour";
    EXPECT_EQ(PixelsOf(*dialog.Sample, Qt::blue), 0);

    Control<QComboBox>(dialog, "ShadowDepth").setCurrentIndex(4);
    Control<ColorBox>(dialog, "ShadowColor").SetColor(0xFF0000);
    EXPECT_GT(PixelsOf(*dialog.Sample, Qt::blue), 0) << "the shadow shows beside the text";
}

TEST(ColorBoxControl, ListsStandardColoursAndTakesAnyOtherThroughTheColourDialog)
{
    ColorBox box("Box");
    EXPECT_EQ(box.Color(), clBlack);
    box.SetColor(0xC0C0C0);
    EXPECT_EQ(box.currentText(), "Silver");
    box.SetColor(0x123456);
    EXPECT_EQ(box.Color(), 0x123456);
    EXPECT_EQ(box.currentText(), "$00123456");

    DialogScript script;
    script.Steps["ColorDialog"] = [](QDialog& dialog) {
        static_cast<QColorDialog&>(dialog).setCurrentColor(QColor(1, 2, 3));
        return QDialog::Accepted;
    };
    int changes = 0;
    QObject::connect(&box, &ColorBox::ColorChanged, [&changes](TColor) { ++changes; });
    emit box.activated(box.findText("Custom..."));
    EXPECT_EQ(box.Color(), 0x030201);
    EXPECT_EQ(changes, 1);

    script.Steps.clear(); // cancelled: the colour stays
    emit box.activated(box.findText("Custom..."));
    EXPECT_EQ(box.Color(), 0x030201);
    EXPECT_EQ(box.currentText(), "$00030201");
}

// ---- font and background colour ----

TEST(FontCommand, TakesTheChosenFontAndFitsPlainText)
{
    DialogLayout layout;
    auto& label = layout.Add<TGPLabel>({10, 10, 40, 15});
    label.SetCaption("Some words");
    TGFont red = label.Font();
    red.Color = 0x0000FF;
    label.SetFont(red);
    DialogScript script;
    script.Steps["FontDialog"] = [](QDialog& dialog) {
        auto& fonts = static_cast<QFontDialog&>(dialog);
        EXPECT_EQ(fonts.currentFont().pointSize(), 10);
        QFont chosen("Liberation Serif", 24);
        chosen.setBold(true);
        fonts.setCurrentFont(chosen);
        return QDialog::Accepted;
    };
    RunElementDialogCommand(label, ElementCommand::Font, 0, {});
    EXPECT_EQ(label.Font().Name, "Liberation Serif");
    EXPECT_EQ(label.Font().Height, TGFont::HeightOfPoints(24, 96));
    EXPECT_EQ(label.Font().Style, FontStyleBit(TFontStyle::fsBold));
    EXPECT_EQ(label.Font().Color, 0x0000FF) << "the font dialog keeps the colour";
    EXPECT_GT(label.Width(), 40);
    EXPECT_GT(label.Height(), 15);

    auto& lines = layout.Add<TGMultiLineLabel>();
    RunElementDialogCommand(lines, ElementCommand::Font, 0, {});
    EXPECT_EQ(lines.Font().Height, TGFont::HeightOfPoints(24, 96));
}

TEST(BackgroundColorCommand, PaintsTheBackgroundAndEndsTransparency)
{
    DialogLayout layout;
    auto& label = layout.Add<TGPLabel>();
    ASSERT_TRUE(label.Transparent());
    DialogScript script;
    script.Steps["ColorDialog"] = [](QDialog& dialog) {
        auto& colors = static_cast<QColorDialog&>(dialog);
        EXPECT_EQ(colors.currentColor(), QColor(Qt::white));
        colors.setCurrentColor(QColor(255, 255, 0));
        return QDialog::Accepted;
    };
    RunElementDialogCommand(label, ElementCommand::BackgroundColor, 0, {});
    EXPECT_EQ(label.BackColor(), 0x00FFFF);
    EXPECT_FALSE(label.Transparent());
    EXPECT_FALSE(FindMenuItem(label.Menu(), ElementCommand::Transparent)->Checked);
}

} // namespace
} // namespace corvane
