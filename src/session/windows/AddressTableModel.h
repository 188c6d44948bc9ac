#pragma once
// The browse grid's rows: row i is the i-th record the table's query lets through in its current
// order, read from the table when the view asks for it, never the whole file at once.
//
// The model walks the open table's own cursor (a table is opened exclusively, so there is no
// second view of it) and puts the cursor back on the record it was on after every read. Opening
// walks the order once to count the rows and to note the record number of every BlockSize-th
// row; a row is then at most one block's walk from a noted record, wherever the view scrolls.
// The rows of the few blocks read last are kept as display text.
//
// Editing (off until SetEditable): a change typed into a cell is held for its row, shown in place
// of the stored text, and written by Save (or dropped by Cancel); starting on another row first
// drops the held changes of the last one. The same model shows a table other than an address
// file with the columns it is given (the state ZIP ranges).

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QStringList>

#include "core/FieldCatalogue.h"
#include "platform/Result.h"

namespace xbase {
class Table;
}

namespace corvane {

class AddressTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int BlockSize = 128;
    static constexpr std::size_t CachedBlocks = 8;

    // One column per visible catalogue field, in catalogue order. `currentTagId` decides the
    // "Tagged" column.
    AddressTableModel(xbase::Table& table, const FieldCatalogue& catalogue, std::string currentTagId,
                      QObject* parent = nullptr);
    // The columns given (stored character fields of `table`), read as they are.
    AddressTableModel(xbase::Table& table, std::vector<CatalogueField> columns, QObject* parent = nullptr);

    // Counts the rows again and forgets every row read (after a change that may move records in
    // or out of the query, such as tagging under a "Tagged" filter).
    void Reload();
    // Forgets the rows read but keeps the count: the next rows asked for are read from the table
    // again (after a change that moves no record in or out of the query, or to measure reading).
    void DropCachedRows() { FCache.clear(); }

    void SetEditable(bool on) { FEditable = on; }
    bool Editable() const { return FEditable; }
    // The row whose changes are held, or -1.
    int EditingRow() const { return FEditing ? FEditRow : -1; }
    bool IsEditing() const { return FEditing; }
    // Starts holding changes for `row` (the "Edit" button); true when the row exists.
    bool StartEdit(int row);
    // Writes the held changes to the record and counts the rows again (the record may have moved
    // in the order). Nothing to do when no change is held.
    Status Save();
    // Drops the held changes.
    void Cancel();
    // The column of a field, or -1.
    int ColumnOf(const std::string& field) const;

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The field name of a column.
    const std::string& ColumnField(int column) const
    {
        return FColumns[static_cast<std::size_t>(column)].Name;
    }
    // The catalogue width of a column's field, in characters.
    int ColumnWidth(int column) const { return FColumns[static_cast<std::size_t>(column)].Width; }
    // The record number of a row; 0 when the row does not exist or cannot be read.
    uint32_t RecnoAt(int row) const;
    // The row of the record the table's cursor was on when the rows were counted; -1 when the
    // query does not let that record through.
    int CursorRow() const { return FCursorRow; }

  private:
    struct Block {
        int First = 0;                  // row of the first entry
        std::vector<uint32_t> Recnos;   // one per row
        std::vector<QStringList> Texts; // display text per row and column
    };

    const Block* BlockOf(int row) const;
    void ReadBlock(Block& block) const;
    QStringList RowTexts() const;

    xbase::Table& FTable;
    std::vector<CatalogueField> FColumns;
    std::string FTagId;
    std::vector<std::string> FStoredNames; // the stored text fields a row's texts are made of
    bool FNeedsMemo = false;
    bool FPlain = false; // a table of its own columns, not an address file
    bool FEditable = false;
    bool FEditing = false;
    int FEditRow = -1;
    uint32_t FEditRecno = 0;
    std::vector<std::pair<std::string, QString>> FPending; // field -> text typed
    int FRows = 0;
    std::vector<uint32_t> FBlockStarts; // record number of row k * BlockSize
    int FCursorRow = -1;
    mutable std::list<Block> FCache; // most recently used first
};

} // namespace corvane
