#pragma once
// The text dialog of a text element and the text editor of a multi-line text element.

#include <string>
#include <vector>

#include <QDialog>

#include "layout/LayoutTypes.h"

class QLineEdit;
class QPlainTextEdit;

namespace corvane {

class TGMultiLineLabel;
class TGPLabel;

// "Text": one line of text.
class TGetLabelText : public QDialog {
    Q_OBJECT
  public:
    explicit TGetLabelText(QWidget* parent = nullptr);

    void SetText(const std::string& text);
    std::string Text() const;

    // Opens the dialog on the element's caption; on Ok the caption becomes the text and the element
    // grows to fit it. False when cancelled (nothing changes).
    static bool EditText(TGPLabel& label, QWidget* parent);

    QLineEdit* LabelText;
};

// "Multi-line Text Editor": the lines of a multi-line text, at most MaxCharacters in all, shown in
// the element's font.
class TMultiLineTextEditor : public QDialog {
    Q_OBJECT
  public:
    static constexpr int MaxCharacters = 254;

    explicit TMultiLineTextEditor(QWidget* parent = nullptr);

    void SetLines(const std::vector<std::string>& lines);
    std::vector<std::string> Lines() const;
    void SetEditorFont(const TGFont& font, double pixelsPerInch);

    // Opens the editor on the element's lines; on Ok the element takes the edited lines, re-wraps
    // when wrapping and tells its panel. False when cancelled.
    static bool EditLines(TGMultiLineLabel& label, QWidget* parent);

    QPlainTextEdit* Memo;

  private:
    void MemoTextChanged();
};

} // namespace corvane
