#pragma once
// The label commands of corvane-cli: listing the label setups, making a setup from a stock of the
// catalogue, and printing labels to a PDF file with the run the "Print Labels" window uses.

#include <string>
#include <vector>

namespace corvane::cli {

// label-setups: the setups of sysdata/LABEL.DBF not marked deleted, in description order, as a
// JSON array of {description, stock, geometry, layoutFile}.
int RunLabelSetups(const std::vector<std::string>& arguments);

// new-label-setup --description D --template "STOCK DESCRIPTION": a setup on that stock whose
// layout is one address block filling the label; prints it as JSON.
int RunNewLabelSetup(const std::vector<std::string>& arguments);

// print-labels FILE --setup DESCRIPTION [--scope all|filter|current] [--flt F.FLT] [--recno N]
// [--start-current] [--presort] [--positions 1,2,...] [--copies N] --pdf OUT.pdf
// Records are taken in record order (presorted runs in ZIP order); --recno names the record the
// main window would have current. Prints {pages, labels, separators, pdf} as JSON.
int RunPrintLabels(const std::vector<std::string>& arguments);

} // namespace corvane::cli
