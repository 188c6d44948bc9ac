#include "bulkmail/StateZipCheck.h"

#include <QString>

#include <filesystem>

namespace corvane {

std::string NormalisedState(std::string_view state)
{
    return QString::fromUtf8(state.data(), static_cast<qsizetype>(state.size()))
        .trimmed()
        .toUpper()
        .toStdString();
}

Result<StateZipRanges> StateZipRanges::Load(xbase::Table& csz)
{
    StateZipRanges ranges;
    if (Status ordered = csz.SetOrder(csz.OrderNumber("STATE")); !ordered)
        return Result<StateZipRanges>::Error(ordered.Message());
    if (Status top = csz.GoTop(); !top)
        return Result<StateZipRanges>::Error(top.Message());
    while (!csz.Eof()) {
        StateZipRange row;
        for (auto [field, target] :
             {std::pair{"NAME", &row.Name}, std::pair{"STATE", &row.State}, std::pair{"LOW_ZIP", &row.LowZip},
              std::pair{"HIGH_ZIP", &row.HighZip}}) {
            auto value = csz.GetField(field);
            if (!value)
                return Result<StateZipRanges>::Error(value.Message());
            *target = value.Take();
        }
        ranges.Add(row);
        if (Status next = csz.Skip(1); !next)
            return Result<StateZipRanges>::Error(next.Message());
    }
    return ranges;
}

void StateZipRanges::Add(const StateZipRange& range)
{
    std::string key = NormalisedState(range.State);
    if (key.empty())
        return;
    FRows.emplace(std::move(key), range);
}

const StateZipRange* StateZipRanges::Find(std::string_view state) const
{
    auto found = FRows.find(NormalisedState(state));
    return found == FRows.end() ? nullptr : &found->second;
}

bool IsQuestionable(const StateZipRanges& ranges, std::string_view state, std::string_view zip,
                    bool includeBlanks)
{
    if (!includeBlanks && (NormalisedState(state).empty() || QString::fromUtf8(zip).trimmed().isEmpty()))
        return false;
    const StateZipRange* row = ranges.Find(state);
    if (!row)
        return true;
    if (zip < std::string_view(row->LowZip))
        return true;
    // "14999-1234" against "14999": compared over HIGH_ZIP's length, a ZIP+4 of the last ZIP fits.
    return zip.substr(0, row->HighZip.size()) > std::string_view(row->HighZip);
}

std::string StateZipIndexPath(const std::string& addressFilePath)
{
    return (std::filesystem::path(addressFilePath).parent_path() / std::string(StateZipIndexFileName))
        .string();
}

std::string FoundQuestionableMessage(uint32_t count)
{
    return "Found " + std::to_string(count) + " records with questionable state or zipcodes";
}

int StateZipPercent(uint32_t done, uint32_t total)
{
    return total == 0 ? 0 : static_cast<int>(uint64_t(done) * 100 / total);
}

Result<StateZipCheckOutcome> RunStateZipCheck(xbase::Table& table, const StateZipRanges& ranges,
                                              const StateZipCheckOptions& options,
                                              const StateZipProgress& progress)
{
    const int before = table.Order();
    if (Status stale = CloseStateZipList(table, options.IndexPath); !stale)
        return Result<StateZipCheckOutcome>::Error(stale.Message());
    if (Status made = table.CreateEmptyIndexFile(options.IndexPath, std::string(StateZipKeyExpression));
        !made) {
        (void)table.SetOrder(before);
        return Result<StateZipCheckOutcome>::Error("Cannot make the list of questionable records " +
                                                   options.IndexPath + ": " + made.Message());
    }
    StateZipCheckOutcome outcome;
    outcome.ListOrder = table.Order();
    auto fail = [&](const Status& status) {
        (void)CloseStateZipList(table, options.IndexPath);
        (void)table.SetOrder(before);
        return Result<StateZipCheckOutcome>::Error(status.Message());
    };

    auto total = table.QueryCount();
    if (!total)
        return fail(total.ToStatus());
    if (Status natural = table.SetOrder(0); !natural)
        return fail(natural);
    if (Status top = table.GoTop(); !top)
        return fail(top);
    uint32_t done = 0;
    while (!table.Eof()) {
        ++done;
        if (!table.IsDeleted()) {
            auto state = table.GetField("STATE");
            if (!state)
                return fail(state.ToStatus());
            auto zip = table.GetField("ZIP");
            if (!zip)
                return fail(zip.ToStatus());
            if (IsQuestionable(ranges, *state, *zip, options.IncludeBlanks)) {
                if (Status added = table.AddCurrentKey(outcome.ListOrder); !added)
                    return fail(added);
                ++outcome.Found;
            }
        }
        if (Status next = table.Skip(1); !next)
            return fail(next);
        if (progress && !progress(done, *total, outcome.Found)) {
            outcome.Cancelled = true;
            break;
        }
    }
    if (Status ordered = table.SetOrder(outcome.ListOrder); !ordered)
        return fail(ordered);
    if (Status top = table.GoTop(); !top)
        return fail(top);
    return outcome;
}

Status CloseStateZipList(xbase::Table& table, const std::string& indexPath)
{
    if (table.IsOpen())
        return table.DeleteIndexFile(indexPath);
    std::error_code ignored;
    std::filesystem::remove(indexPath, ignored);
    return Status::Success();
}

} // namespace corvane
