#include "platform/xbase/DbfFile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include "support/ScratchFolder.h"
#include "platform/xbase/MemoFile.h"

namespace xbase {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

const std::string kFixtures = std::string(CORVANE_FIXTURES) + "/xbase/";

const std::vector<FieldSpec> kPeople = {
    {"lname", 'C', 20, 0}, {"Amount", 'N', 10, 2}, {"ACTIVE", 'L', 0, 0}, {"JOINED", 'D', 0, 0}};

std::unique_ptr<DbfFile> OpenOrFail(const std::string& path, OpenMode mode)
{
    auto opened = DbfFile::Open(path, mode);
    EXPECT_TRUE(opened.Ok()) << opened.Message();
    return opened.Ok() ? opened.Take() : nullptr;
}

// A record built field by field through the codec, as the table layer does.
std::string MakeRecord(const DbfFile& file, const std::vector<std::string>& values)
{
    std::string record(file.RecordLength(), ' ');
    for (size_t i = 0; i < values.size(); ++i) {
        const Status written = FieldCodec::Write(record.data(), file.Fields()[i], values[i]);
        EXPECT_TRUE(written.Ok()) << written.Message();
    }
    return record;
}

uint16_t Le16(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                                 (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

uint32_t Le32(const std::string& bytes, size_t at)
{
    return Le16(bytes, at) | (uint32_t{Le16(bytes, at + 2)} << 16);
}

// --- Creating -------------------------------------------------------------------------------

struct CreateCase {
    const char* Name;
    std::vector<FieldSpec> Fields;
    uint8_t ExtraFlags;
    uint8_t Version;
    uint8_t Flags;
    uint16_t RecordLength;
};

class DbfCreate : public ::testing::TestWithParam<CreateCase> {};

TEST_P(DbfCreate, WritesTheHeaderOtherToolsExpect)
{
    const CreateCase& c = GetParam();
    ScratchFolder folder;
    const std::string path = folder.File("T.DBF");
    ASSERT_TRUE(DbfFile::Create(path, c.Fields, c.ExtraFlags).Ok());

    const std::string bytes = ReadBytes(path);
    const size_t headerLength = 32 + 32 * c.Fields.size() + 1;
    ASSERT_EQ(bytes.size(), headerLength + 1);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), c.Version);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(static_cast<uint8_t>(bytes[1]), local.tm_year) << "years since 1900";
    EXPECT_EQ(Le32(bytes, 4), 0u);
    EXPECT_EQ(Le16(bytes, 8), headerLength);
    EXPECT_EQ(Le16(bytes, 10), c.RecordLength);
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]), c.Flags);
    EXPECT_EQ(static_cast<uint8_t>(bytes[29]), 0x03);
    EXPECT_EQ(bytes[headerLength - 1], 0x0D);
    EXPECT_EQ(bytes[headerLength], 0x1A);
    for (size_t i = 0; i < c.Fields.size(); ++i) {
        const std::string descriptor = bytes.substr(32 + 32 * i, 32);
        std::string upper = c.Fields[i].Name;
        for (char& ch : upper)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(descriptor.substr(0, 11), upper + std::string(11 - upper.size(), '\0'));
    }

    auto file = OpenOrFail(path, OpenMode::SharedReadOnly);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->HeaderLength(), headerLength);
    EXPECT_EQ(file->RecordCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, DbfCreate,
    ::testing::Values(
        CreateCase{"Plain", kPeople, 0, 0x03, 0x00, 1 + 20 + 10 + 1 + 8},
        CreateCase{"StructuralIndex", kPeople, DbfFile::FlagStructuralIndex, 0x03, 0x01, 40},
        CreateCase{"Memo", {{"NAME", 'C', 5, 0}, {"NOTES", 'M', 0, 0}}, 0, 0xF5, 0x02, 16},
        CreateCase{"MemoAndIndex", {{"NOTES", 'M', 10, 0}}, DbfFile::FlagStructuralIndex, 0xF5, 0x03, 11}),
    [](const auto& info) { return std::string(info.param.Name); });

struct RejectCase {
    const char* Name;
    std::vector<FieldSpec> Fields;
    const char* Message;
};

class DbfCreateRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(DbfCreateRejects, NamesTheProblem)
{
    ScratchFolder folder;
    const Status created = DbfFile::Create(folder.File("T.DBF"), GetParam().Fields);
    ASSERT_FALSE(created.Ok());
    EXPECT_NE(created.Message().find(GetParam().Message), std::string::npos) << created.Message();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DbfCreateRejects,
    ::testing::Values(RejectCase{"NoFields", {}, "at least one field"},
                      RejectCase{"EmptyName", {{"", 'C', 5, 0}}, "empty"},
                      RejectCase{"LongName", {{"ABCDEFGHIJK", 'C', 5, 0}}, "longer than 10"},
                      RejectCase{"DigitFirst", {{"1ST", 'C', 5, 0}}, "start with a letter"},
                      RejectCase{"Hyphen", {{"ZIP-4", 'C', 5, 0}}, "letters, digits and underscores"},
                      RejectCase{"Duplicate", {{"zip", 'C', 5, 0}, {"ZIP", 'N', 5, 0}}, "ZIP appears twice"},
                      RejectCase{"CharacterTooWide", {{"A", 'C', 255, 0}}, "1 to 254"},
                      RejectCase{"CharacterEmpty", {{"A", 'C', 0, 0}}, "1 to 254"},
                      RejectCase{"NumberTooWide", {{"A", 'N', 21, 0}}, "1 to 20"},
                      RejectCase{"DecimalsNotBelowWidth", {{"A", 'N', 4, 4}}, "fewer than the width"},
                      RejectCase{"LogicalWidth", {{"A", 'L', 2, 0}}, "always 1"},
                      RejectCase{"DateWidth", {{"A", 'D', 6, 0}}, "always 8"},
                      RejectCase{"DecimalsOnCharacter", {{"A", 'C', 6, 2}}, "only numeric"},
                      RejectCase{"UnknownType", {{"A", 'Y', 8, 0}}, "type Y is not supported"}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Reading and writing records --------------------------------------------------------------

TEST(DbfFile, RecordsRoundTripThroughCloseAndReopen)
{
    ScratchFolder folder;
    const std::string path = folder.File("PEOPLE.DBF");
    ASSERT_TRUE(DbfFile::Create(path, kPeople).Ok());
    {
        auto file = OpenOrFail(path, OpenMode::Exclusive);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Record(1), nullptr);
        for (const auto& values : std::vector<std::vector<std::string>>{{"Müller", "12.5", "T", "20240229"},
                                                                        {"Smith", "-3", "F", ""},
                                                                        {"Jones", "", "", "19991231"}}) {
            const std::string record = MakeRecord(*file, values);
            ASSERT_TRUE(file->AppendRecord(record.data()).Ok());
        }
        std::string changed = MakeRecord(*file, {"Smythe", "4", "t", ""});
        changed[0] = '*';
        ASSERT_TRUE(file->WriteRecord(2, changed.data()).Ok());
        EXPECT_FALSE(file->WriteRecord(4, changed.data()).Ok());
        ASSERT_TRUE(file->Commit().Ok());
    }

    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(Le32(bytes, 4), 3u);
    EXPECT_EQ(bytes.size(), 32 + 4 * 32 + 1 + 3 * 40 + 1u);
    EXPECT_EQ(bytes.back(), 0x1A);

    auto file = OpenOrFail(path, OpenMode::SharedReadOnly);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->ReadOnly());
    ASSERT_EQ(file->RecordCount(), 3u);
    EXPECT_EQ(file->Record(0), nullptr);
    EXPECT_EQ(file->Record(4), nullptr);
    EXPECT_EQ(file->FieldIndex("Amount"), 1);
    EXPECT_EQ(file->FieldIndex("amount"), 1);
    EXPECT_EQ(file->FieldIndex("AMOUNTS"), -1);
    EXPECT_EQ(file->Fields()[0].Name, "LNAME");
    const std::vector<FieldSpec> specs = file->Specs();
    ASSERT_EQ(specs.size(), 4u);
    EXPECT_EQ(specs[1].Type, 'N');
    EXPECT_EQ(specs[1].Width, 10);
    EXPECT_EQ(specs[1].Decimals, 2);
    EXPECT_EQ(specs[3].Width, 8);

