#pragma once
// What the bulk edits of the Utilities menu share: the progress they report after each record,
// the gauge's percentage, and when a record counts as deleted.

#include <cstdint>
#include <functional>

#include "platform/xbase/Table.h"

namespace corvane {

// Called after each record with the records done so far and the records the run expects;
// returning false stops the run after that record (only where the run can be cancelled).
using BulkEditProgress = std::function<bool(uint32_t done, uint32_t total)>;

// done / total x 100, rounded, within 0..100 (100 when there is nothing to do).
int GaugePercent(uint32_t done, uint32_t total);

// A record is deleted when it carries the table's deletion mark or ISDEL is true: the program
// sets both together, and either hides the record from the main window.
bool RecordIsDeleted(const xbase::Table& table, int isDelIndex);

} // namespace corvane
