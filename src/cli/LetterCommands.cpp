#include "cli/LetterCommands.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>

#include <QColor>
#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageSize>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "cli/CliArguments.h"
#include "cli/CollectedMessages.h"
#include "cli/CommandSupport.h"
#include "cli/GuiApplication.h"
#include "cli/PresortCommand.h"
#include "core/SystemTables.h"
#include "letters/LetterDocument.h"
#include "letters/LetterRun.h"
#include "letters/LetterStore.h"
#include "platform/ProgramDirectory.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "printing/pages/PdfFileSink.h"
#include "session/FilterQuery.h"

namespace corvane::cli {

namespace {

constexpr const char* LettersSynopsis = "letters";
constexpr const char* NewLetterSynopsis = "new-letter --description D --rtf IN.rtf";
constexpr const char* LetterRtfSynopsis = "letter-rtf D";
constexpr const char* RtfSynopsis = "rtf dump FILE.rtf";
constexpr const char* PrintSynopsis =
    "print-letters FILE --letter D [--scope all|filter|current] [--flt F.FLT] [--order TAG] [--recno N] "
    "[--start-current] [--copies N] [--date YYYY-MM-DD] (--pdf OUT.pdf | --rtf OUT.rtf | --text)";

bool LetterTableExists()
{
    return !FindEntryNoCase(SystemDataDirectory(), "LETTER.DBF").empty();
}

// Opens sysdata/LETTER.DBF, made when missing only if `create`.
Status OpenLetters(xbase::Table& table, bool create)
{
    if (!create && !LetterTableExists())
        return Status::Error("There are no letters: sysdata has no LETTER.DBF");
    CollectedMessages messages;
    if (!OpenLetterTable(table))
        return Status::Error(messages.Line("Unable to Open or Create LETTER.DBF"));
    return Status::Success();
}

Result<std::string> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Status::Error("Cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        return Status::Error("Cannot read " + path);
    return text.str();
}

QString LineBreaksAsNewLines(QString text)
{
    text.replace(QChar(QChar::LineSeparator), QChar('\n'));
    return text;
}

// A document's text, paragraph and line ends as "\n".
QString PlainText(const QTextDocument& document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs.append(LineBreaksAsNewLines(block.text()));
    return paragraphs.join('\n');
}

QString AlignmentName(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignJustify)
        return "justify";
    if (horizontal & Qt::AlignHCenter)
        return "center";
    if (horizontal & (Qt::AlignRight | Qt::AlignTrailing))
        return "right";
    return "left";
}

QJsonObject DumpJson(const QTextDocument& document, const PageLayoutTwips& layout)
{
    QJsonObject page;
    page["width"] = layout.PaperWidth;
    page["height"] = layout.PaperHeight;
    page["left"] = layout.Left;
    page["right"] = layout.Right;
    page["top"] = layout.Top;
    page["bottom"] = layout.Bottom;
    QJsonArray paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QJsonArray runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QStringList families = format.fontFamilies().toStringList();
            QJsonObject run;
            run["text"] = LineBreaksAsNewLines(fragment.text());
            run["font"] = families.isEmpty() ? document.defaultFont().family() : families.first();
            run["size"] =
                format.fontPointSize() > 0 ? format.fontPointSize() : document.defaultFont().pointSizeF();
            run["bold"] = format.fontWeight() > QFont::Medium;
            run["italic"] = format.fontItalic();
            run["underline"] = format.fontUnderline();
            const bool coloured = format.hasProperty(QTextFormat::ForegroundBrush) &&
                                  format.foreground().style() != Qt::NoBrush;
            run["color"] = (coloured ? format.foreground().color() : QColor(Qt::black)).name();
            runs.append(run);
        }
        QJsonObject paragraph;
        paragraph["align"] = AlignmentName(block.blockFormat().alignment());
        paragraph["pageBreakBefore"] =
            (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) != 0;
        paragraph["text"] = LineBreaksAsNewLines(block.text());
        paragraph["runs"] = runs;
        paragraphs.append(paragraph);
    }
    QJsonObject json;
    json["page"] = page;
    json["paragraphs"] = paragraphs;
    return json;
}

// Appends a merged letter to the combined document, starting on a new page after the first.
void AppendLetter(QTextDocument& combined, const QTextDocument& letter, bool first)
{
    QTextCursor cursor(&combined);
    cursor.movePosition(QTextCursor::End);
    if (!first)
        cursor.insertBlock();
    const int start = cursor.position();
    cursor.insertFragment(QTextDocumentFragment(&letter));
    for (QTextBlock block = letter.begin(); block.isValid(); block = block.next()) {
        const QTextCharFormat format =
            block.begin().atEnd() ? QTextCharFormat() : block.begin().fragment().charFormat();
        if (format.isImageFormat()) {
            const QString name = format.toImageFormat().name();
            combined.addResource(QTextDocument::ImageResource, QUrl(name),
                                 letter.resource(QTextDocument::ImageResource, QUrl(name)));
        }
    }
    if (!first) {
        QTextCursor head(&combined);
        head.setPosition(start);
        QTextBlockFormat format = head.blockFormat();
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        head.setBlockFormat(format);
    }
}

} // namespace

