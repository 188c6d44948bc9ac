#include "labels/LabelPaper.h"

#include <cmath>
#include <cstdio>

#include <QSizeF>
#include <QString>

namespace corvane {

namespace {

// Comparisons happen on values rounded to hundredths, so a tolerance a hair above 0.05 keeps an
// exact 0.05 difference (which binary doubles cannot hold exactly) inside the limit.
constexpr double Tolerance = 0.05 + 1e-9;
constexpr double TenthsMmPerInch = 254.0;

std::string Hundredths(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

bool IsLandscapePaperCode(std::string_view code)
{
    const QString upper =
        QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size())).trimmed().toUpper();
    return upper == "LTRL" || upper == "A4L" || upper == "USERL";
}

double RoundToHundredths(double inches)
{
    return std::round(inches * 100.0) / 100.0;
}

PaperRequest PaperRequestFor(const LabelSetup& setup, std::string_view driverName)
{
    PaperRequest request;
    const QString code = setup.PaperSize.trimmed().toUpper();
    request.Landscape = IsLandscapePaperCode(code.toStdString());
    const double width = RoundToHundredths(setup.SheetWidth);
    const double depth = RoundToHundredths(setup.SheetDepth);
    request.ExpectedWidth = request.Landscape ? depth : width;
    request.ExpectedLength = request.Landscape ? width : depth;

    if (code == "LTR" || code == "LTRL") {
        request.Paper = StandardPaper::Letter;
    } else if (code == "A4" || code == "A4L") {
        request.Paper = StandardPaper::A4;
    } else if (code == "A5") {
        request.Paper = StandardPaper::A5;
    } else {
        request.Paper = StandardPaper::Custom;
        const QString driver =
            QString::fromUtf8(driverName.data(), static_cast<qsizetype>(driverName.size())).toUpper();
        if (driver.contains("HPFDJ")) {
            request.Unconfirmed = true;
        } else {
            request.CustomWidthTenthsMm =
                static_cast<int>(std::lround(request.ExpectedWidth * TenthsMmPerInch));
            request.CustomLengthTenthsMm =
                static_cast<int>(std::lround(request.ExpectedLength * TenthsMmPerInch));
        }
    }
    return request;
}

QPageSize PaperPageSize(const PaperRequest& request)
{
    switch (request.Paper) {
    case StandardPaper::Letter:
        return QPageSize(QPageSize::Letter);
    case StandardPaper::A4:
        return QPageSize(QPageSize::A4);
    case StandardPaper::A5:
        return QPageSize(QPageSize::A5);
    case StandardPaper::Custom:
        break;
    }
    return QPageSize(QSizeF(request.ExpectedWidth, request.ExpectedLength), QPageSize::Inch, QString(),
                     QPageSize::ExactMatch);
}

bool PaperSizeConfirmed(const PaperRequest& request, double pageWidthInches, double pageHeightInches)
{
    if (request.Unconfirmed)
        return false;
    const double width = RoundToHundredths(pageWidthInches);
    const double height = RoundToHundredths(pageHeightInches);
    // In landscape the page's height is the sheet's portrait width.
    const double comparedWidth = request.Landscape ? height : width;
    const double comparedLength = request.Landscape ? width : height;
    return std::fabs(comparedWidth - request.ExpectedWidth) <= Tolerance &&
           std::fabs(comparedLength - request.ExpectedLength) <= Tolerance;
}

std::string PaperSizeQuestion(const PaperRequest& request)
{
    return "Unable to confirm that the paper size was set to\r\n\r\n" + Hundredths(request.ExpectedWidth) +
           "\" by " + Hundredths(request.ExpectedLength) +
           "\"\r\n\r\n(you may have the wrong printer selected)\r\n\r\n" +
           "Would you like to try printing anyways?";
}

} // namespace corvane
