// Editing the consist beyond the buttons: undo and redo of every change, inserting, moving and
// copying wagons by dropping them on the strip, paging with the wheel, the question on closing
// with unsaved changes, the keys of the window and the completion of consist file names.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "app/catalogue/drag_payloads.h"
#include "app/common/widgets.h"
#include "app/main_window/consist_strip.h"
#include "app/support/app_test_support.h"

namespace rakewright::testing {
namespace {

const QString kLimitWarning = QStringLiteral("Нельзя добавлять больше 100 вагонов!");
const QColor kCupBitmapColour(0xE0, 0xC0, 0x20);

// The default simulator root, with a cup bitmap for the passenger folder Sleeper.
void writeEditingRoot(const TempFolder& root) {
  writeSimulatorRoot(root);
  root.write("data/pass_wags/Sleeper/cup_wagon.bmp", bmpBytes(kCupBitmapColour));
  root.mkdir("data/consists");
}

struct Started : StartedWindow {
  Started() : StartedWindow(&writeEditingRoot) {}
};

// Everything an undo must give back: the lines, the totals, page start and the strip's names.
QString consistOf(const Window& window) {
  return QStringList{window.consistLines->toPlainText(),
                     window.wagonTotal->text(),
                     window.lengthTotal->text(),
                     window.weightTotal->text(),
                     window.axlesTotal->text(),
                     QString::number(window.model().pageStart()),
                     slotNames(window).join(QLatin1Char(','))}
      .join(QLatin1Char('|'));
}

QString selectionOf(const Window& window) {
  return QStringList{window.nameField->text(), window.lengthField->text(),
                     window.weightField->text()}
      .join(QLatin1Char('|'));
}

// The middle of the picture of strip slot `slot` (0-based), in the strip's coordinates.
QPoint slotCentre(int slot) {
  constexpr int kPictureLefts[] = {5, 173, 341, 509, 677, 845};
  return {kPictureLefts[slot] + 83, 50};
}

std::unique_ptr<QMimeData> catalogueItem(const char* side, int entry) {
  auto data = std::make_unique<QMimeData>();
  data->setData(QLatin1String(drag::kCatalogueItem),
                QByteArray(side) + ':' + QByteArray::number(entry));
  return data;
}

std::unique_ptr<QMimeData> stripWagon(int index) {
  auto data = std::make_unique<QMimeData>();
  data->setData(QLatin1String(drag::kStripWagon), QByteArray::number(index));
  return data;
}

// What the platform delivers for a drag that enters the strip, moves to a slot and is dropped.
void dragOver(QWidget* strip, const QMimeData& data, const QPoint& at,
              Qt::KeyboardModifiers modifiers = {}) {
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(strip, &enter);
  QDragMoveEvent move(at, actions, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(strip, &move);
}

void dropOn(QWidget* strip, const QMimeData& data, int slot, Qt::KeyboardModifiers modifiers = {}) {
  dragOver(strip, data, slotCentre(slot), modifiers);
  QDropEvent drop(QPointF(slotCentre(slot)), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                  modifiers);
  QApplication::sendEvent(strip, &drop);
}

void pressKeys(const Window& window, QKeyCombination keys) {
  window.trafficList->setFocus();
  QTest::keyClick(window.trafficList, keys.key(), keys.keyboardModifiers());
}

void undo(const Window& window) {
  pressKeys(window, Qt::CTRL | Qt::Key_Z);
}

void redo(const Window& window) {
  pressKeys(window, Qt::CTRL | Qt::Key_Y);
}

class ConsistEditingTest : public QObject {
  Q_OBJECT

 private slots:
  void undoesAndRedoesEveryKindOfChange();
  void undoGivesBackTheSavedBytes();
  void undoesLoadAndClear();
  void keepsAHundredSteps();
  void dropInsertsAsPlusWouldAdd();
  void dragMovesAndCopiesWagons();
  void limitHoldsForInsertAndCopy();
  void editsTheStripByKeyboard();
  void clickWithoutMovingStillRemoves();
  void marksTheLandingSlotAndPagesAtTheEnds();
  void wheelPagesByOne();
  void asksOnClosingOnlyWithUnsavedChanges();
  void savesWithControlS();
  void completionNeverWritesIntoTheName();
};

void ConsistEditingTest::undoesAndRedoesEveryKindOfChange() {
  Started started;
  Window* const window = started.window.get();
  QStringList seen = {consistOf(*window)};
  const auto step = [&](const char* what, auto&& change) {
    change();
    const QString after = consistOf(*window);
    QVERIFY2(after != seen.back(), what);
    undo(*window);
    QVERIFY2(consistOf(*window) == seen.back(), what);
    redo(*window);
    QVERIFY2(consistOf(*window) == after, what);
    seen.append(after);
  };

  step("+", [&] {
    select(*window, QStringLiteral("Tank"), QStringLiteral("12.5"), QStringLiteral("58.5"));
    window->addButton->click();
  });
  step("Enter", [&] {
    selectRow(window->folderList, 0);  // Hopper
    QTest::keyClick(window->folderList, Qt::Key_Return);
  });
  step("double-click", [&] {
    selectRow(window->trafficList, 1);  // Loco
    QTest::mouseDClick(window->trafficList->viewport(), Qt::LeftButton, {},
                       rowCentre(window->trafficList, QStringLiteral("Loco")));
  });
  step("insert", [&] { dropOn(window->strip, *catalogueItem(drag::kFolderSide, 1), 0); });
  step("move", [&] { dropOn(window->strip, *stripWagon(0), 2); });
  step("copy", [&] { dropOn(window->strip, *stripWagon(1), 5, Qt::ControlModifier); });
  step("-", [&] { window->removeButton->click(); });
  step("click", [&] { QTest::mouseClick(window->slotPicture2, Qt::LeftButton); });
  step("clear", [&] { window->clearButton->click(); });

  // Undo all the way back to the empty consist, then redo all the way forward again.
  for (qsizetype i = seen.size() - 2; i >= 0; --i) {
    undo(*window);
    QCOMPARE(consistOf(*window), seen[i]);
  }
  undo(*window);  // nothing more to undo
  QCOMPARE(consistOf(*window), seen.front());
  for (qsizetype i = 1; i < seen.size(); ++i) {
    pressKeys(*window, Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(consistOf(*window), seen[i]);
  }
  QVERIFY(started.messages.errors.isEmpty());
  QVERIFY(started.messages.warnings.isEmpty());
}

void ConsistEditingTest::undoGivesBackTheSavedBytes() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 3);
  selectRow(window->folderList, 1);  // Sleeper-cup, with its bitmap remembered
  window->addButton->click();
  window->fileBox->setEditText(QStringLiteral("undo.con"));
  window->saveButton->click();
  const std::string saved = started.root.read("data/consists/undo.con");

  window->removeButton->click();
  dropOn(window->strip, *stripWagon(0), 1);
  window->clearButton->click();
  undo(*window);
  undo(*window);
  undo(*window);
  window->saveButton->click();
  QCOMPARE(started.root.read("data/consists/undo.con"), saved);
  // The wagon's own bitmap came back with it.
  QVERIFY(nearlyEqual(centreColour(window->slotPicture4), kCupBitmapColour));
  // A save is no step: the next undo takes back the last change before it.
  undo(*window);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("3"));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistEditingTest::undoesLoadAndClear() {
  Started started;
  Window* const window = started.window.get();
  started.root.write("data/consists/five.con", "5\tTank\t12.5\r\n;0\t0\t0\r\n");
  addWagons(*window, 8);
  window->nextPageButton->click();
  const QString built = consistOf(*window);

  window->fileBox->setEditText(QStringLiteral("five.con"));
  window->loadButton->click();
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("5"));
  undo(*window);
  QCOMPARE(consistOf(*window), built);
  redo(*window);
  QCOMPARE(window->consistLines->toPlainText().count(QStringLiteral("Tank")), 5);

