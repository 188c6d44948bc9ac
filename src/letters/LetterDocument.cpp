#include "letters/LetterDocument.h"

#include <QTextDocument>

#include "core/MemoStorage.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

namespace corvane {

LetterDocument::LetterDocument() : Document(std::make_unique<QTextDocument>()) {}
LetterDocument::~LetterDocument() = default;
LetterDocument::LetterDocument(LetterDocument&&) noexcept = default;
LetterDocument& LetterDocument::operator=(LetterDocument&&) noexcept = default;

LetterDocument LetterDocument::Copy() const
{
    LetterDocument copy;
    copy.Document.reset(Document->clone());
    copy.Layout = Layout;
    return copy;
}

Result<LetterDocument> LoadLetter(const std::string& memo)
{
    LetterDocument letter;
    if (Status read = RtfReader::Read(memo, *letter.Document, letter.Layout); !read)
        return read;
    return letter;
}

std::string LetterMemoText(const QTextDocument& document, const PageLayoutTwips& layout)
{
    return StoredMemoLines(RtfWriter::Write(document, layout));
}

} // namespace corvane
