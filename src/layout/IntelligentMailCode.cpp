#include "layout/IntelligentMailCode.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <zint.h>

namespace corvane {

namespace {

bool AllDigits(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Module(const zint_symbol& symbol, int row, int column)
{
    return (symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1;
}

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

} // namespace

Result<std::string> IntelligentMailTrackingCode(const IntelligentMailFields& fields)
{
    if (fields.BarcodeId.size() != 2 || !AllDigits(fields.BarcodeId))
        return Status::Error("The barcode ID must be 2 digits");
    if (fields.BarcodeId[1] > '4')
        return Status::Error("The second digit of the barcode ID must be 0 to 4");
    if (fields.ServiceType.size() != 3 || !AllDigits(fields.ServiceType))
        return Status::Error("The service type ID must be 3 digits");
    if ((fields.MailerId.size() != 6 && fields.MailerId.size() != 9) || !AllDigits(fields.MailerId))
        return Status::Error("The Mailer ID must be 6 or 9 digits");
    if (fields.MailerId.size() == 9 && fields.MailerId[0] != '9')
        return Status::Error("A 9-digit Mailer ID begins with 9");
    if (fields.MailerId.size() == 6 && fields.MailerId[0] == '9')
        return Status::Error("A 6-digit Mailer ID does not begin with 9");
    const size_t serialLength = 15 - fields.MailerId.size();
    if (fields.SerialNumber.size() != serialLength || !AllDigits(fields.SerialNumber))
        return Status::Error("The serial number must be " + std::to_string(serialLength) + " digits with a " +
                             std::to_string(fields.MailerId.size()) + "-digit Mailer ID");
    return fields.BarcodeId + fields.ServiceType + fields.MailerId + fields.SerialNumber;
}

Result<std::string> IntelligentMailSerialText(const std::string& mailerId, unsigned long long serial)
{
    const int width = mailerId.size() == 9 ? 6 : 9;
    char text[32];
    std::snprintf(text, sizeof text, "%0*llu", width, serial);
    if (static_cast<int>(std::string(text).size()) != width)
        return Status::Error("The serial number " + std::to_string(serial) + " has more than " +
                             std::to_string(width) + " digits");
    return std::string(text);
}

std::string IntelligentMailRoutingOfZip(const QString& zip)
{
    const QString text = zip.trimmed();
    const auto digits = [](const QString& part) {
        return std::all_of(part.begin(), part.end(), [](QChar c) { return c >= '0' && c <= '9'; });
    };
    if (text.size() == 5 && digits(text))
        return text.toStdString();
    if (text.size() == 9 && digits(text))
        return text.toStdString();
    if (text.size() == 10 && text[5] == '-' && digits(text.left(5)) && digits(text.mid(6)))
        return (text.left(5) + text.mid(6)).toStdString();
    return {};
}

Result<std::vector<IntelligentMailBar>> EncodeIntelligentMail(const std::string& tracking,
                                                              const std::string& routing)
{
    if (tracking.size() != 20 || !AllDigits(tracking))
        return Status::Error("The tracking code must be 20 digits");
    if (tracking[1] > '4')
        return Status::Error("The second digit of the barcode ID must be 0 to 4");
    if (!AllDigits(routing) ||
        (routing.size() != 0 && routing.size() != 5 && routing.size() != 9 && routing.size() != 11))
        return Status::Error("The routing code must be 0, 5, 9 or 11 digits");

    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        return Status::Error("The barcode encoder could not be started");
    symbol->symbology = BARCODE_USPS_IMAIL;
    const std::string input = routing.empty() ? tracking : tracking + "-" + routing;
    const int error = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                                      static_cast<int>(input.size()));
    if (error >= ZINT_ERROR)
        return Status::Error(std::string("The barcode could not be encoded: ") + symbol->errtxt);
    // The encoder lays the bars out in three rows (ascender, tracker, descender) with a space
    // module after each bar.
    if (symbol->rows != 3 || symbol->width != 2 * IntelligentMailBarCount - 1)
        return Status::Error("The barcode encoder returned an unexpected symbol");

    std::vector<IntelligentMailBar> bars;
    bars.reserve(IntelligentMailBarCount);
    for (int i = 0; i < IntelligentMailBarCount; ++i) {
        const bool up = Module(*symbol, 0, 2 * i);
        const bool down = Module(*symbol, 2, 2 * i);
        bars.push_back(up && down ? IntelligentMailBar::Full
                       : up       ? IntelligentMailBar::Ascender
                       : down     ? IntelligentMailBar::Descender
                                  : IntelligentMailBar::Tracker);
    }
    return bars;
}

std::string IntelligentMailLetters(const std::vector<IntelligentMailBar>& bars)
{
    std::string letters;
    letters.reserve(bars.size());
    for (IntelligentMailBar bar : bars) {
        switch (bar) {
        case IntelligentMailBar::Full:
            letters += 'F';
            break;
        case IntelligentMailBar::Ascender:
            letters += 'A';
            break;
        case IntelligentMailBar::Descender:
            letters += 'D';
            break;
        case IntelligentMailBar::Tracker:
            letters += 'T';
            break;
        }
    }
    return letters;
}

std::string IntelligentMailHumanReadable(const std::string& tracking, const std::string& routing)
{
    if (tracking.size() != 20)
        return tracking + (routing.empty() ? "" : " " + routing);
    const size_t mailerLength = tracking[5] == '9' ? 9 : 6;
    std::string text = tracking.substr(0, 2) + " " + tracking.substr(2, 3) + " " +
                       tracking.substr(5, mailerLength) + " " + tracking.substr(5 + mailerLength);
    if (!routing.empty())
        text += " " + routing;
    return text;
}

std::vector<QRectF> IntelligentMailBarRects(const std::vector<IntelligentMailBar>& bars,
                                            const QPointF& origin)
{
    // The tracker is centred; ascenders and descenders reach from it to the full bar's ends.
    const double trackerTop = (IntelligentMailFullHeight - IntelligentMailTrackerHeight) / 2.0;
    const double trackerBottom = trackerTop + IntelligentMailTrackerHeight;
    std::vector<QRectF> rects;
    rects.reserve(bars.size());
    for (size_t i = 0; i < bars.size(); ++i) {
        double top = trackerTop;
        double bottom = trackerBottom;
        if (bars[i] == IntelligentMailBar::Full || bars[i] == IntelligentMailBar::Ascender)
            top = 0.0;
        if (bars[i] == IntelligentMailBar::Full || bars[i] == IntelligentMailBar::Descender)
            bottom = IntelligentMailFullHeight;
        const double left = origin.x() + static_cast<double>(i) * IntelligentMailBarPitch;
        rects.emplace_back(QPointF(left, origin.y() + top),
                           QPointF(left + IntelligentMailBarWidth, origin.y() + bottom));
    }
    return rects;
}

} // namespace corvane
