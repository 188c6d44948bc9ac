#pragma once
// "Symbol Selector": the 224 characters of a symbol font (codes 32 to 255) to pick one from, and
// the "Font" button that chooses the font they come from.

#include <QDialog>

#include "layout/LayoutTypes.h"

class QListWidget;
class QPushButton;

namespace corvane {

class TGSymbolLabel;

class TGetSymbol : public QDialog {
    Q_OBJECT
  public:
    // The list's characters are shown at this size whatever the symbol's size.
    static constexpr int ListPointSize = 16;

    explicit TGetSymbol(QWidget* parent = nullptr);

    // The working font (the symbol's whole font, changed by the "Font" button) and the list in it.
    void SetWorkingFont(const TGFont& font, double pixelsPerInch);
    const TGFont& WorkingFont() const { return FWorkingFont; }
    // The list entry (character code - 32); -1 when none is selected.
    void SetSelectedIndex(int index);
    int SelectedIndex() const;
    int Columns() const { return FColumns; }

    // Opens the dialog on the symbol; on Ok the symbol takes the working font and the selected
    // character and sizes itself to it. False when cancelled (nothing changes).
    static bool EditSymbol(TGSymbolLabel& symbol, QWidget* parent);

    QPushButton* Fontbutton;
    QListWidget* SymbolList;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FontbuttonClick();
    void ShowListFont();
    void UpdateGrid();

    TGFont FWorkingFont;
    double FPixelsPerInch = 96.0;
    int FColumns = 1;
};

} // namespace corvane
