#include "Table.h"
#include "FileIo.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <unistd.h>

#include "CdxFile.h"
#include "CdxStore.h"
#include "Journal.h"
#include "KeyMerge.h"
#include "PageCache.h"
#include "AsciiCase.h"
#include "CompanionFiles.h"

namespace xbase {

namespace {

// Passes over all records let the memory behind them go every so many records.
constexpr uint32_t ReleaseEvery = 65536;

char KeyTypeFor(ValueType type)
{
    switch (type) {
    case ValueType::Character: return 'C';
    case ValueType::Numeric: return 'N';
    case ValueType::Date: return 'D';
    case ValueType::Logical: return 'L';
    }
    return 'C';
}

bool SupportedType(char type)
{
    return type == 'C' || type == 'N' || type == 'F' || type == 'L' || type == 'D' || type == 'M';
}

}  // namespace

// One index file: the production index (same base name as the table) or one opened or built
// by name, used in place through its store.
struct Table::IndexFile {
    std::string Path;
    bool Production = false;
    std::unique_ptr<CdxStore> Store;
    std::vector<std::unique_ptr<OpenTag>> Tags;
};

struct Table::OpenTag {
    TagDefinition Definition;
    Expression Key;
    std::unique_ptr<Expression> For;
    std::vector<int> Fields;  // the fields the key and FOR expressions read
    IndexFile* File = nullptr;
    bool Explicit = false;  // lists only the records added by AddCurrentKey
    size_t Number = 0;      // tag number in File->Store
    // Keys of appended records not yet in the tree: merged in one pass when the tag is next read,
    // at commit, or when the batches of all tags pass their memory bound.
    std::unique_ptr<TagIndex> Pending;
    std::unique_ptr<KeyRuns> Runs;  // batches already spilled to temporary files
    CdxTree& Tree() const { return File->Store->Tree(Number); }
};

// Compiling against this schema notes the fields an expression reads, so that an edit that
// leaves them alone leaves the tag alone.
class FieldRecorder : public RecordSource {
public:
    explicit FieldRecorder(const RecordSource& table) : FTable(table) {}
    int FieldIndex(std::string_view name) const override
    {
        const int index = FTable.FieldIndex(name);
        if (index >= 0) Used.push_back(index);
        return index;
    }
    FieldInfo Field(int index) const override { return FTable.Field(index); }
    std::string_view RawField(int index) const override { return FTable.RawField(index); }
    std::string MemoText(int index) const override { return FTable.MemoText(index); }
    bool Deleted() const override { return FTable.Deleted(); }
    uint32_t RecordNumber() const override { return FTable.RecordNumber(); }
    mutable std::vector<int> Used;

private:
    const RecordSource& FTable;
};

// A record of the table other than the current one, seen through the same interface the
// expressions use for the current record.
class Table::RecordView : public RecordSource {
public:
    RecordView(const Table& table, const char* record, uint32_t recno) : FTable(table), FRecord(record), FRecno(recno)
    {
    }
    int FieldIndex(std::string_view name) const override { return FTable.FieldIndex(name); }
    FieldInfo Field(int index) const override { return FTable.Field(index); }
    std::string_view RawField(int index) const override
    {
        return FieldCodec::Raw(FRecord, FTable.FFile->Fields()[static_cast<size_t>(index)]);
    }
    std::string MemoText(int index) const override
    {
        const auto& field = FTable.FFile->Fields()[static_cast<size_t>(index)];
        if (!FTable.FMemo) return {};
        auto text = FTable.FMemo->Read(FieldCodec::MemoBlock(FRecord, field, FTable.FFile->IsVisualFoxPro()));
        return text ? text.Take() : std::string();
    }
    bool Deleted() const override { return FRecord[0] == '*'; }
    uint32_t RecordNumber() const override { return FRecno; }

private:
    const Table& FTable;
    const char* FRecord;
    uint32_t FRecno;
};

Table::Table() : FCodePage(CodePage::Windows1252()) {}

Table::~Table()
{
    if (IsOpen()) (void)Close();
}

Status Table::Create(const std::string& path, const std::vector<FieldSpec>& fields)
{
    Status created = DbfFile::Create(path, fields);
    if (!created) return created;
    bool hasMemo = std::any_of(fields.begin(), fields.end(), [](const FieldSpec& f) { return f.Type == 'M'; });
    if (hasMemo) {
        Status memo = MemoFile::CreateFpt(CompanionPathForNew(path, ".FPT"));
        if (!memo) {
            std::remove(path.c_str());
            return memo;
        }
    }
    return Status::Success();
}

Status Table::CopyStructure(const std::string& path) const
{
    if (Status open = CheckOpen(); !open) return open;
    return Create(path, FFile->Specs());
}

bool Table::IsOpen() const { return FFile != nullptr; }

const std::string& Table::Path() const
{
    static const std::string none;
    return FFile ? FFile->Path() : none;
}

bool Table::ReadOnly() const { return FFile && FFile->ReadOnly(); }

const DbfFile& Table::File() const { return *FFile; }

Status Table::CheckOpen() const
{
    if (!FFile) return Status::Error("No table is open");
    return Status::Success();
}

Status Table::CheckWritable() const
{
    if (Status open = CheckOpen(); !open) return open;
    if (FFile->ReadOnly()) return Status::Error("Table " + FFile->Path() + " is open read-only");
    return Status::Success();
}

Status Table::Open(const std::string& path, OpenMode mode)
{
    if (IsOpen()) {
        if (Status closed = Close(); !closed) return closed;
    }
    if (mode == OpenMode::Exclusive && std::filesystem::exists(Journal::PathFor(path))) {
        // A change that never committed: the files go back to the last commit while the table's
        // lock keeps every other writer out, before anything reads them.
        auto locked = DbfFile::Open(path, mode);
        if (!locked) return locked.ToStatus();
        if (Status recovered = Journal::Recover(path); !recovered) return recovered;
    }
    auto file = DbfFile::Open(path, mode);
    if (!file) return file.ToStatus();
    // A read-only open lists fields it cannot decode (for the caller to leave alone); a writer
    // could not keep them intact, so it is refused.
    for (const auto& field : file.Value()->Fields()) {
        if (mode == OpenMode::Exclusive && !SupportedType(field.Type)) {
            return Status::Error("Table " + path + ": field " + field.Name + " has type " +
                                 std::string(1, field.Type) + ", which this program does not read");
        }
    }
    std::unique_ptr<MemoFile> memo;
    if (file.Value()->HasMemoFields()) {
        const uint8_t version = file.Value()->Version();
        const bool dbaseIv = version == 0x8B || version == 0x7B;
        const bool dbt = version == 0x83 || dbaseIv;
        std::string memoPath = FindCompanion(path, dbt ? ".DBT" : ".FPT");
        if (memoPath.empty()) return Status::Error("Memo file of " + path + " not found");
        const MemoFile::Kind kind = dbaseIv ? MemoFile::Kind::DbaseIvDbt : dbt ? MemoFile::Kind::Dbt : MemoFile::Kind::Fpt;
        auto opened = MemoFile::Open(memoPath, kind, dbt ? OpenMode::SharedReadOnly : mode);
        if (!opened) return opened.ToStatus();
        memo = opened.Take();
    }
    FFile = file.Take();
    FMemo = std::move(memo);
    if (!FFile->ReadOnly()) {
        FJournal = std::make_unique<Journal>(FFile->Path());
        FFile->AttachJournal(FJournal.get());
        if (FMemo) FMemo->AttachJournal(FJournal.get());
    }
    FCodePage = CodePage::FromMark(FFile->CodePageMark());
    FQuery.reset();
    FQueryText.clear();
    FOrder = 0;
    FDataDirty = false;
    FRecordDirty = false;
    FRecordIsNew = false;
    FPendingBytes = 0;
    FDeferredFrom = FDeferredTo = 0;
    (void)OpenProductionIndex();  // an unusable index is reported through ProductionIndexState()
    return GoTop();
}

// Opens an index file in place; its pages are journaled with the table's.
Result<std::unique_ptr<CdxStore>> Table::OpenStore(const std::string& path)
{
    auto store = CdxStore::Open(path, !FFile->ReadOnly());
    if (!store) return store;
    if (FJournal) store.Value()->AttachJournal(FJournal.get());
    return store;
}

Status Table::OpenProductionIndex()
{
    FIndexState = IndexState::None;
    FIndexProblem.clear();
    std::string path = FindCompanion(FFile->Path(), ".CDX");
    if (path.empty()) {
        if (FFile->TableFlags() & DbfFile::FlagStructuralIndex) {
            FIndexState = IndexState::Invalid;
            FIndexProblem = "The index file of " + FFile->Path() + " is missing";
        }
        return Status::Success();
    }
    auto invalid = [this](std::string problem) {
        FIndexState = IndexState::Invalid;
        FIndexProblem = std::move(problem);
        return Status::Success();
    };
    if (FFile->ReadOnly() && Journal::Pending(FFile->Path())) {
        return invalid("A change to " + FFile->Path() + " was interrupted; open it for writing to put it right");
    }
    auto cdx = OpenStore(path);
    if (!cdx) return invalid(cdx.Message());
    const CdxStamp& stamp = cdx.Value()->Stamp();
    if (stamp.Present && stamp.Dirty) {
        return invalid("The index file " + path + " was not written back after the table last changed");
    }
    if (stamp.Present && stamp.RecordCount != FFile->RecordCount()) {
        return invalid("The index file " + path + " was written for a different number of records");
    }
    auto file = std::make_unique<IndexFile>();
    file->Path = path;
    file->Production = true;
    file->Store = cdx.Take();
    for (size_t i = 0; i < file->Store->TagCount(); ++i) {
        auto tag = MakeTag(file->Store->Definition(i), file.get(), false);
        if (!tag) return invalid("The index file " + path + ": " + tag.Message());
        tag.Value()->Number = i;
        file->Store->SetKeyType(i, tag.Value()->Definition.KeyType);
        if (!stamp.Present && tag.Value()->Definition.ForExpression.empty()) {
            // Another program's file carries no record count of ours: its keys are counted.
            auto keys = file->Store->CountKeys(i);
            if (!keys) return invalid("The index file " + path + ": " + keys.Message());
            if (*keys != FFile->RecordCount()) {
                return invalid("The index file " + path + ": tag " + tag.Value()->Definition.Name + " holds " +
                               std::to_string(*keys) + " keys for " + std::to_string(FFile->RecordCount()) +
                               " records");
            }
        }
        file->Tags.push_back(tag.Take());
    }
    for (auto& tag : file->Tags) FOrders.push_back(tag.get());
    FIndexFiles.insert(FIndexFiles.begin(), std::move(file));
    FIndexState = IndexState::Valid;
    return Status::Success();
}

// Compiles a tag's expressions against this table. With computeLength the key length and type
// come from the key expression (new tags); otherwise the file's key length stays and only the
// type is taken from the expression.
Result<std::unique_ptr<Table::OpenTag>> Table::MakeTag(const TagDefinition& definition, IndexFile* file,
                                                       bool computeLength)
{
    FieldRecorder schema(*this);
    auto key = Expression::Compile(definition.KeyExpression, schema, FCodePage);
    if (!key) return Result<std::unique_ptr<OpenTag>>::Error(key.Message());
    auto tag = std::make_unique<OpenTag>();
    tag->Definition = definition;
    tag->Definition.KeyType = KeyTypeFor(key->Type());
    if (computeLength) {
        int width = key->ResultWidth();
        if (width < 1 || width > 240) {
            return Result<std::unique_ptr<OpenTag>>::Error("Key expression " + definition.KeyExpression + " gives keys of " +
                                                           std::to_string(width) + " bytes (1 to 240 allowed)");
        }
        tag->Definition.KeyLength = static_cast<uint16_t>(width);
    }
    tag->Key = key.Take();
    if (!definition.ForExpression.empty()) {
        auto forExpression = Expression::Compile(definition.ForExpression, schema, FCodePage);
        if (!forExpression) return Result<std::unique_ptr<OpenTag>>::Error(forExpression.Message());
        if (forExpression->Type() != ValueType::Logical) {
            return Result<std::unique_ptr<OpenTag>>::Error("FOR expression " + definition.ForExpression + " is not a condition");
        }
        tag->For = std::make_unique<Expression>(forExpression.Take());
    }
    tag->Fields = std::move(schema.Used);
    std::sort(tag->Fields.begin(), tag->Fields.end());
    tag->Fields.erase(std::unique(tag->Fields.begin(), tag->Fields.end()), tag->Fields.end());
    tag->File = file;
    return tag;
}

// The tag's tree with every pending key in it: what any read of the tag needs.
Result<CdxTree*> Table::ReadyTag(OpenTag& tag)
{
    // Nothing waiting, as for most reads: no call further.
    if (FDeferredTo == 0 && !tag.Pending && !tag.Runs) return &tag.Tree();
    if (Status merged = MergePending(tag); !merged) return Result<CdxTree*>::Error(merged.Message());
    return &tag.Tree();
}

// Pending keys go in one by one while they are few beside the tag; many (an import, a large
// append) are merged with the tree's entries into a new tree in one pass.
Status Table::MergePending(OpenTag& tag)
{
    if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    const bool spilled = tag.Runs && !tag.Runs->Empty();
    if (!tag.Pending && !spilled) return Status::Success();
    std::unique_ptr<TagIndex> pending = std::move(tag.Pending);
    const size_t count = pending ? pending->Size() : 0;
    FPendingBytes -= std::min(FPendingBytes, count * (tag.Definition.KeyLength + 4u));
    CdxTree& tree = tag.Tree();
    FPositionValid = false;
    if (!spilled && count < std::max<size_t>(2048, FFile->RecordCount() / 16)) {
        for (size_t i = 0; i < count; ++i) {
            auto inserted = tree.Insert(pending->KeyAt(i), pending->RecnoAt(i));
            if (!inserted) return inserted.ToStatus();
        }
        return Status::Success();
    }
    if (!tag.Runs) tag.Runs = std::make_unique<KeyRuns>(TableFolder(), tag.Definition.KeyLength);
    return tag.Runs->MergeInto(tree, pending.get(), tag.Definition.Unique);
}

// Runs `work(tag)` for each tag on a few threads: sorting and writing the tags' batches touch
// nothing the tags share.
Status Table::ForEachBatch(const std::function<Status(OpenTag&)>& work)
{
    std::vector<OpenTag*> tags;
    for (OpenTag* tag : FOrders) {
        if (tag->Pending) tags.push_back(tag);
    }
    // Threads pay off only for batches of some size (an import, a large append).
    return OnThreads(tags, FPendingBytes >= (size_t{4} << 20), work);
}

Status Table::OnThreads(const std::vector<OpenTag*>& tags, bool parallel, const std::function<Status(OpenTag&)>& work)
{
    const size_t threads = parallel ? std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4) : 1;
    std::vector<Status> results(tags.size());
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < tags.size(); i = next++) results[i] = work(*tags[i]);
    };
    std::vector<std::thread> pool;
    for (size_t t = 1; t < std::min(threads, tags.size()); ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& thread : pool) thread.join();
    for (const Status& result : results) {
        if (!result) return result;
    }
    return Status::Success();
}