  window->clearButton->click();
  undo(*window);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("5"));
  undo(*window);
  QCOMPARE(consistOf(*window), built);

  // A load that cannot read its file changes nothing, so there is nothing to undo for it.
  window->fileBox->setEditText(QStringLiteral("missing.con"));
  window->loadButton->click();
  QCOMPARE(started.messages.errors.size(), 1);
  QCOMPARE(consistOf(*window), built);
  undo(*window);  // takes back the eighth wagon
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("7"));
}

void ConsistEditingTest::keepsAHundredSteps() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 100);
  for (int i = 0; i < 50; ++i) {
    window->removeButton->click();
  }
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("50"));
  // The last hundred steps: fifty removals and the last fifty adds.
  for (int i = 0; i < 100; ++i) {
    undo(*window);
  }
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("50"));
  undo(*window);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("50"));
  QCOMPARE(window->slotName1->text().isEmpty(), false);
}

void ConsistEditingTest::dropInsertsAsPlusWouldAdd() {
  Started started;
  Window* const window = started.window.get();
  // What selecting the item and "+" give, for comparison.
  selectRow(window->folderList, 1);  // Sleeper-cup
  window->addButton->click();
  const QString added = window->consistLines->toPlainText();
  const QString addedTotals = consistOf(*window).section(QLatin1Char('|'), 1, 4);
  window->clearButton->click();

  select(*window, QStringLiteral("Typed"), QStringLiteral("1"), QStringLiteral("2"));
  const QString selection = selectionOf(*window);
  dropOn(window->strip, *catalogueItem(drag::kFolderSide, 1), 3);  // a free slot: appended
  QCOMPARE(window->consistLines->toPlainText(), added);
  QCOMPARE(consistOf(*window).section(QLatin1Char('|'), 1, 4), addedTotals);
  QVERIFY(nearlyEqual(centreColour(window->slotPicture1), kCupBitmapColour));
  QCOMPARE(selectionOf(*window), selection);

  dropOn(window->strip, *catalogueItem(drag::kTrafficSide, 0), 0);  // at position 1
  dropOn(window->strip, *catalogueItem(drag::kFolderSide, 0), 1);   // in the middle
  QCOMPARE(window->consistLines->toPlainText(),
           QStringLiteral("1\tTank\t12.5\n1\tHopper\t14\n1\tSleeper-cup\t24.5"));
  QCOMPARE(slotNames(*window).mid(0, 4),
           (QStringList{QStringLiteral("Tank"), QStringLiteral("Hopper"),
                        QStringLiteral("Sleeper-cup"), QString()}));
  // The bitmap went along with its wagon.
  QVERIFY(nearlyEqual(centreColour(window->slotPicture3), kCupBitmapColour));
  QVERIFY(nearlyEqual(centreColour(window->slotPicture1), kNoPreviewColour));
  QCOMPARE(consistOf(*window).section(QLatin1Char('|'), 1, 4), QStringLiteral("3|51|168.5|14"));
  QCOMPARE(selectionOf(*window), selection);

  // Something else dropped on the strip does nothing.
  QMimeData text;
  text.setText(QStringLiteral("Tank"));
  dropOn(window->strip, text, 0);
  dropOn(window->strip, *catalogueItem(drag::kTrafficSide, 99), 0);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("3"));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistEditingTest::dragMovesAndCopiesWagons() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 4);
  const QString totals = consistOf(*window).section(QLatin1Char('|'), 1, 4);

  dropOn(window->strip, *stripWagon(0), 2);  // right: W1 takes the third place
  QCOMPARE(slotNames(*window).mid(0, 4), (QStringList{QStringLiteral("W2"), QStringLiteral("W3"),
                                                      QStringLiteral("W1"), QStringLiteral("W4")}));
  dropOn(window->strip, *stripWagon(3), 0);  // left: W4 first
  QCOMPARE(slotNames(*window).mid(0, 4), (QStringList{QStringLiteral("W4"), QStringLiteral("W2"),
                                                      QStringLiteral("W3"), QStringLiteral("W1")}));
  dropOn(window->strip, *stripWagon(1), 5);  // on a free slot: last
  QCOMPARE(slotNames(*window).mid(0, 5),
           (QStringList{QStringLiteral("W4"), QStringLiteral("W3"), QStringLiteral("W1"),
                        QStringLiteral("W2"), QString()}));
  dropOn(window->strip, *stripWagon(2), 2);  // on itself: nothing
  QCOMPARE(consistOf(*window).section(QLatin1Char('|'), 1, 4), totals);
  QCOMPARE(window->consistLines->toPlainText(),
           QStringLiteral("1\tW4\t10\n1\tW3\t10\n1\tW1\t10\n1\tW2\t10"));

  // With Ctrl a copy is inserted, the original stays.
  dropOn(window->strip, *stripWagon(3), 0, Qt::ControlModifier);
  dropOn(window->strip, *stripWagon(0), 5, Qt::ControlModifier);
  QCOMPARE(slotNames(*window),
           (QStringList{QStringLiteral("W2"), QStringLiteral("W4"), QStringLiteral("W3"),
                        QStringLiteral("W1"), QStringLiteral("W2"), QStringLiteral("W2")}));
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("6"));
  QCOMPARE(window->lengthTotal->text(), QStringLiteral("60"));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistEditingTest::limitHoldsForInsertAndCopy() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 100);
  window->firstPageButton->click();
  const QString full = consistOf(*window);

  dropOn(window->strip, *catalogueItem(drag::kTrafficSide, 0), 0);
  dropOn(window->strip, *stripWagon(0), 1, Qt::ControlModifier);
  window->strip->setFocus();
  QTest::keyClick(window->strip, Qt::Key_Insert);
  QCOMPARE(started.messages.warnings, (QStringList{kLimitWarning, kLimitWarning, kLimitWarning}));
  QCOMPARE(consistOf(*window), full);
  // A move is no add.
  dropOn(window->strip, *stripWagon(0), 1);
  QCOMPARE(window->slotName2->text(), QStringLiteral("W1"));
  QCOMPARE(started.messages.warnings.size(), 3);
}

