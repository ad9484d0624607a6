#include "app/main_window/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <optional>
#include <utility>

#include "app/catalogue/catalogue_lookup.h"
#include "app/catalogue/catalogue_pane.h"
#include "app/catalogue/catalogue_sides.h"
#include "app/common/actions.h"
#include "app/common/qt_text.h"
#include "app/common/shared_actions.h"
#include "app/common/status_bar.h"
#include "app/common/user_messages.h"
#include "app/common/version.h"
#include "app/common/widgets.h"
#include "app/document/consist_document.h"
#include "app/document/consist_folder_watch.h"
#include "app/main_window/consist_file_panel.h"
#include "app/main_window/consist_strip.h"
#include "app/main_window/selection_panel.h"
#include "app/main_window/strip_panel.h"
#include "app/main_window/totals_panel.h"
#include "app/pictures/picture_box.h"
#include "app/pictures/picture_loader.h"
#include "consist/consist_file.h"
#include "platform/text_file.h"
#include "reference/catalogues.h"

namespace rakewright {

namespace {

// Status panels (counted from 0): 1 for notices about the consist and the selection, 2 for the
// catalogue count message and the preview notice, 3 for the file the last save wrote.
constexpr int kNoticePanel = 1;
constexpr int kCountPanel = 2;
constexpr int kSavedPanel = 3;
const QString kSavedNotice = QStringLiteral("Сохранено: ");
const QString kSkippedNotice = QStringLiteral("Пропущено нечитаемых строк: ");

QPushButton* launcher(QWidget* window, const char* name, QRect place, const QString& caption,
                      const QFont& font, QAction* action) {
  auto* button =
      placed<QPushButton>(window, name, place.left(), place.top(), place.width(), place.height());
  button->setText(caption);
  button->setFont(font);
  button->setAutoDefault(false);
  triggerOnClick(button, action);
  return button;
}

}  // namespace

MainWindow::MainWindow(ConsistDocument& document, const SharedActions& actions, QWidget* parent)
    : QWidget(parent), document_(document) {
  buildControls(actions);
  makeActions();
  actions.addTo(this);
  connectSignals();
  setTabChain();
  guarded(document_.messages(), [this] { start(); });
}

MainWindow::~MainWindow() {
  // Closing the window moves the focus away from a filter box, which may report a choice; by then
  // this window is being taken apart, so the panes report nothing to it any more.
  for (CataloguePane* pane : {trafficPane_, folderPane_}) {
    pane->disconnect(this);
  }
}

void MainWindow::buildControls(const SharedActions& actions) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(
      QStringLiteral("%1 %2").arg(QLatin1String(kApplicationTitle), QLatin1String(kVersion)));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);
  setFont(uiFont(11));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  setPalette(palette);
  setAutoFillBackground(true);

  UserMessages& messages = document_.messages();
  selection_ = new SelectionPanel(this);
  lookup_ = std::make_unique<CatalogueLookup>(document_.base(), document_.anchors().dataRoot,
                                              *selection_->preview());
  trafficPane_ = new CataloguePane(trafficSide(), *lookup_, messages, this);
  folderPane_ = new CataloguePane(folderSide(), *lookup_, messages, this);
  totals_ = new TotalsPanel(this);
  // The totals show a change before the strip draws it, so a failing redraw leaves them right.
  connect(&document_, &ConsistDocument::changed, totals_,
          [this] { totals_->showTotals(document_.model()); });
  files_ = new ConsistFilePanel(document_, this);
  strip_ = new StripPanel(document_, this);
  // Over the strip panel's free corners.
  authorsButton_ = launcher(this, "Button1", {8, 510, 194, 25}, QStringLiteral("Авторы"),
                            uiFont(15), actions.showAuthors);
  status_ = new StatusBar({50, 250, 500, 50}, this);
  status_->setObjectName(QStringLiteral("StatusBar1"));
  status_->setGeometry(0, 549, 1022, 19);
  // The buttons of the other two windows, in free space right of "В конец" and of the clearing
  // button.
  trainButton_ = launcher(this, "TrainButton", {808, 502, 110, 38}, QStringLiteral("Весь состав"),
                          uiFont(16), actions.showTrain);
  libraryButton_ = launcher(this, "LibraryButton", {567, 361, 80, 21}, QStringLiteral("Составы"),
                            uiFont(11, true), actions.showLibrary);
}

