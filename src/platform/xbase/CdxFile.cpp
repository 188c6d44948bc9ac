#include "CdxFile.h"
#include "AsciiCase.h"
#include "FileIo.h"
#include "CdxNode.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string_view>

namespace xbase {

namespace {

constexpr uint32_t PageSize = 512;
constexpr uint32_t HeaderSize = 1024;
constexpr uint32_t NoPage = 0xFFFFFFFF;
constexpr size_t LeafHeaderSize = 24;
constexpr size_t InteriorHeaderSize = 12;
constexpr size_t InteriorSpace = PageSize - InteriorHeaderSize;
constexpr uint16_t DirectoryKeyLength = 10;
constexpr uint16_t MaxKeyLength = 240;

constexpr uint8_t OptionUnique = 0x01;
constexpr uint8_t OptionFor = 0x08;
constexpr uint8_t OptionCompact = 0x20;
constexpr uint8_t OptionCompound = 0x40;
constexpr uint8_t OptionStructure = 0x80;

constexpr uint16_t AttrRoot = 1;
constexpr uint16_t AttrLeaf = 2;

// Our own marks live in bytes that the format reserves and other tools leave alone.
// Bag header 24..35: "CVNX", the table's record count (LE uint32), the dirty byte, 3 zero bytes.
// Tag header 488..491: "CVK" and the key type letter (C, N, D or L). The header itself does not
// say whether an 8-byte key is numeric or text, and the fill byte of trailing compression depends
// on it; tags without this mark (other tools' files) are read as character tags unless the
// caller knows better (LoadTag with a key type).
constexpr size_t StampOffset = 24;
constexpr size_t StampSize = 12;
constexpr char StampMagic[4] = {'C', 'V', 'N', 'X'};
constexpr size_t KeyTypeOffset = 488;
constexpr char KeyTypeMagic[3] = {'C', 'V', 'K'};

// Tag header fields.
constexpr size_t DescendingOffset = 502;
constexpr size_t ForPositionOffset = 504;
constexpr size_t ForLengthOffset = 506;
constexpr size_t KeyPositionOffset = 508;
constexpr size_t KeyLengthOffset = 510;
constexpr size_t PoolOffset = 512;
constexpr size_t PoolSize = HeaderSize - PoolOffset;

using cdx::Be32;
using cdx::FillFor;
using cdx::Le16;
using cdx::Le32;
using cdx::PutLe16;
using cdx::PutLe32;

bool KnownKeyType(char keyType)
{
    return keyType == 'C' || keyType == 'N' || keyType == 'D' || keyType == 'L';
}

Result<CdxTagInfo> ParseTagHeader(const unsigned char* header, uint32_t offset, std::string name,
                                  const std::string& path)
{
        const std::string where = "tag " + name + " header at " + std::to_string(offset);
    CdxTagInfo info;
    info.HeaderOffset = offset;
    TagDefinition& definition = info.Definition;
    definition.Name = std::move(name);
    definition.KeyLength = Le16(header + 12);
    if (definition.KeyLength < 1 || definition.KeyLength > MaxKeyLength) {
        return Status::Error(path + ": " + where + " has key length " + std::to_string(definition.KeyLength));
}
const uint8_t options = header[14];
    if (!(options & OptionCompact)) {
        return Status::Error(path + ": " + where + " is not a compact index tag");
}
definition.Unique = options & OptionUnique;
    definition.Descending = Le16(header + DescendingOffset) != 0;

    auto expression = [&](size_t positionField, size_t lengthField) -> Result<std::string> {
        const size_t position = Le16(header + positionField);
        const size_t length = Le16(header + lengthField);
        if (position > PoolSize || length > PoolSize - position) {
            return Status::Error(path + ": " + where + " has an expression outside its pool");
        }
        const char* start = reinterpret_cast<const char*>(header + PoolOffset + position);
        return std::string(start, strnlen(start, length));
    };
    auto keyExpression = expression(KeyPositionOffset, KeyLengthOffset);
    if (!keyExpression) {
        return keyExpression.ToStatus();
}
if (keyExpression->empty()) {
        return Status::Error(path + ": " + where + " has no key expression");
}
definition.KeyExpression = keyExpression.Take();
    if (options & OptionFor) {
        auto forExpression = expression(ForPositionOffset, ForLengthOffset);
        if (!forExpression) {
            return forExpression.ToStatus();
        }
        definition.ForExpression = forExpression.Take();
}
const char typeLetter = static_cast<char>(header[KeyTypeOffset + 3]);
    if (std::memcmp(header + KeyTypeOffset, KeyTypeMagic, sizeof KeyTypeMagic) == 0 &&
        KnownKeyType(typeLetter)) {
        definition.KeyType = typeLetter;
    }

    return info;
}

// ---------------------------------------------------------------------------------------------
// Reading: every page is checked against the file before it is touched.

class PageReader {
  public:
    PageReader(const std::vector<char>& bytes, const std::string& path)
        : FData(reinterpret_cast<const unsigned char*>(bytes.data())), FSize(bytes.size()), FPath(path)
    {
    }

