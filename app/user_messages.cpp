#include "app/user_messages.h"

#include <QApplication>
#include <QMessageBox>

#include "app/qt_text.h"

namespace rakewright {

namespace {

void showBox(QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace

void MessageBoxes::error(const QString& text) {
  showBox(QMessageBox::Critical, text);
}

void MessageBoxes::warning(const QString& text) {
  showBox(QMessageBox::Warning, text);
}

void showException(UserMessages& messages, const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    messages.error(errorBoxText(e.what()));
  } catch (...) {
    messages.error(QStringLiteral("Unknown error."));
  }
}

QString errorBoxText(std::string_view message) {
  QString text = fromCp1251(message);
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
    text.append(QLatin1Char('.'));
  }
  return text;
}

}  // namespace rakewright
