// The text import's line splitter, line reader and sample.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "importexport/AsciiLine.h"
#include "importexport/AsciiLineReader.h"
#include "importexport/AsciiSample.h"
#include "support/ScratchFolder.h"

namespace corvane {
namespace {

using Fields = std::vector<std::string>;
using xbase::testing::ScratchFolder;
using xbase::testing::WriteBytes;

TEST(SplitAsciiLine, FollowsTheQuoteRules)
{
    struct Case {
        std::string Line;
        Fields Expected;
    };
    const Case cases[] = {
        {"", {""}},
        {"a,b,", {"a", "b", ""}},
        {"\"Lee, Ann\",Main St,Springfield", {"Lee, Ann", "Main St", "Springfield"}},
        {" a , b ", {" a ", " b "}},                       // no trimming
        {"\"say \"\"hi\"\"\",x", {"say \"\"hi\"\"", "x"}}, // doubled quotes stay doubled
        {"\"a\"\"\",b", {"a\"\"", "b"}},                   // a doubled quote ending a field closes it
        {"a\"b,c", {"a\"b,c"}},                            // a lone quote runs to the line's end
        {"\"open,x", {"\"open,x"}},                        // an unclosed quote keeps its quote
        {"\"\"", {""}},                                    // just the two quotes
        {"x\"y\"z,w", {"x\"y\"z", "w"}},                   // only outer quotes are dropped
        {std::string("a\x7F"
                     "b,c"),
         {"a,b", "c"}}, // character 127 reads as a comma
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitAsciiLine(c.Line), c.Expected) << c.Line.substr(0, 40);
}

TEST(SplitAsciiLine, IgnoresCharactersFromThe2049th)
{
    // 204 fields of ten characters, then eight more: the 2,048th character ends "ABCDEFGH"; the
    // comma and field after it are not read. Counted in characters: "é" takes two bytes.
    std::string line;
    for (int i = 0; i < 204; ++i)
        line += "123456789,";
    for (const std::string& last : {std::string("ABCDEFGH"), std::string("\xC3\xA9"
                                                                         "BCDEFGH")}) {
        const Fields fields = SplitAsciiLine(line + last + ",Z");
        ASSERT_EQ(fields.size(), 205u);
        EXPECT_EQ(fields.back(), last);
    }
}

TEST(SplitAsciiLine, KeepsAtMost255ColumnsOf255Characters)
{
    std::string line;
    for (int i = 0; i < 300; ++i)
        line += std::to_string(i) + ",";
    const Fields fields = SplitAsciiLine(line);
    ASSERT_EQ(fields.size(), AsciiColumnLimit);
    EXPECT_EQ(fields.back(), "254");
    EXPECT_EQ(SplitAsciiLine(std::string(300, 'v') + ",w"), (Fields{std::string(255, 'v'), "w"}));
}

std::vector<std::string> ReadAll(const std::string& path, uint64_t* counted = nullptr, bool* utf8 = nullptr)
{
    auto scan = AsciiLineReader::Scan(path);
    EXPECT_TRUE(scan) << scan.Message();
    if (counted)
        *counted = scan->Lines;
    if (utf8)
        *utf8 = scan->Utf8;
    AsciiLineReader reader;
    EXPECT_TRUE(reader.Open(path, scan->Utf8));
    std::vector<std::string> lines;
    std::string line;
    while (true) {
        auto more = reader.Next(line);
        EXPECT_TRUE(more);
        if (!more || !*more)
            break;
        lines.push_back(line);
    }
    return lines;
}

TEST(AsciiLineReader, EndsLinesAtCrLfLfOrCrAndAddsNoneForTheFinalEnd)
{
    ScratchFolder scratch;
    struct Case {
        std::string Bytes;
        std::vector<std::string> Lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\xEF\xBB\xBFx,y\n", {"x,y"}},
    };
    for (const Case& c : cases) {
        const std::string path = scratch.File("lines.txt");
        WriteBytes(path, c.Bytes);
        uint64_t counted = 0;
        EXPECT_EQ(ReadAll(path, &counted), c.Lines);
        EXPECT_EQ(counted, c.Lines.size());
    }
}

TEST(AsciiLineReader, ReadsWindows1252WhenTheFileIsNotUtf8)
{
    ScratchFolder scratch;
    const std::string path = scratch.File("legacy.txt");
    WriteBytes(path, "M\xFCller\r\nStra\xDF"
                     "e\r\n");
    bool utf8 = true;
    EXPECT_EQ(ReadAll(path, nullptr, &utf8), (std::vector<std::string>{"M\xC3\xBCller", "Stra\xC3\x9F"
                                                                                        "e"}));
    EXPECT_FALSE(utf8);
    WriteBytes(path, "M\xC3\xBCller\n");
    EXPECT_EQ(ReadAll(path, nullptr, &utf8), (std::vector<std::string>{"M\xC3\xBCller"}));
    EXPECT_TRUE(utf8);
}

TEST(AsciiLineReader, KeepsUtf8ThatStraddlesTheReadBuffer)
{
    // 65,535 bytes of lines, then a two-byte letter across the reader's 64 KiB boundary.
    ScratchFolder scratch;
    const std::string path = scratch.File("straddle.txt");
    std::string bytes;
    while (bytes.size() < 65535 - 100)
        bytes += std::string(99, 'a') + "\n";
    bytes += std::string(65535 - bytes.size(), 'b');
    bytes += "\xC3\xA9\n";
    WriteBytes(path, bytes);
    bool utf8 = false;
    const auto lines = ReadAll(path, nullptr, &utf8);
    EXPECT_TRUE(utf8);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().substr(lines.back().size() - 3), "b\xC3\xA9");
}

TEST(AsciiSample, TakesTheColumnsOfTheFirstLineOnly)
{
    ScratchFolder scratch;
    const std::string path = scratch.File("sample.csv");
    std::string bytes = "Lee,Ann,12\nSmithson,Bo,1,extra,more\n";
    for (int i = 0; i < 12; ++i)
        bytes += "x" + std::to_string(i) + "\n";
    WriteBytes(path, bytes);
    auto sample = SampleAsciiFile(path);
    ASSERT_TRUE(sample) << sample.Message();
    ASSERT_EQ(sample->Columns.size(), 3u);
    EXPECT_EQ(sample->Columns[0].Name, "Field 1");
    EXPECT_EQ(sample->Columns[2].Name, "Field 3");
    EXPECT_EQ(sample->Columns[0].Widest, 8u);
    EXPECT_EQ(sample->Columns[2].Widest, 2u);
    ASSERT_EQ(sample->Lines.size(), AsciiSampleLines);
    EXPECT_EQ(sample->Lines[1], (Fields{"Smithson", "Bo", "1"}));
    EXPECT_EQ(sample->Lines[2], (Fields{"x0", "", ""}));
}

TEST(AsciiSample, RefusesAFileOfFewerThanTwoLines)
{
    ScratchFolder scratch;
    const std::string path = scratch.File("one.txt");
    WriteBytes(path, "only,one\n");
    auto sample = SampleAsciiFile(path);
    ASSERT_FALSE(sample);
    EXPECT_EQ(sample.Message(), UnableToImportMessage);
}

} // namespace
} // namespace corvane