// The keys of the appended records not yet worked out go to their tags' batches: the tags are
// shared out among a few threads, each walking the records once for its own tags (a compiled
// expression is used by one thread only).
Status Table::WorkOutDeferredKeys()
{
    if (FDeferredTo == 0) return Status::Success();
    const uint32_t from = FDeferredFrom;
    const uint32_t to = std::min(FDeferredTo, FFile->RecordCount());
    FDeferredFrom = FDeferredTo = 0;
    std::vector<OpenTag*> tags;
    for (OpenTag* tag : FOrders) {
        if (tag->Explicit) continue;
        if (!tag->Pending) tag->Pending = std::make_unique<TagIndex>(tag->Definition);
        tags.push_back(tag);
    }
    if (tags.empty() || from > to) return Status::Success();
    const size_t threads = to - from >= 4096 ? std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4) : 1;
    const size_t groups = std::min(threads, tags.size());
    std::vector<Status> results(groups);
    auto work = [&](size_t group) {
        for (uint32_t recno = from; recno <= to; ++recno) {
            RecordView view(*this, FFile->Record(recno), recno);
            for (size_t i = group; i < tags.size(); i += groups) {
                OpenTag& tag = *tags[i];
                auto in = InTag(tag, view);
                if (!in) {
                    results[group] = in.ToStatus();
                    return;
                }
                if (!*in) continue;
                auto key = KeyFor(tag, view);
                if (!key) {
                    results[group] = key.ToStatus();
                    return;
                }
                tag.Pending->AppendUnsorted(*key, recno);
            }
        }
    };
    std::vector<std::thread> pool;
    for (size_t group = 1; group < groups; ++group) pool.emplace_back(work, group);
    work(0);
    for (std::thread& thread : pool) thread.join();
    FFile->ReleaseRecords(from, to);
    for (const Status& result : results) {
        if (!result) return result;
    }
    return Status::Success();
}

// The batches in memory go to sorted runs on disk, to be merged when their tags are next read.
Status Table::SpillPending()
{
    if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    for (OpenTag* tag : FOrders) {
        if (tag->Pending && !tag->Runs) tag->Runs = std::make_unique<KeyRuns>(TableFolder(), tag->Definition.KeyLength);
    }
    Status spilled = ForEachBatch([](OpenTag& tag) {
        Status written = tag.Runs->Spill(*tag.Pending);
        tag.Pending.reset();
        return written;
    });
    FPendingBytes = 0;
    return spilled;
}

