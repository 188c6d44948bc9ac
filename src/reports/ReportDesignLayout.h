#pragma once
// The report designer's page area without widgets: the band width, the page area's height, the
// smallest height a used band shows, the sizer's limit and release clamp, and what Save does to
// the bands and the settings.

#include <array>
#include <string_view>

#include "platform/Result.h"
#include "reports/ReportSettings.h"

namespace corvane {

class TReportPanel;

inline constexpr std::string_view NoReportBandsMessage =
    "No report bands are selected. Please select at least one";
inline constexpr int BandCaptionHeight = 20;
inline constexpr int BandSizerHeight = 5;

// Page height less the top and bottom margins, plus the memo band's height and 100 pixels.
int ReportPageAreaHeight(const ReportSettings& settings, int memoHeight);
// 20 pixels, less what the three bands, the memo and 100 pixels take beyond the page area;
// never below 0.
int BandVisibleMinimum(const ReportSettings& settings, int memoHeight);
// The height a sizer drag gives band 0 (header), 1 (detail) or 2 (footer): `wanted`, less what
// the stack would then take beyond the page area, and never below 0.
int SizerDragHeight(const ReportSettings& settings, int band, int wanted, int memoHeight);
int BandHeight(const ReportSettings& settings, int band);
void SetBandHeight(ReportSettings& settings, int band, int height);
bool BandUsed(const ReportSettings& settings, int band);
void SetBandUsed(ReportSettings& settings, int band, bool used);

// After a sizer is released: elements below the band's bottom or beyond its width are moved onto
// the edge.
void ClampToBand(TReportPanel& panel, int width, int height);

// Save: a band of height 0 is switched off; with no band in use the message and nothing changes;
// otherwise used bands lose what lies more than 10 pixels outside them, unused bands lose every
// element, and the heights are stored.
Status SaveReportDesign(ReportSettings& settings, const std::array<TReportPanel*, 3>& bands);

} // namespace corvane
