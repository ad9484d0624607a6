#include "app/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <optional>
#include <utility>

#include "app/catalogue_lookup.h"
#include "app/catalogue_pane.h"
#include "app/consist_folder_watch.h"
#include "app/consist_history.h"
#include "app/consist_strip.h"
#include "app/picture_box.h"
#include "app/picture_loader.h"
#include "app/qt_text.h"
#include "app/status_bar.h"
#include "app/user_messages.h"
#include "app/widgets.h"
#include "consist/consist_file.h"
#include "platform/text_file.h"
#include "reference/catalogues.h"

namespace rakewright {

namespace {

const QString kLimitWarning = QStringLiteral("Нельзя добавлять больше 100 вагонов!");
const QString kBlankWarning =
    QStringLiteral("Нельзя использовать пробел в названии файла! Переименуйте!!!!");

// The consist file's name as the error for an unwritable character names it.
const QString kConsistFileField = QStringLiteral("Файл состава");
const QString kSkippedNotice = QStringLiteral("Пропущено нечитаемых строк: ");
const QString kSaveQuestion = QStringLiteral("Сохранить изменения в составе?");

// Status panels (counted from 0): 1 for notices about the consist and the selection, 2 for the
// catalogue count message and the preview notice, 3 for the file the last save wrote.
constexpr int kNoticePanel = 1;
constexpr int kCountPanel = 2;
constexpr int kSavedPanel = 3;
const QString kSavedNotice = QStringLiteral("Сохранено: ");

// The space between a total and its unit label.
constexpr int kUnitGap = 5;

// Texts from data files as a control shows them (a long one cut short).
QStringList toQStrings(const std::vector<std::string>& texts) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& text : texts) {
    list.append(displayText(text));
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
  history_ = new ConsistHistory([this](const ConsistModel::State& state) { restore(state); }, this);
  buildControls();
  describeControls();
  connectSignals();
  buildWindowButtons();
  guarded(messages_, [this] { FormCreate(); });
  savedText_ = consistFileText(model_);

  // The file list follows the consist folder while the program runs.
  auto* folderWatch = new ConsistFolderWatch(anchors_.dataRoot, this);
  connect(folderWatch, &ConsistFolderWatch::changed, this,
          [this] { guarded(messages_, [this] { listConsistFiles(); }); });
}

TForm1::~TForm1() {
  // Closing the window moves the focus away from a filter box, which may report a choice; by then
  // this window is being taken apart, so the panes report nothing to it any more.
  for (CataloguePane* pane : {trafficPane_, folderPane_}) {
    pane->disconnect(this);
  }
}

void TForm1::centreOnScreen() {
  const QScreen* screen =
      this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const QRect available = screen->availableGeometry();
  move(available.center() - rect().center());
}

// Every event of the window and of its components is connected here, to its handler, through the
// guard.
void TForm1::connectSignals() {
  const auto guardedCall = [this](void (TForm1::*handler)()) {
    return [this, handler] { guarded(messages_, [&] { (this->*handler)(); }); };
  };
  const auto onClick = [&](QPushButton* control, void (TForm1::*handler)()) {
    connect(control, &QPushButton::clicked, this, guardedCall(handler));
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

  // The strip: a left click on a wagon's picture removes it.
  connect(Panel1, &ConsistStrip::removeRequested, this,
          [this](int index) { guarded(messages_, [&] { DeleteWagon(index); }); });

  // The catalogue sides: a selection fills the selection fields and the preview, a double-click or
  // Enter adds, the notices go to the status bar, and a filter choice re-applies both sides.
  for (CataloguePane* pane : {trafficPane_, folderPane_}) {
    connect(pane, &CataloguePane::selected, this, [this](const CatalogueSelection& selection) {
      guarded(messages_, [&] { showSelection(selection); });
    });
    connect(pane, &CataloguePane::addRequested, this, guardedCall(&TForm1::addPS));
    connect(pane, &CataloguePane::lengthNotice, this,
            [this](const QString& text) { StatusBar1->setPanelText(kNoticePanel, text); });
    connect(pane, &CataloguePane::previewNotice, this,
            [this](const QString& text) { StatusBar1->setPanelText(kCountPanel, text); });
    connect(pane, &CataloguePane::filterChosen, this, guardedCall(&TForm1::ComboBox1Change));
  }

  // Drops on the strip insert, move and copy; the wheel and a drag held at an end page it.
  connect(Panel1, &ConsistStrip::catalogueItemDropped, this,
          [this](const QMimeData& data, int position) {
            guarded(messages_, [&] { insertDropped(data, position); });
          });
  connect(Panel1, &ConsistStrip::wagonDropped, this, [this](int from, int position, bool copy) {
    guarded(messages_, [&] { moveDropped(from, position, copy); });
  });
  connect(Panel1, &ConsistStrip::pageRequested, this,
          [this](PageStep step) { guarded(messages_, [&] { page(step); }); });
  // Keyboard editing of the strip.
  connect(Panel1, &ConsistStrip::moveRequested, this,
          [this](int from, int to) { guarded(messages_, [&] { moveWagon(from, to); }); });
  connect(Panel1, &ConsistStrip::insertRequested, this,
          [this](int index) { guarded(messages_, [&] { insertSelection(index); }); });
  connect(Panel1, &ConsistStrip::showRequested, this,
          [this](int position) { guarded(messages_, [&] { showPosition(position); }); });

  // Keys of the whole window.
  const auto onKeys = [&](const QKeySequence& keys, void (TForm1::*handler)()) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, guardedCall(handler));
  };
  onKeys(QKeySequence(Qt::CTRL | Qt::Key_S), &TForm1::SaveButtonClick);
  onKeys(QKeySequence(Qt::CTRL | Qt::Key_Z), &TForm1::undo);
  onKeys(QKeySequence(Qt::CTRL | Qt::Key_Y), &TForm1::redo);
  onKeys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &TForm1::redo);
}

