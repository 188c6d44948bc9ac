#pragma once
// Printing a letter from "Print Letters".
//
// TLetterPrint is the run's status window ("Print Status Screen"): once shown it runs the print
// run's job, shows "Printing page N" after each record, asks "Cancel print job?" when Cancel is
// pressed, and ends with "Letter Print Completed!", "Letter Print Canceled!" or "Letter Print
// Stopped: " and the reason; it stays open until Ok.
//
// PrintLetter is the whole print around it, as one PrintRun: the printer setup dialog (its
// Cancel prints nothing), the scope and start record, the letter's paper, the printer's pages,
// the status window, and the address table's query, order and record put back.

#include "letters/LetterDocument.h"
#include "letters/LetterRun.h"
#include "printing/pages/PrintRun.h"
#include "printing/windows/PrintStatusWindow.h"

namespace corvane {

class PrintEngine;
class ToolWindowView;

class TLetterPrint : public PrintStatusWindow {
    Q_OBJECT
  public:
    TLetterPrint(LetterRun& run, PageSink& sink, PrintRunJob job, QWidget* parent = nullptr);
    const PrintRunResult& Result() const { return FResult; }
    const LetterRunResult& Letters() const { return FLetters; }
    void SetLetters(const LetterRunResult& letters) { FLetters = letters; }

  private:
    void RunLetters();
    LetterRun& FRun;
    PageSink& FSink;
    PrintRunJob FJob;
    PrintRunResult FResult;
    LetterRunResult FLetters;
};

struct LetterPrintOutcome {
    bool Ran = false; // the status window ran the job
    LetterRunResult Result;
};

// Prints `letter` for the records of the lent table; `askPrinter` shows the printer setup first
// (the windows do; tests may leave it out).
LetterPrintOutcome PrintLetter(const ToolWindowView& addresses, PrintEngine& engine,
                               const LetterDocument& letter, const LetterRunSettings& settings,
                               QWidget* parent, bool askPrinter = true);

} // namespace corvane