int RunLetters(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty())
        return Usage(LettersSynopsis);
    if (!LetterTableExists()) {
        std::cout << "[]\n";
        return 0;
    }
    xbase::Table table;
    if (Status opened = OpenLetters(table, false); !opened)
        return Fail(opened.Message());
    LetterStore store(table);
    auto letters = store.List();
    if (!letters)
        return Fail(letters.Message());
    QJsonArray list;
    for (const LetterEntry& letter : *letters)
        list.append(QJsonObject{{"description", QString::fromStdString(letter.Description)}});
    std::cout << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

int RunNewLetter(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {"--description", "--rtf"}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (!parsed->Positional.empty() || !parsed->Has("--description") || !parsed->Has("--rtf"))
        return Usage(NewLetterSynopsis);
    const std::string description =
        QString::fromStdString(*parsed->Get("--description")).trimmed().toStdString();
    if (description.empty())
        return Fail("--description needs a description for the letter");
    auto rtf = ReadFile(*parsed->Get("--rtf"));
    if (!rtf)
        return Fail(rtf.Message());
    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    auto letter = LoadLetter(*rtf);
    if (!letter)
        return Fail(*parsed->Get("--rtf") + ": " + letter.Message());

    xbase::Table table;
    if (Status opened = OpenLetters(table, true); !opened)
        return Fail(opened.Message());
    LetterStore store(table);
    auto saved = store.Save(std::nullopt, description, *letter->Document, letter->Layout);
    if (!saved)
        return Fail(saved.Message());
    auto entries = store.List();
    std::string stored = description;
    if (entries) {
        for (const LetterEntry& entry : *entries) {
            if (entry.RecordNumber == *saved)
                stored = entry.Description;
        }
    }
    std::cout << QJsonDocument(QJsonObject{{"description", QString::fromStdString(stored)}})
                     .toJson(QJsonDocument::Compact)
                     .toStdString()
              << '\n';
    return 0;
}

int RunLetterRtf(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 1)
        return Usage(LetterRtfSynopsis);
    xbase::Table table;
    if (Status opened = OpenLetters(table, false); !opened)
        return Fail(opened.Message());
    LetterStore store(table);
    auto letter = store.Find(parsed->Positional[0]);
    if (!letter)
        return Fail(letter.Message());
    auto rtf = store.Rtf(letter->RecordNumber);
    if (!rtf)
        return Fail(rtf.Message());
    std::cout << *rtf;
    return 0;
}

