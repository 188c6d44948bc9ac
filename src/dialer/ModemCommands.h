#pragma once
// The bytes a Hayes-style modem gets for one dialing: the initialisation command, the dial command
// and the hang-up. Every command ends in exactly one CR LF: control characters inside a field (an
// imported value with a line break, say) are dropped, so no field can end a command early and
// start another.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

enum class DialMethod { Tone, Pulse };

// `text` without bytes below 0x20 and without DEL.
std::string WithoutControlCharacters(std::string_view text);

// "AT" is put in front unless the string already starts with it (in any case); nothing is sent for
// an empty string (or one of control characters only).
std::optional<std::string> InitCommand(std::string_view init);
// "ATDT" or "ATDP", the number, CR LF.
std::string DialCommand(std::string_view number, DialMethod method);
// "ATH" CR LF.
std::string HangUpCommand();

} // namespace corvane
