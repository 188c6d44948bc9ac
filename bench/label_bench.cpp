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

#include "core/AddressFileLayout.h"
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

void Check(const Status& status)
{
    if (!status) {
        std::fprintf(stderr, "label bench: %s\n", status.Message().c_str());
        std::abort();
    }
}

// A program directory of its own, with fonts available (offscreen).
const std::string& Home()
{
    static const std::string home = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "corvane-label-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        setenv("CORVANE_HOME", pattern.c_str(), 1);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "label_bench";
        static char* argv[] = {name, nullptr};
        // Another benchmark of the program may have made the application already.
        if (!QGuiApplication::instance())
            new QGuiApplication(argc, argv);
        // The address files are large: the folder goes when the benchmark ends.
        static const struct Remover {
            std::string Folder;
            ~Remover()
            {
                std::error_code error;
                std::filesystem::remove_all(Folder, error);
            }
        } remover{pattern};
        return pattern + "/";
    }();
    return home;
}

// An address file of `count` people with full postal addresses, made once per size.
std::string AddressFile(int count)
{
    const std::string path = Home() + "mail" + std::to_string(count) + ".dbf";
    if (std::filesystem::exists(path))
        return path;
    Check(CreateAddressTable(path, NewAddressFileFields(IniFile::Parse(""))));
    xbase::Table table;
    Check(table.Open(path));
    static const char* const streets[] = {"Main St", "Oak Ave", "Maple Dr", "Cedar Ln", "Elm St", "Pine Rd"};
    static const char* const cities[] = {"Albany", "Utica", "Troy", "Ithaca", "Elmira", "Geneva", "Oneonta"};
    for (int i = 0; i < count; ++i) {
        Check(table.AppendBlank());
        const std::string number = std::to_string(i);
        Check(table.PutField("FNAME", "Given" + std::to_string(i % 97)));
        Check(table.PutField("LNAME", "Family" + number));
        Check(table.PutField("STREET", std::to_string(100 + i % 900) + " " + streets[i % 6]));
        Check(table.PutField("CITY", cities[i % 7]));
        Check(table.PutField("STATE", "NY"));
        char zip[8];
        std::snprintf(zip, sizeof zip, "%05d", 10000 + (i * 7919) % 89999);
        Check(table.PutField("ZIP", zip));
    }
    Check(table.Close());
    return path;
}

// Starts the process's peak resident size afresh from what it uses now (Linux: clear_refs 5).
void ResetPeakResident()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A size line of /proc/self/status ("VmHWM:" the peak since the last reset, "VmRSS:" now,
// "RssAnon:" the anonymous part of it now).
double StatusMegabytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(key.size())) / 1024.0;
    }
    return 0;
}

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
