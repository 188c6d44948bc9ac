#pragma once
// The editor's spelling dialog ("Spelling"): walks the document from its start, selecting each
// word the checker does not know (merge tokens are never offered), with suggestions; Ignore,
// Ignore All, Change, Change All, Add (to the user's word list) and Close.

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace corvane {

class SpellChecker;

inline constexpr const char* SpellCheckCompleteMessage = "The spelling check is complete.";

class SpellingDialog : public QDialog {
    Q_OBJECT
  public:
    SpellingDialog(QTextEdit& editor, SpellChecker& checker, QWidget* parent = nullptr);

    // Goes to the next unknown word after the current one; false (and a closing message) at the end.
    bool NextWord();
    void IgnoreClick();
    void IgnoreAllClick();
    void ChangeClick();
    void ChangeAllClick();
    void AddClick();

    QLineEdit* NotInDictionary;
    QLineEdit* ChangeTo;
    QListWidget* SuggestionList;
    QPushButton* IgnoreButton;
    QPushButton* IgnoreAllButton;
    QPushButton* ChangeButton;
    QPushButton* ChangeAllButton;
    QPushButton* AddButton;
    QPushButton* CloseButton;

  private:
    QTextEdit& FEditor;
    SpellChecker& FChecker;
    int FPosition = 0; // where the search goes on, in the document
};

} // namespace corvane
