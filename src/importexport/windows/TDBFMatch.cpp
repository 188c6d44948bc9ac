#include "importexport/windows/TDBFMatch.h"

#include <QTableView>

#include "importexport/SourceTable.h"
#include "importexport/windows/SourceTableModel.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TDBFMatch::TDBFMatch(const MatchModel& match, SourceTable& source, QWidget* parent)
    : TMatchWindow("DBF File Import Match Fields", match, QString::fromStdString(source.Path()), 1022, parent)
{
    setObjectName("TDBFMatch");
    BrowserGrid = new QTableView(this);
    BrowserGrid->setObjectName("BrowserGrid");
    BrowserGrid->setModel(new SourceTableModel(source, BrowserGrid));
    BrowserGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PlaceSourceGrid("Import DBF File Browser", BrowserGrid, "The records of the file you import from.");
    CentreForm(this);
}

} // namespace corvane
