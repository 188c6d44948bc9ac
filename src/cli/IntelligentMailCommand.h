#pragma once
// The Intelligent Mail barcode of corvane-cli.

#include <string>
#include <vector>

namespace corvane::cli {

// imb --barcode-id 00 --service 040 --mailer-id 123456 --serial 200800001 [--zip Z] [--svg OUT.svg]:
// prints the 65 bars as the letters F, A, D, T; with --svg also writes the symbol inside its
// quiet zones at 1 unit = 0.001 inch. Returns 0, or 1 after one line on stderr.
int RunIntelligentMail(const std::vector<std::string>& arguments);

// The SVG of the bars (the document, as written by --svg).
std::string IntelligentMailSvg(const std::string& letters);

} // namespace corvane::cli
