#pragma once
// The "Field Match" part both match windows show: one row per address field that can take
// imported values, the second column naming the source that feeds it, and "&Select Field" (or a
// double click) with its pop-up menu of "(none)" and the sources that suit the row, the current
// one ticked; "&Clear Current" and "Clear &All". It edits the match model it is given.

#include <optional>

#include <QWidget>

#include "importexport/MatchModel.h"

class QMenu;
class QPushButton;
class QTableWidget;

namespace corvane {

class FieldMatchPanel : public QWidget {
    Q_OBJECT
  public:
    // `sourceFileName` is the file's name without its directory.
    FieldMatchPanel(MatchModel& model, const QString& sourceFileName, QWidget* parent);

    QTableWidget* MatchGrid = nullptr;
    QPushButton* SelectFieldButton = nullptr;
    QPushButton* ClearCurrentButton = nullptr;
    QPushButton* ClearAllButton = nullptr;

    // The menu for the current row (the caller owns it).
    QMenu* MakeSelectMenu(QWidget* parent);
    // What choosing a menu entry does: nullopt is "(none)".
    void ChooseForCurrentRow(std::optional<std::size_t> source);
    void Refresh();

  public slots:
    void SelectFieldButtonClick();
    void ClearCurrentButtonClick();
    void ClearAllButtonClick();

  private:
    MatchModel& FModel;
};

} // namespace corvane
