#include "letters/windows/TWPPageProp.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/DialogButtonRow.h"

namespace corvane {

namespace {

PageUnit& LastUnit()
{
    static PageUnit unit = PageUnit::Inch;
    return unit;
}

QLineEdit* Box(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

} // namespace

PageUnit TWPPageProp::RememberedUnit()
{
    return LastUnit();
}

TWPPageProp::TWPPageProp(const PageLayoutTwips& layout, QWidget* parent)
    : QDialog(parent), FLayout(layout), FUnit(LastUnit())
{
    setObjectName("TWPPageProp");
    setWindowTitle("Page Properties");
    auto* layoutBox = new QVBoxLayout(this);
    auto* paper = new QGroupBox(" Paper Size ", this);
    auto* paperForm = new QFormLayout(paper);
    WidthEdit = Box(paper, "WidthEdit");
    HeightEdit = Box(paper, "HeightEdit");
    paperForm->addRow("&Width", WidthEdit);
    paperForm->addRow("&Height", HeightEdit);
    auto* margins = new QGroupBox(" Margins ", this);
    auto* marginForm = new QFormLayout(margins);
    TopEdit = Box(margins, "TopEdit");
    BottomEdit = Box(margins, "BottomEdit");
    LeftEdit = Box(margins, "LeftEdit");
    RightEdit = Box(margins, "RightEdit");
    marginForm->addRow("&Top", TopEdit);
    marginForm->addRow("&Bottom", BottomEdit);
    marginForm->addRow("&Left", LeftEdit);
    marginForm->addRow("&Right", RightEdit);
    auto* groups = new QHBoxLayout;
    groups->addWidget(paper);
    groups->addWidget(margins);
    layoutBox->addLayout(groups);
    UnitList = new QComboBox(this);
    UnitList->setObjectName("UnitList");
    UnitList->addItems(PageUnitNames());
    UnitList->setCurrentIndex(static_cast<int>(FUnit));
    auto* unitRow = new QFormLayout;
    unitRow->addRow("&Unit", UnitList);
    layoutBox->addLayout(unitRow);
    auto* buttons = new QHBoxLayout;
    layoutBox->addLayout(buttons);
    AddDialogButtons(this, buttons, "Page Properties");
    ShowValues();
    connect(UnitList, &QComboBox::currentIndexChanged, this, &TWPPageProp::UnitListChange);
}

void TWPPageProp::ShowValues()
{
    WidthEdit->setText(TwipsText(FLayout.PaperWidth, FUnit));
    HeightEdit->setText(TwipsText(FLayout.PaperHeight, FUnit));
    TopEdit->setText(TwipsText(FLayout.Top, FUnit));
    BottomEdit->setText(TwipsText(FLayout.Bottom, FUnit));
    LeftEdit->setText(TwipsText(FLayout.Left, FUnit));
    RightEdit->setText(TwipsText(FLayout.Right, FUnit));
}

bool TWPPageProp::ReadBoxes(PageUnit unit, PageLayoutTwips& layout, bool tell)
{
    const struct {
        QLineEdit* Edit;
        int* Value;
        const char* Name;
    } boxes[] = {{WidthEdit, &layout.PaperWidth, "Width"},
                 {HeightEdit, &layout.PaperHeight, "Height"},
                 {TopEdit, &layout.Top, "Top"},
                 {BottomEdit, &layout.Bottom, "Bottom"},
                 {LeftEdit, &layout.Left, "Left"},
                 {RightEdit, &layout.Right, "Right"}};
    for (const auto& box : boxes) {
        const std::optional<int> twips = TwipsFromText(box.Edit->text(), unit);
        if (!twips) {
            if (tell) {
                ShowInfo("'" + box.Edit->text().toStdString() + "' is not a valid number (" + box.Name + ")");
                box.Edit->setFocus();
                box.Edit->selectAll();
            }
            return false;
        }
        *box.Value = *twips;
    }
    return true;
}

void TWPPageProp::UnitListChange(int index)
{
    // What the boxes hold now, read in the unit they were shown in; a box that is not a number
    // keeps its earlier value.
    PageLayoutTwips typed = FLayout;
    if (ReadBoxes(FUnit, typed, false))
        FLayout = typed;
    FUnit = static_cast<PageUnit>(std::clamp(index, 0, 2));
    ShowValues();
}

void TWPPageProp::accept()
{
    PageLayoutTwips typed = FLayout;
    if (!ReadBoxes(FUnit, typed, true))
        return;
    if (typed.PaperWidth <= 0 || typed.PaperHeight <= 0 || typed.Top < 0 || typed.Bottom < 0 ||
        typed.Left < 0 || typed.Right < 0 || typed.Left + typed.Right >= typed.PaperWidth ||
        typed.Top + typed.Bottom >= typed.PaperHeight) {
        ShowInfo("The margins must leave room for text on the paper");
        return;
    }
    FLayout = typed;
    LastUnit() = FUnit;
    QDialog::accept();
}

} // namespace corvane
