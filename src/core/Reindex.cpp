#include "core/Reindex.h"

#include <algorithm>
#include <cstdio>

#include "core/AddressFileLayout.h"
#include "platform/ProgramDirectory.h"
#include "platform/xbase/CompanionFiles.h"

namespace corvane {

ReindexProgress::ReindexProgress(int tagCount) : FTagCount(std::max(tagCount, 1)) {}

int ReindexProgress::Packing(int percent)
{
    FGauge = std::clamp(percent, 0, 100);
    return FGauge;
}

void ReindexProgress::StartTags()
{
    FCurrentTag = 0;
    FLast = 0;
    FTagShare = 0;
    FRunningTotal = 0;
    FGauge = 0;
}

void ReindexProgress::FinishCurrentTag()
{
    if (FCurrentTag >= FTagCount)
        return;
    FRunningTotal += 100 - FTagShare;
    ++FCurrentTag;
    FLast = 0;
    FTagShare = 0;
}

int ReindexProgress::TagGauge() const
{
    const long complete = 100L * FTagCount;
    const int rounded = static_cast<int>((FRunningTotal * 2 + FTagCount) / (2L * FTagCount));
    // Rounding must not show 100 while a tag is still being built.
    return FRunningTotal < complete ? std::min(rounded, 99) : 100;
}

int ReindexProgress::Tag(int tagNumber, int percent)
{
    while (FCurrentTag < tagNumber && FCurrentTag < FTagCount)
        FinishCurrentTag();
    if (tagNumber != FCurrentTag)
        return FGauge; // a late report of a tag already counted in full
    percent = std::clamp(percent, 0, 100);
    if (percent > FLast) {
        const int added = std::min(percent - FLast, 100 - FTagShare);
        FTagShare += added;
        FRunningTotal += added;
    }
    FLast = percent;
    FGauge = std::max(FGauge, TagGauge());
    return FGauge;
}

int ReindexProgress::TagsDone()
{
    while (FCurrentTag < FTagCount)
        FinishCurrentTag();
    FGauge = TagGauge();
    return FGauge;
}

Status RebuildAddressFile(xbase::Table& table, const RebuildProgress& progress)
{
    if (!table.IsOpen())
        return Status::Error("No table is open");
    const int tagCount = static_cast<int>(AddressIndexTags().size());
    ReindexProgress gauge(tagCount);
    auto report = [&](int value, const char* status) {
        if (progress)
            progress(value, status);
    };
    report(gauge.Packing(0), CleaningOutStatus);
    // The tags are made anew after packing, so the old ones are dropped first rather than
    // rebuilt by the pack.
    if (Status dropped = DropProductionIndex(table); !dropped)
        return dropped;

    Status packed = table.Pack([&](int percent) { report(gauge.Packing(percent), CleaningOutStatus); });
    if (!packed)
        return packed;

    gauge.StartTags();
    report(gauge.Gauge(), RebuildingIndexesStatus);
    Status tagged = CreateAddressIndexTags(table, [&](int tagNumber, int percent) {
        report(gauge.Tag(tagNumber, percent), RebuildingIndexesStatus);
    });
    if (!tagged)
        return tagged;
    report(gauge.TagsDone(), RebuildingIndexesStatus);
    return Status::Success();
}

namespace {

struct SystemRebuildStep {
    const char* Table;
    const char* Status;
    const char* TagName;
    const char* KeyExpression;
};

// The order, texts and keys of the system rebuild.
const SystemRebuildStep SystemRebuildSteps[] = {
    {"LETTER", "Rebuilding Letters File indexes", "DESCRIPT", "UPPER(DESCRIPT)"},
    {"LABEL", "Rebuilding Label File indexes", "DESCRIPT", "UPPER(DESCRIPT)"},
    {"CSZ", "Rebuilding State/Province File indexes", "STATE", "UPPER(STATE)"},
    {"LBLTPL", "Rebuilding Label Setup File indexes", "DESCRIPT", "UPPER(descript)"},
    {"ENVELOPE", "Rebuilding Envelope File indexes", "DESCRIPT", "UPPER(descript)"},
    {"REPORT", "Rebuilding Report File indexes", "DESCRIPT", "UPPER(descript)"},
};

Status RebuildSystemTable(const std::string& folder, const SystemRebuildStep& step,
                          const RebuildProgress& progress)
{
    const std::string fileName = std::string(step.Table) + ".DBF";
    const std::string path = FindEntryNoCase(folder, fileName);
    if (path.empty())
        return Status::Error("not found in " + folder);
    xbase::Table table;
    if (Status opened = table.Open(path, xbase::OpenMode::Exclusive); !opened)
        return opened;
    (void)DropProductionIndex(table); // a leftover index file is replaced below anyway
    auto passThrough = [&](int percent) {
        if (progress)
            progress(std::clamp(percent, 0, 100), step.Status);
    };
    if (Status packed = table.Pack(passThrough); !packed)
        return packed;
    if (Status tagged = table.CreateTag(step.TagName, step.KeyExpression, {}, passThrough); !tagged) {
        return tagged;
    }
    return table.Close();
}

} // namespace

std::vector<SystemRebuildFailure> RebuildSystemIndexes(const RebuildProgress& progress)
{
    const std::string folder = SystemDataDirectory();
    std::vector<SystemRebuildFailure> failures;
    for (const SystemRebuildStep& step : SystemRebuildSteps) {
        if (progress)
            progress(0, step.Status);
        // The table closes with its handle whatever happened, and the next one is done.
        if (Status rebuilt = RebuildSystemTable(folder, step, progress); !rebuilt) {
            failures.push_back({std::string(step.Table) + ".DBF", rebuilt.Message()});
        }
    }
    return failures;
}

} // namespace corvane
