#include "importexport/AsciiSample.h"

#include "importexport/AsciiLine.h"
#include "importexport/AsciiLineReader.h"
#include "platform/Utf8Text.h"

namespace corvane {

std::string AsciiColumnName(std::size_t index)
{
    return "Field " + std::to_string(index + 1);
}

Result<AsciiSample> SampleAsciiFile(const std::string& path)
{
    auto scan = AsciiLineReader::Scan(path);
    if (!scan)
        return scan.ToStatus();
    AsciiLineReader reader;
    if (Status opened = reader.Open(path, scan->Utf8); !opened)
        return opened;
    AsciiSample sample;
    std::string line;
    while (sample.Lines.size() < AsciiSampleLines) {
        auto more = reader.Next(line);
        if (!more)
            return more.ToStatus();
        if (!*more)
            break;
        std::vector<std::string> fields = SplitAsciiLine(line);
        if (sample.Lines.empty()) {
            for (std::size_t i = 0; i < fields.size(); ++i)
                sample.Columns.push_back({AsciiColumnName(i), 0});
        }
        fields.resize(sample.Columns.size());
        for (std::size_t i = 0; i < fields.size(); ++i)
            sample.Columns[i].Widest = std::max(sample.Columns[i].Widest, CharacterCount(fields[i]));
        sample.Lines.push_back(std::move(fields));
    }
    if (sample.Lines.size() < 2)
        return Result<AsciiSample>::Error(UnableToImportMessage);
    return sample;
}

} // namespace corvane
