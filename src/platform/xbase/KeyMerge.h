#pragma once
// Keys of appended records on their way into a tag: sorted batches spilled to unnamed temporary
// files beside the table (so memory stays bounded however many records are appended), and the
// one pass that merges those runs, the batch still in memory and the tag's present entries into
// a new tree.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CdxStore.h"
#include "Result.h"
#include "TagIndex.h"

namespace xbase {

class KeyRuns {
  public:
    KeyRuns(std::string folder, uint16_t keyLength);
    ~KeyRuns();
    KeyRuns(const KeyRuns&) = delete;
    KeyRuns& operator=(const KeyRuns&) = delete;

    bool Empty() const { return FRuns.empty(); }
    // Writes the sorted entries of `batch` as one more run.
    Status Spill(const TagIndex& batch);
    // Replaces `tree` by the merge of its entries, the runs and `batch` (sorted; may be null), in
    // machine order; a unique tag keeps the first record of each key. The runs are gone after.
    Status MergeInto(CdxTree& tree, const TagIndex* batch, bool unique);

  private:
    struct Run {
        int Fd = -1;
        uint64_t Count = 0;
    };
    std::string FFolder;
    uint16_t FKeyLength;
    std::vector<Run> FRuns;
};

} // namespace xbase
