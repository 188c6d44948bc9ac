#pragma once
// RTF text into a QTextDocument: the fonts, sizes, styles, colours, paragraph alignment, indents,
// spacing, tabs and page breaks our letter editor has, the page layout in twips, PNG and JPEG
// pictures, and table rows as tabbed paragraphs. What other word processors write beyond that
// (style sheets, headers, fields' instructions, unknown and "\*" destinations) is skipped; a
// text that is not RTF or is cut off inside a group is refused with a message, and the document
// is then left empty.
//
//     QTextDocument document;
//     PageLayoutTwips layout;
//     if (Status read = RtfReader::Read(rtf, document, layout); !read) ... read.Message() ...

#include <string_view>

#include "platform/Result.h"
#include "platform/richtext/PageLayoutTwips.h"

class QTextDocument;
class QTextCursor;

namespace corvane {

class RtfReader {
  public:
    // Clears `document` and reads `rtf` into it. `layout` takes the page values the text sets;
    // the others keep what the caller put there (a new letter's page, usually).
    static Status Read(std::string_view rtf, QTextDocument& document, PageLayoutTwips& layout);
    // Inserts the text of `rtf` at `cursor` (its page values are ignored).
    static Status Insert(std::string_view rtf, QTextCursor& cursor);
};

} // namespace corvane
