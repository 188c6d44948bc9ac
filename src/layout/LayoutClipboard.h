#pragma once
// The clipboard of the design panels: one file shared by every panel of the program (the program
// directory's "Clipbrd.tmp") with a scratch file beside it ("TempFile.tmp"), both removed when a
// panel goes, and a panel's guard against pasting twice within a second (key repeat).

#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

class LayoutClipboard {
  public:
    // The folder of the files (ending in "/"); the program directory unless set.
    void SetFolder(const std::string& folder) { FFolder = folder; }
    std::string FileName() const;
    std::string ScratchFileName() const;
    bool HasContent() const;
    // Removes both files; a file that is missing or cannot be removed is no error.
    void DeleteFiles() const;

    // Milliseconds of a monotonic clock; tests replace it.
    void SetTickSource(std::function<int64_t()> ticks) { FTicks = std::move(ticks); }
    int64_t Ticks() const;
    // Whether a paste may run now: the first always may, later ones a second after the last.
    bool PasteAllowed(int64_t now) const;
    void RememberPaste(int64_t now);

  private:
    std::string Folder() const;

    std::string FFolder;
    std::function<int64_t()> FTicks;
    bool FPasted = false;
    int64_t FLastPaste = 0;
};

} // namespace corvane
