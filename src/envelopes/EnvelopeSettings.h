#pragma once
// What the settings file keeps for envelopes: how the user feeds envelopes into the printer
// ("Envelope Feed"), which printer, paper source and paper were used ("Envelope Printer"), and the
// designer's default font ("Envelope", through DesignDefaultFont).

#include <optional>
#include <string>

#include <QString>

namespace corvane {

class Settings;

inline constexpr char EnvelopeFeedSection[] = "Envelope Feed";
inline constexpr char EnvelopePrinterSection[] = "Envelope Printer";
inline constexpr char EnvelopeFontSection[] = "Envelope";

// Where the envelope sits across the printer's feed slot (the stored numbers).
enum class FeedPosition { Left = 0, Right = 1, Center = 2 };
enum class FeedOrientation { Portrait = 0, Landscape = 1 };
enum class FeedFacing { Up = 0, Down = 1 };

struct EnvelopeFeed {
    FeedPosition Position = FeedPosition::Center;
    FeedOrientation Orientation = FeedOrientation::Landscape;
    FeedFacing Facing = FeedFacing::Down;
    // The printer turns landscape pages clockwise.
    bool ClockWiseRotation = false;

    bool Landscape() const { return Orientation == FeedOrientation::Landscape; }
    bool operator==(const EnvelopeFeed&) const = default;
};

// Missing keys take the defaults above; numbers out of range do too.
EnvelopeFeed ReadEnvelopeFeed(const Settings& settings);
bool WriteEnvelopeFeed(const Settings& settings, const EnvelopeFeed& feed);

struct EnvelopePrinterChoice {
    QString Printer; // as the printer list names it
    QString Bin;     // paper source; empty for none
    QString Paper;   // paper name; empty for none
    // 0 portrait, 1 landscape; nothing when the file has no value (the printer's own applies).
    std::optional<int> Orientation;
    bool operator==(const EnvelopePrinterChoice&) const = default;
};

EnvelopePrinterChoice ReadEnvelopePrinterChoice(const Settings& settings);
bool WriteEnvelopePrinterChoice(const Settings& settings, const EnvelopePrinterChoice& choice);

// The printer name a stored one selects: cut before " ON " (compared in upper case); a name
// without it is used whole.
QString PrinterNameBeforePort(const QString& listed);

} // namespace corvane
