#pragma once
// One DBF table file: header, field descriptors, fixed-length records. Reads dBase III
// (0x03, 0x83), FoxPro 2.x (0xF5) and Visual FoxPro (0x30..0x32) tables; creates FoxPro-style
// tables. Records are read through a read-only memory mapping (fast sequential and random
// reading) and written with pwrite; the mapping follows the file as it grows.
//
// Exclusive opens hold an OS write lock on the whole file (an open-file-description lock, so a
// second open is refused whether it comes from this process or another); shared opens hold a
// read lock and are read-only.
//
// Header values are checked against the file: a record count that promises more complete
// records than the file holds is clamped to what is there (a crashed appender), one that
// promises fewer is trusted (records beyond it were never committed).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Result.h"

namespace xbase {

enum class OpenMode { Exclusive, SharedReadOnly };

class Journal;

struct FieldSpec {
    std::string Name;  // up to 10 characters, stored upper-case
    char Type = 'C';   // C N L M D (F accepted as N)
    int Width = 0;     // L is always 1, D 8, M 10
    int Decimals = 0;
};

struct FieldDescriptor {
    std::string Name;  // as stored (upper-case for files we write)
    char Type = 'C';
    uint16_t Width = 0;
    uint8_t Decimals = 0;
    uint8_t Flags = 0;    // Visual FoxPro field flags (0x04 binary: no code-page translation)
    uint32_t Offset = 0;  // byte offset inside the record, the deletion byte being offset 0
};

class DbfFile {
public:
    static constexpr uint8_t FlagStructuralIndex = 0x01;
    static constexpr uint8_t FlagMemo = 0x02;

    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    // Writes a new, empty table: 0xF5 when a memo field is present, else 0x03; code page mark
    // 0x03 (Windows-1252); flags FlagMemo when there is a memo field, plus `flags` (e.g.
    // FlagStructuralIndex); EOF byte. Fails on bad names/types/widths or an existing lock.
    // Does not create the memo file.
    static Status Create(const std::string& path, const std::vector<FieldSpec>& fields, uint8_t extraFlags = 0);

    static Result<std::unique_ptr<DbfFile>> Open(const std::string& path, OpenMode mode);

    const std::string& Path() const { return FPath; }
    bool ReadOnly() const { return FReadOnly; }
    uint8_t Version() const { return FVersion; }
    bool IsVisualFoxPro() const { return FVersion == 0x30 || FVersion == 0x31 || FVersion == 0x32; }
    uint8_t CodePageMark() const { return FCodePageMark; }
    uint8_t TableFlags() const { return FTableFlags; }
    uint32_t RecordCount() const { return FRecordCount; }
    uint16_t RecordLength() const { return FRecordLength; }
    uint16_t HeaderLength() const { return FHeaderLength; }
    const std::vector<FieldDescriptor>& Fields() const { return FFields; }
    std::vector<FieldSpec> Specs() const;
    int FieldIndex(std::string_view name) const;  // case-insensitive; -1 when absent
    bool HasMemoFields() const;

    // The record's bytes (deletion byte first), valid until the next write, append or truncate;
    // nullptr when recno is outside 1..RecordCount().
    const char* Record(uint32_t recno) const
    {
        if (recno < 1 || recno > FRecordCount)
            return nullptr;
        if (!FPendingIndex.empty()) [[unlikely]]
            return PendingOrMapped(recno);
        return FMap + RecordOffset(recno);
    }
    bool IsDeleted(uint32_t recno) const;
    // Lets the memory holding records [from, to] go from this process (the system keeps the
    // file's pages cached): a pass over a million records need not stay resident.
    void ReleaseRecords(uint32_t from, uint32_t to) const;