std::string Table::TableFolder() const
{
    const std::string& path = FFile->Path();
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

Status Table::MergeAllPending()
{
    if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    // The batches sorted side by side first; the merges into the file then go one by one.
    if (Status sorted = ForEachBatch([](OpenTag& tag) {
            (void)tag.Pending->Size();
            return Status::Success();
        });
        !sorted)
        return sorted;
    for (OpenTag* tag : FOrders) {
        if (Status merged = MergePending(*tag); !merged) return merged;
    }
    FPendingBytes = 0;
    return Status::Success();
}

Status Table::Close()
{
    if (!FFile) return Status::Success();
    Status result = Commit();
    FOrders.clear();
    FIndexFiles.clear();
    FQuery.reset();
    FQueryText.clear();
    if (FFile) FFile->AttachJournal(nullptr);
    if (FMemo) FMemo->AttachJournal(nullptr);
    FMemo.reset();
    FFile.reset();
    FJournal.reset();
    FOrder = 0;
    FPositionValid = false;
    FIndexState = IndexState::None;
    FIndexProblem.clear();
    FBuffer.clear();
    FRecno = 0;
    FEof = FBof = true;
    FFound = false;
    FDataDirty = false;
    return result;
}

namespace {

// Runs each of `work` at once on its own thread (the first on this one) and gives the first
// failure, after all have ended.
Status SideBySide(const std::vector<std::function<Status()>>& work)
{
    std::vector<Status> results(work.size());
    std::vector<std::thread> threads;
    for (size_t i = 1; i < work.size(); ++i) threads.emplace_back([&, i] { results[i] = work[i](); });
    if (!work.empty()) results[0] = work[0]();
    for (std::thread& thread : threads) thread.join();
    for (const Status& result : results) {
        if (!result) return result;
    }
    return Status::Success();
}

// How many tags' keys are worked out at once: one thread each, and only their keys held.
size_t TagsSideBySide()
{
    return std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
}

}  // namespace

// The end of a transaction: every change since the last commit reaches the files together
// (index pages, records, memo texts), each file synced, and then the journal is emptied.
Status Table::Commit()
{
    if (Status open = CheckOpen(); !open) return open;
    if (FFile->ReadOnly()) return Status::Success();
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    // Nothing changed since the last commit: the files stay as they are (their dates too).
    if (!FDataDirty && FPendingBytes == 0 &&
        std::none_of(FIndexFiles.begin(), FIndexFiles.end(), [](const auto& file) { return file->Store->Changed(); })) {
        return Status::Success();
    }
    if (Status merged = MergeAllPending(); !merged) return merged;
    for (auto& file : FIndexFiles) {
        if (file->Production && !(FFile->TableFlags() & DbfFile::FlagStructuralIndex)) {
            if (Status flag = FFile->SetTableFlags(FFile->TableFlags() | DbfFile::FlagStructuralIndex); !flag) return flag;
        }
    }
    // Every file's old bytes go to the journal first with one sync between them and the writes.
    for (auto& file : FIndexFiles) {
        if (Status prepared = file->Store->PrepareCommit(FFile->RecordCount()); !prepared) return prepared;
    }
    if (Status prepared = FFile->PrepareCommit(); !prepared) return prepared;
    if (FJournal) {
        if (Status synced = FJournal->Sync(); !synced) return synced;
    }
    for (auto& file : FIndexFiles) {
        if (Status written = file->Store->WriteCommit(); !written) return written;
    }
    if (Status written = FFile->WriteCommit(); !written) return written;
    if (FMemo && FMemo->FileKind() == MemoFile::Kind::Fpt) {
        if (Status committed = FMemo->Commit(); !committed) return committed;
    }
    // The files are synced side by side: the disk takes their flushes together.
    std::vector<std::function<Status()>> syncs{[this] { return FFile->SyncFile(); }};
    for (auto& file : FIndexFiles) syncs.emplace_back([store = file->Store.get()] { return store->SyncCommit(); });
    if (Status synced = SideBySide(syncs); !synced) return synced;
    if (FJournal) {
        if (Status ended = FJournal->Commit(); !ended) return ended;
    }
    FDataDirty = false;
    return Status::Success();
}

Status Table::FlushIndexes()
{
    return Commit();
}

void Table::SetDeletedHidden(bool on)
{
    FDeletedHidden = on;
    FPositionValid = false;
}

// ---- records -------------------------------------------------------------------------------

Status Table::LoadRecord(uint32_t recno)
{
    const char* record = FFile->Record(recno);
    if (!record) return GoPhantom(false);
    FBuffer.assign(record, FFile->RecordLength());
    FRecno = recno;
    FEof = false;
    return Status::Success();
}

Status Table::GoPhantom(bool bof)
{
    FBuffer.assign(FFile->RecordLength(), ' ');
    FRecno = FFile->RecordCount() + 1;
    FEof = true;
    FBof = bof;
    FPositionValid = false;
    return Status::Success();
}

Status Table::FlushRecord()
{
    if (!FRecordDirty) return Status::Success();
    Status keys = UpdateKeys();
    if (!keys) return keys;
    if (FRecordIsNew) {
        // An appended record reaches the file (and the header's count) only whole, with the values
        // it was given: a process killed before this leaves no blank record behind.
        auto appended = FFile->AppendRecord(FBuffer.data());
        if (!appended) return appended.ToStatus();
        if (*appended != FRecno) return Status::Error(FFile->Path() + ": the appended record moved");
    } else if (Status written = FFile->WriteRecord(FRecno, FBuffer.data()); !written) {
        return written;
    }
    FRecordDirty = false;
    FRecordIsNew = false;
    return Status::Success();
}

Result<bool> Table::InTag(const OpenTag& tag, const RecordSource& record) const
{
    if (!tag.For) return true;
    return tag.For->IsTrue(record, FExpressionOptions);
}

Result<std::string> Table::KeyFor(const OpenTag& tag, const RecordSource& record) const
{
    auto value = tag.Key.Evaluate(record, FExpressionOptions);
    if (!value) return Result<std::string>::Error(value.Message());
    const size_t length = tag.Definition.KeyLength;
    switch (value->Type) {
    case ValueType::Character: {
        std::string key = value.Take().Text;
        key.resize(length, ' ');
        return key;
    }
    case ValueType::Numeric: {
        std::string key = EncodeNumericKey(value->Number);
        key.resize(length, '\0');
        return key;
    }
    case ValueType::Date: {
        std::string key = EncodeNumericKey(static_cast<double>(JulianDay(value->Text)));
        key.resize(length, '\0');
        return key;
    }
    case ValueType::Logical: {
        std::string key(1, value->Logical ? 'T' : 'F');
        key.resize(length, '\0');
        return key;
    }
    }
    return Result<std::string>::Error("Unknown key type");
}



// Brings every tag in step with the buffered record: a new record's keys wait in the tag's
// batch; a changed one swaps the keys that differ. A tag none of whose fields changed (and
// whose record kept its deletion mark) is not evaluated at all.
Status Table::UpdateKeys()
{
    const char* stored = FRecordIsNew ? nullptr : FFile->Record(FRecno);
    std::string old = stored ? std::string(stored, FFile->RecordLength()) : std::string();
    RecordView before(*this, old.data(), FRecno);
    RecordView after(*this, FBuffer.data(), FRecno);
    const auto& fields = FFile->Fields();
    auto untouched = [&](const OpenTag& tag) {
        if (FRecordIsNew || old[0] != FBuffer[0]) return false;
        for (int index : tag.Fields) {
            const FieldDescriptor& field = fields[static_cast<size_t>(index)];
            if (std::memcmp(old.data() + field.Offset, FBuffer.data() + field.Offset, field.Width) != 0) return false;
        }
        return true;
    };
    if (FRecordIsNew) {
        // An appended record's keys are worked out later, for many records at once and on
        // several threads; it is in the file by then. The batches go to disk first when full.
        if (FPendingBytes > PageCache::Shared().Limit()) {
            if (Status spilled = SpillPending(); !spilled) return spilled;
        }
        if (FDeferredTo != 0 && FRecno != FDeferredTo + 1) {
            if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
        }
        size_t keyBytes = 0;
        for (OpenTag* tag : FOrders) {
            if (!tag->Explicit) keyBytes += tag->Definition.KeyLength + 4u;
        }
        if (keyBytes == 0) return Status::Success();  // no tag takes appended records
        if (FDeferredTo == 0) FDeferredFrom = FRecno;
        FDeferredTo = FRecno;
        FPendingBytes += keyBytes;
        FPositionValid = false;
        return Status::Success();
    }
    for (OpenTag* tag : FOrders) {
        if (tag->Explicit && FRecordIsNew) continue;  // nothing joins a list on its own
        if (untouched(*tag)) continue;
        auto nowIn = InTag(*tag, after);
        if (!nowIn) return nowIn.ToStatus();
        std::string newKey;
        if (*nowIn) {
            auto key = KeyFor(*tag, after);
            if (!key) return key.ToStatus();
            newKey = key.Take();
        }
        if (FRecordIsNew) {
            if (!*nowIn) continue;
            if (!tag->Pending) tag->Pending = std::make_unique<TagIndex>(tag->Definition);
            tag->Pending->AppendUnsorted(newKey, FRecno);
            FPendingBytes += tag->Definition.KeyLength + 4u;
            continue;
        }
        if (tag->Explicit) {
            // Only a listed record moves.
            auto oldKey = KeyFor(*tag, before);
            if (!oldKey) return oldKey.ToStatus();
            if (*oldKey == newKey) continue;
            auto tree = ReadyTag(*tag);
            if (!tree) return tree.ToStatus();
            auto removed = (*tree)->Remove(*oldKey, FRecno);
            if (!removed) return removed.ToStatus();
            if (!*removed) continue;
            if (auto inserted = (*tree)->Insert(newKey, FRecno); !inserted) return inserted.ToStatus();
            continue;
        }
        auto wasIn = InTag(*tag, before);
        if (!wasIn) return wasIn.ToStatus();
        std::string oldKey;
        if (*wasIn) {
            auto key = KeyFor(*tag, before);
            if (!key) return key.ToStatus();
            oldKey = key.Take();
        }
        if (*wasIn == *nowIn && oldKey == newKey) continue;
        auto tree = ReadyTag(*tag);
        if (!tree) return tree.ToStatus();
        if (*wasIn) {
            if (auto removed = (*tree)->Remove(oldKey, FRecno); !removed) return removed.ToStatus();
        }
        if (*nowIn) {
            if (auto inserted = (*tree)->Insert(newKey, FRecno); !inserted) return inserted.ToStatus();
        }
    }
    FPositionValid = false;
    // The batches are bounded by the page cache's budget, not by the number of records.
    if (FPendingBytes > PageCache::Shared().Limit()) return SpillPending();
    return Status::Success();
}

Status Table::BeginChange()
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (FDataDirty) return Status::Success();
    // Before the first change of a transaction every index file carries the dirty stamp (kept in
    // the journal's care like any other byte): a file that escapes the journal, copied away
    // mid-change, is then not trusted.
    for (auto& file : FIndexFiles) {
        if (Status stamped = file->Store->BeginChange(FFile->RecordCount()); !stamped) return stamped;
    }
    FDataDirty = true;
    return Status::Success();
}

Status Table::DropRecordsAbove(uint32_t count)
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (count >= FFile->RecordCount()) return Status::Success();
    FRecordDirty = false;
    FRecordIsNew = false;
    if (Status change = BeginChange(); !change) return change;
    if (Status truncated = FFile->Truncate(count); !truncated) return truncated;
    if (FDeferredTo > count) FDeferredTo = FDeferredFrom > count ? 0 : count;
    return GoTop();
}

