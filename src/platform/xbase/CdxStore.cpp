#include "CdxStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <set>

#include "AsciiCase.h"
#include "FileIo.h"
#include "Journal.h"
#include "PageCache.h"

namespace xbase {

using cdx::HeaderSize;
using cdx::Node;
using cdx::NoPage;
using cdx::PageSize;

namespace {

constexpr uint16_t DirectoryKeyLength = 10;
constexpr size_t StampOffset = 24;
constexpr size_t StampSize = 12;
constexpr char StampMagic[4] = {'C', 'V', 'N', 'X'};
constexpr size_t FreeListOffset = 4;
constexpr uint16_t FreeMark = 0xFFFF;
// Pages written in one go (old bytes saved, one journal sync, then the writes).
constexpr size_t WriteBatchPages = 2048;

uint32_t Le32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<uint32_t>(u[0]) | (static_cast<uint32_t>(u[1]) << 8) |
           (static_cast<uint32_t>(u[2]) << 16) | (static_cast<uint32_t>(u[3]) << 24);
}

void PutLe32(char* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>(value >> (8 * i));
}

int CompareBytes(const char* a, const char* b, size_t length)
{
    return length == 0 ? 0 : std::memcmp(a, b, length);
}

uint64_t NextTreeVersion()
{
    static std::atomic<uint64_t> versions{0};
    return ++versions;
}

} // namespace

struct CdxStore::OpenTag {
    TagDefinition Definition;
    uint32_t HeaderOffset = 0;
    std::vector<char> Header;
    bool HeaderDirty = false;
    std::unique_ptr<CdxTree> Tree;
};

// Pages a rebuild writes, in batches: each batch saves the old bytes of the pages it reuses,
// syncs the journal once and then writes.
class BatchSink : public cdx::PageSink {
  public:
    BatchSink(std::function<Result<uint32_t>()> allocate,
              std::function<Status(std::vector<std::pair<uint64_t, std::string>>&)> flush)
        : FAllocate(std::move(allocate)), FFlush(std::move(flush))
    {
    }
    Result<uint32_t> Allocate() override { return FAllocate(); }
    Status Write(uint32_t offset, const char* page) override
    {
        FPending.emplace_back(offset, std::string(page, PageSize));
        if (FPending.size() >= WriteBatchPages)
            return Flush();
        return Status::Success();
    }
    Status Flush()
    {
        Status flushed = FFlush(FPending);
        FPending.clear();
        return flushed;
    }

  private:
    std::function<Result<uint32_t>()> FAllocate;
    std::function<Status(std::vector<std::pair<uint64_t, std::string>>&)> FFlush;
    std::vector<std::pair<uint64_t, std::string>> FPending;
};

// ---- the tree ---------------------------------------------------------------------------------

CdxTree::CdxTree(CdxStore& store, size_t rootSlot, uint16_t keyLength, char fill, bool unique)
    : FStore(store), FRootSlot(rootSlot), FKeyLength(keyLength), FFill(fill), FUnique(unique),
      FVersion(NextTreeVersion())
{
}

void CdxTree::Touch()
{
    FVersion = NextTreeVersion();
    FStore.FChanged = true;
}

Result<std::shared_ptr<Node>> CdxTree::Root()
{
    return FStore.Read(FStore.RootOf(FRootSlot), FKeyLength, FFill);
}

int CdxTree::Compare(const Node& node, size_t i, std::string_view key, uint32_t recno) const
{
    const int byKey = CompareBytes(node.Keys.data() + i * FKeyLength, key.data(), FKeyLength);
    if (byKey != 0)
        return byKey;
    const uint32_t own = node.Recnos[i];
    return own < recno ? -1 : (own > recno ? 1 : 0);
}

