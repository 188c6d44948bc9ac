#pragma once
// The rollback journal of one open table: "<table>.JNL" beside it. Between two commits, the
// first overwrite of any byte that a file held when the transaction began saves that byte's old
// value here first, and the journal is synced before the overwrite may reach the file. A commit
// syncs the files and empties the journal (kept for the next transaction, deleted with this
// object); an open that finds a journal puts the files back as they were when the transaction
// began (old bytes restored, growth cut off) before anything reads them. So a process killed at
// any moment leaves the last committed state of the table, its memo and its index files
// together.
//
// Whole-file replacements (pack, rebuilt indexes) are not journaled byte by byte: the new files
// are written under temporary names and synced, then Replace() records the renames in the
// journal before doing them, so recovery finishes a replacement that was under way.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Result.h"

namespace xbase {

class Journal {
public:
    // Old bytes are kept in pieces of this size: the first write into a piece saves the whole
    // piece (as far as it lay inside the file at the transaction's start).
    static constexpr uint32_t ChunkSize = 512;

    static std::string PathFor(const std::string& tablePath);
    // When the table has a journal, rolls the files it names back (or finishes the replacement it
    // records), syncs them and deletes the journal. Nothing to do is success. A journal that
    // cannot be applied is an error and is left in place.
    static Status Recover(const std::string& tablePath);

    explicit Journal(std::string tablePath);
    ~Journal();  // an open transaction is left for Recover() (a crash and a destructor look alike)
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // A file taking part, by its open descriptor (kept by the caller, which stays its owner).
    // Files live in the table's folder; the journal names them by file name only.
    int Register(const std::string& path, int fd);
    void Unregister(int id);

    bool Active() const;  // a transaction has saved something since the last commit
    // Before bytes [offset, offset + length) of file `id` are overwritten. Starts the transaction
    // (the journal file and every registered file's current size) on first use. Buffered: only
    // Sync() makes it durable.
    Status Save(int id, uint64_t offset, uint64_t length);
    // Writes and syncs what Save() buffered; free when nothing is new. Call before an overwrite
    // that Save() covered is written to its file.
    Status Sync();
    bool NeedsSync() const;
    // An overwrite that need not reach its file before the transaction's first other write:
    // the old bytes are saved now, and the bytes go to the file right after the next Sync()
    // (at once when nothing waits for one). A transaction that writes nothing before its commit
    // then costs no sync of its own for them.
    Status WriteAfterSync(int id, uint64_t offset, std::string bytes);
    // The caller has synced every file: the transaction ends and the journal is emptied (an
    // empty journal rolls nothing back; it is deleted with this object).
    Status Commit();
    // Whether the table has a journal that holds a transaction to roll back or finish.
    static bool Pending(const std::string& tablePath);

    // Renames each (from, to) pair with the journal as the record of the intent. The `from` files
    // must be complete and synced. With a transaction open, the renames are its commit: a crash
    // before they are recorded rolls the transaction back, one after keeps it. Both names are paths in the
    // table's folder; descriptors registered for the replaced files then refer to the old
    // contents, so their owners reopen and register again.
    Status Replace(const std::vector<std::pair<std::string, std::string>>& renames);

    const std::string& Path() const { return FPath; }

private:
    struct File;
    Status CommitReplacing(const std::vector<std::pair<std::string, std::string>>& renames);
    Status AddRenameGroup(const std::vector<std::pair<std::string, std::string>>& renames);
    Status Rename(const std::vector<std::pair<std::string, std::string>>& renames);
    Status Start();
    Status WriteBuffered();
    void AddEntry(uint8_t type, const std::string& payload);
    void AddFileEntry(int id, const File& file);
    std::string FTablePath;
    std::string FPath;
    int FFd = -1;
    bool FOpen = false;        // a transaction is open (the file may stay, emptied, between them)
    bool FNameDurable = false; // the journal file's name has been synced in its folder
    std::vector<std::unique_ptr<File>> FFiles;
    struct Deferred {
        int Id;
        uint64_t Offset;
        std::string Bytes;
    };
    std::vector<Deferred> FDeferred;  // WriteAfterSync() bytes waiting for the next sync
    std::string FBuffer;      // entries not yet written to the journal file
    bool FUnsynced = false;   // entries written or buffered since the last sync
    bool FFolderUnsynced = false;  // the journal's own name is not yet durable in the folder
    uint64_t FJournalSize = 0;
};

}  // namespace xbase