Status Table::AppendBlank()
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    if (Status change = BeginChange(); !change) return change;
    if (FFile->RecordCount() == UINT32_MAX) return Status::Error(FFile->Path() + " cannot hold more records");
    FBuffer.assign(FFile->RecordLength(), ' ');
    FRecno = FFile->RecordCount() + 1;
    FEof = FBof = false;
    FFound = false;
    FRecordDirty = true;
    FRecordIsNew = true;
    FPositionValid = false;
    return Status::Success();
}

Status Table::DiscardChanges()
{
    if (Status open = CheckOpen(); !open) return open;
    if (!FRecordDirty) return Status::Success();
    const bool wasNew = FRecordIsNew;
    FRecordDirty = false;
    FRecordIsNew = false;
    FPositionValid = false;
    return wasNew ? GoPhantom(false) : LoadRecord(FRecno);
}

Status Table::SetDeletionMark(bool deleted)
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (FEof) return Status::Error("There is no current record");
    if (Status change = BeginChange(); !change) return change;
    FBuffer[0] = deleted ? '*' : ' ';
    FRecordDirty = true;
    return Status::Success();
}

Status Table::Delete() { return SetDeletionMark(true); }
Status Table::Recall() { return SetDeletionMark(false); }

bool Table::IsDeleted() const { return !FBuffer.empty() && FBuffer[0] == '*'; }

Result<const FieldDescriptor*> Table::FindField(std::string_view name) const
{
    if (Status open = CheckOpen(); !open) return Result<const FieldDescriptor*>(open);
    int index = FFile->FieldIndex(name);
    if (index < 0) {
        return Result<const FieldDescriptor*>::Error("Field \"" + std::string(name) + "\" not found in " + FFile->Path());
    }
    return &FFile->Fields()[static_cast<size_t>(index)];
}

Result<std::string> Table::GetField(std::string_view name) const
{
    auto field = FindField(name);
    if (!field) return Result<std::string>::Error(field.Message());
    if ((*field)->Type == 'M') return GetMemo(name);
    if (!SupportedType((*field)->Type)) {
        return Result<std::string>::Error("Field " + (*field)->Name + " has type " + std::string(1, (*field)->Type) +
                                          ", which this program does not read");
    }
    return FCodePage.ToUtf8(FieldCodec::Read(FBuffer.data(), **field));
}

Status Table::PutField(std::string_view name, std::string_view utf8)
{
    auto field = FindField(name);
    if (!field) return field.ToStatus();
    if ((*field)->Type == 'M') return PutMemo(name, utf8);
    if (Status writable = CheckWritable(); !writable) return writable;
    if (FEof) return Status::Error("There is no current record");
    auto bytes = FCodePage.FromUtf8(utf8, (*field)->Name);
    if (!bytes) return bytes.ToStatus();
    if (Status change = BeginChange(); !change) return change;
    // A value that does not fit is refused before a byte of the record changes.
    if (Status written = FieldCodec::Write(FBuffer.data(), **field, *bytes); !written) return written;
    FRecordDirty = true;
    return Status::Success();
}

Result<std::string> Table::GetMemo(std::string_view name) const
{
    auto field = FindField(name);
    if (!field) return Result<std::string>::Error(field.Message());
    if ((*field)->Type != 'M') return Result<std::string>::Error("Field " + (*field)->Name + " is not a memo field");
    if (!FMemo || FEof) return std::string();
    auto bytes = FMemo->Read(FieldCodec::MemoBlock(FBuffer.data(), **field, FFile->IsVisualFoxPro()));
    if (!bytes) return Result<std::string>::Error(bytes.Message());
    return FCodePage.ToUtf8(*bytes);
}

Status Table::PutMemo(std::string_view name, std::string_view utf8)
{
    auto field = FindField(name);
    if (!field) return field.ToStatus();
    if ((*field)->Type != 'M') return Status::Error("Field " + (*field)->Name + " is not a memo field");
    if (Status writable = CheckWritable(); !writable) return writable;
    if (FEof) return Status::Error("There is no current record");
    if (!MemoWritable()) return Status::Error("The memo file of " + FFile->Path() + " cannot be written");
    auto bytes = FCodePage.FromUtf8(utf8, (*field)->Name);
    if (!bytes) return bytes.ToStatus();
    if (Status change = BeginChange(); !change) return change;
    bool vfp = FFile->IsVisualFoxPro();
    auto block = FMemo->Write(*bytes, FieldCodec::MemoBlock(FBuffer.data(), **field, vfp));
    if (!block) return block.ToStatus();
    FieldCodec::SetMemoBlock(FBuffer.data(), **field, vfp, *block);
    FRecordDirty = true;
    return Status::Success();
}

bool Table::MemoWritable() const
{
    return FFile && !FFile->ReadOnly() && FMemo && FMemo->FileKind() == MemoFile::Kind::Fpt;
}

Result<bool> Table::IsFieldEmpty(std::string_view name) const
{
    auto field = FindField(name);
    if (!field) return Result<bool>::Error(field.Message());
    if ((*field)->Type == 'M') {
        auto memo = GetMemo(name);
        if (!memo) return Result<bool>::Error(memo.Message());
        return memo->find_first_not_of(" \r\n\t") == std::string::npos;
    }
    std::string value = FieldCodec::Read(FBuffer.data(), **field);
    if ((*field)->Type == 'N' || (*field)->Type == 'F') {
        return value.empty() || std::strtod(value.c_str(), nullptr) == 0.0;
    }
    if ((*field)->Type == 'L') return value != "T";
    return value.find_first_not_of(' ') == std::string::npos;
}

// ---- RecordSource ----------------------------------------------------------------------------

int Table::FieldIndex(std::string_view name) const { return FFile ? FFile->FieldIndex(name) : -1; }

RecordSource::FieldInfo Table::Field(int index) const
{
    const auto& field = FFile->Fields()[static_cast<size_t>(index)];
    return {field.Type, field.Width, field.Decimals};
}

std::string_view Table::RawField(int index) const
{
    return FieldCodec::Raw(FBuffer.data(), FFile->Fields()[static_cast<size_t>(index)]);
}

std::string Table::MemoText(int index) const
{
    if (!FMemo || FEof) return {};
    const auto& field = FFile->Fields()[static_cast<size_t>(index)];
    auto text = FMemo->Read(FieldCodec::MemoBlock(FBuffer.data(), field, FFile->IsVisualFoxPro()));
    return text ? text.Take() : std::string();
}

bool Table::Deleted() const { return IsDeleted(); }

// ---- expressions and the query ---------------------------------------------------------------

Result<bool> Table::EvaluateCondition(std::string_view expression)
{
    if (Status open = CheckOpen(); !open) return Result<bool>(open);
    auto compiled = Expression::Compile(expression, *this, FCodePage);
    if (!compiled) return Result<bool>::Error(compiled.Message());
    return compiled->IsTrue(*this, FExpressionOptions);
}

Result<Value> Table::EvaluateExpression(std::string_view expression)
{
    if (Status open = CheckOpen(); !open) return Result<Value>(open);
    auto compiled = Expression::Compile(expression, *this, FCodePage);
    if (!compiled) return Result<Value>::Error(compiled.Message());
    return compiled->Evaluate(*this, FExpressionOptions);
}

Status Table::SetQuery(std::string_view expression)
{
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    std::string text(expression);
    if (text.find_first_not_of(' ') == std::string::npos) {
        FQuery.reset();
        FQueryText.clear();
    } else {
        auto compiled = Expression::Compile(text, *this, FCodePage);
        if (!compiled) return compiled.ToStatus();
        if (compiled->Type() != ValueType::Logical) {
            return Status::Error("The query " + text + " is not a condition");
        }
        FQuery = std::make_unique<Expression>(compiled.Take());
        FQueryText = text;
    }
    FPositionValid = false;
    return GoTop();
}

Result<bool> Table::Visible(uint32_t recno) const
{
    const char* record = FFile->Record(recno);
    if (!record) return false;
    if (FDeletedHidden && record[0] == '*') return false;
    if (!FQuery) return true;
    RecordView view(*this, record, recno);
    return FQuery->IsTrue(view, FExpressionOptions);
}

Result<uint32_t> Table::QueryCount()
{
    if (Status open = CheckOpen(); !open) return Result<uint32_t>(open);
    if (Status flushed = FlushRecord(); !flushed) return Result<uint32_t>(flushed);
    uint32_t count = 0;
    const uint32_t total = FFile->RecordCount();
    for (uint32_t recno = 1; recno <= total; ++recno) {
        auto visible = Visible(recno);
        if (!visible) return Result<uint32_t>::Error(visible.Message());
        if (*visible) ++count;
    }
    return count;
}

uint32_t Table::RecordCount() const
{
    if (!FFile) return 0;
    return FFile->RecordCount() + (FRecordDirty && FRecordIsNew ? 1 : 0);
}

// ---- orders ---------------------------------------------------------------------------------

std::vector<TagDefinition> Table::Tags() const
{
    std::vector<TagDefinition> result;
    for (const OpenTag* tag : FOrders) result.push_back(tag->Definition);
    return result;
}

int Table::OrderNumber(std::string_view tagName) const
{
    for (size_t i = 0; i < FOrders.size(); ++i) {
        if (EqualNoCase(FOrders[i]->Definition.Name, tagName)) return static_cast<int>(i + 1);
    }
    return 0;
}

Status Table::SetOrder(int orderNumber)
{
    if (Status open = CheckOpen(); !open) return open;
    if (orderNumber < 0 || orderNumber > static_cast<int>(FOrders.size())) {
        return Status::Error("There is no order number " + std::to_string(orderNumber));
    }
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    if (orderNumber > 0) {
        auto ready = ReadyTag(*FOrders[static_cast<size_t>(orderNumber - 1)]);
        if (!ready) return ready.ToStatus();
    }
    FOrder = orderNumber;
    FPositionValid = false;
    return Status::Success();
}

