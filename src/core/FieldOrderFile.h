#pragma once
// "FIELDS.LST" in the system data directory: the catalogue's field order as the browse window
// left it, one field name a line, CR LF. It is written with every catalogue field (stored and
// calculated, shown or not) and read leniently: names that are not fields are skipped, and a
// missing or unreadable file leaves the order as it is.

#include <string>
#include <string_view>
#include <vector>

#include "core/FieldCatalogue.h"
#include "platform/Result.h"

namespace corvane {

// The file in the system data directory (found in any case; "FIELDS.LST" when there is none).
std::string FieldOrderFilePath();

// The names of a file's bytes: lines end in CR LF, LF or CR; a last line without an ending
// counts, an empty tail after the last ending does not.
std::vector<std::string> ParseFieldOrder(std::string_view bytes);

// Applies the file's order to the catalogue: the field named on line i (from 0) moves to
// position i. False when the file is missing or cannot be read (the order is then unchanged).
bool ReadFieldOrder(FieldCatalogue& catalogue, const std::string& path);
// Writes all the catalogue's field names in their current order.
Status WriteFieldOrder(const FieldCatalogue& catalogue, const std::string& path);

// The browse grid shows the visible fields only: `visibleOrder` is those in the order of the
// grid's columns. The visible fields take the catalogue places visible fields had, in the new
// order; the hidden fields keep their places. Names that are not visible fields are ignored, and
// visible fields `visibleOrder` leaves out follow the named ones in their old order.
void ReorderVisibleFields(FieldCatalogue& catalogue, const std::vector<std::string>& visibleOrder);

} // namespace corvane
