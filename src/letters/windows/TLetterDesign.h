#pragma once
// "Letter Designer": the editor of one letter. Tool bar, "Description" and "Insert field", a
// ruler in inches, the editing area, and Ok, Cancel, Preview, Help. Its menus save, load and
// insert RTF files, find and replace, check spelling (when the dictionary is there), insert a
// page break, and set the paragraph, the page, word wrap and the default font (settings section
// "Letter"). The window edits a copy; the caller stores Letter() and Description() after Ok.

#include <memory>

#include <QDialog>

#include "layout/DesignDefaultFont.h"
#include "letters/LetterDocument.h"

class QAction;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QTextEdit;

namespace corvane {

class RichTextRuler;
class RichTextToolBar;
class SpellChecker;
class ToolWindowView;

inline constexpr std::string_view LetterDesignerCaption = "Letter Designer";
inline constexpr std::string_view PageBreakQuestion = "Insert a page break?";
inline constexpr std::string_view PageBreakCaption = "PAGE BREAK";

class TLetterDesign : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1085;
    // A new letter ("{untitled}", the default font at the caret) when `letter` is null; else a
    // copy of it. `addresses` gives Preview its record (none: Preview shows the tokens).
    TLetterDesign(const LetterDocument* letter, const QString& description, const ToolWindowView* addresses,
                  QWidget* parent = nullptr);
    ~TLetterDesign() override;

    // The edited letter: the editor's document and the page.
    LetterDocument Letter() const;
    QString Description() const;
    const PageLayoutTwips& Layout() const { return FLayout; }
    bool WordWrap() const { return FWordWrap; }

    // ---- handlers ----
    void InsertFieldListChange(int index);
    void mnuSaveAsRtfClick();
    void mnuLoadRtfClick();
    void mnuInsertRtfClick();
    void mnuFindClick();
    void mnuReplaceClick();
    void mnuSpellCheckClick();
    void mnuInsertPageBreakClick();
    void mnuParagraphClick();
    void mnuPageSettingsClick();
    void mnuWordWrapClick();
    void mnuDefaultFontClick();
    void PreviewButtonClick();
    // The page's layout applied to the editor and ruler.
    void SetLayout(const PageLayoutTwips& layout);
    // Reads an RTF text into the editor (replacing) or at the caret; false when it cannot be read
    // (told to the user).
    bool LoadRtfText(const std::string& rtf, bool insert);

    QMenuBar* MenuBar;
    RichTextToolBar* ToolBar;
    QLineEdit* DescriptionEdit;
    QComboBox* InsertFieldList;
    RichTextRuler* Ruler;
    QTextEdit* Editor;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* PreviewButton;
    QPushButton* HelpButton;
    QAction* mnuSaveAsRtf;
    QAction* mnuLoadRtf;
    QAction* mnuInsertRtf;
    QAction* mnuFind;
    QAction* mnuReplace;
    QAction* mnuSpellCheck;
    QAction* mnuInsertPageBreak;
    QAction* mnuParagraph;
    QAction* mnuPageSettings;
    QAction* mnuWordWrap;
    QAction* mnuDefaultFont;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void ApplyWordWrap();
    void RefreshDefaultFontCaption();

    const ToolWindowView* FAddresses;
    PageLayoutTwips FLayout;
    bool FWordWrap = false;
    DesignDefaultFont FDefaultFont;
    std::unique_ptr<SpellChecker> FSpelling;
};

} // namespace corvane
