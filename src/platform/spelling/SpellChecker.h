#pragma once
// Spell checking for the letter editor: Hunspell with the system's en_US dictionary plus the
// user's own words in "corvanu.dct" beside the program (one word a line; words added from the
// spelling dialog are appended there). Merge tokens ("[First]") are never checked.
//
//     auto checker = SpellChecker::OpenSystem(ProgramDirectory() + "corvanu.dct");
//     if (!checker) ... "&Spell Check" stays disabled ...
//     for (auto miss = checker->NextMisspelling(text, 0); miss; miss = checker->NextMisspelling(text,
//     miss->End)) ...

#include <memory>
#include <optional>
#include <string>

#include <QSet>
#include <QString>
#include <QStringList>

#include "platform/Result.h"

class Hunspell;

namespace corvane {

inline constexpr std::string_view UserDictionaryFileName = "corvanu.dct";

struct DictionaryFiles {
    std::string Affixes; // .aff
    std::string Words;   // .dic
};

// The system's en_US Hunspell dictionary, when installed.
std::optional<DictionaryFiles> SystemDictionary();

struct Misspelling {
    int Start = 0;
    int End = 0; // past the word
    QString Word;
};

class SpellChecker {
  public:
    // A checker over the dictionary and the user's word list (read when it exists; created when a
    // word is added). Nothing when the dictionary files are missing.
    static std::unique_ptr<SpellChecker> Open(const DictionaryFiles& dictionary, std::string userWordsPath);
    static std::unique_ptr<SpellChecker> OpenSystem(std::string userWordsPath);
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    bool IsCorrect(const QString& word) const;
    QStringList Suggestions(const QString& word) const;
    // Accepts the word from now on and appends it to the user's word list.
    Status AddToUserWords(const QString& word);
    // Accepts the word for the rest of this checker's life ("Ignore All").
    void Ignore(const QString& word) { FIgnored.insert(word); }

    // The first misspelt word of `text` at or after `from`, skipping merge tokens, numbers and
    // words with digits.
    std::optional<Misspelling> NextMisspelling(const QString& text, int from) const;

  private:
    SpellChecker(std::unique_ptr<Hunspell> engine, std::string userWordsPath);

    std::unique_ptr<Hunspell> FEngine;
    std::string FUserWordsPath;
    QSet<QString> FIgnored;
};

} // namespace corvane