std::string Table::OrderName() const
{
    return FOrder > 0 ? FOrders[static_cast<size_t>(FOrder - 1)]->Definition.Name : std::string();
}

std::string Table::OrderIndexFileName() const
{
    return FOrder > 0 ? FOrders[static_cast<size_t>(FOrder - 1)]->File->Path : std::string();
}

Table::OpenTag* Table::ActiveTag() const
{
    return FOrder > 0 ? FOrders[static_cast<size_t>(FOrder - 1)] : nullptr;
}



// The tag's keys over the records, sorted. With `renumber`, deleted records are left out and
// the others numbered as a pack will number them.
Result<std::unique_ptr<TagIndex>> Table::BuildKeys(const OpenTag& tag, const ProgressCallback& progress,
                                                   int progressFrom, int progressTo, bool renumber)
{
    auto index = std::make_unique<TagIndex>(tag.Definition);
    const uint32_t total = FFile->RecordCount();
    index->Reserve(total);
    int lastPercent = -1;
    uint32_t kept = 0;
    for (uint32_t recno = 1; recno <= total; ++recno) {
        const char* record = FFile->Record(recno);
        if (renumber && record[0] == '*') continue;
        const uint32_t number = renumber ? ++kept : recno;
        RecordView view(*this, record, number);
        auto in = InTag(tag, view);
        if (!in) return Result<std::unique_ptr<TagIndex>>::Error(in.Message());
        if (*in) {
            auto key = KeyFor(tag, view);
            if (!key) return Result<std::unique_ptr<TagIndex>>::Error(key.Message());
            index->AppendUnsorted(*key, number);
        }
        if (progress) {
            int percent = progressFrom + static_cast<int>(int64_t(progressTo - progressFrom) * recno / total);
            if (percent != lastPercent) progress(lastPercent = percent);
        }
        if (recno % ReleaseEvery == 0) FFile->ReleaseRecords(recno - ReleaseEvery + 1, recno);
    }
    FFile->ReleaseRecords(total - total % ReleaseEvery + 1, total);
    (void)index->Size();  // sorts now, so the cost shows where the building happens
    if (progress && lastPercent != progressTo) progress(progressTo);
    return index;
}

// The production index file, made (empty) when the table has none or one that cannot be trusted.
Result<Table::IndexFile*> Table::ProductionFile()
{
    IndexFile* production = nullptr;
    for (auto& file : FIndexFiles) {
        if (file->Production) production = file.get();
    }
    if (!production && FIndexState != IndexState::Invalid) {
        if (Status opened = OpenProductionIndex(); !opened) return Result<IndexFile*>(opened);
        for (auto& file : FIndexFiles) {
            if (file->Production) production = file.get();
        }
    }
    if (!production) {
        // No index file, or one that cannot be trusted: a new empty one takes its place.
        std::string existing = FindCompanion(FFile->Path(), ".CDX");
        const std::string path = existing.empty() ? CompanionPathForNew(FFile->Path(), ".CDX") : existing;
        CdxStamp stamp;
        stamp.Present = true;
        stamp.RecordCount = FFile->RecordCount();
        if (Status written = CdxFile::Write(path, std::vector<const TagIndex*>{}, stamp); !written) {
            return Result<IndexFile*>(written);
        }
        auto store = OpenStore(path);
        if (!store) return Result<IndexFile*>(store.ToStatus());
        auto file = std::make_unique<IndexFile>();
        file->Path = path;
        file->Production = true;
        file->Store = store.Take();
        production = file.get();
        FIndexFiles.insert(FIndexFiles.begin(), std::move(file));
        FIndexState = IndexState::Valid;
        RebuildOrderList();
    }
    return production;
}

// Many tags from one pass over the records: each record's keys go to the tags' batches, which
// spill to sorted runs as they grow, and each tag is then written from one merge.
Status Table::CreateTags(const std::vector<TagDefinition>& definitions,
                         const std::function<void(int tag, int percent)>& progress)
{
    // Appended records' keys belong to the tags open when they were appended.
    if (FFile && !FFile->ReadOnly()) {
        if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    }
    if (Status writable = CheckWritable(); !writable) return writable;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    std::vector<std::unique_ptr<OpenTag>> made;
    for (const TagDefinition& wanted : definitions) {
        if (wanted.Name.empty() || wanted.Name.size() > 10) {
            return Status::Error("Tag name \"" + wanted.Name + "\" must have 1 to 10 characters");
        }
        TagDefinition definition;
        definition.Name = UpperAscii(wanted.Name);
        definition.KeyExpression = wanted.KeyExpression;
        definition.ForExpression = wanted.ForExpression;
        auto tag = MakeTag(definition, nullptr, true);
        if (!tag) return tag.ToStatus();
        made.push_back(tag.Take());
    }
    if (made.empty()) return Status::Success();
    auto productionFile = ProductionFile();
    if (!productionFile) return productionFile.ToStatus();
    IndexFile* production = *productionFile;
    if (Status change = BeginChange(); !change) return change;
    if (Status merged = MergeAllPending(); !merged) return merged;

    const uint32_t total = FFile->RecordCount();
    const size_t count = made.size();
    size_t batchBytes = 0;
    const size_t limit = PageCache::Shared().Limit();
    int lastStep = -1;
    for (auto& tag : made) {
        tag->File = production;
        tag->Pending = std::make_unique<TagIndex>(tag->Definition);
        tag->Runs = std::make_unique<KeyRuns>(TableFolder(), tag->Definition.KeyLength);
    }
    // The batches spill side by side, as appended keys do.
    std::vector<OpenTag*> tags;
    for (auto& tag : made) tags.push_back(tag.get());
    auto spill = [&] {
        return OnThreads(tags, true, [](OpenTag& tag) {
            Status written = tag.Runs->Spill(*tag.Pending);
            tag.Pending = std::make_unique<TagIndex>(tag.Definition);
            return written;
        });
    };
    for (uint32_t recno = 1; recno <= total; ++recno) {
        RecordView view(*this, FFile->Record(recno), recno);
        for (auto& tag : made) {
            auto in = InTag(*tag, view);
            if (!in) return in.ToStatus();
            if (!*in) continue;
            auto key = KeyFor(*tag, view);
            if (!key) return key.ToStatus();
            tag->Pending->AppendUnsorted(*key, recno);
            batchBytes += tag->Definition.KeyLength + 4u;
        }
        if (batchBytes > limit) {
            if (Status spilled = spill(); !spilled) return spilled;
            batchBytes = 0;
        }
        if (recno % ReleaseEvery == 0) FFile->ReleaseRecords(recno - ReleaseEvery + 1, recno);
        if (progress) {
            // The pass stands for the building of every tag: the gauge moves through them in turn.
            const int64_t step = int64_t(100) * static_cast<int64_t>(count) * recno / total;
            if (step != lastStep) {
                lastStep = static_cast<int>(step);
                progress(static_cast<int>(std::min<int64_t>(step / 100, static_cast<int64_t>(count) - 1)),
                         static_cast<int>(step % 100));
            }
        }
    }
    for (size_t i = 0; i < count; ++i) {
        OpenTag& tag = *made[i];
        const TagIndex empty(tag.Definition);
        auto added = production->Store->AddTag(tag.Definition, empty);
        if (!added) return added.ToStatus();
        tag.Number = *added;
        (void)tag.Pending->Size();
        if (Status merged = tag.Runs->MergeInto(tag.Tree(), tag.Pending.get(), tag.Definition.Unique); !merged) {
            return merged;
        }
        tag.Pending.reset();
        tag.Runs.reset();
        auto same = std::find_if(production->Tags.begin(), production->Tags.end(),
                                 [&](const auto& t) { return t->Definition.Name == tag.Definition.Name; });
        if (same != production->Tags.end()) {
            *same = std::move(made[i]);
        } else {
            production->Tags.push_back(std::move(made[i]));
        }
        RenumberTags(*production);
        if (progress) progress(static_cast<int>(i), 100);
    }
    FIndexState = IndexState::Valid;
    RebuildOrderList();
    return Status::Success();
}

Status Table::CreateTag(const std::string& name, const std::string& keyExpression, const std::string& forExpression,
                        const ProgressCallback& progress)
{
    // Appended records' keys belong to the tags open when they were appended.
    if (FFile && !FFile->ReadOnly()) {
        if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    }
    if (Status writable = CheckWritable(); !writable) return writable;
    if (name.empty() || name.size() > 10) return Status::Error("Tag name \"" + name + "\" must have 1 to 10 characters");
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    TagDefinition definition;
    definition.Name = UpperAscii(name);
    definition.KeyExpression = keyExpression;
    definition.ForExpression = forExpression;
    auto made = MakeTag(definition, nullptr, true);
    if (!made) return made.ToStatus();
    auto productionFile = ProductionFile();
    if (!productionFile) return productionFile.ToStatus();
    IndexFile* production = *productionFile;
    if (Status change = BeginChange(); !change) return change;
    OpenTag& tag = **made;
    tag.File = production;
    auto keys = BuildKeys(tag, progress, 0, 100, false);
    if (!keys) return keys.ToStatus();
    auto added = production->Store->AddTag(tag.Definition, **keys);
    if (!added) return added.ToStatus();
    auto same = std::find_if(production->Tags.begin(), production->Tags.end(),
                             [&](const auto& t) { return t->Definition.Name == definition.Name; });
    if (same != production->Tags.end()) {
        *same = made.Take();
    } else {
        production->Tags.push_back(made.Take());
    }
    RenumberTags(*production);
    FIndexState = IndexState::Valid;
    RebuildOrderList();
    return Status::Success();
}

