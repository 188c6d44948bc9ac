#include "PageCache.h"

namespace xbase {

PageCache& PageCache::Shared()
{
    static PageCache cache;
    return cache;
}

void PageCache::SetLimit(size_t bytes)
{
    FLimit = std::max<size_t>(bytes, size_t{1} << 20);
    Trim();
}

std::shared_ptr<cdx::Node> PageCache::Find(const void* owner, uint32_t offset)
{
    auto found = FIndex.find(Key{owner, offset});
    if (found == FIndex.end())
        return nullptr;
    found->second->Used = true;
    return found->second->Node;
}

void PageCache::Put(const void* owner, const std::shared_ptr<cdx::Node>& node)
{
    const Key id{owner, node->Offset};
    if (auto found = FIndex.find(id); found != FIndex.end())
        Erase(found->second);
    const size_t bytes = node->MemoryBytes() + 64;
    FOrder.push_front(Entry{id, node, bytes});
    FIndex.emplace(id, FOrder.begin());
    FBytes += bytes;
    Trim();
}

void PageCache::Drop(const void* owner, uint32_t offset)
{
    if (auto found = FIndex.find(Key{owner, offset}); found != FIndex.end())
        Erase(found->second);
}

void PageCache::DropAll(const void* owner)
{
    for (auto entry = FOrder.begin(); entry != FOrder.end();) {
        auto next = std::next(entry);
        if (entry->Id.Owner == owner)
            Erase(entry);
        entry = next;
    }
}

void PageCache::Erase(std::list<Entry>::iterator entry)
{
    FBytes -= entry->Bytes;
    FIndex.erase(entry->Id);
    FOrder.erase(entry);
}

void PageCache::Trim()
{
    // The most recent page always stays: the caller is about to use it. A page used since it
    // last came to the end goes round once more instead (a hit only marks its page, which keeps
    // the list out of the way of seeks).
    while (FBytes > FLimit && FOrder.size() > 1) {
        auto last = std::prev(FOrder.end());
        if (last->Used) {
            last->Used = false;
            FOrder.splice(FOrder.begin(), FOrder, last);
        } else {
            Erase(last);
        }
    }
}

} // namespace xbase