    size_t PageCount() const { return FSize / PageSize; }

    Status Error(const std::string& what) const { return Status::Error(FPath + ": " + what); }

    // A node page: aligned and wholly inside the file, and not the bag header.
    Result<const unsigned char*> Page(uint32_t offset, const char* role) const
    {
        if (offset == 0 || offset % PageSize != 0 || uint64_t{offset} + PageSize > FSize) {
            return Error(std::string(role) + " page offset " + std::to_string(offset) + " is out of range");
        }
        return FData + offset;
    }

    // The leftmost leaf under `root`, descending through interior nodes.
    Result<uint32_t> LeftmostLeaf(uint32_t root, uint16_t keyLength) const
    {
        uint32_t offset = root;
        for (size_t depth = 0; depth <= PageCount(); ++depth) {
            auto page = Page(offset, "index");
            if (!page) {
                return page.ToStatus();
            }
            const uint16_t attr = Le16(*page);
            if (attr > (AttrRoot | AttrLeaf)) {
                return Error("page " + std::to_string(offset) + " has unknown node type " +
                             std::to_string(attr));
            }
            if (attr & AttrLeaf) {
                return offset;
            }
            const uint16_t count = Le16(*page + 2);
            if (count == 0 || static_cast<size_t>(count) * (keyLength + 8u) > InteriorSpace) {
                return Error("interior page " + std::to_string(offset) + " has a bad key count");
            }
            offset = Be32(*page + InteriorHeaderSize + keyLength + 4);
        }
        return Error("index tree under " + std::to_string(root) + " does not end in a leaf");
    }

    // Calls visit(pageOffset, page) for each leaf from the leftmost one along the right links.
    template <class Visit> Status VisitLeaves(uint32_t root, uint16_t keyLength, Visit&& visit) const
    {
        auto first = LeftmostLeaf(root, keyLength);
        if (!first) {
            return first.ToStatus();
        }
        uint32_t offset = *first;
        for (size_t visited = 0;; ++visited) {
            if (visited >= PageCount()) {
                return Error("leaf chain from " + std::to_string(root) + " loops");
            }
            auto page = Page(offset, "leaf");
            if (!page) {
                return page.ToStatus();
            }
            const uint16_t attr = Le16(*page);
            if (attr > (AttrRoot | AttrLeaf) || !(attr & AttrLeaf)) {
                return Error("page " + std::to_string(offset) + " in a leaf chain is not a leaf");
            }
            Status status = visit(offset, *page);
            if (!status) {
                return status;
            }
            offset = Le32(*page + 8);
            if (offset == NoPage) {
                return Status::Success();
            }
        }
    }

