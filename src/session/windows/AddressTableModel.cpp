#include "session/windows/AddressTableModel.h"

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

AddressTableModel::AddressTableModel(xbase::Table& table, std::vector<CatalogueField> columns,
                                     QObject* parent)
    : QAbstractTableModel(parent), FTable(table), FColumns(std::move(columns)), FPlain(true)
{
    Reload();
}

int AddressTableModel::ColumnOf(const std::string& field) const
{
    for (std::size_t i = 0; i < FColumns.size(); ++i) {
        if (FColumns[i].Name == field)
            return static_cast<int>(i);
    }
    return -1;
}

bool AddressTableModel::StartEdit(int row)
{
    if (FEditing && FEditRow == row)
        return true;
    const uint32_t recno = RecnoAt(row);
    if (recno == 0)
        return false;
    Cancel();
    FEditing = true;
    FEditRow = row;
    FEditRecno = recno;
    return true;
}

void AddressTableModel::Cancel()
{
    if (!FEditing)
        return;
    const int row = FEditRow;
    FEditing = false;
    FEditRow = -1;
    FEditRecno = 0;
    FPending.clear();
    if (row >= 0 && row < FRows)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

Status AddressTableModel::Save()
{
    if (!FEditing)
        return Status::Success();
    if (!FPending.empty()) {
        CursorKeeper keeper(FTable);
        if (Status moved = FTable.GoTo(FEditRecno); !moved)
            return moved;
        for (const auto& [field, text] : FPending) {
            if (Status put = FTable.PutField(field, text.toStdString()); !put) {
                (void)FTable.DiscardChanges();
                return put;
            }
        }
        if (Status committed = FTable.Commit(); !committed)
            return committed;
    }
    FEditing = false;
    FPending.clear();
    FEditRow = -1;
    FEditRecno = 0;
    Reload();
    return Status::Success();
}

Qt::ItemFlags AddressTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (FEditable && index.isValid() &&
        FColumns[static_cast<std::size_t>(index.column())].Kind == FieldKind::StoredText)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool AddressTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!FEditable || role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (!StartEdit(index.row()))
        return false;
    const CatalogueField& column = FColumns[static_cast<std::size_t>(index.column())];
    const QString text = value.toString().left(column.Width > 0 ? column.Width : value.toString().size());
    auto held =
        std::find_if(FPending.begin(), FPending.end(), [&](const auto& p) { return p.first == column.Name; });
    if (held != FPending.end())
        held->second = text;
    else
        FPending.emplace_back(column.Name, text);
    emit dataChanged(index, index);
    return true;
}

void AddressTableModel::Reload()
{
    beginResetModel();
    FEditing = false;
    FEditRow = -1;
    FEditRecno = 0;
    FPending.clear();
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
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid())
        return {};
    if (FEditing && index.row() == FEditRow) {
        const std::string& field = FColumns[static_cast<std::size_t>(index.column())].Name;
        for (const auto& [name, text] : FPending) {
            if (name == field)
                return text;
        }
    }
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
    if (FPlain) {
        QStringList texts;
        for (const CatalogueField& column : FColumns) {
            auto value = FTable.GetField(column.Name);
            texts.push_back(value ? QString::fromStdString(*value) : QString());
        }
        return texts;
    }
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