    const auto read = [&](uint32_t recno, int field) {
        return FieldCodec::Read(file->Record(recno), file->Fields()[field]);
    };
    EXPECT_EQ(read(1, 0), "Müller");
    EXPECT_EQ(read(1, 1), "12.50");
    EXPECT_EQ(read(1, 2), "T");
    EXPECT_EQ(read(1, 3), "20240229");
    EXPECT_TRUE(file->IsDeleted(2));
    EXPECT_FALSE(file->IsDeleted(1));
    EXPECT_EQ(read(2, 0), "Smythe");
    EXPECT_EQ(read(2, 1), "4.00");
    EXPECT_EQ(read(2, 2), "T");
    EXPECT_EQ(read(3, 1), "");
    EXPECT_EQ(read(3, 2), "");
    EXPECT_EQ(read(3, 3), "19991231");
    EXPECT_FALSE(file->WriteRecord(1, file->Record(1)).Ok()) << "shared opens are read-only";
}

TEST(DbfFile, MappingFollowsTheFileAsItGrows)
{
    ScratchFolder folder;
    const std::string path = folder.File("BIG.DBF");
    ASSERT_TRUE(
        DbfFile::Create(path, {{"ID", 'N', 8, 0}, {"FILLER", 'C', 250, 0}, {"MORE", 'C', 250, 0}}).Ok());
    auto file = OpenOrFail(path, OpenMode::Exclusive);
    ASSERT_TRUE(file);
    // About 5 MB: several times the first mapping, so it has to grow more than once.
    const uint32_t count = 10000;
    for (uint32_t i = 1; i <= count; ++i) {
        const std::string record = MakeRecord(*file, {std::to_string(i), "x", "y"});
        auto appended = file->AppendRecord(record.data());
        ASSERT_TRUE(appended.Ok()) << appended.Message();
        ASSERT_EQ(*appended, i);
    }
    for (uint32_t recno : {1u, 2u, 4999u, count}) {
        ASSERT_NE(file->Record(recno), nullptr);
        EXPECT_EQ(FieldCodec::Read(file->Record(recno), file->Fields()[0]), std::to_string(recno));
    }
    ASSERT_TRUE(file->WriteHeader().Ok());
    EXPECT_EQ(Le32(ReadBytes(path), 4), count);
}

// A program that dies after appending keeps its records: the count reaches the file with each
// append, after the record itself.
TEST(DbfFile, AppendedRecordsSurviveAProgramThatDies)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.DBF");
    ASSERT_TRUE(DbfFile::Create(path, {{"N", 'N', 3, 0}}).Ok());
    const pid_t child = fork();
    if (child == 0) {
        auto file = DbfFile::Open(path, OpenMode::Exclusive);
        for (const char* value : {"1", "2"}) {
            std::string record(file.Value()->RecordLength(), ' ');
            (void)FieldCodec::Write(record.data(), file.Value()->Fields()[0], value);
            (void)file.Value()->AppendRecord(record.data());
        }
        _exit(0); // no destructor, no header write
    }
    int status = 0;
    waitpid(child, &status, 0);
    auto file = OpenOrFail(path, OpenMode::SharedReadOnly);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->RecordCount(), 2u);
    EXPECT_EQ(FieldCodec::Read(file->Record(2), file->Fields()[0]), "2");
    EXPECT_EQ(ReadBytes(path).back(), 0x1A);
}

TEST(DbfFile, TruncateDropsRecordsAndKeepsTheEofByte)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.DBF");
    ASSERT_TRUE(DbfFile::Create(path, {{"N", 'N', 3, 0}}).Ok());
    {
        auto file = OpenOrFail(path, OpenMode::Exclusive);
        ASSERT_TRUE(file);
        for (int i = 1; i <= 5; ++i)
            ASSERT_TRUE(file->AppendRecord(MakeRecord(*file, {std::to_string(i)}).data()).Ok());
        EXPECT_FALSE(file->Truncate(6).Ok());
        ASSERT_TRUE(file->Truncate(2).Ok());
        EXPECT_EQ(file->RecordCount(), 2u);
        EXPECT_EQ(file->Record(3), nullptr);
        // Appending after a truncate reuses the dropped space.
        ASSERT_EQ(*file->AppendRecord(MakeRecord(*file, {"9"}).data()), 3u);
        ASSERT_TRUE(file->Truncate(2).Ok());
    }
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.size(), 32 + 32 + 1 + 2 * 4 + 1u);
    EXPECT_EQ(bytes.back(), 0x1A);
    auto file = OpenOrFail(path, OpenMode::SharedReadOnly);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->RecordCount(), 2u);
    EXPECT_EQ(FieldCodec::Read(file->Record(2), file->Fields()[0]), "2");
}

