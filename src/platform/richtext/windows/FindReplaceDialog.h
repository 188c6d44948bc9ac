#pragma once
// The editor's find dialog ("Find") and replace dialog ("Replace"): a literal text, found from the
// caret on (wrapping to the start once), with match case and whole words; the replace dialog also
// replaces the found text, or every occurrence at once.

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace corvane {

inline constexpr const char* SearchTextNotFoundMessage = "Search text not found";

class FindReplaceDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { Find, Replace };
    FindReplaceDialog(QTextEdit& editor, Mode mode, QWidget* parent = nullptr);

    // True when found (and selected in the editor).
    bool FindNextClick();
    void ReplaceClick();
    int ReplaceAllClick();

    QLineEdit* FindText;
    QLineEdit* ReplaceText; // nullptr in the find dialog
    QCheckBox* MatchCaseCheck;
    QCheckBox* WholeWordCheck;
    QPushButton* FindNextButton;
    QPushButton* ReplaceButton;
    QPushButton* ReplaceAllButton;
    QPushButton* CloseButton;

  private:
    QTextDocument::FindFlags Flags() const;
    QTextEdit& FEditor;
};

} // namespace corvane
