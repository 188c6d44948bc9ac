#pragma once
// The letter commands of corvane-cli: listing and adding the letter templates of
// sysdata/LETTER.DBF, showing a letter's stored RTF, describing an RTF file, and printing merged
// letters to a PDF file, an RTF file or text with the run the "Print Letters" window uses.

#include <string>
#include <vector>

namespace corvane::cli {

// letters: JSON [{"description"}] in description order.
int RunLetters(const std::vector<std::string>& arguments);
// new-letter --description D --rtf IN.rtf: the file read and written by our codec; prints its
// entry.
int RunNewLetter(const std::vector<std::string>& arguments);
// letter-rtf D: the stored RTF, as stored.
int RunLetterRtf(const std::vector<std::string>& arguments);
// rtf dump FILE.rtf: the page in twips and the paragraphs with their runs, as JSON.
int RunRtf(const std::vector<std::string>& arguments);
// print-letters FILE --letter D [--scope all|filter|current] [--flt F.FLT] [--order TAG] [--recno N]
// [--start-current] [--copies N] [--date YYYY-MM-DD] (--pdf OUT.pdf | --rtf OUT.rtf | --text)
int RunPrintLetters(const std::vector<std::string>& arguments);

} // namespace corvane::cli
