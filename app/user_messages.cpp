#include "app/user_messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
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

bool MessageBoxes::confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle), text,
                  QMessageBox::NoButton, QApplication::activeWindow());
  QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

std::optional<QString> MessageBoxes::askText(const QString& prompt, const QString& text) {
  bool accepted = false;
  const QString answer =
      QInputDialog::getText(QApplication::activeWindow(), QString::fromLatin1(kApplicationTitle),
                            prompt, QLineEdit::Normal, text, &accepted);
  return accepted ? std::optional<QString>(answer) : std::nullopt;
}

std::optional<int> MessageBoxes::askNumber(const QString& prompt, int value, int minimum,
                                           int maximum) {
  bool accepted = false;
  const int answer =
      QInputDialog::getInt(QApplication::activeWindow(), QString::fromLatin1(kApplicationTitle),
                           prompt, value, minimum, maximum, 1, &accepted);
  return accepted ? std::optional<int>(answer) : std::nullopt;
}

std::optional<QString> MessageBoxes::askSaveFile(const QString& caption, const QString& path,
                                                 const QString& filter) {
  const QString chosen =
      QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, path, filter);
  return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
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
