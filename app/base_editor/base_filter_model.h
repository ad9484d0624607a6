// BaseFilterModel, what the base editor's table shows of its rows: those that every ticked
// filter keeps ("без длины", "без веса", "без осей", "нет в каталогах", "есть в составах") and
// whose name holds the search text, letter case ignored, in the order the rows were sorted in
// (BaseTableModel::sort, which a click on a header reaches through this model).
#pragma once

#include <QSortFilterProxyModel>
#include <QString>

namespace rakewright {

class BaseTableModel;

class BaseFilterModel : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  enum Filter {
    WithoutLength = 1 << 0,
    WithoutWeight = 1 << 1,
    WithoutAxles = 1 << 2,
    NotInCatalogues = 1 << 3,
    InConsists = 1 << 4,
  };

  explicit BaseFilterModel(BaseTableModel& rows, QObject* parent = nullptr);

  void setFilter(Filter filter, bool on);
  void setSearch(const QString& text);
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  void refilter();

  BaseTableModel& rows_;
  int filters_ = 0;
  QString search_;
};

}  // namespace rakewright
