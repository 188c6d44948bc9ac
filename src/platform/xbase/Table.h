#pragma once
// The table cursor: one open DBF with its memo file and index files, navigated in record order
// or in a tag's key order, with deleted-record hiding and an optional query applied above the
// file format (so every movement honours them the same way). An out-of-range position is the
// phantom record after the last one: record number count + 1, blank fields, Eof() true.
//
// Index files are used in place: a seek or walk reads the pages on its way, an edit changes the
// pages of the keys it moves. Commit() ends a transaction: the table, its memo and its index
// files reach the disk together, and the rollback journal beside the table (see Journal.h)
// brings them back to the last commit after a crash. Index files also carry a "dirty" stamp
// while a transaction is open, so one copied away mid-change is not trusted.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CdxStore.h"
#include "CodePage.h"
#include "DbfFile.h"
#include "Expression.h"
#include "MemoFile.h"
#include "Result.h"
#include "TagIndex.h"

namespace xbase {

// Called with 0..100 while pack and index building run.
using ProgressCallback = std::function<void(int percent)>;

enum class IndexState {
    None,     // the table has no production index
    Valid,    // the production index matches the table and is in use
    Invalid,  // missing, unreadable or out of step with the table: not used; rebuild it
};

class Table : public RecordSource {
public:
    Table();
    ~Table() override;
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // A new empty table with its memo file when a field is a memo (no index).
    static Status Create(const std::string& path, const std::vector<FieldSpec>& fields);
    // An empty new table with the structure of `path`'s fields.
    Status CopyStructure(const std::string& path) const;

    Status Open(const std::string& path, OpenMode mode = OpenMode::Exclusive);
    Status Close();
    bool IsOpen() const;
    const std::string& Path() const;
    bool ReadOnly() const;
    const DbfFile& File() const;
    const CodePage& TableCodePage() const { return FCodePage; }
    // Ends the transaction: table, memo and index files durable on disk together.
    Status Commit();
    // The same (kept for callers that name the index files).
    Status FlushIndexes();

    IndexState ProductionIndexState() const { return FIndexState; }
    const std::string& IndexProblem() const { return FIndexProblem; }

    // Settings.
    void SetDeletedHidden(bool on);
    void SetExact(bool on) { FExpressionOptions.Exact = on; }
    void SetSoftSeek(bool on) { FSoftSeek = on; }
    bool DeletedHidden() const { return FDeletedHidden; }
    bool Exact() const { return FExpressionOptions.Exact; }

    // Tags. Order numbers run from 1 over the open index files in the order they were opened
    // (the production index first); 0 is record order.
    Status CreateTag(const std::string& name, const std::string& keyExpression,
                     const std::string& forExpression = {}, const ProgressCallback& progress = {});
    // Several tags of the production index made in one pass over the records (the quick way to
    // build many). `progress(tag, percent)` walks through the tags in turn.
    Status CreateTags(const std::vector<TagDefinition>& tags,
                      const std::function<void(int tag, int percent)>& progress = {});
    // A one-tag index in its own file (the tag is named after the file's base name); it is open
    // and selected afterwards.
    Status CreateIndexFile(const std::string& path, const std::string& keyExpression,
                           const ProgressCallback& progress = {});
    // A one-tag index in its own file that starts empty and lists only the records the caller
    // adds with AddCurrentKey (a list of finds kept in key order). Edits move a listed record's
    // key; an unlisted or appended record is never added. The empty file is written at once, so
    // a folder that cannot take it fails here. It is open and selected afterwards.
    Status CreateEmptyIndexFile(const std::string& path, const std::string& keyExpression);
    Status OpenIndex(const std::string& path);
    Status CloseIndexes();
    // Closes one index file opened or created by path, leaving the others open (record order
    // when its tag was selected); DeleteIndexFile also removes the file. Neither fails when the
    // file is not open.
    Status CloseIndexFile(const std::string& path);
    Status DeleteIndexFile(const std::string& path);
    std::vector<TagDefinition> Tags() const;
    int OrderNumber(std::string_view tagName) const;
    Status SetOrder(int orderNumber);
    int Order() const { return FOrder; }
    std::string OrderName() const;
    std::string OrderIndexFileName() const;  // empty in record order
    // Adds the current record's key to the current order's tag (for indexes built by the caller);
    // a record already listed there is not added again.
    Status AddCurrentKey();
    // The same for the tag of another order, so a walk in one order can list records in another.
    Status AddCurrentKey(int orderNumber);
    // Rebuilds every open tag from the records (after a pack, or to repair).
    Status Reindex(const ProgressCallback& progress = {});

    // Movement.
    Status GoTop();
    Status GoBottom();
    Status Skip(int64_t count = 1);
    Status GoTo(uint32_t recno);
    uint32_t RecNo() const { return FRecno; }
    uint32_t RecordCount() const;
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }

    // Seeks in the current order. The key is text (UTF-8) for character tags, a number for
    // numeric tags, YYYYMMDD for date tags, T/F for logical ones. Returns whether the key was
    // found; with soft seek a miss stays on the next greater key. Found() reports a match only.
    Result<bool> Seek(std::string_view key);
    bool Found() const { return FFound; }

    // Query: only matching, visible records are reached; an empty text removes it.
    Status SetQuery(std::string_view expression);
    const std::string& Query() const { return FQueryText; }
    Result<uint32_t> QueryCount();

    Result<bool> EvaluateCondition(std::string_view expression);
    Result<Value> EvaluateExpression(std::string_view expression);
    Result<bool> IsFieldEmpty(std::string_view field) const;
    bool IsDeleted() const;