TEST(DbfFile, TableFlagsAreWrittenAtOnce)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.DBF");
    ASSERT_TRUE(DbfFile::Create(path, {{"N", 'N', 3, 0}}).Ok());
    auto file = OpenOrFail(path, OpenMode::Exclusive);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->SetTableFlags(DbfFile::FlagStructuralIndex).Ok());
    EXPECT_EQ(file->TableFlags(), DbfFile::FlagStructuralIndex);
    EXPECT_EQ(ReadBytes(path)[28], 0x01);
}

// A crashed appender leaves the count stale in either direction; the file's complete records
// decide how far it can be trusted.
struct StaleCountCase {
    const char* Name;
    uint32_t HeaderCount;
    int ExtraBytes; // after the 3 records (a partial record, say)
    uint32_t Expected;
};

class DbfStaleCount : public ::testing::TestWithParam<StaleCountCase> {};

TEST_P(DbfStaleCount, CountsOnlyCompleteCommittedRecords)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.DBF");
    ASSERT_TRUE(DbfFile::Create(path, {{"N", 'N', 3, 0}}).Ok());
    {
        auto file = OpenOrFail(path, OpenMode::Exclusive);
        ASSERT_TRUE(file);
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(file->AppendRecord(MakeRecord(*file, {"1"}).data()).Ok());
    }
    std::string bytes = ReadBytes(path);
    bytes.resize(bytes.size() - 1); // the EOF byte
    bytes.append(GetParam().ExtraBytes, ' ');
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<char>(GetParam().HeaderCount >> (8 * i));
    WriteBytes(path, bytes);
    auto file = OpenOrFail(path, OpenMode::SharedReadOnly);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->RecordCount(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Counts, DbfStaleCount,
                         ::testing::Values(StaleCountCase{"Exact", 3, 0, 3},
                                           StaleCountCase{"HeaderAheadOfFile", 7, 0, 3},
                                           StaleCountCase{"PartialLastRecord", 4, 2, 3},
                                           StaleCountCase{"HugeCount", 0xFFFFFFFF, 0, 3},
                                           StaleCountCase{"FileAheadOfHeader", 1, 0, 1}),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- Malformed files ----------------------------------------------------------------------------

struct MalformedCase {
    const char* Name;
    size_t At; // patch position in a valid one-field table (header 65 bytes, record 4 bytes)
    std::string Patch;
    size_t KeepBytes; // 0 = keep everything
    const char* Message;
};

class DbfMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(DbfMalformed, OpenGivesAnErrorNamingTheFile)
{
    const MalformedCase& c = GetParam();
    ScratchFolder folder;
    const std::string path = folder.File("BAD.DBF");
    ASSERT_TRUE(DbfFile::Create(path, {{"N", 'N', 3, 0}}).Ok());
    std::string bytes = ReadBytes(path);
    bytes.replace(c.At, c.Patch.size(), c.Patch);
    if (c.KeepBytes != 0)
        bytes.resize(c.KeepBytes);
    WriteBytes(path, bytes);
    auto opened = DbfFile::Open(path, OpenMode::SharedReadOnly);
    ASSERT_FALSE(opened.Ok());
    EXPECT_NE(opened.Message().find(path), std::string::npos) << opened.Message();
    EXPECT_NE(opened.Message().find(c.Message), std::string::npos) << opened.Message();
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DbfMalformed,
    ::testing::Values(MalformedCase{"TruncatedHeader", 0, "", 20, "shorter than a table header"},
                      MalformedCase{"UnknownVersion", 0, "\x04", 0, "unknown table type 0x04"},
                      MalformedCase{"RecordLengthZero", 10, std::string("\0\0", 2), 0, "record length 0"},
                      MalformedCase{"RecordShorterThanFields", 10, std::string("\x02\0", 2), 0,
                                    "field N lies beyond"},
                      MalformedCase{"HeaderLengthTooSmall", 8, std::string("\x20\0", 2), 0, "too small"},
                      MalformedCase{"HeaderLengthBeyondFile", 8, "\xFF\x7F", 0, "exceeds the file"},
                      MalformedCase{"FieldBeyondRecord", 32 + 16, "\x09", 0, "lies beyond the record"},
                      MalformedCase{"FieldWidthZero", 32 + 16, std::string("\0", 1), 0, "no width"},
                      MalformedCase{"NoFields", 32, "\x0D", 0, "no fields"}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Files written by other tools ---------------------------------------------------------------

std::vector<std::vector<std::string>> ReadRecordsText(const std::string& path)
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> row;
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '|'))
            row.push_back(field);
        if (!line.empty() && line.back() == '|')
            row.emplace_back();
        rows.push_back(row);
    }
    return rows;
}

