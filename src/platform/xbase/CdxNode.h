#pragma once
// The pages of a compact compound index tree: decoding one page into a node, packing entries
// into compact leaves (record-number, duplicate and trailing-byte bit fields) and interior
// pages (full keys, big-endian record numbers and child pointers), and a writer that lays a
// sorted stream of entries out as a whole tree. Shared by the bulk file writer and the tree
// that is changed in place.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Result.h"

namespace xbase::cdx {

constexpr uint32_t PageSize = 512;
constexpr uint32_t HeaderSize = 1024;
constexpr uint32_t NoPage = 0xFFFFFFFF;
constexpr uint16_t AttrRoot = 1;
constexpr uint16_t AttrLeaf = 2;

// Byte order of the format: little-endian header fields, big-endian interior entries.
inline uint16_t Le16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t Le32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint32_t Be32(const unsigned char* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}
inline void PutLe16(char* p, uint16_t value)
{
    p[0] = static_cast<char>(value);
    p[1] = static_cast<char>(value >> 8);
}
inline void PutLe32(char* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>(value >> (8 * i));
}
inline void PutBe32(char* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>(value >> (24 - 8 * i));
}
inline uint64_t BitMask(unsigned bits)
{
    return bits >= 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
}

char FillFor(char keyType);
// Interior entries per page for a key length.
size_t InteriorCapacity(uint16_t keyLength);

// One decoded page. Entries are in machine order: key bytes (memcmp), then record number. An
// interior entry holds the last (greatest) entry of its child.
struct Node {
    uint32_t Offset = NoPage;
    uint16_t Attributes = AttrLeaf;
    uint32_t Left = NoPage;
    uint32_t Right = NoPage;
    std::string Keys; // Count() * key length bytes
    std::vector<uint32_t> Recnos;
    std::vector<uint32_t> Children; // interior nodes only
    uint16_t KeyLength = 0;
    char Fill = ' ';
    bool Dirty = false;
    // An interior node's interior children, decoded once and kept with it while its tree stays
    // as it was at PinnedVersion: a seek then looks up only the leaf in the shared cache. Leaves
    // are never pinned, so the pins hold no more than the tree's upper levels.
    std::vector<std::shared_ptr<Node>> PinnedChildren;
    uint64_t PinnedVersion = 0;

    bool Leaf() const { return Attributes & AttrLeaf; }
    size_t Count() const { return Recnos.size(); }
    std::string_view Key(size_t i, uint16_t keyLength) const
    {
        return std::string_view(Keys.data() + i * keyLength, keyLength);
    }
    size_t MemoryBytes() const { return sizeof(Node) + Keys.capacity() + 8 * Recnos.capacity(); }
};

// Decodes and checks one page read from `where` (named in errors).
Status DecodeNode(const unsigned char* page, uint32_t offset, uint16_t keyLength, char fill, Node& node,
                  const std::string& where);
// Writes the node's page; false when a leaf's entries do not fit one compact page (interior
// nodes must hold at most InteriorCapacity entries).
bool EncodeNode(const Node& node, char* page);
// Whether entries [from, to) of a leaf fit one compact page.
bool LeafFits(const Node& node, size_t from, size_t to);
// A free page: marked so that no walk mistakes it for a node, naming the next free page.
void EncodeFreePage(uint32_t next, char* page);

// Where a tree writer gets its pages and puts them.
class PageSink {
  public:
    virtual ~PageSink() = default;
    virtual Result<uint32_t> Allocate() = 0;
    virtual Status Write(uint32_t offset, const char* page) = 0;
};

// Lays out a sorted stream of entries as a new tree: leaves filled greedily, interior levels
// built as their children complete, so memory stays one page per level.
class TreeWriter {
  public:
    TreeWriter(PageSink& sink, uint16_t keyLength, char fill);
    ~TreeWriter();
    Status Add(std::string_view key, uint32_t recno);
    // Writes what is pending and returns the root page.
    Result<uint32_t> Finish();

  private:
    struct Level;
    Status AddToLevel(size_t level, std::string_view key, uint32_t recno, uint32_t child);
    Status Emit(size_t level, bool root);
    PageSink& FSink;
    uint16_t FKeyLength;
    char FFill;
    std::vector<std::unique_ptr<Level>> FLevels;
    std::vector<char> FPage;
    uint32_t FRoot = NoPage;
};

} // namespace xbase::cdx
