#include "app/consist_file_actions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

#include "app/qt_text.h"
#include "app/user_messages.h"
#include "consist/consist_file.h"
#include "platform/cp1251.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

const QString kBlankWarning =
    QStringLiteral("Нельзя использовать пробел в названии файла! Переименуйте!!!!");
const QString kNameField = QStringLiteral("Имя файла");

QString qtPath(const std::string& diskPath) {
  return QFile::decodeName(QByteArray::fromStdString(diskPath));
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
  if (existing.status == ResolvedPath::Status::Found && existing.diskPath != self) {
    messages.warning(QStringLiteral("Файл «%1» уже есть в папке составов. Выберите другое имя.")
                         .arg(displayText(name.name)));
    return std::nullopt;
  }
  const ResolvedPath folder = resolvePath(dataRoot, paths::kConsistFolder);
  return (std::filesystem::path(folder.diskPath) / nameToDisk(name.name)).string();
}

}  // namespace

std::optional<std::string> copyConsistFile(const std::string& dataRoot,
                                           const std::string& fromDiskPath, const QString& typed,
                                           UserMessages& messages) {
  const std::optional<std::string> target = newFilePath(dataRoot, typed, messages);
  if (!target) {
    return std::nullopt;
  }
  const std::string content = readDiskFile(fromDiskPath);
  QFile file(qtPath(*target));
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
    messages.error(QStringLiteral("Не удалось создать файл «%1»: %2").arg(qtPath(*target), reason));
    return std::nullopt;
  }
  file.close();
  return target;
}

std::optional<std::string> renameConsistFile(const std::string& dataRoot,
                                             const std::string& fromDiskPath, const QString& typed,
                                             UserMessages& messages) {
  const std::optional<std::string> target = newFilePath(dataRoot, typed, messages, fromDiskPath);
  if (!target || *target == fromDiskPath) {
    return std::nullopt;
  }
  // QFile::rename refuses an existing target (the system is asked not to replace one).
  QFile file(qtPath(fromDiskPath));
  if (!file.rename(qtPath(*target))) {
    messages.error(QStringLiteral("Не удалось переименовать файл «%1»: %2")
                       .arg(qtPath(fromDiskPath), file.errorString()));
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
  const QString path = qtPath(diskPath);
  QString inTrash;
  bool trashed = QFile::moveToTrash(path, &inTrash);
  if (trashed && QFileInfo(inTrash).isRelative()) {
    // Qt 6.4 reports success when it found no trash folder, having moved the file into "files"
    // below the working folder (the simulator's folder here). That is no trash: the file goes
    // back where it was, and what Qt made there goes.
    QFile::rename(inTrash, path);
    const QDir files = QFileInfo(inTrash).dir();
    const QString info = QFileInfo(files.path()).path() + QStringLiteral("/info");
    QFile::remove(info + QLatin1Char('/') + QFileInfo(inTrash).fileName() +
                  QStringLiteral(".trashinfo"));
    QDir().rmdir(files.path());
    QDir().rmdir(info);
    trashed = false;
  }
  if (!trashed) {
    messages.warning(
        QStringLiteral("Файл «%1» не удалён: корзина здесь недоступна, а удалять безвозвратно "
                       "программа не станет.")
            .arg(shownName));
    return false;
  }
  return true;
}

}  // namespace rakewright
