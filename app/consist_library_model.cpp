#include "app/consist_library_model.h"

#include <QApplication>
#include <QDateTime>
#include <QIcon>
#include <QStyle>

#include <algorithm>

#include "app/qt_text.h"
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

void ConsistLibraryModel::setEntries(ConsistFileEntries entries) {
  beginResetModel();
  entries_ = std::move(entries);
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

int ConsistLibraryModel::filesWithErrors() const {
  if (entries_ == nullptr) {
    return 0;
  }
  return static_cast<int>(std::count_if(entries_->begin(), entries_->end(),
                                        [](const auto& e) { return e.check.errors() > 0; }));
}

int ConsistLibraryModel::filesWithWarningsOnly() const {
  if (entries_ == nullptr) {
    return 0;
  }
  return static_cast<int>(std::count_if(entries_->begin(), entries_->end(), [](const auto& e) {
    return e.check.errors() == 0 && e.check.warnings() > 0;
  }));
}

int ConsistLibraryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || entries_ == nullptr ? 0 : static_cast<int>(entries_->size());
}

int ConsistLibraryModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ConsistLibraryModel::data(const QModelIndex& index, int role) const {
  const ConsistFileEntry* file = entry(index.row());
  if (file == nullptr) {
    return {};
  }
  const ConsistCheck& check = file->check;
  const bool unreadable =
      !check.problems.empty() && check.problems[0].kind == ConsistProblem::Kind::UnreadableFile;
  const QDateTime changed = QDateTime::fromMSecsSinceEpoch(
      std::chrono::duration_cast<std::chrono::milliseconds>(file->modified.time_since_epoch())
          .count());
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      switch (column) {
        case File:
          return displayText(file->name);
        case Wagons:
          return unreadable ? QString() : QString::number(check.wagons);
        case Length:
          return unreadable ? QString() : fromCp1251(check.length);
        case Weight:
          return unreadable ? QString() : fromCp1251(check.weight);
        case Axles:
          return unreadable ? QString() : fromCp1251(check.axles);
        case Changed:
          return changed.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
        case Check:
          return checkText(check);
      }
      return {};
    case SortRole:
      switch (column) {
        case File:
          return displayText(file->name).toLower();
        case Wagons:
          return check.wagons;
        case Length:
          return numberOf(check.length);
        case Weight:
          return numberOf(check.weight);
        case Axles:
          return numberOf(check.axles);
        case Changed:
          return changed;
        case Check:
          return check.errors() * 1000 + check.warnings();
      }
      return {};
    case FilterRole: {
      QStringList texts{fromCp1251(file->name)};
      for (const std::string& name : check.names) {
        texts.append(fromCp1251(name));
      }
      return texts.join(QLatin1Char('\n'));
    }
    case Qt::DecorationRole:
      if (column == File && !check.problems.empty()) {
        return QApplication::style()->standardIcon(
            check.errors() > 0 ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning);
      }
      return {};
    case Qt::ToolTipRole:
      if (column == File || column == Check) {
        return fromCp1251(file->name) +
               (check.problems.empty() ? QString() : QStringLiteral(": ") + checkText(check));
      }
      return {};
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
