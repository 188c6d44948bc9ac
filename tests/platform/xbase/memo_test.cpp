#include "platform/xbase/MemoFile.h"

#include <gtest/gtest.h>

#include "support/ScratchFolder.h"

namespace xbase {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

const std::string kFixtures = std::string(CORVANE_FIXTURES) + "/xbase/";

uint32_t Be32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

std::unique_ptr<MemoFile> OpenOrFail(const std::string& path, MemoFile::Kind kind, OpenMode mode)
{
    auto opened = MemoFile::Open(path, kind, mode);
    EXPECT_TRUE(opened.Ok()) << opened.Message();
    return opened.Ok() ? opened.Take() : nullptr;
}

class FptFile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(MemoFile::CreateFpt(FPath, 64).Ok()); }
    ScratchFolder FFolder;
    std::string FPath = FFolder.File("T.FPT");
};

TEST_F(FptFile, CreateWritesABigEndianHeader)
{
    const std::string bytes = ReadBytes(FPath);
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(Be32(bytes, 0), 8u) << "first data block after the 512-byte header";
    EXPECT_EQ(bytes.substr(4, 4), std::string("\0\0\0\x40", 4));
    auto memo = OpenOrFail(FPath, MemoFile::Kind::Fpt, OpenMode::SharedReadOnly);
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->BlockSize(), 64u);
}

TEST_F(FptFile, MemosRoundTripAndEmptyTextTakesNoBlock)
{
    const std::string longText(1000, 'x');
    uint32_t first = 0;
    uint32_t second = 0;
    {
        auto memo = OpenOrFail(FPath, MemoFile::Kind::Fpt, OpenMode::Exclusive);
        ASSERT_TRUE(memo);
        EXPECT_EQ(*memo->Write("", 0), 0u);
        EXPECT_EQ(*memo->Read(0), "");
        first = *memo->Write("first note", 0);
        second = *memo->Write(longText, 0);
        ASSERT_TRUE(memo->Commit().Ok());
    }
    EXPECT_EQ(first, 8u);
    EXPECT_EQ(second, 9u);
    const std::string bytes = ReadBytes(FPath);
    EXPECT_EQ(Be32(bytes, 0), 9u + 16) << "1008 bytes take 16 blocks";
    EXPECT_EQ(bytes.size(), (9u + 16) * 64) << "the file ends on a block boundary";
    EXPECT_EQ(Be32(bytes, 8 * 64), 1u) << "text block";
    EXPECT_EQ(Be32(bytes, 8 * 64 + 4), 10u);

    auto memo = OpenOrFail(FPath, MemoFile::Kind::Fpt, OpenMode::SharedReadOnly);
    ASSERT_TRUE(memo);
    EXPECT_EQ(*memo->Read(first), "first note");
    EXPECT_EQ(*memo->Read(second), longText);
    EXPECT_FALSE(memo->Write("more", 0).Ok()) << "shared opens are read-only";
}

TEST_F(FptFile, RewriteReusesTheOldRunOnlyWhenTheTextFits)
{
    auto memo = OpenOrFail(FPath, MemoFile::Kind::Fpt, OpenMode::Exclusive);
    ASSERT_TRUE(memo);
    const uint32_t block = *memo->Write(std::string(100, 'a'), 0); // 108 bytes: 2 blocks
    const uint32_t neighbour = *memo->Write("neighbour", 0);
    ASSERT_EQ(block, 8u);
    ASSERT_EQ(neighbour, 10u);

    // Shorter, and as long as the two blocks allow: written in place.
    EXPECT_EQ(*memo->Write("short", block), block);
    EXPECT_EQ(*memo->Read(block), "short");
    // The run is measured from the memo stored there now (one block), not from the first one.
    EXPECT_EQ(*memo->Write(std::string(56, 'b'), block), block) << "8 + 56 = 64 fills one block";
    const uint32_t moved = *memo->Write(std::string(57, 'c'), block);
    EXPECT_EQ(moved, 11u) << "one byte too many for one block: appended";
    EXPECT_EQ(*memo->Read(moved), std::string(57, 'c'));
    EXPECT_EQ(*memo->Read(neighbour), "neighbour") << "the neighbour is untouched";
    EXPECT_EQ(*memo->Write(std::string(120, 'd'), moved), moved) << "8 + 120 = 128 fits the two blocks";
    EXPECT_EQ(*memo->Write("", moved), 0u);
}

TEST_F(FptFile, ZapLeavesOnlyTheHeader)
{
    auto memo = OpenOrFail(FPath, MemoFile::Kind::Fpt, OpenMode::Exclusive);
    ASSERT_TRUE(memo);
    ASSERT_TRUE(memo->Write(std::string(300, 'z'), 0).Ok());
    ASSERT_TRUE(memo->Zap().Ok());
    const std::string bytes = ReadBytes(FPath);
    EXPECT_EQ(bytes.size(), 512u);
    EXPECT_EQ(Be32(bytes, 0), 8u);
    EXPECT_FALSE(memo->Read(8).Ok()) << "the old memo is gone";
    EXPECT_EQ(*memo->Write("again", 0), 8u);
}

TEST_F(FptFile, OpensAreExclusive)
{
    auto memo = OpenOrFail(FPath, MemoFile::Kind::Fpt, OpenMode::Exclusive);
    ASSERT_TRUE(memo);
    auto second = MemoFile::Open(FPath, MemoFile::Kind::Fpt, OpenMode::SharedReadOnly);
    ASSERT_FALSE(second.Ok());
    EXPECT_EQ(second.Message(), FPath + " is in use by another program or user");
    EXPECT_FALSE(MemoFile::CreateFpt(FPath).Ok());
}

