#include "CdxNode.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace xbase::cdx {

namespace {

constexpr size_t LeafHeaderSize = 24;
constexpr size_t InteriorHeaderSize = 12;
constexpr size_t InteriorSpace = PageSize - InteriorHeaderSize;

size_t CommonPrefix(const char* a, const char* b, size_t limit)
{
    size_t n = 0;
    while (n + 8 <= limit) {
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        if (x != y)
            break;
        n += 8;
    }
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

// Packs entries one by one into a compact leaf, keeping the running size so that a writer can
// ask "does one more fit?" in constant time.
class LeafPacker {
  public:
    LeafPacker(uint16_t keyLength, char fill) : FKeyLength(keyLength), FFill(fill)
    {
        FBits = static_cast<unsigned>(std::bit_width(unsigned{keyLength}));
        FBaseEntrySize = FBits <= 8 ? 3 : (FBits <= 12 ? 4 : 5);
        Reset();
    }

    void Reset()
    {
        FDups.clear();
        FTrails.clear();
        FPool = 0;
        FMaxRecno = 0;
        FPreviousTrail = 0;
        std::tie(FEntrySize, FRecnoBits) = Layout(0);
    }

    size_t Count() const { return FDups.size(); }

    // `previous` is the entry before `key` in this leaf (nullptr for the first).
    bool TryAdd(const char* previous, const char* key, uint32_t recno)
    {
        size_t trail = 0;
        while (trail < FKeyLength && key[FKeyLength - 1 - trail] == FFill)
            ++trail;
        size_t dup = 0;
        if (previous && !FDups.empty()) {
            // The shared prefix never reaches into either key's dropped trailing bytes: readers
            // that refill them differently then still rebuild the same key.
            dup = CommonPrefix(previous, key, FKeyLength - std::max(FPreviousTrail, trail));
        }
        const size_t fresh = FKeyLength - dup - trail;
        auto layout = recno > FMaxRecno ? Layout(recno) : std::pair{FEntrySize, FRecnoBits};
        if (LeafHeaderSize + (FDups.size() + 1) * layout.first + FPool + fresh > PageSize)
            return false;
        FDups.push_back(static_cast<uint8_t>(dup));
        FTrails.push_back(static_cast<uint8_t>(trail));
        FPool += fresh;
        FMaxRecno = std::max(FMaxRecno, recno);
        std::tie(FEntrySize, FRecnoBits) = layout;
        FPreviousTrail = trail;
        return true;
    }

    // Entries `keys`/`recnos` are the ones added, in order.
    void Write(char* page, const char* keys, const uint32_t* recnos, uint16_t attributes, uint32_t left,
               uint32_t right) const
    {
        std::memset(page, 0, PageSize);
        const size_t count = FDups.size();
        PutLe16(page, attributes);
        PutLe16(page + 2, static_cast<uint16_t>(count));
        PutLe32(page + 4, left);
        PutLe32(page + 8, right);
        size_t poolStart = PageSize;
        for (size_t i = 0; i < count; ++i) {
            const size_t fresh = FKeyLength - FDups[i] - FTrails[i];
            poolStart -= fresh;
            std::memcpy(page + poolStart, keys + i * FKeyLength + FDups[i], fresh);
            const uint64_t value = uint64_t{recnos[i]} | (uint64_t{FDups[i]} << FRecnoBits) |
                                   (uint64_t{FTrails[i]} << (FRecnoBits + FBits));
            char* entry = page + LeafHeaderSize + i * FEntrySize;
            for (size_t b = 0; b < FEntrySize; ++b)
                entry[b] = static_cast<char>(value >> (8 * b));
        }
        PutLe16(page + 12, static_cast<uint16_t>(poolStart - (LeafHeaderSize + count * FEntrySize)));
        PutLe32(page + 14, static_cast<uint32_t>(BitMask(std::min(FRecnoBits, 32u))));
        page[18] = static_cast<char>(BitMask(FBits));
        page[19] = static_cast<char>(BitMask(FBits));
        page[20] = static_cast<char>(FRecnoBits);
        page[21] = static_cast<char>(FBits);
        page[22] = static_cast<char>(FBits);
        page[23] = static_cast<char>(FEntrySize);
    }

  private:
    // Entry size and record-number bits for a page whose largest record number is `maxRecno`.
    std::pair<size_t, unsigned> Layout(uint32_t maxRecno) const
    {
        size_t entrySize = FBaseEntrySize;
        unsigned recnoBits = static_cast<unsigned>(8 * entrySize - 2 * FBits);
        while (recnoBits < 32 && maxRecno > BitMask(recnoBits)) {
            ++entrySize;
            recnoBits += 8;
        }
        return {entrySize, recnoBits};
    }

    uint16_t FKeyLength;
    char FFill;
    unsigned FBits = 0;
    size_t FBaseEntrySize = 3;
    std::vector<uint8_t> FDups;
    std::vector<uint8_t> FTrails;
    size_t FPool = 0;
    uint32_t FMaxRecno = 0;
    size_t FPreviousTrail = 0;
    size_t FEntrySize = 3;
    unsigned FRecnoBits = 0;
};

void WriteInterior(char* page, const char* keys, const uint32_t* recnos, const uint32_t* children,
                   size_t count, uint16_t keyLength, uint16_t attributes, uint32_t left, uint32_t right)
{
    std::memset(page, 0, PageSize);
    PutLe16(page, attributes);
    PutLe16(page + 2, static_cast<uint16_t>(count));
    PutLe32(page + 4, left);
    PutLe32(page + 8, right);
    char* entry = page + InteriorHeaderSize;
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(entry, keys + i * keyLength, keyLength);
        PutBe32(entry + keyLength, recnos[i]);
        PutBe32(entry + keyLength + 4, children[i]);
        entry += keyLength + 8;
    }
}

} // namespace

