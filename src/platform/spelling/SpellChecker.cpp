#include "platform/spelling/SpellChecker.h"

#include <filesystem>
#include <fstream>

#include <hunspell.hxx>

namespace corvane {

namespace {

bool IsWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == '\'' || c == QChar(0x2019);
}

} // namespace

std::optional<DictionaryFiles> SystemDictionary()
{
    for (const char* folder : {"/usr/share/hunspell/", "/usr/share/myspell/", "/usr/share/myspell/dicts/"}) {
        DictionaryFiles files{std::string(folder) + "en_US.aff", std::string(folder) + "en_US.dic"};
        std::error_code error;
        if (std::filesystem::is_regular_file(files.Affixes, error) &&
            std::filesystem::is_regular_file(files.Words, error))
            return files;
    }
    return std::nullopt;
}

std::unique_ptr<SpellChecker> SpellChecker::Open(const DictionaryFiles& dictionary, std::string userWordsPath)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(dictionary.Affixes, error) ||
        !std::filesystem::is_regular_file(dictionary.Words, error))
        return nullptr;
    auto engine = std::make_unique<Hunspell>(dictionary.Affixes.c_str(), dictionary.Words.c_str());
    std::unique_ptr<SpellChecker> checker(new SpellChecker(std::move(engine), std::move(userWordsPath)));
    std::ifstream words(checker->FUserWordsPath);
    for (std::string line; std::getline(words, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty())
            checker->FEngine->add(line);
    }
    return checker;
}

std::unique_ptr<SpellChecker> SpellChecker::OpenSystem(std::string userWordsPath)
{
    const std::optional<DictionaryFiles> files = SystemDictionary();
    return files ? Open(*files, std::move(userWordsPath)) : nullptr;
}

SpellChecker::SpellChecker(std::unique_ptr<Hunspell> engine, std::string userWordsPath)
    : FEngine(std::move(engine)), FUserWordsPath(std::move(userWordsPath))
{
}

SpellChecker::~SpellChecker() = default;

bool SpellChecker::IsCorrect(const QString& word) const
{
    if (FIgnored.contains(word))
        return true;
    QString plain = word;
    plain.replace(QChar(0x2019), QChar('\''));
    return FEngine->spell(plain.toStdString());
}

QStringList SpellChecker::Suggestions(const QString& word) const
{
    QStringList list;
    for (const std::string& suggestion : FEngine->suggest(word.toStdString()))
        list.append(QString::fromStdString(suggestion));
    return list;
}

Status SpellChecker::AddToUserWords(const QString& word)
{
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty())
        return Status::Success();
    std::ofstream words(FUserWordsPath, std::ios::app | std::ios::binary);
    words << trimmed.toStdString() << "\r\n";
    words.flush();
    if (!words)
        return Status::Error("Cannot add the word to " + FUserWordsPath);
    FEngine->add(trimmed.toStdString());
    return Status::Success();
}

std::optional<Misspelling> SpellChecker::NextMisspelling(const QString& text, int from) const
{
    // A merge token that began before `from` is skipped whole.
    int position = std::max(from, 0);
    if (const int open = position > 0 ? text.lastIndexOf('[', position - 1) : -1; open >= 0) {
        const int close = text.indexOf(']', open);
        if (close >= position)
            position = close + 1;
    }
    while (position < text.size()) {
        const QChar c = text[position];
        if (c == '[') {
            const int close = text.indexOf(']', position);
            if (close > position) {
                position = close + 1;
                continue;
            }
        }
        if (!IsWordCharacter(c) || c == '\'' || c == QChar(0x2019)) {
            ++position;
            continue;
        }
        int end = position;
        while (end < text.size() && IsWordCharacter(text[end]))
            ++end;
        int last = end;
        while (last > position && (text[last - 1] == '\'' || text[last - 1] == QChar(0x2019)))
            --last;
        const QString word = text.mid(position, last - position);
        bool hasDigit = false;
        for (QChar letter : word)
            hasDigit = hasDigit || letter.isDigit();
        if (!word.isEmpty() && !hasDigit && !IsCorrect(word))
            return Misspelling{position, last, word};
        position = end;
    }
    return std::nullopt;
}

} // namespace corvane
