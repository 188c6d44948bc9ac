#pragma once
// A letter between its memo and a document, in memory: the memo's RTF read into a document and
// its page layout, and a document written back as the memo text the storage rule gives. (No file
// passes in between, so neither a user's file nor a read-only working folder is in the way.)

#include <memory>
#include <string>

#include "platform/Result.h"
#include "platform/richtext/PageLayoutTwips.h"

class QTextDocument;

namespace corvane {

// A letter document and its page: what an editor holds and what a merge works on.
struct LetterDocument {
    LetterDocument();
    ~LetterDocument();
    LetterDocument(LetterDocument&&) noexcept;
    LetterDocument& operator=(LetterDocument&&) noexcept;

    std::unique_ptr<QTextDocument> Document;
    PageLayoutTwips Layout;

    // A copy of the whole document, formats, pictures and page included.
    LetterDocument Copy() const;
};

// Reads a stored letter; a new letter's page where the RTF sets none.
Result<LetterDocument> LoadLetter(const std::string& memo);
// The memo text of a document: RTF, lines joined by CR LF, the storage rule applied.
std::string LetterMemoText(const QTextDocument& document, const PageLayoutTwips& layout);

} // namespace corvane
