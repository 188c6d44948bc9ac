#include "layout/LayoutClipboard.h"

#include <chrono>
#include <filesystem>

#include "layout/DesignGeometry.h"
#include "platform/ProgramDirectory.h"

namespace corvane {

std::string LayoutClipboard::Folder() const
{
    return FFolder.empty() ? ProgramDirectory() : FFolder;
}

std::string LayoutClipboard::FileName() const
{
    return Folder() + "Clipbrd.tmp";
}

std::string LayoutClipboard::ScratchFileName() const
{
    return Folder() + "TempFile.tmp";
}

bool LayoutClipboard::HasContent() const
{
    std::error_code error;
    return std::filesystem::exists(FileName(), error);
}

void LayoutClipboard::DeleteFiles() const
{
    const std::string folder = Folder();
    std::error_code error;
    std::filesystem::remove(folder + "Clipbrd.tmp", error);
    std::filesystem::remove(folder + "TempFile.tmp", error);
}

int64_t LayoutClipboard::Ticks() const
{
    if (FTicks)
        return FTicks();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool LayoutClipboard::PasteAllowed(int64_t now) const
{
    return !FPasted || now - FLastPaste >= PasteGuardMilliseconds;
}

void LayoutClipboard::RememberPaste(int64_t now)
{
    FPasted = true;
    FLastPaste = now;
}

} // namespace corvane
