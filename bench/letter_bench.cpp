// Form letters: 10,000 one-page letters (about 250 words, 12 tokens) merged with the records of
// an address file and printed to a PDF file, with the anonymous resident size at the first letter
// and its growth to the last (flat memory: the pages go to the file as they are finished); and a
// 100-page RTF text read into a document and written back.

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
#include <QTextCursor>
#include <QTextDocument>

#include "core/AddressFileLayout.h"
#include "letters/LetterRun.h"
#include "platform/richtext/DocumentPages.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/settings/IniFile.h"
#include "platform/xbase/Table.h"
#include "printing/pages/PdfFileSink.h"

namespace {

using namespace corvane;
using bench::Check;
using bench::Home;
using bench::ResetPeakResident;
using bench::StatusMegabytes;

std::string AddressFile(int count)
{
    const std::string path = Home() + "letters" + std::to_string(count) + ".dbf";
    if (std::filesystem::exists(path))
        return path;
    Check(CreateAddressTable(path, NewAddressFileFields(IniFile::Parse(""))));
    xbase::Table table;
    Check(table.Open(path));
    static const char* const cities[] = {"Albany", "Utica", "Troy", "Ithaca", "Elmira", "Geneva", "Oneonta"};
    for (int i = 0; i < count; ++i) {
        Check(table.AppendBlank());
        Check(table.PutField("PREFIX", i % 2 ? "Ms." : "Mr."));
        Check(table.PutField("FNAME", "Given" + std::to_string(i % 97)));
        Check(table.PutField("LNAME", "Family" + std::to_string(i)));
        Check(table.PutField("ORG", "Company " + std::to_string(i % 31)));
        Check(table.PutField("STREET", std::to_string(100 + i % 900) + " Main Street"));
        Check(table.PutField("CITY", cities[i % 7]));
        Check(table.PutField("STATE", "NY"));
        Check(table.PutField("ZIP", std::to_string(10000 + i % 89999)));
        Check(table.PutField("PHONE", "555-01" + std::to_string(10 + i % 90)));
    }
    Check(table.Close());
    return path;
}

// About 250 words with 12 tokens, in three fonts.
LetterDocument Template()
{
    LetterDocument letter;
    QTextCursor cursor(letter.Document.get());
    QTextCharFormat body;
    body.setFontFamilies(QStringList{"Liberation Serif"});
    body.setFontPointSize(11);
    QTextCharFormat bold = body;
    bold.setFontWeight(QFont::Bold);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.setBlockFormat(right);
    cursor.insertText("[Long Date]", body);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText("[Name and Address]", body);
    cursor.insertBlock();
    cursor.insertText("Dear [Prefix] [Last],", bold);
    const QString words =
        "We are writing to tell you about the changes to our service in your area this coming "
        "season and what they mean for you and your family ";
    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    justified.setBottomMargin(6);
    const char* const tokens[] = {"[First]", "[City]",  "[Street]",       "[Organization]",
                                  "[Zip]",   "[Phone]", "[Today's Date]", "[State]"};
    for (int paragraph = 0; paragraph < 8; ++paragraph) {
        cursor.insertBlock(justified);
        cursor.insertText(words + tokens[paragraph] + " " + words.left(60), body);
    }
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText("Yours sincerely,", body);
    return letter;
}

void BM_LettersToPdf(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string path = AddressFile(count);
    const LetterDocument letter = Template();
    const std::string pdf = Home() + "letters.pdf";
    LetterRunResult result;
    ResetPeakResident();
    double anonymousFirst = 0;
    double anonymousPeak = 0;
    for (auto _ : state) {
        xbase::Table table;
        Check(table.Open(path, xbase::OpenMode::SharedReadOnly));
        Check(table.SetQuery("!ISDEL"));
        Check(table.GoTop());
        LetterRunSettings settings;
        settings.Scope = RecordScope::All;
        LetterRun run(table, letter, settings);
        Check(run.Prepare());
        PdfFileSink sink(QString::fromStdString(pdf), QPageSize(QPageSize::Letter));
        int letters = 0;
        run.AfterRecord = [&](int) {
            ++letters;
            if (letters == 1 || letters % 500 == 0) {
                const double anonymous = StatusMegabytes("RssAnon:");
                if (letters == 1)
                    anonymousFirst = anonymous;
                anonymousPeak = std::max(anonymousPeak, anonymous);
            }
        };
        PrintJob job;
        job.PrintPages = [&](PageSink& pages) { result = run.PrintLetters(pages); };
        const PageJobResult written = RunPrintJob(sink, job);
        if (written.Outcome != PageJobOutcome::Completed || result.Outcome != PrintOutcome::Completed)
            std::abort();
    }
    state.counters["letters"] = result.Letters;
    state.counters["pages"] = result.Pages;
    state.counters["peak_rss_mb"] = StatusMegabytes("VmHWM:");
    state.counters["anon_first_letter_mb"] = anonymousFirst;
    state.counters["anon_growth_mb"] = anonymousPeak - anonymousFirst;
    state.counters["pdf_mb"] = static_cast<double>(std::filesystem::file_size(pdf)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_LettersToPdf)->Arg(10000)->Unit(benchmark::kSecond)->Iterations(1);

// A document of about 100 pages: paragraphs of some 20 words in varied formats.
const std::string& HundredPageRtf()
{
    static const std::string rtf = [] {
        Home();
        QTextDocument document;
        QTextCursor cursor(&document);
        for (int paragraph = 0; paragraph < 2400; ++paragraph) {
            if (paragraph > 0)
                cursor.insertBlock();
            QTextCharFormat format;
            format.setFontPointSize(paragraph % 3 ? 11 : 12);
            format.setFontWeight(paragraph % 5 ? QFont::Normal : QFont::Bold);
            format.setFontItalic(paragraph % 7 == 0);
            cursor.insertText(
                QString("Paragraph %1 of the long letter, with a caf\u00e9 and some more words to "
                        "fill a line or two of text. ")
                    .arg(paragraph),
                format);
            format.setFontWeight(QFont::Normal);
            cursor.insertText("And a second run of plain words after it.", format);
        }
        const PageLayoutTwips layout;
        std::fprintf(stderr, "letter bench: the RTF document has %d pages\n",
                     DocumentPages(document, layout).PageCount());
        return RtfWriter::Write(document, layout);
    }();
    return rtf;
}

void BM_RtfRead100Pages(benchmark::State& state)
{
    const std::string& rtf = HundredPageRtf();
    for (auto _ : state) {
        QTextDocument document;
        PageLayoutTwips layout;
        Check(RtfReader::Read(rtf, document, layout));
        benchmark::DoNotOptimize(document.blockCount());
    }
    state.counters["rtf_kb"] = static_cast<double>(rtf.size()) / 1024.0;
}
BENCHMARK(BM_RtfRead100Pages)->Unit(benchmark::kMillisecond);

void BM_RtfWrite100Pages(benchmark::State& state)
{
    QTextDocument document;
    PageLayoutTwips layout;
    Check(RtfReader::Read(HundredPageRtf(), document, layout));
    for (auto _ : state) {
        const std::string written = RtfWriter::Write(document, layout);
        benchmark::DoNotOptimize(written.size());
    }
}
BENCHMARK(BM_RtfWrite100Pages)->Unit(benchmark::kMillisecond);

} // namespace
