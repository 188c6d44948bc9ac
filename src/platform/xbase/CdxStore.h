#pragma once
// One compound index file used in place: opening reads the bag header, the tag directory and
// the tag headers; tree pages are read when a walk or seek reaches them and kept in the shared
// page cache; changes stay in memory until the commit writes the changed pages back, each page's
// old bytes saved to the table's journal first. Freed pages go to a free list (bag header
// bytes 4..7, each free page naming the next) and are used again before the file grows.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "CdxFile.h"
#include "CdxNode.h"
#include "Result.h"
#include "TagIndex.h"

namespace xbase {

class Journal;
class CdxStore;

// One tree of the file (a tag, or the tag directory) changed in place.
class CdxTree {
  public:
    struct Cursor {
        std::shared_ptr<cdx::Node> Leaf;
        size_t Slot = 0;
        uint64_t Version = 0;
    };

    CdxTree(CdxStore& store, size_t rootSlot, uint16_t keyLength, char fill, bool unique);

    uint16_t KeyLength() const { return FKeyLength; }
    uint64_t Version() const { return FVersion; }
    void SetSlot(size_t rootSlot) { FRootSlot = rootSlot; }
    bool Current(const Cursor& cursor) const { return cursor.Leaf && cursor.Version == FVersion; }

    // Each leaves the cursor on an entry and returns true, or returns false at the end.
    Result<bool> First(Cursor& cursor);
    Result<bool> Last(Cursor& cursor);
    Result<bool> Next(Cursor& cursor);
    Result<bool> Previous(Cursor& cursor);
    // First entry whose key, compared over prefix.size() bytes, is >= prefix.
    Result<bool> LowerBound(std::string_view prefix, Cursor& cursor);
    // First entry >= (key, recno).
    Result<bool> LowerBoundEntry(std::string_view key, uint32_t recno, Cursor& cursor);
    std::string_view KeyAt(const Cursor& cursor) const { return cursor.Leaf->Key(cursor.Slot, FKeyLength); }
    uint32_t RecnoAt(const Cursor& cursor) const { return cursor.Leaf->Recnos[cursor.Slot]; }

    // Keys are exactly KeyLength() bytes. In a unique tree a present key is not added again.
    Result<bool> Insert(std::string_view key, uint32_t recno);
    Result<bool> Remove(std::string_view key, uint32_t recno);
    // Replaces the whole tree by the sorted entries `next()` yields (false at the end); the old
    // pages are freed.
    Status Rebuild(const std::function<Result<bool>(std::string& key, uint32_t& recno)>& next);
    // Frees every page of the tree (the tag is being dropped).
    Status FreeAll();

  private:
    struct Step {
        std::shared_ptr<cdx::Node> Node;
        size_t Index; // entry taken in the node
    };
    Result<std::shared_ptr<cdx::Node>> Root();
    Result<cdx::Node*> PinnedRoot();
    Result<cdx::Node*> PinnedChild(cdx::Node& parent, size_t index, std::shared_ptr<cdx::Node>& leaf);
    template <class Choose>
    Result<std::shared_ptr<cdx::Node>> PinnedLeaf(Choose choose);
    Result<bool> AtOrAfter(std::shared_ptr<cdx::Node> leaf, size_t slot, Cursor& cursor);
    template <class Choose>
    Result<bool> LowerBoundBy(Choose choose, Cursor& cursor);
    int Compare(const cdx::Node& node, size_t i, std::string_view key, uint32_t recno) const;
    size_t LowerBoundIn(const cdx::Node& node, std::string_view key, uint32_t recno) const;
    Result<bool> Descend(std::string_view key, uint32_t recno, std::vector<Step>& path, bool forInsert);
    Status FixSeparators(std::vector<Step>& path, size_t level);
    Status SplitIfNeeded(std::vector<Step>& path, size_t level);
    Status RemoveNode(std::vector<Step>& path, size_t level);
    Status MergeWithRight(std::vector<Step>& path, size_t level);
    Status CollapseRoot();
    void Touch();
    CdxStore& FStore;
    size_t FRootSlot;
    uint16_t FKeyLength;
    char FFill;
    bool FUnique;
    // Every tree's versions are distinct, so that pins and cursors never match another tree's.
    uint64_t FVersion;
    std::shared_ptr<cdx::Node> FPinnedRoot;
    uint64_t FPinnedRootVersion = 0;
};

class CdxStore {
  public:
    ~CdxStore();
    CdxStore(const CdxStore&) = delete;
    CdxStore& operator=(const CdxStore&) = delete;

