// corvane-cli: the main jobs of Corvane without windows, on the code the windows use.

#include "core/EngineSettings.h"
#include "platform/Settings.h"
#include <iostream>
#include <string>
#include <vector>

#include "cli/BulkEditCommands.h"
#include "cli/CheckCommands.h"
#include "cli/DialCommands.h"
#include "cli/EnvelopeCommands.h"
#include "cli/FilterCommands.h"
#include "cli/ImportExportCommands.h"
#include "cli/IntelligentMailCommand.h"
#include "cli/LabelCommands.h"
#include "cli/LayoutCommands.h"
#include "cli/LetterCommands.h"
#include "cli/PresortCommand.h"
#include "cli/ReportCommands.h"
#include "cli/TableCommands.h"
#include "platform/ShippedFiles.h"

namespace {

struct Command {
    const char* Name;
    int (*Run)(const std::vector<std::string>&);
    const char* Synopsis;
};

const Command Commands[] = {
    {"create", corvane::cli::RunCreate, "create FILE"},
    {"info", corvane::cli::RunInfo, "info FILE"},
    {"list", corvane::cli::RunList, "list FILE [--order TAG] [--query EXPR] [--fields A,B,...] [--recno]"},
    {"count", corvane::cli::RunCount, "count FILE [--query EXPR]"},
    {"seek", corvane::cli::RunSeek, "seek FILE --order TAG [--soft] TEXT"},
    {"append", corvane::cli::RunAppend, "append FILE --csv IN.csv"},
    {"delete", corvane::cli::RunDeleteRecords, "delete FILE --query EXPR | --all | --flt F.FLT [--not]"},
    {"reindex", corvane::cli::RunReindex, "reindex FILE"},
    {"reindex-system", corvane::cli::RunReindexSystem, "reindex-system"},
    {"filter", corvane::cli::RunFilter, "filter FILE --flt F.FLT [--order TAG] [--fields A,B,...]"},
    {"tag", corvane::cli::RunTag, "tag FILE --query EXPR"},
    {"untag", corvane::cli::RunUntag, "untag FILE --query EXPR"},
    {"clear-tags", corvane::cli::RunClearTags, "clear-tags"},
    {"presort", corvane::cli::RunPresort, "presort FILE [--query EXPR | --flt F.FLT]"},
    {"layout", corvane::cli::RunLayout,
     "layout dump FILE | layout pdf FILE --out OUT.pdf [--address-file DBF --recno N] [--page WxH]"},
    {"label-setups", corvane::cli::RunLabelSetups, "label-setups"},
    {"new-label-setup", corvane::cli::RunNewLabelSetup,
     "new-label-setup --description D --template \"STOCK DESCRIPTION\""},
    {"convert-case", corvane::cli::RunConvertCase,
     "convert-case FILE --case upper|lower|proper [--fields LNAME,FNAME,...] [--scope current|all|filter] "
     "[--flt F.FLT] [--recno N]"},
    {"replace", corvane::cli::RunReplace,
     "replace FILE --field NAME (--equals V | --contains V) [--ignore-case] (--whole R | --text R) "
     "[--flt F.FLT] [--dry-run]"},
    {"print-labels", corvane::cli::RunPrintLabels,
     "print-labels FILE --setup DESCRIPTION [--scope all|filter|current] [--flt F.FLT] [--recno N] "
     "[--start-current] "
     "[--presort] [--positions 1,2,...] [--copies N] --pdf OUT.pdf"},
    {"count-zip", corvane::cli::RunCountZip, "count-zip FILE [--query EXPR | --flt F.FLT]"},
    {"zip-report", corvane::cli::RunZipReport, "zip-report FILE [--query EXPR | --flt F.FLT] --pdf OUT.pdf"},
    {"print-report", corvane::cli::RunPrintReport,
     "print-report FILE (--builtin 1|2|3|4 [--title T] [--memo] [--codes] | --report DESCRIPTION "
     "[--one-per-page]) "
     "[--scope all|filter|current] [--flt F.FLT] [--recno N] [--start-current] [--pages FROM-TO] [--copies "
     "N] "
     "--pdf OUT.pdf"},
    {"print-record", corvane::cli::RunPrintRecord,
     "print-record FILE --recno N [--fields LABEL,...|none] --pdf OUT.pdf"},
    {"report-setups", corvane::cli::RunReportSetups, "report-setups"},
    {"new-report", corvane::cli::RunNewReport,
     "new-report --description D [--layout \"Letter Size, Portrait\"|...] [--bands "
     "header,detail,memo,footer] "
     "[--title T] [--fields LNAME,FNAME,...]"},
    {"clone-report", corvane::cli::RunCloneReport, "clone-report DESCRIPTION"},
    {"delete-report", corvane::cli::RunDeleteReport, "delete-report DESCRIPTION"},
    {"report-settings", corvane::cli::RunReportSettings, "report-settings FILE.R"},
    {"imb", corvane::cli::RunIntelligentMail,
     "imb --barcode-id 00 --service 040 --mailer-id 123456 --serial 200800001 [--zip Z] [--svg OUT.svg]"},
    {"letters", corvane::cli::RunLetters, "letters"},
    {"new-letter", corvane::cli::RunNewLetter, "new-letter --description D --rtf IN.rtf"},
    {"letter-rtf", corvane::cli::RunLetterRtf, "letter-rtf D"},
    {"rtf", corvane::cli::RunRtf, "rtf dump FILE.rtf"},
    {"print-letters", corvane::cli::RunPrintLetters,
     "print-letters FILE --letter D [--scope all|filter|current] [--flt F.FLT] [--order TAG] [--recno N] "
     "[--start-current] [--copies N] [--date YYYY-MM-DD] (--pdf OUT.pdf | --rtf OUT.rtf | --text)"},
    {"envelope-sizes", corvane::cli::RunEnvelopeSizes, "envelope-sizes"},
    {"envelope-setups", corvane::cli::RunEnvelopeSetups, "envelope-setups"},
    {"new-envelope-setup", corvane::cli::RunNewEnvelopeSetup,
     "new-envelope-setup --description D --size CODE"},
    {"clone-envelope-setup", corvane::cli::RunCloneEnvelopeSetup, "clone-envelope-setup D"},
    {"delete-envelope-setup", corvane::cli::RunDeleteEnvelopeSetup, "delete-envelope-setup D"},
    {"print-envelopes", corvane::cli::RunPrintEnvelopes,
     "print-envelopes FILE --setup D [--scope all|filter|current] [--flt F.FLT] [--order TAG] [--recno N] "
     "[--start-current] [--page WxH] [--position left|right|center] [--orientation portrait|landscape] "
     "[--facing up|down] [--clockwise] --pdf OUT.pdf"},
    {"ascii-sample", corvane::cli::RunAsciiSample, "ascii-sample IN.TXT"},
    {"import-ascii", corvane::cli::RunImportAscii,
     "import-ascii FILE IN.TXT --match \"1=Last Name,2=First Name,...\""},
    {"dbf-fields", corvane::cli::RunDbfFields, "dbf-fields SOURCE.DBF [--into FILE]"},
    {"import-dbf", corvane::cli::RunImportDbf,
     "import-dbf FILE SOURCE.DBF [--match \"SRC=LABEL,...\"] [--no-auto]"},
    {"import-old", corvane::cli::RunImportOld, "import-old FILE SOURCE.DBF --generation 1|2"},
    {"export", corvane::cli::RunExport,
     "export FILE --out OUT [--text] [--order TAG] [--query EXPR | --flt F.FLT] [--overwrite]"},
    {"dial", corvane::cli::RunDial,
     "dial [--port 1-4 | --device PATH] [--prefix P] [--init S] [--pulse] [--hangup-after SECONDS] "
     "[--dry-run] "
     "NUMBER"},
    {"check-duplicates", corvane::cli::RunCheckDuplicates,
     "check-duplicates FILE [--by name|initial|street] [--chars N] [--fields A,B,...] [--tag]"},
    {"check-state-zip", corvane::cli::RunCheckStateZip,
     "check-state-zip FILE [--blanks] [--fields A,B,...] [--tag]"},
    {"csz", corvane::cli::RunCityStateZip,
     "csz list | csz add --name N --state S --low L --high H | csz delete --state S"},
    {"call", corvane::cli::RunCall, "call [--prefix P] [--hangup-after SECONDS] NUMBER | call --list"},
};

int Usage(std::ostream& out, int status)
{
    out << "usage: corvane-cli COMMAND ARGUMENTS\n";
    for (const Command& command : Commands)
        out << "  corvane-cli " << command.Synopsis << '\n';
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2)
        return Usage(std::cerr, 1);
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help")
        return Usage(std::cout, 0);
    std::vector<std::string> arguments(argv + 2, argv + argc);
    for (const Command& command : Commands) {
        if (name != command.Name)
            continue;
        // A fresh program directory gets the shipped system files (the label stock catalogue,
        // ...) it lacks; a file that cannot be copied is said, and the command still runs.
        for (const std::string& failure : corvane::SeedProgramDirectory().Failed)
            std::cerr << "corvane-cli: cannot copy the shipped file " << failure << '\n';
        corvane::ApplyEngineSettings(corvane::Settings());
        return command.Run(arguments);
    }
    std::cerr << "corvane-cli: unknown command " << name << '\n';
    return Usage(std::cerr, 1);
}
