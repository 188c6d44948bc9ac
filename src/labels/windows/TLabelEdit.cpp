#include "labels/windows/TLabelEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/MessageService.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TLabelEdit::TLabelEdit(const LabelSetup& setup, QWidget* parent) : QDialog(parent), FEntry(setup)
{
    setObjectName("TLabelEdit");
    setWindowTitle("User Defined Label Layout");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    AddLength(grid, 0, 0, GeometryLength::LabelWidth, "Label Width", "LabelWidthEdit");
    AddLength(grid, 1, 0, GeometryLength::LabelHeight, "Label Height", "LabelHeightEdit");
    AddLength(grid, 2, 0, GeometryLength::HorizontalPitch, "Horizontal Pitch", "HorizontalPitchEdit");
    AddLength(grid, 3, 0, GeometryLength::VerticalPitch, "Vertical Pitch", "VerticalPitchEdit");

    FAcross = new QSpinBox(this);
    FAcross->setObjectName("AcrossSpin");
    FAcross->setRange(1, MaxAcross);
    FAcross->setValue(FEntry.Across());
    FDown = new QSpinBox(this);
    FDown->setObjectName("DownSpin");
    FDown->setRange(1, MaxDown);
    FDown->setValue(FEntry.Down());
    grid->addWidget(new QLabel("# across", this), 4, 0);
    grid->addWidget(FAcross, 4, 1);
    grid->addWidget(new QLabel("# down", this), 5, 0);
    grid->addWidget(FDown, 5, 1);

    AddLength(grid, 0, 2, GeometryLength::LeftMargin, "Left Margin", "LeftMarginEdit");
    AddLength(grid, 1, 2, GeometryLength::TopMargin, "Top Margin", "TopMarginEdit");
    FPaper = new QComboBox(this);
    FPaper->setObjectName("PaperSizeCombo");
    FPaper->addItems(PaperSizeItems());
    FPaper->setCurrentIndex(-1);
    grid->addWidget(new QLabel("Paper size", this), 2, 2);
    grid->addWidget(FPaper, 2, 3);
    AddLength(grid, 3, 2, GeometryLength::PaperWidth, "Paper Width", "PaperWidthEdit");
    AddLength(grid, 4, 2, GeometryLength::PaperHeight, "Paper Height", "PaperHeightEdit");
    FShape = new QComboBox(this);
    FShape->setObjectName("LabelShapeCombo");
    FShape->addItems(LabelShapeItems());
    FShape->setCurrentIndex(FEntry.ShapeItem());
    grid->addWidget(new QLabel("Label Shape", this), 5, 2);
    grid->addWidget(FShape, 5, 3);
    layout->addLayout(grid);

    auto* units = new QHBoxLayout;
    FInches = new QRadioButton("Use &Inches", this);
    FInches->setObjectName("InchesRadio");
    FInches->setChecked(true);
    FMillimetres = new QRadioButton("Use &Millimeters", this);
    FMillimetres->setObjectName("MillimetersRadio");
    units->addWidget(FInches);
    units->addWidget(FMillimetres);
    units->addStretch();
    layout->addLayout(units);

    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "User Defined Label Layout");
    layout->addLayout(row);
    InstallWhatsThis(
        this,
        {{"LabelWidthEdit", "The width of one label. A horizontal pitch smaller than it is raised to it."},
         {"LabelHeightEdit",
          "The height of one label (at least .3 inch or 7 mm). A vertical pitch smaller than it "
          "is raised to it."},
         {"HorizontalPitchEdit",
          "From the left edge of one label to the left edge of the next one in the row."},
         {"VerticalPitchEdit", "From the top edge of one label to the top edge of the label below."},
         {"AcrossSpin", "How many labels there are side by side on the sheet (1 to 10)."},
         {"DownSpin", "How many rows of labels there are on the sheet (1 to 30)."},
         {"LeftMarginEdit",
          "From the left edge of the paper to the left edge of the first column of labels."},
         {"TopMarginEdit", "From the top edge of the paper to the top edge of the first row of labels."},
         {"PaperSizeCombo", "The paper size; choosing a standard size fills in its width and height."},
         {"PaperWidthEdit", "The width of the paper as it goes through the printer."},
         {"PaperHeightEdit", "The height of the paper as it goes through the printer."},
         {"LabelShapeCombo", "The outline of each label, as the designer shows it."},
         {"InchesRadio", "Show and type the lengths in inches."},
         {"MillimetersRadio", "Show and type the lengths in whole millimetres."},
         {"OkButton", "Check the values and use them for the label layout."},
         {"CancelButton", "Keep the label layout as it is."},
         {"HelpButton", "Open the help on user defined label layouts."}});

    ShowLengths();
    connect(FInches, &QRadioButton::toggled, this, &TLabelEdit::UnitChanged);
    connect(FAcross, &QSpinBox::valueChanged, this, [this](int value) { FEntry.SetAcross(value); });
    connect(FDown, &QSpinBox::valueChanged, this, [this](int value) { FEntry.SetDown(value); });
    connect(FPaper, &QComboBox::currentIndexChanged, this, &TLabelEdit::PaperChosen);
    connect(FShape, &QComboBox::currentIndexChanged, this, [this](int item) { FEntry.SetShapeItem(item); });
    connect(LengthEdit(GeometryLength::LabelWidth), &QLineEdit::editingFinished, this, [this] {
        FEntry.LeaveLabelWidth();
        ShowLengths();
    });
    connect(LengthEdit(GeometryLength::LabelHeight), &QLineEdit::editingFinished, this, [this] {
        FEntry.LeaveLabelHeight();
        ShowLengths();
    });
    CentreForm(this);
}

