#pragma once
// Tag ids: the short text that marks tagged records. A record is tagged when its TAG equals the
// current id; clearing all tags only makes a new id, so no record has to be written.

#include <cstdint>
#include <ctime>
#include <string>

namespace corvane {

class Settings;

// Digits "0-9A-Z", at most six of them (36^5 down to 36^0), most significant first, leading
// zeros left out: zero gives an empty text.
std::string Base36(uint64_t value);
// Base 36 of (year - 1995), then base 36 of the number whose decimal digits are month, day,
// hour, minute and second, two digits each.
std::string NewTagId(const std::tm& localTime);
std::string NewTagId(); // at the current local time

// The id in section "Misc", key "GlobalTagId"; a fresh id is made and stored when there is none.
std::string CurrentTagId(const Settings& settings);
// "Clear Tags": a new id, stored and returned.
std::string ClearTags(const Settings& settings);

} // namespace corvane
