#pragma once
// Pages of a run without a printer: each page a recording surface, so tests read back what was
// drawn where, in inches. Abort() makes the device give up as a printer's Cancel does.

#include <memory>
#include <vector>

#include "layout/PageTarget.h"
#include "layout/RecordingSurface.h"

namespace corvane::testing {

// Pages as recording surfaces.
class RecordedPages : public PageTarget {
  public:
    RecordedPages() { FPages.push_back(std::make_unique<RecordingSurface>(600.0, 1)); }
    PrintSurface& Surface() override { return *FPages.back(); }
    bool NewPage() override
    {
        if (FAborted)
            return false;
        FPages.push_back(std::make_unique<RecordingSurface>(600.0, static_cast<int>(FPages.size()) + 1));
        return true;
    }
    int PageNumber() const override { return static_cast<int>(FPages.size()); }
    bool Aborted() const override { return FAborted; }
    void Abort() { FAborted = true; }

    int PageCount() const { return static_cast<int>(FPages.size()); }
    const RecordingSurface& Page(int index) const { return *FPages[static_cast<size_t>(index)]; }

  private:
    std::vector<std::unique_ptr<RecordingSurface>> FPages;
    bool FAborted = false;
};

} // namespace corvane::testing
