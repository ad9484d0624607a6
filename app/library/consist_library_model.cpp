#include "app/library/consist_library_model.h"

#include <QApplication>
#include <QDateTime>
#include <QIcon>
#include <QStyle>

#include <algorithm>

#include "app/common/qt_text.h"
#include "platform/numbers.h"

namespace rakewright {

namespace {

double numberOf(const std::string& text) {
  try {
    return parseDecimal(text);
  } catch (const ConversionError&) {
    return 0;
  }
}

QString checkText(const ConsistCheck& check) {
  const int errors = check.errors();
  const int warnings = check.warnings();
  if (errors == 0 && warnings == 0) {
    return QStringLiteral("в порядке");
  }
  QStringList parts;
  if (errors > 0) {
    parts.append(QStringLiteral("ошибки: %1").arg(errors));
  }
  if (warnings > 0) {
    parts.append(QStringLiteral("замечания: %1").arg(warnings));
  }
  return parts.join(QStringLiteral(", "));
}

}  // namespace

ConsistLibraryModel::Row ConsistLibraryModel::rowFor(const ConsistFileEntry& file) {
  const ConsistCheck& check = file.check;
  const bool unreadable =
      !check.problems.empty() && check.problems[0].kind == ConsistProblem::Kind::UnreadableFile;
  const QDateTime changed = QDateTime::fromMSecsSinceEpoch(
      std::chrono::duration_cast<std::chrono::milliseconds>(file.modified.time_since_epoch())
          .count());
  Row row;
  row.errors = check.errors();
  row.warnings = check.warnings();
  const QString name = displayText(file.name);
  const QString state = checkText(check);
  row.texts = {name,
               unreadable ? QString() : QString::number(check.wagons),
               unreadable ? QString() : fromCp1251(check.length),
               unreadable ? QString() : fromCp1251(check.weight),
               unreadable ? QString() : fromCp1251(check.axles),
               changed.toString(QStringLiteral("dd.MM.yyyy HH:mm")),
               state};
  row.sortKeys = {
      name.toLower(),        check.wagons, numberOf(check.length),          numberOf(check.weight),
      numberOf(check.axles), changed,      row.errors * 1000 + row.warnings};
  QStringList texts{fromCp1251(file.name)};
  for (const std::string& wagon : check.names) {
    texts.append(fromCp1251(wagon));
  }
  row.filter = texts.join(QLatin1Char('\n'));
  row.toolTip = check.problems.empty() ? name : name + QStringLiteral(": ") + state;
  return row;
}

void ConsistLibraryModel::setEntries(ConsistFileEntries entries) {
  if (errorIcon_.isNull()) {
    errorIcon_ = QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
    warningIcon_ = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
  }
  beginResetModel();
  entries_ = std::move(entries);
  rows_.clear();
  withErrors_ = 0;
  withWarningsOnly_ = 0;
  if (entries_ != nullptr) {
    rows_.reserve(entries_->size());
    for (const ConsistFileEntry& entry : *entries_) {
      rows_.push_back(rowFor(entry));
      withErrors_ += rows_.back().errors > 0 ? 1 : 0;
      withWarningsOnly_ += rows_.back().errors == 0 && rows_.back().warnings > 0 ? 1 : 0;
    }
  }
  endResetModel();
}

const ConsistFileEntry* ConsistLibraryModel::entry(int row) const {
  if (entries_ == nullptr || row < 0 || row >= static_cast<int>(entries_->size())) {
    return nullptr;
  }
  return &(*entries_)[static_cast<std::size_t>(row)];
}

int ConsistLibraryModel::rowOf(const std::string& diskPath) const {
  for (int row = 0; row < rowCount(); ++row) {
    if (entry(row)->diskPath == diskPath) {
      return row;
    }
  }
  return -1;
}

int ConsistLibraryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ConsistLibraryModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ConsistLibraryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumns) {
    return {};
  }
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return row.texts[static_cast<std::size_t>(column)];
    case SortRole:
      return row.sortKeys[static_cast<std::size_t>(column)];
    case FilterRole:
      return row.filter;
    case Qt::DecorationRole:
      if (column == File && row.errors + row.warnings > 0) {
        return row.errors > 0 ? errorIcon_ : warningIcon_;
      }
      return {};
    case Qt::ToolTipRole:
      return column == File || column == Check ? QVariant(row.toolTip) : QVariant();
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(
          Qt::AlignVCenter |
          (column >= Wagons && column <= Axles ? Qt::AlignRight : Qt::AlignLeft));
    default:
      return {};
  }
}

QVariant ConsistLibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  static const QStringList headers = {QStringLiteral("Файл"),     QStringLiteral("Вагонов"),
                                      QStringLiteral("Длина, м"), QStringLiteral("Вес, т"),
                                      QStringLiteral("Осей"),     QStringLiteral("Изменён"),
                                      QStringLiteral("Проверка")};
  return section >= 0 && section < headers.size() ? headers[section] : QVariant();
}

}  // namespace rakewright
