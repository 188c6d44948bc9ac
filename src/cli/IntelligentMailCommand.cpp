#include "cli/IntelligentMailCommand.h"

#include <cstdio>
#include <iostream>

#include <QSaveFile>
#include <QString>

#include "cli/CliArguments.h"
#include "layout/IntelligentMailCode.h"

namespace corvane::cli {

namespace {

int Fail(const std::string& message)
{
    std::cerr << message << "\n";
    return 1;
}

std::string Thousandths(double inches)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", inches * 1000.0);
    return text;
}

std::string Inches(double inches)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3fin", inches);
    return text;
}

bool AllDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

std::string IntelligentMailSvg(const std::string& letters)
{
    std::vector<IntelligentMailBar> bars;
    for (char letter : letters)
        bars.push_back(letter == 'F'   ? IntelligentMailBar::Full
                       : letter == 'A' ? IntelligentMailBar::Ascender
                       : letter == 'D' ? IntelligentMailBar::Descender
                                       : IntelligentMailBar::Tracker);
    const double width = IntelligentMailSymbolLength + 2 * IntelligentMailQuietZoneX;
    const double height = IntelligentMailFullHeight + 2 * IntelligentMailQuietZoneY;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      Inches(width) + "\" height=\"" + Inches(height) + "\" viewBox=\"0 0 " +
                      Thousandths(width) + " " + Thousandths(height) + "\">\n";
    svg += "<rect x=\"0\" y=\"0\" width=\"" + Thousandths(width) + "\" height=\"" + Thousandths(height) +
           "\" fill=\"#ffffff\"/>\n";
    for (const QRectF& bar :
         IntelligentMailBarRects(bars, QPointF(IntelligentMailQuietZoneX, IntelligentMailQuietZoneY)))
        svg += "<rect x=\"" + Thousandths(bar.left()) + "\" y=\"" + Thousandths(bar.top()) + "\" width=\"" +
               Thousandths(bar.width()) + "\" height=\"" + Thousandths(bar.height()) +
               "\" fill=\"#000000\"/>\n";
    svg += "</svg>\n";
    return svg;
}

int RunIntelligentMail(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(
        arguments, {"--barcode-id", "--service", "--mailer-id", "--serial", "--zip", "--svg"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty())
        return Fail("imb takes no file: " + parsed->Positional.front());
    for (const char* required : {"--mailer-id", "--serial"}) {
        if (!parsed->Has(required))
            return Fail(std::string("imb needs ") + required);
    }

    IntelligentMailFields fields;
    fields.BarcodeId = parsed->Get("--barcode-id").value_or("00");
    fields.ServiceType = parsed->Get("--service").value_or("040");
    fields.MailerId = *parsed->Get("--mailer-id");
    const std::string serial = *parsed->Get("--serial");
    if (!AllDigits(serial) || serial.size() > 9)
        return Fail("The serial number must be digits: " + serial);
    auto serialText = IntelligentMailSerialText(fields.MailerId, std::stoull(serial));
    if (!serialText)
        return Fail(serialText.Message());
    fields.SerialNumber = *serialText;

    std::string routing = parsed->Get("--zip").value_or("");
    if (routing.size() == 10 && routing[5] == '-')
        routing.erase(5, 1);
    if (!routing.empty() && !AllDigits(routing))
        return Fail("The ZIP code must be 5, 9 or 11 digits: " + routing);

    auto tracking = IntelligentMailTrackingCode(fields);
    if (!tracking)
        return Fail(tracking.Message());
    auto bars = EncodeIntelligentMail(*tracking, routing);
    if (!bars)
        return Fail(bars.Message());
    const std::string letters = IntelligentMailLetters(*bars);

    if (auto svgPath = parsed->Get("--svg")) {
        QSaveFile file(QString::fromStdString(*svgPath));
        const std::string svg = IntelligentMailSvg(letters);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(svg.data(), static_cast<qint64>(svg.size())) != static_cast<qint64>(svg.size()) ||
            !file.commit())
            return Fail("Cannot write " + *svgPath + ": " + file.errorString().toStdString());
    }
    std::cout << letters << "\n";
    return 0;
}

} // namespace corvane::cli
