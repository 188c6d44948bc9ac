#pragma once
// The program's three message boxes, behind one interface so that logic can tell the user
// something without knowing about windows, and tests can record the texts and answer questions.

#include <string>
#include <vector>

namespace corvane {

class MessageService {
  public:
    virtual ~MessageService() = default;
    // Information box captioned "Information" with an OK button.
    virtual void ShowInfo(const std::string& text) = 0;
    // Question with Yes and No; Yes is the default button.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // The same with No as the default button.
    virtual bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) = 0;
    // The system's warning sound before a question the user should not answer by habit; nothing
    // where there is no one to hear it.
    virtual void Beep() {}
};

// The service the free functions below use. The program installs its message boxes at start;
// until then (and in the batch tool) texts go to stderr and questions are answered No.
void SetMessageService(MessageService* service);
MessageService& CurrentMessageService();

void ShowInfo(const std::string& text);
bool AskYesNo(const std::string& text, const std::string& caption);
bool AskYesNoDefaultNo(const std::string& text, const std::string& caption);
void Beep();

// For tests: records every text and answers questions from a queue (No when it runs out).
class RecordingMessageService : public MessageService {
  public:
    struct Message {
        enum class Kind { Info, YesNo, YesNoDefaultNo } MessageKind;
        std::string Text;
        std::string Caption;
    };
    void ShowInfo(const std::string& text) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override;
    void Beep() override { Beeps.push_back(Messages.size()); }

    // The texts shown or asked, in order.
    std::vector<std::string> Texts() const;

    std::vector<Message> Messages;
    std::vector<bool> Answers; // taken from the front
    std::vector<size_t> Beeps; // for each beep, the number of messages before it

  private:
    bool NextAnswer();
};

// Installs a service for the lifetime of the guard and puts the previous one back.
class ScopedMessageService {
  public:
    explicit ScopedMessageService(MessageService& service);
    ~ScopedMessageService();
    ScopedMessageService(const ScopedMessageService&) = delete;
    ScopedMessageService& operator=(const ScopedMessageService&) = delete;

  private:
    MessageService* FPrevious;
};

} // namespace corvane
