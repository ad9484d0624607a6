#include "app/train/train_export.h"

#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QStringList>

#include "app/common/user_messages.h"

namespace rakewright {

std::optional<QString> exportTrainPicture(const std::vector<TrainItem>& items,
                                          const QString& consistName, const QString& totals,
                                          UserMessages& messages) {
  QString stem = consistName;
  if (stem.endsWith(QStringLiteral(".con"), Qt::CaseInsensitive)) {
    stem.chop(4);
  }
  QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) {
    folder = QDir::homePath();
  }
  const std::optional<QString> path = messages.askSaveFile(
      QStringLiteral("Сохранить состав картинкой"),
      QDir(folder).filePath((stem.isEmpty() ? QStringLiteral("состав") : stem) +
                            QStringLiteral(".png")),
      QStringLiteral("Картинка PNG (*.png)"));
  if (!path) {
    return std::nullopt;
  }
  const QStringList caption = {consistName.isEmpty() ? QStringLiteral("Состав без имени")
                                                     : QStringLiteral("Состав ") + consistName,
                               totals};
  if (!trainPicture(items, caption).save(*path, "PNG")) {
    messages.error(QStringLiteral("Не удалось записать файл «%1».").arg(*path));
    return std::nullopt;
  }
  return path;
}

}  // namespace rakewright
