#pragma once
// Decoded index pages of every open index file, shared and bounded: when the bytes held pass
// the limit, the pages put longest ago leave first, except that one used since goes round once
// more (a second chance: near least-recently-used, without reordering on every hit). Changed
// pages are held by their file until it writes them back, so eviction never loses a change.

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>

#include "CdxNode.h"

namespace xbase {

class PageCache {
  public:
    static constexpr size_t DefaultLimit = size_t{64} << 20;

    static PageCache& Shared();

    void SetLimit(size_t bytes);
    size_t Limit() const { return FLimit; }
    size_t Bytes() const { return FBytes; }

    std::shared_ptr<cdx::Node> Find(const void* owner, uint32_t offset);
    // Adds or refreshes a page (most recently used), then trims to the limit.
    void Put(const void* owner, const std::shared_ptr<cdx::Node>& node);
    void Drop(const void* owner, uint32_t offset);
    void DropAll(const void* owner);

  private:
    struct Key {
        const void* Owner;
        uint32_t Offset;
        bool operator==(const Key& other) const { return Owner == other.Owner && Offset == other.Offset; }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const
        {
            return std::hash<const void*>()(key.Owner) ^ (size_t{key.Offset} * 0x9E3779B97F4A7C15ull);
        }
    };
    struct Entry {
        Key Id;
        std::shared_ptr<cdx::Node> Node;
        size_t Bytes;
        bool Used = false; // found since it was put or last went round
    };
    void Trim();
    void Erase(std::list<Entry>::iterator entry);
    size_t FLimit = DefaultLimit;
    size_t FBytes = 0;
    std::list<Entry> FOrder; // most recent first
    std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> FIndex;
};

} // namespace xbase
