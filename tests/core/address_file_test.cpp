#include "core/AddressFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/AddressFileLayout.h"
#include "core/Reindex.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/settings/IniFile.h"
#include "support/ScratchFolder.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::ScratchHome;
using xbase::testing::ReadBytes;
using xbase::testing::WriteBytes;

// ---- widths of a new file --------------------------------------------------------------------

struct WidthCase {
    const char* Name;
    const char* Settings; // nullptr: no settings file at all
    int Zip;
    int Fax;
    int Email;
};

class NewFileWidths : public ::testing::TestWithParam<WidthCase> {};

TEST_P(NewFileWidths, FileDeclaresThemAndOpeningReportsThem)
{
    ScratchHome home;
    if (GetParam().Settings)
        WriteBytes(home.File("CORVAN.ini"), GetParam().Settings);
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    const std::string path = DataDirectory() + "ADD0001.DBF";
    ASSERT_TRUE(CreateAddressFile(path).Ok());
    EXPECT_TRUE(messages.Messages.empty());

    xbase::Table table;
    auto widths = OpenAddressTable(path, table);
    ASSERT_TRUE(widths.Ok()) << widths.Message();
    EXPECT_TRUE(table.IsOpen());
    EXPECT_EQ(table.Order(), 0) << "no index selected";
    EXPECT_TRUE(CheckValidIndex(table));
    EXPECT_EQ(widths->size(), 23u);
    EXPECT_EQ(widths->at("ZIP"), GetParam().Zip);
    EXPECT_EQ(widths->at("FAX"), GetParam().Fax);
    EXPECT_EQ(widths->at("EMAIL"), GetParam().Email);
    EXPECT_EQ(widths->at("LNAME"), 30);
    EXPECT_EQ(widths->at("MIDDLE"), 1);
    EXPECT_EQ(widths->at("TAG"), 8);
}

