// Long seeded random runs over a table with several kinds of tags, compared against a plain
// model: every tag walked key by key, seeks, and the finished index read by an independent reader.
// A failure names its seed; CORVANE_MODEL_SEED replays it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TableModel.h"
#include "platform/xbase/Table.h"
#include "support/ScratchFolder.h"

namespace xbase {
namespace {

using model::Entry;
using model::Pad;
using model::Random;
using model::Record;
using model::Records;
using model::Upper;
using testing::ScratchFolder;

enum FieldNumber { LName, FName, City, Amount, Joined, Active };

const std::vector<FieldSpec> Fields = {
    {"LNAME", 'C', 20, 0}, {"FNAME", 'C', 12, 0}, {"CITY", 'C', 16, 0},
    {"AMOUNT", 'N', 7, 0}, {"JOINED", 'D', 8, 0}, {"ACTIVE", 'L', 1, 0},
};

std::vector<model::Tag> Tags()
{
    return {
        {"LNAME", "LNAME", "", [](const Record& r) { return Pad(r.Values[LName], 20); }, nullptr, 'C'},
        {"NAME", "UPPER(LNAME)+UPPER(FNAME)", "",
         [](const Record& r) { return Upper(Pad(r.Values[LName], 20)) + Upper(Pad(r.Values[FName], 12)); },
         nullptr, 'C'},
        {"AMOUNT", "AMOUNT", "", [](const Record& r) { return model::NumberKey(r.Values[Amount]); }, nullptr,
         'N'},
        {"JOINED", "JOINED", "", [](const Record& r) { return model::DateKey(r.Values[Joined]); }, nullptr,
         'D'},
        {"CITYACT", "UPPER(CITY)", "ACTIVE", [](const Record& r) { return Upper(Pad(r.Values[City], 16)); },
         [](const Record& r) { return r.Values[Active] == "T"; }, 'C'},
        {"DELETED", "DELETED()", "", [](const Record& r) { return std::string(r.Deleted ? "T" : "F"); },
         nullptr, 'L'},
    };
}

// Values chosen to crowd keys together: equal keys, long shared prefixes, case variants, trailing
// blanks, all-blank keys and keys that fill the whole field.
std::string FieldValue(Random& random, int field)
{
    static const std::vector<std::string> lastNames = {
        "MACDONALDSONWORTHING",
        "MACDONALDSONWORTHY",
        "MACDONALDSONWORTHX",
        "MACDONALD",
        "MAC",
        "Mac",
        "macdonald",
        "SMITH",
        "Smith",
        "SMITH   ",
        "",
        "     ",
        "ZZZZZZZZZZZZZZZZZZZZ",
        "A",
    };
    static const std::vector<std::string> firstNames = {"ANN", "Ann", "ANNE",       "ANNABELLE",
                                                        "",    "  ",  "ANNABELLEJO"};
    static const std::vector<std::string> cities = {
        "SPRINGFIELD", "SPRINGFIELDS", "SPRING", "Springfield", "", "NEW YORK", "NEW YORK CITY"};
    static const std::vector<std::string> amounts = {"0", "1", "-1", "100", "99999", "-99999", "250"};
    static const std::vector<std::string> dates = {"", "20000101", "19991231", "20240229"};
    switch (field) {
    case LName:
        return random.Chance(70) ? random.Pick(lastNames) : random.Letters(1 + random.Below(20), true);
    case FName:
        return random.Chance(70) ? random.Pick(firstNames) : random.Letters(1 + random.Below(12), true);
    case City:
        return random.Chance(70) ? random.Pick(cities) : random.Letters(1 + random.Below(16));
    case Amount:
        return random.Chance(50) ? random.Pick(amounts)
                                 : std::to_string(static_cast<int>(random.Below(1100000)) - 100000);
    case Joined: {
        if (random.Chance(50))
            return random.Pick(dates);
        char text[16];
        std::snprintf(text, sizeof text, "%04u%02u%02u", 1900 + random.Below(200), 1 + random.Below(12),
                      1 + random.Below(28));
        return text;
    }
    default:
        return random.Chance(50) ? "T" : "F";
    }
}

// A seek text for a tag and the key bytes the engine compares with it (a prefix for character
// tags).
std::pair<std::string, std::string> SeekFor(Random& random, const model::Tag& tag, const Records& records)
{
    const Record& record = records[random.Below(static_cast<uint32_t>(records.size()))];
    switch (tag.SeekType) {
    case 'C': {
        std::string key = random.Chance(10) ? random.Letters(3) : tag.KeyOf(record);
        key.resize(1 + random.Below(static_cast<uint32_t>(key.size())));
        return {key, key};
    }
    case 'N': {
        std::string text =
            random.Chance(20) ? std::to_string(random.Below(1000)) : model::TrimBoth(record.Values[Amount]);
        return {text, model::NumberKey(text)};
    }
    case 'D': {
        std::string text = random.Chance(20) ? "20991231" : record.Values[Joined];
        return {text, model::DateKey(text)};
    }
    default: {
        std::string text = random.Chance(50) ? "T" : "F";
        return {text, text};
    }
    }
}

// Every tag in the model's order, the records as the model holds them, and sampled seeks.
void CheckAgainstModel(Table& table, const Records& records, Random& random, const std::string& when)
{
    SCOPED_TRACE(when);
    ASSERT_EQ(table.ProductionIndexState(), IndexState::Valid) << table.IndexProblem();
    ASSERT_EQ(model::CompareRecords(table, Fields, records), "");
    for (const model::Tag& tag : Tags()) {
        const std::vector<Entry> entries = model::ExpectedEntries(records, tag);
        ASSERT_EQ(model::WalkOrder(table, tag.Name), model::Recnos(entries)) << "tag " << tag.Name;
        ASSERT_EQ(model::WalkOrderBackward(table, tag.Name), model::Recnos(entries))
            << "tag " << tag.Name << " backwards";
        if (records.empty())
            continue;
        for (int sample = 0; sample < 40; ++sample) {
            auto [text, wanted] = SeekFor(random, tag, records);
            auto first = std::lower_bound(entries.begin(), entries.end(), Entry{wanted, 0});
            const bool expected = first != entries.end() && first->Key.compare(0, wanted.size(), wanted) == 0;
            auto found = table.Seek(text);
            ASSERT_TRUE(found.Ok()) << found.Message();
            ASSERT_EQ(*found, expected) << "tag " << tag.Name << " seek \"" << text << "\"";
            if (expected) {
                ASSERT_EQ(table.RecNo(), first->Recno) << "tag " << tag.Name << " seek \"" << text << "\"";
            } else {
                ASSERT_TRUE(table.Eof()) << "tag " << tag.Name << " seek \"" << text << "\"";
            }
        }
    }
}

void Reopen(Table& table, const std::string& path)
{
    ASSERT_TRUE(table.Close().Ok());
    ASSERT_TRUE(table.Open(path).Ok());
    table.SetDeletedHidden(false);
}

TEST(TableModel, RandomEditsKeepEveryTagInModelOrder)
{
    const uint64_t seed = model::SeedFrom("CORVANE_MODEL_SEED", 20261211);
    SCOPED_TRACE("seed " + std::to_string(seed) + " (replay with CORVANE_MODEL_SEED)");
    Random random(seed);
    ScratchFolder folder;
    const std::string path = folder.File("model.dbf");
    Records records;
    model::CreateTable(path, Fields, Tags(), records);
    Table table;
    ASSERT_TRUE(table.Open(path).Ok());
    table.SetDeletedHidden(false);

    constexpr int Steps = 100000;
    constexpr uint32_t MostRecords = 2000;
    int packs = 0;
    for (int step = 1; step <= Steps; ++step) {
        const uint32_t count = static_cast<uint32_t>(records.size());
        const uint32_t roll = random.Below(100);
        if (count == 0 || (roll < 22 && count < MostRecords)) {
            Record record;
            for (size_t f = 0; f < Fields.size(); ++f)
                record.Values.push_back(FieldValue(random, static_cast<int>(f)));
            ASSERT_TRUE(table.AppendBlank().Ok());
            for (size_t f = 0; f < Fields.size(); ++f) {
                ASSERT_TRUE(table.PutField(Fields[f].Name, record.Values[f]).Ok()) << "step " << step;
            }
            records.push_back(record);
        } else if (roll < 66 || roll >= 87) {
            const uint32_t recno = 1 + random.Below(count);
            ASSERT_TRUE(table.GoTo(recno).Ok());
            // Mostly the key fields of the character tags, which move the most keys.
            for (uint32_t n = 1 + random.Below(3); n > 0; --n) {
                const int field =
                    random.Chance(60) ? static_cast<int>(random.Below(3)) : static_cast<int>(random.Below(6));
                const std::string value = FieldValue(random, field);
                ASSERT_TRUE(table.PutField(Fields[field].Name, value).Ok()) << "step " << step;
                records[recno - 1].Values[field] = value;
            }
        } else if (roll < 84) {
            const uint32_t recno = 1 + random.Below(count);
            const bool deleting = roll < 76;
            ASSERT_TRUE(table.GoTo(recno).Ok());
            ASSERT_TRUE((deleting ? table.Delete() : table.Recall()).Ok()) << "step " << step;
            records[recno - 1].Deleted = deleting;
        } else if (roll < 86) {
            // Now and then only: each commit syncs the files.
            if (random.Chance(20)) {
                ASSERT_TRUE(table.Commit().Ok()) << "step " << step;
            }
        } else if (roll == 86 && random.Chance(20)) {
            // Edits made while the cursor walks an index order must not disturb the other tags.
            ASSERT_TRUE(
                table.SetOrder(static_cast<int>(random.Below(static_cast<uint32_t>(Tags().size()) + 1)))
                    .Ok());
        }
        if (random.Below(10000) == 0) {
            ASSERT_TRUE(table.Pack().Ok()) << "step " << step;
            std::erase_if(records, [](const Record& r) { return r.Deleted; });
            ++packs;
        }
        if (random.Below(1500) == 0) {
            ASSERT_NO_FATAL_FAILURE(Reopen(table, path));
        }
        if (step % 10000 == 0) {
            ASSERT_NO_FATAL_FAILURE(
                CheckAgainstModel(table, records, random, "step " + std::to_string(step)));
        }
    }
    ASSERT_NO_FATAL_FAILURE(Reopen(table, path));
    ASSERT_NO_FATAL_FAILURE(CheckAgainstModel(table, records, random, "after the run, reopened"));
    ASSERT_TRUE(table.Close().Ok());
    std::printf("seed %llu: %zu records at the end, %d packs\n", static_cast<unsigned long long>(seed),
                records.size(), packs);

    if (!model::PerlXBaseAvailable())
        GTEST_SKIP() << "Perl XBase (libdbd-xbase-perl) is not installed";
    const std::string cdx = model::CompanionCdx(path);
    ASSERT_FALSE(cdx.empty());
    for (const model::Tag& tag : Tags()) {
        const char type = tag.SeekType == 'N' || tag.SeekType == 'D' ? 'N' : 'C';
        EXPECT_EQ(model::PerlTagOrder(folder.File(""), cdx, tag.Name, type),
                  model::Recnos(model::ExpectedEntries(records, tag)))
            << "Perl XBase reading tag " << tag.Name;
    }
}

// ---- page splits and merges ---------------------------------------------------------------------

enum class KeyShape { SharedPrefix, TrailingBlanks, Distinct };
enum class Sequence { Ascending, Descending, Shuffled };

struct SplitCase {
    const char* Name;
    KeyShape Shape;
    Sequence Insert;
    Sequence Remove;
};

// Keys of one 30-byte field: a long common stem with short differing tails (compact leaves hold
// many), one or two letters and the rest blanks (all trail), or 30 random letters (few per leaf).
std::vector<std::string> SplitKeys(KeyShape shape, size_t count, Random& random)
{
    std::vector<std::string> keys;
    for (size_t i = 0; i < count; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%05zu", i);
        switch (shape) {
        case KeyShape::SharedPrefix:
            keys.push_back(std::string("WESTMINSTERABBEYCLOISTERS") + number);
            break;
        case KeyShape::TrailingBlanks:
            keys.push_back(std::string(1, static_cast<char>('A' + i % 26)) +
                           (i % 3 ? std::string(1, static_cast<char>('A' + (i / 26) % 26)) : std::string()));
            break;
        case KeyShape::Distinct:
            keys.push_back(random.Letters(30));
            break;
        }
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::vector<size_t> InOrder(Sequence sequence, size_t count, Random& random)
{
    std::vector<size_t> order(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = sequence == Sequence::Descending ? count - 1 - i : i;
    if (sequence == Sequence::Shuffled) {
        for (size_t i = count; i > 1; --i)
            std::swap(order[i - 1], order[random.Below(static_cast<uint32_t>(i))]);
    }
    return order;
}

class TableSplits : public ::testing::TestWithParam<SplitCase> {};

// Keys enter in the case's order (ascending, descending or shuffled key values), then leave the
// live tag record by record down to none and come back, then all collapse onto the blank key and
// return: each phase fills, splits, empties and merges leaves at different places. A plain tag
// and a tag that drops deleted records are checked after every phase, and once more from disk.
TEST_P(TableSplits, TagOrderHoldsThroughFillingAndEmptying)
{
    const SplitCase& param = GetParam();
    Random random(7 + static_cast<uint64_t>(param.Shape) * 9 + static_cast<uint64_t>(param.Insert) * 3 +
                  static_cast<uint64_t>(param.Remove));
    constexpr size_t Count = 2000;
    const std::vector<FieldSpec> fields = {{"KEY", 'C', 30, 0}};
    const std::vector<model::Tag> tags = {
        {"KEY", "KEY", "", [](const Record& r) { return Pad(r.Values[0], 30); }, nullptr, 'C'},
        {"LIVE", "KEY", "!DELETED()", [](const Record& r) { return Pad(r.Values[0], 30); },
         [](const Record& r) { return !r.Deleted; }, 'C'},
    };
    ScratchFolder folder;
    const std::string path = folder.File("splits.dbf");
    Records records;
    model::CreateTable(path, fields, tags, records);
    Table table;
    ASSERT_TRUE(table.Open(path).Ok());
    table.SetDeletedHidden(false);

    auto check = [&](const std::string& phase) {
        for (const model::Tag& tag : tags) {
            const std::vector<uint32_t> expected = model::Recnos(model::ExpectedEntries(records, tag));
            ASSERT_EQ(model::WalkOrder(table, tag.Name), expected) << phase << ", tag " << tag.Name;
            ASSERT_EQ(model::WalkOrderBackward(table, tag.Name), expected)
                << phase << ", tag " << tag.Name << " backwards";
        }
    };
    const std::vector<std::string> keys = SplitKeys(param.Shape, Count, random);
    for (size_t index : InOrder(param.Insert, Count, random)) {
        ASSERT_TRUE(table.AppendBlank().Ok());
        ASSERT_TRUE(table.PutField("KEY", keys[index]).Ok());
        records.push_back({{keys[index]}, false});
    }
    ASSERT_NO_FATAL_FAILURE(check("filled"));

    // Record numbers visited in the order of their keys, so "ascending" empties the tag from its
    // first leaf on.
    std::vector<uint32_t> byKey = model::Recnos(model::ExpectedEntries(records, tags[0]));
    const std::vector<size_t> removal = InOrder(param.Remove, Count, random);
    auto eachRecord = [&](const std::function<void(uint32_t)>& change, const std::string& phase) {
        for (size_t i = 0; i < Count; ++i) {
            change(byKey[removal[i]]);
            if (::testing::Test::HasFatalFailure())
                return;
            if (i == Count / 2) {
                ASSERT_NO_FATAL_FAILURE(check(phase + " half way"));
            }
        }
        ASSERT_NO_FATAL_FAILURE(check(phase));
    };
    ASSERT_NO_FATAL_FAILURE(eachRecord(
        [&](uint32_t recno) {
            ASSERT_TRUE(table.GoTo(recno).Ok());
            ASSERT_TRUE(table.Delete().Ok());
            records[recno - 1].Deleted = true;
        },
        "all deleted"));
    ASSERT_EQ(model::WalkOrder(table, "LIVE"), std::vector<uint32_t>{});
    ASSERT_NO_FATAL_FAILURE(eachRecord(
        [&](uint32_t recno) {
            ASSERT_TRUE(table.GoTo(recno).Ok());
            ASSERT_TRUE(table.Recall().Ok());
            records[recno - 1].Deleted = false;
        },
        "all recalled"));
    ASSERT_NO_FATAL_FAILURE(eachRecord(
        [&](uint32_t recno) {
            ASSERT_TRUE(table.GoTo(recno).Ok());
            ASSERT_TRUE(table.PutField("KEY", "").Ok());
            records[recno - 1].Values[0].clear();
        },
        "all blank"));
    ASSERT_NO_FATAL_FAILURE(eachRecord(
        [&](uint32_t recno) {
            ASSERT_TRUE(table.GoTo(recno).Ok());
            ASSERT_TRUE(table.PutField("KEY", keys[recno % Count]).Ok());
            records[recno - 1].Values[0] = keys[recno % Count];
        },
        "keys back"));
    ASSERT_TRUE(table.Close().Ok());
    ASSERT_TRUE(table.Open(path).Ok());
    ASSERT_EQ(table.ProductionIndexState(), IndexState::Valid) << table.IndexProblem();
    ASSERT_NO_FATAL_FAILURE(check("reopened"));
    ASSERT_TRUE(table.Close().Ok());

    // The other tool must read the leaves as they were left by all that splitting and merging.
    if (!model::PerlXBaseAvailable())
        GTEST_SKIP() << "Perl XBase (libdbd-xbase-perl) is not installed";
    for (const model::Tag& tag : tags) {
        EXPECT_EQ(model::PerlTagOrder(folder.File(""), model::CompanionCdx(path), tag.Name, 'C'),
                  model::Recnos(model::ExpectedEntries(records, tag)))
            << "Perl XBase reading tag " << tag.Name;
    }
}

std::vector<SplitCase> SplitCases()
{
    static const char* const names[3][3][3] = {
        {{"SharedAscAsc", "SharedAscDesc", "SharedAscRandom"},
         {"SharedDescAsc", "SharedDescDesc", "SharedDescRandom"},
         {"SharedRandomAsc", "SharedRandomDesc", "SharedRandomRandom"}},
        {{"BlanksAscAsc", "BlanksAscDesc", "BlanksAscRandom"},
         {"BlanksDescAsc", "BlanksDescDesc", "BlanksDescRandom"},
         {"BlanksRandomAsc", "BlanksRandomDesc", "BlanksRandomRandom"}},
        {{"DistinctAscAsc", "DistinctAscDesc", "DistinctAscRandom"},
         {"DistinctDescAsc", "DistinctDescDesc", "DistinctDescRandom"},
         {"DistinctRandomAsc", "DistinctRandomDesc", "DistinctRandomRandom"}},
    };
    std::vector<SplitCase> cases;
    for (int shape = 0; shape < 3; ++shape) {
        for (int insert = 0; insert < 3; ++insert) {
            for (int remove = 0; remove < 3; ++remove) {
                cases.push_back({names[shape][insert][remove], static_cast<KeyShape>(shape),
                                 static_cast<Sequence>(insert), static_cast<Sequence>(remove)});
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, TableSplits, ::testing::ValuesIn(SplitCases()),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace xbase
