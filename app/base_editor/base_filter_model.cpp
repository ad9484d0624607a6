#include "app/base_editor/base_filter_model.h"

#include "app/base_editor/base_table_model.h"

namespace rakewright {

BaseFilterModel::BaseFilterModel(BaseTableModel& rows, QObject* parent)
    : QSortFilterProxyModel(parent), rows_(rows) {
  setSourceModel(&rows_);
}

void BaseFilterModel::sort(int column, Qt::SortOrder order) {
  // The rows sort themselves once; this model keeps their order and only leaves rows out.
  rows_.sort(column, order);
}

void BaseFilterModel::setFilter(Filter filter, bool on) {
  const int filters = on ? filters_ | filter : filters_ & ~filter;
  if (filters != filters_) {
    filters_ = filters;
    refilter();
  }
}

void BaseFilterModel::setSearch(const QString& text) {
  const QString folded = text.toCaseFolded();
  if (folded != search_) {
    search_ = folded;
    refilter();
  }
}

void BaseFilterModel::refilter() {
  // The mapping made anew with one layout change: filtering row by row would announce every run
  // of rows that goes or comes on its own, and the view would lay itself out again for each of
  // thousands of runs.
  invalidate();
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
