#include "app/library/consist_file_actions.h"

#include <QFile>

#include "app/common/qt_text.h"
#include "app/common/user_messages.h"
#include "consist/consist_file.h"
#include "platform/cp1251.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/trash.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

const QString kBlankWarning =
    QStringLiteral("Нельзя использовать пробел в названии файла! Переименуйте!!!!");
const QString kNameField = QStringLiteral("Имя файла");

// A disk path below the data root as the messages name it: from the root on, as the program has
// always named its files (the root is absolute only so that a moved working folder moves
// nothing).
QString shownPath(const std::string& dataRoot, const std::string& diskPath) {
  std::string_view shown = diskPath;
  if (!dataRoot.empty() && shown.starts_with(dataRoot)) {
    shown.remove_prefix(dataRoot.size());
    if (dataRoot.back() != '/' && dataRoot.back() != '\\' && !shown.empty() &&
        (shown.front() == '/' || shown.front() == '\\')) {
      shown.remove_prefix(1);
    }
  }
  return fromDiskPath(shown);
}

// The disk path for a consist file named as `typed` by Save's rules, or nullopt after telling the
// user why not (an empty name, like Save's, says nothing). An existing file of that name, ignoring
// letter case, is refused unless it is `self` (a rename that changes only the letter case).
std::optional<std::string> newFilePath(const std::string& dataRoot, const QString& typed,
                                       UserMessages& messages, const std::string& self = {}) {
  const SaveResult name = consistFileName(inputText(typed, kNameField));
  if (name.outcome == SaveResult::Outcome::Ignored) {
    return std::nullopt;
  }
  if (name.outcome == SaveResult::Outcome::BlankRefused) {
    messages.warning(kBlankWarning);
    return std::nullopt;
  }
  const ResolvedPath existing = resolvePath(dataRoot, paths::consistFile(name.name));
  if (existing.status == ResolvedPath::Status::Found && !sameDiskPath(existing.diskPath, self)) {
    messages.warning(QStringLiteral("Файл «%1» уже есть в папке составов. Выберите другое имя.")
                         .arg(displayText(name.name)));
    return std::nullopt;
  }
  const ResolvedPath folder = resolvePath(dataRoot, paths::kConsistFolder);
  return childPath(folder.diskPath, nameToDisk(name.name));
}

}  // namespace

std::optional<std::string> copyConsistFile(const std::string& dataRoot,
                                           const std::string& sourceDiskPath, const QString& typed,
                                           UserMessages& messages) {
  const std::optional<std::string> target = newFilePath(dataRoot, typed, messages);
  if (!target) {
    return std::nullopt;
  }
  const std::string content = readDiskFile(sourceDiskPath);
  QFile file(fromDiskPath(*target));
  // NewOnly: the system refuses to open a file that appeared meanwhile, so none is overwritten.
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
      file.write(content.data(), static_cast<qint64>(content.size())) !=
          static_cast<qint64>(content.size()) ||
      !file.flush()) {
    const QString reason = file.errorString();
    if (file.isOpen()) {
      file.close();
      file.remove();
    }
    messages.error(QStringLiteral("Не удалось создать файл «%1»: %2")
                       .arg(shownPath(dataRoot, *target), reason));
    return std::nullopt;
  }
  file.close();
  return target;
}

std::optional<std::string> renameConsistFile(const std::string& dataRoot,
                                             const std::string& sourceDiskPath,
                                             const QString& typed, UserMessages& messages) {
  const std::optional<std::string> target = newFilePath(dataRoot, typed, messages, sourceDiskPath);
  if (!target || *target == sourceDiskPath) {
    return std::nullopt;
  }
  // QFile::rename refuses an existing target (the system is asked not to replace one).
  QFile file(fromDiskPath(sourceDiskPath));
  if (!file.rename(fromDiskPath(*target))) {
    messages.error(QStringLiteral("Не удалось переименовать файл «%1»: %2")
                       .arg(shownPath(dataRoot, sourceDiskPath), file.errorString()));
    return std::nullopt;
  }
  return target;
}

bool trashConsistFile(const std::string& diskPath, const QString& shownName,
                      UserMessages& messages) {
  if (!messages.confirm(QStringLiteral("Удалить файл состава «%1»? Он будет перемещён в корзину.")
                            .arg(shownName))) {
    return false;
  }
  const TrashResult result = moveToTrash(diskPath);
  switch (result.outcome) {
    case TrashResult::Outcome::Moved:
      return true;
    case TrashResult::Outcome::NoTrash:
      messages.warning(
          QStringLiteral("Файл «%1» не удалён: корзина здесь недоступна, а удалять безвозвратно "
                         "программа не станет.")
              .arg(shownName));
      return false;
    case TrashResult::Outcome::NotMoved:
      messages.error(QStringLiteral("Не удалось переместить файл «%1» в корзину: %2")
                         .arg(shownName, QString::fromStdString(result.reason)));
      return false;
  }
  return false;
}

}  // namespace rakewright