INSTANTIATE_TEST_SUITE_P(
    AddressFile, NewFileWidths,
    ::testing::Values(WidthCase{"NoSettingsFile", nullptr, 10, 40, 40},
                      WidthCase{"FiveIsKept", "[NewFileFieldLengths]\r\nFieldZIP=5\r\nFieldFAX=80\r\n", 5, 80,
                                40},
                      WidthCase{"FourGivesTheDefault", "[NewFileFieldLengths]\r\nFieldZIP=4\r\n", 10, 40, 40},
                      WidthCase{"EightyOneGivesTheDefault",
                                "[NewFileFieldLengths]\r\nFieldZIP=81\r\nFieldEMAIL=0\r\n", 10, 40, 40}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- creation failures -------------------------------------------------------------------------

TEST(CreateAddressFile, MissingFolderIsCreateFailedAndLeavesNothing)
{
    ScratchHome home;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    EXPECT_FALSE(CreateAddressFile(home.File("absent/people.dbf")).Ok());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Create failed"});
    EXPECT_FALSE(fs::exists(home.File("absent")));
}

TEST(CreateAddressFile, EngineRefusalIsFileCreationFailed)
{
    ScratchHome home;
    fs::create_directory(home.File("taken.dbf")); // a folder where the table would go
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    EXPECT_FALSE(CreateAddressFile(home.File("taken.dbf")).Ok());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File creation failed"});
    EXPECT_TRUE(fs::is_directory(home.File("taken.dbf")));
}

TEST(CreateAddressFile, IndexThatCannotBeMadeIsReportedTwiceAndTheHalfMadeFileGoes)
{
    ScratchHome home;
    // A folder with content stands where the index file must go, so it cannot be replaced.
    fs::create_directories(home.File("people.cdx/keep"));
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    EXPECT_FALSE(CreateAddressFile(home.File("people.dbf")).Ok());
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Unable to create index files", "File creation failed"}));
    EXPECT_FALSE(fs::exists(home.File("people.dbf")));
    EXPECT_FALSE(fs::exists(home.File("people.fpt")));
    EXPECT_TRUE(fs::exists(home.File("people.cdx/keep"))) << "what was there before stays";
}

// Two tables whose names differ only in case: no new file takes a name another file has in
// another case, and a twin copied in by another tool never uses (or deletes) the other's index.
TEST(CaseTwins, NoNewFileTakesATakenNameAndNoIndexServesTheOtherTable)
{
    ScratchHome home;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    const std::string upper = home.File("ADD0001.DBF");
    ASSERT_TRUE(CreateAddressFile(upper).Ok());
    const std::string upperIndex = ReadBytes(home.File("ADD0001.CDX"));
    ASSERT_FALSE(upperIndex.empty());

    const std::string lower = home.File("add0001.DBF");
    EXPECT_FALSE(CreateAddressFile(lower).Ok());
    EXPECT_FALSE(CreateAddressTable(lower, NewAddressFileFields(IniFile())).Ok());
    EXPECT_FALSE(fs::exists(lower));

    fs::copy_file(upper, lower);
    fs::copy_file(home.File("ADD0001.FPT"), home.File("add0001.FPT"));
    xbase::Table table;
    ASSERT_TRUE(OpenAddressTable(lower, table).Ok());
    EXPECT_FALSE(CheckValidIndex(table));
    ASSERT_TRUE(RebuildAddressFile(table).Ok());
    EXPECT_TRUE(CheckValidIndex(table));
    ASSERT_TRUE(table.Close().Ok());
    EXPECT_EQ(ReadBytes(home.File("ADD0001.CDX")), upperIndex);
    EXPECT_TRUE(fs::exists(home.File("add0001.CDX")));
    ASSERT_TRUE(OpenAddressTable(upper, table).Ok());
    EXPECT_TRUE(CheckValidIndex(table));
}

// ---- opening and checking ----------------------------------------------------------------------

TEST(OpenAddressTable, MissingFileIsShownAndClosesWhatWasOpen)
{
    ScratchHome home;
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    ASSERT_TRUE(CreateAddressFile(home.File("a.dbf")).Ok());
    xbase::Table table;
    ASSERT_TRUE(OpenAddressTable(home.File("a.dbf"), table).Ok());
    const std::string missing = home.File("b.dbf");
    EXPECT_FALSE(OpenAddressTable(missing, table).Ok());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File " + missing + " not found"});
    EXPECT_FALSE(table.IsOpen());
}

TEST(OpenAddressTable, ExtraFieldsAreIgnored)
{
    ScratchHome home;
    IniFile noSettings;
    auto fields = NewAddressFileFields(noSettings);
    fields.insert(fields.begin() + 3, {"BIRTHDAY", 'D', 8, 0});
    fields.push_back({"POINTS", 'N', 6, 2});
    ASSERT_TRUE(xbase::Table::Create(home.File("more.dbf"), fields).Ok());
    xbase::Table table;
    auto widths = OpenAddressTable(home.File("more.dbf"), table);
    ASSERT_TRUE(widths.Ok()) << widths.Message();
    EXPECT_EQ(widths->size(), 23u);
    EXPECT_EQ(widths->count("BIRTHDAY"), 0u);
}

TEST(OpenAddressTable, FileLackingAStoredFieldIsRefusedQuietly)
{
    ScratchHome home;
    IniFile noSettings;
    auto fields = NewAddressFileFields(noSettings);
    fields.erase(fields.begin() + 20); // ISDEL
    ASSERT_TRUE(xbase::Table::Create(home.File("short.dbf"), fields).Ok());
    RecordingMessageService messages;
    ScopedMessageService installed(messages);

    xbase::Table table;
    ASSERT_TRUE(table.Open(home.File("short.dbf")).Ok());
    auto verified = VerifyTableFields(table);
    ASSERT_FALSE(verified.Ok());
    EXPECT_EQ(verified.Message(), "Field \"ISDEL\" not found in dataset \"short.dbf\"");
    ASSERT_TRUE(table.Close().Ok());

    auto opened = OpenAddressTable(home.File("short.dbf"), table);
    EXPECT_FALSE(opened.Ok());
    EXPECT_EQ(opened.Message(), verified.Message());
    EXPECT_FALSE(table.IsOpen());
    EXPECT_TRUE(messages.Messages.empty()) << "the caller says why the file did not open";
}

// Fields with the right names and the wrong types are refused at open, naming the field.
TEST(OpenAddressTable, AFieldOfTheWrongTypeIsRefusedNamingIt)
{
    struct Case {
        const char* Field;
        xbase::FieldSpec Wrong;
        const char* Expected;
    };
    const Case cases[] = {
        {"MEMO", {"MEMO", 'C', 10, 0}, "is a character field, not a memo field"},
        {"ISDEL", {"ISDEL", 'C', 1, 0}, "is a character field, not a logical field"},
        {"DATE", {"DATE", 'D', 8, 0}, "is a date field, not a character field"},
    };
    ScratchHome home;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Field);
        auto fields = NewAddressFileFields(IniFile());
        for (auto& field : fields) {
            if (field.Name == c.Field)
                field = c.Wrong;
        }
        const std::string path = home.File(std::string(c.Field) + ".dbf");
        ASSERT_TRUE(xbase::Table::Create(path, fields).Ok());
        xbase::Table table;
        auto opened = OpenAddressTable(path, table);
        ASSERT_FALSE(opened.Ok());
        EXPECT_EQ(opened.Message(), "Field \"" + std::string(c.Field) + "\" in dataset \"" + c.Field + ".dbf\" " +
                                        c.Expected);
        EXPECT_FALSE(table.IsOpen());
    }
}