size_t CdxTree::LowerBoundIn(const Node& node, std::string_view key, uint32_t recno) const
{
    size_t low = 0;
    size_t high = node.Count();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (Compare(node, middle, key, recno) < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

// The path from the root to the leaf where (key, recno) is or belongs. Past the last entry an
// insert goes to the last leaf; a search reports false.
Result<bool> CdxTree::Descend(std::string_view key, uint32_t recno, std::vector<Step>& path, bool forInsert)
{
    path.clear();
    auto node = Root();
    if (!node)
        return Result<bool>::Error(node.Message());
    std::shared_ptr<Node> current = node.Take();
    for (size_t depth = 0; depth < 64; ++depth) {
        size_t index = LowerBoundIn(*current, key, recno);
        if (current->Leaf()) {
            path.push_back({current, index});
            return true;
        }
        if (index == current->Count()) {
            if (!forInsert) {
                path.push_back({current, index});
                return false;
            }
            index = current->Count() - 1;
        }
        path.push_back({current, index});
        auto child = FStore.Read(current->Children[index], FKeyLength, FFill);
        if (!child)
            return Result<bool>::Error(child.Message());
        current = child.Take();
    }
    return Result<bool>::Error(FStore.Path() + ": an index tree is too deep");
}

// Read-only descents start from the pinned root and go down through the pinned interior pages
// (see Node::PinnedChildren); only the leaf is looked up in the shared cache.
Result<Node*> CdxTree::PinnedRoot()
{
    // Every change of the root comes with a new version.
    if (!FPinnedRoot || FPinnedRootVersion != FVersion) {
        auto root = FStore.Read(FStore.RootOf(FRootSlot), FKeyLength, FFill);
        if (!root)
            return Status::Error(root.Message());
        FPinnedRoot = root.Take();
        FPinnedRootVersion = FVersion;
    }
    return FPinnedRoot.get();
}

// The child at `index` of a pinned interior page; a leaf child is handed back in `leaf`, which
// keeps it alive, and is not pinned.
Result<Node*> CdxTree::PinnedChild(Node& parent, size_t index, std::shared_ptr<Node>& leaf)
{
    if (parent.PinnedVersion != FVersion || parent.PinnedChildren.size() != parent.Children.size()) {
        parent.PinnedChildren.assign(parent.Children.size(), nullptr);
        parent.PinnedVersion = FVersion;
    }
    if (Node* pinned = parent.PinnedChildren[index].get())
        return pinned;
    auto child = FStore.Read(parent.Children[index], FKeyLength, FFill);
    if (!child)
        return Status::Error(child.Message());
    if ((*child)->Leaf()) {
        leaf = child.Take();
        return leaf.get();
    }
    parent.PinnedChildren[index] = child.Take();
    return parent.PinnedChildren[index].get();
}

// The leaf reached by taking, at each level, the child `choose(node)` names; an index past the
// node's entries means the wanted place lies beyond the tree's last entry (a null leaf).
template <class Choose>
Result<std::shared_ptr<Node>> CdxTree::PinnedLeaf(Choose choose)
{
    auto root = PinnedRoot();
    if (!root)
        return Status::Error(root.Message());
    Node* current = *root;
    std::shared_ptr<Node> leaf;
    for (size_t depth = 0; !current->Leaf(); ++depth) {
        if (depth > 64)
            return Status::Error(FStore.Path() + ": an index tree is too deep");
        const size_t index = choose(*current);
        if (index >= current->Count())
            return std::shared_ptr<Node>();
        auto child = PinnedChild(*current, index, leaf);
        if (!child)
            return Status::Error(child.Message());
        current = *child;
    }
    if (leaf)
        return leaf;
    return FPinnedRoot;
}

// The cursor on `slot` of `leaf`, or on the entry after the leaf's last when the slot is past it.
Result<bool> CdxTree::AtOrAfter(std::shared_ptr<Node> leaf, size_t slot, Cursor& cursor)
{
    const size_t count = leaf->Count();
    cursor = {std::move(leaf), slot, FVersion};
    if (slot < count)
        return true;
    cursor.Slot = count == 0 ? 0 : count - 1;
    return Next(cursor);
}

Result<bool> CdxTree::First(Cursor& cursor)
{
    auto leaf = PinnedLeaf([](const Node&) { return size_t{0}; });
    if (!leaf)
        return Result<bool>::Error(leaf.Message());
    if (!*leaf)
        return false;
    return AtOrAfter(leaf.Take(), 0, cursor);
}

Result<bool> CdxTree::Last(Cursor& cursor)
{
    auto leaf = PinnedLeaf([](const Node& node) { return node.Count() - 1; });
    if (!leaf)
        return Result<bool>::Error(leaf.Message());
    if (!*leaf)
        return false;
    cursor = {leaf.Take(), 0, FVersion};
    if (cursor.Leaf->Count() > 0) {
        cursor.Slot = cursor.Leaf->Count() - 1;
        return true;
    }
    return Previous(cursor);
}

Result<bool> CdxTree::Next(Cursor& cursor)
{
    if (cursor.Slot + 1 < cursor.Leaf->Count()) {
        ++cursor.Slot;
        return true;
    }
    // Empty leaves (other tools leave some) are stepped over; a chain longer than the file is a loop.
    for (uint64_t hops = 0; hops <= FStore.FFileSize / PageSize; ++hops) {
        if (cursor.Leaf->Right == NoPage)
            return false;
        auto next = FStore.Read(cursor.Leaf->Right, FKeyLength, FFill);
        if (!next)
            return Result<bool>::Error(next.Message());
        if (!(*next)->Leaf())
            return Result<bool>::Error(FStore.Path() + ": a leaf chain reaches a non-leaf page");
        cursor.Leaf = next.Take();
        cursor.Slot = 0;
        if (cursor.Leaf->Count() > 0)
            return true;
    }
    return Result<bool>::Error(FStore.Path() + ": a leaf chain loops");
}

Result<bool> CdxTree::Previous(Cursor& cursor)
{
    if (cursor.Slot > 0 && cursor.Slot <= cursor.Leaf->Count()) {
        --cursor.Slot;
        return true;
    }
    for (uint64_t hops = 0; hops <= FStore.FFileSize / PageSize; ++hops) {
        if (cursor.Leaf->Left == NoPage)
            return false;
        auto previous = FStore.Read(cursor.Leaf->Left, FKeyLength, FFill);
        if (!previous)
            return Result<bool>::Error(previous.Message());
        if (!(*previous)->Leaf())
            return Result<bool>::Error(FStore.Path() + ": a leaf chain reaches a non-leaf page");
        cursor.Leaf = previous.Take();
        if (cursor.Leaf->Count() > 0) {
            cursor.Slot = cursor.Leaf->Count() - 1;
            return true;
        }
        cursor.Slot = 0;
    }
    return Result<bool>::Error(FStore.Path() + ": a leaf chain loops");
}

// The cursor on the entry `choose` picks in the leaf it leads to (or the next one after it).
template <class Choose>
Result<bool> CdxTree::LowerBoundBy(Choose choose, Cursor& cursor)
{
    auto leaf = PinnedLeaf(choose);
    if (!leaf)
        return Result<bool>::Error(leaf.Message());
    if (!*leaf)
        return false;
    const size_t slot = choose(**leaf);
    return AtOrAfter(leaf.Take(), slot, cursor);
}

Result<bool> CdxTree::LowerBoundEntry(std::string_view key, uint32_t recno, Cursor& cursor)
{
    return LowerBoundBy([&](const Node& node) { return LowerBoundIn(node, key, recno); }, cursor);
}

Result<bool> CdxTree::LowerBound(std::string_view prefix, Cursor& cursor)
{
    const size_t compared = std::min<size_t>(prefix.size(), FKeyLength);
    auto lower = [&](const Node& n) {
        size_t low = 0;
        size_t high = n.Count();
        while (low < high) {
            const size_t middle = low + (high - low) / 2;
            if (CompareBytes(n.Keys.data() + middle * FKeyLength, prefix.data(), compared) < 0) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        return low;
    };
    return LowerBoundBy(lower, cursor);
}

// After the last entry of path[level]'s node changed, the separators above it follow.
Status CdxTree::FixSeparators(std::vector<Step>& path, size_t level)
{
    while (level > 0) {
        Node& child = *path[level].Node;
        if (child.Count() == 0)
            return Status::Success();
        Step& parent = path[level - 1];
        const size_t i = parent.Index;
        const std::string_view last = child.Key(child.Count() - 1, FKeyLength);
        const uint32_t lastRecno = child.Recnos.back();
        if (parent.Node->Key(i, FKeyLength) == last && parent.Node->Recnos[i] == lastRecno)
            return Status::Success();
        std::memcpy(parent.Node->Keys.data() + i * FKeyLength, last.data(), FKeyLength);
        parent.Node->Recnos[i] = lastRecno;
        FStore.MarkDirty(parent.Node);
        if (i + 1 != parent.Node->Count())
            return Status::Success();
        --level;
    }
    return Status::Success();
}

// Splits path[level]'s node when it no longer fits its page, upwards as far as needed.
Status CdxTree::SplitIfNeeded(std::vector<Step>& path, size_t level)
{
    for (;;) {
        Node& node = *path[level].Node;
        const size_t count = node.Count();
        size_t split = 0;
        if (node.Leaf()) {
            if (cdx::LeafFits(node, 0, count))
                return Status::Success();
            // The split nearest the middle that leaves both halves fitting.
            for (size_t distance = 0; distance < count && split == 0; ++distance) {
                for (size_t candidate : {count / 2 + distance, count / 2 - std::min(count / 2, distance)}) {
                    if (candidate == 0 || candidate >= count)
                        continue;
                    if (cdx::LeafFits(node, 0, candidate) && cdx::LeafFits(node, candidate, count)) {
                        split = candidate;
                        break;
                    }
                }
            }
            if (split == 0)
                return Status::Error(FStore.Path() + ": an index leaf cannot be split");
        } else {
            if (count <= cdx::InteriorCapacity(FKeyLength))
                return Status::Success();
            split = count / 2;
        }
        auto page = FStore.AllocatePage();
        if (!page)
            return page.ToStatus();
        auto right = std::make_shared<Node>();
        right->Offset = *page;
        right->KeyLength = FKeyLength;
        right->Fill = FFill;
        right->Attributes = node.Leaf() ? cdx::AttrLeaf : 0;
        right->Keys.assign(node.Keys, split * FKeyLength, std::string::npos);
        right->Recnos.assign(node.Recnos.begin() + static_cast<std::ptrdiff_t>(split), node.Recnos.end());
        if (!node.Leaf()) {
            right->Children.assign(node.Children.begin() + static_cast<std::ptrdiff_t>(split),
                                   node.Children.end());
            node.Children.resize(split);
        }
        node.Keys.resize(split * FKeyLength);
        node.Recnos.resize(split);
        right->Left = node.Offset;
        right->Right = node.Right;
        if (node.Right != NoPage) {
            auto after = FStore.Read(node.Right, FKeyLength, FFill);
            if (!after)
                return after.ToStatus();
            (*after)->Left = right->Offset;
            FStore.MarkDirty(*after);
        }
        node.Right = right->Offset;
        FStore.MarkDirty(path[level].Node);
        FStore.MarkDirty(right);
        const std::string leftLast(node.Key(split - 1, FKeyLength));
        const uint32_t leftRecno = node.Recnos.back();
        const std::string rightLast(right->Key(right->Count() - 1, FKeyLength));
        const uint32_t rightRecno = right->Recnos.back();
        if (level == 0) {
            // A new root above the two halves.
            auto rootPage = FStore.AllocatePage();
            if (!rootPage)
                return rootPage.ToStatus();
            auto root = std::make_shared<Node>();
            root->Offset = *rootPage;
            root->KeyLength = FKeyLength;
            root->Fill = FFill;
            root->Attributes = cdx::AttrRoot;
            root->Keys = leftLast + rightLast;
            root->Recnos = {leftRecno, rightRecno};
            root->Children = {node.Offset, right->Offset};
            node.Attributes &= static_cast<uint16_t>(~cdx::AttrRoot);
            FStore.MarkDirty(root);
            FStore.SetRoot(FRootSlot, root->Offset);
            Touch(); // the pinned root is no longer the root
            return Status::Success();
        }
        Node& parent = *path[level - 1].Node;
        const size_t i = path[level - 1].Index;
        std::memcpy(parent.Keys.data() + i * FKeyLength, leftLast.data(), FKeyLength);
        parent.Recnos[i] = leftRecno;
        parent.Keys.insert((i + 1) * FKeyLength, rightLast);
        parent.Recnos.insert(parent.Recnos.begin() + static_cast<std::ptrdiff_t>(i + 1), rightRecno);
        parent.Children.insert(parent.Children.begin() + static_cast<std::ptrdiff_t>(i + 1), right->Offset);
        FStore.MarkDirty(path[level - 1].Node);
        --level;
    }
}

Result<bool> CdxTree::Insert(std::string_view key, uint32_t recno)
{
    if (FUnique) {
        Cursor cursor;
        auto found = LowerBoundEntry(key, 0, cursor);
        if (!found)
            return found;
        if (*found && KeyAt(cursor) == key)
            return false;
    }
    std::vector<Step> path;
    auto descended = Descend(key, recno, path, true);
    if (!descended)
        return descended;
    Touch();
    Node& leaf = *path.back().Node;
    const size_t slot = path.back().Index;
    if (slot < leaf.Count() && Compare(leaf, slot, key, recno) == 0)
        return false;
    leaf.Keys.insert(slot * FKeyLength, key.data(), FKeyLength);
    leaf.Recnos.insert(leaf.Recnos.begin() + static_cast<std::ptrdiff_t>(slot), recno);
    FStore.MarkDirty(path.back().Node);
    if (slot + 1 == leaf.Count()) {
        if (Status fixed = FixSeparators(path, path.size() - 1); !fixed)
            return Result<bool>(fixed);
    }
    if (Status split = SplitIfNeeded(path, path.size() - 1); !split)
        return Result<bool>(split);
    return true;
}

Result<bool> CdxTree::Remove(std::string_view key, uint32_t recno)
{
    std::vector<Step> path;
    auto descended = Descend(key, recno, path, false);
    if (!descended)
        return descended;
    if (!*descended)
        return false;
    Node& leaf = *path.back().Node;
    const size_t slot = path.back().Index;
    if (slot >= leaf.Count() || Compare(leaf, slot, key, recno) != 0)
        return false;
    Touch();
    leaf.Keys.erase(slot * FKeyLength, FKeyLength);
    leaf.Recnos.erase(leaf.Recnos.begin() + static_cast<std::ptrdiff_t>(slot));
    FStore.MarkDirty(path.back().Node);
    const size_t level = path.size() - 1;
    if (leaf.Count() == 0 && level > 0) {
        if (Status removed = RemoveNode(path, level); !removed)
            return Result<bool>(removed);
    } else {
        if (slot == leaf.Count()) {
            if (Status fixed = FixSeparators(path, level); !fixed)
                return Result<bool>(fixed);
        }
        if (level > 0) {
            if (Status merged = MergeWithRight(path, level); !merged)
                return Result<bool>(merged);
        }
    }
    if (Status collapsed = CollapseRoot(); !collapsed)
        return Result<bool>(collapsed);
    return true;
}

// Takes the empty node path[level] out of its level's chain and out of its parent.
Status CdxTree::RemoveNode(std::vector<Step>& path, size_t level)
{
    while (level > 0) {
        Node& node = *path[level].Node;
        if (node.Left != NoPage) {
            auto before = FStore.Read(node.Left, FKeyLength, FFill);
            if (!before)
                return before.ToStatus();
            (*before)->Right = node.Right;
            FStore.MarkDirty(*before);
        }
        if (node.Right != NoPage) {
            auto after = FStore.Read(node.Right, FKeyLength, FFill);
            if (!after)
                return after.ToStatus();
            (*after)->Left = node.Left;
            FStore.MarkDirty(*after);
        }
        FStore.FreePage(node.Offset);
        Node& parent = *path[level - 1].Node;
        const size_t i = path[level - 1].Index;
        const bool wasLast = i + 1 == parent.Count();
        parent.Keys.erase(i * FKeyLength, FKeyLength);
        parent.Recnos.erase(parent.Recnos.begin() + static_cast<std::ptrdiff_t>(i));
        parent.Children.erase(parent.Children.begin() + static_cast<std::ptrdiff_t>(i));
        FStore.MarkDirty(path[level - 1].Node);
        --level;
        if (parent.Count() > 0) {
            if (wasLast) {
                path.resize(level + 1);
                return FixSeparators(path, level);
            }
            return Status::Success();
        }
        if (level == 0) {
            // The root lost its last child: the tree is empty again, one empty leaf.
            parent.Attributes = cdx::AttrRoot | cdx::AttrLeaf;
            parent.Children.clear();
            parent.Left = parent.Right = NoPage;
            return Status::Success();
        }
    }
    return Status::Success();
}

// A leaf that has shrunk takes in its right neighbour under the same parent when both fit one
// page, so deletions do not leave a trail of near-empty pages.
Status CdxTree::MergeWithRight(std::vector<Step>& path, size_t level)
{
    Node& node = *path[level].Node;
    Node& parent = *path[level - 1].Node;
    const size_t i = path[level - 1].Index;
    if (i + 1 >= parent.Count() || node.Right != parent.Children[i + 1])
        return Status::Success();
    auto right = FStore.Read(node.Right, FKeyLength, FFill);
    if (!right)
        return right.ToStatus();
    Node& next = **right;
    if (node.Count() * 2 > next.Count() && node.Count() > 4)
        return Status::Success();
    cdx::Node merged;
    merged.Attributes = node.Attributes;
    merged.KeyLength = FKeyLength;
    merged.Fill = FFill;
    merged.Keys = node.Keys + next.Keys;
    merged.Recnos = node.Recnos;
    merged.Recnos.insert(merged.Recnos.end(), next.Recnos.begin(), next.Recnos.end());
    if (!cdx::LeafFits(merged, 0, merged.Count()))
        return Status::Success();
    node.Keys = std::move(merged.Keys);
    node.Recnos = std::move(merged.Recnos);
    FStore.MarkDirty(path[level].Node);
    next.Keys.clear();
    next.Recnos.clear();
    FStore.MarkDirty(*right);
    std::vector<Step> rightPath(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(level));
    rightPath.back().Index = i + 1;
    rightPath.push_back({*right, 0});
    // The right page goes; the separator of this page becomes the right page's.
    std::memcpy(parent.Keys.data() + i * FKeyLength, parent.Keys.data() + (i + 1) * FKeyLength, FKeyLength);
    parent.Recnos[i] = parent.Recnos[i + 1];
    return RemoveNode(rightPath, level);
}

// A root with one child hands the root over to it.
Status CdxTree::CollapseRoot()
{
    for (;;) {
        auto root = Root();
        if (!root)
            return root.ToStatus();
        Node& node = **root;
        if (node.Leaf() || node.Count() != 1)
            return Status::Success();
        auto child = FStore.Read(node.Children.front(), FKeyLength, FFill);
        if (!child)
            return child.ToStatus();
        (*child)->Attributes |= cdx::AttrRoot;
        (*child)->Left = (*child)->Right = NoPage;
        FStore.MarkDirty(*child);
        FStore.SetRoot(FRootSlot, (*child)->Offset);
        Touch();
        FStore.FreePage(node.Offset);
    }
}

Status CdxTree::Rebuild(const std::function<Result<bool>(std::string& key, uint32_t& recno)>& next)
{
    Touch();
    // The new tree is written before the old one is freed: pages the old one still uses are
    // not handed out, and a failure leaves the old tree whole.
    BatchSink sink(
        [this] { return FStore.AllocatePage(); },
        [this](std::vector<std::pair<uint64_t, std::string>>& pages) { return FStore.WritePages(pages); });
    cdx::TreeWriter writer(sink, FKeyLength, FFill);
    std::string key;
    uint32_t recno = 0;
    for (;;) {
        auto more = next(key, recno);
        if (!more)
            return more.ToStatus();
        if (!*more)
            break;
        if (Status added = writer.Add(key, recno); !added)
            return added;
    }
    auto root = writer.Finish();
    if (!root)
        return root.ToStatus();
    if (Status flushed = sink.Flush(); !flushed)
        return flushed;
    // A tag being made has no old tree to free.
    if (FStore.RootOf(FRootSlot) != NoPage) {
        if (Status freed = FreeAll(); !freed)
            return freed;
    }
    FStore.SetRoot(FRootSlot, *root);
    Touch();
    return Status::Success();
}

Status CdxTree::FreeAll()
{
    Touch();
    auto root = Root();
    if (!root)
        return root.ToStatus();
    // Level by level from the root: each level's pages are the children of the one above. All
    // leaves sit on one level, so once a level turns out to be leaves its pages are freed unread.
    std::vector<uint32_t> level{(*root)->Offset};
    for (size_t depth = 0; !level.empty(); ++depth) {
        if (depth > 64)
            return Status::Error(FStore.Path() + ": an index tree is too deep");
        auto first = FStore.Read(level.front(), FKeyLength, FFill);
        if (!first)
            return first.ToStatus();
        if ((*first)->Leaf()) {
            for (uint32_t offset : level)
                FStore.FreePage(offset);
            break;
        }
        std::vector<uint32_t> below;
        for (uint32_t offset : level) {
            auto node = FStore.Read(offset, FKeyLength, FFill);
            if (!node)
                return node.ToStatus();
            if (!(*node)->Leaf())
                below.insert(below.end(), (*node)->Children.begin(), (*node)->Children.end());
            FStore.FreePage(offset);
        }
        level = std::move(below);
    }
    return Status::Success();
}

// ---- the file -----------------------------------------------------------------------------------

CdxStore::~CdxStore()
{
    PageCache::Shared().DropAll(this);
    if (FJournal && FJournalId >= 0)
        FJournal->Unregister(FJournalId);
    if (FFd >= 0)
        ::close(FFd);
}

Result<std::unique_ptr<CdxStore>> CdxStore::Open(const std::string& path, bool writable)
{
    std::unique_ptr<CdxStore> store(new CdxStore());
    store->FPath = path;
    store->FWritable = writable;
    store->FFd = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (store->FFd < 0)
        return Status::Error(SystemError("cannot open index", path));
    struct stat info {};
    if (::fstat(store->FFd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return Status::Error("cannot read index " + path + ": not a regular file");
    }
    if (info.st_size < static_cast<off_t>(HeaderSize) || info.st_size > static_cast<off_t>(NoPage)) {
        return Status::Error(path + ": not a compound index (size " + std::to_string(info.st_size) + ")");
    }
    store->FFileSize = static_cast<uint64_t>(info.st_size);
    store->FBag.resize(HeaderSize);
    if (!ReadFully(store->FFd, store->FBag.data(), HeaderSize, 0)) {
        return Status::Error(SystemError("cannot read index", path));
    }
    const auto* bag = reinterpret_cast<const unsigned char*>(store->FBag.data());
    const uint8_t options = bag[14];
    if ((bag[12] | (bag[13] << 8)) != DirectoryKeyLength || !(options & 0x20) || !(options & 0x40)) {
        return Status::Error(path + ": not a compact compound index");
    }
    if (std::memcmp(bag + StampOffset, StampMagic, sizeof StampMagic) == 0) {
        store->FStamp.Present = true;
        store->FStamp.RecordCount = Le32(store->FBag.data() + StampOffset + 4);
        store->FStamp.Dirty = bag[StampOffset + 8] != 0;
        store->FOurs = true;
    }
    store->FDirectory = std::make_unique<CdxTree>(*store, 0, DirectoryKeyLength, ' ', false);
    if (Status read = store->ReadTags(); !read)
        return read;
    return store;
}

Status CdxStore::ReadTags()
{
    std::vector<std::pair<std::string, uint32_t>> directory;
    CdxTree::Cursor cursor;
    auto more = FDirectory->First(cursor);
    for (size_t guard = 0; more && *more; more = FDirectory->Next(cursor), ++guard) {
        if (guard > FFileSize)
            return Status::Error(FPath + ": the tag directory loops");
        std::string_view name = FDirectory->KeyAt(cursor);
        const size_t end = name.find_last_not_of(std::string_view(" \0", 2));
        directory.emplace_back(std::string(name.substr(0, end == std::string_view::npos ? 0 : end + 1)),
                               FDirectory->RecnoAt(cursor));
    }
    if (!more)
        return more.ToStatus();
    std::set<uint32_t> offsets;
    for (auto& [name, offset] : directory) {
        if (name.empty())
            return Status::Error(FPath + ": tag directory holds a blank tag name");
        if (!offsets.insert(offset).second) {
            return Status::Error(FPath + ": two tags share the header at " + std::to_string(offset));
        }
        CdxTagInfo info;
        if (Status read = CdxFile::ReadTagHeader(FFd, FFileSize, offset, name, FPath, info); !read)
            return read;
        auto tag = std::make_unique<OpenTag>();
        tag->Definition = info.Definition;
        tag->HeaderOffset = offset;
        tag->Header.resize(HeaderSize);
        if (!ReadFully(FFd, tag->Header.data(), HeaderSize, offset)) {
            return Status::Error(SystemError("cannot read index", FPath));
        }
        FTags.push_back(std::move(tag));
    }
    std::sort(FTags.begin(), FTags.end(),
              [](const auto& a, const auto& b) { return a->HeaderOffset < b->HeaderOffset; });
    for (size_t i = 0; i < FTags.size(); ++i) {
        const TagDefinition& d = FTags[i]->Definition;
        FTags[i]->Tree =
            std::make_unique<CdxTree>(*this, i + 1, d.KeyLength, cdx::FillFor(d.KeyType), d.Unique);
    }
    return Status::Success();
}

const TagDefinition& CdxStore::Definition(size_t tag) const
{
    return FTags[tag]->Definition;
}

CdxTree& CdxStore::Tree(size_t tag)
{
    return *FTags[tag]->Tree;
}

void CdxStore::SetKeyType(size_t tag, char keyType)
{
    OpenTag& open = *FTags[tag];
    if (open.Definition.KeyType == keyType)
        return;
    open.Definition.KeyType = keyType;
    // Pages decoded with the other fill byte are read again.
    PageCache::Shared().DropAll(this);
    const TagDefinition& d = open.Definition;
    open.Tree = std::make_unique<CdxTree>(*this, tag + 1, d.KeyLength, cdx::FillFor(d.KeyType), d.Unique);
}

Result<uint64_t> CdxStore::CountKeys(size_t tag)
{
    CdxTree& tree = *FTags[tag]->Tree;
    CdxTree::Cursor cursor;
    auto more = tree.First(cursor);
    uint64_t count = 0;
    while (more && *more) {
        count += cursor.Leaf->Count();
        cursor.Slot = cursor.Leaf->Count() - 1;
        more = tree.Next(cursor);
    }
    if (!more)
        return Result<uint64_t>::Error(more.Message());
    return count;
}

uint32_t CdxStore::RootOf(size_t slot) const
{
    return Le32(slot == 0 ? FBag.data() : FTags[slot - 1]->Header.data());
}

void CdxStore::SetRoot(size_t slot, uint32_t root)
{
    if (slot == 0) {
        PutLe32(FBag.data(), root);
        FBagDirty = true;
    } else {
        PutLe32(FTags[slot - 1]->Header.data(), root);
        FTags[slot - 1]->HeaderDirty = true;
    }
    FChanged = true;
}

Result<std::shared_ptr<Node>> CdxStore::Read(uint32_t offset, uint16_t keyLength, char fill)
{
    if (auto dirty = FDirty.find(offset); dirty != FDirty.end())
        return dirty->second;
    if (auto cached = PageCache::Shared().Find(this, offset))
        return cached;
    if (offset == 0 || offset % PageSize != 0 || uint64_t{offset} + PageSize > FFileSize) {
        return Status::Error(FPath + ": index page offset " + std::to_string(offset) + " is out of range");
    }
    unsigned char page[PageSize];
    if (!ReadFully(FFd, page, PageSize, offset))
        return Status::Error(SystemError("cannot read index", FPath));
    auto node = std::make_shared<Node>();
    if (Status decoded = cdx::DecodeNode(page, offset, keyLength, fill, *node, FPath); !decoded)
        return decoded;
    PageCache::Shared().Put(this, node);
    return node;
}

void CdxStore::MarkDirty(const std::shared_ptr<Node>& node)
{
    node->Dirty = true;
    FDirty[node->Offset] = node;
    FChanged = true;
}

Result<uint32_t> CdxStore::AllocatePage()
{
    if (!FFreed.empty()) {
        const uint32_t page = FFreed.back();
        FFreed.pop_back();
        return page;
    }
    const uint32_t head = Le32(FBag.data() + FreeListOffset);
    if (FOurs && head != 0 && head != NoPage && head % PageSize == 0 &&
        uint64_t{head} + PageSize <= FFileSize) {
        char link[8];
        if (ReadFully(FFd, link, sizeof link, head) && static_cast<unsigned char>(link[0]) == 0xFF &&
            static_cast<unsigned char>(link[1]) == 0xFF) {
            PutLe32(FBag.data() + FreeListOffset, Le32(link + 4));
            FBagDirty = true;
            return head;
        }
    }
    if (FFileSize + PageSize > NoPage)
        return Status::Error(FPath + ": the index file would pass 4 GB");
    const uint32_t page = static_cast<uint32_t>(FFileSize);
    FFileSize += PageSize;
    return page;
}

void CdxStore::FreePage(uint32_t offset)
{
    FDirty.erase(offset);
    PageCache::Shared().Drop(this, offset);
    FFreed.push_back(offset);
    FChanged = true;
}

void CdxStore::AttachJournal(Journal* journal)
{
    if (FJournal && FJournalId >= 0)
        FJournal->Unregister(FJournalId);
    FJournal = journal;
    FJournalId = journal ? journal->Register(FPath, FFd) : -1;
}

Status CdxStore::WriteOverwrite(const char* bytes, size_t size, uint64_t offset)
{
    if (FJournal) {
        if (Status saved = FJournal->Save(FJournalId, offset, size); !saved)
            return saved;
        if (FJournal->NeedsSync()) {
            if (Status synced = FJournal->Sync(); !synced)
                return synced;
        }
    }
    return WriteFully(FFd, bytes, size, offset, FPath);
}

Status CdxStore::BeginChange(uint32_t recordCount)
{
    if (!FWritable)
        return Status::Error(FPath + " is open read-only");
    if (FStampedDirty)
        return Status::Success();
    char stamp[StampSize] = {};
    std::memcpy(stamp, StampMagic, sizeof StampMagic);
    PutLe32(stamp + 4, recordCount);
    stamp[8] = 1;
    std::memcpy(FBag.data() + StampOffset, stamp, StampSize);
    // Nothing of this file changes before the commit unless the journal is synced first, so the
    // stamp can wait for that sync: an edit committed at once pays no sync for it.
    Status written = FJournal ? FJournal->WriteAfterSync(FJournalId, StampOffset, std::string(stamp, StampSize))
                              : WriteOverwrite(stamp, StampSize, StampOffset);
    if (!written)
        return written;
    FStampedDirty = true;
    FStamp = {true, true, recordCount};
    return Status::Success();
}

// Changed pages and freed pages first, then the headers, as writes to make.
Status CdxStore::CollectWriteBack(std::vector<std::pair<uint64_t, std::string>>& writes)
{
    writes.reserve(FDirty.size() + FFreed.size() + FTags.size() + 1);
    std::string page(PageSize, '\0');
    for (auto& [offset, node] : FDirty) {
        if (!cdx::EncodeNode(*node, page.data())) {
            return Status::Error(FPath + ": index page " + std::to_string(offset) + " overflows");
        }
        node->Dirty = false;
        PageCache::Shared().Put(this, node);
        writes.emplace_back(offset, page);
    }
    FDirty.clear();
    uint32_t head = Le32(FBag.data() + FreeListOffset);
    if (!FOurs || head == NoPage)
        head = 0;
    for (uint32_t offset : FFreed) {
        cdx::EncodeFreePage(head, page.data());
        writes.emplace_back(offset, page);
        head = offset;
    }
    if (!FFreed.empty()) {
        PutLe32(FBag.data() + FreeListOffset, head);
        FBagDirty = true;
        FFreed.clear();
    }
    for (auto& tag : FTags) {
        if (!tag->HeaderDirty)
            continue;
        writes.emplace_back(tag->HeaderOffset, std::string(tag->Header.data(), HeaderSize));
        tag->HeaderDirty = false;
    }
    if (FBagDirty) {
        writes.emplace_back(0, std::string(FBag.data(), HeaderSize));
        FBagDirty = false;
    }
    std::sort(writes.begin(), writes.end());
    return Status::Success();
}

Status CdxStore::WritePages(std::vector<std::pair<uint64_t, std::string>>& writes)
{
    std::sort(writes.begin(), writes.end());
    if (FJournal) {
        for (const auto& [offset, bytes] : writes) {
            if (Status saved = FJournal->Save(FJournalId, offset, bytes.size()); !saved)
                return saved;
        }
        if (Status synced = FJournal->Sync(); !synced)
            return synced;
    }
    for (const auto& [offset, bytes] : writes) {
        if (Status written = WriteFully(FFd, bytes.data(), bytes.size(), offset, FPath); !written)
            return written;
        FFileSize = std::max<uint64_t>(FFileSize, offset + bytes.size());
    }
    return Status::Success();
}

Status CdxStore::PrepareCommit(uint32_t recordCount)
{
    FCommitWrites.clear();
    FCommitting = false;
    if (!FWritable || (!FChanged && !FStampedDirty))
        return Status::Success();
    char* stamp = FBag.data() + StampOffset;
    std::memset(stamp, 0, StampSize);
    std::memcpy(stamp, StampMagic, sizeof StampMagic);
    PutLe32(stamp + 4, recordCount);
    FBagDirty = true;
    FOurs = true;
    if (Status collected = CollectWriteBack(FCommitWrites); !collected)
        return collected;
    if (FJournal) {
        for (const auto& [offset, bytes] : FCommitWrites) {
            if (Status saved = FJournal->Save(FJournalId, offset, bytes.size()); !saved)
                return saved;
        }
    }
    FCommitRecords = recordCount;
    FCommitting = true;
    return Status::Success();
}

Status CdxStore::WriteCommit()
{
    if (!FCommitting)
        return Status::Success();
    std::vector<std::pair<uint64_t, std::string>> writes = std::move(FCommitWrites);
    FCommitWrites.clear();
    if (Status written = WritePages(writes); !written) {
        FCommitting = false;
        return written;
    }
    return Status::Success();
}

Status CdxStore::SyncCommit()
{
    if (!FCommitting)
        return Status::Success();
    FCommitting = false;
    if (::fdatasync(FFd) != 0)
        return Status::Error(SystemError("cannot sync", FPath));
    FStamp = {true, false, FCommitRecords};
    FStampedDirty = false;
    FChanged = false;
    return Status::Success();
}

Result<size_t> CdxStore::AddTag(const TagDefinition& definition, const TagIndex& keys)
{
    if (!FWritable)
        return Status::Error(FPath + " is open read-only");
    // A tag header takes two adjacent pages: it goes at the end of the file.
    const uint32_t headerOffset = static_cast<uint32_t>(FFileSize);
    if (FFileSize + HeaderSize > NoPage)
        return Status::Error(FPath + ": the index file would pass 4 GB");
    FFileSize += HeaderSize;
    std::string name = UpperAscii(definition.Name);
    auto same =
        std::find_if(FTags.begin(), FTags.end(), [&](const auto& t) { return t->Definition.Name == name; });
    std::string directoryKey = name;
    directoryKey.resize(DirectoryKeyLength, ' ');
    if (same != FTags.end()) {
        auto removed = FDirectory->Remove(directoryKey, (*same)->HeaderOffset);
        if (!removed)
            return removed.ToStatus();
        if (Status freed = (*same)->Tree->FreeAll(); !freed)
            return freed;
        FreePage((*same)->HeaderOffset);
        FreePage((*same)->HeaderOffset + PageSize);
        FTags.erase(same);
    }
    auto tag = std::make_unique<OpenTag>();
    tag->Definition = definition;
    tag->Definition.Name = name;
    tag->HeaderOffset = headerOffset;
    tag->Header.assign(HeaderSize, '\0');
    CdxFile::FormatTagHeader(tag->Header.data(), NoPage, tag->Definition);
    tag->HeaderDirty = true;
    const TagDefinition& d = tag->Definition;
    FTags.push_back(std::move(tag));
    for (size_t i = 0; i < FTags.size(); ++i) {
        const TagDefinition& each = FTags[i]->Definition;
        if (FTags[i]->Tree) {
            FTags[i]->Tree->SetSlot(i + 1);
        } else {
            FTags[i]->Tree = std::make_unique<CdxTree>(*this, i + 1, each.KeyLength,
                                                       cdx::FillFor(each.KeyType), each.Unique);
        }
    }
    (void)d;
    const size_t index = FTags.size() - 1;
    // The new tree is built before the tag is listed, from pages the old one no longer needs.
    if (Status built = RebuildTag(index, keys); !built)
        return built;
    auto listed = FDirectory->Insert(directoryKey, headerOffset);
    if (!listed)
        return listed.ToStatus();
    FChanged = true;
    return index;
}

Status CdxStore::RebuildTag(size_t tag, const TagIndex& keys)
{
    size_t next = 0;
    const size_t count = keys.Size();
    CdxTree& tree = *FTags[tag]->Tree;
    return tree.Rebuild([&](std::string& key, uint32_t& recno) -> Result<bool> {
        if (next == count)
            return false;
        key.assign(keys.KeyAt(next));
        recno = keys.RecnoAt(next);
        ++next;
        return true;
    });
}

} // namespace xbase
