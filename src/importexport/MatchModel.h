#pragma once
// Which source (a text file's column or a dBase table's field) feeds which address field, for
// both match windows. One row per address field that can take imported values; a source feeds
// at most one row, so choosing it for a row takes it from any other.
//
// Rows are stored fields only (the calculated "Tagged" cannot be written), in catalogue order:
// the visible text fields, the row "Date" standing for DATE (a value is stored as yyyymmdd, see
// ImportedDate), and for dBase sources the memo.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace corvane {

class FieldCatalogue;

// A text file's column is Text; a dBase field has the class of its type, Other when it is of a
// type we do not read (such a field is never matched).
enum class SourceKind { Text, Character, Logical, Numeric, Date, Memo, Other };

SourceKind SourceKindOfType(char dbaseType);

struct MatchSource {
    std::string Name;
    SourceKind Kind = SourceKind::Text;
};

enum class TargetKind { Text, Date, Memo };

struct MatchTarget {
    std::string FieldName; // the stored field written: "LNAME", "DATE", "MEMO"
    std::string Label;     // the row's display label: "Last Name", "Date", "MEMO"
    TargetKind Kind = TargetKind::Text;
};

class MatchModel {
  public:
    MatchModel() = default;
    MatchModel(std::vector<MatchTarget> targets, std::vector<MatchSource> sources);

    // The rows for a text file and for a dBase table.
    static std::vector<MatchTarget> AsciiTargets(const FieldCatalogue& catalogue);
    static std::vector<MatchTarget> DbfTargets(const FieldCatalogue& catalogue);

    const std::vector<MatchTarget>& Targets() const { return FTargets; }
    const std::vector<MatchSource>& Sources() const { return FSources; }

    // Whether the source may feed the row: a memo row takes memo fields only, the date row a
    // text column or a date field, any other row everything but memos; Other fits nowhere.
    bool Suits(std::size_t row, std::size_t source) const;
    // The sources the row's menu offers, in source order.
    std::vector<std::size_t> Choices(std::size_t row) const;

    // Matches the source to the row (taking it from any other row); nullopt clears the row. A
    // source that does not suit the row is refused (false).
    bool Choose(std::size_t row, std::optional<std::size_t> source);
    void ClearAll();

    std::optional<std::size_t> SourceOf(std::size_t row) const;
    std::optional<std::size_t> RowOf(std::size_t source) const;
    // The matched source's name, empty when the row has none.
    std::string SourceName(std::size_t row) const;
    bool AnyMatched() const;

    // Every source unmatched, then, in source order: a memo takes the memo row while it is free;
    // any other source the first free row whose label or field name equals its name (case
    // ignored) and that it suits.
    void AutoMatch();

    // Rows by label (case ignored), -1 when there is none.
    int RowOfLabel(const std::string& label) const;
    int SourceOfName(const std::string& name) const;

  private:
    std::vector<MatchTarget> FTargets;
    std::vector<MatchSource> FSources;
    std::vector<std::optional<std::size_t>> FSourceOfRow;
};

} // namespace corvane
