#pragma once
// The envelope commands of corvane-cli: the size list, the setups of sysdata/ENVELOPE.DBF and
// their New / Clone / Delete, and printing envelopes to a PDF file with the run the "Print
// Envelope" window uses.

#include <string>
#include <vector>

namespace corvane::cli {

// envelope-sizes: [{name, code, width, height}] in list order.
int RunEnvelopeSizes(const std::vector<std::string>& arguments);
// envelope-setups: [{description, code, width, height, layout}] of the listed setups by description.
int RunEnvelopeSetups(const std::vector<std::string>& arguments);
// new-envelope-setup --description D --size CODE: a setup whose layout is one address block in the
// postal address area; prints it.
int RunNewEnvelopeSetup(const std::vector<std::string>& arguments);
// clone-envelope-setup D: prints the new setup. delete-envelope-setup D: prints the removed one.
int RunCloneEnvelopeSetup(const std::vector<std::string>& arguments);
int RunDeleteEnvelopeSetup(const std::vector<std::string>& arguments);
// print-envelopes FILE --setup D [--scope all|filter|current] [--flt F.FLT] [--order TAG] [--recno N]
// [--start-current] [--page WxH] [--position left|right|center] [--orientation portrait|landscape]
// [--facing up|down] [--clockwise] --pdf OUT.pdf
// Prints {envelopes, pages, page: [W, H], offset: [X, Y], pdf}.
int RunPrintEnvelopes(const std::vector<std::string>& arguments);

} // namespace corvane::cli