    // Decodes one compact leaf (into `scratch`, reused between pages), calling emit(key, recno)
    // per entry in page order.
    template <class Emit>
    Status DecodeLeaf(uint32_t offset, const unsigned char* page, uint16_t keyLength, char fill,
                      cdx::Node& scratch, Emit&& emit) const
    {
        Status decoded = cdx::DecodeNode(page, offset, keyLength, fill, scratch, FPath);
        if (!decoded) {
            return decoded;
        }
        for (size_t i = 0; i < scratch.Count(); ++i) {
            emit(scratch.Key(i, keyLength), scratch.Recnos[i]);
        }
        return Status::Success();
    }

    Result<CdxTagInfo> TagHeader(uint32_t offset, std::string name) const
    {
        if (offset == 0 || offset % PageSize != 0 || uint64_t{offset} + HeaderSize > FSize) {
            return Error("tag " + name + " header at " + std::to_string(offset) + " is out of range");
        }
        auto parsed = ParseTagHeader(FData + offset, offset, std::move(name), FPath);
        if (!parsed) {
            return parsed;
        }
        CdxTagInfo info = parsed.Take();
        TagDefinition& definition = info.Definition;
        uint64_t keyCount = 0;
        Status counted =
            VisitLeaves(Le32(FData + offset), definition.KeyLength, [&](uint32_t leaf, const unsigned char* page) {
                const size_t entrySize = page[23];
                const size_t count = Le16(page + 2);
                if (entrySize == 0 || LeafHeaderSize + count * entrySize > PageSize) {
                    return Error("leaf page " + std::to_string(leaf) + " has a bad key count");
                }
                keyCount += count;
                return Status::Success();
            });
        if (!counted) {
            return counted;
        }
        info.KeyCount = static_cast<uint32_t>(keyCount);
        return info;
    }

  private:
    const unsigned char* FData;
    size_t FSize;
    const std::string& FPath;
};

void WriteTagHeader(char* header, uint32_t root, const TagDefinition& definition)
{
    PutLe32(header, root);
    PutLe32(header + 4, 0);
    PutLe16(header + 12, definition.KeyLength);
    uint8_t options = OptionCompact | OptionCompound;
    if (!definition.ForExpression.empty()) {
        options |= OptionFor;
    }
    if (definition.Unique) {
        options |= OptionUnique;
    }
    header[14] = static_cast<char>(options);
    header[15] = 1;
    std::memcpy(header + KeyTypeOffset, KeyTypeMagic, sizeof KeyTypeMagic);
    header[KeyTypeOffset + 3] = definition.KeyType;
    PutLe16(header + DescendingOffset, definition.Descending ? 1 : 0);
    const size_t keyLength = definition.KeyExpression.size() + 1;
    const size_t forLength = definition.ForExpression.size() + 1;
    PutLe16(header + ForPositionOffset, static_cast<uint16_t>(keyLength));
    PutLe16(header + ForLengthOffset, static_cast<uint16_t>(forLength));
    PutLe16(header + KeyPositionOffset, 0);
    PutLe16(header + KeyLengthOffset, static_cast<uint16_t>(keyLength));
    std::memcpy(header + PoolOffset, definition.KeyExpression.data(), definition.KeyExpression.size());
    std::memcpy(header + PoolOffset + keyLength, definition.ForExpression.data(),
                definition.ForExpression.size());
}

void PutStamp(char* bytes, const CdxStamp& stamp)
{
    std::memset(bytes, 0, StampSize);
    std::memcpy(bytes, StampMagic, sizeof StampMagic);
    PutLe32(bytes + 4, stamp.RecordCount);
    bytes[8] = stamp.Dirty ? 1 : 0;
}

Status CheckDefinition(const TagDefinition& definition, std::set<std::string>& names)
{
    const std::string name = UpperAscii(definition.Name);
    if (name.empty() || name.size() > DirectoryKeyLength ||
        name.find_first_of(std::string_view(" \0", 2)) != std::string::npos) {
        return Status::Error("tag name \"" + definition.Name + "\" is not 1 to 10 characters without blanks");
    }
    if (!names.insert(name).second) {
        return Status::Error("tag name " + name + " is used twice");
    }
    if (definition.KeyLength < 1 || definition.KeyLength > MaxKeyLength) {
        return Status::Error("tag " + name + ": key length " + std::to_string(definition.KeyLength) +
                             " is outside 1 to 240");
    }
    if (!KnownKeyType(definition.KeyType)) {
        return Status::Error("tag " + name + ": unknown key type");
    }
    const std::string_view nul("\0", 1);
    if (definition.KeyExpression.empty() || definition.KeyExpression.find(nul) != std::string::npos ||
        definition.ForExpression.find(nul) != std::string::npos) {
        return Status::Error("tag " + name + ": bad key or FOR expression");
    }
    if (definition.KeyExpression.size() + definition.ForExpression.size() + 2 > PoolSize) {
        return Status::Error("tag " + name + ": key and FOR expressions are longer than 510 bytes together");
    }
    return Status::Success();
}

// System calls interrupted by a signal (timers, debuggers) are repeated rather than reported.
template <class Call> auto Retrying(Call&& call)
{
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR) {
            return result;
        }
    }
}