void ConsistEditingTest::editsTheStripByKeyboard() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 8);
  const QString start = consistOf(*window);
  const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(window->strip, key, modifiers);
  };
  const auto names = [&] {
    QStringList list;
    for (int p = 1; p <= window->model().wagonCount(); ++p) {
      list.append(QString::fromStdString(window->model().wagonName(p)));
    }
    return list.join(QLatin1Char(','));
  };

  // Tab reaches the strip after the file row.
  window->clearButton->setFocus();
  QTest::keyClick(window->clearButton, Qt::Key_Tab);
  QCOMPARE(window->mainWindow->focusWidget(), static_cast<QWidget*>(window->strip));

  // The current wagon stays in view: Home pages back to the start, Right past the sixth slot
  // pages one on.
  press(Qt::Key_Home);
  QCOMPARE(window->model().pageStart(), 1);
  for (int i = 0; i < 6; ++i) {
    press(Qt::Key_Right);
  }
  QCOMPARE(window->model().pageStart(), 2);
  press(Qt::Key_Delete);  // the seventh
  QCOMPARE(names(), QStringLiteral("W1,W2,W3,W4,W5,W6,W8"));
  press(Qt::Key_Left, Qt::ControlModifier);
  QCOMPARE(names(), QStringLiteral("W1,W2,W3,W4,W5,W8,W6"));
  // Insert puts the selection before the current wagon, with the figures "+" would use.
  selectRow(window->trafficList, 0);  // Tank, from the base
  press(Qt::Key_Insert);
  QCOMPARE(names(), QStringLiteral("W1,W2,W3,W4,W5,Tank,W8,W6"));
  QCOMPARE(window->model().lines()[5], std::string("1\tTank\t12.5"));
  // Its picture tells where its figures came from.
  window->lastPageButton->click();
  window->backButton->click();
  window->backButton->click();
  QCOMPARE(window->slotPicture1->toolTip().section(QLatin1Char('\n'), 0, 1),
           QStringLiteral("6. Tank\nДлина: 12.5 м (из базы)"));

  // Every step is one undo step.
  for (int i = 0; i < 3; ++i) {
    undo(*window);
  }
  QCOMPARE(names(), QStringLiteral("W1,W2,W3,W4,W5,W6,W7,W8"));
  QCOMPARE(consistOf(*window).section(QLatin1Char('|'), 0, 4),
           start.section(QLatin1Char('|'), 0, 4));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistEditingTest::clickWithoutMovingStillRemoves() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 3);

  // A press, a move within the drag distance and the release: the click removes.
  const QPoint centre = window->slotPicture2->rect().center();
  QTest::mousePress(window->slotPicture2, Qt::LeftButton, {}, centre);
  QTest::mouseMove(window->slotPicture2, centre + QPoint(1, 1));
  QTest::mouseRelease(window->slotPicture2, Qt::LeftButton, {}, centre + QPoint(1, 1));
  QCOMPARE(slotNames(*window).mid(0, 3),
           (QStringList{QStringLiteral("W1"), QStringLiteral("W3"), QString()}));

  // Past the drag distance it is a drag, and the release removes nothing.
  QSignalSpy removals(window->strip, &ConsistStrip::removeRequested);
  const QPoint far = centre + QPoint(QApplication::startDragDistance() + 5, 0);
  QTest::mousePress(window->slotPicture1, Qt::LeftButton, {}, centre);
  QTest::mouseMove(window->slotPicture1, far);
  QTest::mouseRelease(window->slotPicture1, Qt::LeftButton, {}, far);
  QCOMPARE(removals.size(), 0);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("2"));
  // The next click is a click again.
  QTest::mouseClick(window->slotPicture1, Qt::LeftButton);
  QCOMPARE(window->wagonTotal->text(), QStringLiteral("1"));
}

