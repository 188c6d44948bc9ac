#pragma once
// "DBF File Import Match Fields": the source table's records ("Import DBF File Browser") above
// the field match.

#include "importexport/windows/TMatchWindow.h"

class QTableView;

namespace corvane {

class SourceTable;

class TDBFMatch : public TMatchWindow {
    Q_OBJECT
  public:
    TDBFMatch(const MatchModel& match, SourceTable& source, QWidget* parent);

    QTableView* BrowserGrid = nullptr;
};

} // namespace corvane
