#include "letters/LetterStore.h"

#include <QTextDocument>

#include "letters/LetterDocument.h"
#include "platform/Utf8Text.h"

namespace corvane {

namespace {

std::string TrimmedRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

std::string LetterCloneQuestion(std::string_view description)
{
    return "Clone \"" + std::string(description) + "\"?";
}

std::string LetterDeleteQuestion(std::string_view description)
{
    return "Delete \"" + std::string(description) + "\"?";
}

LetterStore::LetterStore(xbase::Table& table) : FTable(table) {}

Result<std::vector<LetterEntry>> LetterStore::List()
{
    std::vector<LetterEntry> letters;
    const int order = FTable.OrderNumber("DESCRIPT");
    if (Status ordered = FTable.SetOrder(order > 0 ? order : 0); !ordered)
        return ordered;
    if (Status top = FTable.GoTop(); !top)
        return top;
    while (!FTable.Eof()) {
        if (!FTable.IsDeleted()) {
            auto description = FTable.GetField("DESCRIPT");
            if (!description)
                return description.ToStatus();
            letters.push_back({FTable.RecNo(), TrimmedRight(*description)});
        }
        if (Status next = FTable.Skip(1); !next)
            return next;
    }
    return letters;
}

Result<LetterEntry> LetterStore::Find(std::string_view description)
{
    auto letters = List();
    if (!letters)
        return letters.ToStatus();
    const std::string wanted = TrimmedRight(std::string(description));
    for (const LetterEntry& letter : *letters) {
        if (letter.Description == wanted)
            return letter;
    }
    return Status::Error("There is no letter described \"" + wanted + "\"");
}

Status LetterStore::GoToLetter(uint32_t recordNumber)
{
    if (Status moved = FTable.GoTo(recordNumber); !moved)
        return moved;
    if (FTable.Eof() || FTable.RecNo() != recordNumber || FTable.IsDeleted())
        return Status::Error("The letter is no longer in LETTER.DBF");
    return Status::Success();
}

Result<std::string> LetterStore::Rtf(uint32_t recordNumber)
{
    if (Status found = GoToLetter(recordNumber); !found)
        return found;
    return FTable.GetMemo("RTF");
}

Result<uint32_t> LetterStore::Write(std::optional<uint32_t> recordNumber, std::string_view description,
                                    const std::string& memo)
{
    if (recordNumber) {
        if (Status found = GoToLetter(*recordNumber); !found)
            return found;
    } else if (Status appended = FTable.AppendBlank(); !appended) {
        return appended;
    }
    Status written =
        FTable.PutField("DESCRIPT", CutToCharacters(std::string(description), LetterDescriptionLength));
    if (written)
        written = FTable.PutMemo("RTF", memo);
    if (written)
        written = FTable.Commit();
    if (!written) {
        // Whole or not at all: a refused row keeps what it had, a new one is not added.
        (void)FTable.DiscardChanges();
        return written;
    }
    return FTable.RecNo();
}

Result<uint32_t> LetterStore::Save(std::optional<uint32_t> recordNumber, std::string_view description,
                                   const QTextDocument& document, const PageLayoutTwips& layout)
{
    return Write(recordNumber, description, LetterMemoText(document, layout));
}

Result<uint32_t> LetterStore::Clone(uint32_t recordNumber)
{
    if (Status found = GoToLetter(recordNumber); !found)
        return found;
    auto description = FTable.GetField("DESCRIPT");
    if (!description)
        return description.ToStatus();
    auto rtf = FTable.GetMemo("RTF");
    if (!rtf)
        return rtf.ToStatus();
    auto letter = LoadLetter(*rtf);
    if (!letter)
        return letter.ToStatus();
    return Write(std::nullopt, std::string(LetterClonePrefix) + TrimmedRight(*description),
                 LetterMemoText(*letter->Document, letter->Layout));
}

Status LetterStore::Delete(uint32_t recordNumber)
{
    if (Status found = GoToLetter(recordNumber); !found)
        return found;
    if (Status deleted = FTable.Delete(); !deleted)
        return deleted;
    return FTable.Commit();
}

} // namespace corvane
