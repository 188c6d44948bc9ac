#include "platform/MessageService.h"

#include <iostream>

namespace corvane {

namespace {

class StderrMessageService : public MessageService {
  public:
    void ShowInfo(const std::string& text) override { std::cerr << text << '\n'; }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        std::cerr << caption << ": " << text << " (answered No)\n";
        return false;
    }
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override
    {
        return AskYesNo(text, caption);
    }
};

StderrMessageService DefaultService;
MessageService* Installed = nullptr;

} // namespace

void SetMessageService(MessageService* service)
{
    Installed = service;
}

MessageService& CurrentMessageService()
{
    return Installed ? *Installed : DefaultService;
}

void ShowInfo(const std::string& text)
{
    CurrentMessageService().ShowInfo(text);
}

bool AskYesNo(const std::string& text, const std::string& caption)
{
    return CurrentMessageService().AskYesNo(text, caption);
}

bool AskYesNoDefaultNo(const std::string& text, const std::string& caption)
{
    return CurrentMessageService().AskYesNoDefaultNo(text, caption);
}

void Beep()
{
    CurrentMessageService().Beep();
}

void RecordingMessageService::ShowInfo(const std::string& text)
{
    Messages.push_back({Message::Kind::Info, text, "Information"});
}

bool RecordingMessageService::AskYesNo(const std::string& text, const std::string& caption)
{
    Messages.push_back({Message::Kind::YesNo, text, caption});
    return NextAnswer();
}

bool RecordingMessageService::AskYesNoDefaultNo(const std::string& text, const std::string& caption)
{
    Messages.push_back({Message::Kind::YesNoDefaultNo, text, caption});
    return NextAnswer();
}

std::vector<std::string> RecordingMessageService::Texts() const
{
    std::vector<std::string> texts;
    for (const Message& message : Messages)
        texts.push_back(message.Text);
    return texts;
}

bool RecordingMessageService::NextAnswer()
{
    if (Answers.empty())
        return false;
    bool answer = Answers.front();
    Answers.erase(Answers.begin());
    return answer;
}

ScopedMessageService::ScopedMessageService(MessageService& service) : FPrevious(Installed)
{
    Installed = &service;
}

ScopedMessageService::~ScopedMessageService()
{
    Installed = FPrevious;
}

} // namespace corvane
