#include "app/program.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QUndoStack>

#include <algorithm>
#include <utility>

#include "app/base_editor/base_editor_window.h"
#include "app/common/actions.h"
#include "app/common/user_messages.h"
#include "app/library/consist_library_window.h"
#include "app/main_window/authors_window.h"
#include "app/main_window/main_window.h"
#include "app/train/train_window.h"

namespace rakewright {

namespace {

// Places a window that is shown for the first time beside `owner`: below it where the screen has
// room, else over its lower part, always on the screen.
void placeBelow(QWidget& window, const QWidget& owner) {
  const QScreen* screen =
      owner.screen() != nullptr ? owner.screen() : QGuiApplication::primaryScreen();
  QPoint at(owner.frameGeometry().left(), owner.frameGeometry().bottom() + 1);
  if (screen != nullptr) {
    const QRect available = screen->availableGeometry();
    at.setY(std::min(at.y(), available.bottom() - window.height()));
    at.setX(std::clamp(at.x(), available.left(),
                       std::max(available.left(), available.right() - window.width())));
    at.setY(std::max(at.y(), available.top()));
  }
  window.move(at);
}

// Places `window` over the middle of `owner`, wherever that was moved.
void placeOver(QWidget& window, const QWidget& owner) {
  window.move(owner.frameGeometry().center() - window.rect().center());
}

}  // namespace

void SharedActions::addTo(QWidget* window) const {
  window->addActions({undo, redo, showTrain, showLibrary, showBaseEditor});
}

Program::Program(Anchors anchors, UserMessages& messages)
    : document_(std::move(anchors), messages) {
  makeActions();
  mainWindow_ = std::make_unique<MainWindow>(document_, actions_);
  authorsWindow_ = std::make_unique<AuthorsWindow>();
}

Program::~Program() {
  // The windows go before the document and the commands they use.
  mainWindow_.reset();
  authorsWindow_.reset();
}

void Program::makeActions() {
  UserMessages& messages = document_.messages();
  actions_.undo =
      makeAction(this, QStringLiteral("Отменить"), QStringLiteral("Отменить (Ctrl+Z)"), messages,
                 [this] { document_.undo(); }, {QKeySequence(Qt::CTRL | Qt::Key_Z)});
  actions_.redo = makeAction(
      this, QStringLiteral("Повторить"), QStringLiteral("Повторить (Ctrl+Y)"), messages,
      [this] { document_.redo(); },
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  QUndoStack& history = document_.history();
  actions_.undo->setEnabled(history.canUndo());
  actions_.redo->setEnabled(history.canRedo());
  connect(&history, &QUndoStack::canUndoChanged, actions_.undo, &QAction::setEnabled);
  connect(&history, &QUndoStack::canRedoChanged, actions_.redo, &QAction::setEnabled);

  actions_.showTrain =
      makeAction(this, QStringLiteral("Весь состав"),
                 QStringLiteral("Весь состав в одном окне: выбор и правка блоков вагонов (Ctrl+T)"),
                 messages, [this] { showTrainWindow(); }, {QKeySequence(Qt::CTRL | Qt::Key_T)});
  actions_.showLibrary =
      makeAction(this, QStringLiteral("Составы"),
                 QStringLiteral("Все файлы составов папки data\\consists с их проверкой (Ctrl+O)"),
                 messages, [this] { showLibraryWindow(); }, {QKeySequence(Qt::CTRL | Qt::Key_O)});
  actions_.showBaseEditor = makeAction(
      this, QStringLiteral("База подвижного состава"),
      QStringLiteral("Длины, вес и оси в base.ini: исправить то, что находит проверка (Ctrl+B)"),
      messages, [this] { showBaseEditor(wagonInView()); }, {QKeySequence(Qt::CTRL | Qt::Key_B)});
  actions_.showAuthors =
      makeAction(this, QStringLiteral("Авторы"), QStringLiteral("Кто сделал программу"), messages,
                 [this] { showAuthorsWindow(); });
}

void Program::showTrainWindow() {
  if (trainWindow_ == nullptr) {
    trainWindow_ = new TrainWindow(document_, actions_, mainWindow_.get());
    placeBelow(*trainWindow_, *mainWindow_);
  }
  const bool opening = !trainWindow_->isVisible();
  showAndActivate(trainWindow_);
  trainWindow_->focusTrain(opening);
}

void Program::showLibraryWindow() {
  if (libraryWindow_ == nullptr) {
    libraryWindow_ = new ConsistLibraryWindow(document_, actions_, mainWindow_.get());
    placeOver(*libraryWindow_, *mainWindow_);
    // A file opened from the library is worked on in the main window.
    connect(libraryWindow_, &ConsistLibraryWindow::fileOpened, this,
            [this] { showAndActivate(mainWindow_.get()); });
    connect(libraryWindow_, &ConsistLibraryWindow::fixInBaseRequested, this,
            guardedSlot(document_.messages(),
                        [this](const std::string& name) { showBaseEditor(name); }));
  }
  showAndActivate(libraryWindow_);
  libraryWindow_->focusFilter();
}

std::string Program::wagonInView() const {
  const QWidget* active = QApplication::activeWindow();
  if (active == mainWindow_.get()) {
    return mainWindow_->wagonInView();
  }
  if (trainWindow_ != nullptr && active == trainWindow_) {
    return trainWindow_->wagonInView();
  }
  if (libraryWindow_ != nullptr && active == libraryWindow_) {
    return libraryWindow_->wagonInView();
  }
  return {};
}

void Program::showBaseEditor(const std::string& name) {
  if (baseEditor_ == nullptr) {
    baseEditor_ = new BaseEditorWindow(document_, actions_, mainWindow_->trafficCatalogue(),
                                       mainWindow_->folderCatalogue(), mainWindow_.get());
    placeOver(*baseEditor_, *mainWindow_);
  }
  showAndActivate(baseEditor_);
  baseEditor_->open(name);
}

void Program::showAuthorsWindow() {
  if (!authorsWindow_->isVisible()) {
    placeOver(*authorsWindow_, *mainWindow_);
  }
  showAndActivate(authorsWindow_.get());
}

}  // namespace rakewright
