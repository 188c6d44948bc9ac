#pragma once
// The match window's "Import DBF File Browser": the source table's visible records as rows, one
// column per field, read when the view asks (record order; a row remembers its record number).
// A field of a type we cannot decode shows nothing.

#include <cstdint>
#include <vector>

#include <QAbstractTableModel>

namespace corvane {

class SourceTable;

class SourceTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    SourceTableModel(SourceTable& source, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    SourceTable& FSource;
    std::vector<uint32_t> FRecnos;
};

} // namespace corvane
