#include "platform/xbase/CdxFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <sstream>

#include <unistd.h>

using namespace xbase;
namespace fs = std::filesystem;

namespace {

class TempFolder {
  public:
    TempFolder()
    {
        static int counter = 0;
        FPath = fs::temp_directory_path() /
                ("corvane-cdx-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(FPath);
        fs::create_directories(FPath);
    }
    ~TempFolder() { fs::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }

  private:
    fs::path FPath;
};

std::vector<char> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

uint32_t Le32At(const std::vector<char>& bytes, size_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

void PutLe(std::vector<char>& bytes, size_t offset, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
    }
}

TagDefinition Definition(const std::string& name, char type, uint16_t keyLength,
                         const std::string& forExpression = {})
{
    TagDefinition definition;
    definition.Name = name;
    definition.KeyExpression = "UPPER(" + name + ")";
    definition.ForExpression = forExpression;
    definition.KeyLength = keyLength;
    definition.KeyType = type;
    return definition;
}

std::string Pad(std::string key, size_t length, char fill = ' ')
{
    key.resize(length, fill);
    return key;
}

using Entries = std::vector<std::pair<std::string, uint32_t>>;

Entries Contents(const TagIndex& index)
{
    Entries result;
    for (size_t i = 0; i < index.Size(); ++i) {
        result.emplace_back(std::string(index.KeyAt(i)), index.RecnoAt(i));
    }
    return result;
}

std::string RandomText(std::mt19937& random, size_t length)
{
    std::string text;
    const size_t used = random() % (length + 1);
    for (size_t i = 0; i < used; ++i) {
        text += "AAAEEIMNRST  xyz"[random() % 16];
    }
    return Pad(text, length);
}

TagIndex RandomCharTag(const std::string& name, uint16_t keyLength, size_t count, uint32_t seed)
{
    std::mt19937 random(seed);
    TagIndex index(Definition(name, 'C', keyLength));
    for (size_t i = 0; i < count; ++i) {
        index.AppendUnsorted(RandomText(random, keyLength), static_cast<uint32_t>(i + 1));
    }
    return index;
}

// Entry sizes of the leaves of the tag whose header is at `headerOffset` (our writer puts its
// leaves right after the header) and whether its root is an interior node.
struct TreeShape {
    size_t LargestEntrySize = 0;
    bool InteriorRoot = false;
};

TreeShape ShapeOf(const std::vector<char>& bytes, uint32_t headerOffset)
{
    TreeShape shape;
    for (size_t page = headerOffset + 1024; page + 512 <= bytes.size() && (bytes[page] & 2); page += 512) {
        shape.LargestEntrySize =
            std::max<size_t>(shape.LargestEntrySize, static_cast<unsigned char>(bytes[page + 23]));
    }
    const uint32_t root = Le32At(bytes, headerOffset);
    shape.InteriorRoot = bytes[root] == 1;
    return shape;
}

// ---------------------------------------------------------------------------------------------
// Write, then read back with our own reader.

struct RoundTripCase {
    const char* Name;
    std::function<std::vector<TagIndex>()> MakeTags;
    size_t LargestEntrySize = 3; // of the first tag's leaves
    bool InteriorRoot = false;   // of the first tag
    bool DirectoryInteriorRoot = false;
};

void PrintTo(const RoundTripCase& row, std::ostream* out)
{
    *out << row.Name;
}

class CdxRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(CdxRoundTrip, ReadsBackWhatItWrote)
{
    TempFolder folder;
    const std::string path = folder.File("round.cdx");
    const std::vector<TagIndex> tags = GetParam().MakeTags();
    std::vector<const TagIndex*> pointers;
    for (const TagIndex& tag : tags) {
        pointers.push_back(&tag);
    }
    ASSERT_TRUE(CdxFile::Write(path, pointers, CdxStamp{true, false, 77}).Ok());
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    auto file = CdxFile::Open(path);
    ASSERT_TRUE(file.Ok()) << file.Message();
    ASSERT_EQ((*file)->Tags().size(), tags.size());
    for (size_t i = 0; i < tags.size(); ++i) {
        const CdxTagInfo& info = (*file)->Tags()[i];
        const TagDefinition& want = tags[i].Definition();
        SCOPED_TRACE(want.Name);
        EXPECT_EQ(info.Definition.Name, want.Name);
        EXPECT_EQ(info.Definition.KeyExpression, want.KeyExpression);
        EXPECT_EQ(info.Definition.ForExpression, want.ForExpression);
        EXPECT_EQ(info.Definition.KeyLength, want.KeyLength);
        EXPECT_EQ(info.Definition.KeyType, want.KeyType);
        EXPECT_EQ(info.Definition.Descending, want.Descending);
        EXPECT_EQ(info.Definition.Unique, want.Unique);
        EXPECT_EQ(info.KeyCount, tags[i].Size());
        auto loaded = (*file)->LoadTag(i);
        ASSERT_TRUE(loaded.Ok()) << loaded.Message();
        EXPECT_EQ(Contents(*loaded), Contents(tags[i]));
    }
    const std::vector<char> bytes = ReadBytes(path);
    const TreeShape shape = ShapeOf(bytes, (*file)->Tags()[0].HeaderOffset);
    EXPECT_EQ(shape.LargestEntrySize, GetParam().LargestEntrySize);
    EXPECT_EQ(shape.InteriorRoot, GetParam().InteriorRoot);
    EXPECT_EQ(bytes[Le32At(bytes, 0)] == 1, GetParam().DirectoryInteriorRoot);
}

std::vector<TagIndex> CharKeys()
{
    TagIndex index(Definition("NAME", 'C', 10));
    const char* keys[] = {"SMITH",      "SMITH",     "SMITHSON", "SMITHS", "",       " LEAD", "A",
                          "ZZZZZZZZZZ", "M\xFCLLER", "AB  C",    "AB",     "AB\x01", "SMITH"};
    uint32_t recno = 40;
    for (const char* key : keys) {
        index.AppendUnsorted(Pad(key, 10), recno--);
    }
    return {std::move(index)};
}

std::vector<TagIndex> NumericKeys()
{
    TagIndex numbers(Definition("AMOUNT", 'N', 8));
    const double values[] = {-5, 0, 0, 1, 1.5, 100, 1e10, -1e-5, 0, 2451545, -0.0};
    uint32_t recno = 1;
    for (const double value : values) {
        numbers.AppendUnsorted(EncodeNumericKey(value), recno++);
    }
    TagIndex dates(Definition("JOINED", 'D', 8));
    const char* days[] = {"20240229", "", "19991231", "20000101", "", "20240229"};
    for (const char* day : days) {
        dates.AppendUnsorted(EncodeNumericKey(static_cast<double>(JulianDay(day))), recno++);
    }
    TagIndex logicals(Definition("ACTIVE", 'L', 1));
    for (uint32_t i = 0; i < 300; ++i) {
        logicals.AppendUnsorted(i % 3 ? "T" : "F", i + 1);
    }
    std::vector<TagIndex> tags;
    tags.push_back(std::move(numbers));
    tags.push_back(std::move(dates));
    tags.push_back(std::move(logicals));
    return tags;
}

std::vector<TagIndex> Options()
{
    TagDefinition filtered = Definition("ZIPDESC", 'C', 5, "TRIM(UPPER(country))==\"USA\"");
    filtered.Descending = true;
    TagIndex first(filtered);
    TagDefinition unique = Definition("UZIP", 'C', 5);
    unique.Unique = true;
    TagIndex second(unique);
    for (uint32_t i = 1; i <= 50; ++i) {
        const std::string zip = std::to_string(10000 + (i * 37) % 20);
        first.AppendUnsorted(zip, i);
        second.AppendUnsorted(zip, i);
    }
    TagIndex empty(Definition("EMPTY", 'C', 20));
    std::vector<TagIndex> tags;
    tags.push_back(std::move(first));
    tags.push_back(std::move(second));
    tags.push_back(std::move(empty));
    return tags;
}

std::vector<TagIndex> EmptyOnly()
{
    std::vector<TagIndex> tags;
    tags.emplace_back(Definition("NOTHING", 'N', 8));
    return tags;
}

std::vector<TagIndex> WideRecnos()
{
    TagIndex index(Definition("WIDE", 'C', 10));
    std::mt19937 random(3);
    for (uint32_t i = 0; i < 3000; ++i) {
        index.AppendUnsorted(RandomText(random, 10), 65000 + i * 1400000u); // up to about 4.2e9
    }
    // One-byte keys start with 22 record-number bits and end with 38 in 5-byte entries.
    TagIndex flags(Definition("FLAG", 'L', 1));
    for (uint32_t i = 0; i < 3000; ++i) {
        flags.AppendUnsorted(i % 2 ? "T" : "F", 1 + i * 1400000u);
    }
    std::vector<TagIndex> tags;
    tags.push_back(std::move(index));
    tags.push_back(std::move(flags));
    return tags;
}

std::vector<TagIndex> ManyPages()
{
    std::vector<TagIndex> tags;
    tags.push_back(RandomCharTag("BIG", 24, 20000, 5));
    tags.push_back(RandomCharTag("WIDEST", 240, 600, 6)); // two entries per interior node
    return tags;
}

std::vector<TagIndex> TwentySixTags()
{
    std::vector<TagIndex> tags;
    for (int i = 0; i < 26; ++i) {
        tags.push_back(RandomCharTag(std::string("TAG") + static_cast<char>('Z' - i),
                                     static_cast<uint16_t>(1 + i * 2), 2000, static_cast<uint32_t>(i)));
    }
    return tags;
}

std::vector<TagIndex> ManyTags() // the directory itself needs several leaves
{
    std::vector<TagIndex> tags;
    for (int i = 0; i < 150; ++i) {
        tags.push_back(RandomCharTag("T" + std::to_string(1000 - i), 4, 3, static_cast<uint32_t>(i)));
    }
    return tags;
}

INSTANTIATE_TEST_SUITE_P(Cases, CdxRoundTrip,
                         testing::Values(RoundTripCase{"CharKeysWithBlanksAndDuplicates", CharKeys},
                                         RoundTripCase{"NumericDateAndLogicalKeys", NumericKeys},
                                         RoundTripCase{"ForDescendingUniqueAndEmpty", Options},
                                         RoundTripCase{"OnlyAnEmptyTag", EmptyOnly},
                                         RoundTripCase{"RecnosBeyond65535", WideRecnos, 5, true},
                                         RoundTripCase{"InteriorLevels", ManyPages, 4, true},
                                         RoundTripCase{"TwentySixTags", TwentySixTags, 3, true},
                                         RoundTripCase{"DirectoryOfManyPages", ManyTags, 3, false, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(CdxWrite, RejectsBadDefinitions)
{
    TempFolder folder;
    TagIndex good(Definition("GOOD", 'C', 4));
    TagIndex twin(Definition("good", 'C', 4));
    TagIndex tooLong(Definition("ELEVENCHARS", 'C', 4));
    TagIndex noKey(Definition("NOKEY", 'C', 0));
    TagIndex bigKey(Definition("BIGKEY", 'C', 241));
    TagIndex strangeType(Definition("TYPE", 'X', 4));
    for (const TagIndex* bad : {&twin, &tooLong, &noKey, &bigKey, &strangeType}) {
        EXPECT_FALSE(CdxFile::Write(folder.File("bad.cdx"), {&good, bad}, {}).Ok()) << bad->Definition().Name;
    }
    EXPECT_FALSE(fs::exists(folder.File("bad.cdx")));
}

TEST(CdxStampTest, RoundTripsAndRewritesInPlace)
{
    TempFolder folder;
    const std::string path = folder.File("stamp.cdx");
    TagIndex tag = RandomCharTag("NAME", 8, 100, 1);
    ASSERT_TRUE(CdxFile::Write(path, {&tag}, CdxStamp{true, false, 123456}).Ok());
    auto first = CdxFile::Open(path);
    ASSERT_TRUE(first.Ok());
    EXPECT_TRUE((*first)->Stamp().Present);
    EXPECT_FALSE((*first)->Stamp().Dirty);
    EXPECT_EQ((*first)->Stamp().RecordCount, 123456u);

    const std::vector<char> before = ReadBytes(path);
    ASSERT_TRUE(CdxFile::WriteStamp(path, CdxStamp{true, true, 99}).Ok());
    const std::vector<char> after = ReadBytes(path);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        if (i < 24 || i >= 36) {
            ASSERT_EQ(before[i], after[i]) << "byte " << i;
        }
    }
    auto second = CdxFile::Open(path);
    ASSERT_TRUE(second.Ok());
    EXPECT_TRUE((*second)->Stamp().Dirty);
    EXPECT_EQ((*second)->Stamp().RecordCount, 99u);

    EXPECT_FALSE(CdxFile::WriteStamp(folder.File("missing.cdx"), {}).Ok());
    WriteBytes(folder.File("junk.cdx"), std::vector<char>(2048, 'x'));
    EXPECT_FALSE(CdxFile::WriteStamp(folder.File("junk.cdx"), {}).Ok());
}

// ---------------------------------------------------------------------------------------------
// rooms.cdx, written by another xBase tool.

const std::string RoomsDir = std::string(CORVANE_FIXTURES) + "/xbase/";

std::vector<std::string> Lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string TrimRight(std::string_view text)
{
    const size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

// Record number -> {ROOMNAME, FACILITY} from the records listing.
std::map<uint32_t, std::pair<std::string, std::string>> RoomRecords()
{
    std::map<uint32_t, std::pair<std::string, std::string>> records;
    const std::vector<std::string> lines = Lines(RoomsDir + "rooms.records.txt");
    for (size_t i = 1; i < lines.size(); ++i) {
        std::stringstream fields(lines[i]);
        std::string deleted, name, facility;
        std::getline(fields, deleted, '|');
        std::getline(fields, name, '|');
        std::getline(fields, facility, '|');
        records[static_cast<uint32_t>(i)] = {name, facility};
    }
    return records;
}

class CdxRooms : public testing::Test {
  protected:
    void SetUp() override
    {
        auto file = CdxFile::Open(RoomsDir + "rooms.cdx");
        ASSERT_TRUE(file.Ok()) << file.Message();
        FFile = file.Take();
    }
    TagIndex Load(const std::string& name)
    {
        for (size_t i = 0; i < FFile->Tags().size(); ++i) {
            if (FFile->Tags()[i].Definition.Name == name) {
                auto tag = FFile->LoadTag(i);
                EXPECT_TRUE(tag.Ok()) << tag.Message();
                return tag.Ok() ? tag.Take() : TagIndex();
            }
        }
        ADD_FAILURE() << "no tag " << name;
        return TagIndex();
    }
    std::unique_ptr<CdxFile> FFile;
};

TEST_F(CdxRooms, ListsTheDirectoryTagsInHeaderOrder)
{
    struct Expected {
        const char* Name;
        uint32_t Offset;
        const char* For;
    };
    const std::string forPrefix = "TRIM(UPPER(facility))==";
    const Expected expected[] = {{"ROOMNAME", 1536, ""},
                                 {"FACILITY", 3072, ""},
                                 {"AUDIO", 4608, "\"AUDIO\""},
                                 {"MAIN", 7680, "\"MAIN\""},
                                 {"FILM", 9216, "\"FILM\""}};
    ASSERT_EQ(FFile->Tags().size(), std::size(expected)); // the orphaned header at 6144 is not a tag
    for (size_t i = 0; i < std::size(expected); ++i) {
        const CdxTagInfo& tag = FFile->Tags()[i];
        EXPECT_EQ(tag.Definition.Name, expected[i].Name);
        EXPECT_EQ(tag.HeaderOffset, expected[i].Offset);
        EXPECT_EQ(tag.Definition.KeyExpression, i == 1 ? "facility" : "roomname");
        EXPECT_EQ(tag.Definition.ForExpression, *expected[i].For ? forPrefix + expected[i].For : "");
        EXPECT_EQ(tag.Definition.KeyLength, 10);
        EXPECT_EQ(tag.Definition.KeyType, 'C');
        EXPECT_FALSE(tag.Definition.Descending);
        EXPECT_FALSE(tag.Definition.Unique);
    }
    EXPECT_FALSE(FFile->Stamp().Present);
    EXPECT_EQ(FFile->Tags()[0].KeyCount, 42u);
    EXPECT_EQ(FFile->Tags()[4].KeyCount, 6u);
}

TEST_F(CdxRooms, RoomnameOrderMatchesTheOtherTool)
{
    const auto records = RoomRecords();
    const TagIndex tag = Load("ROOMNAME");
    std::vector<std::string> order;
    for (size_t i = 0; i < tag.Size(); ++i) {
        const auto& record = records.at(tag.RecnoAt(i));
        EXPECT_EQ(TrimRight(tag.KeyAt(i)), record.first);
        order.push_back(record.first + " " + record.second);
    }
    EXPECT_EQ(order, Lines(RoomsDir + "rooms.roomname-order.txt"));
}

TEST_F(CdxRooms, SeeksLikeTheOtherTool)
{
    const auto records = RoomRecords();
    const TagIndex facility = Load("FACILITY");
    std::vector<std::string> found;
    for (size_t i = facility.LowerBound("Film");
         i < facility.Size() && TrimRight(facility.KeyAt(i)) == "Film"; ++i) {
        found.push_back("Film " + records.at(facility.RecnoAt(i)).first);
    }
    EXPECT_EQ(found, Lines(RoomsDir + "rooms.facility-seek-Film.txt"));

    const TagIndex names = Load("ROOMNAME");
    EXPECT_EQ(TrimRight(names.KeyAt(names.LowerBound("Celco"))), "Celco");
    EXPECT_EQ(TrimRight(names.KeyAt(names.LowerBound("Celca"))), "Celco");
}

// ---------------------------------------------------------------------------------------------
// Malformed files: an error, never a crash or a read outside the file.

struct DamageCase {
    const char* Name;
    std::function<void(std::vector<char>&)> Damage;
};

// One tag of 400 keys: bag header at 0, directory leaf at 1024, tag header at 1536, leaves from
// 2560 on, the interior root in the last page.
constexpr size_t Leaf0 = 2560;
constexpr size_t Leaf1 = 3072;

void PrintTo(const DamageCase& row, std::ostream* out)
{
    *out << row.Name;
}

class CdxDamaged : public testing::TestWithParam<DamageCase> {};

TEST_P(CdxDamaged, IsAnError)
{
    TempFolder folder;
    const std::string path = folder.File("damaged.cdx");
    TagIndex tag(Definition("KEYS", 'C', 10));
    for (uint32_t i = 1; i <= 400; ++i) {
        tag.AppendUnsorted(Pad("KEY" + std::to_string(i * 7), 10), i);
    }
    ASSERT_TRUE(CdxFile::Write(path, {&tag}, {}).Ok());
    std::vector<char> bytes = ReadBytes(path);
    ASSERT_EQ(Le32At(bytes, 1536), bytes.size() - 512); // the layout the damage assumes
    ASSERT_TRUE(ShapeOf(bytes, 1536).InteriorRoot);
    GetParam().Damage(bytes);
    WriteBytes(path, bytes);

    auto file = CdxFile::Open(path);
    if (file.Ok()) {
        ASSERT_EQ((*file)->Tags().size(), 1u);
        auto loaded = (*file)->LoadTag(0);
        EXPECT_FALSE(loaded.Ok());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CdxDamaged,
    testing::Values(
        DamageCase{"TruncatedHeader", [](auto& b) { b.resize(1000); }},
        DamageCase{"TruncatedPages", [](auto& b) { b.resize(b.size() - 512); }},
        DamageCase{"EmptyFile", [](auto& b) { b.clear(); }},
        DamageCase{"NotCompound", [](auto& b) { b[14] = 0; }},
        DamageCase{"DirectoryRootOutOfRange",
                   [](auto& b) { PutLe(b, 0, static_cast<uint32_t>(b.size()), 4); }},
        DamageCase{"TagRootOutOfRange", [](auto& b) { PutLe(b, 1536, 0x10000000, 4); }},
        DamageCase{"TagRootMisaligned", [](auto& b) { PutLe(b, 1536, Leaf0 + 1, 4); }},
        DamageCase{"TagHeaderOutOfRange", [](auto& b) { PutLe(b, 1024 + 24, 0xFE00, 2); }},
        DamageCase{"CyclicSiblings", [](auto& b) { PutLe(b, Leaf1 + 8, Leaf0, 4); }},
        DamageCase{"SiblingIsItself", [](auto& b) { PutLe(b, Leaf0 + 8, Leaf0, 4); }},
        DamageCase{"SiblingIsHeader", [](auto& b) { PutLe(b, Leaf0 + 8, 1536, 4); }},
        DamageCase{"DuplicateBeyondKeyLength", [](auto& b) { b[Leaf0 + 24 + 3 + 2] = 0x0F; }},
        DamageCase{"DuplicateAndTrailBeyondKeyLength", [](auto& b) { b[Leaf0 + 24 + 3 + 2] = 0x66; }},
        DamageCase{"FirstKeyHasDuplicate", [](auto& b) { b[Leaf0 + 24 + 2] |= 0x01; }},
        DamageCase{"FreeSpaceWrong", [](auto& b) { b[Leaf0 + 12] = static_cast<char>(b[Leaf0 + 12] + 1); }},
        DamageCase{"EntrySizeZero", [](auto& b) { b[Leaf0 + 23] = 0; }},
        DamageCase{"TooManyKeysInLeaf", [](auto& b) { PutLe(b, Leaf0 + 2, 200, 2); }},
        DamageCase{"EmptyInteriorNode", [](auto& b) { PutLe(b, b.size() - 512 + 2, 0, 2); }},
        DamageCase{"UnknownNodeType", [](auto& b) { PutLe(b, b.size() - 512, 0x40, 2); }},
        DamageCase{"KeyLengthZero", [](auto& b) { PutLe(b, 1536 + 12, 0, 2); }},
        DamageCase{"KeyExpressionOutsidePool", [](auto& b) { PutLe(b, 1536 + 510, 600, 2); }}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------------------------
// An independent reader (Perl XBase) must see the same tags, keys and seek positions.

std::string RunCommand(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, got);
        }
        ::pclose(pipe);
    }
    return output;
}

TEST(CdxPerlInterop, IndependentReaderSeesTheSameKeys)
{
    if (!fs::exists("/usr/share/perl5/XBase/Index.pm")) {
        GTEST_SKIP() << "Perl XBase (libdbd-xbase-perl) is not installed";
    }
    TempFolder folder;
    const std::string script = folder.File("cdxkeys.pl");
    std::ofstream(script) << R"(use strict; use warnings; use XBase::Index;
my ($file, $tag, $type, $seek) = @ARGV;
my $ix = XBase::Index->new($file, type => $type || 'C', defined $tag ? (tag => $tag) : ())
  or die XBase::Index->errstr;
if (!defined $tag) { print "$_\n" for $ix->tags; exit 0 }
defined $seek ? $ix->prepare_select_eq($seek) : $ix->prepare_select;
while (my ($key, $recno) = $ix->fetch) { print "$key\t$recno\n" }
)";

    // Names with shared prefixes, trailing blanks and duplicates; enough of them for many leaves.
    const char* stems[] = {"SMITH", "SMITHERS", "SMYTHE", "SCHMIDT", "SCHMIDTBAUER", "S", "ADAMS", "ADAMSON"};
    TagIndex names(Definition("NAME", 'C', 15));
    TagIndex cities(Definition("CITY", 'C', 20));
    TagIndex amounts(Definition("AMOUNT", 'N', 8));
    uint32_t recno = 0;
    for (int round = 0; round < 60; ++round) {
        for (const char* stem : stems) {
            ++recno;
            names.AppendUnsorted(
                Pad(std::string(stem) + (round % 3 ? "" : " J") + (round % 4 ? "" : "R"), 15), recno);
            cities.AppendUnsorted(Pad(round % 2 ? "SPRINGFIELD" : "SPRING", 20), recno);
            amounts.AppendUnsorted(EncodeNumericKey((round - 30) * 2.5 + (recno % 5)), recno);
        }
    }
    const std::string path = folder.File("people.cdx");
    ASSERT_TRUE(CdxFile::Write(path, {&names, &cities, &amounts}, {}).Ok());
    auto file = CdxFile::Open(path);
    ASSERT_TRUE(file.Ok());
    ASSERT_GT((*file)->Tags()[0].KeyCount, 400u);

    const std::string perl = "perl " + script + " " + path;
    EXPECT_EQ(RunCommand(perl), "AMOUNT\nCITY\nNAME\n");

    auto ours = [&](size_t tagNumber, size_t from, bool numeric) {
        auto tag = (*file)->LoadTag(tagNumber);
        EXPECT_TRUE(tag.Ok());
        std::string listing;
        for (size_t i = from; i < tag->Size(); ++i) {
            std::string key = numeric ? "" : TrimRight(tag->KeyAt(i));
            if (numeric) {
                std::ostringstream number;
                number << DecodeNumericKey(tag->KeyAt(i));
                key = number.str();
            }
            listing += key + "\t" + std::to_string(tag->RecnoAt(i)) + "\n";
        }
        return listing;
    };
    EXPECT_EQ(RunCommand(perl + " NAME C"), ours(0, 0, false));
    EXPECT_EQ(RunCommand(perl + " CITY C"), ours(1, 0, false));
    EXPECT_EQ(RunCommand(perl + " AMOUNT N"), ours(2, 0, true));
    auto nameTag = (*file)->LoadTag(0);
    EXPECT_EQ(RunCommand(perl + " NAME C SMITHERS"), ours(0, nameTag->LowerBound("SMITHERS"), false));
    EXPECT_EQ(RunCommand(perl + " NAME C SCHMIDTB"), ours(0, nameTag->LowerBound("SCHMIDTB"), false));
}

} // namespace
