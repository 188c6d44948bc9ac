#include "layout/PostNet.h"

namespace corvane {
namespace {

// Tall (T) and short (S) bars of the digits 0 to 9.
constexpr const char* DigitBars[10] = {"TTSSS", "SSSTT", "SSTST", "SSTTS", "STSST",
                                       "STSTS", "STTSS", "TSSST", "TSSTS", "TSTSS"};

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

QString DigitsOnly(const QString& text)
{
    QString digits;
    for (QChar c : text) {
        if (IsDigit(c))
            digits.append(c);
    }
    return digits;
}

int PostnetCheckDigit(const QString& digits)
{
    int sum = 0;
    for (QChar c : digits) {
        if (IsDigit(c))
            sum += c.unicode() - '0';
    }
    return (10 - sum % 10) % 10;
}

QString DeliveryPointDigits(const QString& address)
{
    const QString text = address.toUpper();
    QString result = QStringLiteral("  ");
    if (!text.isEmpty() && (text.contains(QLatin1String("APO")) || text.contains(QLatin1String("FPO"))))
        return QStringLiteral("99");

    bool inFraction = false;
    bool inOrdinal = false;
    bool haveUnits = false;
    bool haveTens = false;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if (IsDigit(c)) {
            if (inFraction || inOrdinal || (haveUnits && haveTens))
                continue;
            if (!haveUnits) {
                result[1] = c;
                haveUnits = true;
            } else {
                result[0] = c;
                haveTens = true;
            }
        } else if (c == QLatin1Char(' ')) {
            if (haveUnits)
                break;
            inFraction = false;
            inOrdinal = false;
        } else if (c == QLatin1Char('/') && haveUnits) {
            // What we found was the denominator of a fraction such as 1/2.
            inFraction = true;
            haveUnits = false;
            haveTens = false;
            result = QStringLiteral("  ");
        } else if (haveUnits && !haveTens) {
            result[0] = QLatin1Char('0');
            haveTens = true;
        } else {
            const QString pair = text.mid(i, 2);
            if (pair == QLatin1String("ST") || pair == QLatin1String("ND") || pair == QLatin1String("RD") ||
                pair == QLatin1String("TH"))
                inOrdinal = true;
        }
    }
    if (result == QLatin1String("  "))
        return QStringLiteral("99");
    if (result.at(0) == QLatin1Char(' '))
        result[0] = QLatin1Char('0');
    return result;
}

bool PostnetZipPrintable(const QString& zip)
{
    return zip.size() >= 5 && zip >= QLatin1String("00000") && zip <= QLatin1String("99999-9999");
}

QString PostnetDigits(const QString& zip, const QString& address, PostNetBarCodeType type)
{
    if (!PostnetZipPrintable(zip))
        return {};
    const QString zipDigits = DigitsOnly(zip);
    QString digits;
    if (zipDigits.size() < 5)
        return {};
    if (zipDigits.size() < 9 || type == PostNetBarCodeType::Digit5) {
        digits = zipDigits.left(5);
    } else {
        digits = zipDigits.left(9);
        if (type == PostNetBarCodeType::Digit11)
            digits += DigitsOnly(DeliveryPointDigits(address));
    }
    digits.append(QChar('0' + PostnetCheckDigit(digits)));
    return digits;
}

std::vector<bool> PostnetBars(const QString& digits)
{
    std::vector<bool> bars;
    if (digits.isEmpty())
        return bars;
    bars.push_back(true);
    for (QChar c : digits) {
        if (!IsDigit(c))
            continue;
        for (const char* bar = DigitBars[c.unicode() - '0']; *bar; ++bar)
            bars.push_back(*bar == 'T');
    }
    bars.push_back(true);
    return bars;
}

std::vector<QRectF> PostnetBarRects(const QString& digits, const QPointF& origin)
{
    std::vector<QRectF> rects;
    double x = origin.x();
    for (bool tall : PostnetBars(digits)) {
        const double top = origin.y() + (tall ? 0.0 : PostnetShortBarTop);
        rects.emplace_back(QPointF(x, top), QPointF(x + PostnetBarWidth, origin.y() + PostnetTallBarHeight));
        x += PostnetBarPitch;
    }
    return rects;
}

} // namespace corvane