char FillFor(char keyType)
{
    return keyType == 'C' ? ' ' : '\0';
}

size_t InteriorCapacity(uint16_t keyLength)
{
    return InteriorSpace / (keyLength + 8u);
}

Status DecodeNode(const unsigned char* page, uint32_t offset, uint16_t keyLength, char fill, Node& node,
                  const std::string& where)
{
    auto error = [&](const std::string& what) {
        return Status::Error(where + ": page " + std::to_string(offset) + " " + what);
    };
    node.Offset = offset;
    node.KeyLength = keyLength;
    node.Fill = fill;
    node.Attributes = Le16(page);
    if (node.Attributes > (AttrRoot | AttrLeaf))
        return error("has unknown node type " + std::to_string(node.Attributes));
    const size_t count = Le16(page + 2);
    node.Left = Le32(page + 4);
    node.Right = Le32(page + 8);
    node.Dirty = false;
    node.Keys.assign(count * keyLength, fill);
    node.Recnos.resize(count);
    node.Children.clear();
    if (!node.Leaf()) {
        if (count == 0 || count > InteriorCapacity(keyLength))
            return error("has a bad key count");
        node.Children.resize(count);
        const unsigned char* entry = page + InteriorHeaderSize;
        for (size_t i = 0; i < count; ++i) {
            std::memcpy(node.Keys.data() + i * keyLength, entry, keyLength);
            node.Recnos[i] = Be32(entry + keyLength);
            node.Children[i] = Be32(entry + keyLength + 4);
            entry += keyLength + 8;
        }
        return Status::Success();
    }
    const size_t freeSpace = Le16(page + 12);
    const unsigned recnoBits = page[20];
    const unsigned dupBits = page[21];
    const unsigned trailBits = page[22];
    const size_t entrySize = page[23];
    if (entrySize < 1 || entrySize > 8 || recnoBits < 1 || dupBits > 8 || trailBits > 8 ||
        recnoBits + dupBits + trailBits > 8 * entrySize) {
        return error("has bad bit fields");
    }
    const size_t entriesEnd = LeafHeaderSize + count * entrySize;
    if (entriesEnd > PageSize)
        return error("has too many keys");
    size_t poolStart = PageSize;
    char* key = node.Keys.data();
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* entry = page + LeafHeaderSize + i * entrySize;
        uint64_t value = 0;
        for (size_t b = 0; b < entrySize; ++b)
            value |= static_cast<uint64_t>(entry[b]) << (8 * b);
        const uint64_t recno = value & BitMask(recnoBits);
        const size_t dup = (value >> recnoBits) & BitMask(dupBits);
        const size_t trail = (value >> (recnoBits + dupBits)) & BitMask(trailBits);
        if (dup + trail > keyLength || (i == 0 && dup != 0))
            return error("has a bad duplicate or trailing count");
        if (recno == 0 || recno > NoPage)
            return error("has a bad record number");
        const size_t fresh = keyLength - dup - trail;
        if (poolStart < entriesEnd + fresh)
            return error("has keys that overrun the page");
        poolStart -= fresh;
        char* current = key + i * keyLength;
        if (dup > 0)
            std::memcpy(current, current - keyLength, dup);
        std::memcpy(current + dup, page + poolStart, fresh);
        node.Recnos[i] = static_cast<uint32_t>(recno);
    }
    if (freeSpace != poolStart - entriesEnd)
        return error("has an inconsistent free-space count");
    return Status::Success();
}

bool LeafFits(const Node& node, size_t from, size_t to)
{
    const uint16_t keyLength = node.KeyLength;
    LeafPacker packer(keyLength, node.Fill);
    for (size_t i = from; i < to; ++i) {
        const char* previous = i > from ? node.Keys.data() + (i - 1) * keyLength : nullptr;
        if (!packer.TryAdd(previous, node.Keys.data() + i * keyLength, node.Recnos[i]))
            return false;
    }
    return true;
}

void EncodeFreePage(uint32_t next, char* page)
{
    std::memset(page, 0, PageSize);
    PutLe16(page, 0xFFFF);
    PutLe32(page + 4, next);
}

