#pragma once
// One index tag held in memory: its definition and its (key, record number) entries in MACHINE
// order (memcmp of the key bytes, equal keys by record number). Callers use only seek, step,
// insert and remove, so the representation can change (today a sorted flat array with an unsorted
// tail of pending bulk appends that is merged on the next read).
//
// Descending tags keep ascending entries; the cursor walks them backwards.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

struct TagDefinition {
    std::string Name;           // up to 10 characters, upper-case
    std::string KeyExpression;  // as typed
    std::string ForExpression;  // empty when none
    uint16_t KeyLength = 0;     // 1..240
    char KeyType = 'C';         // C (fill 0x20), N or D (8-byte numeric coding, fill 0), L
    bool Descending = false;
    bool Unique = false;
};

class TagIndex {
public:
    static constexpr size_t NoPosition = static_cast<size_t>(-1);

    TagIndex() = default;
    explicit TagIndex(TagDefinition definition);

    const TagDefinition& Definition() const { return FDefinition; }
    size_t Size() const;
    void Clear();
    void Reserve(size_t count);

    // Keys are exactly KeyLength() bytes (callers pad with the fill byte; a key of another length
    // is cut or padded with the tag's fill byte). In a unique tag a key that is already present
    // is not added again: the record that brought the key first keeps it, as in other xBase
    // engines, until the tag is rebuilt.
    void Insert(std::string_view key, uint32_t recno);
    // Adds without keeping order; the next read sorts. For bulk building and loading.
    void AppendUnsorted(std::string_view key, uint32_t recno);
    bool Remove(std::string_view key, uint32_t recno);

    // First position whose key is >= `prefix` compared over prefix.size() bytes (a short seek
    // key matches every key that starts with it); Size() when none.
    size_t LowerBound(std::string_view prefix) const;
    // Position of the exact (key, recno) entry, or NoPosition.
    size_t Find(std::string_view key, uint32_t recno) const;

    std::string_view KeyAt(size_t position) const;
    uint32_t RecnoAt(size_t position) const;

private:
    friend class CdxFile;  // bulk writing reads the sorted arrays directly

    void Settle() const;  // merges pending appends
    int CompareAt(size_t position, std::string_view key, uint32_t recno) const;
    size_t LowerBoundEntry(std::string_view key, uint32_t recno) const;
    std::string NormalisedKey(std::string_view key) const;
    TagDefinition FDefinition;
    mutable std::vector<char> FKeys;       // Size() * KeyLength bytes, sorted
    mutable std::vector<uint32_t> FRecnos;
    mutable size_t FSorted = 0;            // entries [0, FSorted) are in order
};

// The bytes of an index key for a value: character values padded with blanks or cut to the
// key length; numbers and dates (as Julian day numbers) as 8-byte order-preserving doubles;
// logicals 'T'/'F'.
std::string EncodeNumericKey(double value);
double DecodeNumericKey(std::string_view key);
int64_t JulianDay(std::string_view yyyymmdd);  // 0 for blank or invalid

}  // namespace xbase
