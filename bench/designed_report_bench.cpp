// Designed reports: a header with a title and a page number, a detail band of four data fields
// and a footer over a large address file to a PDF file (time, and whether memory grows with the
// pages), and records with twenty-line memos continued in a memo band.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include <QPageSize>

#include "PrintBenchSupport.h"
#include "core/FieldCatalogue.h"
#include "layout/ComponentOwner.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGPageNumberLabel.h"
#include "printing/pages/PageSink.h"
#include "printing/pages/PdfFileSink.h"
#include "printing/pages/PrintRun.h"
#include "printing/pages/ReportPage.h"
#include "reports/DesignedReportRun.h"
#include "reports/TReportPanel.h"

namespace {

using namespace corvane;
using namespace corvane::bench;

struct Bands {
    ComponentOwner Owner;
    TReportPanel Header{Owner, TReportPanelKind::rpkHeader};
    TReportPanel Detail{Owner, TReportPanelKind::rpkDetail};
    TReportPanel Footer{Owner, TReportPanelKind::rpkFooter};
    ReportSettings Settings = NewReportSettings(96);

    explicit Bands(const FieldCatalogue& catalogue, bool memo)
    {
        Settings.UseFooter = true;
        Settings.UseMemo = memo;
        const int width = ReportBandWidth(Settings, 96);
        auto title = std::make_unique<TGPLabel>();
        title->SetCaption("Members");
        Header.InsertElement(std::move(title)).SetBounds(PixelRect{0, 8, width / 2, 17});
        Header.InsertElement(std::make_unique<TGPageNumberLabel>())
            .SetBounds(PixelRect{width - 100, 8, 100, 17});
        const char* const names[] = {"LNAME", "FNAME", "CITY", "ZIP"};
        for (int i = 0; i < 4; ++i) {
            const CatalogueField* field = catalogue.FindByName(names[i]);
            auto data = std::make_unique<TGPDLabel>();
            data->SetDataFieldName(field->Name);
            data->SetDataFieldDescript(field->DisplayLabel);
            Detail.InsertElement(std::move(data)).SetBounds(PixelRect{i * width / 4, 8, width / 4, 17});
        }
    }
};

std::string MemoFile(int count)
{
    const std::string path = Home() + "memo" + std::to_string(count) + ".dbf";
    if (std::filesystem::exists(path))
        return path;
    Check(CreateAddressTable(path, NewAddressFileFields(IniFile::Parse(""))));
    xbase::Table table;
    Check(table.Open(path));
    std::string memo;
    for (int line = 1; line <= 20; ++line)
        memo += "Memo line " + std::to_string(line) + " of the record's notes\r\n";
    for (int i = 0; i < count; ++i) {
        Check(table.AppendBlank());
        Check(table.PutField("LNAME", "Family" + std::to_string(i)));
        Check(table.PutField("CITY", "Albany"));
        Check(table.PutMemo("MEMO", memo));
    }
    Check(table.Close());
    return path;
}

void RunDesigned(benchmark::State& state, const std::string& path, bool memo)
{
    const std::string pdf = Home() + "designed.pdf";
    ReportRunResult result;
    ResetPeakResident();
    double anonymousFirstPage = 0;
    double anonymousPeak = 0;
    for (auto _ : state) {
        xbase::Table table;
        Check(table.Open(path, xbase::OpenMode::SharedReadOnly));
        Check(table.SetQuery("!ISDEL"));
        FieldCatalogue catalogue;
        Check(catalogue.TakeFileWidths(table));
        Bands bands(catalogue, memo);
        DesignedReportRun run(table, catalogue, bands.Header, bands.Detail, bands.Footer, bands.Settings,
                              DesignedReportRequest{RecordScope::Filter, false, false, 1, 96});
        Check(run.Prepare());
        int sampledPage = 0;
        run.AfterRecord = [&](int page) {
            if (page != sampledPage) {
                sampledPage = page;
                const double anonymous = StatusMegabytes("RssAnon:");
                if (page == 1)
                    anonymousFirstPage = anonymous;
                anonymousPeak = std::max(anonymousPeak, anonymous);
            }
        };
        PdfFileSink sink(QString::fromStdString(pdf), QPageSize(QPageSize::Letter));
        PrintJob job;
        job.PrintPages = [&](PageSink& pages) {
            SinkReportCanvas canvas(pages);
            result = run.PrintPages(canvas);
        };
        const PageJobResult written = RunPrintJob(sink, job);
        if (written.Outcome != PageJobOutcome::Completed || result.Outcome != PrintOutcome::Completed)
            std::abort();
    }
    state.counters["records"] = result.Records;
    state.counters["pages"] = result.Pages;
    state.counters["peak_rss_mb"] = StatusMegabytes("VmHWM:");
    state.counters["anon_first_page_mb"] = anonymousFirstPage;
    state.counters["anon_growth_mb"] = anonymousPeak - anonymousFirstPage;
}

void BM_DesignedReportToPdf(benchmark::State& state)
{
    RunDesigned(state, AddressFile(static_cast<int>(state.range(0))), false);
}
BENCHMARK(BM_DesignedReportToPdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kSecond)->Iterations(1);

void BM_DesignedReportMemosToPdf(benchmark::State& state)
{
    RunDesigned(state, MemoFile(static_cast<int>(state.range(0))), true);
}
BENCHMARK(BM_DesignedReportMemosToPdf)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