void ConsistEditingTest::marksTheLandingSlotAndPagesAtTheEnds() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 10);
  window->firstPageButton->click();
  auto* marker = control<QWidget>(*window->strip, "DropMarker");
  const auto markedSlot = [&] {
    for (int slot = 0; slot < 6; ++slot) {
      if (marker->isVisible() && marker->geometry().contains(slotCentre(slot))) {
        return slot;
      }
    }
    return -1;
  };

  const auto item = catalogueItem(drag::kTrafficSide, 0);
  dragOver(window->strip, *item, slotCentre(2));
  QCOMPARE(markedSlot(), 2);
  // Near the right end the strip pages forward, one position at a time.
  dragOver(window->strip, *item, QPoint(window->strip->width() - 5, 50));
  QTRY_VERIFY_WITH_TIMEOUT(window->model().pageStart() >= 3, 3000);
  QDragLeaveEvent leave;
  QApplication::sendEvent(window->strip, &leave);
  const int reached = window->model().pageStart();
  QTest::qWait(900);
  QCOMPARE(window->model().pageStart(), reached);  // left the strip: paging stops
  QVERIFY(!marker->isVisible());

  // Over a free slot the item would be appended: the slot after the last wagon is marked.
  window->lastPageButton->click();  // the tenth wagon in slot 1
  dragOver(window->strip, *item, slotCentre(4));
  QCOMPARE(markedSlot(), 1);
  // A wagon moved there would go last: its own slot.
  dragOver(window->strip, *stripWagon(9), slotCentre(4));
  QCOMPARE(markedSlot(), 0);
  QApplication::sendEvent(window->strip, &leave);
}

