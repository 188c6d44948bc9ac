#pragma once
// "User Defined Label Layout": the label geometry typed in inches or whole millimetres. The
// values live in a LabelGeometryEntry, so switching units never changes them; "Ok" keeps the
// dialog open with the first validation message until the geometry is valid.

#include <array>

#include <QDialog>

#include "labels/LabelGeometryEntry.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace corvane {

class TLabelEdit : public QDialog {
    Q_OBJECT

  public:
    // The length entries are disconnected before the window goes: hiding it on destruction ends
    // their editing, which must not reach the geometry after it is gone.
    ~TLabelEdit() override;
    explicit TLabelEdit(const LabelSetup& setup, QWidget* parent = nullptr);

    const LabelGeometryEntry& Entry() const { return FEntry; }
    // The geometry "Ok" accepted (lengths rounded to three decimals).
    const LabelGeometry& Geometry() const { return FGeometry; }
    QLineEdit* LengthEdit(GeometryLength length) const { return FEdits[static_cast<size_t>(length)]; }

    // "Ok": validates, shows the first failure and stays open, or accepts.
    void accept() override;

  private:
    void AddLength(QGridLayout* grid, int row, int column, GeometryLength length, const QString& caption,
                   const QString& objectName);
    void UnitChanged();
    void ShowLengths();
    void PaperChosen(int item);

    LabelGeometryEntry FEntry;
    LabelGeometry FGeometry;
    std::array<QLineEdit*, GeometryLengthCount> FEdits{};
    QSpinBox* FAcross = nullptr;
    QSpinBox* FDown = nullptr;
    QComboBox* FPaper = nullptr;
    QComboBox* FShape = nullptr;
    QRadioButton* FInches = nullptr;
    QRadioButton* FMillimetres = nullptr;
};

// The user-defined geometry of "Change Layout": shows the dialog through RunModalDialog and, on
// "Ok", gives the setup the geometry (ApplyUserDefinedGeometry). True when the setup changed.
bool GetUserDefinedLayout(LabelSetup& setup, QWidget* parent);

} // namespace corvane