// The index is good only when the engine trusts it and it holds every tag.
struct IndexCase {
    const char* Name;
    void (*Damage)(const ScratchHome& home);
};

class IndexCheck : public ::testing::TestWithParam<IndexCase> {};

TEST_P(IndexCheck, IsNotValid)
{
    ScratchHome home;
    ASSERT_TRUE(CreateAddressFile(home.File("PEOPLE.DBF")).Ok());
    {
        xbase::Table table;
        ASSERT_TRUE(OpenAddressTable(home.File("PEOPLE.DBF"), table).Ok());
        ASSERT_TRUE(CheckValidIndex(table));
    }
    GetParam().Damage(home);
    xbase::Table table;
    ASSERT_TRUE(OpenAddressTable(home.File("PEOPLE.DBF"), table).Ok()) << "the table itself opens";
    EXPECT_FALSE(CheckValidIndex(table));
}

INSTANTIATE_TEST_SUITE_P(
    AddressFile, IndexCheck,
    ::testing::Values(IndexCase{"MissingCdx",
                                [](const ScratchHome& home) { fs::remove(home.File("PEOPLE.CDX")); }},
                      IndexCase{"CdxOfAnotherRecordCount",
                                [](const ScratchHome& home) {
                                    // The index of the empty file, the table now with a record.
                                    const std::string emptyIndex = ReadBytes(home.File("PEOPLE.CDX"));
                                    xbase::Table table;
                                    ASSERT_TRUE(table.Open(home.File("PEOPLE.DBF")).Ok());
                                    ASSERT_TRUE(table.AppendBlank().Ok());
                                    ASSERT_TRUE(table.Close().Ok());
                                    WriteBytes(home.File("PEOPLE.CDX"), emptyIndex);
                                }},
                      IndexCase{"OneTagShort",
                                [](const ScratchHome& home) {
                                    fs::remove(home.File("PEOPLE.CDX"));
                                    xbase::Table table;
                                    ASSERT_TRUE(table.Open(home.File("PEOPLE.DBF")).Ok());
                                    const auto& tags = AddressIndexTags();
                                    for (size_t i = 0; i + 1 < tags.size(); ++i) {
                                        ASSERT_TRUE(
                                            table.CreateTag(tags[i].Name, tags[i].KeyExpression).Ok());
                                    }
                                    ASSERT_TRUE(table.Close().Ok());
                                }}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- naming new files --------------------------------------------------------------------------

TEST(SuggestAddressFileName, FirstFreeNumberInAnyCase)
{
    ScratchHome home;
    EXPECT_EQ(SuggestAddressFileName(), "ADD0001");
    for (const char* name :
         {"add0001.DBF", "ADD0002.DBF", "ADD0003.dbf", "Add0004.Dbf", "ADD0006.DBF", "ADD0005.CDX"}) {
        WriteBytes(DataDirectory() + name, "");
    }
    EXPECT_EQ(SuggestAddressFileName(), "ADD0005");
}

TEST(SuggestAddressFileName, AllTakenFallsBackToTheFirst)
{
    xbase::testing::ScratchFolder folder;
    char name[16];
    for (int number = 1; number <= 9999; ++number) {
        std::snprintf(name, sizeof name, "ADD%04d.DBF", number);
        WriteBytes(folder.File(name), "");
    }
    EXPECT_EQ(SuggestAddressFileName(folder.File("")), "ADD0001");
}

struct NameCase {
    const char* Name;
    const char* Text;
    bool Valid;
};

class BaseNameRule : public ::testing::TestWithParam<NameCase> {};

TEST_P(BaseNameRule, Applies)
{
    EXPECT_EQ(IsValidAddressFileBaseName(GetParam().Text), GetParam().Valid) << '"' << GetParam().Text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    AddressFile, BaseNameRule,
    ::testing::Values(NameCase{"OneLetter", "a", true}, NameCase{"Underscore", "_", true},
                      NameCase{"EightMixed", "Add_0001", true}, NameCase{"Empty", "", false},
                      NameCase{"NineCharacters", "ADD000001", false}, NameCase{"DigitFirst", "1ADD", false},
                      NameCase{"Blank", "ADD 01", false}, NameCase{"Hyphen", "ADD-01", false},
                      NameCase{"WithExtension", "ADD.DBF", false},
                      NameCase{"NonAsciiLetter",
                               "\xc3\x84"
                               "DD",
                               false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(BaseNameRule, MessageText)
{
    EXPECT_STREQ(InvalidAddressFileNameMessage,
                 "Invalid name. Must start with A..Z, followed by A..Z,0..9 or \"_\" (underscore)");
}

} // namespace
} // namespace corvane