bool TForm1::hasUnsavedChanges() const {
  return consistFileText(model_) != savedText_;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (hasUnsavedChanges()) {
    switch (messages_.askToSave(kSaveQuestion)) {
      case UserMessages::SaveAnswer::Save: {
        bool saved = false;
        guarded(messages_, [&] { saved = save(); });
        if (!saved) {
          event->ignore();
          return;
        }
        break;
      }
      case UserMessages::SaveAnswer::Discard:
        break;
      case UserMessages::SaveAnswer::Cancel:
        event->ignore();
        return;
    }
  }
  QWidget::closeEvent(event);
}

template <typename Change>
void TForm1::change(const QString& text, Change&& changeConsist) {
  ConsistModel::State before = model_.state();
  const auto record = [&] {
    if (!(before == model_.state())) {
      // What the last save wrote is no longer what the window shows.
      StatusBar1->setPanelText(kSavedPanel, QString());
    }
    history_->record(text, std::move(before), model_.state());
  };
  try {
    changeConsist();
  } catch (...) {
    record();
    throw;
  }
  record();
}

void TForm1::restore(const ConsistModel::State& state) {
  model_.restore(state);
  guarded(messages_, [this] { showChanged(); });
}

void TForm1::undo() {
  history_->undo();
}

void TForm1::redo() {
  history_->redo();
}

void TForm1::insertDropped(const QMimeData& data, int position) {
  std::optional<CatalogueSelection> item = trafficPane_->draggedItem(data);
  if (!item) {
    item = folderPane_->draggedItem(data);
  }
  if (!item) {
    return;
  }
  const int index = landingIndex(DropKind::Added, position, model_.wagonCount());
  change(QStringLiteral("Вставка вагона"),
         [&] { showAdded(model_.insertAt(index, item->choice())); });
}

void TForm1::moveDropped(int from, int position, bool copy) {
  if (from < 0 || from >= model_.wagonCount()) {
    return;
  }
  if (copy) {
    const int to = landingIndex(DropKind::Added, position, model_.wagonCount());
    change(QStringLiteral("Копирование вагона"), [&] { showAdded(model_.copy(from, to)); });
    return;
  }
  moveWagon(from, landingIndex(DropKind::Moved, position, model_.wagonCount()));
}

void TForm1::moveWagon(int from, int to) {
  const int count = model_.wagonCount();
  if (from == to || from < 0 || from >= count || to < 0 || to >= count) {
    return;
  }
  change(QStringLiteral("Перемещение вагона"), [&] {
    model_.move(from, to);
    showChanged();
  });
}

void TForm1::insertSelection(int index) {
  const WagonChoice selected = selection();
  change(QStringLiteral("Вставка вагона"),
         [&] { showAdded(model_.insertAt(std::clamp(index, 0, model_.wagonCount()), selected)); });
}

void TForm1::showPosition(int position) {
  if (const std::optional<int> pageStart =
          pageStartShowing(position, model_.pageStart(), model_.wagonCount())) {
    model_.setPageStart(*pageStart);
    redraw();
  }
}

