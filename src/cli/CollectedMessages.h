#pragma once
// The batch tool reports each failure on one stderr line. The core tells the user things through
// ShowInfo, sometimes twice for one failure ("Unable to create index files", then "File creation
// failed"); this service keeps those texts while a command runs so that the command prints them
// together with the engine's reason on a single line. Questions are answered No.

#include <string>
#include <vector>

#include "platform/MessageService.h"

namespace corvane::cli {

class CollectedMessages : public MessageService {
  public:
    CollectedMessages() : FInstalled(*this) {}

    void ShowInfo(const std::string& text) override { FTexts.push_back(text); }
    bool AskYesNo(const std::string& text, const std::string& caption) override { return false; }
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override { return false; }

    // The collected texts and then `reason` (unless it repeats one of them), as one line.
    std::string Line(const std::string& reason) const
    {
        std::string line;
        bool reasonShown = reason.empty();
        for (const std::string& text : FTexts) {
            if (!line.empty())
                line += ": ";
            line += text;
            reasonShown = reasonShown || text == reason;
        }
        if (!reasonShown)
            line += line.empty() ? reason : " (" + reason + ")";
        for (char& c : line) {
            if (c == '\n' || c == '\r')
                c = ' ';
        }
        return line;
    }

  private:
    std::vector<std::string> FTexts;
    ScopedMessageService FInstalled;
};

} // namespace corvane::cli
