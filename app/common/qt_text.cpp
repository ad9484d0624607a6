#include "app/common/qt_text.h"

#include <stdexcept>

#include "platform/cp1251.h"

namespace rakewright {

QString fromCp1251(std::string_view text) {
  const std::string utf8 = cp1251ToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString displayText(std::string_view text) {
  if (text.size() <= kShownCharacters) {
    return fromCp1251(text);
  }
  return fromCp1251(text.substr(0, kShownCharacters)) + QChar(0x2026);
}

std::optional<std::string> toCp1251(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return utf8ToCp1251(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString fromDiskPath(std::string_view diskPath) {
  return QString::fromUtf8(diskPath.data(), static_cast<qsizetype>(diskPath.size()));
}

std::string toDiskPath(const QString& path) {
  const QByteArray utf8 = path.toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::string inputText(const QString& text, const QString& caption) {
  std::optional<std::string> bytes = toCp1251(text);
  if (!bytes) {
    const QString message = QStringLiteral(
                                "В поле «%1» есть знаки, которых нет в кодировке Windows-1251. "
                                "Исправьте текст")
                                .arg(caption);
    // The caption is ours and always converts; the field's text, which does not, is left out.
    throw std::runtime_error(
        toCp1251(message).value_or("Invalid characters in " + caption.toStdString()));
  }
  return std::move(*bytes);
}

}  // namespace rakewright
