#pragma once
// The letter templates of LETTER.DBF: listing them, reading a letter's RTF, and New / Modify /
// Clone / Delete as table work without windows (the "Print Letters" window asks the questions;
// their texts are here). Rows marked deleted are never listed or found.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"
#include "platform/xbase/Table.h"

class QTextDocument;

namespace corvane {

struct PageLayoutTwips;

inline constexpr std::string_view UntitledLetterDescription = "{untitled}";
inline constexpr std::string_view LetterClonePrefix = "Clone of ";
inline constexpr std::string_view LetterCloneCaption = "CLONE";
inline constexpr std::string_view LetterDeleteCaption = "DELETE";
inline constexpr size_t LetterDescriptionLength = 50;

// "Clone \"Thanks\"?" and "Delete \"Thanks\"?".
std::string LetterCloneQuestion(std::string_view description);
std::string LetterDeleteQuestion(std::string_view description);

struct LetterEntry {
    uint32_t RecordNumber = 0;
    std::string Description;
};

class LetterStore {
  public:
    // The table is LETTER.DBF, open (OpenLetterTable) and borrowed.
    explicit LetterStore(xbase::Table& table);

    // The letters not deleted, in description order.
    Result<std::vector<LetterEntry>> List();
    // The first letter, in description order, described exactly so (blanks at the end ignored).
    Result<LetterEntry> Find(std::string_view description);
    // The stored RTF text of a letter, as stored.
    Result<std::string> Rtf(uint32_t recordNumber);

    // Saves a document as a new letter (no record number) or over an existing one: the
    // description cut to 50 characters, the RTF by the storage rule. Returns the row's number;
    // on failure nothing of the row is written.
    Result<uint32_t> Save(std::optional<uint32_t> recordNumber, std::string_view description,
                          const QTextDocument& document, const PageLayoutTwips& layout);
    // A new row "Clone of " + the description (cut to 50) holding the letter read and written
    // again; a letter whose RTF cannot be read is not cloned.
    Result<uint32_t> Clone(uint32_t recordNumber);
    // Marks the row deleted.
    Status Delete(uint32_t recordNumber);

  private:
    Status GoToLetter(uint32_t recordNumber);
    Result<uint32_t> Write(std::optional<uint32_t> recordNumber, std::string_view description,
                           const std::string& memo);

    xbase::Table& FTable;
};

} // namespace corvane
