// Label runs to a PDF file: every record of an address file on "Avery 5160  Address" sheets
// (30 labels a page) with an address block on each label. The time of the whole run is the figure;
// the memory of the run shows whether it grows with the number of pages. The engine maps the
// address file and holds its open indexes in memory, so the resident size grows with the file
// (not with the pages): the anonymous resident size at the first record is the open file's share,
// and its growth up to the last page is what the pages cost.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <QGuiApplication>

#include "PrintBenchSupport.h"
#include "core/FieldCatalogue.h"
#include "core/IntelligentMailSettings.h"
#include "labels/LabelPaper.h"
#include "labels/LabelRun.h"
#include "labels/LabelSetupStore.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/PageTarget.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGPostNetBarCode.h"
#include "platform/ProgramDirectory.h"
#include "platform/Settings.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "printing/pages/PdfFileSink.h"

namespace {

using namespace corvane;
using namespace corvane::bench;

// range(1) = 1 adds an Intelligent Mail barcode under the address block of every label, 2 a
// POSTNET bar code instead (the bar code mailers used before), so the runs side by side show what
// encoding and drawing the barcode costs against no bar code and against POSTNET.
void BM_LabelsToPdf(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const bool intelligentMail = state.range(1) == 1;
    const bool postNet = state.range(1) == 2;
    const std::string path = AddressFile(count);
    ElementClassRegistry::Shared().RegisterAll();
    // "Avery 5160  Address": the new-setup defaults name and measure that stock.
    LabelSetup setup = LabelSetup::NewSetupDefaults();
    setup.Description = "Bench";
    setup.LayoutFileName = "BIN00001.L";
    const std::string layout = SystemDataDirectory() + "BIN00001.L";
    {
        ComponentOwner owner;
        TGLabelPanel panel(owner);
        panel.SetRegistry(ElementClassRegistry::Shared());
        AddAddressBlockFillingLabel(panel, setup);
        if (intelligentMail) {
            auto code = std::make_unique<TGIntelligentMailBarCode>();
            code->BuildMenu();
            panel.InsertElement(std::move(code)).SetBounds({0, 64, 305, 31});
            Check(WriteIntelligentMailProgramSettings(Settings(), {"123456", 1, "040"})
                      ? Status::Success()
                      : Status::Error("settings not written"));
        }
        if (postNet) {
            auto code = std::make_unique<TGPostNetBarCode>();
            code->SetZipCodeField("ZIP");
            code->SetAddressField("STREET");
            code->BuildMenu();
            panel.InsertElement(std::move(code)).SetBounds({0, 72, 270, 16});
        }
        Check(panel.SaveToFile(layout));
    }
    const std::string pdf = Home() + "labels.pdf";
    LabelRunResult result;
    ResetPeakResident();
    const double startMegabytes = StatusMegabytes("VmRSS:");
    double anonymousPeak = 0;
    double anonymousFirstPage = 0;
    for (auto _ : state) {
        xbase::Table table;
        Check(table.Open(path, xbase::OpenMode::SharedReadOnly));
        Check(table.SetQuery("!ISDEL"));
        FieldCatalogue catalogue;
        Check(catalogue.TakeFileWidths(table));
        ComponentOwner owner;
        TGLabelPanel panel(owner);
        panel.SetRegistry(ElementClassRegistry::Shared());
        LabelRun run(table, catalogue, panel, setup, LabelRunSettings{}, layout);
        if (!run.Prepare())
            std::abort();
        const PaperRequest paper = PaperRequestFor(setup, "");
        PdfFileSink sink(QString::fromStdString(pdf), PaperPageSize(paper));
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
        PrintJob job;
        job.PrintPages = [&](PageSink& pages) {
            PageSinkTarget target(pages);
            result = run.PrintLabels(target);
        };
        const PageJobResult written = RunPrintJob(sink, job);
        if (written.Outcome != PageJobOutcome::Completed || result.Outcome != LabelRunOutcome::Completed)
            std::abort();
    }
    state.counters["pages"] = result.Pages;
    state.counters["labels"] = result.Labels;
    state.counters["rss_start_mb"] = startMegabytes;
    state.counters["peak_rss_mb"] = StatusMegabytes("VmHWM:");
    state.counters["anon_first_page_mb"] = anonymousFirstPage;
    state.counters["anon_growth_mb"] = anonymousPeak - anonymousFirstPage;
    state.counters["pdf_mb"] = static_cast<double>(std::filesystem::file_size(pdf)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_LabelsToPdf)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({10000, 2})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

} // namespace
