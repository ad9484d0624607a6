// TrainTableModel, the table view of the whole-train window: one row per wagon with its position,
// name, length, weight and axles, each figure beside where it came from (the base, a guess, a
// typed value, a default, the consist file). Rows can be dragged within the table; a drop is
// reported as moveRequested and the window moves the block, so the table itself never changes
// the consist.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

#include "consist/consist_model.h"

namespace rakewright {

class TrainTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { Position, Name, Length, LengthSource, Weight, WeightSource, Axles, AxlesSource };
  static constexpr int kColumns = 8;

  using QAbstractTableModel::QAbstractTableModel;

  void setWagons(const std::vector<ConsistModel::Wagon>& wagons);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Dragging rows within the table.
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;
  Qt::DropActions supportedDragActions() const override;
  Qt::DropActions supportedDropActions() const override;

 signals:
  // The rows `lines` dropped before the row `before` (rowCount(): after the last).
  void moveRequested(const std::vector<int>& lines, int before);

 private:
  std::vector<QStringList> rows_;
};

}  // namespace rakewright
