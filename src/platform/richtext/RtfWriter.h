#pragma once
// A QTextDocument and its page layout as RTF text that other word processors open: 7-bit ASCII
// only (other characters as \'hh in Windows-1252 or \uN? beyond it), lines ended by CR LF, every
// paragraph ended by \par. What RtfReader reads back from it is the same text, character and
// paragraph formats, pictures and page layout.

#include <string>

#include "platform/richtext/PageLayoutTwips.h"

class QTextDocument;

namespace corvane {

class RtfWriter {
  public:
    static std::string Write(const QTextDocument& document, const PageLayoutTwips& layout);
};

} // namespace corvane
