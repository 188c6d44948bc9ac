#include "Table.h"
#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <unistd.h>

#include "CdxFile.h"
#include "AsciiCase.h"
#include "CompanionFiles.h"

namespace xbase {

namespace {

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
// by name. Tags are decoded from the file only when first needed.
struct Table::IndexFile {
    std::string Path;
    bool Production = false;
    bool OnDisk = false;        // the file exists and holds what Source read
    bool Changed = false;       // in memory differs from disk
    bool StampedDirty = false;  // the file on disk carries the dirty stamp
    std::unique_ptr<CdxFile> Source;
    std::vector<std::unique_ptr<OpenTag>> Tags;
};

struct Table::OpenTag {
    TagDefinition Definition;
    Expression Key;
    std::unique_ptr<Expression> For;
    IndexFile* File = nullptr;
    bool Explicit = false;  // lists only the records added by AddCurrentKey
    size_t SourceNumber = static_cast<size_t>(-1);  // tag number in File->Source, or none
    std::unique_ptr<TagIndex> Index;                  // null until loaded
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
    FCodePage = CodePage::FromMark(FFile->CodePageMark());
    FQuery.reset();
    FQueryText.clear();
    FOrder = 0;
    FDataDirty = false;
    FRecordDirty = false;
    FRecordIsNew = false;
    (void)OpenProductionIndex();  // an unusable index is reported through ProductionIndexState()
    return GoTop();
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
    auto cdx = CdxFile::Open(path);
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
    file->OnDisk = true;
    const auto& infos = cdx.Value()->Tags();
    for (size_t i = 0; i < infos.size(); ++i) {
        auto tag = MakeTag(infos[i].Definition, file.get(), false);
        if (!tag) return invalid("The index file " + path + ": " + tag.Message());
        if (infos[i].Definition.ForExpression.empty() && infos[i].KeyCount != FFile->RecordCount()) {
            return invalid("The index file " + path + ": tag " + infos[i].Definition.Name + " holds " +
                           std::to_string(infos[i].KeyCount) + " keys for " +
                           std::to_string(FFile->RecordCount()) + " records");
        }
        tag.Value()->SourceNumber = i;
        file->Tags.push_back(tag.Take());
    }
    file->Source = cdx.Take();
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
    auto key = Expression::Compile(definition.KeyExpression, *this, FCodePage);
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
        auto forExpression = Expression::Compile(definition.ForExpression, *this, FCodePage);
        if (!forExpression) return Result<std::unique_ptr<OpenTag>>::Error(forExpression.Message());
        if (forExpression->Type() != ValueType::Logical) {
            return Result<std::unique_ptr<OpenTag>>::Error("FOR expression " + definition.ForExpression + " is not a condition");
        }
        tag->For = std::make_unique<Expression>(forExpression.Take());
    }
    tag->File = file;
    return tag;
}

Result<TagIndex*> Table::LoadedTag(OpenTag& tag)
{
    if (tag.Index) return tag.Index.get();
    if (!tag.File || !tag.File->Source || tag.SourceNumber == static_cast<size_t>(-1)) {
        tag.Index = std::make_unique<TagIndex>(tag.Definition);
        return tag.Index.get();
    }
    auto loaded = tag.File->Source->LoadTag(tag.SourceNumber, tag.Definition.KeyType);
    if (!loaded) return Result<TagIndex*>::Error(loaded.Message());
    TagIndex index = loaded.Take();
    tag.Index = std::make_unique<TagIndex>(std::move(index));
    return tag.Index.get();
}

Status Table::Close()
{
    if (!FFile) return Status::Success();
    Status result = FlushRecord();
    if (result) result = Commit();
    if (result && !FFile->ReadOnly()) result = WriteIndexFiles();
    FOrders.clear();
    FIndexFiles.clear();
    FQuery.reset();
    FQueryText.clear();
    FMemo.reset();
    FFile.reset();
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

Status Table::Commit()
{
    if (Status open = CheckOpen(); !open) return open;
    if (FFile->ReadOnly()) return Status::Success();
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    if (Status committed = FFile->Commit(); !committed) return committed;
    if (FMemo && FMemo->FileKind() == MemoFile::Kind::Fpt) return FMemo->Commit();
    return Status::Success();
}

Status Table::FlushIndexes()
{
    if (Status committed = Commit(); !committed) return committed;
    if (FFile->ReadOnly()) return Status::Success();
    return WriteIndexFiles();
}

Status Table::WriteIndexFiles()
{
    for (auto& file : FIndexFiles) {
        if (!file->Changed) continue;
        std::vector<const TagIndex*> tags;
        for (auto& tag : file->Tags) {
            auto loaded = LoadedTag(*tag);
            if (!loaded) return loaded.ToStatus();
            tags.push_back(loaded.Value());
        }
        CdxStamp stamp;
        stamp.Present = true;
        stamp.RecordCount = FFile->RecordCount();
        if (Status written = CdxFile::Write(file->Path, tags, stamp); !written) return written;
        file->OnDisk = true;
        file->Changed = false;
        file->StampedDirty = false;
        file->Source.reset();
        for (size_t i = 0; i < file->Tags.size(); ++i) file->Tags[i]->SourceNumber = static_cast<size_t>(-1);
        if (file->Production && !(FFile->TableFlags() & DbfFile::FlagStructuralIndex)) {
            if (Status flag = FFile->SetTableFlags(FFile->TableFlags() | DbfFile::FlagStructuralIndex); !flag) return flag;
        }
    }
    return Status::Success();
}

// Before the first change to the table, every index file on disk is stamped dirty, so a crash
// between the change and the next index write leaves an index that will not be trusted.
Status Table::MarkIndexesDirty()
{
    for (auto& file : FIndexFiles) {
        file->Changed = true;
        if (file->OnDisk && !file->StampedDirty) {
            CdxStamp stamp;
            stamp.Present = true;
            stamp.Dirty = true;
            stamp.RecordCount = FFile->RecordCount();
            if (Status written = CdxFile::WriteStamp(file->Path, stamp); !written) return written;
            file->StampedDirty = true;
        }
    }
    FDataDirty = true;
    return Status::Success();
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

// Brings every tag in step with the buffered record: a new record only adds keys; a changed
// one swaps the keys that differ.
Status Table::UpdateKeys()
{
    const char* stored = FRecordIsNew ? nullptr : FFile->Record(FRecno);
    std::string old = stored ? std::string(stored, FFile->RecordLength()) : std::string();
    RecordView before(*this, old.data(), FRecno);
    RecordView after(*this, FBuffer.data(), FRecno);
    for (OpenTag* tag : FOrders) {
        auto index = LoadedTag(*tag);
        if (!index) return index.ToStatus();
        auto nowIn = InTag(*tag, after);
        if (!nowIn) return nowIn.ToStatus();
        std::string newKey;
        if (*nowIn) {
            auto key = KeyFor(*tag, after);
            if (!key) return key.ToStatus();
            newKey = key.Take();
        }
        if (tag->Explicit) {
            // Only a listed record moves; nothing joins the list on its own.
            if (FRecordIsNew) continue;
            auto oldKey = KeyFor(*tag, before);
            if (!oldKey) return oldKey.ToStatus();
            if (*oldKey == newKey || !(*index)->Remove(*oldKey, FRecno)) continue;
            (*index)->Insert(newKey, FRecno);
            continue;
        }
        if (FRecordIsNew) {
            if (*nowIn) (*index)->AppendUnsorted(newKey, FRecno);
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
        if (*wasIn) (*index)->Remove(oldKey, FRecno);
        if (*nowIn) (*index)->Insert(newKey, FRecno);
    }
    FPositionValid = false;
    return Status::Success();
}

Status Table::BeginChange()
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (!FDataDirty) return MarkIndexesDirty();
    for (auto& file : FIndexFiles) file->Changed = true;
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
    std::string changed = FBuffer;
    if (Status written = FieldCodec::Write(changed.data(), **field, *bytes); !written) return written;
    if (Status change = BeginChange(); !change) return change;
    FBuffer = std::move(changed);
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
        auto loaded = LoadedTag(*FOrders[static_cast<size_t>(orderNumber - 1)]);
        if (!loaded) return loaded.ToStatus();
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

Status Table::BuildTag(OpenTag& tag, const ProgressCallback& progress, int progressFrom, int progressTo)
{
    auto index = std::make_unique<TagIndex>(tag.Definition);
    const uint32_t total = FFile->RecordCount();
    index->Reserve(total);
    int lastPercent = -1;
    for (uint32_t recno = 1; recno <= total; ++recno) {
        RecordView view(*this, FFile->Record(recno), recno);
        auto in = InTag(tag, view);
        if (!in) return in.ToStatus();
        if (*in) {
            auto key = KeyFor(tag, view);
            if (!key) return key.ToStatus();
            index->AppendUnsorted(*key, recno);
        }
        if (progress) {
            int percent = progressFrom + static_cast<int>(int64_t(progressTo - progressFrom) * recno / total);
            if (percent != lastPercent) progress(lastPercent = percent);
        }
    }
    (void)index->Size();  // sorts now, so the cost shows where the building happens
    tag.Index = std::move(index);
    tag.SourceNumber = static_cast<size_t>(-1);
    if (progress && lastPercent != progressTo) progress(progressTo);
    return Status::Success();
}

Status Table::CreateTag(const std::string& name, const std::string& keyExpression, const std::string& forExpression,
                        const ProgressCallback& progress)
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (name.empty() || name.size() > 10) return Status::Error("Tag name \"" + name + "\" must have 1 to 10 characters");
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    IndexFile* production = nullptr;
    for (auto& file : FIndexFiles) {
        if (file->Production) production = file.get();
    }
    if (!production) {
        if (FIndexState == IndexState::Invalid) {
            FIndexState = IndexState::None;  // the stale file is replaced by what we build now
        } else if (Status opened = OpenProductionIndex(); !opened) {
            return opened;
        }
        for (auto& file : FIndexFiles) {
            if (file->Production) production = file.get();
        }
    }
    if (!production) {
        auto file = std::make_unique<IndexFile>();
        std::string existing = FindCompanion(FFile->Path(), ".CDX");
        file->Path = existing.empty() ? CompanionPathForNew(FFile->Path(), ".CDX") : existing;
        file->Production = true;
        file->OnDisk = false;
        production = file.get();
        FIndexFiles.insert(FIndexFiles.begin(), std::move(file));
    }
    TagDefinition definition;
    definition.Name = UpperAscii(name);
    definition.KeyExpression = keyExpression;
    definition.ForExpression = forExpression;
    auto tag = MakeTag(definition, production, true);
    if (!tag) return tag.ToStatus();
    if (Status built = BuildTag(**tag, progress, 0, 100); !built) return built;
    // Every tag must be held in memory before the file is rewritten without its source.
    for (auto& existing : production->Tags) {
        if (auto loaded = LoadedTag(*existing); !loaded) return loaded.ToStatus();
    }
    auto same = std::find_if(production->Tags.begin(), production->Tags.end(),
                             [&](const auto& t) { return t->Definition.Name == definition.Name; });
    if (same != production->Tags.end()) {
        *same = tag.Take();
    } else {
        production->Tags.push_back(tag.Take());
    }
    production->Changed = true;
    FIndexState = IndexState::Valid;
    RebuildOrderList();
    return Status::Success();
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

Status Table::CreateIndexFile(const std::string& path, const std::string& keyExpression, const ProgressCallback& progress)
{
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    std::string base = path.substr(path.find_last_of('/') + 1);
    base = base.substr(0, base.find('.'));
    TagDefinition definition;
    definition.Name = UpperAscii(base.substr(0, 10));
    if (definition.Name.empty()) definition.Name = "TAG";
    definition.KeyExpression = keyExpression;
    auto file = std::make_unique<IndexFile>();
    file->Path = path;
    file->Changed = true;
    auto tag = MakeTag(definition, file.get(), true);
    if (!tag) return tag.ToStatus();
    if (Status built = BuildTag(**tag, progress, 0, 100); !built) return built;
    file->Tags.push_back(tag.Take());
    OpenTag* created = file->Tags.back().get();
    FIndexFiles.push_back(std::move(file));
    RebuildOrderList();
    for (size_t i = 0; i < FOrders.size(); ++i) {
        if (FOrders[i] == created) return SetOrder(static_cast<int>(i + 1));
    }
    return Status::Success();
}

Status Table::CreateEmptyIndexFile(const std::string& path, const std::string& keyExpression)
{
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    for (auto& existing : FIndexFiles) {
        if (existing->Path == path) return Status::Error("Index file " + path + " is already open");
    }
    std::string base = path.substr(path.find_last_of('/') + 1);
    base = base.substr(0, base.find('.'));
    TagDefinition definition;
    definition.Name = UpperAscii(base.substr(0, 10));
    if (definition.Name.empty()) definition.Name = "TAG";
    definition.KeyExpression = keyExpression;
    auto file = std::make_unique<IndexFile>();
    file->Path = path;
    auto tag = MakeTag(definition, file.get(), true);
    if (!tag) return tag.ToStatus();
    tag.Value()->Explicit = true;
    tag.Value()->Index = std::make_unique<TagIndex>(tag.Value()->Definition);
    const TagIndex* empty = tag.Value()->Index.get();
    CdxStamp stamp;
    stamp.Present = true;
    stamp.RecordCount = FFile->RecordCount();
    if (Status written = CdxFile::Write(path, {empty}, stamp); !written) return written;
    file->OnDisk = true;
    file->Tags.push_back(tag.Take());
    OpenTag* created = file->Tags.back().get();
    FIndexFiles.push_back(std::move(file));
    RebuildOrderList();
    for (size_t i = 0; i < FOrders.size(); ++i) {
        if (FOrders[i] == created) return SetOrder(static_cast<int>(i + 1));
    }
    return Status::Success();
}

Status Table::CloseIndexFile(const std::string& path)
{
    if (Status open = CheckOpen(); !open) return open;
    auto found = std::find_if(FIndexFiles.begin(), FIndexFiles.end(), [&](const auto& f) { return f->Path == path; });
    if (found == FIndexFiles.end()) return Status::Success();
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    IndexFile* file = found->get();
    Status result = Status::Success();
    if (file->Changed && !FFile->ReadOnly()) {
        std::vector<const TagIndex*> tags;
        for (auto& tag : file->Tags) {
            auto loaded = LoadedTag(*tag);
            if (!loaded) return loaded.ToStatus();
            tags.push_back(loaded.Value());
        }
        CdxStamp stamp;
        stamp.Present = true;
        stamp.RecordCount = FFile->RecordCount();
        result = CdxFile::Write(file->Path, tags, stamp);
    }
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
    if (Status open = CheckOpen(); !open) return open;
    for (auto& file : FIndexFiles) {
        if (file->Path == path) return Status::Success();
    }
    auto cdx = CdxFile::Open(path);
    if (!cdx) return cdx.ToStatus();
    auto file = std::make_unique<IndexFile>();
    file->Path = path;
    file->OnDisk = true;
    std::string production = FindCompanion(FFile->Path(), ".CDX");
    file->Production = !production.empty() && production == path;
    const auto& infos = cdx.Value()->Tags();
    for (size_t i = 0; i < infos.size(); ++i) {
        auto tag = MakeTag(infos[i].Definition, file.get(), false);
        if (!tag) return Status::Error("Index file " + path + ": " + tag.Message());
        tag.Value()->SourceNumber = i;
        file->Tags.push_back(tag.Take());
    }
    file->Source = cdx.Take();
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
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    if (!FFile->ReadOnly()) {
        if (Status written = WriteIndexFiles(); !written) return written;
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
    auto index = LoadedTag(*tag);
    if (!index) return index.ToStatus();
    // The stored record and its keys first, so the key added is the one later edits move.
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    auto key = KeyFor(*tag, *this);
    if (!key) return key.ToStatus();
    if ((*index)->Find(*key, FRecno) == TagIndex::NoPosition) (*index)->Insert(*key, FRecno);
    tag->File->Changed = true;
    if (tag == ActiveTag()) FPositionValid = false;
    return Status::Success();
}

Status Table::Reindex(const ProgressCallback& progress)
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    const int count = static_cast<int>(FOrders.size());
    for (int i = 0; i < count; ++i) {
        OpenTag& tag = *FOrders[static_cast<size_t>(i)];
        if (tag.Explicit) {
            // Its record numbers no longer name the records it listed (after a pack): it empties.
            tag.Index = std::make_unique<TagIndex>(tag.Definition);
            tag.File->Changed = true;
            continue;
        }
        if (Status built = BuildTag(tag, progress, i * 100 / count, (i + 1) * 100 / count); !built) return built;
        tag.File->Changed = true;
    }
    FPositionValid = false;
    return Status::Success();
}

// ---- movement -------------------------------------------------------------------------------

// Finds the current record's place in the active tag again after the tag changed.
Result<size_t> Table::CurrentPosition()
{
    if (FPositionValid) return FPosition;
    OpenTag* tag = ActiveTag();
    auto index = LoadedTag(*tag);
    if (!index) return Result<size_t>::Error(index.Message());
    if (FEof) return (*index)->Size();
    auto key = KeyFor(*tag, *this);
    if (!key) return Result<size_t>::Error(key.Message());
    size_t position = (*index)->Find(*key, FRecno);
    if (position == TagIndex::NoPosition) position = (*index)->LowerBound(*key);
    return position;
}

// From `position` (an ascending position, possibly one past either end), walks in `direction`
// through the tag's entries to the first visible record and makes it current. Running off the
// end leaves the cursor at the phantom record and reports false.
Result<bool> Table::WalkTag(int64_t position, int direction)
{
    OpenTag* tag = ActiveTag();
    auto index = LoadedTag(*tag);
    if (!index) return Result<bool>::Error(index.Message());
    const int64_t size = static_cast<int64_t>((*index)->Size());
    for (; position >= 0 && position < size; position += direction) {
        uint32_t recno = (*index)->RecnoAt(static_cast<size_t>(position));
        auto visible = Visible(recno);
        if (!visible) return Result<bool>::Error(visible.Message());
        if (*visible) {
            if (Status loaded = LoadRecord(recno); !loaded) return Result<bool>(loaded);
            FPosition = static_cast<size_t>(position);
            FPositionValid = true;
            return true;
        }
    }
    return false;
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

// One step of the logical order from a given start: `forward` in the order the user sees (a
// descending tag is walked backwards).
Result<bool> Table::Walk(int64_t start, bool forward)
{
    OpenTag* tag = ActiveTag();
    if (!tag) return WalkRecords(start, forward ? 1 : -1);
    bool ascending = !tag->Definition.Descending;
    return WalkTag(start, forward == ascending ? 1 : -1);
}

Status Table::GoTop()
{
    if (Status open = CheckOpen(); !open) return open;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    FFound = false;
    OpenTag* tag = ActiveTag();
    int64_t start = 1;
    if (tag) {
        auto index = LoadedTag(*tag);
        if (!index) return index.ToStatus();
        start = tag->Definition.Descending ? static_cast<int64_t>((*index)->Size()) - 1 : 0;
    }
    auto found = Walk(start, true);
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
    OpenTag* tag = ActiveTag();
    int64_t start = FFile->RecordCount();
    if (tag) {
        auto index = LoadedTag(*tag);
        if (!index) return index.ToStatus();
        start = tag->Definition.Descending ? 0 : static_cast<int64_t>((*index)->Size()) - 1;
    }
    auto found = Walk(start, false);
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
    OpenTag* tag = ActiveTag();
    const int64_t steps = forward ? count : -count;
    for (int64_t step = 0; step < steps; ++step) {
        int64_t next;
        if (tag) {
            auto position = CurrentPosition();
            if (!position) return position.ToStatus();
            bool ascending = !tag->Definition.Descending;
            next = static_cast<int64_t>(*position) + ((forward == ascending) ? 1 : -1);
        } else {
            next = static_cast<int64_t>(FRecno) + (forward ? 1 : -1);
        }
        uint32_t before = FRecno;
        auto found = Walk(next, forward);
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
    auto index = LoadedTag(*tag);
    if (!index) return Result<bool>::Error(index.Message());
    auto prefix = SeekKey(*tag, key);
    if (!prefix) return Result<bool>::Error(prefix.Message());
    FFound = false;
    FBof = false;
    const std::string& wanted = *prefix;
    const TagIndex& entries = **index;
    auto matches = [&](size_t position) { return entries.KeyAt(position).substr(0, wanted.size()) == wanted; };
    if (!tag->Definition.Descending) {
        auto found = WalkTag(static_cast<int64_t>(entries.LowerBound(wanted)), 1);
        if (!found) return found;
        if (*found && matches(FPosition)) {
            FFound = true;
            return true;
        }
        if (!*found) {
            (void)GoPhantom(false);
            return false;
        }
        if (FSoftSeek) return true;
        (void)GoPhantom(false);
        return false;
    }
    // A descending order shows greater keys first: the first match in its order is the last
    // ascending entry that starts with the key, and a soft miss goes to the next smaller key.
    size_t upper = entries.LowerBound(wanted);
    while (upper < entries.Size() && matches(upper)) ++upper;
    auto found = WalkTag(static_cast<int64_t>(upper) - 1, -1);
    if (!found) return found;
    if (*found && matches(FPosition)) {
        FFound = true;
        return true;
    }
    if (*found && FSoftSeek) return true;
    (void)GoPhantom(false);
    return false;
}

// ---- pack and zap ---------------------------------------------------------------------------

// Packing writes the surviving records to a new file that replaces the table by rename, so a
// crash at any moment leaves either the old table or the packed one, never a mixture.
Status Table::Pack(const ProgressCallback& progress)
{
    if (Status writable = CheckWritable(); !writable) return writable;
    if (Status flushed = FlushRecord(); !flushed) return flushed;
    if (Status change = BeginChange(); !change) return change;
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
    uint64_t offset = header.size();
    int lastPercent = -1;
    for (uint32_t recno = 1; recno <= total; ++recno) {
        const char* record = FFile->Record(recno);
        if (record[0] != '*') {
            chunk.append(record, length);
            ++kept;
        }
        if (chunk.size() >= (1 << 20) || recno == total) {
            if (Status written = WriteFully(out, chunk.data(), chunk.size(), offset, temporary); !written) {
                return fail(written);
            }
            offset += chunk.size();
            chunk.clear();
        }
        if (progress) {
            int percent = static_cast<int>(int64_t(100) * recno / total);
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

    const OpenMode mode = OpenMode::Exclusive;
    FFile.reset();  // releases the lock; the rename below replaces the file it held
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        std::string message = SystemError("Cannot replace", path);
        ::unlink(temporary.c_str());
        auto reopened = DbfFile::Open(path, mode);
        if (reopened) FFile = reopened.Take();
        return Status::Error(message);
    }
    (void)SyncDirectoryOf(path);  // the packed file is in place; only its durability could lag
    auto reopened = DbfFile::Open(path, mode);
    if (!reopened) return reopened.ToStatus();
    FFile = reopened.Take();
    for (auto& file : FIndexFiles) file->Changed = true;
    if (Status rebuilt = Reindex(); !rebuilt) return rebuilt;
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
        tag->Index = std::make_unique<TagIndex>(tag->Definition);
        tag->SourceNumber = static_cast<size_t>(-1);
    }
    FPositionValid = false;
    return GoTop();
}

}  // namespace xbase
