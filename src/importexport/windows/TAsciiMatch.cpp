#include "importexport/windows/TAsciiMatch.h"

#include <algorithm>

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>

#include "platform/windows/WindowPlacement.h"

namespace corvane {

TAsciiMatch::TAsciiMatch(const MatchModel& match, const AsciiSample& sample, const QString& fileName,
                         QWidget* parent)
    : TMatchWindow("ASCII File Import Match Fields", match, fileName, 1024, parent)
{
    setObjectName("TAsciiMatch");
    SampleGrid = new QTableWidget(static_cast<int>(sample.Lines.size()),
                                  static_cast<int>(sample.Columns.size()), this);
    SampleGrid->setObjectName("SampleGrid");
    SampleGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SampleGrid->verticalHeader()->hide();
    // As wide as the widest value in W's, at least as wide as "Field 12", at most two inches.
    const QFontMetrics metrics(SampleGrid->font());
    const int twoInches = 2 * logicalDpiX();
    QStringList headings;
    for (std::size_t column = 0; column < sample.Columns.size(); ++column) {
        headings << QString::fromStdString(sample.Columns[column].Name);
        const int wide = static_cast<int>(sample.Columns[column].Widest) * metrics.horizontalAdvance('W');
        SampleGrid->setColumnWidth(
            static_cast<int>(column),
            std::min(twoInches, std::max(wide, metrics.horizontalAdvance("Field 12"))));
    }
    SampleGrid->setHorizontalHeaderLabels(headings);
    for (std::size_t line = 0; line < sample.Lines.size(); ++line) {
        for (std::size_t column = 0; column < sample.Lines[line].size(); ++column) {
            SampleGrid->setItem(static_cast<int>(line), static_cast<int>(column),
                                new QTableWidgetItem(QString::fromStdString(sample.Lines[line][column])));
        }
    }
    PlaceSourceGrid("Sample ASCII Fields", SampleGrid,
                    "The first lines of the file, split into numbered fields.");
    CentreForm(this);
}

} // namespace corvane
