#pragma once
// POSTNET bar codes as pure logic: which digits a ZIP code and a street address give, the bar
// sequence, and where the bars go on paper in inches.
//
// Only 32, 52 and 62 bars are POSTNET, so the digit count follows the ZIP: fewer than 5 ZIP digits
// give no code, 5 to 8 encode five, 9 or more encode nine, and only the 11-digit type adds the two
// delivery-point digits, and only to a nine-digit ZIP.

#include <vector>

#include <QPointF>
#include <QRectF>
#include <QString>

namespace corvane {

// Ordinals follow the stored enumerations pnbc5Digit, pnbc9Digit, pnbc11Digit.
enum class PostNetBarCodeType { Digit5, Digit9, Digit11 };

inline constexpr double PostnetBarWidth = 0.015;
inline constexpr double PostnetBarPitch = 0.046;
inline constexpr double PostnetTallBarHeight = 0.125;
inline constexpr double PostnetShortBarTop = 0.070; // short bars end with the tall ones

// The characters 0 to 9 of text in order; everything else dropped.
QString DigitsOnly(const QString& text);
// The smallest c in 0..9 that makes the digit sum plus c divisible by 10.
int PostnetCheckDigit(const QString& digits);
// The last two digits of the street address's primary number, "99" when there are none or the
// address is military (APO, FPO).
QString DeliveryPointDigits(const QString& address);

// Whether a ZIP text may print at all: 5 characters or more, and between "00000" and
// "99999-9999" in plain character comparison.
bool PostnetZipPrintable(const QString& zip);
// The digits to encode, check digit included; empty when nothing is printed.
QString PostnetDigits(const QString& zip, const QString& address, PostNetBarCodeType type);
// Tall (true) and short (false) bars from left to right, both frame bars included; empty for no
// digits.
std::vector<bool> PostnetBars(const QString& digits);
// The filled bar rectangles in inches, the code's top-left corner at origin.
std::vector<QRectF> PostnetBarRects(const QString& digits, const QPointF& origin);

} // namespace corvane
