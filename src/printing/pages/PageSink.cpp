#include "printing/pages/PageSink.h"

namespace corvane {

bool PageSink::NewPage()
{
    if (FAborted || FPageNumber == 0)
        return false;
    if (!StartNextPage())
        return false;
    ++FPageNumber;
    if (FPageStarted)
        FPageStarted(FPageNumber);
    if (FPageObserver)
        FPageObserver(FPageNumber);
    return true;
}

PageJobResult RunPrintJob(PageSink& sink, const PrintJob& job)
{
    if (!sink.Begin())
        return sink.End();
    if (job.BeforePrint)
        job.BeforePrint(sink);
    if (job.PrintPages && !sink.Aborted())
        job.PrintPages(sink);
    PageJobResult result = sink.End();
    if (job.AfterPrint)
        job.AfterPrint(sink, result);
    return result;
}

QString PrintJobTitle()
{
    return QStringLiteral("Corvane");
}

} // namespace corvane
