#include "core/Reindex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/AddressFile.h"
#include "core/SystemTables.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/xbase/CompanionFiles.h"
#include "support/ScratchFolder.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::ScratchHome;
using xbase::testing::WriteBytes;

// ---- the address-file gauge --------------------------------------------------------------------

TEST(ReindexProgress, PackingIsShownAsReported)
{
    ReindexProgress gauge(26);
    EXPECT_EQ(gauge.Packing(0), 0);
    EXPECT_EQ(gauge.Packing(37), 37);
    EXPECT_EQ(gauge.Packing(100), 100);
    EXPECT_EQ(gauge.Packing(140), 100);
    gauge.StartTags();
    EXPECT_EQ(gauge.Gauge(), 0);
}

TEST(ReindexProgress, EachTagCountsOneTwentySixth)
{
    ReindexProgress gauge(26);
    gauge.StartTags();
    for (int p = 0; p <= 100; p += 10)
        gauge.Tag(0, p);
    EXPECT_EQ(gauge.Gauge(), 4); // 100 / 26 rounded
    for (int tag = 1; tag < 13; ++tag) {
        for (int p = 0; p <= 100; p += 10)
            gauge.Tag(tag, p);
    }
    EXPECT_EQ(gauge.Gauge(), 50);
}

// What an engine may report for one tag.
struct StepPattern {
    const char* Name;
    std::vector<int> PerTag;
};

class GaugeOverTags : public ::testing::TestWithParam<StepPattern> {};

