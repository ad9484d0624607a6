// BaseTableModel, the rows of the rolling-stock base editor as a table: one row per rolling-stock
// name known anywhere (BaseRow), with its name, category (the length section, named as the traffic
// filter names it), length, weight, axles and the remarks on lines a lookup passes over. A figure
// the base gives is shown plain; a default is greyed, and a guessed length greyed and marked "≈".
// The texts are made once per row, when the rows arrive, so that sorting and filtering ask no
// conversions of thousands of rows.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "reference/base_rows.h"

namespace rakewright {

class BaseTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { Name, Category, Length, Weight, Axles, Remarks, kColumns };
  // The value a column sorts by: names and categories by text, figures by number.
  static constexpr int SortRole = Qt::UserRole + 1;

  // The captions of the five categories, in the order of kLengthSections.
  static const QStringList& categoryNames();

  explicit BaseTableModel(QObject* parent = nullptr);

  void setRows(std::vector<BaseRow> rows);
  // Shows `row` anew after an edit of its name.
  void setRow(int index, BaseRow row);
  const BaseRow& row(int index) const { return rows_[static_cast<std::size_t>(index)].row; }
  // The row of `name` (as the base matches names: letter case and blanks around it aside); -1
  // when no row has it.
  int rowOf(const std::string& name) const;
  // Appends rows after the others.
  void addRows(std::vector<BaseRow> rows);
  // The name as it is searched: case-folded.
  const QString& searchText(int index) const {
    return rows_[static_cast<std::size_t>(index)].folded;
  }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Sorts the rows themselves by `column` (SortRole's values, texts ignoring letter case; equal
  // values keep their order), so that the filter above them never sorts: a search keystroke then
  // costs one pass over the rows. Rows added later are sorted in; an edited row stays in place.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
  // An edit in the table changes nothing here: it is asked for (editRequested), and the row
  // changes when the base took it.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  void editRequested(int row, int column, const QString& typed);

 private:
  struct Shown {
    BaseRow row;
    QString name;
    QString folded;
    QString remarks;
  };
  static Shown shown(BaseRow row);

  // Puts the rows in the order of the last sort, keeping every persistent index on its row.
  void applySort();
  void rebuildIndex();

  std::vector<Shown> rows_;
  std::unordered_map<std::string, int> index_;  // by the name as matched
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace rakewright