void ConsistEditingTest::wheelPagesByOne() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 10);
  window->firstPageButton->click();
  const auto wheel = [&](int notches) {
    QWheelEvent event(slotCentre(2), window->strip->mapToGlobal(slotCentre(2)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(window->strip, &event);
  };
  wheel(-3);
  QCOMPARE(window->model().pageStart(), 4);
  QCOMPARE(window->slotName1->text(), QStringLiteral("W4"));
  wheel(-20);  // stops with the last wagon in the first slot, as "->" does
  QCOMPARE(window->model().pageStart(), 10);
  wheel(2);
  QCOMPARE(window->model().pageStart(), 8);
  wheel(20);
  QCOMPARE(window->model().pageStart(), 1);
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistEditingTest::asksOnClosingOnlyWithUnsavedChanges() {
  const QString question = QStringLiteral("Сохранить изменения в составе?");
  {
    // Nothing changed since start, or changed and changed back: no question.
    Started started;
    Window* const window = started.window.get();
    addWagons(*window, 1);
    window->removeButton->click();
    QVERIFY(window->mainWindow->close());
    QVERIFY(started.messages.questions.isEmpty());
  }
  {
    Started started;
    Window* const window = started.window.get();
    addWagons(*window, 2);
    // "Отмена" keeps the window open.
    started.messages.answer = UserMessages::SaveAnswer::Cancel;
    QVERIFY(!window->mainWindow->close());
    QCOMPARE(started.messages.questions, QStringList{question});
    // "Сохранить" with no name: nothing is saved, the window stays open.
    started.messages.answer = UserMessages::SaveAnswer::Save;
    QVERIFY(!window->mainWindow->close());
    // With a name the normal save runs, and the window closes.
    window->fileBox->setEditText(QStringLiteral("closing"));
    QVERIFY(window->mainWindow->close());
    QCOMPARE(started.root.read("data/consists/closing.con"),
             std::string("1\tW1\t10\r\n1\tW2\t10\r\n;100\t8\t2\r\n"));
    QCOMPARE(started.messages.questions.size(), 3);
  }
  {
    Started started;
    Window* const window = started.window.get();
    addWagons(*window, 1);
    // A save that fails keeps the window open.
    started.messages.answer = UserMessages::SaveAnswer::Save;
    window->fileBox->setEditText(QStringLiteral("a/b"));
    QVERIFY(!window->mainWindow->close());
    QCOMPARE(started.messages.errors.size(), 1);
    // "Не сохранять" closes without writing.
    started.messages.answer = UserMessages::SaveAnswer::Discard;
    QVERIFY(window->mainWindow->close());
    QVERIFY(!started.root.exists("data/consists/a/b.con"));
  }
  {
    // A loaded consist counts as saved until it changes; an undo after a save is a change.
    Started started;
    Window* const window = started.window.get();
    started.root.write("data/consists/one.con", "1\tTank\t12.5\r\n;58.5\t4\t1\r\n");
    window->fileBox->setEditText(QStringLiteral("one.con"));
    window->loadButton->click();
    QVERIFY(!window->document().hasUnsavedChanges());
    addWagons(*window, 1);
    window->saveButton->click();
    QVERIFY(!window->document().hasUnsavedChanges());
    undo(*window);
    QVERIFY(window->document().hasUnsavedChanges());
  }
}

void ConsistEditingTest::savesWithControlS() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 1);
  window->fileBox->setEditText(QStringLiteral("keys"));
  QTest::keyClick(window->fileBox, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(started.root.read("data/consists/keys.con"), std::string("1\tW1\t10\r\n;50\t4\t1\r\n"));
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("keys.con"));
}