// Tag numbers follow the store's order after a tag was added or replaced.
void Table::RenumberTags(IndexFile& file)
{
    for (auto& tag : file.Tags) {
        for (size_t i = 0; i < file.Store->TagCount(); ++i) {
            if (file.Store->Definition(i).Name == tag->Definition.Name) {
                tag->Number = i;
                file.Store->SetKeyType(i, tag->Definition.KeyType);
            }
        }
    }
    std::sort(file.Tags.begin(), file.Tags.end(), [](const auto& a, const auto& b) { return a->Number < b->Number; });
}

void Table::RebuildOrderList()
{
    std::string current = OrderName();
    IndexFile* currentFile = FOrder > 0 ? FOrders[static_cast<size_t>(FOrder - 1)]->File : nullptr;
    FOrders.clear();
    FOrder = 0;
    for (auto& file : FIndexFiles) {
        for (auto& tag : file->Tags) {
            FOrders.push_back(tag.get());
            if (file.get() == currentFile && tag->Definition.Name == current) FOrder = static_cast<int>(FOrders.size());
        }
    }
    FPositionValid = false;
}









// A one-tag index file written whole from `keys` and opened in place.
Status Table::AddIndexFile(const std::string& path, std::unique_ptr<OpenTag> tag, const TagIndex& keys)
{
    CdxStamp stamp;
    stamp.Present = true;
    stamp.RecordCount = FFile->RecordCount();
    if (Status written = CdxFile::Write(path, {&keys}, stamp); !written) return written;
    auto store = OpenStore(path);
    if (!store) return store.ToStatus();
    auto file = std::make_unique<IndexFile>();
    file->Path = path;
    file->Store = store.Take();
    tag->File = file.get();
    tag->Number = 0;
    file->Store->SetKeyType(0, tag->Definition.KeyType);
    file->Tags.push_back(std::move(tag));
    OpenTag* created = file->Tags.back().get();
    FIndexFiles.push_back(std::move(file));
    RebuildOrderList();
    for (size_t i = 0; i < FOrders.size(); ++i) {
        if (FOrders[i] == created) return SetOrder(static_cast<int>(i + 1));
    }
    return Status::Success();
}

TagDefinition Table::IndexFileTag(const std::string& path, const std::string& keyExpression)
{
    std::string base = path.substr(path.find_last_of('/') + 1);
    base = base.substr(0, base.find('.'));
    TagDefinition definition;
    definition.Name = UpperAscii(base.substr(0, 10));
    if (definition.Name.empty()) definition.Name = "TAG";
    definition.KeyExpression = keyExpression;
    return definition;
}

Status Table::CreateIndexFile(const std::string& path, const std::string& keyExpression, const ProgressCallback& progress)
{
    // Appended records' keys belong to the tags open when they were appended.
    if (FFile && !FFile->ReadOnly()) {
        if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    }
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    auto tag = MakeTag(IndexFileTag(path, keyExpression), nullptr, true);
    if (!tag) return tag.ToStatus();
    auto keys = BuildKeys(**tag, progress, 0, 100, false);
    if (!keys) return keys.ToStatus();
    return AddIndexFile(path, tag.Take(), **keys);
}

Status Table::CreateEmptyIndexFile(const std::string& path, const std::string& keyExpression)
{
    // Appended records' keys belong to the tags open when they were appended.
    if (FFile && !FFile->ReadOnly()) {
        if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    }
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    for (auto& existing : FIndexFiles) {
        if (existing->Path == path) return Status::Error("Index file " + path + " is already open");
    }
    auto tag = MakeTag(IndexFileTag(path, keyExpression), nullptr, true);
    if (!tag) return tag.ToStatus();
    tag.Value()->Explicit = true;
    const TagIndex empty(tag.Value()->Definition);
    return AddIndexFile(path, tag.Take(), empty);
}

Status Table::CloseIndexFile(const std::string& path)
{
    // Appended records' keys belong to the tags open when they were appended.
    if (FFile && !FFile->ReadOnly()) {
        if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    }
    if (Status open = CheckOpen(); !open) return open;
    auto found = std::find_if(FIndexFiles.begin(), FIndexFiles.end(), [&](const auto& f) { return f->Path == path; });
    if (found == FIndexFiles.end()) return Status::Success();
    // What the file holds must be committed before it leaves the transaction.
    Status result = Commit();
    found = std::find_if(FIndexFiles.begin(), FIndexFiles.end(), [&](const auto& f) { return f->Path == path; });
    IndexFile* file = found->get();
    OpenTag* current = ActiveTag();
    if (current && current->File == file) FOrder = 0;
    if (file->Production) FIndexState = IndexState::None;
    FIndexFiles.erase(found);
    RebuildOrderList();
    return result;
}

Status Table::DeleteIndexFile(const std::string& path)
{
    Status closed = CloseIndexFile(path);
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (std::filesystem::exists(path, ignored)) return Status::Error("Cannot delete " + path);
    return closed;
}

Status Table::OpenIndex(const std::string& path)
{
    // Appended records' keys belong to the tags open when they were appended.
    if (FFile && !FFile->ReadOnly()) {
        if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    }
    if (Status open = CheckOpen(); !open) return open;
    for (auto& file : FIndexFiles) {
        if (file->Path == path) return Status::Success();
    }
    auto cdx = OpenStore(path);
    if (!cdx) return cdx.ToStatus();
    auto file = std::make_unique<IndexFile>();
    file->Path = path;
    std::string production = FindCompanion(FFile->Path(), ".CDX");
    file->Production = !production.empty() && production == path;
    file->Store = cdx.Take();
    for (size_t i = 0; i < file->Store->TagCount(); ++i) {
        auto tag = MakeTag(file->Store->Definition(i), file.get(), false);
        if (!tag) return Status::Error("Index file " + path + ": " + tag.Message());
        tag.Value()->Number = i;
        file->Store->SetKeyType(i, tag.Value()->Definition.KeyType);
        file->Tags.push_back(tag.Take());
    }
    if (FDataDirty) {
        if (Status stamped = file->Store->BeginChange(FFile->RecordCount()); !stamped) return stamped;
    }
    if (file->Production) {
        FIndexFiles.insert(FIndexFiles.begin(), std::move(file));
        FIndexState = IndexState::Valid;
    } else {
        FIndexFiles.push_back(std::move(file));
    }
    RebuildOrderList();
    return Status::Success();
}

Status Table::CloseIndexes()
{
    // Appended records' keys belong to the tags open when they were appended.
    if (FFile && !FFile->ReadOnly()) {
        if (Status worked = WorkOutDeferredKeys(); !worked) return worked;
    }
    if (Status open = CheckOpen(); !open) return open;
    if (!FFile->ReadOnly()) {
        if (Status committed = Commit(); !committed) return committed;
    }
    FOrders.clear();
    FIndexFiles.clear();
    FOrder = 0;
    FPositionValid = false;
    FIndexState = IndexState::None;
    return Status::Success();
}

Status Table::AddCurrentKey()
{
    return AddCurrentKey(FOrder);
}

Status Table::AddCurrentKey(int orderNumber)
{
    if (Status open = CheckOpen(); !open) return open;
    if (orderNumber < 1 || orderNumber > static_cast<int>(FOrders.size())) return Status::Error("No order is selected");
    OpenTag* tag = FOrders[static_cast<size_t>(orderNumber - 1)];
    if (FEof) return Status::Error("There is no current record");
    // The stored record and its keys first, so the key added is the one later edits move.
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    // A list kept beside a table opened read-only lives in memory only.
    if (!FFile->ReadOnly()) {
        if (Status change = BeginChange(); !change) return change;
    }
    auto tree = ReadyTag(*tag);
    if (!tree) return tree.ToStatus();
    auto key = KeyFor(*tag, *this);
    if (!key) return key.ToStatus();
    CdxTree::Cursor cursor;
    auto found = (*tree)->LowerBoundEntry(*key, FRecno, cursor);
    if (!found) return found.ToStatus();
    if (!*found || (*tree)->KeyAt(cursor) != *key || (*tree)->RecnoAt(cursor) != FRecno) {
        if (auto inserted = (*tree)->Insert(*key, FRecno); !inserted) return inserted.ToStatus();
    }
    if (tag == ActiveTag()) FPositionValid = false;
    return Status::Success();
}

// Every open tag rebuilt from the records in place, inside the transaction: a crash before the
// commit leaves the tags as they were.
Status Table::Reindex(const ProgressCallback& progress)
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    if (Status change = BeginChange(); !change) return change;
    for (OpenTag* tag : FOrders) {
        tag->Pending.reset();
        tag->Runs.reset();
    }
    FPendingBytes = 0;
    FDeferredFrom = FDeferredTo = 0;
    const size_t count = FOrders.size();
    for (size_t first = 0; first < count; first += TagsSideBySide()) {
        const size_t last = std::min(count, first + TagsSideBySide());
        const std::vector<OpenTag*> group(FOrders.begin() + static_cast<ptrdiff_t>(first),
                                          FOrders.begin() + static_cast<ptrdiff_t>(last));
        auto keys = KeysSideBySide(group, false, progress, static_cast<int>(first * 100 / count),
                                   static_cast<int>(last * 100 / count));
        if (!keys) return keys.ToStatus();
        for (size_t i = 0; i < group.size(); ++i) {
            if (Status rebuilt = group[i]->File->Store->RebuildTag(group[i]->Number, *(*keys)[i]); !rebuilt) return rebuilt;
        }
    }
    FPositionValid = false;
    return Status::Success();
}

