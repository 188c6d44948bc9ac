#include "reports/ReportDesignLayout.h"

#include <algorithm>
#include <vector>

#include "layout/TGGraphicControl.h"
#include "reports/TReportPanel.h"

namespace corvane {

namespace {

int StackHeight(const ReportSettings& settings, int memoHeight)
{
    return settings.HeaderHeight + settings.DetailHeight + settings.FooterHeight + memoHeight + 100;
}

} // namespace

int ReportPageAreaHeight(const ReportSettings& settings, int memoHeight)
{
    return settings.PageHeight - settings.TopMargin - settings.BottomMargin + memoHeight + 100;
}

int BandVisibleMinimum(const ReportSettings& settings, int memoHeight)
{
    const int excess =
        std::max(0, StackHeight(settings, memoHeight) - ReportPageAreaHeight(settings, memoHeight));
    // A stack far past the page area would otherwise ask for a negative height.
    return std::max(0, 20 - excess);
}

int BandHeight(const ReportSettings& settings, int band)
{
    return band == 0 ? settings.HeaderHeight : band == 1 ? settings.DetailHeight : settings.FooterHeight;
}

void SetBandHeight(ReportSettings& settings, int band, int height)
{
    (band == 0 ? settings.HeaderHeight : band == 1 ? settings.DetailHeight : settings.FooterHeight) = height;
}

bool BandUsed(const ReportSettings& settings, int band)
{
    return band == 0 ? settings.UseHeader : band == 1 ? settings.UseDetail : settings.UseFooter;
}

void SetBandUsed(ReportSettings& settings, int band, bool used)
{
    (band == 0 ? settings.UseHeader : band == 1 ? settings.UseDetail : settings.UseFooter) = used;
}

int SizerDragHeight(const ReportSettings& settings, int band, int wanted, int memoHeight)
{
    ReportSettings trial = settings;
    SetBandHeight(trial, band, std::max(0, wanted));
    const int excess = StackHeight(trial, memoHeight) - ReportPageAreaHeight(trial, memoHeight);
    return std::max(0, std::max(0, wanted) - std::max(0, excess));
}

void ClampToBand(TReportPanel& panel, int width, int height)
{
    for (size_t i = 0; i < panel.ElementCount(); ++i) {
        TGGraphicControl& element = panel.ElementAt(i);
        PixelRect bounds = element.DesignBounds();
        bool moved = false;
        if (bounds.Top > height) {
            bounds.Top = height;
            moved = true;
        }
        if (bounds.Left > width) {
            bounds.Left = width;
            moved = true;
        }
        if (moved)
            element.SetDesignBounds(bounds);
    }
}

Status SaveReportDesign(ReportSettings& settings, const std::array<TReportPanel*, 3>& bands)
{
    ReportSettings result = settings;
    for (int band = 0; band < 3; ++band)
        if (BandHeight(result, band) == 0)
            SetBandUsed(result, band, false);
    if (!result.UseHeader && !result.UseDetail && !result.UseMemo && !result.UseFooter)
        return Status::Error(std::string(NoReportBandsMessage));
    for (int band = 0; band < 3; ++band) {
        TReportPanel& panel = *bands[static_cast<size_t>(band)];
        if (!BandUsed(result, band)) {
            panel.ClearElements();
            continue;
        }
        const int height = BandHeight(result, band);
        const int width = panel.DesignWidth();
        std::vector<TGGraphicControl*> outside;
        for (size_t i = 0; i < panel.ElementCount(); ++i) {
            TGGraphicControl& element = panel.ElementAt(i);
            const PixelRect bounds = element.DesignBounds();
            if (bounds.Top > height + 10 || bounds.Left > width + 10)
                outside.push_back(&element);
        }
        for (TGGraphicControl* element : outside)
            panel.DestroyElement(*element);
    }
    settings = result;
    return Status::Success();
}

} // namespace corvane