    static Result<std::unique_ptr<CdxStore>> Open(const std::string& path, bool writable);

    const std::string& Path() const { return FPath; }
    const CdxStamp& Stamp() const { return FStamp; }
    size_t TagCount() const { return FTags.size(); }
    const TagDefinition& Definition(size_t tag) const;
    // The key type the table derived from the key expression (other tools' files do not say
    // whether an 8-byte key is text or a number, and the trailing fill byte depends on it).
    void SetKeyType(size_t tag, char keyType);
    CdxTree& Tree(size_t tag);
    // Keys of a tag counted over its leaves (reads the whole tag).
    Result<uint64_t> CountKeys(size_t tag);

    // A new tag (or a same-named one replaced) whose tree is built from the sorted `keys`.
    Result<size_t> AddTag(const TagDefinition& definition, const TagIndex& keys);
    // Replaces a tag's entries by the sorted `keys`.
    Status RebuildTag(size_t tag, const TagIndex& keys);

    void AttachJournal(Journal* journal);
    // Before the first change of a transaction: the dirty stamp reaches the file with the
    // journal's next sync, before any other byte of the transaction does (at once without one).
    Status BeginChange(uint32_t recordCount);
    bool Changed() const { return FChanged; }
    // The commit of the changed pages and headers with a clean stamp for `recordCount` records,
    // in steps, so that a table commits all its files with one journal sync and syncs them side
    // by side: PrepareCommit() saves the old bytes of everything the commit overwrites (buffered
    // in the journal), WriteCommit() syncs the journal if no one did and writes, SyncCommit()
    // syncs the file (it touches nothing shared, so it may run on another thread).
    Status PrepareCommit(uint32_t recordCount);
    Status WriteCommit();
    Status SyncCommit();

  private:
    friend class CdxTree;
    struct OpenTag;
    CdxStore() = default;
    Status ReadTags();
    Result<std::shared_ptr<cdx::Node>> Read(uint32_t offset, uint16_t keyLength, char fill);
    void MarkDirty(const std::shared_ptr<cdx::Node>& node);
    Result<uint32_t> AllocatePage();
    void FreePage(uint32_t offset);
    uint32_t RootOf(size_t slot) const;
    void SetRoot(size_t slot, uint32_t root);
    Status WriteOverwrite(const char* bytes, size_t size, uint64_t offset);
    Status WritePages(std::vector<std::pair<uint64_t, std::string>>& writes);
    Status CollectWriteBack(std::vector<std::pair<uint64_t, std::string>>& writes);

    std::string FPath;
    int FFd = -1;
    bool FWritable = false;
    uint64_t FFileSize = 0;
    CdxStamp FStamp;
    bool FOurs = false;     // our stamp was present: the free list is ours to use
    std::vector<char> FBag; // the bag header
    bool FBagDirty = false;
    std::unique_ptr<CdxTree> FDirectory;
    std::vector<std::unique_ptr<OpenTag>> FTags;
    std::unordered_map<uint32_t, std::shared_ptr<cdx::Node>> FDirty;
    std::vector<uint32_t> FFreed; // pages freed since the last write-back, to be linked in
    Journal* FJournal = nullptr;
    int FJournalId = -1;
    bool FChanged = false;
    bool FStampedDirty = false;
    std::vector<std::pair<uint64_t, std::string>> FCommitWrites; // from PrepareCommit() to WriteCommit()
    uint32_t FCommitRecords = 0;
    bool FCommitting = false;
};

} // namespace xbase