void ConsistEditingTest::completionNeverWritesIntoTheName() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 1);
  window->fileBox->setEditText(QStringLiteral("a_first"));
  window->saveButton->click();
  window->fileBox->setEditText(QString());

  QListWidget* offered = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == QStringLiteral("ConsistsComboBoxSuggestions")) {
      offered = qobject_cast<QListWidget*>(top);
    }
  }
  QVERIFY(offered != nullptr);

  // Offered below the box, never written into it; the next click saves what was typed.
  window->fileBox->setFocus();
  QTest::keyClicks(window->fileBox, QStringLiteral("a"));
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("a"));
  QVERIFY(offered->isVisible());
  QCOMPARE(offered->count(), 1);
  QCOMPARE(offered->item(0)->text(), QStringLiteral("a_first.con"));
  window->saveButton->click();
  QVERIFY(started.root.exists("data/consists/a.con"));

  // Picked with Down and Enter, the name goes into the box.
  window->fileBox->setEditText(QString());
  QTest::keyClicks(window->fileBox, QStringLiteral("A_"));
  QVERIFY(offered->isVisible());
  QTest::keyClick(window->fileBox, Qt::Key_Down);
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("A_"));
  QTest::keyClick(window->fileBox, Qt::Key_Return);
  QCOMPARE(window->fileBox->currentText(), QStringLiteral("a_first.con"));
  QVERIFY(!offered->isVisible());
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::ConsistEditingTest)
#include "consist_editing_test.moc"
