#include "app/train/train_table_model.h"

#include <QMimeData>

#include <algorithm>

#include "app/common/qt_text.h"

namespace rakewright {

namespace {

const QString kRowsType = QStringLiteral("application/x-rakewright-train-rows");

}  // namespace

void TrainTableModel::setWagons(const std::vector<ConsistModel::Wagon>& wagons) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(wagons.size());
  for (std::size_t i = 0; i < wagons.size(); ++i) {
    const ConsistModel::Wagon& wagon = wagons[i];
    rows_.push_back({QString::number(i + 1), displayText(wagon.name), fromCp1251(wagon.lengthText),
                     fromCp1251(figureSourceName(wagon.lengthSource)), fromCp1251(wagon.weightText),
                     fromCp1251(figureSourceName(wagon.weightSource)), QString::number(wagon.axles),
                     fromCp1251(figureSourceName(wagon.axlesSource))});
  }
  endResetModel();
}

int TrainTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TrainTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant TrainTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) {
    return {};
  }
  const QStringList& row = rows_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return row[index.column()];
    case Qt::TextAlignmentRole: {
      const bool number = index.column() == Position || index.column() == Length ||
                          index.column() == Weight || index.column() == Axles;
      return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
      return {};
  }
}

QVariant TrainTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  static const QStringList headers = {QStringLiteral("№"),        QStringLiteral("Название"),
                                      QStringLiteral("Длина, м"), QStringLiteral("Откуда длина"),
                                      QStringLiteral("Вес, т"),   QStringLiteral("Откуда вес"),
                                      QStringLiteral("Оси"),      QStringLiteral("Откуда оси")};
  return section >= 0 && section < headers.size() ? headers[section] : QVariant();
}

Qt::ItemFlags TrainTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) {
    return Qt::ItemIsDropEnabled;
  }
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList TrainTableModel::mimeTypes() const {
  return {kRowsType};
}

QMimeData* TrainTableModel::mimeData(const QModelIndexList& indexes) const {
  std::vector<int> lines;
  for (const QModelIndex& index : indexes) {
    lines.push_back(index.row());
  }
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  QStringList text;
  for (const int line : lines) {
    text.append(QString::number(line));
  }
  auto* data = new QMimeData;
  data->setData(kRowsType, text.join(QLatin1Char(',')).toLatin1());
  return data;
}

bool TrainTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                      const QModelIndex&) const {
  return data != nullptr && data->hasFormat(kRowsType);
}

bool TrainTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                   const QModelIndex& parent) {
  if (!canDropMimeData(data, action, row, 0, parent)) {
    return false;
  }
  std::vector<int> lines;
  for (const QByteArray& piece : data->data(kRowsType).split(',')) {
    bool isNumber = false;
    const int line = piece.toInt(&isNumber);
    if (isNumber && line >= 0 && line < rowCount()) {
      lines.push_back(line);
    }
  }
  // On a row the block goes before it; between rows at the gap; below the last row last.
  const int before = row >= 0 ? row : (parent.isValid() ? parent.row() : rowCount());
  if (!lines.empty()) {
    emit moveRequested(lines, before);
  }
  // The move is the window's: the view must not remove the dragged rows itself.
  return false;
}

Qt::DropActions TrainTableModel::supportedDragActions() const {
  return Qt::MoveAction;
}

Qt::DropActions TrainTableModel::supportedDropActions() const {
  return Qt::MoveAction;
}

}  // namespace rakewright