    // Field values cross this boundary as UTF-8.
    Result<std::string> GetField(std::string_view field) const;
    Status PutField(std::string_view field, std::string_view utf8);
    Result<std::string> GetMemo(std::string_view field) const;
    Status PutMemo(std::string_view field, std::string_view utf8);
    // False when memo text cannot be written (no memo file, or a dBase III memo file, which this
    // engine reads only).
    bool MemoWritable() const;

    // A blank record after the last; it is written (and counted in the header) when the cursor
    // leaves it or the table is committed or closed.
    Status AppendBlank();
    // Drops the unwritten changes of the current record: it reads as stored again, and an appended
    // record that was never written is gone.
    Status DiscardChanges();
    // Takes out the records above `count` (an all-or-nothing append undone). The index tags are
    // not updated: the caller drops and rebuilds them.
    Status DropRecordsAbove(uint32_t count);
    Status Delete();
    Status Recall();
    Status Pack(const ProgressCallback& progress = {});
    Status Zap();

    // RecordSource over the current record.
    int FieldIndex(std::string_view name) const override;
    FieldInfo Field(int index) const override;
    std::string_view RawField(int index) const override;
    std::string MemoText(int index) const override;
    bool Deleted() const override;
    uint32_t RecordNumber() const override { return FRecno; }

private:
    struct IndexFile;
    struct OpenTag;
    class RecordView;

    Status CheckOpen() const;
    Status CheckWritable() const;
    Status LoadRecord(uint32_t recno);
    Status GoPhantom(bool bof);
    Status FlushRecord();
    Status BeginChange();
    Status SetDeletionMark(bool deleted);
    Status UpdateKeys();
    Status OpenProductionIndex();
    Result<std::unique_ptr<CdxStore>> OpenStore(const std::string& path);
    void RebuildOrderList();
    void RenumberTags(IndexFile& file);
    OpenTag* ActiveTag() const;
    Result<CdxTree*> ReadyTag(OpenTag& tag);
    Status MergePending(OpenTag& tag);
    Status MergeAllPending();
    Status SpillPending();
    Result<std::unique_ptr<TagIndex>> CarriedOverKeys(OpenTag& tag, const std::vector<uint32_t>& renumbered,
                                                      uint32_t kept);
    Result<std::vector<std::unique_ptr<TagIndex>>> KeysSideBySide(const std::vector<OpenTag*>& tags, bool renumber,
                                                                  const ProgressCallback& progress, int progressFrom,
                                                                  int progressTo);
    Status WorkOutDeferredKeys();
    Result<IndexFile*> ProductionFile();
    Status ForEachBatch(const std::function<Status(OpenTag&)>& work);
    static Status OnThreads(const std::vector<OpenTag*>& tags, bool parallel,
                            const std::function<Status(OpenTag&)>& work);
    std::string TableFolder() const;
    Result<std::unique_ptr<OpenTag>> MakeTag(const TagDefinition& definition, IndexFile* file, bool computeLength);
    Result<std::string> KeyFor(const OpenTag& tag, const RecordSource& record) const;
    Result<std::string> SeekKey(const OpenTag& tag, std::string_view key) const;
    Result<bool> InTag(const OpenTag& tag, const RecordSource& record) const;
    Result<std::unique_ptr<TagIndex>> BuildKeys(const OpenTag& tag, const ProgressCallback& progress, int progressFrom,
                                                int progressTo, bool renumber);
    static TagDefinition IndexFileTag(const std::string& path, const std::string& keyExpression);
    Status AddIndexFile(const std::string& path, std::unique_ptr<OpenTag> tag, const TagIndex& keys);
    Result<bool> Visible(uint32_t recno) const;
    Result<bool> CurrentPosition(CdxTree::Cursor& cursor, bool& exact);
    Result<bool> WalkTag(CdxTree::Cursor cursor, int direction);
    Result<bool> WalkRecords(int64_t recno, int direction);
    Result<bool> WalkFromEnd(bool fromTop);
    Result<bool> Step(bool forward);
    Result<const FieldDescriptor*> FindField(std::string_view name) const;

    std::unique_ptr<Journal> FJournal;
    std::unique_ptr<DbfFile> FFile;
    std::unique_ptr<MemoFile> FMemo;
    CodePage FCodePage;
    std::vector<std::unique_ptr<IndexFile>> FIndexFiles;
    std::vector<OpenTag*> FOrders;  // order number - 1 -> tag
    int FOrder = 0;
    CdxTree::Cursor FCursor;         // the current record's entry in the active tag when FPositionValid
    bool FPositionValid = false;
    size_t FPendingBytes = 0;        // keys of appended records waiting in the tags' batches
    uint32_t FDeferredFrom = 0;      // appended records whose keys are not worked out yet
    uint32_t FDeferredTo = 0;        // (none when 0)
    IndexState FIndexState = IndexState::None;
    std::string FIndexProblem;

    std::string FBuffer;  // current record bytes (blank for the phantom record)
    uint32_t FRecno = 0;
    bool FEof = true;
    bool FBof = true;
    bool FFound = false;

    bool FDeletedHidden = true;
    bool FSoftSeek = false;
    Expression::Options FExpressionOptions;
    std::string FQueryText;
    std::unique_ptr<Expression> FQuery;
    bool FDataDirty = false;    // changed since the index files were last written
    bool FRecordDirty = false;  // the buffer holds changes not yet written to the file
    bool FRecordIsNew = false;  // the buffered record was appended and has no keys yet
};

}  // namespace xbase
