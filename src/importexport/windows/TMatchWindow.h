#pragma once
// What both match windows share: the field match (FieldMatchPanel) below a grid of the source
// (the text file's sample lines or the dBase table's records), and "Ok", "Cancel", "Help". The
// window works on a copy of the match; "Ok" hands it back through Match().

#include <QDialog>

#include "importexport/MatchModel.h"

class QPushButton;
class QVBoxLayout;

namespace corvane {

class FieldMatchPanel;

class TMatchWindow : public QDialog {
    Q_OBJECT
  public:
    const MatchModel& Match() const { return FMatch; }

    FieldMatchPanel* MatchPanel = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

  protected:
    TMatchWindow(const QString& caption, const MatchModel& match, const QString& sourcePath, int helpContext,
                 QWidget* parent);
    // The source's grid with its caption, above the field match.
    void PlaceSourceGrid(const QString& caption, QWidget* grid, const QString& whatsThis);

    MatchModel FMatch;

  private:
    QVBoxLayout* FLayout = nullptr;
};

} // namespace corvane
