#include "app/main_window/consist_file_panel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/catalogue/name_suggestions.h"
#include "app/common/qt_text.h"
#include "app/common/widgets.h"
#include "app/document/consist_document.h"

namespace rakewright {

namespace {

const QColor kLightGreen(0xC0, 0xDC, 0xC0);

// The panel's place in the window; the controls' places below are relative to it.
constexpr QRect kPlace(8, 361, 553, 21);

QPushButton* rowButton(QWidget* panel, const char* name, int left, int width,
                       const QString& caption) {
  auto* control = placed<QPushButton>(panel, name, left - kPlace.left(), 0, width, 21);
  control->setText(caption);
  control->setFont(uiFont(11, true));
  control->setAutoDefault(false);
  return control;
}

}  // namespace

ConsistFilePanel::ConsistFilePanel(ConsistDocument& document, QWidget* window)
    : QWidget(window), document_(document) {
  setObjectName(QStringLiteral("ConsistFilePanel"));
  setGeometry(kPlace);
  fileBox_ = dropDownBox(this, "ConsistsComboBox", 0, 0, 266, {}, QString(), kLightGreen);
  fileBox_->setAccessibleName(QStringLiteral("Файл состава"));
  fileBox_->setToolTip(QStringLiteral("Имя файла состава в папке data\\consists"));
  // Names that fit what is typed are offered in a list below the box, never written into it: the
  // text is only what the user typed or picked, so a quick "Save" cannot hit another file.
  new NameSuggestions(fileBox_);
  loadButton_ = rowButton(this, "LoadButton", 280, 34, QStringLiteral("Load"));
  saveButton_ = rowButton(this, "SaveButton", 320, 33, QStringLiteral("Save"));
  clearButton_ =
      rowButton(this, "ClearButton", 359, 202, QStringLiteral("Удалить все вагоны из состава"));

  connect(fileBox_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (!listing_) {
      document_.setFileName(text);
    }
  });
  connect(&document_, &ConsistDocument::fileNameChanged, this, [this](const QString& name) {
    if (fileBox_->currentText() != name) {
      fileBox_->setEditText(name);
    }
  });
}

QList<QWidget*> ConsistFilePanel::focusChain() const {
  return {fileBox_, loadButton_, saveButton_, clearButton_};
}

void ConsistFilePanel::listFiles(const std::vector<std::string>& names) {
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) {
    shown.append(displayText(name));
  }
  QStringList listed;
  for (int i = 0; i < fileBox_->count(); ++i) {
    listed.append(fileBox_->itemText(i));
  }
  if (shown == listed) {
    return;
  }
  // The typed text stays as it is, and where the cursor and the marked part were in it.
  QLineEdit* edit = fileBox_->lineEdit();
  const QString kept = fileBox_->currentText();
  const int cursor = edit->cursorPosition();
  const int selectionStart = edit->selectionStart();
  const int selectionLength = edit->selectionLength();
  listing_ = true;
  fileBox_->clear();
  fileBox_->addItems(shown);
  fileBox_->setCurrentIndex(-1);
  fileBox_->setEditText(kept);
  listing_ = false;
  if (selectionStart >= 0) {
    edit->setSelection(selectionStart, selectionLength);
  } else {
    edit->setCursorPosition(cursor);
  }
}

}  // namespace rakewright
