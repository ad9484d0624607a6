#include "app/base_editor/base_table_model.h"

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QPalette>

#include <algorithm>
#include <numeric>
#include <utility>
#include <variant>

#include "app/common/qt_text.h"
#include "platform/cp1251.h"
#include "platform/numbers.h"

namespace rakewright {

namespace {

const QString kGuessMark = QStringLiteral("≈ ");

std::string matchKey(std::string_view name) {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = name.find_last_not_of(' ');
  return cp1251UpperCase(name.substr(first, last - first + 1));
}

const BaseFigure* figureOf(const BaseRow& row, int column) {
  switch (column) {
    case BaseTableModel::Length:
      return &row.length;
    case BaseTableModel::Weight:
      return &row.weight;
    case BaseTableModel::Axles:
      return &row.axles;
    default:
      return nullptr;
  }
}

}  // namespace

const QStringList& BaseTableModel::categoryNames() {
  static const QStringList names = {QStringLiteral("Пассажирские вагоны"),
                                    QStringLiteral("Грузовые вагоны"), QStringLiteral("Локомотивы"),
                                    QStringLiteral("МВПС"),
                                    QStringLiteral("Спец. техника и восстановительный поезд")};
  return names;
}

BaseTableModel::BaseTableModel(QObject* parent) : QAbstractTableModel(parent) {}

BaseTableModel::Shown BaseTableModel::shown(BaseRow row) {
  Shown result;
  result.name = displayText(row.name);
  result.folded = result.name.toCaseFolded();
  QStringList remarks;
  for (const std::string& remark : row.remarks) {
    remarks.append(fromCp1251(remark));
  }
  result.remarks = remarks.join(QStringLiteral("; "));
  result.row = std::move(row);
  return result;
}

void BaseTableModel::setRows(std::vector<BaseRow> rows) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(rows.size());
  for (BaseRow& row : rows) {
    rows_.push_back(shown(std::move(row)));
  }
  rebuildIndex();
  endResetModel();
  if (sortColumn_ >= 0) {
    applySort();
  }
}

void BaseTableModel::rebuildIndex() {
  index_.clear();
  index_.reserve(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    index_.emplace(matchKey(rows_[i].row.name), static_cast<int>(i));
  }
}

void BaseTableModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kColumns) {
    return;
  }
  sortColumn_ = column;
  sortOrder_ = order;
  applySort();
}

void BaseTableModel::applySort() {
  // Each row's key is taken once; the sort then compares plain values.
  using Key = std::variant<double, QString>;
  std::vector<Key> keys;
  keys.reserve(rows_.size());
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const QVariant value = data(index(i, sortColumn_), SortRole);
    if (value.typeId() == QMetaType::Double) {
      keys.emplace_back(value.toDouble());
    } else {
      keys.emplace_back(value.toString().toCaseFolded());
    }
  }
  std::vector<int> order(rows_.size());
  std::iota(order.begin(), order.end(), 0);
  const bool ascending = sortOrder_ == Qt::AscendingOrder;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return ascending ? keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)]
                     : keys[static_cast<std::size_t>(b)] < keys[static_cast<std::size_t>(a)];
  });

  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(order.size());
  std::vector<Shown> sorted;
  sorted.reserve(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    newRowOf[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    sorted.push_back(std::move(rows_[static_cast<std::size_t>(order[i])]));
  }
  rows_ = std::move(sorted);
  rebuildIndex();
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) {
    after.append(index(newRowOf[static_cast<std::size_t>(old.row())], old.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void BaseTableModel::addRows(std::vector<BaseRow> rows) {
  if (rows.empty()) {
    return;
  }
  const int first = static_cast<int>(rows_.size());
  beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
  for (BaseRow& row : rows) {
    index_.emplace(matchKey(row.name), static_cast<int>(rows_.size()));
    rows_.push_back(shown(std::move(row)));
  }
  endInsertRows();
  if (sortColumn_ >= 0) {
    applySort();
  }
}

void BaseTableModel::setRow(int index, BaseRow row) {
  rows_[static_cast<std::size_t>(index)] = shown(std::move(row));
  emit dataChanged(this->index(index, 0), this->index(index, kColumns - 1));
}

int BaseTableModel::rowOf(const std::string& name) const {
  const auto found = index_.find(matchKey(name));
  return found == index_.end() ? -1 : found->second;
}

int BaseTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BaseTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant BaseTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) {
    return {};
  }
  const Shown& shownRow = rows_[static_cast<std::size_t>(index.row())];
  const BaseRow& row = shownRow.row;
  const int column = index.column();
  const BaseFigure* figure = figureOf(row, column);
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      if (column == Name) {
        return shownRow.name;
      }
      if (column == Category) {
        return row.category ? categoryNames()[static_cast<int>(*row.category)] : QString();
      }
      if (column == Remarks) {
        return shownRow.remarks;
      }
      if (role == Qt::DisplayRole && figure->source == FigureSource::Guess) {
        return kGuessMark + fromCp1251(figure->text);
      }
      return fromCp1251(figure->text);
    case SortRole:
      if (figure != nullptr) {
        try {
          return figure->text.empty() ? -1.0 : parseDecimal(figure->text);
        } catch (const ConversionError&) {
          return -1.0;
        }
      }
      return data(index, Qt::DisplayRole);
    case Qt::ForegroundRole:
      if (figure != nullptr && figure->source != FigureSource::Base) {
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
      }
      return {};
    case Qt::ToolTipRole:
      if (figure != nullptr) {
        if (figure->source == FigureSource::Guess) {
          return QStringLiteral("Длины в базе нет: угадана по названию");
        }
        if (figure->source == FigureSource::Default) {
          return figure->text.empty()
                     ? QStringLiteral("Длины в базе нет, и по названию её не угадать")
                     : QStringLiteral("В базе нет: значение по умолчанию");
        }
        return QStringLiteral("Из базы");
      }
      return column == Remarks && !shownRow.remarks.isEmpty() ? QVariant(shownRow.remarks)
                                                              : QVariant();
    default:
      return {};
  }
}

QVariant BaseTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return {};
  }
  static const QStringList headers = {QStringLiteral("Название"), QStringLiteral("Категория"),
                                      QStringLiteral("Длина, м"), QStringLiteral("Вес, т"),
                                      QStringLiteral("Осей"),     QStringLiteral("Замечания")};
  return headers.value(section);
}

Qt::ItemFlags BaseTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() >= Category && index.column() <= Axles) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

bool BaseTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role == Qt::EditRole && (flags(index) & Qt::ItemIsEditable)) {
    emit editRequested(index.row(), index.column(), value.toString());
  }
  return false;
}

}  // namespace rakewright