struct FixtureCase {
    const char* Name;
    const char* Table;
    const char* Memo; // empty when none
    MemoFile::Kind Kind;
    uint8_t Version;
    uint16_t HeaderLength;
};

class DbfFixture : public ::testing::TestWithParam<FixtureCase> {};

// Every record as the independent reader listed it: deletion flag, then each field with logicals
// as 1/0 and memos as their text.
TEST_P(DbfFixture, ReadsWhatAnotherReaderReads)
{
    const FixtureCase& c = GetParam();
    auto file = OpenOrFail(kFixtures + c.Table, OpenMode::SharedReadOnly);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Version(), c.Version);
    EXPECT_EQ(file->HeaderLength(), c.HeaderLength);
    std::unique_ptr<MemoFile> memo;
    if (*c.Memo) {
        auto opened = MemoFile::Open(kFixtures + c.Memo, c.Kind, OpenMode::SharedReadOnly);
        ASSERT_TRUE(opened.Ok()) << opened.Message();
        memo = opened.Take();
    }
    const auto expected = ReadRecordsText(
        kFixtures + std::string(c.Table).substr(0, std::string(c.Table).find('.')) + ".records.txt");
    ASSERT_EQ(file->RecordCount(), expected.size());
    for (uint32_t recno = 1; recno <= file->RecordCount(); ++recno) {
        SCOPED_TRACE("record " + std::to_string(recno));
        const char* record = file->Record(recno);
        std::vector<std::string> row = {file->IsDeleted(recno) ? "1" : "0"};
        for (const FieldDescriptor& field : file->Fields()) {
            std::string value = FieldCodec::Read(record, field);
            if (field.Type == 'L')
                value = value == "T" ? "1" : value == "F" ? "0" : "";
            if (field.Type == 'M') {
                ASSERT_TRUE(memo);
                auto text = memo->Read(FieldCodec::MemoBlock(record, field, file->IsVisualFoxPro()));
                ASSERT_TRUE(text.Ok()) << text.Message();
                value = *text;
            }
            row.push_back(value);
        }
        EXPECT_EQ(row, expected[recno - 1]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DbfFixture,
    ::testing::Values(FixtureCase{"DBaseIIIWithDbt", "test.dbf", "test.dbt", MemoFile::Kind::Dbt, 0x83, 193},
                      FixtureCase{"VisualFoxProWithFpt", "afox5.dbf", "afox5.FPT", MemoFile::Kind::Fpt, 0x30,
                                  456},
                      FixtureCase{"DBaseIIIWithIndexFlag", "rooms.dbf", "", MemoFile::Kind::Fpt, 0x03, 97}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DbfFile, UnsupportedFieldTypesComeBackAsStoredBytes)
{
    auto file = OpenOrFail(kFixtures + "types.dbf", OpenMode::SharedReadOnly);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->Fields().size(), 3u);
    EXPECT_EQ(file->Fields()[1].Type, 'Y');
    EXPECT_EQ(file->Fields()[2].Type, 'T');
    ASSERT_EQ(file->RecordCount(), 4u);
    for (uint32_t recno = 1; recno <= 4; ++recno) {
        EXPECT_EQ(FieldCodec::Read(file->Record(recno), file->Fields()[0]), std::to_string(recno));
        EXPECT_EQ(FieldCodec::Read(file->Record(recno), file->Fields()[1]).size(), 8u);
    }
    // Currency 1.0000 is the integer 10000, little-endian.
    EXPECT_EQ(FieldCodec::Read(file->Record(1), file->Fields()[1]), std::string("\x10\x27\0\0\0\0\0\0", 8));
}

TEST(DbfFile, VisualFoxProFieldsAndMemoPointers)
{
    auto file = OpenOrFail(kFixtures + "afox5.dbf", OpenMode::SharedReadOnly);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->IsVisualFoxPro());
    EXPECT_TRUE(file->HasMemoFields());
    EXPECT_EQ(file->TableFlags(), DbfFile::FlagMemo);
    EXPECT_EQ(file->CodePageMark(), 0x03);
    const FieldDescriptor& desc = file->Fields()[file->FieldIndex("desc")];
    EXPECT_EQ(desc.Width, 4);
    EXPECT_EQ(FieldCodec::MemoBlock(file->Record(1), desc, true), 8u);
    EXPECT_EQ(FieldCodec::MemoBlock(file->Record(2), desc, true), 10u);
}

