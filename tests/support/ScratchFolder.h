#pragma once
// A fresh temporary folder per test, removed with everything in it afterwards, and small file
// helpers for byte-level checks.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace xbase::testing {

class ScratchFolder {
  public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-xbase-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            FPath = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!FPath.empty())
            std::filesystem::remove_all(FPath, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return FPath + "/" + name; }

  private:
    std::string FPath;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace xbase::testing