void MainWindow::makeActions() {
  UserMessages& messages = document_.messages();
  const auto command = [&](QPushButton* button, const char* text, const char* tip, auto handler,
                           const QList<QKeySequence>& keys = {}) {
    QAction* action = makeAction(this, QString::fromUtf8(text), QString::fromUtf8(tip), messages,
                                 std::move(handler), keys);
    addAction(action);
    triggerOnClick(button, action);
  };
  command(selection_->addButton(), "Добавить",
          "Добавить выбранный вагон в конец состава (в списке: Enter или двойной щелчок)", [this] {
            // The hidden amount field holds the amount of every added line; "+" needs it too.
            if (selection_->hasAmount()) {
              document_.addIfComplete(selection_->selection());
            }
          });
  command(selection_->removeButton(), "Удалить последний",
          "Удалить последний вагон состава (отменяется: Ctrl+Z)",
          [this] { document_.removeLast(); });
  command(files_->loadButton(), "Загрузить", "Загрузить состав из файла (отменяется: Ctrl+Z)",
          [this] { document_.load(); });
  command(files_->saveButton(), "Сохранить", "Сохранить состав в файл (Ctrl+S)",
          [this] { document_.save(); }, {QKeySequence(Qt::CTRL | Qt::Key_S)});
  command(files_->clearButton(), "Удалить все вагоны",
          "Удалить все вагоны из состава (отменяется: Ctrl+Z)", [this] { document_.clear(); });
}

// Every event of the panels and of the document is connected here, each through the guard.
void MainWindow::connectSignals() {
  UserMessages& messages = document_.messages();

  // The catalogue sides: a selection fills the selection fields and the preview, a double-click or
  // Enter adds, the notices go to the status bar, and a filter choice re-applies both sides.
  for (CataloguePane* pane : {trafficPane_, folderPane_}) {
    connect(pane, &CataloguePane::selected, this,
            guardedSlot(messages, [this](const CatalogueSelection& selection) {
              selection_->showSelection(selection);
            }));
    connect(pane, &CataloguePane::addRequested, this,
            guardedSlot(messages, [this] { document_.add(selection_->selection()); }));
    connect(pane, &CataloguePane::lengthNotice, this,
            [this](const QString& text) { status_->setPanelText(kNoticePanel, text); });
    connect(pane, &CataloguePane::previewNotice, this,
            [this](const QString& text) { status_->setPanelText(kCountPanel, text); });
    connect(pane, &CataloguePane::filterChosen, this, guardedSlot(messages, [this] {
              trafficPane_->applyFilterChoice();
              folderPane_->applyFilterChoice();
            }));
  }

  // What the strip asks that needs the selection or the catalogues.
  ConsistStrip* strip = strip_->strip();
  connect(strip, &ConsistStrip::insertRequested, this, guardedSlot(messages, [this](int index) {
            const WagonChoice selected = selection_->selection();
            document_.insert(std::clamp(index, 0, document_.model().wagonCount()), selected);
          }));
  connect(strip, &ConsistStrip::catalogueItemDropped, this,
          guardedSlot(messages, [this](const QMimeData& data, int position) {
            insertDropped(data, position);
          }));
  connect(strip, &ConsistStrip::wagonDropped, this,
          guardedSlot(messages, [this](int from, int position, bool copy) {
            moveDropped(from, position, copy);
          }));

  // What the document reports: a removed wagon is offered again, the status bar follows saves
  // and loads, and the file list follows the consist folder.
  connect(&document_, &ConsistDocument::wagonRemoved, this,
          [this](const WagonChoice& wagon) { selection_->offer(wagon); });
  connect(&document_, &ConsistDocument::edited, this,
          [this] { status_->setPanelText(kSavedPanel, QString()); });
  connect(&document_, &ConsistDocument::saved, this,
          guardedSlot(messages, [this](const QString& name) {
            listConsistFiles();
            status_->setPanelText(kSavedPanel, kSavedNotice + name);
          }));
  connect(&document_, &ConsistDocument::loaded, this, [this](const LoadResult& result) {
    status_->setPanelText(kSavedPanel, QString());
    // The notice of skipped lines belongs to the last load; other notices of the panel stay.
    if (result.skippedLines > 0) {
      status_->setPanelText(kNoticePanel, kSkippedNotice + QString::number(result.skippedLines));
    } else if (status_->panelText(kNoticePanel).startsWith(kSkippedNotice)) {
      status_->setPanelText(kNoticePanel, QString());
    }
  });
  connect(&document_.folderWatch(), &ConsistFolderWatch::changed, this,
          guardedSlot(messages, [this] { listConsistFiles(); }));
}