bool BagHeaderLooksRight(const unsigned char* header)
{
    const uint8_t options = header[14];
    return Le16(header + 12) == DirectoryKeyLength && (options & OptionCompact) && (options & OptionCompound);
}

} // namespace

// ---------------------------------------------------------------------------------------------

CdxFile::~CdxFile() = default;

Result<std::unique_ptr<CdxFile>> CdxFile::Open(const std::string& path)
{
    std::unique_ptr<CdxFile> file(new CdxFile());
    file->FPath = path;

    const int fd = Retrying([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); });
    if (fd < 0) {
        return Status::Error(SystemError("cannot open index", path));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::Error("cannot read index " + path + ": not a regular file");
    }
    if (info.st_size < static_cast<off_t>(HeaderSize) || info.st_size > static_cast<off_t>(NoPage)) {
        ::close(fd);
        return Status::Error(path + ": not a compound index (size " + std::to_string(info.st_size) + ")");
    }
    file->FBytes.resize(static_cast<size_t>(info.st_size));
    if (!ReadFully(fd, file->FBytes.data(), file->FBytes.size(), 0)) {
        ::close(fd);
        return Status::Error(SystemError("cannot read index", path));
    }
    ::close(fd);

    const auto* bag = reinterpret_cast<const unsigned char*>(file->FBytes.data());
    if (!BagHeaderLooksRight(bag)) {
        return Status::Error(path + ": not a compact compound index");
    }
    if (std::memcmp(bag + StampOffset, StampMagic, sizeof StampMagic) == 0) {
        file->FStamp.Present = true;
        file->FStamp.RecordCount = Le32(bag + StampOffset + 4);
        file->FStamp.Dirty = bag[StampOffset + 8] != 0;
    }

    PageReader reader(file->FBytes, path);
    std::vector<std::pair<std::string, uint32_t>> directory;
    cdx::Node key;
    Status walked =
        reader.VisitLeaves(Le32(bag), DirectoryKeyLength, [&](uint32_t offset, const unsigned char* page) {
            return reader.DecodeLeaf(
                offset, page, DirectoryKeyLength, ' ', key, [&](std::string_view name, uint32_t recno) {
                    const size_t end = name.find_last_not_of(std::string_view(" \0", 2));
                    directory.emplace_back(
                        std::string(name.substr(0, end == std::string_view::npos ? 0 : end + 1)), recno);
                });
        });
    if (!walked) {
        return walked;
    }
    std::set<uint32_t> offsets;
    for (auto& [name, offset] : directory) {
        if (name.empty()) {
            return reader.Error("tag directory holds a blank tag name");
        }
        if (!offsets.insert(offset).second) {
            return reader.Error("two tags share the header at " + std::to_string(offset));
        }
        auto tag = reader.TagHeader(offset, name);
        if (!tag) {
            return tag.ToStatus();
        }
        file->FTags.push_back(tag.Take());
    }
    std::sort(file->FTags.begin(), file->FTags.end(),
              [](const CdxTagInfo& a, const CdxTagInfo& b) { return a.HeaderOffset < b.HeaderOffset; });
    return file;
}

