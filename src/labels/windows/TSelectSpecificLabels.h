#pragma once
// "Labels Print": before a label run the user picks the positions of a sheet to fill, how many
// labels of each record to print, and the printer. The sheet is drawn to scale with one box per
// label position (red: printed, white: left empty); clicking a box turns it on or off.
//
// The dialog takes values and gives values: the caller hands in the selection, the setup's
// geometry, the printers and the presort choice, runs it, and reads Positions(), Copies() and
// PrinterIndex() back after "Ok".

#include <QDialog>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include "labels/LabelRun.h"
#include "labels/LabelSetup.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace corvane {

// The sheet picture's geometry in screen pixels: `scale` is pixels per inch of the picture
// (a fifth of the screen's pixels per inch). Lengths are cut, not rounded, each on its own.
struct SheetPictureGeometry {
    static QRect Page(const LabelSetup& setup, double scale);
    static QRect Position(const LabelSetup& setup, int column, int row, double scale);
    // The position under a point of the picture; -1 when there is none.
    static int PositionAt(const LabelSetup& setup, const QPoint& point, double scale);
};

// The picture of the sheet, one box per position.
class TLabelSheetPicture : public QWidget {
    Q_OBJECT
  public:
    TLabelSheetPicture(const LabelSetup& setup, LabelPositions& flags, QWidget* parent);
    double Scale() const;
    // The box of a position in this widget's coordinates.
    QRect PositionRect(int position) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  signals:
    void Toggled(int position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const LabelSetup& FSetup;
    LabelPositions& FFlags;
};

class TSelectSpecificLabels : public QDialog {
    Q_OBJECT
  public:
    static constexpr int MaxCopies = 99;

    TSelectSpecificLabels(const LabelSetup& setup, const LabelPositions& positions,
                          const QStringList& printers, int printerIndex, bool presort, int copies = 1,
                          QWidget* parent = nullptr);

    const LabelPositions& Positions() const { return FPositions; }
    // At least 1.
    int Copies() const;
    int PrinterIndex() const;
    // Whether a position of this sheet (not one beyond it) is selected.
    bool AnySheetPositionSelected() const;

    QGroupBox* SheetPanel;
    TLabelSheetPicture* SheetPicture;
    QPushButton* AllButton;
    QPushButton* NoneButton;
    QLabel* CopiesLabel;
    QSpinBox* CopiesSpin;
    QComboBox* PrinterList;
    QPushButton* OkButton;
    QPushButton* CancelButton;

    void AllButtonClick();
    void NoneButtonClick();
    void OkButtonClick();
    void CancelButtonClick();

  private:
    void SetAll(bool selected);

    LabelSetup FSetup;
    LabelPositions FPositions;
};

} // namespace corvane
