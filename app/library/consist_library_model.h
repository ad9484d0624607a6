// ConsistLibraryModel, the list of the consist library: one row per consist file with its name,
// the wagons and totals that loading it would give, its date of change and the result of its
// check; a file with errors or warnings is marked by an icon. SortRole gives each column's value
// for sorting (numbers as numbers), FilterRole the texts a filter looks in (the file name and the
// rolling-stock names of the file). What a row shows is made once when the files arrive, so that
// sorting and painting a thousand rows costs no conversions.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <QVariant>

#include <array>
#include <vector>

#include "app/library/consist_library_scanner.h"

namespace rakewright {

class ConsistLibraryModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { File, Wagons, Length, Weight, Axles, Changed, Check };
  static constexpr int kColumns = 7;
  static constexpr int SortRole = Qt::UserRole;
  static constexpr int FilterRole = Qt::UserRole + 1;

  using QAbstractTableModel::QAbstractTableModel;

  void setEntries(ConsistFileEntries entries);
  // The file of a row; nullptr for none.
  const ConsistFileEntry* entry(int row) const;
  // The row of the file with this disk path; -1 for none.
  int rowOf(const std::string& diskPath) const;
  int filesWithErrors() const { return withErrors_; }
  int filesWithWarningsOnly() const { return withWarningsOnly_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row {
    std::array<QString, kColumns> texts;
    std::array<QVariant, kColumns> sortKeys;
    QString filter;
    QString toolTip;
    int errors = 0;
    int warnings = 0;
  };
  static Row rowFor(const ConsistFileEntry& entry);

  ConsistFileEntries entries_;
  std::vector<Row> rows_;
  QIcon errorIcon_;
  QIcon warningIcon_;
  int withErrors_ = 0;
  int withWarningsOnly_ = 0;
};

}  // namespace rakewright