// Tab goes through the window from the left: the traffic pane, the selection, the folder pane,
// then row by row below them, and last the buttons of the other windows.
void MainWindow::setTabChain() {
  QList<QWidget*> chain = trafficPane_->focusChain();
  chain << selection_->focusChain() << folderPane_->focusChain() << files_->focusChain()
        << strip_->focusChain() << authorsButton_ << trainButton_ << libraryButton_;
  for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
    setTabOrder(chain[i], chain[i + 1]);
  }
}

void MainWindow::centreOnScreen() {
  const QScreen* screen =
      this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void MainWindow::start() {
  const std::string& root = document_.anchors().dataRoot;
  // What saves that were killed before they finished left behind goes first.
  removeStaleTemporaryFiles(root, paths::kConsistFolder);
  removeStaleTemporaryFiles(root, paths::kTrafficFolder);

  totals_->clearLines();
  PictureBox* preview = selection_->preview();
  QImage blank(preview->size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  preview->setImage(blank);
  // Without its logo the window starts all the same, with the blank preview.
  try {
    preview->setImage(loadPicture(root, paths::kLogo, preview->pixelSize()));
  } catch (const PictureError&) {
  }

  // The empty strip; the picture of an empty slot is required, so a failure ends the start-up.
  strip_->redraw();

  Catalogue traffic;
  Catalogue folder;
  try {
    buildCatalogues(root, traffic, folder);
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

  status_->setPanelText(kCountPanel, fromCp1251(count));
}

const Catalogue& MainWindow::trafficCatalogue() const {
  return trafficPane_->catalogue();
}

const Catalogue& MainWindow::folderCatalogue() const {
  return folderPane_->catalogue();
}

std::string MainWindow::wagonInView() const {
  if (const int position = strip_->strip()->currentWagon(); position > 0) {
    return document_.model().wagonName(position);
  }
  return selection_->offeredWagon().name;
}

void MainWindow::listConsistFiles() {
  files_->listFiles(rakewright::listConsistFiles(document_.anchors().dataRoot));
}

void MainWindow::insertDropped(const QMimeData& data, int position) {
  std::optional<CatalogueSelection> item = trafficPane_->draggedItem(data);
  if (!item) {
    item = folderPane_->draggedItem(data);
  }
  if (item) {
    document_.insert(landingIndex(DropKind::Added, position, document_.model().wagonCount()),
                     item->choice());
  }
}

void MainWindow::moveDropped(int from, int position, bool copy) {
  const int count = document_.model().wagonCount();
  if (from < 0 || from >= count) {
    return;
  }
  if (copy) {
    document_.copy(from, landingIndex(DropKind::Added, position, count));
  } else {
    document_.move(from, landingIndex(DropKind::Moved, position, count));
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!document_.mayClose()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

}  // namespace rakewright
