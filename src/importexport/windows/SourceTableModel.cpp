#include "importexport/windows/SourceTableModel.h"

#include <QRegularExpression>

#include "importexport/SourceTable.h"

namespace corvane {

SourceTableModel::SourceTableModel(SourceTable& source, QObject* parent)
    : QAbstractTableModel(parent), FSource(source)
{
    // Record numbers only (four bytes a row); the values are read when shown.
    if (!FSource.First())
        return;
    while (!FSource.AtEnd()) {
        FRecnos.push_back(FSource.RecordNumber());
        if (!FSource.Next())
            break;
    }
}

int SourceTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FRecnos.size());
}

int SourceTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FSource.Fields().size());
}

QVariant SourceTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (!FSource.Fields()[column].Matchable())
        return {};
    if (!FSource.Table().GoTo(FRecnos[static_cast<std::size_t>(index.row())]))
        return {};
    auto text = FSource.Text(column);
    if (!text)
        return {};
    // One line of a memo is enough in a grid cell.
    QString shown = QString::fromStdString(*text);
    const auto lineEnd = shown.indexOf(QRegularExpression("[\\r\\n]"));
    return lineEnd < 0 ? shown : shown.left(lineEnd) + " ...";
}

QVariant SourceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount())
        return QString::fromStdString(FSource.Fields()[static_cast<std::size_t>(section)].Name);
    if (orientation == Qt::Vertical)
        return section + 1;
    return {};
}

} // namespace corvane
