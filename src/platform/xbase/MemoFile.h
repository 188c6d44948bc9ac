#pragma once
// Memo files beside a table: FoxPro FPT (read and written; block size 64 for new files;
// big-endian header and block headers) and dBase III DBT (read only; 512-byte blocks, text
// ended by 0x1A), and dBase IV DBT (read only; block size in the header, each memo opening with
// FF FF 08 00 and its length). Locked like the table: exclusive opens exclude every other open, shared opens
// are read-only. Block numbers and lengths are checked against the file before reading.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DbfFile.h"
#include "Result.h"

namespace xbase {

class Journal;

class MemoFile {
public:
    enum class Kind { Fpt, Dbt, DbaseIvDbt };

    ~MemoFile();
    MemoFile(const MemoFile&) = delete;
    MemoFile& operator=(const MemoFile&) = delete;

    static Status CreateFpt(const std::string& path, uint16_t blockSize = 64);
    static Result<std::unique_ptr<MemoFile>> Open(const std::string& path, Kind kind, OpenMode mode);

    Kind FileKind() const { return FKind; }
    uint32_t BlockSize() const { return FBlockSize; }

    // Block 0 means "no memo" and reads as empty text. The bytes come back as stored.
    Result<std::string> Read(uint32_t block) const;
    // Stores the data and returns its block number (0 for empty data). Reuses `oldBlock` when the
    // new data fits the blocks the old memo took; appends new blocks otherwise.
    Result<uint32_t> Write(std::string_view data, uint32_t oldBlock);
    Status Zap();  // back to a header only
    Status Commit();

    // With a journal, every overwrite of bytes the file held when the journal's transaction
    // began (memo blocks reused in place, the header, bytes a Zap() cuts off) is saved to the
    // journal and the journal synced before it reaches the file. The journal must outlive the
    // attachment; nullptr detaches. Read-only files ignore the call.
    void AttachJournal(Journal* journal);

private:
    MemoFile() = default;
    uint32_t FirstBlock() const;
    Result<uint32_t> StoredLength(uint32_t block) const;  // FPT: the length in the block header
    Status WriteAt(const void* data, size_t size, uint64_t offset);
    Status Guard(uint64_t offset, uint64_t size);
    Status WriteNextFree();
    std::string Corrupt(uint32_t block, const std::string& reason) const;
    std::string FPath;
    int FFd = -1;
    Kind FKind = Kind::Fpt;
    bool FReadOnly = false;
    uint32_t FBlockSize = 64;
    uint32_t FNextFree = 0;
    uint64_t FFileSize = 0;
    bool FWritten = false;  // since the last commit
    Journal* FJournal = nullptr;
    int FJournalId = -1;
};

}  // namespace xbase