Result<TagIndex> CdxFile::LoadTag(size_t tagNumber) const
{
    if (tagNumber >= FTags.size()) {
        return Result<TagIndex>::Error(FPath + ": no tag number " + std::to_string(tagNumber));
    }
    return LoadTag(tagNumber, FTags[tagNumber].Definition.KeyType);
}

Result<TagIndex> CdxFile::LoadTag(size_t tagNumber, char keyType) const
{
    if (tagNumber >= FTags.size()) {
        return Result<TagIndex>::Error(FPath + ": no tag number " + std::to_string(tagNumber));
    }
    const CdxTagInfo& info = FTags[tagNumber];
    TagDefinition definition = info.Definition;
    definition.KeyType = keyType;
    const char fill = FillFor(keyType);
    TagIndex index(definition);
    index.Reserve(info.KeyCount);

    PageReader reader(FBytes, FPath);
    const auto* header = reinterpret_cast<const unsigned char*>(FBytes.data()) + info.HeaderOffset;
    cdx::Node key;
    Status walked = reader.VisitLeaves(
        Le32(header), definition.KeyLength, [&](uint32_t offset, const unsigned char* page) {
            return reader.DecodeLeaf(
                offset, page, definition.KeyLength, fill, key,
                [&](std::string_view k, uint32_t recno) { index.AppendUnsorted(k, recno); });
        });
    if (!walked) {
        return walked;
    }
    index.Settle();
    return index;
}

Status CdxFile::Write(const std::string& path, const std::vector<const TagIndex*>& tags,
                      const CdxStamp& stamp)
{
    std::vector<TagDefinition> definitions;
    for (const TagIndex* tag : tags) {
        if (tag == nullptr) {
            return Status::Error("cannot write index " + path + ": missing tag");
        }
        definitions.push_back(tag->Definition());
    }
    return Write(path, definitions, [&](size_t i) -> Result<const TagIndex*> { return tags[i]; }, stamp);
}

namespace {

// Pages of a new file, in order of allocation from a first offset; written with pwrite.
class FileSink : public cdx::PageSink {
  public:
    FileSink(int fd, const std::string& path, uint64_t next, uint64_t limit)
        : FFd(fd), FPath(path), FNext(next), FLimit(limit)
    {
    }
    Result<uint32_t> Allocate() override
    {
        if (FNext + PageSize > FLimit) {
            return Status::Error("cannot write index " + FPath + ": larger than 4 GB");
        }
        const uint64_t page = FNext;
        FNext += PageSize;
        return static_cast<uint32_t>(page);
    }
    Status Write(uint32_t offset, const char* page) override
    {
        return WriteFully(FFd, page, PageSize, offset, FPath);
    }
    uint64_t Next() const { return FNext; }
    void Skip(uint64_t bytes) { FNext += bytes; }

  private:
    int FFd;
    const std::string& FPath;
    uint64_t FNext;
    uint64_t FLimit;
};

// Counts the pages a tree would take.
class CountingSink : public cdx::PageSink {
  public:
    Result<uint32_t> Allocate() override { return static_cast<uint32_t>(HeaderSize + PageSize * FPages++); }
    Status Write(uint32_t, const char*) override { return Status::Success(); }
    size_t Pages() const { return FPages; }

  private:
    size_t FPages = 0;
};

} // namespace

