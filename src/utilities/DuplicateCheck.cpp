#include "utilities/DuplicateCheck.h"

#include <QString>

#include <algorithm>
#include <filesystem>

#include "platform/ProgramDirectory.h"

namespace corvane {

namespace {

// What one record is compared by: empty when it is never compared.
struct Comparable {
    QString First;  // the name checks: the first name or its initial
    QString Second; // the last name, or the street prefix
    bool Empty() const { return Second.isEmpty(); }
    bool operator==(const Comparable& other) const
    {
        return First.compare(other.First, Qt::CaseInsensitive) == 0 &&
               Second.compare(other.Second, Qt::CaseInsensitive) == 0;
    }
};

Result<Comparable> ReadComparable(const xbase::Table& table, const DuplicateCheckOptions& options)
{
    Comparable values;
    if (options.Kind == DuplicateKind::Street) {
        auto street = table.GetField("STREET");
        if (!street)
            return Result<Comparable>::Error(street.Message());
        values.Second = QString::fromUtf8(*street).left(ClampStreetLength(options.StreetLength));
        return values;
    }
    auto last = table.GetField("LNAME");
    if (!last)
        return Result<Comparable>::Error(last.Message());
    auto first = table.GetField("FNAME");
    if (!first)
        return Result<Comparable>::Error(first.Message());
    values.Second = QString::fromUtf8(*last);
    values.First = QString::fromUtf8(*first);
    if (options.Kind == DuplicateKind::LastFirstInitial)
        values.First = values.First.left(1);
    return values;
}

} // namespace

std::string DuplicateIndexPath()
{
    return ProgramDirectory() + std::string(DuplicateIndexFileName);
}

std::string DuplicateKeyExpression(DuplicateKind kind)
{
    return kind == DuplicateKind::Street ? "upper(STREET)" : "upper(LNAME-FNAME)";
}

std::string DuplicateWalkTag(DuplicateKind kind)
{
    return kind == DuplicateKind::Street ? "STREET" : "NAME";
}

std::string FoundDuplicatesMessage(uint32_t count)
{
    return "Found " + std::to_string(count) + " possible duplicates";
}

int ClampStreetLength(int length)
{
    return std::clamp(length, MinimumStreetLength, MaximumStreetLength);
}

Result<DuplicateCheckOutcome> RunDuplicateCheck(xbase::Table& table, const DuplicateCheckOptions& options,
                                                const DuplicateProgress& progress)
{
    const int before = table.Order();
    const std::string tagName = DuplicateWalkTag(options.Kind);
    const int walkOrder = table.OrderNumber(tagName);
    if (walkOrder == 0)
        return Result<DuplicateCheckOutcome>::Error("The index tag " + tagName +
                                                    " is missing: rebuild the indexes first");
    if (Status stale = CloseDuplicateList(table, options.IndexPath); !stale)
        return Result<DuplicateCheckOutcome>::Error(stale.Message());
    if (Status made = table.CreateEmptyIndexFile(options.IndexPath, DuplicateKeyExpression(options.Kind));
        !made) {
        (void)table.SetOrder(before);
        return Result<DuplicateCheckOutcome>::Error("Cannot make the duplicate list " + options.IndexPath +
                                                    ": " + made.Message());
    }
    DuplicateCheckOutcome outcome;
    outcome.ListOrder = table.Order();

    auto fail = [&](const Status& status) {
        (void)CloseDuplicateList(table, options.IndexPath);
        (void)table.SetOrder(before);
        return Result<DuplicateCheckOutcome>::Error(status.Message());
    };
    auto list = [&](uint32_t recno) -> Status {
        if (Status moved = table.GoTo(recno); !moved)
            return moved;
        if (Status added = table.AddCurrentKey(outcome.ListOrder); !added)
            return added;
        ++outcome.Listed;
        return Status::Success();
    };

    auto total = table.QueryCount();
    if (!total)
        return fail(total.ToStatus());
    if (Status ordered = table.SetOrder(walkOrder); !ordered)
        return fail(ordered);
    if (Status top = table.GoTop(); !top)
        return fail(top);

    Comparable previous;
    uint32_t previousRecno = 0;
    bool previousListed = false;
    uint32_t done = 0;
    while (!table.Eof()) {
        const uint32_t recno = table.RecNo();
        ++done;
        Comparable current;
        bool listed = false;
        if (!table.IsDeleted()) {
            auto values = ReadComparable(table, options);
            if (!values)
                return fail(values.ToStatus());
            current = values.Take();
            if (!current.Empty() && previousRecno != 0 && current == previous) {
                ++outcome.Found;
                if (!previousListed) {
                    if (Status added = list(previousRecno); !added)
                        return fail(added);
                }
                if (Status added = list(recno); !added)
                    return fail(added);
                listed = true;
                if (Status back = table.GoTo(recno); !back)
                    return fail(back);
            }
        }
        previous = current;
        previousRecno = recno;
        previousListed = listed;
        if (Status next = table.Skip(1); !next)
            return fail(next);
        if (progress && !progress(done, *total, outcome.Found)) {
            outcome.Cancelled = true;
            break;
        }
    }
    if (outcome.Found > 0) {
        if (Status ordered = table.SetOrder(outcome.ListOrder); !ordered)
            return fail(ordered);
        if (Status top = table.GoTop(); !top)
            return fail(top);
    }
    return outcome;
}

Status CloseDuplicateList(xbase::Table& table, const std::string& indexPath)
{
    if (table.IsOpen())
        return table.DeleteIndexFile(indexPath);
    std::error_code ignored;
    std::filesystem::remove(indexPath, ignored);
    return Status::Success();
}

} // namespace corvane
