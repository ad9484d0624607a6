#include "app/user_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

UserMessages::SaveAnswer MessageBoxes::askToSave(const QString& text) {
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle), text,
                  QMessageBox::NoButton, QApplication::activeWindow());
  QPushButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
  QPushButton* discard =
      box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) {
    return SaveAnswer::Save;
  }
  if (box.clickedButton() == discard) {
    return SaveAnswer::Discard;
  }
  return SaveAnswer::Cancel;
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