Status CdxFile::WriteTemporary(const std::string& path, const std::vector<TagDefinition>& definitions,
                               const std::function<Result<const TagIndex*>(size_t)>& produce, const CdxStamp& stamp)
{
    std::set<std::string> names;
    for (const TagDefinition& definition : definitions) {
        Status valid = CheckDefinition(definition, names);
        if (!valid) {
            return Status::Error("cannot write index " + path + ": " + valid.Message());
        }
    }
    // The tag directory sits right after the bag header and before the tags whose header
    // offsets it holds: room is kept for it as if every offset were as large as can be.
    std::vector<std::string> directoryNames;
    for (const TagDefinition& definition : definitions) {
        std::string name = UpperAscii(definition.Name);
        name.resize(DirectoryKeyLength, ' ');
        directoryNames.push_back(name);
    }
    std::vector<size_t> directoryOrder(definitions.size());
    for (size_t i = 0; i < directoryOrder.size(); ++i) {
        directoryOrder[i] = i;
    }
    std::sort(directoryOrder.begin(), directoryOrder.end(),
              [&](size_t a, size_t b) { return directoryNames[a] < directoryNames[b]; });
    size_t directoryPages = 0;
    {
        CountingSink counting;
        cdx::TreeWriter directory(counting, DirectoryKeyLength, ' ');
        for (size_t i : directoryOrder) {
            if (Status added = directory.Add(directoryNames[i], NoPage - HeaderSize + 1); !added) {
                return added;
            }
        }
        if (auto root = directory.Finish(); !root) {
            return root.ToStatus();
        }
        directoryPages = counting.Pages();
    }

    const std::string temporary = TemporaryPath(path);
    const int fd =
        Retrying([&] { return ::open(temporary.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644); });
    if (fd < 0) {
        return Status::Error(SystemError("cannot create", temporary));
    }
    auto fail = [&](const Status& status) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return status;
    };
    FileSink sink(fd, path, HeaderSize + directoryPages * PageSize, uint64_t{NoPage} + 1);
    std::vector<uint32_t> headerOffsets;
    std::vector<char> header(HeaderSize);
    for (size_t i = 0; i < definitions.size(); ++i) {
        const TagDefinition& definition = definitions[i];
        const uint64_t headerOffset = sink.Next();
        if (headerOffset + HeaderSize > NoPage) {
            return fail(Status::Error("cannot write index " + path + ": larger than 4 GB"));
        }
        sink.Skip(HeaderSize);
        auto tag = produce(i);
        if (!tag) {
            return fail(tag.ToStatus());
        }
        cdx::TreeWriter writer(sink, definition.KeyLength, FillFor(definition.KeyType));
        const TagIndex& keys = **tag;
        const size_t count = keys.Size();
        for (size_t k = 0; k < count; ++k) {
            if (Status added = writer.Add(keys.KeyAt(k), keys.RecnoAt(k)); !added) {
                return fail(added);
            }
        }
        auto root = writer.Finish();
        if (!root) {
            return fail(root.ToStatus());
        }
        std::fill(header.begin(), header.end(), '\0');
        WriteTagHeader(header.data(), *root, definition);
        if (Status written = WriteFully(fd, header.data(), HeaderSize, headerOffset, temporary); !written) {
            return fail(written);
        }
        headerOffsets.push_back(static_cast<uint32_t>(headerOffset));
    }
    // The directory in its room; pages it does not need stay zero and unused.
    FileSink directorySink(fd, path, HeaderSize, HeaderSize + directoryPages * PageSize);
    cdx::TreeWriter directory(directorySink, DirectoryKeyLength, ' ');
    for (size_t i : directoryOrder) {
        if (Status added = directory.Add(directoryNames[i], headerOffsets[i]); !added) {
            return fail(added);
        }
    }
    auto directoryRoot = directory.Finish();
    if (!directoryRoot) {
        return fail(directoryRoot.ToStatus());
    }

    // The bag header: a tag header whose tree is the directory, with an empty expression pool.
    std::vector<char> bagBytes(HeaderSize, '\0');
    char* bag = bagBytes.data();
    PutLe32(bag, *directoryRoot);
    PutLe16(bag + 12, DirectoryKeyLength);
    bag[14] = static_cast<char>(OptionCompact | OptionCompound | OptionStructure);
    bag[15] = 1;
    PutStamp(bag + StampOffset, stamp);
    PutLe16(bag + ForPositionOffset, 1);
    PutLe16(bag + ForLengthOffset, 1);
    PutLe16(bag + KeyPositionOffset, 0);
    PutLe16(bag + KeyLengthOffset, 1);
    Status written = WriteFully(fd, bag, HeaderSize, 0, temporary);
    // A file that ends in unused directory room still has its full length.
    if (written && Retrying([&] { return ::ftruncate(fd, static_cast<off_t>(sink.Next())); }) != 0) {
        written = Status::Error(SystemError("cannot write", temporary));
    }
    if (written && Retrying([&] { return ::fsync(fd); }) != 0) {
        written = Status::Error(SystemError("cannot sync", temporary));
    }
    if (::close(fd) != 0 && written) {
        written = Status::Error(SystemError("cannot close", temporary));
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return written;
    }
    return Status::Success();
}