// --- Locks ------------------------------------------------------------------------------------------

TEST(DbfFile, ExclusiveOpenKeepsOtherOpensOfThisProcessOut)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.DBF");
    ASSERT_TRUE(DbfFile::Create(path, {{"N", 'N', 3, 0}}).Ok());
    {
        auto first = OpenOrFail(path, OpenMode::Exclusive);
        ASSERT_TRUE(first);
        for (OpenMode mode : {OpenMode::Exclusive, OpenMode::SharedReadOnly}) {
            auto second = DbfFile::Open(path, mode);
            ASSERT_FALSE(second.Ok());
            EXPECT_EQ(second.Message(), path + " is in use by another program or user");
        }
        EXPECT_FALSE(DbfFile::Create(path, {{"N", 'N', 3, 0}}).Ok()) << "must not overwrite an open table";
    }
    {
        auto reader = OpenOrFail(path, OpenMode::SharedReadOnly);
        auto another = OpenOrFail(path, OpenMode::SharedReadOnly);
        EXPECT_TRUE(reader && another) << "readers share";
        EXPECT_FALSE(DbfFile::Open(path, OpenMode::Exclusive).Ok());
    }
    EXPECT_TRUE(OpenOrFail(path, OpenMode::Exclusive)) << "closing releases the lock";
}