// A header whose append point lags behind the file (a crash between data and header) must not
// make a new memo land on one that is still in use.
TEST_F(FptFile, AppendsAfterEverythingTheFileHolds)
{
    {
        auto memo = OpenOrFail(FPath, MemoFile::Kind::Fpt, OpenMode::Exclusive);
        ASSERT_TRUE(memo);
        ASSERT_EQ(*memo->Write("kept", 0), 8u);
    }
    std::string bytes = ReadBytes(FPath);
    bytes[3] = 8; // append point back at block 8
    WriteBytes(FPath, bytes);
    auto memo = OpenOrFail(FPath, MemoFile::Kind::Fpt, OpenMode::Exclusive);
    ASSERT_TRUE(memo);
    EXPECT_EQ(*memo->Write("new", 0), 9u);
    EXPECT_EQ(*memo->Read(8), "kept");
}

struct BadMemoCase {
    const char* Name;
    uint32_t Block;
    std::string Patch; // written at block 8 (offset 512) of a file holding one memo there
    const char* Message;
};

class FptMalformed : public ::testing::TestWithParam<BadMemoCase> {};

TEST_P(FptMalformed, ReadGivesAnError)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.FPT");
    ASSERT_TRUE(MemoFile::CreateFpt(path, 64).Ok());
    {
        auto memo = OpenOrFail(path, MemoFile::Kind::Fpt, OpenMode::Exclusive);
        ASSERT_TRUE(memo);
        ASSERT_TRUE(memo->Write("text", 0).Ok());
    }
    std::string bytes = ReadBytes(path);
    bytes.replace(512, GetParam().Patch.size(), GetParam().Patch);
    WriteBytes(path, bytes);
    auto memo = OpenOrFail(path, MemoFile::Kind::Fpt, OpenMode::SharedReadOnly);
    ASSERT_TRUE(memo);
    auto read = memo->Read(GetParam().Block);
    ASSERT_FALSE(read.Ok());
    EXPECT_NE(read.Message().find(GetParam().Message), std::string::npos) << read.Message();
    EXPECT_NE(read.Message().find(path), std::string::npos) << read.Message();
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, FptMalformed,
    ::testing::Values(BadMemoCase{"BeyondEndOfFile", 9, "", "beyond the end"},
                      BadMemoCase{"FarBeyondEndOfFile", 0xFFFFFFFF, "", "beyond the end"},
                      BadMemoCase{"InsideTheHeader", 1, "", "inside the file header"},
                      BadMemoCase{"LengthBeyondEndOfFile", 8, std::string("\0\0\0\x01\x7F\xFF\xFF\xFF", 8),
                                  "more than the file holds"},
                      BadMemoCase{"LengthOneTooMany", 8, std::string("\0\0\0\x01\0\0\0\x39", 8),
                                  "more than the file holds"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MemoFile, OpenRejectsBrokenHeaders)
{
    ScratchFolder folder;
    const std::string shortFile = folder.File("SHORT.FPT");
    WriteBytes(shortFile, std::string(100, '\0'));
    auto opened = MemoFile::Open(shortFile, MemoFile::Kind::Fpt, OpenMode::SharedReadOnly);
    ASSERT_FALSE(opened.Ok());
    EXPECT_NE(opened.Message().find("shorter than its header"), std::string::npos);

    const std::string zeroBlocks = folder.File("ZERO.FPT");
    WriteBytes(zeroBlocks, std::string(512, '\0'));
    opened = MemoFile::Open(zeroBlocks, MemoFile::Kind::Fpt, OpenMode::SharedReadOnly);
    ASSERT_FALSE(opened.Ok());
    EXPECT_NE(opened.Message().find("block size is 0"), std::string::npos);

    EXPECT_FALSE(
        MemoFile::Open(folder.File("MISSING.FPT"), MemoFile::Kind::Fpt, OpenMode::SharedReadOnly).Ok());
}

TEST(MemoFile, ReadsAVisualFoxProFpt)
{
    auto memo = OpenOrFail(kFixtures + "afox5.FPT", MemoFile::Kind::Fpt, OpenMode::SharedReadOnly);
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->BlockSize(), 64u);
    EXPECT_EQ(*memo->Read(8), "first desc.");
    EXPECT_EQ(*memo->Read(11), "second mess.");
    EXPECT_FALSE(memo->Read(12).Ok());
}

TEST(MemoFile, DbtTextEndsAtTheEndMarkOrTheFile)
{
    ScratchFolder folder;
    const std::string path = folder.File("T.DBT");
    // Block 1 ends with the double end mark, block 2 runs over a block boundary to the end of file.
    std::string bytes(512, '\0');
    bytes += "one\x1A\x1A" + std::string(507, '\0');
    bytes += std::string(600, 'q');
    WriteBytes(path, bytes);
    auto memo = OpenOrFail(path, MemoFile::Kind::Dbt, OpenMode::Exclusive);
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->BlockSize(), 512u);
    EXPECT_EQ(*memo->Read(1), "one");
    EXPECT_EQ(*memo->Read(2), std::string(600, 'q'));
    EXPECT_EQ(*memo->Read(0), "");
    EXPECT_FALSE(memo->Read(4).Ok());
    EXPECT_FALSE(memo->Write("text", 0).Ok()) << "dBase III memos are read only";
    EXPECT_FALSE(memo->Zap().Ok());

    auto fixture = OpenOrFail(kFixtures + "test.dbt", MemoFile::Kind::Dbt, OpenMode::SharedReadOnly);
    ASSERT_TRUE(fixture);
    EXPECT_EQ(*fixture->Read(1), "This is a memo for record no one");
}

} // namespace
} // namespace xbase