Status CdxFile::Write(const std::string& path, const std::vector<TagDefinition>& definitions,
                      const std::function<Result<const TagIndex*>(size_t)>& produce, const CdxStamp& stamp)
{
    if (Status written = WriteTemporary(path, definitions, produce, stamp); !written) {
        return written;
    }
    const std::string temporary = TemporaryPath(path);
    if (Retrying([&] { return ::rename(temporary.c_str(), path.c_str()); }) != 0) {
        Status failed = Status::Error(SystemError("cannot replace", path));
        ::unlink(temporary.c_str());
        return failed;
    }
    return SyncDirectoryOf(path);
}

std::string CdxFile::TemporaryPath(const std::string& path)
{
    return path + ".tmp";
}

Status CdxFile::ReadTagHeader(int fd, uint64_t fileSize, uint32_t offset, const std::string& name,
                              const std::string& path, CdxTagInfo& info)
{
    if (offset == 0 || offset % PageSize != 0 || uint64_t{offset} + HeaderSize > fileSize) {
        return Status::Error(path + ": tag " + name + " header at " + std::to_string(offset) + " is out of range");
    }
    unsigned char header[HeaderSize];
    if (!ReadFully(fd, header, HeaderSize, offset)) {
        return Status::Error(SystemError("cannot read index", path));
    }
    auto parsed = ParseTagHeader(header, offset, name, path);
    if (!parsed) {
        return parsed.ToStatus();
    }
    info = parsed.Take();
    return Status::Success();
}

void CdxFile::FormatTagHeader(char* header, uint32_t root, const TagDefinition& definition)
{
    WriteTagHeader(header, root, definition);
}

Status CdxFile::WriteStamp(const std::string& path, const CdxStamp& stamp)
{
    const int fd = Retrying([&] { return ::open(path.c_str(), O_RDWR | O_CLOEXEC); });
    if (fd < 0) {
        return Status::Error(SystemError("cannot open index", path));
    }
    unsigned char header[HeaderSize];
    const ssize_t got = Retrying([&] { return ::pread(fd, header, sizeof header, 0); });
    if (got != static_cast<ssize_t>(sizeof header) || !BagHeaderLooksRight(header)) {
        ::close(fd);
        return Status::Error(path + ": not a compact compound index");
    }
    char bytes[StampSize];
    PutStamp(bytes, stamp);
    Status status;
    if (Retrying([&] { return ::pwrite(fd, bytes, sizeof bytes, StampOffset); }) !=
        static_cast<ssize_t>(sizeof bytes)) {
        status = Status::Error(SystemError("cannot write stamp of", path));
    } else if (Retrying([&] { return ::fdatasync(fd); }) != 0) {
        status = Status::Error(SystemError("cannot sync", path));
    }
    ::close(fd);
    return status;
}

} // namespace xbase
