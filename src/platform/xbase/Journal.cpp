#include "Journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "CompanionFiles.h"
#include "FileIo.h"

namespace xbase {

// The journal file: a header (magic, version), then entries, each
//   length (LE32, of the payload) | type (1 byte) | payload | FNV-1a 64 of the three before (LE64)
// so that an entry cut short by a crash, or one never completely written, is recognised and
// everything from it on is ignored. Entries are only ever appended, and the journal is synced
// before any file overwrite it covers, so the entries lost with a torn tail never guarded a
// write that reached a file.
namespace {

constexpr char kMagic[8] = {'C', 'R', 'V', 'J', 'R', 'N', 'L', 0x1A};
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = sizeof kMagic + 4;
constexpr size_t kEntryOverhead = 4 + 1 + 8;
constexpr size_t kBufferLimit = size_t{1} << 20;
// No entry we write comes near this; a larger length can only be damage.
constexpr uint32_t kMaxPayload = 64u << 20;

enum EntryType : uint8_t {
    kFileEntry = 1,     // id LE32 | size at the transaction's start LE64 | name
    kOldBytesEntry = 2, // id LE32 | offset LE64 | the bytes
    kRenameEntry = 3,   // from-name length LE16 | from-name | to-name
    kReplaceEntry = 4,  // closes the rename group: from here on the renames must be finished
};

uint64_t Fnv1a(const char* data, size_t size, uint64_t hash = 0xcbf29ce484222325ULL)
{
    for (size_t i = 0; i < size; ++i) {
        hash ^= static_cast<uint8_t>(data[i]);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

void PutLe(std::string& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

uint64_t GetLe(const char* in, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= uint64_t{static_cast<uint8_t>(in[i])} << (8 * i);
    return value;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name from the journal must stay in the table's folder.
bool PlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::string HeaderBytes()
{
    std::string header(kMagic, sizeof kMagic);
    PutLe(header, kVersion, 4);
    return header;
}

// The journal file, created or emptied; -1 on failure (errno says why).
int CreateEmpty(const std::string& path)
{
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

Status RemoveJournal(const std::string& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return Status::Error(SystemError("Cannot delete", path));
    return SyncDirectoryOf(path);
}

struct Entry {
    uint8_t Type = 0;
    std::string_view Payload;
};

// The complete entries after the header; parsing stops at the first torn or damaged one.
std::vector<Entry> CompleteEntries(const std::string& bytes)
{
    std::vector<Entry> entries;
    size_t at = kHeaderSize;
    while (bytes.size() - at >= kEntryOverhead) {
        const auto length = static_cast<uint32_t>(GetLe(&bytes[at], 4));
        if (length > kMaxPayload || bytes.size() - at - kEntryOverhead < length)
            break;
        const size_t checked = 4 + 1 + size_t{length};
        if (Fnv1a(&bytes[at], checked) != GetLe(&bytes[at + checked], 8))
            break;
        entries.push_back({static_cast<uint8_t>(bytes[at + 4]), std::string_view(&bytes[at + 5], length)});
        at += checked + 8;
    }
    return entries;
}

struct RecoveredFile {
    std::string Name;
    uint64_t Size = 0;
};

struct OldBytes {
    uint32_t Id = 0;
    uint64_t Offset = 0;
    std::string_view Bytes;
};

Status RollBack(const std::string& folder, const std::string& journalPath,
                const std::map<uint32_t, RecoveredFile>& files, const std::vector<OldBytes>& saved)
{
    const auto damaged = [&](const std::string& why) {
        return Status::Error("The journal " + journalPath + " cannot be applied: " + why);
    };
    for (const OldBytes& piece : saved) {
        if (files.find(piece.Id) == files.end())
            return damaged("it holds bytes of a file it does not name");
    }
    for (const auto& [id, file] : files) {
        const std::string path = folder + file.Name;
        int fd;
        do {
            fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return Status::Error(SystemError("Cannot open", path) + " (needed to roll back " + journalPath +
                                 ")");
        Status status;
        for (const OldBytes& piece : saved) {
            if (piece.Id != id)
                continue;
            status = WriteFully(fd, piece.Bytes.data(), piece.Bytes.size(), piece.Offset, path);
            if (!status)
                break;
        }
        if (status && ::ftruncate(fd, static_cast<off_t>(file.Size)) != 0)
            status = Status::Error(SystemError("Cannot truncate", path));
        if (status && ::fsync(fd) != 0)
            status = Status::Error(SystemError("Cannot flush", path));
        ::close(fd);
        if (!status)
            return status;
    }
    return Status::Success();
}

} // namespace

struct Journal::File {
    std::string Name;
    int Fd = -1;
    uint64_t StartSize = 0;  // meaningful while a transaction is open
    std::vector<bool> Saved; // per chunk below StartSize: its old bytes are in the journal
};

std::string Journal::PathFor(const std::string& tablePath)
{
    return CompanionPathForNew(tablePath, ".JNL");
}

Status Journal::Recover(const std::string& tablePath)
{
    const std::string path = PathFor(tablePath);
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT)
            return Status::Success();
        return Status::Error(SystemError("Cannot open", path));
    }
    struct stat info {};
    std::string bytes;
    bool read = ::fstat(fd, &info) == 0;
    if (read) {
        bytes.resize(static_cast<size_t>(info.st_size));
        read = bytes.empty() || ReadFully(fd, bytes.data(), bytes.size(), 0);
    }
    ::close(fd);
    if (!read)
        return Status::Error(SystemError("Cannot read", path));

    // A header cut short: the transaction died before the journal said anything, so no file was
    // touched yet.
    if (bytes.size() < kHeaderSize)
        return RemoveJournal(path);
    if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return Status::Error("The journal " + path +
                             " is damaged (it does not start as a journal); it was left in place");
    if (GetLe(&bytes[sizeof kMagic], 4) != kVersion)
        return Status::Error("The journal " + path + " has version " +
                             std::to_string(GetLe(&bytes[sizeof kMagic], 4)) +
                             ", which this program cannot apply; it was left in place");

    const std::vector<Entry> entries = CompleteEntries(bytes);
    if (entries.empty())
        return RemoveJournal(path);

    const auto damaged = [&](const std::string& why) {
        return Status::Error("The journal " + path + " is damaged (" + why + "); it was left in place");
    };
    std::map<uint32_t, RecoveredFile> files;
    std::vector<OldBytes> saved;
    std::vector<std::pair<std::string, std::string>> renames;
    bool replaceCommitted = false;
    for (const Entry& entry : entries) {
        const std::string_view payload = entry.Payload;
        switch (entry.Type) {
        case kFileEntry: {
            if (payload.size() < 12)
                return damaged("a file entry is too short");
            RecoveredFile file{std::string(payload.substr(12)), GetLe(payload.data() + 4, 8)};
            if (!PlainName(file.Name))
                return damaged("a file entry names no file of the table's folder");
            files[static_cast<uint32_t>(GetLe(payload.data(), 4))] = std::move(file);
            break;
        }
        case kOldBytesEntry:
            if (payload.size() < 12)
                return damaged("a saved-bytes entry is too short");
            saved.push_back({static_cast<uint32_t>(GetLe(payload.data(), 4)), GetLe(payload.data() + 4, 8),
                             payload.substr(12)});
            break;
        case kRenameEntry: {
            if (payload.size() < 2)
                return damaged("a rename entry is too short");
            const size_t fromLength = GetLe(payload.data(), 2);
            if (payload.size() < 2 + fromLength)
                return damaged("a rename entry is too short");
            std::string from(payload.substr(2, fromLength));
            std::string to(payload.substr(2 + fromLength));
            if (!PlainName(from) || !PlainName(to))
                return damaged("a rename entry names no file of the table's folder");
            renames.emplace_back(std::move(from), std::move(to));
            break;
        }
        case kReplaceEntry:
            replaceCommitted = true;
            break;
        default:
            return damaged("an entry of unknown type " + std::to_string(entry.Type));
        }
    }

    const std::string folder = FolderOf(path);
    if (replaceCommitted) {
        // The new files were complete before the group was closed: finish what the crash cut
        // short. A source that is gone was renamed already.
        for (const auto& [from, to] : renames) {
            const std::string source = folder + from;
            if (::access(source.c_str(), F_OK) != 0)
                continue;
            if (::rename(source.c_str(), (folder + to).c_str()) != 0)
                return Status::Error(SystemError("Cannot rename", source));
        }
        if (Status synced = SyncDirectoryOf(path); !synced)
            return synced;
    } else {
        // An unclosed rename group renamed nothing yet: the old files stand, and the bytes the
        // transaction overwrote before it go back.
        if (Status rolled = RollBack(folder, path, files, saved); !rolled)
            return rolled;
    }
    return RemoveJournal(path);
}

bool Journal::Pending(const std::string& tablePath)
{
    struct stat info {};
    return ::stat(PathFor(tablePath).c_str(), &info) == 0 && static_cast<uint64_t>(info.st_size) >= kHeaderSize;
}

Journal::Journal(std::string tablePath) : FTablePath(std::move(tablePath)), FPath(PathFor(FTablePath)) {}

Journal::~Journal()
{
    if (FFd < 0)
        return;
    if (!FOpen) {
        // The emptied journal kept between transactions goes with the table.
        ::close(FFd);
        ::unlink(FPath.c_str());
        return;
    }
    // What Save() buffered guards no overwrite yet; writing it does no harm and may help.
    (void)WriteBuffered();
    ::close(FFd);
}

int Journal::Register(const std::string& path, int fd)
{
    auto file = std::make_unique<File>();
    file->Name = NameOf(path);
    file->Fd = fd;
    const int id = static_cast<int>(FFiles.size());
    FFiles.push_back(std::move(file));
    if (FOpen) {
        // Joining an open transaction: its size now is what a rollback goes back to.
        struct stat info {};
        File& joined = *FFiles.back();
        joined.StartSize = ::fstat(fd, &info) == 0 ? static_cast<uint64_t>(info.st_size) : 0;
        joined.Saved.assign((joined.StartSize + ChunkSize - 1) / ChunkSize, false);
        AddFileEntry(id, joined);
    }
    return id;
}

void Journal::Unregister(int id)
{
    if (id >= 0 && static_cast<size_t>(id) < FFiles.size())
        FFiles[static_cast<size_t>(id)].reset();
    std::erase_if(FDeferred, [id](const Deferred& deferred) { return deferred.Id == id; });
}

bool Journal::Active() const
{
    return FOpen;
}

void Journal::AddEntry(uint8_t type, const std::string& payload)
{
    const size_t at = FBuffer.size();
    PutLe(FBuffer, payload.size(), 4);
    FBuffer.push_back(static_cast<char>(type));
    FBuffer += payload;
    PutLe(FBuffer, Fnv1a(FBuffer.data() + at, FBuffer.size() - at), 8);
    FUnsynced = true;
}

void Journal::AddFileEntry(int id, const File& file)
{
    std::string payload;
    PutLe(payload, static_cast<uint32_t>(id), 4);
    PutLe(payload, file.StartSize, 8);
    payload += file.Name;
    AddEntry(kFileEntry, payload);
}

Status Journal::Start()
{
    // The journal file stays (emptied) from one transaction to the next while the table is open:
    // its name is then made durable in the folder once, not at every transaction.
    if (FFd < 0) {
        FFd = CreateEmpty(FPath);
        if (FFd < 0)
            return Status::Error(SystemError("Cannot create", FPath));
        FNameDurable = false;
    }
    FOpen = true;
    FJournalSize = 0;
    FBuffer = HeaderBytes();
    FUnsynced = true;
    FFolderUnsynced = !FNameDurable;
    for (size_t id = 0; id < FFiles.size(); ++id) {
        File* file = FFiles[id].get();
        if (file == nullptr)
            continue;
        struct stat info {};
        if (::fstat(file->Fd, &info) != 0)
            return Status::Error(SystemError("Cannot read the size of", file->Name));
        file->StartSize = static_cast<uint64_t>(info.st_size);
        file->Saved.assign((file->StartSize + ChunkSize - 1) / ChunkSize, false);
        AddFileEntry(static_cast<int>(id), *file);
    }
    return Status::Success();
}

Status Journal::Save(int id, uint64_t offset, uint64_t length)
{
    if (id < 0 || static_cast<size_t>(id) >= FFiles.size() || !FFiles[static_cast<size_t>(id)])
        return Status::Error("The journal " + FPath + " has no file " + std::to_string(id));
    if (!FOpen) {
        if (Status started = Start(); !started)
            return started;
    }
    File& file = *FFiles[static_cast<size_t>(id)];
    if (length == 0 || offset >= file.StartSize)
        return Status::Success();
    // Runs of chunks not yet saved are read and journaled as one entry each.
    const uint64_t firstChunk = offset / ChunkSize;
    const uint64_t lastChunk = (std::min(offset + length, file.StartSize) - 1) / ChunkSize;
    std::string payload;
    uint64_t chunk = firstChunk;
    while (chunk <= lastChunk) {
        if (file.Saved[chunk]) {
            ++chunk;
            continue;
        }
        uint64_t end = chunk;
        while (end <= lastChunk && !file.Saved[end]) {
            file.Saved[end] = true;
            ++end;
        }
        const uint64_t from = chunk * ChunkSize;
        const uint64_t to = std::min(end * ChunkSize, file.StartSize);
        payload.clear();
        PutLe(payload, static_cast<uint32_t>(id), 4);
        PutLe(payload, from, 8);
        const size_t at = payload.size();
        payload.resize(at + static_cast<size_t>(to - from));
        if (!ReadFully(file.Fd, payload.data() + at, static_cast<size_t>(to - from), from)) {
            for (uint64_t undo = chunk; undo < end; ++undo)
                file.Saved[undo] = false;
            return Status::Error(SystemError("Cannot read the old bytes of", file.Name));
        }
        AddEntry(kOldBytesEntry, payload);
        chunk = end;
    }
    if (FBuffer.size() >= kBufferLimit)
        return WriteBuffered();
    return Status::Success();
}

Status Journal::WriteBuffered()
{
    if (FBuffer.empty())
        return Status::Success();
    if (Status written = WriteFully(FFd, FBuffer.data(), FBuffer.size(), FJournalSize, FPath); !written)
        return written;
    FJournalSize += FBuffer.size();
    FBuffer.clear();
    return Status::Success();
}

bool Journal::NeedsSync() const
{
    return FUnsynced;
}

Status Journal::Sync()
{
    if (!FUnsynced || !FOpen)
        return Status::Success();
    if (Status written = WriteBuffered(); !written)
        return written;
    if (::fdatasync(FFd) != 0)
        return Status::Error(SystemError("Cannot flush", FPath));
    if (FFolderUnsynced) {
        // A journal that a crash could lose from its folder would guard nothing.
        if (Status synced = SyncDirectoryOf(FPath); !synced)
            return synced;
        FFolderUnsynced = false;
        FNameDurable = true;
    }
    FUnsynced = false;
    std::vector<Deferred> deferred = std::move(FDeferred);
    FDeferred.clear();
    for (const Deferred& write : deferred) {
        const File* file = FFiles[static_cast<size_t>(write.Id)].get();
        if (file == nullptr)
            continue;
        if (Status written = WriteFully(file->Fd, write.Bytes.data(), write.Bytes.size(), write.Offset, file->Name);
            !written)
            return written;
    }
    return Status::Success();
}

Status Journal::WriteAfterSync(int id, uint64_t offset, std::string bytes)
{
    if (Status saved = Save(id, offset, bytes.size()); !saved)
        return saved;
    if (!FUnsynced) {
        const File& file = *FFiles[static_cast<size_t>(id)];
        return WriteFully(file.Fd, bytes.data(), bytes.size(), offset, file.Name);
    }
    FDeferred.push_back({id, offset, std::move(bytes)});
    return Status::Success();
}

Status Journal::Commit()
{
    if (!FOpen)
        return Status::Success();
    FOpen = false;
    FBuffer.clear();
    FJournalSize = 0;
    FUnsynced = false;
    FFolderUnsynced = false;
    FDeferred.clear();
    for (auto& file : FFiles) {
        if (file)
            file->Saved.clear();
    }
    // Emptied for the next transaction: an empty journal rolls nothing back.
    if (::ftruncate(FFd, 0) == 0 && ::fdatasync(FFd) == 0)
        return Status::Success();
    ::close(FFd);
    FFd = -1;
    return RemoveJournal(FPath);
}

Status Journal::Replace(const std::vector<std::pair<std::string, std::string>>& renames)
{
    if (FOpen)
        return CommitReplacing(renames);
    if (renames.empty())
        return Status::Success();
    // The renames get a journal of their own under the same name, removed afterwards.
    if (FFd >= 0) {
        ::close(FFd);
        FFd = -1;
    }
    FBuffer.clear();
    if (Status grouped = AddRenameGroup(renames); !grouped) {
        FBuffer.clear();
        return grouped;
    }
    const std::string bytes = HeaderBytes() + FBuffer;
    FBuffer.clear();
    FUnsynced = false;

    const int fd = CreateEmpty(FPath);
    if (fd < 0)
        return Status::Error(SystemError("Cannot create", FPath));
    Status status = WriteFully(fd, bytes.data(), bytes.size(), 0, FPath);
    if (status && ::fdatasync(fd) != 0)
        status = Status::Error(SystemError("Cannot flush", FPath));
    ::close(fd);
    if (status)
        status = SyncDirectoryOf(FPath);
    if (!status) {
        // Nothing was renamed: without a durable record the old files stand.
        (void)::unlink(FPath.c_str());
        return status;
    }
    if (Status renamed = Rename(renames); !renamed)
        return renamed;
    return RemoveJournal(FPath);
}

// Ends the open transaction by the renames: the group closes the journal, so a crash before
// the closing entry is durable rolls the whole transaction back, and one after it finishes the
// renames and keeps the bytes the transaction wrote (they belong to the renamed files' state).
Status Journal::CommitReplacing(const std::vector<std::pair<std::string, std::string>>& renames)
{
    if (Status grouped = AddRenameGroup(renames); !grouped)
        return grouped;
    if (Status synced = Sync(); !synced)
        return synced;
    if (Status renamed = Rename(renames); !renamed)
        return renamed;
    return Commit();
}

// The rename entries and the entry that closes their group, buffered.
Status Journal::AddRenameGroup(const std::vector<std::pair<std::string, std::string>>& renames)
{
    for (const auto& [from, to] : renames) {
        if (FolderOf(from) != FolderOf(FPath) || FolderOf(to) != FolderOf(FPath))
            return Status::Error("Cannot replace " + to + " by " + from + ": both must lie beside " +
                                 FTablePath);
        std::string payload;
        const std::string fromName = NameOf(from);
        PutLe(payload, fromName.size(), 2);
        payload += fromName;
        payload += NameOf(to);
        AddEntry(kRenameEntry, payload);
    }
    AddEntry(kReplaceEntry, std::string());
    return Status::Success();
}

Status Journal::Rename(const std::vector<std::pair<std::string, std::string>>& renames)
{
    for (const auto& [from, to] : renames) {
        if (::rename(from.c_str(), to.c_str()) != 0)
            return Status::Error(SystemError("Cannot rename", from) +
                                 " (the next open finishes the replacement)");
    }
    return SyncDirectoryOf(FPath);
}

} // namespace xbase
