#include "envelopes/windows/EnvelopePrinterPreferences.h"

#include "platform/Settings.h"
#include "printing/PrintEngine.h"

namespace corvane {

EnvelopeFeed LoadEnvelopePreferences(const Settings& settings, PrintEngine& engine)
{
    const EnvelopePrinterChoice choice = ReadEnvelopePrinterChoice(settings);
    if (!choice.Printer.trimmed().isEmpty() && !engine.SelectPrinter(choice.Printer))
        (void)engine.SelectPrinter(PrinterNameBeforePort(choice.Printer));
    if (!choice.Bin.isEmpty())
        (void)engine.SelectPaperSource(choice.Bin);
    if (!choice.Paper.isEmpty())
        (void)engine.SelectPaperByName(choice.Paper);
    if (choice.Orientation)
        engine.SetOrientation(*choice.Orientation != 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
    return ReadEnvelopeFeed(settings);
}

bool SaveEnvelopePreferences(const Settings& settings, const PrintEngine& engine, const EnvelopeFeed& feed)
{
    EnvelopePrinterChoice choice;
    choice.Printer = engine.PrinterName();
    choice.Bin = engine.PaperSource();
    choice.Paper = engine.PaperName();
    choice.Orientation = engine.Orientation() == QPageLayout::Landscape ? 1 : 0;
    return WriteEnvelopeFeed(settings, feed) && WriteEnvelopePrinterChoice(settings, choice);
}

} // namespace corvane
