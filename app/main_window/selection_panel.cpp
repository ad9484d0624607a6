#include "app/main_window/selection_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string>
#include <utility>

#include "app/catalogue/catalogue_lookup.h"
#include "app/common/qt_text.h"
#include "app/common/widgets.h"
#include "app/pictures/picture_box.h"

namespace rakewright {

namespace {

// The panel's place in the window; the controls' places below are the window's.
constexpr QRect kPlace(280, 0, 462, 200);

QRect inPanel(int left, int top, int width, int height) {
  return {left - kPlace.left(), top - kPlace.top(), width, height};
}

QPushButton* button(QWidget* panel, const char* name, QRect place, const QString& caption,
                    const QFont& font) {
  auto* control = placed<QPushButton>(panel, name, place.left(), place.top(), place.width(),
                                      place.height());
  control->setText(caption);
  control->setFont(font);
  control->setAutoDefault(false);
  return control;
}

// An edit field with its caption just above it, as a labelled edit shows it.
QLineEdit* labelledEdit(QWidget* panel, const char* name, QRect place, const QString& caption,
                        QLabel*& captionLabel) {
  auto* edit = placed<QLineEdit>(panel, name, place.left(), place.top(), place.width(), 21);
  captionLabel =
      placedLabel(panel, (std::string(name) + "Label").c_str(), place.left(), 0, caption);
  constexpr int kSpacing = 3;
  captionLabel->move(place.left(), std::max(0, place.top() - captionLabel->height() - kSpacing));
  return edit;
}

void describe(QWidget* control, const char* name, const char* tip) {
  control->setAccessibleName(QString::fromUtf8(name));
  control->setToolTip(QString::fromUtf8(tip));
}

}  // namespace

SelectionPanel::SelectionPanel(QWidget* window) : QWidget(window) {
  setObjectName(QStringLiteral("SelectionPanel"));
  setGeometry(kPlace);

  QLabel* amountCaption = nullptr;
  amount_ = labelledEdit(this, "AmountEdit", inPanel(8, 15, 41, 21), QStringLiteral("Amount"),
                         amountCaption);
  amount_->setText(QStringLiteral("1"));
  amount_->hide();
  amountCaption->hide();

  name_ = labelledEdit(this, "NameEdit", inPanel(280, 16, 228, 21), QStringLiteral("Name"),
                       nameCaption_);
  name_->setReadOnly(true);
  setBaseColour(name_, kInfoBackground);

  length_ = labelledEdit(this, "LengthEdit", inPanel(514, 16, 49, 21), QStringLiteral("Length"),
                         lengthCaption_);
  length_->setText(QStringLiteral("0"));
  setBaseColour(length_, kInfoBackground);

  const QRect weightCaptionAt = inPanel(569, 1, 0, 0);
  weightCaption_ = placedLabel(this, "Label8", weightCaptionAt.left(), weightCaptionAt.top(),
                               QStringLiteral("Вес"));
  const QRect weightAt = inPanel(569, 16, 52, 21);
  weight_ = placed<QLineEdit>(this, "Edit1", weightAt.left(), weightAt.top(), weightAt.width(),
                              weightAt.height());
  weight_->setText(QStringLiteral("0"));
  setBaseColour(weight_, kInfoBackground);

  addButton_ =
      button(this, "AddButton", inPanel(631, 12, 51, 25), QStringLiteral("+"), uiFont(20, true));
  removeButton_ = button(this, "DeleteButton", inPanel(688, 12, 54, 25), QStringLiteral("-"),
                         uiFont(25, true));

  const QRect previewAt = inPanel(280, 43, 462, 157);
  preview_ = placed<PictureBox>(this, "PreviewImage", previewAt.left(), previewAt.top(),
                                previewAt.width(), previewAt.height());

  describe(name_, "Название", "Название выбранного подвижного состава");
  describe(length_, "Длина", "Длина выбранного вагона в метрах; можно исправить перед добавлением");
  describe(weight_, "Вес", "Вес выбранного вагона в тоннах; можно исправить перед добавлением");
  describe(preview_, "Изображение выбранного вагона", "Изображение выбранного вагона");
  nameCaption_->setBuddy(name_);
  lengthCaption_->setBuddy(length_);
  weightCaption_->setBuddy(weight_);
}

QList<QWidget*> SelectionPanel::focusChain() const {
  return {name_, length_, weight_, addButton_, removeButton_};
}

void SelectionPanel::offer(WagonChoice wagon) {
  // NameEdit shows the name, cut short when it is long; the name itself is kept here. Swapped in,
  // so that the room a long name of the wagon offered before took goes with it (an assignment
  // would keep that room for a short name).
  std::swap(offered_, wagon);
  name_->setText(displayText(offered_.name));
  length_->setText(fromCp1251(offered_.lengthText));
  weight_->setText(fromCp1251(offered_.weightText));
}

void SelectionPanel::showSelection(const CatalogueSelection& selection) {
  offer(selection.choice());
  if (selection.preview) {
    preview_->setImage(*selection.preview);
  }
}

bool SelectionPanel::hasAmount() const {
  return !amount_->text().isEmpty();
}

WagonChoice SelectionPanel::selection() const {
  // The field is read-only: it shows the offered name unless the program put another there.
  WagonChoice wagon;
  const QString shown = name_->text();
  const bool offered = shown == displayText(offered_.name);
  wagon.name = offered ? offered_.name : inputText(shown, nameCaption_->text());
  wagon.lengthText = inputText(length_->text(), lengthCaption_->text());
  wagon.weightText = inputText(weight_->text(), weightCaption_->text());
  if (offered) {
    wagon.picture = offered_.picture;
    if (wagon.lengthText == offered_.lengthText) {
      wagon.lengthSource = offered_.lengthSource;
    }
    if (wagon.weightText == offered_.weightText) {
      wagon.weightSource = offered_.weightSource;
    }
  }
  return wagon;
}

}  // namespace rakewright
