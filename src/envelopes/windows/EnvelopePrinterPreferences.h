#pragma once
// The envelope printer and feed preferences of the settings file applied to the print engine and
// read back from it: what "Print Envelope" does when it opens, before every print, and after
// "Printer Setup" or a confirmed print.

#include "envelopes/EnvelopeSettings.h"

namespace corvane {

class PrintEngine;
class Settings;

// Reads both sections and applies the printer part to the engine: the printer by its name cut
// before " ON " (an empty or unknown name keeps the selected printer), then its paper source and
// paper by name (unknown names are ignored), then the orientation (the printer's own when none is
// stored). Returns the feed settings.
EnvelopeFeed LoadEnvelopePreferences(const Settings& settings, PrintEngine& engine);
// Writes the feed settings and the engine's printer, paper source, paper and orientation.
bool SaveEnvelopePreferences(const Settings& settings, const PrintEngine& engine, const EnvelopeFeed& feed);

} // namespace corvane
