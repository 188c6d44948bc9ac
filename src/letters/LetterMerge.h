#pragma once
// Merging one record into a letter document: every token, in the merge order, replaced by its
// value in the format the token's first character was written in; a value's CR LF pairs become
// line breaks, and an empty value removes its token. Text a value brings in is not searched again
// for the same token, but tokens later in the order are replaced inside it too.

class QTextDocument;

namespace corvane {

class LetterTokenValues;

// The number of tokens replaced.
int MergeLetter(QTextDocument& document, const LetterTokenValues& values);

} // namespace corvane