int RunRtf(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(arguments, {}, {});
    if (!parsed)
        return Fail(parsed.Message());
    if (parsed->Positional.size() != 2 || parsed->Positional[0] != "dump")
        return Usage(RtfSynopsis);
    auto rtf = ReadFile(parsed->Positional[1]);
    if (!rtf)
        return Fail(rtf.Message());
    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    QTextDocument document;
    PageLayoutTwips layout;
    if (Status read = RtfReader::Read(*rtf, document, layout); !read)
        return Fail(parsed->Positional[1] + ": " + read.Message());
    std::cout << QJsonDocument(DumpJson(document, layout)).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

int RunPrintLetters(const std::vector<std::string>& arguments)
{
    auto parsed = ParseArguments(
        arguments,
        {"--letter", "--scope", "--flt", "--order", "--recno", "--copies", "--date", "--pdf", "--rtf"},
        {"--start-current", "--text"});
    if (!parsed)
        return Fail(parsed.Message());
    const int outputs =
        (parsed->Has("--pdf") ? 1 : 0) + (parsed->Has("--rtf") ? 1 : 0) + (parsed->Has("--text") ? 1 : 0);
    if (parsed->Positional.size() != 1 || !parsed->Has("--letter") || outputs != 1)
        return Usage(PrintSynopsis);

    LetterRunSettings settings;
    settings.Scope = parsed->Has("--flt") ? RecordScope::Filter : RecordScope::All;
    if (auto scope = parsed->Get("--scope")) {
        if (*scope == "all")
            settings.Scope = RecordScope::All;
        else if (*scope == "filter")
            settings.Scope = RecordScope::Filter;
        else if (*scope == "current")
            settings.Scope = RecordScope::Current;
        else
            return Fail("--scope takes all, filter or current: " + *scope);
    }
    settings.StartFromCurrent = parsed->Has("--start-current");
    if ((settings.Scope == RecordScope::Current || settings.StartFromCurrent) && !parsed->Has("--recno"))
        return Fail(std::string(settings.StartFromCurrent ? "--start-current" : "--scope current") +
                    " needs --recno N");
    if (auto copies = parsed->Get("--copies")) {
        const std::optional<int> number = WholeNumber(*copies);
        if (!number || *number < 1 || *number > MaximumLetterCopies)
            return Fail("--copies takes a number from 1 to 999: " + *copies);
        settings.Copies = *number;
    }
    if (auto date = parsed->Get("--date")) {
        settings.Today = QDate::fromString(QString::fromStdString(*date), Qt::ISODate);
        if (!settings.Today.isValid())
            return Fail("--date takes a day as YYYY-MM-DD: " + *date);
    }

    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();
    // The letter, read from its table without changing it.
    xbase::Table letters;
    if (Status opened = OpenLetters(letters, false); !opened)
        return Fail(opened.Message());
    LetterStore store(letters);
    auto entry = store.Find(*parsed->Get("--letter"));
    if (!entry)
        return Fail(entry.Message());
    auto rtf = store.Rtf(entry->RecordNumber);
    if (!rtf)
        return Fail(rtf.Message());
    auto letter = LoadLetter(*rtf);
    if (!letter)
        return Fail("The letter \"" + entry->Description + "\" cannot be read: " + letter.Message());
    (void)letters.Close();

    // The address file under the main window's filter, order and record.
    xbase::Table addresses;
    const std::string& file = parsed->Positional[0];
    if (Status opened = OpenTable(addresses, file, xbase::OpenMode::SharedReadOnly); !opened)
        return Fail(opened.Message());
    if (auto filter = parsed->Get("--flt")) {
        if (Status filtered = ApplyFilterFile(addresses, *filter); !filtered)
            return Fail(filtered.Message());
    } else if (Status unfiltered = addresses.SetQuery(NoFilterQuery); !unfiltered) {
        return Fail(unfiltered.Message());
    }
    if (Status ordered = SelectOrder(addresses, parsed->Get("--order")); !ordered)
        return Fail(ordered.Message());
    if (auto recno = parsed->Get("--recno")) {
        const std::optional<int> number = WholeNumber(*recno);
        if (!number || *number < 1 || static_cast<uint32_t>(*number) > addresses.RecordCount())
            return Fail("--recno takes a record number from 1 to " + std::to_string(addresses.RecordCount()) +
                        ": " + *recno);
        if (Status moved = addresses.GoTo(static_cast<uint32_t>(*number)); !moved)
            return Fail(moved.Message());
    } else if (Status top = addresses.GoTop(); !top) {
        return Fail(top.Message());
    }

    CollectedMessages messages;
    LetterRun run(addresses, *letter, settings);
    if (Status prepared = run.Prepare(); !prepared)
        return Fail(messages.Line(prepared.Message()));
    if (addresses.Eof())
        return Fail("No records to print under the scope");

    if (parsed->Has("--text")) {
        QJsonArray list;
        const LetterRunResult result = run.ForEachLetter([&](uint32_t recno, const LetterDocument& merged) {
            list.append(
                QJsonObject{{"recno", static_cast<qint64>(recno)}, {"text", PlainText(*merged.Document)}});
            return true;
        });
        if (result.Outcome != PrintOutcome::Completed)
            return Fail(LetterRunStatusText(result));
        std::cout << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
        return 0;
    }

    if (auto out = parsed->Get("--rtf")) {
        QTextDocument combined;
        combined.setDefaultFont(letter->Document->defaultFont());
        bool first = true;
        const LetterRunResult result = run.ForEachLetter([&](uint32_t, const LetterDocument& merged) {
            AppendLetter(combined, *merged.Document, first);
            first = false;
            return true;
        });
        if (result.Outcome != PrintOutcome::Completed)
            return Fail(LetterRunStatusText(result));
        const std::string text = RtfWriter::Write(combined, letter->Layout);
        QSaveFile saved(QString::fromStdString(*out));
        if (!saved.open(QIODevice::WriteOnly) ||
            saved.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
            !saved.commit())
            return Fail("Cannot write " + *out);
        QJsonObject json{{"letters", result.Letters}, {"rtf", QString::fromStdString(*out)}};
        std::cout << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString() << '\n';
        return 0;
    }

    const QString pdfPath = QString::fromStdString(*parsed->Get("--pdf"));
    const QPageSize paper(
        QSizeF(letter->Layout.PaperWidth / TwipsPerInch, letter->Layout.PaperHeight / TwipsPerInch),
        QPageSize::Inch, QString(), QPageSize::ExactMatch);
    PdfFileSink sink(pdfPath, paper);
    LetterRunResult result;
    PrintRun print;
    print.OpenSink = [&]() -> PageSink* { return &sink; };
    print.PrintPages = [&](PageSink& pages) -> PageHandlerResult {
        result = run.PrintLetters(pages);
        return {result.Outcome, result.Message};
    };
    print.Restore = [&] { return run.Restore(); };
    const PrintRunResult ended = print.Run();
    if (!ended.Done()) {
        if (!ended.Message.empty())
            return Fail(messages.Line(ended.Message));
        return Fail(ended.Outcome == PrintOutcome::Failed ? "Cannot write " + pdfPath.toStdString()
                                                          : LetterRunStatusText(result));
    }
    QJsonObject json{{"letters", result.Letters}, {"pages", result.Pages}, {"pdf", pdfPath}};
    std::cout << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString() << '\n';
    return 0;
}

} // namespace corvane::cli
