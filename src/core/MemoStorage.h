#pragma once
// The memo store of earlier versions lost the last character of a memo whose length is a
// multiple of 4; a blank at the end of the last line keeps every memo we write readable there.
// Every writer of address memos (saving, export, import of older files) goes through this.

#include <string>
#include <string_view>

namespace corvane {

// `memo` with one blank appended when its length in characters is a positive multiple of 4.
std::string StoredMemoText(std::string memo);

// A text kept as lines (a letter's RTF): its lines, however they were ended, joined by CR LF
// with none after the last, then the rule above measured on that stored text.
std::string StoredMemoLines(std::string_view text);

} // namespace corvane
