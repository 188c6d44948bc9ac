#include "reports/windows/ReportPrinting.h"

#include "layout/ComponentOwner.h"
#include <algorithm>
#include <cmath>

#include <QPageSize>

#include "platform/MessageService.h"
#include "printing/PrintEngine.h"
#include "printing/pages/ReportPage.h"
#include "reports/TReportPanel.h"
#include "session/ToolWindowView.h"

namespace corvane {

namespace {

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TBuiltInReportPrint::TBuiltInReportPrint(PrintRunMode mode, Job job, QWidget* parent)
    : PrintStatusWindow(
          mode, Q(mode == PrintRunMode::Print ? ReportPrintStatusCaption : ReportPreviewStatusCaption),
          Q(CancelReportPrintingQuestion), std::move(job), parent)
{
    setObjectName("TBuiltInReportPrint");
}

TSingleRecordPrint::TSingleRecordPrint(PrintRunMode mode, Job job, QWidget* parent)
    : PrintStatusWindow(
          mode, Q(mode == PrintRunMode::Print ? ReportPrintStatusCaption : ReportPreviewStatusCaption),
          Q(CancelReportPrintingQuestion), std::move(job), parent)
{
    setObjectName("TSingleRecordPrint");
}

TUserDefinedReportPrint::TUserDefinedReportPrint(PrintRunMode mode, Job job, QWidget* parent)
    : PrintStatusWindow(
          mode, Q(mode == PrintRunMode::Print ? ReportPrintStatusCaption : ReportPreviewStatusCaption),
          Q(CancelReportPrintingQuestion), std::move(job), parent)
{
    setObjectName("TUserDefinedReportPrint");
}

ReportPrintSetup ReportStatusSetup(bool preview, const QString& windowName)
{
    ReportPrintSetup setup;
    setup.Preview = preview;
    setup.WindowName = windowName;
    setup.PrintCaption = Q(ReportPrintStatusCaption);
    setup.PreviewCaption = Q(ReportPreviewStatusCaption);
    setup.CancelQuestion = Q(CancelReportPrintingQuestion);
    setup.StatusFormat = Q(ReportStatusFormat);
    setup.EndText = [preview](PrintOutcome outcome, const std::string& message, int page) {
        return QStringLiteral("\r") +
               QString::fromStdString(ReportRunStatusText(outcome, message, preview, page));
    };
    setup.PreviewWindowCaption = Q(PreviewReportCaption);
    setup.PreviewZoom = 2; // page width
    return setup;
}

ReportPrintOutcome PrintBuiltInReport(const ToolWindowView& addresses, PrintEngine& engine,
                                      BuiltInReportRequest request, bool preview, const PrintChoice& choice,
                                      QWidget* parent)
{
    request.Copies = preview ? 1 : choice.Copies;
    BuiltInReportRun run(addresses.Table(), request);
    ReportPrintSetup setup = ReportStatusSetup(preview, "TBuiltInReportPrint");
    setup.MakeStatusWindow = [](PrintRunMode mode, PrintStatusWindow::Job job, QWidget* parent) {
        return std::unique_ptr<PrintStatusWindow>(
            std::make_unique<TBuiltInReportPrint>(mode, std::move(job), parent));
    };
    setup.Choice = choice;
    setup.Prepare = [&] {
        if (Status prepared = run.Prepare(); !prepared) {
            ShowInfo(prepared.Message());
            return false;
        }
        return true;
    };
    setup.Restore = [&] { return run.Restore(); };
    setup.Body = [&](SinkReportCanvas& canvas, PrintStatusWindow& status) -> PageHandlerResult {
        run.AfterRecord = [&](int) {
            // Cancel and Stop are clicked here, between records.
            status.KeepResponsive();
            if (status.StopRequested())
                run.RequestStop();
        };
        const ReportRunResult result = run.PrintPages(canvas);
        run.AfterRecord = nullptr;
        if (result.Outcome == PrintOutcome::Completed && !canvas.AnyPageDrawn())
            return {PrintOutcome::Failed, NoPageInRangeMessage(choice.FromPage, choice.ToPage, result.Pages)};
        return {result.Outcome, result.Message};
    };
    return RunReportPrint(engine, setup, parent);
}

ReportPrintOutcome PrintUserDefinedReport(const ToolWindowView& addresses, PrintEngine& engine,
                                          const std::string& layoutFile, DesignedReportRequest request,
                                          bool preview, const PrintChoice& choice, QWidget* parent)
{
    request.Copies = preview ? 1 : choice.Copies;
    ComponentOwner owner;
    TReportPanel header(owner, TReportPanelKind::rpkHeader);
    TReportPanel detail(owner, TReportPanelKind::rpkDetail);
    TReportPanel footer(owner, TReportPanelKind::rpkFooter);
    auto settings = LoadReportLayout(header, detail, footer, request.PixelsPerInch, layoutFile);
    if (!settings) {
        ShowInfo(settings.Message());
        return {};
    }
    DesignedReportRun run(addresses.Table(), addresses.Catalogue(), header, detail, footer, *settings,
                          request);
    ReportPrintSetup setup = ReportStatusSetup(preview, "TUserDefinedReportPrint");
    setup.MakeStatusWindow = [](PrintRunMode mode, PrintStatusWindow::Job job, QWidget* parent) {
        return std::unique_ptr<PrintStatusWindow>(
            std::make_unique<TUserDefinedReportPrint>(mode, std::move(job), parent));
    };
    setup.Choice = choice;
    setup.Prepare = [&] {
        if (Status prepared = run.Prepare(); !prepared) {
            ShowInfo(prepared.Message());
            return false;
        }
        return true;
    };
    setup.Restore = [&] { return run.Restore(); };
    setup.Body = [&](SinkReportCanvas& canvas, PrintStatusWindow& status) -> PageHandlerResult {
        run.AfterRecord = [&](int) {
            status.KeepResponsive();
            if (status.StopRequested())
                run.RequestStop();
        };
        const ReportRunResult result = run.PrintPages(canvas);
        run.AfterRecord = nullptr;
        if (result.Outcome == PrintOutcome::Completed && !canvas.AnyPageDrawn())
            return {PrintOutcome::Failed, NoPageInRangeMessage(choice.FromPage, choice.ToPage, result.Pages)};
        return {result.Outcome, result.Message};
    };
    return RunReportPrint(engine, setup, parent);
}

ReportPrintOutcome PrintSingleRecord(PrintEngine& engine, const AddressRecord& record,
                                     const CurrentRecordOptions& options, bool preview, QWidget* parent)
{
    ReportPrintSetup setup = ReportStatusSetup(preview, "TSingleRecordPrint");
    setup.MakeStatusWindow = [](PrintRunMode mode, PrintStatusWindow::Job job, QWidget* parent) {
        return std::unique_ptr<PrintStatusWindow>(
            std::make_unique<TSingleRecordPrint>(mode, std::move(job), parent));
    };
    setup.Body = [&](SinkReportCanvas& canvas, PrintStatusWindow& status) -> PageHandlerResult {
        ReportPage page(canvas);
        const bool printed = PrintCurrentRecord(page, record, options);
        status.KeepResponsive();
        return {printed ? PrintOutcome::Completed : PrintOutcome::Aborted, {}};
    };
    return RunReportPrint(engine, setup, parent);
}

} // namespace corvane
