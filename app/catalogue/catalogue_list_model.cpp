#include "app/catalogue/catalogue_list_model.h"

#include <algorithm>

#include "app/common/qt_text.h"

namespace rakewright {

CatalogueListModel::CatalogueListModel(const Catalogue& catalogue, QObject* parent)
    : QAbstractListModel(parent), catalogue_(catalogue) {}

void CatalogueListModel::catalogueReplaced() {
  setMembers(std::nullopt);
}

void CatalogueListModel::setMembers(Entries members) {
  beginResetModel();
  members_ = std::move(members);
  shown_.reset();
  endResetModel();
}

void CatalogueListModel::setShown(Entries shown) {
  beginResetModel();
  shown_ = std::move(shown);
  endResetModel();
}

std::size_t CatalogueListModel::entryAt(int row) const {
  const Entries& entries = rows();
  return entries ? (*entries)[static_cast<std::size_t>(row)] : static_cast<std::size_t>(row);
}

std::optional<int> CatalogueListModel::rowOf(std::size_t entry) const {
  const Entries& entries = rows();
  if (!entries) {
    if (entry >= catalogue_.size()) {
      return std::nullopt;
    }
    return static_cast<int>(entry);
  }
  const auto found = std::lower_bound(entries->begin(), entries->end(), entry);
  if (found == entries->end() || *found != entry) {
    return std::nullopt;
  }
  return static_cast<int>(found - entries->begin());
}

QModelIndex CatalogueListModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0 || parent.isValid() || row >= rowCount()) {
    return {};
  }
  return createIndex(row, column);
}

int CatalogueListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) {
    return 0;
  }
  const Entries& entries = rows();
  return static_cast<int>(entries ? entries->size() : catalogue_.size());
}

QVariant CatalogueListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
    return {};
  }
  // A row shows a long name cut short; the catalogue keeps it whole.
  return displayText(catalogue_[entryAt(index.row())]);
}

}  // namespace rakewright
