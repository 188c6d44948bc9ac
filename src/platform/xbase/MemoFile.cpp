#include "MemoFile.h"
#include "FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "FileLock.h"
#include "Journal.h"

namespace xbase {

namespace {

constexpr uint64_t kHeaderSize = 512;
constexpr uint32_t kDbtBlockSize = 512;
constexpr uint32_t kBlockHeaderSize = 8;
constexpr uint32_t kTextBlock = 1;
constexpr char kDbtEnd = 0x1A;

uint32_t ReadBe32(const uint8_t* bytes)
{
    return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
           (static_cast<uint32_t>(bytes[2]) << 8) | static_cast<uint32_t>(bytes[3]);
}

void WriteBe32(uint8_t* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

uint64_t BlocksFor(uint64_t bytes, uint32_t blockSize)
{
    return (bytes + blockSize - 1) / blockSize;
}

} // namespace

MemoFile::~MemoFile()
{
    if (FJournal != nullptr)
        FJournal->Unregister(FJournalId);
    if (FFd >= 0)
        close(FFd);
}

Status MemoFile::CreateFpt(const std::string& path, uint16_t blockSize)
{
    if (blockSize == 0)
        return Status::Error("Cannot create " + path + ": the block size must not be 0");
    uint8_t header[kHeaderSize] = {};
    WriteBe32(header, static_cast<uint32_t>(BlocksFor(kHeaderSize, blockSize)));
    header[6] = static_cast<uint8_t>(blockSize >> 8);
    header[7] = static_cast<uint8_t>(blockSize);

    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::Error(SystemError("Cannot create", path));
    Status status = LockWholeFile(fd, true, path);
    if (status) {
        if (ftruncate(fd, 0) != 0 ||
            pwrite(fd, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header) || fdatasync(fd) != 0)
            status = Status::Error(SystemError("Cannot write", path));
    }
    close(fd);
    return status;
}

Result<std::unique_ptr<MemoFile>> MemoFile::Open(const std::string& path, Kind kind, OpenMode mode)
{
    std::unique_ptr<MemoFile> file(new MemoFile());
    file->FPath = path;
    file->FKind = kind;
    file->FReadOnly = mode == OpenMode::SharedReadOnly;
    auto opened = OpenLockedFile(path, file->FReadOnly);
    if (!opened)
        return opened.ToStatus();
    file->FFd = opened->Fd;
    file->FFileSize = opened->Size;

    if (kind == Kind::Dbt) {
        file->FBlockSize = kDbtBlockSize;
        return file;
    }
    if (kind == Kind::DbaseIvDbt) {
        // dBase IV keeps the block size at bytes 20-21; writers that leave it 0 mean 512.
        uint8_t header[22] = {};
        if (file->FFileSize >= sizeof header && !ReadFully(file->FFd, header, sizeof header, 0))
            return Status::Error(SystemError("Cannot read", path));
        const uint32_t size = static_cast<uint32_t>(header[20] | (header[21] << 8));
        file->FBlockSize = size == 0 ? kDbtBlockSize : size;
        return file;
    }
    if (file->FFileSize < kHeaderSize)
        return Status::Error(path + " is not a valid memo file: the file is shorter than its header");
    uint8_t header[8];
    if (!ReadFully(file->FFd, header, sizeof header, 0))
        return Status::Error(SystemError("Cannot read", path));
    file->FBlockSize = static_cast<uint32_t>((header[6] << 8) | header[7]);
    if (file->FBlockSize == 0)
        return Status::Error(path + " is not a valid memo file: its block size is 0");
    // New memos go after everything the file holds, whatever the header's append point says: a
    // stale one must never let a write land on a memo that is still in use.
    const uint64_t nextFree =
        std::max<uint64_t>(file->FirstBlock(), BlocksFor(file->FFileSize, file->FBlockSize));
    if (nextFree > UINT32_MAX)
        return Status::Error(path + " is not a valid memo file: it is too large for its block size");
    file->FNextFree = static_cast<uint32_t>(nextFree);
    return file;
}

uint32_t MemoFile::FirstBlock() const
{
    return static_cast<uint32_t>(BlocksFor(kHeaderSize, FBlockSize));
}

std::string MemoFile::Corrupt(uint32_t block, const std::string& reason) const
{
    return FPath + ": memo block " + std::to_string(block) + " " + reason;
}

Result<uint32_t> MemoFile::StoredLength(uint32_t block) const
{
    const uint64_t offset = uint64_t{block} * FBlockSize;
    if (block < FirstBlock())
        return Status::Error(Corrupt(block, "lies inside the file header"));
    if (offset + kBlockHeaderSize > FFileSize)
        return Status::Error(Corrupt(block, "lies beyond the end of the file"));
    uint8_t header[kBlockHeaderSize];
    if (!ReadFully(FFd, header, sizeof header, offset))
        return Status::Error(SystemError("Cannot read", FPath));
    const uint32_t length = ReadBe32(&header[4]);
    if (length > FFileSize - offset - kBlockHeaderSize)
        return Status::Error(
            Corrupt(block, "claims " + std::to_string(length) + " bytes, more than the file holds"));
    return length;
}

Result<std::string> MemoFile::Read(uint32_t block) const
{
    if (block == 0)
        return std::string();
    if (FKind == Kind::Fpt) {
        Result<uint32_t> length = StoredLength(block);
        if (!length)
            return length.ToStatus();
        std::string data(*length, '\0');
        if (!ReadFully(FFd, data.data(), data.size(), uint64_t{block} * FBlockSize + kBlockHeaderSize))
            return Status::Error(SystemError("Cannot read", FPath));
        return data;
    }

    if (FKind == Kind::DbaseIvDbt) {
        const uint64_t offset = uint64_t{block} * FBlockSize;
        uint8_t header[kBlockHeaderSize];
        if (offset + kBlockHeaderSize <= FFileSize && ReadFully(FFd, header, sizeof header, offset) &&
            header[0] == 0xFF && header[1] == 0xFF && header[2] == 0x08 && header[3] == 0x00) {
            // The length counts the eight bytes of the block header.
            const uint32_t length =
                static_cast<uint32_t>(header[4]) | (static_cast<uint32_t>(header[5]) << 8) |
                (static_cast<uint32_t>(header[6]) << 16) | (static_cast<uint32_t>(header[7]) << 24);
            if (length < kBlockHeaderSize ||
                length - kBlockHeaderSize > FFileSize - offset - kBlockHeaderSize)
                return Status::Error(
                    Corrupt(block, "claims " + std::to_string(length) + " bytes, more than the file holds"));
            std::string data(length - kBlockHeaderSize, '\0');
            if (!ReadFully(FFd, data.data(), data.size(), offset + kBlockHeaderSize))
                return Status::Error(SystemError("Cannot read", FPath));
            return data;
        }
        // Without the block mark the memo was written the dBase III way.
    }

    // dBase III: the text runs to the first end mark (dBase writes two) or to the end of the file.
    const uint64_t offset = uint64_t{block} * FBlockSize;
    if (offset >= FFileSize)
        return Status::Error(Corrupt(block, "lies beyond the end of the file"));
    std::string data;
    std::vector<char> chunk(FBlockSize);
    for (uint64_t at = offset; at < FFileSize; at += chunk.size()) {
        const size_t size = static_cast<size_t>(std::min<uint64_t>(chunk.size(), FFileSize - at));
        if (!ReadFully(FFd, chunk.data(), size, at))
            return Status::Error(SystemError("Cannot read", FPath));
        const auto end = std::find(chunk.begin(), chunk.begin() + static_cast<ptrdiff_t>(size), kDbtEnd);
        data.append(chunk.begin(), end);
        if (end != chunk.begin() + static_cast<ptrdiff_t>(size))
            break;
    }
    return data;
}

Status MemoFile::Guard(uint64_t offset, uint64_t size)
{
    if (FJournal == nullptr)
        return Status::Success();
    if (Status saved = FJournal->Save(FJournalId, offset, size); !saved)
        return saved;
    if (FJournal->NeedsSync())
        return FJournal->Sync();
    return Status::Success();
}

Status MemoFile::WriteAt(const void* data, size_t size, uint64_t offset)
{
    if (Status guarded = Guard(offset, size); !guarded)
        return guarded;
    FWritten = true;
    return WriteFully(FFd, data, size, offset, FPath);
}

void MemoFile::AttachJournal(Journal* journal)
{
    if (FReadOnly || journal == FJournal)
        return;
    if (FJournal != nullptr)
        FJournal->Unregister(FJournalId);
    FJournal = journal;
    FJournalId = journal != nullptr ? journal->Register(FPath, FFd) : -1;
}

Status MemoFile::WriteNextFree()
{
    uint8_t bytes[4];
    WriteBe32(bytes, FNextFree);
    return WriteAt(bytes, sizeof bytes, 0);
}

Result<uint32_t> MemoFile::Write(std::string_view data, uint32_t oldBlock)
{
    if (FKind != Kind::Fpt)
        return Status::Error(FPath + ": dBase memo files (.DBT) are read only");
    if (FReadOnly)
        return Status::Error(FPath + " is open read-only");
    if (data.empty())
        return uint32_t{0};
    if (data.size() > UINT32_MAX - kBlockHeaderSize)
        return Status::Error(FPath + ": a memo of " + std::to_string(data.size()) + " bytes is too long");
    const uint64_t needed = BlocksFor(kBlockHeaderSize + data.size(), FBlockSize);

    uint32_t target = 0;
    if (oldBlock != 0) {
        // The old memo's run can be reused when the new text fits it and the run lies wholly
        // below the append point (a damaged length must not let us write over a neighbour).
        Result<uint32_t> oldLength = StoredLength(oldBlock);
        if (oldLength) {
            const uint64_t oldBlocks = BlocksFor(kBlockHeaderSize + uint64_t{*oldLength}, FBlockSize);
            if (needed <= oldBlocks && oldBlock + oldBlocks <= FNextFree)
                target = oldBlock;
        }
    }
    const bool append = target == 0;
    if (append) {
        if (FNextFree + needed > UINT32_MAX)
            return Status::Error(FPath + ": the memo file is full");
        target = FNextFree;
    }

    // Appended memos fill their last block so the file keeps ending on a block boundary.
    std::vector<char> block(append ? needed * FBlockSize : kBlockHeaderSize + data.size(), '\0');
    WriteBe32(reinterpret_cast<uint8_t*>(block.data()), kTextBlock);
    WriteBe32(reinterpret_cast<uint8_t*>(block.data()) + 4, static_cast<uint32_t>(data.size()));
    std::memcpy(block.data() + kBlockHeaderSize, data.data(), data.size());
    const uint64_t offset = uint64_t{target} * FBlockSize;
    if (Status written = WriteAt(block.data(), block.size(), offset); !written)
        return written;
    FFileSize = std::max<uint64_t>(FFileSize, offset + block.size());
    if (append) {
        // The data is in place before the header announces it.
        FNextFree = static_cast<uint32_t>(FNextFree + needed);
        if (Status written = WriteNextFree(); !written)
            return written;
    }
    return target;
}

Status MemoFile::Zap()
{
    if (FKind != Kind::Fpt)
        return Status::Error(FPath + ": dBase memo files (.DBT) are read only");
    if (FReadOnly)
        return Status::Error(FPath + " is open read-only");
    if (FFileSize > kHeaderSize) {
        if (Status guarded = Guard(kHeaderSize, FFileSize - kHeaderSize); !guarded)
            return guarded;
    }
    if (ftruncate(FFd, static_cast<off_t>(kHeaderSize)) != 0)
        return Status::Error(SystemError("Cannot truncate", FPath));
    FFileSize = kHeaderSize;
    FNextFree = FirstBlock();
    return WriteNextFree();
}

Status MemoFile::Commit()
{
    // A memo file nothing was written to is left alone: most edits touch no memo.
    if (FReadOnly || FKind != Kind::Fpt || !FWritten)
        return Status::Success();
    if (Status written = WriteNextFree(); !written)
        return written;
    if (fdatasync(FFd) != 0)
        return Status::Error(SystemError("Cannot flush", FPath));
    FWritten = false;
    return Status::Success();
}

} // namespace xbase
