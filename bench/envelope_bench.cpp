// Envelope runs: every record of an address file on a #10 envelope (return address, address
// block, POSTNET and FIM bar codes) to a PDF file, one page an envelope; and a preview of 1,000
// envelopes recorded into memory. The time of each run is the figure; the anonymous resident size
// from the first page to the last shows whether a PDF run grows with its pages.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "PrintBenchSupport.h"
#include "core/FieldCatalogue.h"
#include "envelopes/EnvelopeRun.h"
#include "envelopes/EnvelopeSetupStore.h"
#include "envelopes/EnvelopeSizes.h"
#include "envelopes/TEnvelopePanel.h"
#include "layout/ComponentOwner.h"
#include "layout/ElementClassRegistry.h"
#include "layout/PageTarget.h"
#include "layout/TGFIMBarCode.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPostNetBarCode.h"
#include "platform/ProgramDirectory.h"
#include "printing/pages/PageRecorder.h"
#include "printing/pages/PdfFileSink.h"

namespace {

using namespace corvane;
using namespace corvane::bench;

// The #10 layout: the address block new-envelope-setup makes, a return address, POSTNET, FIM.
std::string WriteLayout()
{
    const std::string path = SystemDataDirectory() + "BIN00001.E";
    ComponentOwner owner;
    TEnvelopePanel panel(owner);
    panel.SetRegistry(ElementClassRegistry::Shared());
    AddAddressBlockInAddressArea(panel, 20);
    auto from = std::make_unique<TGMultiLineLabel>();
    from->BuildMenu();
    from->SetItems({"Corvane Mailers", "12 Harbor Road", "Albany NY 12207"});
    panel.DropElement(std::move(from), {10, 10, 220, 60});
    auto postnet = std::make_unique<TGPostNetBarCode>();
    postnet->BuildMenu();
    postnet->SetZipCodeField("ZIP");
    postnet->SetAddressField("STREET");
    panel.DropElement(std::move(postnet), {430, 350, 380, 20});
    auto fim = std::make_unique<TGFIMBarCode>();
    fim->BuildMenu();
    panel.DropElement(std::move(fim), {650, 0, 60, 60});
    Check(panel.SaveToFile(path));
    return path;
}

EnvelopeSetup Number10()
{
    EnvelopeSetup setup;
    setup.Description = "Bench";
    setup.Code = 20;
    setup.LayoutFileName = "BIN00001.E";
    return setup;
}

struct Opened {
    xbase::Table Table;
    FieldCatalogue Catalogue;
};

std::unique_ptr<Opened> Open(const std::string& path)
{
    auto opened = std::make_unique<Opened>();
    Check(opened->Table.Open(path, xbase::OpenMode::SharedReadOnly));
    Check(opened->Table.SetQuery("!ISDEL"));
    Check(opened->Catalogue.TakeFileWidths(opened->Table));
    return opened;
}

void BM_EnvelopesToPdf(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string path = AddressFile(count);
    ElementClassRegistry::Shared().RegisterAll();
    const std::string layout = WriteLayout();
    const std::string pdf = Home() + "envelopes.pdf";
    EnvelopeRunResult result;
    ResetPeakResident();
    double anonymousPeak = 0;
    double anonymousFirstPage = 0;
    for (auto _ : state) {
        const auto opened = Open(path);
        ComponentOwner owner;
        TEnvelopePanel panel(owner);
        panel.SetRegistry(ElementClassRegistry::Shared());
        EnvelopeRunSettings settings;
        settings.Scope = RecordScope::All;
        EnvelopeRun run(opened->Table, opened->Catalogue, panel, Number10(), settings, layout);
        if (!run.Prepare())
            std::abort();
        const PageGeometry page = PageGeometryFor(EnvelopePageInches(20, true));
        PdfFileSink sink(QString::fromStdString(pdf), page.Size, page.Orientation);
        // Sampled on the first page and every 500th.
        run.AfterRecord = [&](int page) {
            if (page != 1 && page % 500 != 0)
                return;
            const double anonymous = StatusMegabytes("RssAnon:");
            if (page == 1)
                anonymousFirstPage = anonymous;
            anonymousPeak = std::max(anonymousPeak, anonymous);
        };
        PrintJob job;
        job.PrintPages = [&](PageSink& pages) {
            PageSinkTarget target(pages);
            const QSizeF size = pages.PageSizeInches();
            result = run.PrintEnvelopes(target, EnvelopePage{size.width(), size.height()});
        };
        const PageJobResult written = RunPrintJob(sink, job);
        if (written.Outcome != PageJobOutcome::Completed || result.Outcome != PrintOutcome::Completed)
            std::abort();
    }
    state.counters["pages"] = result.Pages;
    state.counters["envelopes"] = result.Envelopes;
    state.counters["peak_rss_mb"] = StatusMegabytes("VmHWM:");
    state.counters["anon_first_page_mb"] = anonymousFirstPage;
    state.counters["anon_growth_mb"] = anonymousPeak - anonymousFirstPage;
    state.counters["pdf_mb"] = static_cast<double>(std::filesystem::file_size(pdf)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_EnvelopesToPdf)->Arg(10000)->Unit(benchmark::kSecond)->Iterations(1);

void BM_EnvelopePreviewRecorded(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string path = AddressFile(count);
    ElementClassRegistry::Shared().RegisterAll();
    const std::string layout = WriteLayout();
    EnvelopeRunResult result;
    for (auto _ : state) {
        const auto opened = Open(path);
        ComponentOwner owner;
        TEnvelopePanel panel(owner);
        panel.SetRegistry(ElementClassRegistry::Shared());
        EnvelopeRunSettings settings;
        settings.Scope = RecordScope::All;
        settings.Preview = true;
        EnvelopeRun run(opened->Table, opened->Catalogue, panel, Number10(), settings, layout);
        if (!run.Prepare())
            std::abort();
        // A letter printer fed landscape: the preview frames the page's printable area.
        PageRecorder recorder(QSizeF(11, 8.5));
        PrintJob job;
        job.PrintPages = [&](PageSink& pages) {
            PageSinkTarget target(pages);
            result = run.PrintEnvelopes(target, EnvelopePage{11, 8.5, 0.25, 0.25, 0.25, 0.25});
        };
        const PageJobResult written = RunPrintJob(recorder, job);
        if (written.Outcome != PageJobOutcome::Completed || recorder.PageCount() != count)
            std::abort();
    }
    state.counters["pages"] = result.Pages;
}
BENCHMARK(BM_EnvelopePreviewRecorded)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
