// The Intelligent Mail barcode as a reader of the paper sees it: printed to a PDF, rendered at
// 600 dpi by poppler, and the bars measured against the symbology's tolerances.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "layout/ComponentOwner.h"
#include "layout/QPainterSurface.h"
#include "layout/TGDataPanel.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "printing/pages/PdfFileSink.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

constexpr int Dpi = 600;

struct GrayImage {
    int Width = 0;
    int Height = 0;
    QByteArray Pixels;
    bool Dark(int x, int y) const { return static_cast<unsigned char>(Pixels[y * Width + x]) < 128; }
};

// pdftoppm's binary PGM of page 1.
std::optional<GrayImage> RenderFirstPage(const QString& pdf, const QString& stem)
{
    QProcess render;
    render.start("pdftoppm",
                 {"-r", QString::number(Dpi), "-gray", "-f", "1", "-l", "1", "-singlefile", pdf, stem});
    if (!render.waitForFinished(60000) || render.exitCode() != 0)
        return std::nullopt;
    QFile file(stem + ".pgm");
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    // "P5\n<width> <height>\n255\n" then the pixels.
    const QList<QByteArray> header = data.left(64).split('\n');
    if (header.size() < 4 || header[0] != "P5")
        return std::nullopt;
    const QList<QByteArray> size = header[1].split(' ');
    GrayImage image;
    image.Width = size[0].toInt();
    image.Height = size[1].toInt();
    const qsizetype offset = header[0].size() + header[1].size() + header[2].size() + 3;
    image.Pixels = data.mid(offset);
    if (image.Pixels.size() != static_cast<qsizetype>(image.Width) * image.Height)
        return std::nullopt;
    return image;
}

TEST(IntelligentMailPdf, BarsMeasuredAt600DpiAreWithinTheSymbologysTolerances)
{
    xbase::testing::ScratchFolder folder;
    ComponentOwner owner;
    TGDataPanel panel(owner);
    panel.SetSize(800, 600);
    auto element = std::make_unique<TGIntelligentMailBarCode>();
    element->SetDesignBounds({96, 96, 305, 31}); // one inch from the page's corner
    auto& code = static_cast<TGIntelligentMailBarCode&>(panel.InsertElement(std::move(element)));
    code.StartRun("123456", 200800001);
    code.SetRecordTexts("12345-6789", "");
    auto fields = code.PieceFields();
    ASSERT_TRUE(fields.Ok()) << fields.Message();
    const std::string letters = IntelligentMailLetters(
        *EncodeIntelligentMail(*IntelligentMailTrackingCode(*fields), fields->RoutingZip));

    const QString pdf = QString::fromStdString(folder.File("imb.pdf"));
    {
        PdfFileSink sink(pdf, QPageSize(QPageSize::Letter));
        ASSERT_TRUE(sink.Begin());
        QPainterSurface surface(sink.Painter());
        code.PrintOn(surface, 0.0, 0.0);
        ASSERT_EQ(sink.End().Outcome, PageJobOutcome::Completed);
    }
    const auto image = RenderFirstPage(pdf, QString::fromStdString(folder.File("imb")));
    ASSERT_TRUE(image) << "pdftoppm could not render the PDF";

    // A row through the trackers' middle crosses every bar once.
    const double top = 1.0 + IntelligentMailQuietZoneY;
    const int middle = static_cast<int>((top + IntelligentMailFullHeight / 2) * Dpi);
    std::vector<std::pair<int, int>> runs; // left edge, width in dots
    for (int x = Dpi / 2; x < image->Width; ++x) {
        if (!image->Dark(x, middle))
            continue;
        int end = x;
        while (end < image->Width && image->Dark(end, middle))
            ++end;
        runs.emplace_back(x, end - x);
        x = end;
    }
    ASSERT_EQ(runs.size(), 65u);
    EXPECT_NEAR(runs.front().first, (1.0 + IntelligentMailQuietZoneX) * Dpi, 2.0);

    // Pitch 20 to 24 bars per inch, here the nominal 22; bar width 0.015 to 0.025 in.
    const double pitch = static_cast<double>(runs.back().first - runs.front().first) / 64.0;
    EXPECT_NEAR(pitch, Dpi / 22.0, 0.5);
    for (const auto& [left, width] : runs) {
        EXPECT_GE(width, 0.015 * Dpi) << "bar at " << left;
        EXPECT_LE(width, 0.025 * Dpi) << "bar at " << left;
    }

    // Heights by state: full 0.125 to 0.165 in, tracker 0.039 to 0.057 in, ascenders and
    // descenders between them, reaching the full bar's top or bottom.
    for (size_t i = 0; i < runs.size(); ++i) {
        const int x = runs[i].first + runs[i].second / 2;
        int first = -1;
        int last = -1;
        // Down to the quiet zone under the bars, above the human-readable line.
        for (int y = Dpi;
             y < static_cast<int>((top + IntelligentMailFullHeight + IntelligentMailQuietZoneY) * Dpi); ++y) {
            if (image->Dark(x, y)) {
                if (first < 0)
                    first = y;
                last = y;
            }
        }
        const double height = static_cast<double>(last - first + 1) / Dpi;
        switch (letters[i]) {
        case 'F':
            EXPECT_GE(height, 0.125) << i;
            EXPECT_LE(height, 0.165) << i;
            break;
        case 'T':
            EXPECT_GE(height, 0.039) << i;
            EXPECT_LE(height, 0.057) << i;
            break;
        default:
            EXPECT_GT(height, 0.057) << i << letters[i];
            EXPECT_LT(height, 0.125) << i << letters[i];
            if (letters[i] == 'A') {
                EXPECT_NEAR(first, top * Dpi, 2.0) << i;
            } else {
                EXPECT_NEAR(last, (top + IntelligentMailFullHeight) * Dpi, 2.0) << i;
            }
        }
    }
}

} // namespace
} // namespace corvane
