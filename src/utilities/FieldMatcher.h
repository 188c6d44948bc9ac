#pragma once
// Whether a field's value matches the search of "Search and Replace", and the replacing of the
// matching text.
//
// The search value is never spliced into an expression: the test is made here, with the meaning
// the window promises, on the field's stored bytes (the table's code page, blank-padded to the
// field's width):
// - an empty value: the field is empty (blanks only);
// - "Is exactly equal to": the field's first len(value) characters are the value, so Smi also
//   takes Smith and Smithers;
// - "Contains": the value occurs in the field;
// - not case sensitive: both sides upper-cased as the engine's UPPER does (a-z and the accented
//   letters of the code page).
// A value that holds a quote or expression text therefore matches only itself.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/xbase/CodePage.h"

namespace corvane {

enum class MatchKind {
    ExactlyEqual, // "Is exactly equal to  (leave empty for blank)"
    Contains,     // "Contains"
};

// Occurrences replaced in one field at most; the text after the last of them stays as it was.
inline constexpr int MaxReplacedOccurrences = 50;

class FieldMatcher {
  public:
    // `value` is UTF-8 as typed. A value the code page cannot hold matches no stored field.
    FieldMatcher(std::string_view value, MatchKind kind, bool caseSensitive, const xbase::CodePage& codePage);

    // `stored`: the field's bytes as the record holds them.
    bool Matches(std::string_view stored) const;

  private:
    std::string Folded(std::string_view bytes) const;

    xbase::CodePage FCodePage;
    MatchKind FKind;
    bool FCaseSensitive;
    bool FStorable = true;
    std::string FValue; // code-page bytes, upper-cased unless case sensitive
};

// `text` with the occurrences of `search` replaced by `replacement`, left to right; scanning goes
// on after the replaced occurrence, so a replacement holding the search text is not searched
// again. At most MaxReplacedOccurrences are replaced. All three in the code page's bytes; the
// comparison upper-cases both sides unless case sensitive, the replacement goes in as given.
std::string ReplaceMatchingText(std::string_view text, std::string_view search, std::string_view replacement,
                                bool caseSensitive, const xbase::CodePage& codePage);

} // namespace corvane
