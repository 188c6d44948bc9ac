#pragma once
// What every element dialog shares: the button row (platform/windows/DialogButtonRow) and the colour
// box that picks a colour from the standard ones or any other.

#include <QComboBox>
#include <QString>

#include "layout/LayoutTypes.h"
#include "platform/windows/DialogButtonRow.h"

namespace corvane {

// A drop-down list of the sixteen standard colours by name and a last entry "Custom..." that opens
// the colour dialog; a colour that is not a standard one is listed as its own entry.
class ColorBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ColorBox(const QString& objectName, QWidget* parent = nullptr);

    TColor Color() const { return FColor; }
    // Selects the colour (adding an entry when it is not a standard one); emits ColorChanged when
    // it differs from the current one.
    void SetColor(TColor color);

  signals:
    void ColorChanged(corvane::TColor color);

  private:
    void EntryActivated(int index);
    int IndexOfColor(TColor color) const;

    TColor FColor = clBlack;
    int FCustomIndex = -1; // the "Custom..." entry
};

} // namespace corvane
