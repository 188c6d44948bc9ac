#pragma once
// Copying the records of the open address file that pass its query, in its current order, to a
// new dBase table with the address file's structure or to a text file of quoted values. The
// copy is written to a temporary file beside the target and renamed over it at the end, so an
// existing target is replaced only by a finished copy.
//
// Text lines: 20 values in double quotes, separated by commas, ended by CR LF; values as stored
// without trailing blanks, quotes inside written unchanged. The file is Windows-1252 unless a
// value needs more (then UTF-8 with a byte-order mark, the lines already written converted).

#include <cstdint>
#include <string>

#include "importexport/ImportProgress.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

struct AddressRecord;

enum class ExportKind { Dbase, Text };

// A chosen target: a dBase target must end in ".DBF" (any case), "Must have a .DBF extension";
// no target may be the address file or its memo or index file, "Cannot copy a file to itself!".
Status CheckExportTarget(ExportKind kind, const std::string& target, const std::string& addressFile);
// The question before an existing target is replaced.
std::string ExportOverwriteQuestion(const std::string& target);

// One text line (without its line end) for the record.
std::string ExportTextLine(const AddressRecord& record);

struct ExportResult {
    uint32_t Exported = 0;
    bool Cancelled = false;
    bool Failed = false;
    std::string Message; // empty after a clean copy
    std::string Detail;  // the reason, for the batch tool
};

inline constexpr const char* CancelCopyQuestion = "Cancel copy?";

// Copies the visible records of `addressTable` from its first in the current order. With
// `keepPartial` a failure still leaves the records copied so far in the target (the window);
// without it a failure leaves the target as it was (the batch tool).
ExportResult ExportRecords(xbase::Table& addressTable, ExportKind kind, const std::string& target,
                           const JobControl& control, bool keepPartial);

} // namespace corvane