// The child reports through its exit status: 0 when its open was refused as "in use".
int OpenInChildProcess(const std::string& path, OpenMode mode)
{
    const pid_t child = fork();
    if (child == 0) {
        auto opened = DbfFile::Open(path, mode);
        _exit(!opened.Ok() && opened.Message().find("in use") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DbfFile, LocksKeepOtherProcessesOut)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.DBF");
    ASSERT_TRUE(DbfFile::Create(path, {{"N", 'N', 3, 0}}).Ok());
    {
        auto exclusive = OpenOrFail(path, OpenMode::Exclusive);
        ASSERT_TRUE(exclusive);
        EXPECT_EQ(OpenInChildProcess(path, OpenMode::Exclusive), 0);
        EXPECT_EQ(OpenInChildProcess(path, OpenMode::SharedReadOnly), 0);
    }
    auto shared = OpenOrFail(path, OpenMode::SharedReadOnly);
    ASSERT_TRUE(shared);
    EXPECT_EQ(OpenInChildProcess(path, OpenMode::Exclusive), 0);
    EXPECT_EQ(OpenInChildProcess(path, OpenMode::SharedReadOnly), 1) << "a second reader is let in";
}

// --- Field values -----------------------------------------------------------------------------------

struct CodecCase {
    const char* Name;
    char Type;
    uint16_t Width;
    uint8_t Decimals;
    std::string Input;
    std::string Stored; // empty: the write must fail
    std::string ReadBack;
};

class FieldCodecTable : public ::testing::TestWithParam<CodecCase> {};

TEST_P(FieldCodecTable, WritesAndReadsBack)
{
    const CodecCase& c = GetParam();
    const FieldDescriptor field{"VALUE", c.Type, c.Width, c.Decimals, 0, 1};
    std::string record(1 + c.Width, '#');
    const Status written = FieldCodec::Write(record.data(), field, c.Input);
    if (c.Stored.empty()) {
        ASSERT_FALSE(written.Ok());
        EXPECT_NE(written.Message().find("Field VALUE"), std::string::npos) << written.Message();
        EXPECT_EQ(record, std::string(1 + c.Width, '#')) << "a failed write leaves the record alone";
        return;
    }
    ASSERT_TRUE(written.Ok()) << written.Message();
    EXPECT_EQ(record.substr(1), c.Stored);
    EXPECT_EQ(record[0], '#') << "the deletion byte is not touched";
    EXPECT_EQ(FieldCodec::Read(record.data(), field), c.ReadBack);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FieldCodecTable,
    ::testing::Values(
        CodecCase{"CharacterPadded", 'C', 6, 0, "abc", "abc   ", "abc"},
        CodecCase{"CharacterLeadingBlanksKept", 'C', 6, 0, "  ab", "  ab  ", "  ab"},
        CodecCase{"CharacterFull", 'C', 3, 0, "abc", "abc", "abc"},
        CodecCase{"CharacterEmpty", 'C', 3, 0, "", "   ", ""},
        CodecCase{"CharacterTooLong", 'C', 3, 0, "abcd", "", ""},
        CodecCase{"NumberDecimalsAdded", 'N', 10, 2, "12.5", "     12.50", "12.50"},
        CodecCase{"NumberNegative", 'N', 10, 2, "-3", "     -3.00", "-3.00"},
        CodecCase{"NumberBlanksAround", 'N', 10, 2, " 7 ", "      7.00", "7.00"},
        CodecCase{"NumberPlusSign", 'N', 4, 0, "+42", "  42", "42"},
        CodecCase{"NumberLeadingZeros", 'N', 4, 0, "007", "   7", "7"},
        CodecCase{"NumberNoLeadingDigit", 'N', 5, 2, ".5", " 0.50", "0.50"},
        CodecCase{"NumberRoundsHalfUp", 'N', 6, 2, "0.125", "  0.13", "0.13"},
        CodecCase{"NumberRoundsIntoNewDigit", 'N', 4, 0, "999.5", "1000", "1000"},
        CodecCase{"NumberNegativeZero", 'N', 6, 2, "-0.001", "  0.00", "0.00"},
        CodecCase{"NumberExactlyFull", 'N', 5, 0, "12345", "12345", "12345"},
        CodecCase{"NumberTwentyDigits", 'N', 20, 0, "12345678901234567890", "12345678901234567890",
                  "12345678901234567890"},
        CodecCase{"NumberExponent", 'N', 8, 1, "1.5e3", "  1500.0", "1500.0"},
        CodecCase{"NumberEmpty", 'N', 5, 2, "", "     ", ""},
        CodecCase{"NumberTooWide", 'N', 5, 0, "123456", "", ""},
        CodecCase{"NumberTooWideAfterDecimals", 'N', 5, 2, "123", "", ""},
        CodecCase{"NumberRoundingOverflows", 'N', 3, 0, "999.5", "", ""},
        CodecCase{"NumberText", 'N', 5, 0, "abc", "", ""},
        CodecCase{"NumberTwoPoints", 'N', 5, 0, "1.2.3", "", ""},
        CodecCase{"NumberSignOnly", 'N', 5, 0, "-", "", ""},
        CodecCase{"NumberPointOnly", 'N', 5, 0, ".", "", ""},
        CodecCase{"NumberInnerBlank", 'N', 5, 0, "1 2", "", ""},
        CodecCase{"LogicalT", 'L', 1, 0, "T", "T", "T"}, CodecCase{"LogicalLowerY", 'L', 1, 0, "y", "T", "T"},
        CodecCase{"LogicalLowerT", 'L', 1, 0, "t", "T", "T"}, CodecCase{"LogicalN", 'L', 1, 0, "N", "F", "F"},
        CodecCase{"LogicalLowerF", 'L', 1, 0, "f", "F", "F"},
        CodecCase{"LogicalEmpty", 'L', 1, 0, "", " ", ""},
        CodecCase{"LogicalUnknown", 'L', 1, 0, "?", " ", ""},
        CodecCase{"LogicalWord", 'L', 1, 0, "TRUE", "", ""},
        CodecCase{"DateValid", 'D', 8, 0, "20240229", "20240229", "20240229"},
        CodecCase{"DateEmpty", 'D', 8, 0, "", "        ", ""},
        CodecCase{"DateNotLeapYear", 'D', 8, 0, "20230229", "", ""},
        CodecCase{"DateCenturyNotLeap", 'D', 8, 0, "19000229", "", ""},
        CodecCase{"DateMonth13", 'D', 8, 0, "20241301", "", ""},
        CodecCase{"DateDayZero", 'D', 8, 0, "20240100", "", ""},
        CodecCase{"DateShort", 'D', 8, 0, "2024013", "", ""},
        CodecCase{"DateWithDashes", 'D', 8, 0, "2024-1-1", "", ""},
        CodecCase{"MemoAsText", 'M', 10, 0, "hello", "", ""},
        CodecCase{"UnknownTypeRawBytes", 'Y', 8, 0, std::string("\x10\x27\0\0\0\0\0\0", 8),
                  std::string("\x10\x27\0\0\0\0\0\0", 8), std::string("\x10\x27\0\0\0\0\0\0", 8)}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ReadCase {
    const char* Name;
    char Type;
    std::string Stored;
    std::string Read;
};

class FieldCodecRead : public ::testing::TestWithParam<ReadCase> {};

// Values other writers leave that ours never would.
TEST_P(FieldCodecRead, Normalises)
{
    const ReadCase& c = GetParam();
    const FieldDescriptor field{"VALUE", c.Type, static_cast<uint16_t>(c.Stored.size()), 0, 0, 1};
    const std::string record = " " + c.Stored;
    EXPECT_EQ(FieldCodec::Read(record.data(), field), c.Read);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FieldCodecRead,
    ::testing::Values(ReadCase{"LogicalY", 'L', "Y", "T"}, ReadCase{"LogicalLowerN", 'L', "n", "F"},
                      ReadCase{"LogicalQuestion", 'L', "?", ""}, ReadCase{"LogicalGarbage", 'L', "x", ""},
                      ReadCase{"NumberLeftAligned", 'N', "12  ", "12"},
                      ReadCase{"CharacterNulPadded", 'C', std::string("ab\0\0", 4), "ab"},
                      ReadCase{"DateBlank", 'D', "        ", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FieldCodec, MemoBlockNumbersInBothStorages)
{
    const FieldDescriptor ascii{"NOTES", 'M', 10, 0, 0, 1};
    const FieldDescriptor binary{"NOTES", 'M', 4, 0, 0, 1};
    std::string record(11, ' ');
    FieldCodec::SetMemoBlock(record.data(), ascii, false, 4);
    EXPECT_EQ(record.substr(1), "         4");
    EXPECT_EQ(FieldCodec::MemoBlock(record.data(), ascii, false), 4u);
    FieldCodec::SetMemoBlock(record.data(), ascii, false, 4294967295u);
    EXPECT_EQ(record.substr(1), "4294967295");
    EXPECT_EQ(FieldCodec::MemoBlock(record.data(), ascii, false), 4294967295u);
    FieldCodec::SetMemoBlock(record.data(), ascii, false, 0);
    EXPECT_EQ(record.substr(1), "          ");
    EXPECT_EQ(FieldCodec::MemoBlock(record.data(), ascii, false), 0u);
    record.replace(1, 10, "  12x     ");
    EXPECT_EQ(FieldCodec::MemoBlock(record.data(), ascii, false), 0u) << "garbage is no block";

    std::string vfp(5, ' ');
    FieldCodec::SetMemoBlock(vfp.data(), binary, true, 0x01020304);
    EXPECT_EQ(vfp.substr(1), "\x04\x03\x02\x01");
    EXPECT_EQ(FieldCodec::MemoBlock(vfp.data(), binary, true), 0x01020304u);
}

} // namespace
} // namespace xbase
