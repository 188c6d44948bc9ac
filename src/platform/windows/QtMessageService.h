#pragma once
// The program's message boxes on screen: the window implementation of MessageService, installed
// by the program at start (SetMessageService) so that logic code reaches the user through
// ShowInfo / AskYesNo / AskYesNoDefaultNo.

#include "platform/MessageService.h"

namespace corvane {

class QtMessageService : public MessageService {
  public:
    // Information box captioned "Information" with an OK button.
    void ShowInfo(const std::string& text) override;
    // Yes and No, Yes the default.
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    // Yes and No, No the default.
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override;
    void Beep() override;
};

} // namespace corvane
