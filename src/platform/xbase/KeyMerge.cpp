#include "KeyMerge.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "FileIo.h"

namespace xbase {

namespace {

constexpr size_t ReadBuffer = size_t{256} << 10;

// One sorted source of (key, recno) entries.
class Source {
  public:
    virtual ~Source() = default;
    bool Valid() const { return FValid; }
    std::string_view Key() const { return FKey; }
    uint32_t Recno() const { return FRecno; }
    virtual Status Advance() = 0;

  protected:
    bool FValid = false;
    std::string_view FKey;
    uint32_t FRecno = 0;
};

class TreeSource : public Source {
  public:
    explicit TreeSource(CdxTree& tree) : FTree(tree) {}
    Status Start()
    {
        auto first = FTree.First(FCursor);
        if (!first)
            return first.ToStatus();
        Load(*first);
        return Status::Success();
    }
    Status Advance() override
    {
        auto next = FTree.Next(FCursor);
        if (!next)
            return next.ToStatus();
        Load(*next);
        return Status::Success();
    }

  private:
    void Load(bool valid)
    {
        FValid = valid;
        if (!valid)
            return;
        FKey = FTree.KeyAt(FCursor);
        FRecno = FTree.RecnoAt(FCursor);
    }
    CdxTree& FTree;
    CdxTree::Cursor FCursor;
};

class BatchSource : public Source {
  public:
    explicit BatchSource(const TagIndex& batch) : FBatch(batch) { Load(); }
    Status Advance() override
    {
        ++FNext;
        Load();
        return Status::Success();
    }

  private:
    void Load()
    {
        FValid = FNext < FBatch.Size();
        if (!FValid)
            return;
        FKey = FBatch.KeyAt(FNext);
        FRecno = FBatch.RecnoAt(FNext);
    }
    const TagIndex& FBatch;
    size_t FNext = 0;
};

class RunSource : public Source {
  public:
    RunSource(int fd, uint64_t count, uint16_t keyLength) : FFd(fd), FLeft(count), FEntry(keyLength + 4u) {}
    Status Advance() override
    {
        if (FLeft == 0) {
            FValid = false;
            return Status::Success();
        }
        if (FAt + FEntry > FBuffer.size()) {
            const uint64_t want = std::min<uint64_t>(ReadBuffer / FEntry, FLeft) * FEntry;
            FBuffer.resize(want);
            if (!ReadFully(FFd, FBuffer.data(), want, FOffset)) {
                return Status::Error(SystemError("Cannot read back the sorted keys of", "a temporary file"));
            }
            FOffset += want;
            FAt = 0;
        }
        const char* entry = FBuffer.data() + FAt;
        FKey = std::string_view(entry, FEntry - 4);
        uint32_t recno;
        std::memcpy(&recno, entry + FEntry - 4, 4);
        FRecno = recno;
        FAt += FEntry;
        --FLeft;
        FValid = true;
        return Status::Success();
    }

  private:
    int FFd;
    uint64_t FLeft;
    size_t FEntry;
    std::string FBuffer;
    size_t FAt = 0;
    uint64_t FOffset = 0;
};

} // namespace

KeyRuns::KeyRuns(std::string folder, uint16_t keyLength) : FFolder(std::move(folder)), FKeyLength(keyLength)
{
}

KeyRuns::~KeyRuns()
{
    for (const Run& run : FRuns)
        ::close(run.Fd);
}

Status KeyRuns::Spill(const TagIndex& batch)
{
    const size_t count = batch.Size();
    if (count == 0)
        return Status::Success();
    // Unnamed: nothing is left behind whatever happens to the process.
    const int fd = ::open(FFolder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0)
        return Status::Error(SystemError("Cannot make a temporary file in", FFolder));
    const size_t entry = FKeyLength + 4u;
    std::string buffer;
    buffer.reserve(std::min<size_t>(count, ReadBuffer / entry + 1) * entry);
    uint64_t offset = 0;
    for (size_t i = 0; i < count; ++i) {
        buffer.append(batch.KeyAt(i));
        const uint32_t recno = batch.RecnoAt(i);
        buffer.append(reinterpret_cast<const char*>(&recno), 4);
        if (buffer.size() >= ReadBuffer || i + 1 == count) {
            if (Status written = WriteFully(fd, buffer.data(), buffer.size(), offset, FFolder); !written) {
                ::close(fd);
                return written;
            }
            offset += buffer.size();
            buffer.clear();
        }
    }
    FRuns.push_back({fd, count});
    return Status::Success();
}

Status KeyRuns::MergeInto(CdxTree& tree, const TagIndex* batch, bool unique)
{
    std::vector<std::unique_ptr<Source>> sources;
    auto old = std::make_unique<TreeSource>(tree);
    if (Status started = old->Start(); !started)
        return started;
    sources.push_back(std::move(old));
    for (const Run& run : FRuns) {
        auto source = std::make_unique<RunSource>(run.Fd, run.Count, FKeyLength);
        if (Status started = source->Advance(); !started)
            return started;
        sources.push_back(std::move(source));
    }
    if (batch)
        sources.push_back(std::make_unique<BatchSource>(*batch));
    // A heap of the sources by their current entry: each entry costs a few comparisons however
    // many runs there are.
    auto after = [](const Source* a, const Source* b) {
        const int order = a->Key().compare(b->Key());
        return order > 0 || (order == 0 && a->Recno() > b->Recno());
    };
    std::vector<Source*> heap;
    for (auto& source : sources) {
        if (source->Valid())
            heap.push_back(source.get());
    }
    std::make_heap(heap.begin(), heap.end(), after);
    std::string last;
    bool emitted = false;
    Status merged = tree.Rebuild([&](std::string& key, uint32_t& recno) -> Result<bool> {
        while (!heap.empty()) {
            std::pop_heap(heap.begin(), heap.end(), after);
            Source* least = heap.back();
            key.assign(least->Key());
            recno = least->Recno();
            if (Status advanced = least->Advance(); !advanced)
                return advanced;
            if (least->Valid()) {
                std::push_heap(heap.begin(), heap.end(), after);
            } else {
                heap.pop_back();
            }
            // A unique tag keeps the first record that brought a key: the lowest number, since
            // appended records come after every record the tag already holds.
            if (unique && emitted && key == last)
                continue;
            if (unique)
                last = key;
            emitted = true;
            return true;
        }
        return false;
    });
    for (const Run& run : FRuns)
        ::close(run.Fd);
    FRuns.clear();
    return merged;
}

} // namespace xbase
