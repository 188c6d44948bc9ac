#include "app/AddressTableModel.h"

#include <algorithm>
#include <utility>

#include "core/AddressRecord.h"
#include "platform/xbase/Table.h"

namespace corvane {

namespace {

// Puts the table's cursor back on the record it was on, whatever the model read meanwhile.
class CursorKeeper {
  public:
    explicit CursorKeeper(xbase::Table& table) : FTable(table), FRecno(table.RecNo()) {}
    ~CursorKeeper() { (void)FTable.GoTo(FRecno); }
    CursorKeeper(const CursorKeeper&) = delete;
    CursorKeeper& operator=(const CursorKeeper&) = delete;
    uint32_t Recno() const { return FRecno; }

  private:
    xbase::Table& FTable;
    uint32_t FRecno;
};

} // namespace

AddressTableModel::AddressTableModel(xbase::Table& table, const FieldCatalogue& catalogue,
                                     std::string currentTagId, QObject* parent)
    : QAbstractTableModel(parent), FTable(table), FTagId(std::move(currentTagId))
{
    for (const CatalogueField& field : catalogue.Fields()) {
        if (field.Visible)
            FColumns.push_back(field);
        if (field.Kind == FieldKind::StoredText)
            FStoredNames.push_back(field.Name);
        if (field.Visible && field.Kind == FieldKind::Memo)
            FNeedsMemo = true;
    }
    Reload();
}

void AddressTableModel::Reload()
{
    beginResetModel();
    FCache.clear();
    FBlockStarts.clear();
    FRows = 0;
    FCursorRow = -1;
    if (FTable.IsOpen()) {
        CursorKeeper keeper(FTable);
        const bool onRecord = !FTable.Eof();
        Status moved = FTable.GoTop();
        while (moved && !FTable.Eof()) {
            if (FRows % BlockSize == 0)
                FBlockStarts.push_back(FTable.RecNo());
            if (onRecord && FTable.RecNo() == keeper.Recno())
                FCursorRow = FRows;
            ++FRows;
            moved = FTable.Skip(1);
        }
    }
    endResetModel();
}

int AddressTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FRows;
}

int AddressTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant AddressTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= columnCount())
        return {};
    return QString::fromStdString(FColumns[static_cast<std::size_t>(section)].DisplayLabel);
}

QVariant AddressTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const Block* block = BlockOf(index.row());
    if (!block)
        return {};
    const std::size_t entry = static_cast<std::size_t>(index.row() - block->First);
    if (entry >= block->Texts.size())
        return {};
    const QStringList& texts = block->Texts[entry];
    return index.column() < texts.size() ? texts[index.column()] : QVariant();
}

uint32_t AddressTableModel::RecnoAt(int row) const
{
    const Block* block = BlockOf(row);
    if (!block)
        return 0;
    const std::size_t entry = static_cast<std::size_t>(row - block->First);
    return entry < block->Recnos.size() ? block->Recnos[entry] : 0;
}

const AddressTableModel::Block* AddressTableModel::BlockOf(int row) const
{
    if (row < 0 || row >= FRows)
        return nullptr;
    const int first = row - row % BlockSize;
    for (auto it = FCache.begin(); it != FCache.end(); ++it) {
        if (it->First == first) {
            FCache.splice(FCache.begin(), FCache, it);
            return &FCache.front();
        }
    }
    Block block;
    block.First = first;
    ReadBlock(block);
    FCache.push_front(std::move(block));
    if (FCache.size() > CachedBlocks)
        FCache.pop_back();
    return &FCache.front();
}

void AddressTableModel::ReadBlock(Block& block) const
{
    const std::size_t k = static_cast<std::size_t>(block.First / BlockSize);
    if (k >= FBlockStarts.size())
        return;
    CursorKeeper keeper(FTable);
    Status moved = FTable.GoTo(FBlockStarts[k]);
    const int count = std::min(BlockSize, FRows - block.First);
    block.Recnos.reserve(static_cast<std::size_t>(count));
    block.Texts.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count && moved && !FTable.Eof(); ++i) {
        block.Recnos.push_back(FTable.RecNo());
        block.Texts.push_back(RowTexts());
        moved = FTable.Skip(1);
    }
}

QStringList AddressTableModel::RowTexts() const
{
    AddressRecord record;
    for (const std::string& name : FStoredNames) {
        if (std::string* text = record.Text(name)) {
            auto value = FTable.GetField(name);
            if (value)
                *text = value.Take();
        }
    }
    if (FNeedsMemo) {
        if (auto memo = FTable.GetMemo("MEMO"))
            record.Memo = memo.Take();
    }
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(FColumns.size()));
    for (const CatalogueField& column : FColumns) {
        auto value = FieldDisplayValue(record, column.Name, FTagId);
        texts.push_back(value ? QString::fromStdString(*value) : QString());
    }
    return texts;
}

} // namespace corvane
