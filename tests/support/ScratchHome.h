#pragma once
// A fresh program directory per test: CORVANE_HOME points at a scratch folder for the test's
// lifetime and is put back afterwards, so tests never see each other's (or the user's) files.

#include <stdlib.h>

#include <optional>
#include <string>

#include "support/ScratchFolder.h"

namespace corvane::testing {

class ScratchHome {
  public:
    ScratchHome()
    {
        if (const char* previous = getenv("CORVANE_HOME"))
            FPrevious = previous;
        setenv("CORVANE_HOME", Path().c_str(), 1);
    }
    ~ScratchHome()
    {
        if (FPrevious) {
            setenv("CORVANE_HOME", FPrevious->c_str(), 1);
        } else {
            unsetenv("CORVANE_HOME");
        }
    }
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    // The folder, ending in "/".
    std::string Path() const { return FFolder.File(""); }
    std::string File(const std::string& name) const { return FFolder.File(name); }

  private:
    xbase::testing::ScratchFolder FFolder;
    std::optional<std::string> FPrevious;
};

} // namespace corvane::testing
