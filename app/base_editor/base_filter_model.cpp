#include "app/base_editor/base_filter_model.h"

#include "app/base_editor/base_table_model.h"

namespace rakewright {

BaseFilterModel::BaseFilterModel(BaseTableModel& rows, QObject* parent)
    : QSortFilterProxyModel(parent), rows_(rows) {
  setSourceModel(&rows_);
  setSortRole(BaseTableModel::SortRole);
  setSortCaseSensitivity(Qt::CaseInsensitive);
}

void BaseFilterModel::setFilter(Filter filter, bool on) {
  const int filters = on ? filters_ | filter : filters_ & ~filter;
  if (filters != filters_) {
    filters_ = filters;
    invalidateRowsFilter();
  }
}

void BaseFilterModel::setSearch(const QString& text) {
  const QString folded = text.toCaseFolded();
  if (folded != search_) {
    search_ = folded;
    invalidateRowsFilter();
  }
}

bool BaseFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  const BaseRow& row = rows_.row(sourceRow);
  const auto wants = [this](Filter filter) { return (filters_ & filter) != 0; };
  if ((wants(WithoutLength) && row.length.source == FigureSource::Base) ||
      (wants(WithoutWeight) && row.weight.source == FigureSource::Base) ||
      (wants(WithoutAxles) && row.axles.source == FigureSource::Base) ||
      (wants(NotInCatalogues) && row.inCatalogues()) || (wants(InConsists) && !row.inConsists)) {
    return false;
  }
  return search_.isEmpty() || rows_.searchText(sourceRow).contains(search_);
}

}  // namespace rakewright
