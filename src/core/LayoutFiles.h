#pragma once
// The layout files the setup tables (LABEL.DBF, ENVELOPE.DBF, REPORT.DBF) point to: where a row's
// file is, whether it is there, and the whole-file copy a Clone makes. Shared by every setup store
// so labels, envelopes and reports treat their files alike.

#include <string>
#include <string_view>

#include <QString>

#include "platform/Result.h"

namespace corvane {

// The path of the layout file `name` (blanks around it ignored) in `sysdataFolder` (ending in
// "/"); a file of another case is found, a missing one is named in the program's spelling. Empty
// when the name is empty.
std::string LayoutFilePathIn(const std::string& sysdataFolder, const QString& name);
bool LayoutFileExists(const std::string& path);

// Copies `from` whole to a temporary file beside `to`, then renames it to `to`: `to` appears only
// complete, and a failure leaves no file behind and says why.
Status CopyLayoutFile(const std::string& from, const std::string& to);

// The setup windows' Clone and Delete questions, "Clone \"Office\"?" and "Delete \"Office\"?",
// asked with these captions.
std::string CloneQuestion(const QString& description);
std::string DeleteQuestion(const QString& description);
inline constexpr std::string_view CloneCaption = "CLONE";
inline constexpr std::string_view DeleteCaption = "DELETE";

} // namespace corvane