void TForm1::FormCreate() {
  // What saves that were killed before they finished left behind goes first.
  removeStaleTemporaryFiles(anchors_.dataRoot, paths::kConsistFolder);
  removeStaleTemporaryFiles(anchors_.dataRoot, paths::kTrafficFolder);

  ConsistsMemo->clear();

  QImage blank(PreviewImage->size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  PreviewImage->setImage(blank);

  model_.setPageStart(1);

  // Without its logo the window starts all the same, with the blank preview.
  try {
    PreviewImage->setImage(loadPicture(anchors_.dataRoot, paths::kLogo, PreviewImage->pixelSize()));
  } catch (const PictureError&) {
  }

  // The empty strip; the picture of an empty slot is required, so a failure ends the start-up.
  redraw();

  Catalogue traffic;
  Catalogue folder;
  try {
    buildCatalogues(anchors_.dataRoot, traffic, folder);
  } catch (...) {
    // What was read before the failure is shown.
    trafficPane_->setCatalogue(std::move(traffic));
    folderPane_->setCatalogue(std::move(folder));
    throw;
  }
  const std::string count = catalogueCountMessage(traffic.size(), folder.size());
  trafficPane_->setCatalogue(std::move(traffic));
  folderPane_->setCatalogue(std::move(folder));

  listConsistFiles();

  StatusBar1->setPanelText(kCountPanel, fromCp1251(count));
}

void TForm1::showConsist() {
  QStringList lines = toQStrings(model_.lines());
  ConsistsMemo->setPlainText(lines.join(QLatin1Char('\n')));

  setCaption(ConsistLength, fromCp1251(model_.lengthText()));
  setCaption(Con_Weight, fromCp1251(model_.weightText()));
  setCaption(Num_Osey, fromCp1251(model_.axlesText()));
  Label4->move(ConsistLength->x() + ConsistLength->width() + kUnitGap, Label4->y());
  Label9->move(Con_Weight->x() + Con_Weight->width() + kUnitGap, Label9->y());
}

void TForm1::showOffered(WagonChoice wagon) {
  // NameEdit shows the name, cut short when it is long; the name itself is kept here. Swapped in,
  // so that the room a long name of the wagon offered before took goes with it (an assignment
  // would keep that room for a short name).
  std::swap(offered_, wagon);
  NameEdit->setText(displayText(offered_.name));
  LengthEdit->setText(fromCp1251(offered_.lengthText));
  Edit1->setText(fromCp1251(offered_.weightText));
}

void TForm1::showSelection(const CatalogueSelection& selection) {
  showOffered(selection.choice());
  if (selection.preview) {
    PreviewImage->setImage(*selection.preview);
  }
}

WagonChoice TForm1::selection() const {
  // The field is read-only: it shows the offered name unless the program put another there.
  WagonChoice wagon;
  const QString shown = NameEdit->text();
  const bool offered = shown == displayText(offered_.name);
  wagon.name = offered ? offered_.name : inputText(shown, NameEditLabel->text());
  wagon.lengthText = inputText(LengthEdit->text(), LengthEditLabel->text());
  wagon.weightText = inputText(Edit1->text(), Label8->text());
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

void TForm1::showAdded(ConsistModel::AddOutcome outcome) {
  if (outcome == ConsistModel::AddOutcome::LimitReached) {
    messages_.warning(kLimitWarning);
    return;
  }
  if (outcome == ConsistModel::AddOutcome::Added) {
    showChanged();
  }
}

void TForm1::showChanged() {
  showConsist();
  redraw();
}

void TForm1::showRemoved(const ConsistModel::Removed& removed) {
  // All three fields name the removed wagon, so that a "+" puts it back with its own figures
  // instead of adding the last selected item with the removed wagon's length and weight.
  showOffered(removed);
  showChanged();
}

void TForm1::addPS() {
  const WagonChoice selected = selection();
  change(QStringLiteral("Добавление вагона"), [&] { showAdded(model_.add(selected)); });
}

void TForm1::AddButtonClick() {
  // The hidden amount field holds the amount of every added line; "+" needs it like the others.
  if (AmountEdit->text().isEmpty()) {
    return;
  }
  const WagonChoice selected = selection();
  change(QStringLiteral("Добавление вагона"), [&] {
    if (const auto outcome = model_.addIfComplete(selected)) {
      showAdded(*outcome);
    }
  });
}

void TForm1::DeleteWagon(int index) {
  change(QStringLiteral("Удаление вагона"), [&] { showRemoved(model_.removeAt(index)); });
}

void TForm1::DeleteButtonClick() {
  change(QStringLiteral("Удаление вагона"), [&] {
    if (const auto removed = model_.removeLast()) {
      showRemoved(*removed);
    }
  });
}

void TForm1::ClearButtonClick() {
  change(QStringLiteral("Очистка состава"), [&] {
    model_.clear();
    showChanged();
  });
}

void TForm1::SaveButtonClick() {
  save();
}

bool TForm1::save() {
  const std::string comboText = inputText(ConsistsComboBox->currentText(), kConsistFileField);
  const SaveResult result = saveConsist(anchors_.dataRoot, comboText, model_);
  switch (result.outcome) {
    case SaveResult::Outcome::Ignored:
      return false;
    case SaveResult::Outcome::BlankRefused:
      ConsistsComboBox->setEditText(fromCp1251(result.name));
      messages_.warning(kBlankWarning);
      return false;
    case SaveResult::Outcome::Saved:
      savedText_ = consistFileText(model_);
      ConsistsComboBox->setEditText(fromCp1251(result.name));
      listConsistFiles();
      StatusBar1->setPanelText(kSavedPanel, kSavedNotice + displayText(result.name));
      return true;
  }
  return false;
}

void TForm1::listConsistFiles() {
  const QStringList names = toQStrings(rakewright::listConsistFiles(anchors_.dataRoot));
  QStringList listed;
  for (int i = 0; i < ConsistsComboBox->count(); ++i) {
    listed.append(ConsistsComboBox->itemText(i));
  }
  if (names == listed) {
    return;
  }
  // The typed text stays as it is, and where the cursor and the marked part were in it.
  QLineEdit* edit = ConsistsComboBox->lineEdit();
  const QString kept = ConsistsComboBox->currentText();
  const int cursor = edit->cursorPosition();
  const int selectionStart = edit->selectionStart();
  const int selectionLength = edit->selectionLength();
  ConsistsComboBox->clear();
  ConsistsComboBox->addItems(names);
  ConsistsComboBox->setCurrentIndex(-1);
  ConsistsComboBox->setEditText(kept);
  if (selectionStart >= 0) {
    edit->setSelection(selectionStart, selectionLength);
  } else {
    edit->setCursorPosition(cursor);
  }
}

void TForm1::LoadButtonClick() {
  const std::string comboText = inputText(ConsistsComboBox->currentText(), kConsistFileField);
  change(QStringLiteral("Загрузка состава"), [&] { load(comboText); });
}

void TForm1::load(const std::string& comboText) {
  const LoadResult result = loadConsist(anchors_.dataRoot, comboText, model_);
  savedText_ = consistFileText(model_);
  StatusBar1->setPanelText(kSavedPanel, QString());
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

void TForm1::redraw() {
  emit consistShown();
  ClearImages();
  RefreshConsistImage();
}

void TForm1::ClearImages() {
  Panel1->ClearImages(model_);
  setCaption(Wag_Num, fromCp1251(model_.wagonCountText()));
}

void TForm1::RefreshConsistImage() {
  Panel1->RefreshConsistImage(model_);
}

void TForm1::page(PageStep step) {
  if (const std::optional<int> pageStart =
          pagedStart(step, model_.pageStart(), model_.wagonCount())) {
    model_.setPageStart(*pageStart);
    redraw();
  }
}

void TForm1::Button5Click() {
  page(PageStep::First);
}

void TForm1::Button3Click() {
  page(PageStep::BackPage);
}

void TForm1::PrevPageBtnClick() {
  page(PageStep::Back);
}

void TForm1::NextPageBtnClick() {
  page(PageStep::Forward);
}

void TForm1::Button4Click() {
  page(PageStep::NextPage);
}

void TForm1::Button6Click() {
  page(PageStep::Last);
}

void TForm1::ComboBox1Change() {
  trafficPane_->applyFilterChoice();
  folderPane_->applyFilterChoice();
}

void TForm1::Button1Click() {
  if (authors_ != nullptr) {
    // Over the middle of the main window, wherever that was moved.
    if (!authors_->isVisible()) {
      authors_->move(frameGeometry().center() - authors_->rect().center());
    }
    authors_->show();
    authors_->raise();
    authors_->activateWindow();
  }
}

// A change asked for by the whole-train window (main_window_windows.cpp holds the rest of what it
// uses); here because it runs through change().
bool TForm1::editConsist(const QString& text,
                         const std::function<ConsistModel::AddOutcome(ConsistModel&)>& edit) {
  bool added = false;
  guarded(messages_, [&] {
    change(text, [&] {
      const ConsistModel::AddOutcome outcome = edit(model_);
      added = outcome == ConsistModel::AddOutcome::Added;
      showAdded(outcome);
    });
  });
  return added;
}

}  // namespace rakewright
