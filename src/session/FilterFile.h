#pragma once
// Filter files (.FLT): 20 lines ending in CR LF; lines 1-18 the criteria in FilterField order,
// line 19 Tagged and line 20 Reverse as "T" or "F".
//
// Text encoding: files of earlier versions are Windows-1252. A file is written in Windows-1252
// whenever every criterion fits it, so old and new files agree and older readers keep working;
// a criterion with a character outside Windows-1252 makes the whole file UTF-8 with a
// byte-order mark. Reading takes a file whose bytes form valid UTF-8 (a leading byte-order mark
// is skipped) as UTF-8 and any other file as Windows-1252. Plain ASCII reads the same either
// way. A Windows-1252 file whose accented letters happen to form valid UTF-8 sequences (such as
// "Ã©") would read differently; no real name looks like that, and the writer never makes such a
// file (it writes UTF-8 instead), so every file written here reads back exactly.

#include <string>
#include <string_view>

#include "platform/Result.h"
#include "session/FilterCriteria.h"

namespace corvane {

// The file's bytes; a criterion holding a line break cannot be stored and is an error.
Result<std::string> FormatFilterFile(const FilterCriteria& criteria);
// Criteria from a file's bytes. Lines end in CR LF, LF or CR; missing lines are empty, lines
// after the 20th are ignored, and a flag is on only when its line is exactly "T".
FilterCriteria ParseFilterFile(std::string_view bytes);

Status SaveFilterTo(const std::string& path, const FilterCriteria& criteria);
// Only the criteria: the caller applies them (ApplyFilter) and refreshes its display. A file that
// cannot be read is an error.
Result<FilterCriteria> RestoreFilterFrom(const std::string& path);

// The name a save dialog's choice is saved under: as chosen when it ends in ".FLT" (any case),
// refused with "Must have a .FLT extension" when its file name has another extension, else
// with ".FLT" appended. Only the last path component counts, so folders such as ".config" or
// "my.lists" do not matter.
Result<std::string> FilterSaveName(std::string_view chosen);
// A file chosen to restore must end in ".FLT" (any case): else "Must be a Filter (.FLT) file".
Status CheckFilterRestoreName(std::string_view chosen);
// The question asked (AskYesNoDefaultNo, caption "Warning!") before an existing file is replaced.
std::string FilterOverwriteQuestion(const std::string& path);

} // namespace corvane
