#pragma once
// The paper a label setup asks the printer for: a standard size or a custom one, the orientation,
// and whether the size the printer then reports is close enough to the sheet the stock is made
// for. A mismatch is put to the user as a question, because a wrong printer would otherwise print
// a whole run of labels off their positions.

#include <string>
#include <string_view>

#include <QPageSize>

#include "labels/LabelSetup.h"

namespace corvane {

enum class StandardPaper { Letter, A4, A5, Custom };

struct PaperRequest {
    StandardPaper Paper = StandardPaper::Letter;
    bool Landscape = false;
    // The sheet in portrait terms, inches rounded to 2 decimals (for landscape codes the width is
    // the sheet's depth and the length its width).
    double ExpectedWidth = 8.5;
    double ExpectedLength = 11.0;
    // The custom size asked for, in tenths of a millimetre (rounded); 0 for a standard size and
    // when no custom size is requested.
    int CustomWidthTenthsMm = 0;
    int CustomLengthTenthsMm = 0;
    // Drivers that mishandle custom sizes get none, and their size is never taken as confirmed.
    bool Unconfirmed = false;
};

// "LTRL", "A4L" and "USERL" (any case) print landscape.
bool IsLandscapePaperCode(std::string_view code);
// Rounded half away from zero to 2 decimals.
double RoundToHundredths(double inches);

// What to ask the printer whose driver is `driverName` for, for this setup.
PaperRequest PaperRequestFor(const LabelSetup& setup, std::string_view driverName);

// The page size to ask for in portrait terms: the standard size, or the expected custom size in
// inches (also for an unconfirmed request, for devices such as a PDF file that need a size).
QPageSize PaperPageSize(const PaperRequest& request);

// The printer's page as read back (inches, in the orientation set): within 0.05 inch of the
// expected sheet on both sides, compared after rounding to 2 decimals. Never for an unconfirmed
// request.
bool PaperSizeConfirmed(const PaperRequest& request, double pageWidthInches, double pageHeightInches);

// The question asked when the size is not confirmed; No cancels the run.
std::string PaperSizeQuestion(const PaperRequest& request);

} // namespace corvane
