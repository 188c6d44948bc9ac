#pragma once
// Compound index files (.CDX) in the compact FoxPro format: a bag header whose tree is the tag
// directory, one 1024-byte header per tag with its key and FOR expressions, interior nodes with
// full keys and big-endian pointers, and compact leaves with record-number/duplicate/trailing
// bit fields. Reads files written by other tools; writes the whole file anew (bulk build) into
// a temporary file that replaces the old one by rename, so a crash leaves either the old or the
// new index.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Result.h"
#include "TagIndex.h"

namespace xbase {

// What we keep in the bag header's reserved bytes so that an index can be checked against its
// table when it is opened. Files from other tools have none.
struct CdxStamp {
    bool Present = false;
    bool Dirty = false;          // set while the table has changes the index file lacks
    uint32_t RecordCount = 0;    // the table's record count when the index was written
};

struct CdxTagInfo {
    TagDefinition Definition;
    uint32_t HeaderOffset = 0;
    uint32_t KeyCount = 0;  // counted over the leaf chain without decoding keys
};

class CdxFile {
public:
    ~CdxFile();
    CdxFile(const CdxFile&) = delete;
    CdxFile& operator=(const CdxFile&) = delete;

    // Reads the directory and every tag header, and counts each tag's keys. Cheap: leaves are
    // decoded only by LoadTag. Every page read is bounds-checked; a malformed file is an error.
    static Result<std::unique_ptr<CdxFile>> Open(const std::string& path);

    // Tags in the order of their headers in the file (creation order).
    const std::vector<CdxTagInfo>& Tags() const { return FTags; }
    const CdxStamp& Stamp() const { return FStamp; }
    Result<TagIndex> LoadTag(size_t tagNumber) const;
    // The same with the key type the caller derived from the key expression. Files from other
    // tools do not record whether an 8-byte key is text or a number, and the byte that refills
    // compressed trailing bytes depends on it (blank for text, zero otherwise); Tags() reports
    // 'C' for such tags.
    Result<TagIndex> LoadTag(size_t tagNumber, char keyType) const;

    // Writes all tags (in the given order) to `path` through "<path>.tmp" + rename, with the stamp.
    static Status Write(const std::string& path, const std::vector<const TagIndex*>& tags, const CdxStamp& stamp);
    // The same with the tags' keys made one at a time (`produce(i)` for definitions[i]), so that
    // only one tag's keys are held at once.
    static Status Write(const std::string& path, const std::vector<TagDefinition>& definitions,
                        const std::function<Result<const TagIndex*>(size_t)>& produce, const CdxStamp& stamp);
    // Writes TemporaryPath(path), complete and synced, and leaves the rename to the caller.
    static Status WriteTemporary(const std::string& path, const std::vector<TagDefinition>& definitions,
                                 const std::function<Result<const TagIndex*>(size_t)>& produce,
                                 const CdxStamp& stamp);
    static std::string TemporaryPath(const std::string& path);
    // One tag header of an open file, checked.
    static Status ReadTagHeader(int fd, uint64_t fileSize, uint32_t offset, const std::string& name,
                                const std::string& path, CdxTagInfo& info);
    // A tag header for a tree whose root is `root` (1024 bytes, zeroed by the caller).
    static void FormatTagHeader(char* header, uint32_t root, const TagDefinition& definition);
    // Rewrites only the stamp of an existing file in place (one sector), durably.
    static Status WriteStamp(const std::string& path, const CdxStamp& stamp);

private:
    CdxFile() = default;
    std::string FPath;
    std::vector<char> FBytes;
    std::vector<CdxTagInfo> FTags;
    CdxStamp FStamp;
};

}  // namespace xbase
