#pragma once
// "Page Properties": the paper's width and height and its four margins, shown in the unit chosen
// ("Inch", "Cm" or "Twips"; the one chosen last in this run comes first). The boxes are read when
// Ok is pressed, so a value half typed is never an error; a box that is not a number then is
// named and the dialog stays open.

#include <QDialog>

#include "letters/PageUnits.h"
#include "platform/richtext/PageLayoutTwips.h"

class QComboBox;
class QLineEdit;

namespace corvane {

class TWPPageProp : public QDialog {
    Q_OBJECT
  public:
    TWPPageProp(const PageLayoutTwips& layout, QWidget* parent = nullptr);

    // The layout as Ok accepted it.
    const PageLayoutTwips& Layout() const { return FLayout; }
    // The unit the next dialog of this run opens with.
    static PageUnit RememberedUnit();

    void UnitListChange(int index);
    void accept() override;

    QLineEdit* WidthEdit;
    QLineEdit* HeightEdit;
    QLineEdit* TopEdit;
    QLineEdit* BottomEdit;
    QLineEdit* LeftEdit;
    QLineEdit* RightEdit;
    QComboBox* UnitList;

  private:
    // Reads the six boxes in `unit`; false (and the user told which box) when one is not a number.
    bool ReadBoxes(PageUnit unit, PageLayoutTwips& layout, bool tell);
    void ShowValues();

    PageLayoutTwips FLayout;
    PageUnit FUnit;
};

} // namespace corvane
