#include "envelopes/EnvelopeSettings.h"

#include "platform/Settings.h"

namespace corvane {

namespace {

template <class Enum> Enum EnumOf(int value, int last, Enum fallback)
{
    return value >= 0 && value <= last ? static_cast<Enum>(value) : fallback;
}

} // namespace

EnvelopeFeed ReadEnvelopeFeed(const Settings& settings)
{
    const EnvelopeFeed defaults;
    EnvelopeFeed feed;
    feed.Position =
        EnumOf(settings.ReadInteger(EnvelopeFeedSection, "Position", static_cast<int>(defaults.Position)), 2,
               defaults.Position);
    feed.Orientation = EnumOf(
        settings.ReadInteger(EnvelopeFeedSection, "Orientation", static_cast<int>(defaults.Orientation)), 1,
        defaults.Orientation);
    feed.Facing =
        EnumOf(settings.ReadInteger(EnvelopeFeedSection, "Facing", static_cast<int>(defaults.Facing)), 1,
               defaults.Facing);
    feed.ClockWiseRotation =
        settings.ReadBool(EnvelopeFeedSection, "ClockWiseRotation", defaults.ClockWiseRotation);
    return feed;
}

bool WriteEnvelopeFeed(const Settings& settings, const EnvelopeFeed& feed)
{
    return settings.WriteInteger(EnvelopeFeedSection, "Position", static_cast<int>(feed.Position)) &&
           settings.WriteInteger(EnvelopeFeedSection, "Orientation", static_cast<int>(feed.Orientation)) &&
           settings.WriteInteger(EnvelopeFeedSection, "Facing", static_cast<int>(feed.Facing)) &&
           settings.WriteBool(EnvelopeFeedSection, "ClockWiseRotation", feed.ClockWiseRotation);
}

EnvelopePrinterChoice ReadEnvelopePrinterChoice(const Settings& settings)
{
    EnvelopePrinterChoice choice;
    choice.Printer = QString::fromStdString(settings.ReadString(EnvelopePrinterSection, "Printer"));
    choice.Bin = QString::fromStdString(settings.ReadString(EnvelopePrinterSection, "Bin"));
    choice.Paper = QString::fromStdString(settings.ReadString(EnvelopePrinterSection, "Paper"));
    const std::string orientation = settings.ReadString(EnvelopePrinterSection, "Orientation");
    bool ok = false;
    const int value = QString::fromStdString(orientation).trimmed().toInt(&ok);
    if (ok)
        choice.Orientation = value;
    return choice;
}

bool WriteEnvelopePrinterChoice(const Settings& settings, const EnvelopePrinterChoice& choice)
{
    return settings.WriteString(EnvelopePrinterSection, "Printer", choice.Printer.toStdString()) &&
           settings.WriteString(EnvelopePrinterSection, "Bin", choice.Bin.toStdString()) &&
           settings.WriteString(EnvelopePrinterSection, "Paper", choice.Paper.toStdString()) &&
           settings.WriteInteger(EnvelopePrinterSection, "Orientation",
                                 choice.Orientation.value_or(0) != 0 ? 1 : 0);
}

QString PrinterNameBeforePort(const QString& listed)
{
    const int at = listed.toUpper().indexOf(QStringLiteral(" ON "));
    return at < 0 ? listed : listed.left(at);
}

} // namespace corvane
