// List reports and ZIP counts: report 1 of a whole address file to a PDF file (time, and whether
// memory grows with the pages), counting the ZIP codes of an address file, and the ZIP count
// report of many distinct keys to a PDF file.

#include <benchmark/benchmark.h>

#include "PrintBenchSupport.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QGuiApplication>
#include <QPageSize>

#include "bulkmail/ZipCount.h"
#include "bulkmail/ZipReport.h"
#include "core/AddressFileLayout.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "printing/pages/PdfFileSink.h"
#include "printing/pages/ReportPage.h"
#include "reports/ReportRun.h"

namespace {

using namespace corvane;
using bench::Check;
using bench::Home;
using bench::ResetPeakResident;
using bench::StatusMegabytes;

// `count` people with addresses and phones; ZIP codes spread over `zips` distinct keys.
std::string AddressFile(int count, int zips)
{
    const std::string path = Home() + "people" + std::to_string(count) + "-" + std::to_string(zips) + ".dbf";
    if (std::filesystem::exists(path))
        return path;
    Check(CreateAddressTable(path, NewAddressFileFields(IniFile::Parse(""))));
    xbase::Table table;
    Check(table.Open(path));
    static const char* const cities[] = {"Albany", "Utica", "Troy", "Ithaca", "Elmira", "Geneva", "Oneonta"};
    for (int i = 0; i < count; ++i) {
        Check(table.AppendBlank());
        Check(table.PutField("FNAME", "Given" + std::to_string(i % 97)));
        Check(table.PutField("LNAME", "Family" + std::to_string(i)));
        Check(table.PutField("STREET", std::to_string(100 + i % 900) + " Main Street"));
        Check(table.PutField("CITY", cities[i % 7]));
        Check(table.PutField("STATE", "NY"));
        Check(table.PutField("PHONE", "555-" + std::to_string(1000 + i % 9000)));
        char zip[8];
        std::snprintf(zip, sizeof zip, "%05d", 10000 + (i * 7919) % zips);
        Check(table.PutField("ZIP", zip));
    }
    Check(table.Close());
    return path;
}

void BM_Report1ToPdf(benchmark::State& state)
{
    const std::string path = AddressFile(static_cast<int>(state.range(0)), 89999);
    const std::string pdf = Home() + "report.pdf";
    ReportRunResult result;
    ResetPeakResident();
    double anonymousFirstPage = 0;
    double anonymousPeak = 0;
    for (auto _ : state) {
        xbase::Table table;
        Check(table.Open(path, xbase::OpenMode::SharedReadOnly));
        Check(table.SetQuery("!ISDEL"));
        BuiltInReportRequest request;
        request.Options.Report = 1;
        BuiltInReportRun run(table, request);
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
BENCHMARK(BM_Report1ToPdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kSecond)->Iterations(1);

void BM_CountZipCodes(benchmark::State& state)
{
    const std::string path = AddressFile(static_cast<int>(state.range(0)), 89999);
    xbase::Table table;
    Check(table.Open(path, xbase::OpenMode::SharedReadOnly));
    Check(table.SetQuery("!ISDEL"));
    size_t lines = 0;
    for (auto _ : state) {
        auto counted = CountZipCodes(table, [](uint32_t) { return true; });
        Check(counted.ToStatus());
        lines = counted->Lines.size();
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CountZipCodes)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ZipReportToPdf(benchmark::State& state)
{
    const int keys = static_cast<int>(state.range(0));
    std::vector<QString> lines;
    for (int i = 0; i < keys; ++i)
        lines.push_back(ZipCountLine(std::to_string(10000 + i), static_cast<uint32_t>(1 + i % 2000)));
    const std::string pdf = Home() + "zips.pdf";
    int pages = 0;
    for (auto _ : state) {
        PdfFileSink sink(QString::fromStdString(pdf), QPageSize(QPageSize::Letter));
        PrintJob job;
        job.PrintPages = [&](PageSink& out) {
            SinkReportCanvas canvas(out);
            ReportPage page(canvas);
            PrintZipReport(page, lines);
        };
        const PageJobResult written = RunPrintJob(sink, job);
        if (written.Outcome != PageJobOutcome::Completed)
            std::abort();
        pages = written.PageCount;
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ZipReportToPdf)->Arg(10000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
