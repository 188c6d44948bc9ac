// Opens arbitrary bytes as a compound index, loads every tag (as text and as numeric keys) and
// steps through its keys; whatever loads is written anew and must read back the same. A
// malformed file must give an error result without reading outside the file.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/xbase/CdxFile.h"

namespace {

std::string ScratchPath(const char* name)
{
    return std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/corvane-fuzz-cdx-" +
           std::to_string(getpid()) + "-" + name;
}

bool WriteInput(const std::string& path, const uint8_t* data, size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const bool ok = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    return ok;
}

void Walk(const xbase::TagIndex& tag)
{
    const size_t keyLength = tag.Definition().KeyLength;
    for (size_t i = 0; i < tag.Size(); ++i) {
        if (tag.KeyAt(i).size() != keyLength || tag.RecnoAt(i) == 0) {
            abort();
        }
        if (i > 0 && tag.KeyAt(i - 1) > tag.KeyAt(i)) {
            abort();
        }
    }
    if (tag.Size() > 0) {
        const std::string first(tag.KeyAt(0));
        if (tag.LowerBound(first) != 0 || tag.Find(first, tag.RecnoAt(0)) != 0) {
            abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string input = ScratchPath("in.cdx");
    static const std::string copy = ScratchPath("copy.cdx");
    static const bool cleanupRegistered = std::atexit([] {
                                              ::unlink(input.c_str());
                                              ::unlink(copy.c_str());
                                          }) == 0;
    (void)cleanupRegistered;
    if (!WriteInput(input, data, size)) {
        return 0;
    }
    auto file = xbase::CdxFile::Open(input);
    if (!file) {
        return 0;
    }
    std::vector<xbase::TagIndex> loaded;
    for (size_t i = 0; i < (*file)->Tags().size(); ++i) {
        auto asNumbers = (*file)->LoadTag(i, 'N');
        if (asNumbers) {
            Walk(*asNumbers);
        }
        auto tag = (*file)->LoadTag(i);
        if (!tag) {
            continue;
        }
        if (tag->Size() != (*file)->Tags()[i].KeyCount && !tag->Definition().Unique) {
            abort();
        }
        Walk(*tag);
        loaded.push_back(tag.Take());
    }

    std::vector<const xbase::TagIndex*> tags;
    for (const auto& tag : loaded) {
        tags.push_back(&tag);
    }
    if (!xbase::CdxFile::Write(copy, tags, {true, true, 42})) {
        return 0;
    }
    auto again = xbase::CdxFile::Open(copy);
    if (!again) {
        std::fprintf(stderr, "rewritten index does not open: %s\n", again.Message().c_str());
        abort();
    }
    if ((*again)->Tags().size() != tags.size() || !(*again)->Stamp().Present) {
        abort();
    }
    for (size_t i = 0; i < tags.size(); ++i) {
        auto tag = (*again)->LoadTag(i);
        if (!tag) {
            std::fprintf(stderr, "rewritten tag does not load: %s\n", tag.Message().c_str());
            abort();
        }
        if (tag->Size() != tags[i]->Size()) {
            abort();
        }
        for (size_t k = 0; k < tag->Size(); ++k) {
            if (tag->KeyAt(k) != tags[i]->KeyAt(k) || tag->RecnoAt(k) != tags[i]->RecnoAt(k)) {
                abort();
            }
        }
    }
    return 0;
}
