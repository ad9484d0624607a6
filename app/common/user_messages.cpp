#include "app/common/user_messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/common/qt_text.h"

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

namespace {

// A small input dialog with the buttons in Russian, as every box of the program.
void prepareInput(QInputDialog& dialog, const QString& prompt) {
  dialog.setWindowTitle(QString::fromLatin1(kApplicationTitle));
  dialog.setLabelText(prompt);
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("Отмена"));
}

}  // namespace

std::optional<QString> MessageBoxes::askText(const QString& prompt, const QString& text) {
  QInputDialog dialog(QApplication::activeWindow());
  prepareInput(dialog, prompt);
  dialog.setTextValue(text);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return dialog.textValue();
}

std::optional<int> MessageBoxes::askNumber(const QString& prompt, int value, int minimum,
                                           int maximum) {
  QInputDialog dialog(QApplication::activeWindow());
  prepareInput(dialog, prompt);
  dialog.setInputMode(QInputDialog::IntInput);
  dialog.setIntRange(minimum, maximum);
  dialog.setIntValue(value);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return dialog.intValue();
}

std::optional<QString> MessageBoxes::askSaveFile(const QString& caption, const QString& path,
                                                 const QString& filter) {
  QFileDialog dialog(QApplication::activeWindow(), caption, path, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The labels of Qt's own dialog; a platform's dialog has its own.
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файла:"));
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Сохранить"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().first();
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
