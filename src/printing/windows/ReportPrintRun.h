#pragma once
// A list report (a built-in report, the current record, the ZIP count) printed or previewed from
// a window: the printer's pages (with the print dialog's copies and page range) or a preview's
// recorded pages, a status window that runs the job and ends with the outcome, then the preview.
//
//     ReportPrintSetup setup;                     // texts of the status window and the preview
//     setup.Body = [&](ReportCanvas& canvas, PrintStatusWindow& status) { ...; return outcome; };
//     ReportPrintOutcome outcome = RunReportPrint(engine, setup, this);

#include <functional>
#include <memory>
#include <string>

#include <QString>

#include "platform/Result.h"
#include "printing/pages/PrintRun.h"
#include "printing/windows/PrintStatusWindow.h"
#include "printing/windows/TPrintDialog.h"

class QWidget;

namespace corvane {

class PrintEngine;
class SinkReportCanvas;

struct ReportPrintSetup {
    bool Preview = false;
    PrintChoice Choice; // copies and pages; for a print
    QString WindowName; // the status window's objectName
    QString PrintCaption = QStringLiteral("Print Status");
    QString PreviewCaption = QStringLiteral("Preview Status");
    QString CancelQuestion;
    QString StatusFormat = QStringLiteral("Printing Page %p\r%0\r%1");
    // The status window's last text for an outcome ("\r..." for a second line).
    std::function<QString(PrintOutcome outcome, const std::string& message, int page)> EndText;
    QString PreviewWindowCaption;
    int PreviewZoom = 2; // page width
    // The status window of the run's kind (TBuiltInReportPrint, TZipReport, ...); a plain
    // PrintStatusWindow with the captions above when empty.
    std::function<std::unique_ptr<PrintStatusWindow>(PrintRunMode mode, PrintStatusWindow::Job job,
                                                     QWidget* parent)>
        MakeStatusWindow;
    // Before the job (false: stop; the step has told the user why); after it, whatever happened.
    std::function<bool()> Prepare;
    std::function<Status()> Restore;
    // Draws the pages; calls status.KeepResponsive() between records and honours
    // status.StopRequested() in a preview.
    std::function<PageHandlerResult(SinkReportCanvas& canvas, PrintStatusWindow& status)> Body;
};

struct ReportPrintOutcome {
    bool Ran = false; // the status window ran the job
    PrintRunResult Result;
    QString EndText;      // what the status window said at the end
    int PreviewPages = 0; // pages shown in the preview
};

ReportPrintOutcome RunReportPrint(PrintEngine& engine, const ReportPrintSetup& setup, QWidget* parent);

} // namespace corvane
