#include "importexport/MatchModel.h"

#include <algorithm>

#include "core/FieldCatalogue.h"
#include "platform/AsciiText.h"

namespace corvane {

namespace {

constexpr const char* StoredDateField = "DATE";

// The catalogue's rows in its order; `withMemo` adds MEMO where the catalogue has it.
std::vector<MatchTarget> TargetsOf(const FieldCatalogue& catalogue, bool withMemo)
{
    std::vector<MatchTarget> targets;
    for (const CatalogueField& field : catalogue.Fields()) {
        if (field.Kind == FieldKind::StoredText && field.Visible)
            targets.push_back({field.Name, field.DisplayLabel, TargetKind::Text});
        else if (field.Name == "DisplayDate")
            targets.push_back({StoredDateField, field.DisplayLabel, TargetKind::Date});
        else if (withMemo && field.Kind == FieldKind::Memo)
            targets.push_back({field.Name, field.DisplayLabel, TargetKind::Memo});
    }
    return targets;
}

} // namespace

SourceKind SourceKindOfType(char dbaseType)
{
    switch (dbaseType) {
    case 'C':
        return SourceKind::Character;
    case 'L':
        return SourceKind::Logical;
    case 'N':
    case 'F':
        return SourceKind::Numeric;
    case 'D':
        return SourceKind::Date;
    case 'M':
        return SourceKind::Memo;
    default:
        return SourceKind::Other;
    }
}

MatchModel::MatchModel(std::vector<MatchTarget> targets, std::vector<MatchSource> sources)
    : FTargets(std::move(targets)), FSources(std::move(sources)), FSourceOfRow(FTargets.size())
{
}

std::vector<MatchTarget> MatchModel::AsciiTargets(const FieldCatalogue& catalogue)
{
    return TargetsOf(catalogue, false);
}

std::vector<MatchTarget> MatchModel::DbfTargets(const FieldCatalogue& catalogue)
{
    return TargetsOf(catalogue, true);
}

bool MatchModel::Suits(std::size_t row, std::size_t source) const
{
    if (row >= FTargets.size() || source >= FSources.size())
        return false;
    const SourceKind kind = FSources[source].Kind;
    if (kind == SourceKind::Other)
        return false;
    switch (FTargets[row].Kind) {
    case TargetKind::Memo:
        return kind == SourceKind::Memo;
    case TargetKind::Date:
        return kind == SourceKind::Date || kind == SourceKind::Text;
    case TargetKind::Text:
        return kind != SourceKind::Memo;
    }
    return false;
}

std::vector<std::size_t> MatchModel::Choices(std::size_t row) const
{
    std::vector<std::size_t> choices;
    for (std::size_t source = 0; source < FSources.size(); ++source) {
        if (Suits(row, source))
            choices.push_back(source);
    }
    return choices;
}

bool MatchModel::Choose(std::size_t row, std::optional<std::size_t> source)
{
    if (row >= FTargets.size())
        return false;
    if (!source) {
        FSourceOfRow[row].reset();
        return true;
    }
    if (!Suits(row, *source))
        return false;
    for (auto& other : FSourceOfRow) {
        if (other == source)
            other.reset();
    }
    FSourceOfRow[row] = source;
    return true;
}

void MatchModel::ClearAll()
{
    for (auto& source : FSourceOfRow)
        source.reset();
}

std::optional<std::size_t> MatchModel::SourceOf(std::size_t row) const
{
    return row < FSourceOfRow.size() ? FSourceOfRow[row] : std::nullopt;
}

std::optional<std::size_t> MatchModel::RowOf(std::size_t source) const
{
    for (std::size_t row = 0; row < FSourceOfRow.size(); ++row) {
        if (FSourceOfRow[row] == source)
            return row;
    }
    return std::nullopt;
}

std::string MatchModel::SourceName(std::size_t row) const
{
    const auto source = SourceOf(row);
    return source ? FSources[*source].Name : std::string();
}

bool MatchModel::AnyMatched() const
{
    return std::any_of(FSourceOfRow.begin(), FSourceOfRow.end(), [](const auto& s) { return s.has_value(); });
}

void MatchModel::AutoMatch()
{
    ClearAll();
    for (std::size_t source = 0; source < FSources.size(); ++source) {
        const MatchSource& from = FSources[source];
        for (std::size_t row = 0; row < FTargets.size(); ++row) {
            if (FSourceOfRow[row] || !Suits(row, source))
                continue;
            const bool memo = from.Kind == SourceKind::Memo;
            if (memo || EqualsIgnoringCase(from.Name, FTargets[row].Label) ||
                EqualsIgnoringCase(from.Name, FTargets[row].FieldName)) {
                FSourceOfRow[row] = source;
                break;
            }
        }
    }
}

int MatchModel::RowOfLabel(const std::string& label) const
{
    for (std::size_t row = 0; row < FTargets.size(); ++row) {
        if (EqualsIgnoringCase(FTargets[row].Label, label))
            return static_cast<int>(row);
    }
    return -1;
}

int MatchModel::SourceOfName(const std::string& name) const
{
    for (std::size_t source = 0; source < FSources.size(); ++source) {
        if (EqualsIgnoringCase(FSources[source].Name, name))
            return static_cast<int>(source);
    }
    return -1;
}

} // namespace corvane