bool EncodeNode(const Node& node, char* page)
{
    const uint16_t keyLength = node.KeyLength;
    const char fill = node.Fill;
    if (!node.Leaf()) {
        if (node.Count() > InteriorCapacity(keyLength))
            return false;
        WriteInterior(page, node.Keys.data(), node.Recnos.data(), node.Children.data(), node.Count(),
                      keyLength, node.Attributes, node.Left, node.Right);
        return true;
    }
    LeafPacker packer(keyLength, fill);
    for (size_t i = 0; i < node.Count(); ++i) {
        const char* previous = i > 0 ? node.Keys.data() + (i - 1) * keyLength : nullptr;
        if (!packer.TryAdd(previous, node.Keys.data() + i * keyLength, node.Recnos[i]))
            return false;
    }
    packer.Write(page, node.Keys.data(), node.Recnos.data(), node.Attributes, node.Left, node.Right);
    return true;
}

// ---------------------------------------------------------------------------------------------

struct TreeWriter::Level {
    Level(uint16_t keyLength, char fill) : Packer(keyLength, fill) {}
    std::string Keys; // the node being filled
    std::vector<uint32_t> Recnos;
    std::vector<uint32_t> Children;
    LeafPacker Packer;   // leaves only
    std::string Pending; // the node emitted last, written once its right neighbour is known
    uint32_t PendingOffset = NoPage;
};

TreeWriter::TreeWriter(PageSink& sink, uint16_t keyLength, char fill)
    : FSink(sink), FKeyLength(keyLength), FFill(fill), FPage(PageSize)
{
}

TreeWriter::~TreeWriter() = default;

Status TreeWriter::Add(std::string_view key, uint32_t recno)
{
    return AddToLevel(0, key, recno, NoPage);
}

Status TreeWriter::AddToLevel(size_t level, std::string_view key, uint32_t recno, uint32_t child)
{
    if (level == FLevels.size())
        FLevels.push_back(std::make_unique<Level>(FKeyLength, FFill));
    Level* current = FLevels[level].get();
    bool fits;
    if (level == 0) {
        const char* previous =
            current->Recnos.empty() ? nullptr : current->Keys.data() + current->Keys.size() - FKeyLength;
        fits = current->Packer.TryAdd(previous, key.data(), recno);
    } else {
        fits = current->Recnos.size() < InteriorCapacity(FKeyLength);
    }
    if (!fits) {
        if (Status emitted = Emit(level, false); !emitted)
            return emitted;
        current = FLevels[level].get();
        if (level == 0)
            (void)current->Packer.TryAdd(nullptr, key.data(), recno);
    }
    current->Keys.append(key.data(), FKeyLength);
    current->Recnos.push_back(recno);
    if (level > 0)
        current->Children.push_back(child);
    return Status::Success();
}

// Lays out the level's node, writes the one emitted before it (now that its right neighbour
// is known) and hands the node's last entry up. The root is written at once.
Status TreeWriter::Emit(size_t level, bool root)
{
    Level& current = *FLevels[level];
    auto page = FSink.Allocate();
    if (!page)
        return page.ToStatus();
    const uint32_t offset = *page;
    const uint16_t attributes = (level == 0 ? AttrLeaf : 0) | (root ? AttrRoot : 0);
    if (level == 0) {
        current.Packer.Write(FPage.data(), current.Keys.data(), current.Recnos.data(), attributes,
                             current.PendingOffset, NoPage);
    } else {
        WriteInterior(FPage.data(), current.Keys.data(), current.Recnos.data(), current.Children.data(),
                      current.Recnos.size(), FKeyLength, attributes, current.PendingOffset, NoPage);
    }
    if (current.PendingOffset != NoPage) {
        PutLe32(current.Pending.data() + 8, offset);
        if (Status written = FSink.Write(current.PendingOffset, current.Pending.data()); !written)
            return written;
    }
    current.Pending.assign(FPage.data(), PageSize);
    current.PendingOffset = offset;
    if (root) {
        FRoot = offset;
        return FSink.Write(offset, FPage.data());
    }
    std::string lastKey = current.Keys.substr(current.Keys.size() - FKeyLength);
    const uint32_t lastRecno = current.Recnos.back();
    current.Keys.clear();
    current.Recnos.clear();
    current.Children.clear();
    current.Packer.Reset();
    return AddToLevel(level + 1, lastKey, lastRecno, offset);
}

Result<uint32_t> TreeWriter::Finish()
{
    if (FLevels.empty()) {
        // No entries: one empty leaf is the root.
        auto page = FSink.Allocate();
        if (!page)
            return page;
        LeafPacker empty(FKeyLength, FFill);
        empty.Write(FPage.data(), nullptr, nullptr, AttrRoot | AttrLeaf, NoPage, NoPage);
        if (Status written = FSink.Write(*page, FPage.data()); !written)
            return written;
        return *page;
    }
    for (size_t level = 0;; ++level) {
        Level& current = *FLevels[level];
        const bool root = current.PendingOffset == NoPage && level + 1 == FLevels.size();
        if (Status emitted = Emit(level, root); !emitted)
            return emitted;
        if (root)
            return FRoot;
        Level& done = *FLevels[level];
        if (Status written = FSink.Write(done.PendingOffset, done.Pending.data()); !written)
            return written;
    }
}

} // namespace xbase::cdx