// The keys of a few tags from the records (`renumber`: as a pack will number them), worked out
// side by side: each tag on its own thread, which walks the records for it. The first tag's
// thread is this one, and only it moves the gauge (from `progressFrom` to `progressTo`).
Result<std::vector<std::unique_ptr<TagIndex>>> Table::KeysSideBySide(const std::vector<OpenTag*>& tags, bool renumber,
                                                                     const ProgressCallback& progress, int progressFrom,
                                                                     int progressTo)
{
    std::vector<std::unique_ptr<TagIndex>> keys(tags.size());
    std::vector<std::function<Status()>> work;
    for (size_t i = 0; i < tags.size(); ++i) {
        work.emplace_back([&, i]() -> Status {
            const OpenTag& tag = *tags[i];
            if (tag.Explicit) {
                // Its record numbers no longer name the records it listed (after a pack): it empties.
                keys[i] = std::make_unique<TagIndex>(tag.Definition);
                return Status::Success();
            }
            auto built = BuildKeys(tag, i == 0 ? progress : ProgressCallback(), progressFrom, progressTo, renumber);
            if (!built) return built.ToStatus();
            keys[i] = built.Take();
            return Status::Success();
        });
    }
    if (Status built = SideBySide(work); !built) return built;
    return keys;
}

// ---- movement -------------------------------------------------------------------------------








// The active tag's cursor on the current record, found again after the tag changed. A record
// the tag does not hold sits before the first entry above its key (`exact` false).
Result<bool> Table::CurrentPosition(CdxTree::Cursor& cursor, bool& exact)
{
    OpenTag* tag = ActiveTag();
    auto tree = ReadyTag(*tag);
    if (!tree) return Result<bool>::Error(tree.Message());
    if (FPositionValid && (*tree)->Current(FCursor)) {
        // Taken, not copied: the walk puts it back (a cursor left empty is found again by key).
        cursor = std::move(FCursor);
        exact = true;
        return true;
    }
    auto key = KeyFor(*tag, *this);
    if (!key) return Result<bool>::Error(key.Message());
    auto found = (*tree)->LowerBoundEntry(*key, FRecno, cursor);
    if (!found) return found;
    exact = *found && (*tree)->KeyAt(cursor) == *key && (*tree)->RecnoAt(cursor) == FRecno;
    return *found;
}

namespace {

// A walk in index order jumps about the table, and each jump would wait for memory: the records
// of the next entries in the leaf are asked for ahead.
void PrefetchAhead(const DbfFile& file, const CdxTree::Cursor& cursor, int direction)
{
    const std::vector<uint32_t>& recnos = cursor.Leaf->Recnos;
    const size_t length = std::min<size_t>(file.RecordLength(), 1024);
    for (size_t ahead = 1; ahead <= 2; ++ahead) {
        const size_t slot = direction > 0 ? cursor.Slot + ahead : cursor.Slot - ahead;
        if (slot >= recnos.size()) return;  // also below zero: the slot wraps
        const char* record = file.Record(recnos[slot]);
        if (!record) return;
        for (size_t at = 0; at < length; at += 64) __builtin_prefetch(record + at);
    }
}

}  // namespace

// From the cursor's entry (included), walks in `direction` through the tag to the first visible
// record and makes it current. Running off the end reports false.
Result<bool> Table::WalkTag(CdxTree::Cursor cursor, int direction)
{
    OpenTag* tag = ActiveTag();
    CdxTree& tree = tag->Tree();
    for (;;) {
        const uint32_t recno = tree.RecnoAt(cursor);
        auto visible = Visible(recno);
        if (!visible) return Result<bool>::Error(visible.Message());
        if (*visible) {
            if (Status loaded = LoadRecord(recno); !loaded) return Result<bool>(loaded);
            FCursor = std::move(cursor);
            FPositionValid = true;
            return true;
        }
        auto step = direction > 0 ? tree.Next(cursor) : tree.Previous(cursor);
        if (!step) return step;
        if (!*step) return false;
    }
}

Result<bool> Table::WalkRecords(int64_t recno, int direction)
{
    const int64_t count = FFile->RecordCount();
    for (; recno >= 1 && recno <= count; recno += direction) {
        auto visible = Visible(static_cast<uint32_t>(recno));
        if (!visible) return Result<bool>::Error(visible.Message());
        if (*visible) {
            if (Status loaded = LoadRecord(static_cast<uint32_t>(recno)); !loaded) return Result<bool>(loaded);
            return true;
        }
    }
    return false;
}

// The first (`fromTop`) or last visible record of the order the user sees.
Result<bool> Table::WalkFromEnd(bool fromTop)
{
    OpenTag* tag = ActiveTag();
    if (!tag) return fromTop ? WalkRecords(1, 1) : WalkRecords(FFile->RecordCount(), -1);
    auto tree = ReadyTag(*tag);
    if (!tree) return Result<bool>::Error(tree.Message());
    // A descending order shows the tag's last entry first.
    const bool first = fromTop != tag->Definition.Descending;
    CdxTree::Cursor cursor;
    auto found = first ? (*tree)->First(cursor) : (*tree)->Last(cursor);
    if (!found || !*found) return found;
    return WalkTag(std::move(cursor), first ? 1 : -1);
}

Status Table::GoTop()
{
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    FFound = false;
    auto found = WalkFromEnd(true);
    if (!found) return found.ToStatus();
    if (!*found) return GoPhantom(true);
    FBof = false;
    return Status::Success();
}

Status Table::GoBottom()
{
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    FFound = false;
    auto found = WalkFromEnd(false);
    if (!found) return found.ToStatus();
    if (!*found) return GoPhantom(true);
    FBof = false;
    return Status::Success();
}

Status Table::GoTo(uint32_t recno)
{
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    FFound = false;
    FBof = false;
    FPositionValid = false;
    if (recno < 1 || recno > FFile->RecordCount()) return GoPhantom(false);
    return LoadRecord(recno);
}

// One step from the current record in the order the user sees; false off either end.
Result<bool> Table::Step(bool forward)
{
    OpenTag* tag = ActiveTag();
    if (!tag) return WalkRecords(static_cast<int64_t>(FRecno) + (forward ? 1 : -1), forward ? 1 : -1);
    const bool ascending = forward != tag->Definition.Descending;
    CdxTree::Cursor cursor;
    bool exact = false;
    auto placed = CurrentPosition(cursor, exact);
    if (!placed) return placed;
    CdxTree& tree = tag->Tree();
    if (!*placed) {
        // Past the last entry: only a step down the tag finds anything.
        if (ascending) return false;
        auto last = tree.Last(cursor);
        if (!last || !*last) return last;
        return WalkTag(std::move(cursor), -1);
    }
    if (exact || !ascending) {
        auto step = ascending ? tree.Next(cursor) : tree.Previous(cursor);
        if (!step || !*step) return step;
    }
    auto walked = WalkTag(std::move(cursor), ascending ? 1 : -1);
    if (walked && *walked) PrefetchAhead(*FFile, FCursor, ascending ? 1 : -1);
    return walked;
}

Status Table::Skip(int64_t count)
{
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    FFound = false;
    if (count == 0) return FEof ? Status::Success() : LoadRecord(FRecno);
    const bool forward = count > 0;
    if (FEof) {
        if (forward) return Status::Success();
        // Stepping back from the end of file lands on the last record.
        if (Status bottom = GoBottom(); !bottom) return bottom;
        if (FEof) return Status::Success();
        ++count;
        if (count == 0) return Status::Success();
    }
    const int64_t steps = forward ? count : -count;
    for (int64_t step = 0; step < steps; ++step) {
        uint32_t before = FRecno;
        auto found = Step(forward);
        if (!found) return found.ToStatus();
        if (!*found) {
            if (forward) return GoPhantom(false);
            // Before the first record: stay on it, with the start-of-file state.
            if (Status back = LoadRecord(before); !back) return back;
            FPositionValid = false;
            FBof = true;
            return Status::Success();
        }
    }
    FBof = false;
    return Status::Success();
}

Result<std::string> Table::SeekKey(const OpenTag& tag, std::string_view key) const
{
    const size_t length = tag.Definition.KeyLength;
    switch (tag.Definition.KeyType) {
    case 'C': {
        auto bytes = FCodePage.FromUtf8(key, "seek key");
        if (!bytes) return bytes;
        std::string result = bytes.Take();
        if (result.size() > length) result.resize(length);
        if (FExpressionOptions.Exact) result.resize(length, ' ');
        return result;
    }
    case 'N': {
        std::string text(key);
        char* end = nullptr;
        double number = std::strtod(text.c_str(), &end);
        if (text.empty() || (end && *end != '\0')) return Result<std::string>::Error("\"" + text + "\" is not a number");
        return EncodeNumericKey(number);
    }
    case 'D': {
        int64_t day = JulianDay(key);
        if (day == 0 && key.find_first_not_of(' ') != std::string_view::npos) {
            return Result<std::string>::Error("\"" + std::string(key) + "\" is not a date (YYYYMMDD)");
        }
        return EncodeNumericKey(static_cast<double>(day));
    }
    default: {
        if (key.empty()) return Result<std::string>::Error("A logical key is T or F");
        char c = key[0];
        bool truth = c == 'T' || c == 't' || c == 'Y' || c == 'y';
        return std::string(1, truth ? 'T' : 'F');
    }
    }
}

