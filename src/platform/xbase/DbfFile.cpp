#include "DbfFile.h"
#include "AsciiCase.h"
#include "FileIo.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <optional>
#include <utility>

#include "FileLock.h"
#include "Journal.h"

namespace xbase {

namespace {

constexpr uint8_t kFieldTerminator = 0x0D;
constexpr char kEofByte = 0x1A;
constexpr size_t kHeaderSize = 32;
constexpr size_t kDescriptorSize = 32;
constexpr size_t kMaxFields = 255;
constexpr size_t kMinimumMapping = size_t{1} << 20;
// Rewritten records held back while a journal is attached: a bulk edit pays one journal sync per
// this many bytes.
constexpr size_t kPendingLimit = size_t{4} << 20;

uint16_t ReadLe16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t ReadLe32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void WriteLe16(uint8_t* bytes, uint16_t value)
{
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

void WriteLe32(uint8_t* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool SupportedVersion(uint8_t version)
{
    switch (version) {
    case 0x03:
    case 0x83:
    case 0x8B: // dBase IV with memo
    case 0x7B: // dBase IV with memo, as some writers mark it
    case 0xF5:
    case 0x30:
    case 0x31:
    case 0x32:
        return true;
    default:
        return false;
    }
}

size_t PageRound(uint64_t size)
{
    const auto page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    return static_cast<size_t>((size + page - 1) / page * page);
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\0'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimTrailing(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The last-update date: dBase III and FoxPro 2 count years from 1900, Visual FoxPro keeps two
// digits.
void StampDate(uint8_t* bytes, bool visualFoxPro)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    bytes[0] = static_cast<uint8_t>(visualFoxPro ? local.tm_year % 100 : local.tm_year);
    bytes[1] = static_cast<uint8_t>(local.tm_mon + 1);
    bytes[2] = static_cast<uint8_t>(local.tm_mday);
}

Status ValidateName(const std::string& name)
{
    const auto bad = [&](const char* why) { return Status::Error("Field name \"" + name + "\" " + why); };
    if (name.empty())
        return Status::Error("A field name is empty");
    if (name.size() > 10)
        return bad("is longer than 10 characters");
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (!letter(name[0]))
        return bad("does not start with a letter");
    for (const char c : name) {
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '_')
            return bad("may hold only letters, digits and underscores");
    }
    return Status::Success();
}

Result<FieldDescriptor> DescriptorFor(const FieldSpec& spec)
{
    if (Status named = ValidateName(spec.Name); !named)
        return named;
    FieldDescriptor field;
    std::transform(spec.Name.begin(), spec.Name.end(), std::back_inserter(field.Name),
                   [](char c) { return UpperAscii(c); });
    field.Type = UpperAscii(spec.Type);
    const auto bad = [&](const std::string& why) {
        return Result<FieldDescriptor>::Error("Field " + field.Name + ": " + why);
    };
    const auto fixed = [&](int width) -> Status {
        if (spec.Width != 0 && spec.Width != width)
            return Status::Error("Field " + field.Name + ": a " + std::string(1, field.Type) +
                                 " field is always " + std::to_string(width) + " wide");
        field.Width = static_cast<uint16_t>(width);
        return Status::Success();
    };
    if (spec.Decimals != 0 && field.Type != 'N' && field.Type != 'F')
        return bad("only numeric fields have decimals");
    switch (field.Type) {
    case 'C':
        if (spec.Width < 1 || spec.Width > 254)
            return bad("a character field is 1 to 254 wide");
        field.Width = static_cast<uint16_t>(spec.Width);
        break;
    case 'F':
    case 'N':
        field.Type = 'N';
        if (spec.Width < 1 || spec.Width > 20)
            return bad("a numeric field is 1 to 20 wide");
        if (spec.Decimals < 0 || spec.Decimals >= spec.Width)
            return bad("the decimals must be fewer than the width");
        field.Width = static_cast<uint16_t>(spec.Width);
        field.Decimals = static_cast<uint8_t>(spec.Decimals);
        break;
    case 'L':
        if (Status ok = fixed(1); !ok)
            return ok;
        break;
    case 'D':
        if (Status ok = fixed(8); !ok)
            return ok;
        break;
    case 'M':
        if (Status ok = fixed(10); !ok)
            return ok;
        break;
    default:
        return bad("type " + std::string(1, spec.Type) + " is not supported (C, N, L, M, D are)");
    }
    return field;
}

} // namespace

DbfFile::~DbfFile()
{
    if (FFd >= 0 && !FReadOnly)
        (void)FlushPending();
    if (FFd >= 0 && !FReadOnly && FHeaderDirty)
        (void)WriteHeader();
    if (FJournal != nullptr)
        FJournal->Unregister(FJournalId);
    if (FMap != nullptr)
        munmap(FMap, FMapLength);
    if (FFd >= 0)
        close(FFd);
}

Status DbfFile::Create(const std::string& path, const std::vector<FieldSpec>& fields, uint8_t extraFlags)
{
    if (fields.empty())
        return Status::Error("Cannot create " + path + ": a table needs at least one field");
    if (fields.size() > kMaxFields)
        return Status::Error("Cannot create " + path + ": a table holds at most 255 fields");
    std::vector<FieldDescriptor> descriptors;
    bool hasMemo = false;
    uint32_t recordLength = 1;
    for (const FieldSpec& spec : fields) {
        Result<FieldDescriptor> field = DescriptorFor(spec);
        if (!field)
            return Status::Error("Cannot create " + path + ": " + field.Message());
        for (const FieldDescriptor& other : descriptors) {
            if (other.Name == field->Name)
                return Status::Error("Cannot create " + path + ": field " + field->Name + " appears twice");
        }
        field->Offset = recordLength;
        recordLength += field->Width;
        hasMemo = hasMemo || field->Type == 'M';
        descriptors.push_back(field.Take());
    }
    if (recordLength > 0xFFFF)
        return Status::Error("Cannot create " + path + ": the record would be longer than 65535 bytes");

    const size_t headerLength = kHeaderSize + kDescriptorSize * descriptors.size() + 1;
    std::vector<uint8_t> bytes(headerLength + 1, 0);
    bytes[0] = hasMemo ? 0xF5 : 0x03;
    StampDate(&bytes[1], false);
    WriteLe32(&bytes[4], 0);
    WriteLe16(&bytes[8], static_cast<uint16_t>(headerLength));
    WriteLe16(&bytes[10], static_cast<uint16_t>(recordLength));
    bytes[28] = static_cast<uint8_t>(extraFlags | (hasMemo ? FlagMemo : 0));
    bytes[29] = 0x03; // Windows-1252
    for (size_t i = 0; i < descriptors.size(); ++i) {
        uint8_t* out = &bytes[kHeaderSize + kDescriptorSize * i];
        const FieldDescriptor& field = descriptors[i];
        std::memcpy(out, field.Name.data(), field.Name.size());
        out[11] = static_cast<uint8_t>(field.Type);
        out[16] = static_cast<uint8_t>(field.Width);
        out[17] = field.Decimals;
    }
    bytes[headerLength - 1] = kFieldTerminator;
    bytes[headerLength] = kEofByte;

    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::Error(SystemError("Cannot create", path));
    Status status = LockWholeFile(fd, true, path);
    if (status) {
        if (ftruncate(fd, 0) != 0 ||
            pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()) ||
            fdatasync(fd) != 0)
            status = Status::Error(SystemError("Cannot write", path));
    }
    close(fd);
    return status;
}

Result<std::unique_ptr<DbfFile>> DbfFile::Open(const std::string& path, OpenMode mode)
{
    std::unique_ptr<DbfFile> file(new DbfFile());
    file->FPath = path;
    file->FReadOnly = mode == OpenMode::SharedReadOnly;
    auto opened = OpenLockedFile(path, file->FReadOnly);
    if (!opened)
        return opened.ToStatus();
    file->FFd = opened->Fd;
    const uint64_t fileSize = opened->Size;
    if (Status read = file->ReadHeader(fileSize); !read)
        return read;
    if (Status mapped = file->Map(fileSize); !mapped)
        return mapped;
    return file;
}

std::string DbfFile::Corrupt(const std::string& reason) const
{
    return FPath + " is not a valid table: " + reason;
}

Status DbfFile::ReadHeader(uint64_t fileSize)
{
    uint8_t fixed[kHeaderSize];
    if (fileSize < kHeaderSize + 1)
        return Status::Error(Corrupt("the file is shorter than a table header"));
    if (pread(FFd, fixed, kHeaderSize, 0) != static_cast<ssize_t>(kHeaderSize))
        return Status::Error(SystemError("Cannot read", FPath));
    FVersion = fixed[0];
    if (!SupportedVersion(FVersion)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", FVersion);
        return Status::Error(Corrupt(std::string("unknown table type ") + hex));
    }
    const uint32_t headerCount = ReadLe32(&fixed[4]);
    FHeaderLength = ReadLe16(&fixed[8]);
    FRecordLength = ReadLe16(&fixed[10]);
    FTableFlags = fixed[28];
    FCodePageMark = fixed[29];
    if (FHeaderLength < kHeaderSize + 1)
        return Status::Error(Corrupt("header length " + std::to_string(FHeaderLength) + " is too small"));
    if (FHeaderLength > fileSize)
        return Status::Error(Corrupt("header length " + std::to_string(FHeaderLength) + " exceeds the file"));
    if (FRecordLength < 2)
        return Status::Error(Corrupt("record length " + std::to_string(FRecordLength) + " is too small"));

    std::vector<uint8_t> header(FHeaderLength);
    if (pread(FFd, header.data(), header.size(), 0) != static_cast<ssize_t>(header.size()))
        return Status::Error(SystemError("Cannot read", FPath));
    uint32_t offset = 1;
    // The descriptors end at the terminator; some writers put 0x0A or 0x00 there instead, and a
    // header too short for a further descriptor ends them as well.
    for (size_t pos = kHeaderSize; pos + kDescriptorSize <= header.size(); pos += kDescriptorSize) {
        const uint8_t* in = &header[pos];
        if (in[0] == kFieldTerminator || in[0] == 0x0A || in[0] == 0x00)
            break;
        FieldDescriptor field;
        for (size_t i = 0; i < 11 && in[i] != 0; ++i)
            field.Name += static_cast<char>(in[i]);
        field.Name = std::string(TrimTrailing(field.Name));
        field.Type = static_cast<char>(in[11]);
        field.Width = in[16];
        field.Decimals = in[17];
        if (field.Type == 'C' && !IsVisualFoxPro()) {
            // FoxPro and Clipper keep the high byte of long character fields in the decimals.
            field.Width = static_cast<uint16_t>(in[16] | (in[17] << 8));
            field.Decimals = 0;
        }
        field.Flags = IsVisualFoxPro() ? in[18] : 0;
        field.Offset = offset;
        if (field.Width == 0)
            return Status::Error(Corrupt("field " + field.Name + " has no width"));
        if (offset + field.Width > FRecordLength)
            return Status::Error(Corrupt("field " + field.Name + " lies beyond the record length " +
                                         std::to_string(FRecordLength)));
        offset += field.Width;
        FFields.push_back(std::move(field));
    }
    if (FFields.empty())
        return Status::Error(Corrupt("the table has no fields"));

    // Trust the header's count unless the file lacks the records it promises.
    const uint64_t complete = (fileSize - FHeaderLength) / FRecordLength;
    FRecordCount = static_cast<uint32_t>(std::min<uint64_t>(headerCount, complete));
    return Status::Success();
}

Status DbfFile::Map(uint64_t fileSize)
{
    // Shared opens never grow the file; exclusive ones get room to append before remapping.
    const uint64_t wanted = FReadOnly ? fileSize : std::max<uint64_t>(fileSize * 2, kMinimumMapping);
    const size_t length = PageRound(wanted);
    void* map = mmap(nullptr, length, PROT_READ, MAP_SHARED, FFd, 0);
    if (map == MAP_FAILED)
        return Status::Error(SystemError("Cannot map", FPath));
    FMap = static_cast<char*>(map);
    FMapLength = length;
    return Status::Success();
}

Status DbfFile::EnsureMapped(uint64_t fileEnd)
{
    if (fileEnd <= FMapLength)
        return Status::Success();
    const size_t length = PageRound(std::max<uint64_t>(fileEnd, uint64_t{FMapLength} * 2));
    void* map = mremap(FMap, FMapLength, length, MREMAP_MAYMOVE);
    if (map == MAP_FAILED)
        return Status::Error(SystemError("Cannot map", FPath));
    FMap = static_cast<char*>(map);
    FMapLength = length;
    return Status::Success();
}

Status DbfFile::WriteAt(const void* data, size_t size, uint64_t offset)
{
    if (FJournal != nullptr) {
        if (Status saved = FJournal->Save(FJournalId, offset, size); !saved)
            return saved;
        if (FJournal->NeedsSync()) {
            if (Status synced = FJournal->Sync(); !synced)
                return synced;
        }
    }
    return WriteFully(FFd, data, size, offset, FPath);
}

void DbfFile::AttachJournal(Journal* journal)
{
    if (FReadOnly || journal == FJournal)
        return;
    if (FJournal != nullptr) {
        if (Status flushed = FlushPending(); !flushed && FDeferredError)
            FDeferredError = flushed;
        FJournal->Unregister(FJournalId);
    }
    FJournal = journal;
    FJournalId = journal != nullptr ? journal->Register(FPath, FFd) : -1;
}

const char* DbfFile::PendingOrMapped(uint32_t recno) const
{
    const auto pending = FPendingIndex.find(recno);
    return pending != FPendingIndex.end() ? FPendingBytes.data() + pending->second
                                          : FMap + RecordOffset(recno);
}

Status DbfFile::FlushPending()
{
    if (FPendingIndex.empty())
        return Status::Success();
    std::vector<std::pair<uint32_t, size_t>> order(FPendingIndex.begin(), FPendingIndex.end());
    std::sort(order.begin(), order.end());
    // Every old record into the journal and one sync, then the records in file order, runs of
    // neighbours in one write.
    if (FJournal != nullptr) {
        for (const auto& [recno, at] : order) {
            if (Status saved = FJournal->Save(FJournalId, RecordOffset(recno), FRecordLength); !saved)
                return saved;
        }
        if (Status synced = FJournal->Sync(); !synced)
            return synced;
    }
    std::vector<char> run;
    uint32_t runStart = 0;
    uint32_t runEnd = 0;
    const auto writeRun = [&]() -> Status {
        if (run.empty())
            return Status::Success();
        Status written = WriteFully(FFd, run.data(), run.size(), RecordOffset(runStart), FPath);
        run.clear();
        return written;
    };
    for (const auto& [recno, at] : order) {
        if (run.empty() || recno != runEnd + 1 || run.size() >= kPendingLimit / 4) {
            if (Status written = writeRun(); !written)
                return written;
            runStart = recno;
        }
        runEnd = recno;
        run.insert(run.end(), FPendingBytes.begin() + static_cast<ptrdiff_t>(at),
                   FPendingBytes.begin() + static_cast<ptrdiff_t>(at + FRecordLength));
    }
    if (Status written = writeRun(); !written)
        return written;
    FPendingIndex.clear();
    FPendingBytes.clear();
    return Status::Success();
}

std::vector<FieldSpec> DbfFile::Specs() const
{
    std::vector<FieldSpec> specs;
    for (const FieldDescriptor& field : FFields)
        specs.push_back({field.Name, field.Type, field.Width, field.Decimals});
    return specs;
}

int DbfFile::FieldIndex(std::string_view name) const
{
    for (size_t i = 0; i < FFields.size(); ++i) {
        const std::string& candidate = FFields[i].Name;
        if (candidate.size() == name.size() &&
            std::equal(candidate.begin(), candidate.end(), name.begin(),
                       [](char a, char b) { return UpperAscii(a) == UpperAscii(b); }))
            return static_cast<int>(i);
    }
    return -1;
}

bool DbfFile::HasMemoFields() const
{
    return std::any_of(FFields.begin(), FFields.end(),
                       [](const FieldDescriptor& f) { return f.Type == 'M'; });
}

bool DbfFile::IsDeleted(uint32_t recno) const
{
    const char* record = Record(recno);
    return record != nullptr && record[0] == '*';
}

Status DbfFile::WriteRecord(uint32_t recno, const char* bytes)
{
    if (FReadOnly)
        return Status::Error(FPath + " is open read-only");
    if (recno < 1 || recno > FRecordCount)
        return Status::Error(FPath + ": record " + std::to_string(recno) + " does not exist");
    if (FJournal == nullptr) {
        if (Status written = WriteAt(bytes, FRecordLength, RecordOffset(recno)); !written)
            return written;
    } else {
        const auto pending = FPendingIndex.find(recno);
        if (pending != FPendingIndex.end()) {
            std::memmove(FPendingBytes.data() + pending->second, bytes, FRecordLength);
        } else {
            // The source may be a pending record itself (what Record() returned): it is copied
            // aside when the buffer must grow, and the buffer grows once to its full size.
            const size_t at = FPendingBytes.size();
            std::vector<char> aside;
            const char* source = bytes;
            if (FPendingBytes.capacity() < at + FRecordLength) {
                aside.assign(bytes, bytes + FRecordLength);
                source = aside.data();
                FPendingBytes.reserve(std::max(kPendingLimit + FRecordLength, at + FRecordLength));
            }
            FPendingBytes.resize(at + FRecordLength);
            std::memcpy(FPendingBytes.data() + at, source, FRecordLength);
            FPendingIndex.emplace(recno, at);
        }
        if (FPendingBytes.size() >= kPendingLimit) {
            if (Status flushed = FlushPending(); !flushed)
                return flushed;
        }
    }
    FHeaderDirty = FHeaderDirty || !FDateStamped; // the last-update date
    return Status::Success();
}

void DbfFile::ReleaseRecords(uint32_t from, uint32_t to) const
{
    if (FMap == nullptr || from < 1 || from > to)
        return;
    const uint64_t page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const uint64_t begin = (RecordOffset(from) + page - 1) / page * page;
    const uint64_t end = std::min<uint64_t>((RecordOffset(to) + FRecordLength) / page * page, FMapLength / page * page);
    if (end > begin)
        (void)madvise(FMap + begin, end - begin, MADV_DONTNEED);
}

Result<uint32_t> DbfFile::AppendRecord(const char* bytes)
{
    if (FReadOnly)
        return Status::Error(FPath + " is open read-only");
    if (FRecordCount == UINT32_MAX)
        return Status::Error(FPath + " cannot hold more records");
    const uint64_t offset = FHeaderLength + uint64_t{FRecordCount} * FRecordLength;
    FAppendBuffer.resize(size_t{FRecordLength} + 1);
    std::memcpy(FAppendBuffer.data(), bytes, FRecordLength);
    FAppendBuffer[FRecordLength] = kEofByte;
    if (Status written = WriteAt(FAppendBuffer.data(), FAppendBuffer.size(), offset); !written)
        return written;
    if (Status mapped = EnsureMapped(offset + FAppendBuffer.size()); !mapped)
        return mapped;
    if (FJournal != nullptr) {
        // In a transaction the count reaches the header with the commit: a crash before it rolls
        // the appended records back anyway.
        ++FRecordCount;
        FHeaderDirty = true;
        return FRecordCount;
    }
    // Only now that the record is in the file may the count cover it; a program that dies later
    // keeps every record it appended (the date follows with the next header write).
    uint8_t count[4];
    WriteLe32(count, FRecordCount + 1);
    if (Status written = WriteAt(count, sizeof count, 4); !written)
        return written;
    ++FRecordCount;
    FHeaderDirty = FHeaderDirty || !FDateStamped;
    return FRecordCount;
}

Status DbfFile::Truncate(uint32_t recordCount)
{
    if (FReadOnly)
        return Status::Error(FPath + " is open read-only");
    if (recordCount > FRecordCount)
        return Status::Error(FPath + ": cannot truncate to " + std::to_string(recordCount) +
                             " records, it has " + std::to_string(FRecordCount));
    if (Status flushed = FlushPending(); !flushed)
        return flushed;
    const uint64_t end = FHeaderLength + uint64_t{recordCount} * FRecordLength;
    if (FJournal != nullptr) {
        // The bytes cut off are bytes overwritten too.
        struct stat info {};
        if (fstat(FFd, &info) != 0)
            return Status::Error(SystemError("Cannot read the size of", FPath));
        const auto size = static_cast<uint64_t>(info.st_size);
        if (size > end) {
            if (Status saved = FJournal->Save(FJournalId, end, size - end); !saved)
                return saved;
        }
        if (Status synced = FJournal->Sync(); !synced)
            return synced;
    }
    if (ftruncate(FFd, static_cast<off_t>(end + 1)) != 0)
        return Status::Error(SystemError("Cannot truncate", FPath));
    if (Status written = WriteAt(&kEofByte, 1, end); !written)
        return written;
    FRecordCount = recordCount;
    FHeaderDirty = true;
    return WriteHeader();
}

Status DbfFile::SetTableFlags(uint8_t flags)
{
    if (FReadOnly)
        return Status::Error(FPath + " is open read-only");
    if (Status written = WriteAt(&flags, 1, 28); !written)
        return written;
    FTableFlags = flags;
    return Status::Success();
}

Status DbfFile::WriteHeader()
{
    if (FReadOnly || !FHeaderDirty)
        return Status::Success();
    // The EOF byte first: the count must never cover bytes that are not yet in the file.
    const uint64_t end = FHeaderLength + uint64_t{FRecordCount} * FRecordLength;
    if (Status written = WriteAt(&kEofByte, 1, end); !written)
        return written;
    uint8_t bytes[7];
    StampDate(bytes, IsVisualFoxPro());
    WriteLe32(&bytes[3], FRecordCount);
    if (Status written = WriteAt(bytes, sizeof bytes, 1); !written)
        return written;
    FHeaderDirty = false;
    FDateStamped = true;
    return Status::Success();
}

Status DbfFile::PrepareCommit()
{
    if (FReadOnly || FJournal == nullptr)
        return Status::Success();
    for (const auto& [recno, at] : FPendingIndex) {
        if (Status saved = FJournal->Save(FJournalId, RecordOffset(recno), FRecordLength); !saved)
            return saved;
    }
    // The header's date and count, and the EOF byte after the last record.
    if (Status saved = FJournal->Save(FJournalId, 1, 7); !saved)
        return saved;
    return FJournal->Save(FJournalId, FHeaderLength + uint64_t{FRecordCount} * FRecordLength, 1);
}

Status DbfFile::Commit()
{
    if (Status written = WriteCommit(); !written)
        return written;
    return SyncFile();
}

Status DbfFile::WriteCommit()
{
    if (FReadOnly)
        return Status::Success();
    if (!FDeferredError)
        return std::exchange(FDeferredError, Status::Success());
    if (Status flushed = FlushPending(); !flushed)
        return flushed;
    FHeaderDirty = true;
    return WriteHeader();
}

Status DbfFile::SyncFile()
{
    if (FReadOnly)
        return Status::Success();
    if (fdatasync(FFd) != 0)
        return Status::Error(SystemError("Cannot flush", FPath));
    return Status::Success();
}

namespace FieldCodec {

namespace {

Status FieldError(const FieldDescriptor& field, const std::string& why)
{
    return Status::Error("Field " + field.Name + ": " + why);
}

std::string Quoted(std::string_view value)
{
    return "\"" + std::string(value) + "\"";
}

// Turns number text into exactly `decimals` decimal places, rounding half away from zero on the
// decimal digits themselves (so 0.125 becomes 0.13 and 20-digit values keep every digit).
std::optional<std::string> FormatDecimal(std::string_view text, int decimals)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || (!whole.empty() && !AllDigits(whole)) ||
        (!fraction.empty() && !AllDigits(fraction)))
        return std::nullopt;
    while (whole.size() > 1 && whole.front() == '0')
        whole.remove_prefix(1);
    std::string digits = std::string(whole.empty() ? "0" : whole);
    const size_t kept = std::min(fraction.size(), static_cast<size_t>(decimals));
    digits.append(fraction.substr(0, kept));
    digits.append(static_cast<size_t>(decimals) - kept, '0');
    if (fraction.size() > kept && fraction[kept] >= '5') {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const size_t integerLength = digits.size() - static_cast<size_t>(decimals);
    std::string out = digits.substr(0, integerLength);
    if (decimals > 0)
        out += "." + digits.substr(integerLength);
    const bool zero = std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
    if (negative && !zero)
        out.insert(out.begin(), '-');
    return out;
}

// Text with an exponent ("1.5e3") goes through a double first.
std::optional<std::string> FormatNumber(std::string_view text, int decimals)
{
    if (text.find_first_of("eE") == std::string_view::npos)
        return FormatDecimal(text, decimals);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    char buffer[400];
    const auto [out, toError] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals + 1);
    if (toError != std::errc())
        return std::nullopt;
    return FormatDecimal(std::string_view(buffer, static_cast<size_t>(out - buffer)), decimals);
}

bool ValidDate(std::string_view text)
{
    if (text.size() != 8 || !AllDigits(text))
        return false;
    const auto number = [&](size_t from, size_t count) {
        int value = 0;
        for (size_t i = from; i < from + count; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const int year = number(0, 4);
    const int month = number(4, 2);
    const int day = number(6, 2);
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

} // namespace

std::string_view Raw(const char* record, const FieldDescriptor& field)
{
    return std::string_view(record + field.Offset, field.Width);
}

std::string Read(const char* record, const FieldDescriptor& field)
{
    const std::string_view raw = Raw(record, field);
    switch (field.Type) {
    case 'C':
        return std::string(TrimTrailing(raw));
    case 'N':
    case 'F':
        return std::string(TrimBlanks(raw));
    case 'L':
        switch (raw[0]) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
            return "T";
        case 'F':
        case 'f':
        case 'N':
        case 'n':
            return "F";
        default:
            return "";
        }
    case 'D':
        return std::string(TrimBlanks(raw));
    case 'M':
        return field.Width == 4 ? std::string(raw) : std::string(TrimBlanks(raw));
    default: // types the engine does not interpret come back as stored
        return std::string(raw);
    }
}

Status Write(char* record, const FieldDescriptor& field, std::string_view value)
{
    char* out = record + field.Offset;
    const size_t width = field.Width;
    switch (field.Type) {
    case 'C':
        if (value.size() > width)
            return FieldError(field, Quoted(value) + " is " + std::to_string(value.size()) +
                                         " characters long; the field holds " + std::to_string(width));
        std::memcpy(out, value.data(), value.size());
        std::memset(out + value.size(), ' ', width - value.size());
        return Status::Success();
    case 'N':
    case 'F': {
        const std::string_view text = TrimBlanks(value);
        if (text.empty()) {
            std::memset(out, ' ', width);
            return Status::Success();
        }
        const std::optional<std::string> number = FormatNumber(text, field.Decimals);
        if (!number)
            return FieldError(field, Quoted(value) + " is not a number");
        if (number->size() > width)
            return FieldError(field, Quoted(value) + " does not fit N(" + std::to_string(width) + "," +
                                         std::to_string(field.Decimals) + ")");
        std::memset(out, ' ', width - number->size());
        std::memcpy(out + width - number->size(), number->data(), number->size());
        return Status::Success();
    }
    case 'L': {
        const std::string_view text = TrimBlanks(value);
        if (text.empty() || text == "?") {
            out[0] = ' ';
        } else if (text.size() == 1 && std::string_view("TtYy").find(text[0]) != std::string_view::npos) {
            out[0] = 'T';
        } else if (text.size() == 1 && std::string_view("FfNn").find(text[0]) != std::string_view::npos) {
            out[0] = 'F';
        } else {
            return FieldError(field, Quoted(value) + " is not a logical value (T or F)");
        }
        return Status::Success();
    }
    case 'D': {
        const std::string_view text = TrimBlanks(value);
        if (text.empty()) {
            std::memset(out, ' ', width);
            return Status::Success();
        }
        if (width != 8 || !ValidDate(text))
            return FieldError(field, Quoted(value) + " is not a date (YYYYMMDD)");
        std::memcpy(out, text.data(), 8);
        return Status::Success();
    }
    default:
        // Memo pointers and types the engine does not interpret: only their stored bytes go back.
        if (value.size() != width)
            return FieldError(field, std::string("a ") + field.Type + " field cannot be written as text");
        std::memcpy(out, value.data(), width);
        return Status::Success();
    }
}

uint32_t MemoBlock(const char* record, const FieldDescriptor& field, bool visualFoxPro)
{
    const std::string_view raw = Raw(record, field);
    if (field.Width == 4) {
        return ReadLe32(reinterpret_cast<const uint8_t*>(raw.data()));
    }
    const std::string_view digits = TrimBlanks(raw);
    uint32_t block = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), block);
    if (error != std::errc() || end != digits.data() + digits.size())
        return 0;
    return block;
}

void SetMemoBlock(char* record, const FieldDescriptor& field, bool visualFoxPro, uint32_t block)
{
    char* out = record + field.Offset;
    if (field.Width == 4) {
        WriteLe32(reinterpret_cast<uint8_t*>(out), block);
        return;
    }
    std::memset(out, ' ', field.Width);
    if (block == 0)
        return;
    char digits[16];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, block);
    const auto length = static_cast<size_t>(end - digits);
    if (length <= field.Width)
        std::memcpy(out + field.Width - length, digits, length);
}

} // namespace FieldCodec

} // namespace xbase
