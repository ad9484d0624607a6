#include "app/main_window.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <utility>

#include "app/catalogue_view.h"
#include "app/picture_loader.h"
#include "app/qt_text.h"
#include "app/user_messages.h"
#include "app/widgets.h"
#include "consist/consist_file.h"
#include "reference/catalogues.h"

namespace rakewright {

namespace {

const QString kLimitWarning = QStringLiteral("Нельзя добавлять больше 100 вагонов!");
const QString kBlankWarning =
    QStringLiteral("Нельзя использовать пробел в названии файла! Переименуйте!!!!");

// The consist file's name as the error for an unwritable character names it.
const QString kConsistFileField = QStringLiteral("Файл состава");
const QString kSkippedNotice = QStringLiteral("Пропущено нечитаемых строк: ");

// Status panels (counted from 0): 1 for notices about the consist and the selection, 2 for the
// catalogue count message.
constexpr int kNoticePanel = 1;
constexpr int kCountPanel = 2;

// The space between a total and its unit label.
constexpr int kUnitGap = 5;

QStringList toQStrings(const std::vector<std::string>& texts) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& text : texts) {
    list.append(fromCp1251(text));
  }
  return list;
}

}  // namespace

TForm1::TForm1(Anchors anchors, UserMessages& messages, QWidget* parent)
    : QWidget(parent),
      anchors_(std::move(anchors)),
      messages_(messages),
      base_(anchors_.programFolder),
      model_(base_) {
  buildControls();
  connectSignals();
  guarded([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::centreOnScreen() {
  const QScreen* screen =
      this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const QRect available = screen->availableGeometry();
  move(available.center() - rect().center());
}

// Every event of the window is connected here, to its handler, through the guard.
void TForm1::connectSignals() {
  const auto onClick = [this](QPushButton* control, void (TForm1::*handler)()) {
    connect(control, &QPushButton::clicked, this,
            [this, handler] { guarded([&] { (this->*handler)(); }); });
  };
  onClick(AddButton, &TForm1::AddButtonClick);
  onClick(DeleteButton, &TForm1::DeleteButtonClick);
  onClick(ClearButton, &TForm1::ClearButtonClick);
  onClick(SaveButton, &TForm1::SaveButtonClick);
  onClick(LoadButton, &TForm1::LoadButtonClick);
  onClick(Button5, &TForm1::Button5Click);
  onClick(Button3, &TForm1::Button3Click);
  onClick(PrevPageBtn, &TForm1::PrevPageBtnClick);
  onClick(NextPageBtn, &TForm1::NextPageBtnClick);
  onClick(Button4, &TForm1::Button4Click);
  onClick(Button6, &TForm1::Button6Click);
  onClick(Button1, &TForm1::Button1Click);

  const auto onMouseUp = [this](PictureBox* control, void (TForm1::*handler)(Qt::MouseButton)) {
    connect(control, &PictureBox::mouseReleased, this, [this, handler](Qt::MouseButton button) {
      guarded([&] { (this->*handler)(button); });
    });
  };
  onMouseUp(PrvImg1, &TForm1::PrvImg1MouseUp);
  onMouseUp(PrvImg2, &TForm1::PrvImg2MouseUp);
  onMouseUp(PrvImg3, &TForm1::PrvImg3MouseUp);
  onMouseUp(PrvImg4, &TForm1::PrvImg4MouseUp);
  onMouseUp(PrvImg5, &TForm1::PrvImg5MouseUp);
  onMouseUp(PrvImg6, &TForm1::PrvImg6MouseUp);

  // The catalogue lists and the two filter boxes are the catalogue view's: it connects them to
  // its handlers (selection, double-click, Enter, filter change), through guarded() as well.
  catalogue_ = new CatalogueView(*this);
}

void TForm1::showError(std::exception_ptr error) {
  try {
    std::rethrow_exception(std::move(error));
  } catch (const std::exception& e) {
    messages_.error(errorBoxText(e.what()));
  } catch (...) {
    messages_.error(QStringLiteral("Unknown error."));
  }
}

void TForm1::FormCreate() {
  ListBox1->clear();
  ConsistsMemo->clear();

  QImage blank(PreviewImage->size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  PreviewImage->setImage(blank);

  model_.setPageStart(1);

  // Without its logo the window starts all the same, with the blank preview.
  try {
    PreviewImage->setImage(loadPicture(anchors_.dataRoot, paths::kLogo));
  } catch (const std::exception&) {
  }

  // The empty strip; the picture of an empty slot is required, so a failure ends the start-up.
  redraw();

  Catalogue traffic;
  Catalogue folder;
  const auto fillLists = [&] {
    ListBox1->addItems(toQStrings(traffic));
    ListBox3->addItems(toQStrings(folder));
  };
  try {
    buildCatalogues(anchors_.dataRoot, traffic, folder);
  } catch (...) {
    // What was read before the failure is shown.
    fillLists();
    throw;
  }
  fillLists();

  listConsistFiles();

  StatusBar1->setPanelText(kCountPanel,
                           fromCp1251(catalogueCountMessage(traffic.size(), folder.size())));
}

void TForm1::showConsist() {
  QStringList lines = toQStrings(model_.lines());
  ConsistsMemo->setPlainText(lines.join(QLatin1Char('\n')));

  setCaption(ConsistLength, fromCp1251(model_.ConsistLength()));
  setCaption(Con_Weight, fromCp1251(model_.Con_Weight()));
  setCaption(Num_Osey, fromCp1251(model_.Num_Osey()));
  Label4->move(ConsistLength->x() + ConsistLength->width() + kUnitGap, Label4->y());
  Label9->move(Con_Weight->x() + Con_Weight->width() + kUnitGap, Label9->y());
}

TForm1::Selection TForm1::selection() const {
  return {inputText(NameEdit->text(), NameEditLabel->text()),
          inputText(LengthEdit->text(), LengthEditLabel->text()),
          inputText(Edit1->text(), Label8->text())};
}

void TForm1::showAdded(ConsistModel::AddOutcome outcome) {
  if (outcome == ConsistModel::AddOutcome::LimitReached) {
    messages_.warning(kLimitWarning);
    return;
  }
  if (outcome == ConsistModel::AddOutcome::Added) {
    showConsist();
    redraw();
  }
}

void TForm1::showRemoved(const ConsistModel::Removed& removed) {
  LengthEdit->setText(fromCp1251(removed.lengthText));
  Edit1->setText(fromCp1251(removed.weightText));
  showConsist();
  redraw();
}

void TForm1::addPS() {
  const Selection selected = selection();
  showAdded(model_.addPS(selected.name, selected.length, selected.weight));
}

void TForm1::AddButtonClick() {
  // The hidden amount field holds the amount of every added line; "+" needs it like the others.
  if (AmountEdit->text().isEmpty()) {
    return;
  }
  const Selection selected = selection();
  if (const auto outcome = model_.AddButtonClick(selected.name, selected.length, selected.weight)) {
    showAdded(*outcome);
  }
}

void TForm1::DeleteWagon(int index) {
  showRemoved(model_.DeleteWagon(index));
}

void TForm1::DeleteButtonClick() {
  if (const auto removed = model_.DeleteButtonClick()) {
    showRemoved(*removed);
  }
}

void TForm1::ClearButtonClick() {
  model_.Clear();
  showConsist();
  redraw();
}

void TForm1::SaveButtonClick() {
  const std::string comboText = inputText(ConsistsComboBox->currentText(), kConsistFileField);
  const SaveResult result = SaveConsist(anchors_.dataRoot, comboText, model_);
  switch (result.outcome) {
    case SaveResult::Outcome::Ignored:
      return;
    case SaveResult::Outcome::BlankRefused:
      ConsistsComboBox->setEditText(fromCp1251(result.name));
      messages_.warning(kBlankWarning);
      return;
    case SaveResult::Outcome::Saved:
      ConsistsComboBox->setEditText(fromCp1251(result.name));
      listConsistFiles();
      return;
  }
}

void TForm1::listConsistFiles() {
  const QString kept = ConsistsComboBox->currentText();
  ConsistsComboBox->clear();
  ConsistsComboBox->addItems(toQStrings(rakewright::listConsistFiles(anchors_.dataRoot)));
  ConsistsComboBox->setCurrentIndex(-1);
  ConsistsComboBox->setEditText(kept);
}

void TForm1::LoadButtonClick() {
  const std::string comboText = inputText(ConsistsComboBox->currentText(), kConsistFileField);
  const LoadResult result = LoadConsist(anchors_.dataRoot, comboText, model_);
  // The notice of skipped lines belongs to the last load; other notices of the panel stay.
  if (result.skippedLines > 0) {
    StatusBar1->setPanelText(kNoticePanel, kSkippedNotice + QString::number(result.skippedLines));
  } else if (StatusBar1->panelText(kNoticePanel).startsWith(kSkippedNotice)) {
    StatusBar1->setPanelText(kNoticePanel, QString());
  }
  showConsist();
  // Told before the redraw, so that a failing redraw cannot hide that the file was cut short.
  if (result.limitReached) {
    messages_.warning(kLimitWarning);
  }
  redraw();
}

void TForm1::Button1Click() {
  if (authors_ != nullptr) {
    authors_->show();
    authors_->raise();
    authors_->activateWindow();
  }
}

}  // namespace rakewright