Result<bool> Table::Seek(std::string_view key)
{
    if (Status open = CheckOpen(); !open) return Result<bool>(open);
    if (Status flushed = FlushRecord(); !flushed) return Result<bool>(flushed);
    OpenTag* tag = ActiveTag();
    if (!tag) return Result<bool>::Error("Seek needs an index order");
    auto ready = ReadyTag(*tag);
    if (!ready) return Result<bool>::Error(ready.Message());
    CdxTree& tree = **ready;
    auto prefix = SeekKey(*tag, key);
    if (!prefix) return Result<bool>::Error(prefix.Message());
    FFound = false;
    FBof = false;
    const std::string& wanted = *prefix;
    auto matches = [&] { return tree.KeyAt(FCursor).substr(0, wanted.size()) == wanted; };
    CdxTree::Cursor cursor;
    Result<bool> found = false;
    if (!tag->Definition.Descending) {
        auto placed = tree.LowerBound(wanted, cursor);
        if (!placed) return placed;
        found = *placed ? WalkTag(std::move(cursor), 1) : Result<bool>(false);
    } else {
        // A descending order shows greater keys first: the first match in its order is the last
        // ascending entry that starts with the key, just before the first entry above them all,
        // and a soft miss goes to the next smaller key.
        std::string above = wanted;
        while (!above.empty() && static_cast<unsigned char>(above.back()) == 0xFF) above.pop_back();
        Result<bool> placed = false;
        if (above.empty()) {
            placed = tree.Last(cursor);
        } else {
            above.back() = static_cast<char>(static_cast<unsigned char>(above.back()) + 1);
            placed = tree.LowerBound(above, cursor);
            if (placed && *placed) {
                placed = tree.Previous(cursor);
            } else if (placed) {
                placed = tree.Last(cursor);
            }
        }
        if (!placed) return placed;
        found = *placed ? WalkTag(std::move(cursor), -1) : Result<bool>(false);
    }
    if (!found) return found;
    if (*found && matches()) {
        FFound = true;
        return true;
    }
    if (*found && FSoftSeek) return true;
    (void)GoPhantom(false);
    return false;
}

// ---- pack and zap ---------------------------------------------------------------------------

namespace {

// Whether a tag keeps its entries through a pack: the entries of the kept records, renumbered,
// are still in order, unless the key or FOR expression reads the record number (RECNO and its
// abbreviations). A unique tag may hold a deleted record's entry where a kept record with the
// same key belongs, and a tag of listed records keeps none, so neither carries over.
bool CarriesOverPack(const TagDefinition& definition, bool listed)
{
    return !listed && !definition.Unique &&
           UpperAscii(definition.KeyExpression + " " + definition.ForExpression).find("RECN") == std::string::npos;
}

}  // namespace

// The tag's entries of the records a pack keeps, under their new numbers (`renumbered`, 0 for
// the records that go).
Result<std::unique_ptr<TagIndex>> Table::CarriedOverKeys(OpenTag& tag, const std::vector<uint32_t>& renumbered,
                                                         uint32_t kept)
{
    auto keys = std::make_unique<TagIndex>(tag.Definition);
    keys->Reserve(kept);
    CdxTree& tree = tag.Tree();
    CdxTree::Cursor cursor;
    Result<bool> more = tree.First(cursor);
    for (; more && *more; more = tree.Next(cursor)) {
        const uint32_t recno = tree.RecnoAt(cursor);
        if (recno < renumbered.size() && renumbered[recno] != 0) keys->AppendUnsorted(tree.KeyAt(cursor), renumbered[recno]);
    }
    if (!more) return more.ToStatus();
    return keys;
}

// Packing writes the surviving records to a new file and each index file anew for them, then
// swaps them in by one rename group that the journal records: a crash at any moment leaves
// either the old table with its old tags or the packed one with its new tags.
Status Table::Pack(const ProgressCallback& progress)
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (Status committed = Commit(); !committed) return committed;
    const std::string path = FFile->Path();
    const std::string temporary = path + ".pak";
    const uint32_t total = FFile->RecordCount();
    const size_t length = FFile->RecordLength();

    std::string header(FFile->HeaderLength(), '\0');
    {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return Status::Error(SystemError("Cannot read", path));
        bool read = ReadFully(fd, header.data(), header.size(), 0);
        ::close(fd);
        if (!read) return Status::Error("Cannot read the header of " + path);
    }
    int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) return Status::Error(SystemError("Cannot create", temporary));
    auto fail = [&](const Status& status) {
        ::close(out);
        ::unlink(temporary.c_str());
        return status;
    };
    std::string chunk;
    chunk.reserve(1 << 20);
    uint32_t kept = 0;
    std::vector<uint32_t> renumbered(size_t{total} + 1, 0);  // 0 for the records that go
    uint64_t offset = header.size();
    int lastPercent = -1;
    for (uint32_t recno = 1; recno <= total; ++recno) {
        const char* record = FFile->Record(recno);
        if (record[0] != '*') {
            chunk.append(record, length);
            renumbered[recno] = ++kept;
        }
        if (chunk.size() >= (1 << 20) || recno == total) {
            if (Status written = WriteFully(out, chunk.data(), chunk.size(), offset, temporary); !written) {
                return fail(written);
            }
            offset += chunk.size();
            chunk.clear();
        }
        if (progress) {
            int percent = static_cast<int>(int64_t(50) * recno / std::max<uint32_t>(total, 1));
            if (percent != lastPercent) progress(lastPercent = percent);
        }
    }
    const char eof = 0x1A;
    header[4] = static_cast<char>(kept & 0xFF);
    header[5] = static_cast<char>((kept >> 8) & 0xFF);
    header[6] = static_cast<char>((kept >> 16) & 0xFF);
    header[7] = static_cast<char>((kept >> 24) & 0xFF);
    Status written = WriteFully(out, &eof, 1, offset, temporary);
    if (written) written = WriteFully(out, header.data(), header.size(), 0, temporary);
    if (written && ::fsync(out) != 0) written = Status::Error(SystemError("Cannot sync", temporary));
    if (!written) return fail(written);
    ::close(out);

    // Each index file is written anew beside it, its tags numbered as the packed file numbers
    // the records, and goes in by the same rename: no old page is journaled, freed or kept.
    std::vector<std::pair<std::string, std::string>> renames{{temporary, path}};
    auto failAll = [&](const Status& status) {
        for (const auto& [from, to] : renames) ::unlink(from.c_str());
        return status;
    };
    const size_t tagCount = std::max<size_t>(FOrders.size(), 1);
    size_t tagsDone = 0;
    for (auto& file : FIndexFiles) {
        const size_t count = file->Store->TagCount();
        std::vector<TagDefinition> definitions;
        std::vector<OpenTag*> byNumber(count, nullptr);
        for (size_t i = 0; i < count; ++i) definitions.push_back(file->Store->Definition(i));
        for (auto& tag : file->Tags) {
            if (tag->Number < count) byNumber[tag->Number] = tag.get();
        }
        std::vector<std::unique_ptr<TagIndex>> group;
        size_t groupFirst = 0;
        const TagIndex none;
        auto produce = [&](size_t i) -> Result<const TagIndex*> {
            if (!byNumber[i]) return &none;
            if (i < groupFirst || i >= groupFirst + group.size()) {
                group.clear();
                groupFirst = i;
                const int from = 50 + static_cast<int>(50 * (tagsDone + i) / tagCount);
                if (CarriesOverPack(byNumber[i]->Definition, byNumber[i]->Explicit)) {
                    auto keys = CarriedOverKeys(*byNumber[i], renumbered, kept);
                    if (!keys) return keys.ToStatus();
                    group.push_back(keys.Take());
                    if (progress) progress(from);
                } else {
                    std::vector<OpenTag*> tags;
                    for (size_t next = i; next < count && tags.size() < TagsSideBySide() && byNumber[next] &&
                                          !CarriesOverPack(byNumber[next]->Definition, byNumber[next]->Explicit);
                         ++next) {
                        tags.push_back(byNumber[next]);
                    }
                    auto keys = KeysSideBySide(tags, true, progress, from,
                                               50 + static_cast<int>(50 * (tagsDone + i + tags.size()) / tagCount));
                    if (!keys) return keys.ToStatus();
                    group = keys.Take();
                }
            }
            return group[i - groupFirst].get();
        };
        CdxStamp stamp;
        stamp.Present = true;
        stamp.RecordCount = kept;
        if (Status written = CdxFile::WriteTemporary(file->Path, definitions, produce, stamp); !written) {
            ::unlink(CdxFile::TemporaryPath(file->Path).c_str());
            return failAll(written);
        }
        renames.emplace_back(CdxFile::TemporaryPath(file->Path), file->Path);
        tagsDone += count;
    }

    const OpenMode mode = OpenMode::Exclusive;
    FFile->AttachJournal(nullptr);
    FFile.reset();  // releases the lock; the rename below replaces the file it held
    for (auto& file : FIndexFiles) file->Store.reset();
    Status replaced = FJournal->Replace(renames);
    // A file that cannot be opened again leaves the table without its tags until it is opened anew.
    auto withoutTags = [this](const Status& status) {
        FOrders.clear();
        FIndexFiles.clear();
        FOrder = 0;
        FIndexState = IndexState::Invalid;
        FIndexProblem = status.Message();
        return status;
    };
    auto reopened = DbfFile::Open(path, mode);
    if (!reopened) return withoutTags(reopened.ToStatus());
    FFile = reopened.Take();
    FFile->AttachJournal(FJournal.get());
    for (auto& file : FIndexFiles) {
        auto store = OpenStore(file->Path);
        if (!store) return withoutTags(store.ToStatus());
        file->Store = store.Take();
        for (auto& tag : file->Tags) file->Store->SetKeyType(tag->Number, tag->Definition.KeyType);
    }
    if (!replaced) return replaced;
    FDataDirty = false;
    FPositionValid = false;
    return GoTop();
}



Status Table::Zap()
{
    if (Status writable = CheckWritable(); !writable) return writable;
    FRecordDirty = false;
    FRecordIsNew = false;
    if (Status change = BeginChange(); !change) return change;
    if (Status truncated = FFile->Truncate(0); !truncated) return truncated;
    if (FMemo && FMemo->FileKind() == MemoFile::Kind::Fpt) {
        if (Status zapped = FMemo->Zap(); !zapped) return zapped;
    }
    for (OpenTag* tag : FOrders) {
        tag->Pending.reset();
        tag->Runs.reset();
        const TagIndex empty(tag->Definition);
        if (Status rebuilt = tag->File->Store->RebuildTag(tag->Number, empty); !rebuilt) return rebuilt;
    }
    FPendingBytes = 0;
    FDeferredFrom = FDeferredTo = 0;
    FPositionValid = false;
    return GoTop();
}

}  // namespace xbase
