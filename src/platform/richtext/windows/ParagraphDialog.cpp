#include "platform/richtext/windows/ParagraphDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/richtext/PageLayoutTwips.h"
#include "platform/windows/DialogButtonRow.h"

namespace corvane {

namespace {

constexpr double UnitsPerPoint = DocumentUnitsPerInch / 72.0;

QDoubleSpinBox* Box(QWidget* parent, const char* name, double minimum, double maximum, double value,
                    const QString& suffix)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(2);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

} // namespace

ParagraphDialog::ParagraphDialog(QTextEdit& editor, QWidget* parent) : QDialog(parent), FEditor(editor)
{
    setObjectName("ParagraphDialog");
    setWindowTitle("Paragraph");
    const QTextBlockFormat format = editor.textCursor().blockFormat();
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    AlignmentList = new QComboBox(this);
    AlignmentList->setObjectName("AlignmentList");
    AlignmentList->addItems({"Left", "Center", "Right", "Justify"});
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    AlignmentList->setCurrentIndex(alignment & Qt::AlignJustify   ? 3
                                   : alignment & Qt::AlignHCenter ? 1
                                   : alignment & Qt::AlignRight   ? 2
                                                                  : 0);
    form->addRow("&Alignment:", AlignmentList);
    const double inch = DocumentUnitsPerInch;
    LeftIndent = Box(this, "LeftIndent", 0, 22, format.leftMargin() / inch, " in");
    RightIndent = Box(this, "RightIndent", 0, 22, format.rightMargin() / inch, " in");
    FirstIndent = Box(this, "FirstIndent", -22, 22, format.textIndent() / inch, " in");
    SpaceBefore = Box(this, "SpaceBefore", 0, 1584, format.topMargin() / UnitsPerPoint, " pt");
    SpaceAfter = Box(this, "SpaceAfter", 0, 1584, format.bottomMargin() / UnitsPerPoint, " pt");
    form->addRow("&Left indent:", LeftIndent);
    form->addRow("&Right indent:", RightIndent);
    form->addRow("&First line:", FirstIndent);
    form->addRow("Space &before:", SpaceBefore);
    form->addRow("Space a&fter:", SpaceAfter);
    LineSpacingList = new QComboBox(this);
    LineSpacingList->setObjectName("LineSpacingList");
    LineSpacingList->addItems({"Single", "1.5 lines", "Double"});
    if (format.lineHeightType() == QTextBlockFormat::ProportionalHeight)
        LineSpacingList->setCurrentIndex(format.lineHeight() >= 200 ? 2 : format.lineHeight() >= 150 ? 1 : 0);
    form->addRow("Line &spacing:", LineSpacingList);
    layout->addLayout(form);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    AddDialogButtons(this, row, "Paragraph");
}

void ParagraphDialog::ApplyToEditor()
{
    QTextBlockFormat format;
    const Qt::Alignment alignments[] = {Qt::AlignLeft | Qt::AlignAbsolute, Qt::AlignHCenter,
                                        Qt::AlignRight | Qt::AlignAbsolute, Qt::AlignJustify};
    format.setAlignment(alignments[std::clamp(AlignmentList->currentIndex(), 0, 3)]);
    format.setLeftMargin(LeftIndent->value() * DocumentUnitsPerInch);
    format.setRightMargin(RightIndent->value() * DocumentUnitsPerInch);
    format.setTextIndent(FirstIndent->value() * DocumentUnitsPerInch);
    format.setTopMargin(SpaceBefore->value() * UnitsPerPoint);
    format.setBottomMargin(SpaceAfter->value() * UnitsPerPoint);
    const double heights[] = {100, 150, 200};
    format.setLineHeight(heights[std::clamp(LineSpacingList->currentIndex(), 0, 2)],
                         QTextBlockFormat::ProportionalHeight);
    QTextCursor cursor = FEditor.textCursor();
    cursor.mergeBlockFormat(format);
}

void ParagraphDialog::accept()
{
    ApplyToEditor();
    QDialog::accept();
}

} // namespace corvane