TEST_P(GaugeOverTags, NeverGoesBackAndEndsAtHundredOnlyWhenTheTagsAreDone)
{
    ReindexProgress gauge(26);
    gauge.Packing(100);
    gauge.StartTags();
    int previous = 0;
    for (int tag = 0; tag < 26; ++tag) {
        for (int percent : GetParam().PerTag) {
            const int shown = gauge.Tag(tag, percent);
            EXPECT_GE(shown, previous) << "tag " << tag << " report " << percent;
            if (tag < 25) {
                EXPECT_LT(shown, 100) << "tag " << tag << " report " << percent;
            }
            previous = shown;
        }
    }
    EXPECT_EQ(gauge.TagsDone(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Reindex, GaugeOverTags,
    ::testing::Values(StepPattern{"TenPercentSteps", {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
                      StepPattern{"OnlyZeroAndHundred", {0, 100}}, StepPattern{"OnlyHundred", {100}},
                      StepPattern{"NeverHundred", {0, 30, 60, 90}}, StepPattern{"NoReports", {}},
                      StepPattern{"RestartsWithinATag", {0, 50, 0, 50, 100}},
                      StepPattern{"OutOfRange", {-5, 40, 250, 100}},
                      StepPattern{"WholeRunPercentages", {2, 3}}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- rebuilding an address file ----------------------------------------------------------------

struct Report {
    int Gauge;
    std::string Status;
};

// 100 records "Name000".."Name099" in reverse order, every tenth deleted as the program deletes.
void FillAddressFile(const std::string& path)
{
    xbase::Table table;
    ASSERT_TRUE(OpenAddressTable(path, table).Ok());
    for (int i = 99; i >= 0; --i) {
        char name[16];
        std::snprintf(name, sizeof name, "Name%03d", i);
        ASSERT_TRUE(table.AppendBlank().Ok());
        ASSERT_TRUE(table.PutField("LNAME", name).Ok());
        if (i % 10 == 0) {
            ASSERT_TRUE(table.PutField("ISDEL", "T").Ok());
            ASSERT_TRUE(table.Delete().Ok());
        }
    }
    ASSERT_TRUE(table.Close().Ok());
}

class RebuildAddress : public ::testing::TestWithParam<bool> {};

TEST_P(RebuildAddress, DeletedRecordsGoAndAllTagsAreBuilt)
{
    ScratchHome home;
    const std::string path = DataDirectory() + "ADD0001.DBF";
    ASSERT_TRUE(CreateAddressFile(path).Ok());
    FillAddressFile(path);
    const bool indexDeletedByHand = GetParam();
    if (indexDeletedByHand)
        fs::remove(xbase::FindCompanion(path, ".CDX"));

    xbase::Table table;
    ASSERT_TRUE(OpenAddressTable(path, table).Ok());
    EXPECT_EQ(CheckValidIndex(table), !indexDeletedByHand);
    std::vector<Report> reports;
    ASSERT_TRUE(RebuildAddressFile(table, [&](int gauge, const std::string& status) {
                    reports.push_back({gauge, status});
                }).Ok());
    EXPECT_EQ(table.RecordCount(), 90u);
    EXPECT_TRUE(CheckValidIndex(table));
    ASSERT_TRUE(table.SetOrder(table.OrderNumber("LNAME")).Ok());
    ASSERT_TRUE(table.GoTop().Ok());
    EXPECT_EQ(*table.GetField("LNAME"), "Name001");
    ASSERT_TRUE(table.Close().Ok());
    ASSERT_TRUE(OpenAddressTable(path, table).Ok());
    EXPECT_TRUE(CheckValidIndex(table)) << "the tags are on disk";
    for (uint32_t recno = 1; recno <= table.RecordCount(); ++recno)
        EXPECT_FALSE(table.File().IsDeleted(recno));

    // Packing first, then the tags; in the tag phase the gauge climbs to 100 at the very end.
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front().Status, CleaningOutStatus);
    size_t firstTagReport = 0;
    while (firstTagReport < reports.size() && reports[firstTagReport].Status == CleaningOutStatus)
        ++firstTagReport;
    ASSERT_LT(firstTagReport, reports.size());
    int previous = 0;
    for (size_t i = firstTagReport; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].Status, RebuildingIndexesStatus);
        EXPECT_GE(reports[i].Gauge, previous);
        previous = reports[i].Gauge;
    }
    EXPECT_EQ(reports.back().Gauge, 100);
    EXPECT_LT(reports[reports.size() - 3].Gauge, 100) << "100 comes only with the last tag";
}

INSTANTIATE_TEST_SUITE_P(Reindex, RebuildAddress, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "IndexDeletedByHand" : "IndexInPlace"; });

// ---- rebuilding the system tables --------------------------------------------------------------

const std::vector<std::string> SystemStatusOrder = {
    "Rebuilding Letters File indexes",        "Rebuilding Label File indexes",
    "Rebuilding State/Province File indexes", "Rebuilding Label Setup File indexes",
    "Rebuilding Envelope File indexes",       "Rebuilding Report File indexes",
};

// All six tables with two records each, the first of them deleted.
void MakeSystemTables()
{
    const std::string sysdata = SystemDataDirectory();
    for (SystemTable kind : {SystemTable::LabelTemplate, SystemTable::CityStateZip}) {
        ASSERT_TRUE(
            xbase::Table::Create(sysdata + SystemTableInfo(kind).FileName, SystemTableInfo(kind).Fields)
                .Ok());
    }
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    for (auto open : {OpenLetterTable, OpenLabelTable, OpenCityStateZipTable, OpenLabelTemplateTable,
                      OpenEnvelopeTable, OpenReportTable}) {
        xbase::Table table;
        ASSERT_TRUE(open(table));
        const char* field = table.FieldIndex("DESCRIPT") >= 0 ? "DESCRIPT" : "STATE";
        for (const char* value : {"zz", "aa"}) {
            ASSERT_TRUE(table.AppendBlank().Ok());
            ASSERT_TRUE(table.PutField(field, value).Ok());
        }
        ASSERT_TRUE(table.GoTo(1).Ok());
        ASSERT_TRUE(table.Delete().Ok());
        ASSERT_TRUE(table.Close().Ok());
    }
}

struct Rebuilt {
    std::string FileName;
    const char* Tag;
    const char* Key;
};

const std::vector<Rebuilt> RebuiltTables = {
    {"LETTER.DBF", "DESCRIPT", "UPPER(DESCRIPT)"},
    {"LABEL.DBF", "DESCRIPT", "UPPER(DESCRIPT)"},
    {"CSZ.DBF", "STATE", "UPPER(STATE)"},
    {"LBLTPL.DBF", "DESCRIPT", "UPPER(descript)"},
    {"ENVELOPE.DBF", "DESCRIPT", "UPPER(descript)"},
    {"REPORT.DBF", "DESCRIPT", "UPPER(descript)"},
};

void ExpectRebuilt(const Rebuilt& expected)
{
    xbase::Table table;
    ASSERT_TRUE(table.Open(SystemDataDirectory() + expected.FileName).Ok()) << expected.FileName;
    EXPECT_EQ(table.ProductionIndexState(), xbase::IndexState::Valid) << expected.FileName;
    EXPECT_EQ(table.RecordCount(), 1u) << expected.FileName << ": the deleted record is gone";
    ASSERT_EQ(table.Tags().size(), 1u) << expected.FileName;
    EXPECT_EQ(table.Tags()[0].Name, expected.Tag);
    EXPECT_EQ(table.Tags()[0].KeyExpression, expected.Key);
}

TEST(RebuildSystemIndexes, AllSixInOrderIncludingADamagedIndex)
{
    ScratchHome home;
    MakeSystemTables();
    WriteBytes(SystemDataDirectory() + "LABEL.CDX", std::string(1024, '\x55'));
    std::vector<std::string> statuses;
    int highest = 0;
    auto failures = RebuildSystemIndexes([&](int gauge, const std::string& status) {
        if (statuses.empty() || statuses.back() != status)
            statuses.push_back(status);
        highest = std::max(highest, gauge);
        EXPECT_GE(gauge, 0);
        EXPECT_LE(gauge, 100);
    });
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(statuses, SystemStatusOrder);
    EXPECT_EQ(highest, 100);
    for (const Rebuilt& table : RebuiltTables)
        ExpectRebuilt(table);
}

TEST(RebuildSystemIndexes, MissingTemplatesDoNotStopTheOthers)
{
    ScratchHome home;
    MakeSystemTables();
    const std::string sysdata = SystemDataDirectory();
    fs::remove(sysdata + "LBLTPL.DBF");
    fs::remove(sysdata + "LBLTPL.CDX");
    for (const Rebuilt& table : RebuiltTables)
        fs::remove(xbase::FindCompanion(sysdata + table.FileName, ".CDX"));
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    auto failures = RebuildSystemIndexes();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].FileName, "LBLTPL.DBF");
    EXPECT_TRUE(messages.Messages.empty()) << "the system rebuild shows no message";
    for (const Rebuilt& table : RebuiltTables) {
        if (table.FileName != "LBLTPL.DBF")
            ExpectRebuilt(table);
    }
    EXPECT_FALSE(fs::exists(sysdata + "LBLTPL.DBF"));
}

} // namespace
} // namespace corvane