TLabelEdit::~TLabelEdit()
{
    for (QLineEdit* edit : FEdits) {
        if (edit)
            edit->disconnect(this);
    }
}

void TLabelEdit::AddLength(QGridLayout* grid, int row, int column, GeometryLength length,
                           const QString& caption, const QString& objectName)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setMaximumWidth(90);
    FEdits[static_cast<size_t>(length)] = edit;
    grid->addWidget(new QLabel(caption, this), row, column);
    grid->addWidget(edit, row, column + 1);
    // Only what the user types is read back; the program's own texts keep the held values.
    connect(edit, &QLineEdit::textEdited, this,
            [this, length](const QString& text) { FEntry.SetText(length, text); });
}

void TLabelEdit::ShowLengths()
{
    // Inches as "#0.0##" (up to six digits), millimetres as "##0".
    static const QRegularExpression inches(R"(\d{0,2}(\.\d{0,3})?)");
    static const QRegularExpression millimetres(R"(\d{0,3})");
    const bool mm = FEntry.Unit() == LengthUnit::Millimetres;
    for (size_t i = 0; i < FEdits.size(); ++i) {
        QLineEdit* edit = FEdits[i];
        edit->setValidator(nullptr);
        edit->setText(FEntry.Text(static_cast<GeometryLength>(i)));
        edit->setValidator(new QRegularExpressionValidator(mm ? millimetres : inches, edit));
    }
}

void TLabelEdit::UnitChanged()
{
    FEntry.SetUnit(FMillimetres->isChecked() ? LengthUnit::Millimetres : LengthUnit::Inches);
    ShowLengths();
}

void TLabelEdit::PaperChosen(int item)
{
    FEntry.ChoosePaperItem(item);
    ShowLengths();
}

void TLabelEdit::accept()
{
    const LabelGeometry geometry = FEntry.Result();
    if (const std::optional<std::string> failure = ValidLabel(geometry)) {
        ShowInfo(*failure);
        return;
    }
    FGeometry = geometry;
    QDialog::accept();
}

bool GetUserDefinedLayout(LabelSetup& setup, QWidget* parent)
{
    TLabelEdit dialog(setup, parent);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    ApplyUserDefinedGeometry(setup, dialog.Geometry());
    return true;
}

} // namespace corvane
