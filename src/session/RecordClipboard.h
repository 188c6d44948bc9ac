#pragma once
// "Copy To &Clipboard": the record as plain text, in the parts the user chose.

#include <cstddef>
#include <string>

#include "core/AddressRecord.h"

namespace corvane {

// Which parts of the record the text holds.
struct ClipboardParts {
    bool Name = true;
    bool Address = true;
    bool Phones = true;
    bool Codes = true;
    bool Comments = true;
};

inline constexpr std::size_t ClipboardTextLimit = 1000;
// The clipboard text: non-empty lines each followed by CR LF, at most 1000 characters.
std::string GetRecordAsString(const AddressRecord& record, const ClipboardParts& parts);

} // namespace corvane
