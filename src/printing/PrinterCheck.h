#pragma once
// The check every printing command makes first: is there a printer, and is one selected as the
// default? When not, the user is told why printing cannot go on.

#include "printing/PrinterList.h"

namespace corvane {

// True when `source` lists at least one printer and names a default. Otherwise shows (ShowInfo)
// why not and returns false. A source that names no default is asked a second time before the
// check gives up, since a printer service may report the default only once it has settled.
bool PrinterCheck(const PrinterSource& source);
// The same with the system's printers (which always include the built-in PDF printer).
bool PrinterCheck();

} // namespace corvane
