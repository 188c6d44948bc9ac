#pragma once
// The Intelligent Mail barcode (USPS-B-3200) as pure logic: the 20-digit tracking code and the
// routing ZIP in, the 65 bars out, and where the bars go on paper in inches. Encoding is libzint's;
// checking the fields and drawing at the nominal dimensions are ours.
//
// Tracking code: barcode ID (2 digits, the second 0 to 4), service type ID (3), then a Mailer ID
// of 6 digits with a 9-digit serial number or a Mailer ID of 9 digits with a 6-digit serial.
// Routing code: none, a 5-digit ZIP, ZIP+4 (9) or ZIP+4 with the delivery point (11).

#include <string>
#include <vector>

#include <QPointF>
#include <QRectF>
#include <QString>

#include "platform/Result.h"

namespace corvane {

// The four bar states: full (both ends), ascender (up), descender (down), tracker (middle only).
enum class IntelligentMailBar { Full, Ascender, Descender, Tracker };

inline constexpr int IntelligentMailBarCount = 65;
// Nominal dimensions, inches.
inline constexpr double IntelligentMailBarPitch = 1.0 / 22.0;
inline constexpr double IntelligentMailBarWidth = 0.020;
inline constexpr double IntelligentMailFullHeight = 0.145;
inline constexpr double IntelligentMailTrackerHeight = 0.048;
inline constexpr double IntelligentMailQuietZoneX = 0.125;
inline constexpr double IntelligentMailQuietZoneY = 0.028;
// From the first bar's left edge to the last bar's right edge.
inline constexpr double IntelligentMailSymbolLength =
    (IntelligentMailBarCount - 1) * IntelligentMailBarPitch + IntelligentMailBarWidth;

struct IntelligentMailFields {
    std::string BarcodeId = "00";
    std::string ServiceType = "040";
    std::string MailerId;     // 6 or 9 digits
    std::string SerialNumber; // 9 digits with a 6-digit Mailer ID, 6 with a 9-digit one
    std::string RoutingZip;   // "", 5, 9 or 11 digits
};

// The 20-digit tracking code of the fields; an error naming the field that is wrong.
Result<std::string> IntelligentMailTrackingCode(const IntelligentMailFields& fields);
// The serial number as the tracking code needs it: `serial` zero-padded to the width a Mailer ID
// of this length leaves (9 or 6 digits); an error when it does not fit.
Result<std::string> IntelligentMailSerialText(const std::string& mailerId, unsigned long long serial);
// The routing code of a record's ZIP text: "12345" gives 5 digits, "12345-6789" or "123456789"
// gives 9, anything else none.
std::string IntelligentMailRoutingOfZip(const QString& zip);

// The 65 bars of a tracking code (20 digits) and a routing code (0, 5, 9 or 11 digits).
Result<std::vector<IntelligentMailBar>> EncodeIntelligentMail(const std::string& tracking,
                                                              const std::string& routing);
// "F", "A", "D", "T" for each bar.
std::string IntelligentMailLetters(const std::vector<IntelligentMailBar>& bars);
// The human-readable line printed under the bars: the tracking code's fields and the routing
// code separated by spaces.
std::string IntelligentMailHumanReadable(const std::string& tracking, const std::string& routing);

// The filled bar rectangles in inches; `origin` is the first bar's left edge at the full bar's top.
std::vector<QRectF> IntelligentMailBarRects(const std::vector<IntelligentMailBar>& bars,
                                            const QPointF& origin);

} // namespace corvane
