// SelectionPanel, the centre of the main window's top: the wagon offered for adding (its name,
// length and weight in NameEdit, LengthEdit and Edit1, with their captions), "+" and "-", and the
// preview picture below them. The hidden AmountEdit holds the amount of every line added.
//
// The panel keeps the wagon it offers (a catalogue selection or a removed wagon) whole, with the
// picture and figure sources that go with it into the consist while the fields still show it;
// selection() gives the wagon the fields describe now, a figure typed over the offered one
// counting as typed.
#pragma once

#include <QList>
#include <QWidget>

#include "consist/consist_model.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace rakewright {

class PictureBox;
struct CatalogueSelection;

class SelectionPanel : public QWidget {
  Q_OBJECT
 public:
  explicit SelectionPanel(QWidget* window);

  // Makes `wagon` the offered wagon and shows it in the fields.
  void offer(WagonChoice wagon);
  // What a catalogue selection shows: its wagon, and its preview where one was loaded.
  void showSelection(const CatalogueSelection& selection);
  const WagonChoice& offeredWagon() const { return offered_; }

  // The wagon the fields describe, in Windows-1251 text; a character the code page cannot hold is
  // refused (std::runtime_error naming the field).
  WagonChoice selection() const;
  // Whether the hidden amount field holds an amount, which "+" needs like the other fields.
  bool hasAmount() const;

  PictureBox* preview() const { return preview_; }
  QPushButton* addButton() const { return addButton_; }
  QPushButton* removeButton() const { return removeButton_; }
  // The fields and buttons in their tab order.
  QList<QWidget*> focusChain() const;

 private:
  WagonChoice offered_;
  QLineEdit* amount_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLabel* nameCaption_ = nullptr;
  QLineEdit* length_ = nullptr;
  QLabel* lengthCaption_ = nullptr;
  QLabel* weightCaption_ = nullptr;
  QLineEdit* weight_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  PictureBox* preview_ = nullptr;
};

}  // namespace rakewright