    // With a journal, every overwrite of bytes the file held when the journal's transaction
    // began is saved to the journal (and the journal synced) before it reaches the file.
    // Rewritten records wait in memory, so that a bulk edit costs one journal sync per few
    // megabytes rather than one per record: Record() sees them at once, the file on Commit(),
    // Truncate(), when the pending bytes grow large, on detaching and on close. The journal must
    // outlive the attachment; nullptr detaches (after writing what waits). Read-only files ignore
    // the call.
    void AttachJournal(Journal* journal);

    Status WriteRecord(uint32_t recno, const char* bytes);   // RecordLength() bytes
    Result<uint32_t> AppendRecord(const char* bytes);        // returns the new record number
    Status Truncate(uint32_t recordCount);                   // drops records above the count
    Status SetTableFlags(uint8_t flags);

    // Writes the header (count, date) and EOF byte and makes everything durable (fdatasync).
    Status Commit();
    // The same in two steps: the writes, then the sync alone (which touches nothing shared, so
    // it may run on another thread beside other files' syncs).
    Status WriteCommit();
    Status SyncFile();
    // Saves to the journal (buffered, not synced) the old bytes of everything Commit() will
    // overwrite, so that one journal sync covers every file of the table.
    Status PrepareCommit();
    // Header (count, date) and EOF byte without waiting for the disk; also done on close. An
    // append writes its record, the EOF byte and then the new count itself, so a program that
    // dies keeps what it appended; only the last-update date waits for this call, which is
    // therefore free after its first use in an open.
    Status WriteHeader();

private:
    DbfFile() = default;
    Status ReadHeader(uint64_t fileSize);
    Status Map(uint64_t fileSize);
    Status EnsureMapped(uint64_t fileEnd);
    Status WriteAt(const void* data, size_t size, uint64_t offset);
    Status FlushPending();
    const char* PendingOrMapped(uint32_t recno) const;
    uint64_t RecordOffset(uint32_t recno) const { return FHeaderLength + uint64_t{recno - 1} * FRecordLength; }
    std::string Corrupt(const std::string& reason) const;
    std::string FPath;
    int FFd = -1;
    bool FReadOnly = false;
    uint8_t FVersion = 0;
    uint8_t FCodePageMark = 0;
    uint8_t FTableFlags = 0;
    uint32_t FRecordCount = 0;
    uint16_t FRecordLength = 0;
    uint16_t FHeaderLength = 0;
    std::vector<FieldDescriptor> FFields;
    char* FMap = nullptr;
    size_t FMapLength = 0;
    bool FHeaderDirty = false;
    bool FDateStamped = false;        // the last-update date was written during this open
    std::vector<char> FAppendBuffer;  // one record plus the EOF byte, kept to spare an allocation
    Journal* FJournal = nullptr;
    int FJournalId = -1;
    std::unordered_map<uint32_t, size_t> FPendingIndex;  // record number -> offset in FPendingBytes
    std::vector<char> FPendingBytes;                     // rewritten records not yet in the file
    Status FDeferredError;  // a pending write that failed where no caller could hear of it
};

// Field value coding between record bytes and code-page text. Character values are read
// without trailing blanks; numbers are written right-aligned with the field's decimals;
// logicals read as "T"/"F" (empty for unknown) and accept T t Y y / F f N n when written.
namespace FieldCodec {
std::string_view Raw(const char* record, const FieldDescriptor& field);
std::string Read(const char* record, const FieldDescriptor& field);  // code-page bytes, trimmed
// Writes a code-page value into the record; fails (naming the field) when it does not fit a
// numeric/date/logical field or is longer than a character field, and then leaves the record as
// it was.
Status Write(char* record, const FieldDescriptor& field, std::string_view value);
// Memo block number stored in a memo field (ASCII for dBase/FoxPro 2, binary LE for VFP).
uint32_t MemoBlock(const char* record, const FieldDescriptor& field, bool visualFoxPro);
void SetMemoBlock(char* record, const FieldDescriptor& field, bool visualFoxPro, uint32_t block);
}  // namespace FieldCodec

}  // namespace xbase
