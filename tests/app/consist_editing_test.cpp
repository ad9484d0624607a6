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

#include "app/main_window/consist_strip.h"
#include "app/catalogue/drag_payloads.h"
#include "app/support/app_test_support.h"
#include "app/common/widgets.h"

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

// Everything an undo must give back: the lines, the totals, PageStart and the strip's names.
QString consistOf(const Window& window) {
  return QStringList{window.ConsistsMemo->toPlainText(),
                     window.Wag_Num->text(),
                     window.ConsistLength->text(),
                     window.Con_Weight->text(),
                     window.Num_Osey->text(),
                     QString::number(window.model().pageStart()),
                     slotNames(window).join(QLatin1Char(','))}
      .join(QLatin1Char('|'));
}

QString selectionOf(const Window& window) {
  return QStringList{window.NameEdit->text(), window.LengthEdit->text(), window.Edit1->text()}.join(
      QLatin1Char('|'));
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
  window.ListBox1->setFocus();
  QTest::keyClick(window.ListBox1, keys.key(), keys.keyboardModifiers());
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
    window->AddButton->click();
  });
  step("Enter", [&] {
    selectRow(window->ListBox3, 0);  // Hopper
    QTest::keyClick(window->ListBox3, Qt::Key_Return);
  });
  step("double-click", [&] {
    selectRow(window->ListBox1, 1);  // Loco
    QTest::mouseDClick(window->ListBox1->viewport(), Qt::LeftButton, {},
                       rowCentre(window->ListBox1, QStringLiteral("Loco")));
  });
  step("insert", [&] { dropOn(window->Panel1, *catalogueItem(drag::kFolderSide, 1), 0); });
  step("move", [&] { dropOn(window->Panel1, *stripWagon(0), 2); });
  step("copy", [&] { dropOn(window->Panel1, *stripWagon(1), 5, Qt::ControlModifier); });
  step("-", [&] { window->DeleteButton->click(); });
  step("click", [&] { QTest::mouseClick(window->PrvImg2, Qt::LeftButton); });
  step("clear", [&] { window->ClearButton->click(); });

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
  selectRow(window->ListBox3, 1);  // Sleeper-cup, with its bitmap remembered
  window->AddButton->click();
  window->ConsistsComboBox->setEditText(QStringLiteral("undo.con"));
  window->SaveButton->click();
  const std::string saved = started.root.read("data/consists/undo.con");

  window->DeleteButton->click();
  dropOn(window->Panel1, *stripWagon(0), 1);
  window->ClearButton->click();
  undo(*window);
  undo(*window);
  undo(*window);
  window->SaveButton->click();
  QCOMPARE(started.root.read("data/consists/undo.con"), saved);
  // The wagon's own bitmap came back with it.
  QVERIFY(nearlyEqual(centreColour(window->PrvImg4), kCupBitmapColour));
  // A save is no step: the next undo takes back the last change before it.
  undo(*window);
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("3"));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistEditingTest::undoesLoadAndClear() {
  Started started;
  Window* const window = started.window.get();
  started.root.write("data/consists/five.con", "5\tTank\t12.5\r\n;0\t0\t0\r\n");
  addWagons(*window, 8);
  window->Button4->click();
  const QString built = consistOf(*window);

  window->ConsistsComboBox->setEditText(QStringLiteral("five.con"));
  window->LoadButton->click();
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("5"));
  undo(*window);
  QCOMPARE(consistOf(*window), built);
  redo(*window);
  QCOMPARE(window->ConsistsMemo->toPlainText().count(QStringLiteral("Tank")), 5);

  window->ClearButton->click();
  undo(*window);
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("5"));
  undo(*window);
  QCOMPARE(consistOf(*window), built);

  // A load that cannot read its file changes nothing, so there is nothing to undo for it.
  window->ConsistsComboBox->setEditText(QStringLiteral("missing.con"));
  window->LoadButton->click();
  QCOMPARE(started.messages.errors.size(), 1);
  QCOMPARE(consistOf(*window), built);
  undo(*window);  // takes back the eighth wagon
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("7"));
}

void ConsistEditingTest::keepsAHundredSteps() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 100);
  for (int i = 0; i < 50; ++i) {
    window->DeleteButton->click();
  }
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("50"));
  // The last hundred steps: fifty removals and the last fifty adds.
  for (int i = 0; i < 100; ++i) {
    undo(*window);
  }
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("50"));
  undo(*window);
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("50"));
  QCOMPARE(window->WagName1->text().isEmpty(), false);
}

void ConsistEditingTest::dropInsertsAsPlusWouldAdd() {
  Started started;
  Window* const window = started.window.get();
  // What selecting the item and "+" give, for comparison.
  selectRow(window->ListBox3, 1);  // Sleeper-cup
  window->AddButton->click();
  const QString added = window->ConsistsMemo->toPlainText();
  const QString addedTotals = consistOf(*window).section(QLatin1Char('|'), 1, 4);
  window->ClearButton->click();

  select(*window, QStringLiteral("Typed"), QStringLiteral("1"), QStringLiteral("2"));
  const QString selection = selectionOf(*window);
  dropOn(window->Panel1, *catalogueItem(drag::kFolderSide, 1), 3);  // a free slot: appended
  QCOMPARE(window->ConsistsMemo->toPlainText(), added);
  QCOMPARE(consistOf(*window).section(QLatin1Char('|'), 1, 4), addedTotals);
  QVERIFY(nearlyEqual(centreColour(window->PrvImg1), kCupBitmapColour));
  QCOMPARE(selectionOf(*window), selection);

  dropOn(window->Panel1, *catalogueItem(drag::kTrafficSide, 0), 0);  // at position 1
  dropOn(window->Panel1, *catalogueItem(drag::kFolderSide, 0), 1);   // in the middle
  QCOMPARE(window->ConsistsMemo->toPlainText(),
           QStringLiteral("1\tTank\t12.5\n1\tHopper\t14\n1\tSleeper-cup\t24.5"));
  QCOMPARE(slotNames(*window).mid(0, 4),
           (QStringList{QStringLiteral("Tank"), QStringLiteral("Hopper"),
                        QStringLiteral("Sleeper-cup"), QString()}));
  // The bitmap went along with its wagon.
  QVERIFY(nearlyEqual(centreColour(window->PrvImg3), kCupBitmapColour));
  QVERIFY(nearlyEqual(centreColour(window->PrvImg1), kNoPreviewColour));
  QCOMPARE(consistOf(*window).section(QLatin1Char('|'), 1, 4), QStringLiteral("3|51|168.5|14"));
  QCOMPARE(selectionOf(*window), selection);

  // Something else dropped on the strip does nothing.
  QMimeData text;
  text.setText(QStringLiteral("Tank"));
  dropOn(window->Panel1, text, 0);
  dropOn(window->Panel1, *catalogueItem(drag::kTrafficSide, 99), 0);
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("3"));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistEditingTest::dragMovesAndCopiesWagons() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 4);
  const QString totals = consistOf(*window).section(QLatin1Char('|'), 1, 4);

  dropOn(window->Panel1, *stripWagon(0), 2);  // right: W1 takes the third place
  QCOMPARE(slotNames(*window).mid(0, 4), (QStringList{QStringLiteral("W2"), QStringLiteral("W3"),
                                                      QStringLiteral("W1"), QStringLiteral("W4")}));
  dropOn(window->Panel1, *stripWagon(3), 0);  // left: W4 first
  QCOMPARE(slotNames(*window).mid(0, 4), (QStringList{QStringLiteral("W4"), QStringLiteral("W2"),
                                                      QStringLiteral("W3"), QStringLiteral("W1")}));
  dropOn(window->Panel1, *stripWagon(1), 5);  // on a free slot: last
  QCOMPARE(slotNames(*window).mid(0, 5),
           (QStringList{QStringLiteral("W4"), QStringLiteral("W3"), QStringLiteral("W1"),
                        QStringLiteral("W2"), QString()}));
  dropOn(window->Panel1, *stripWagon(2), 2);  // on itself: nothing
  QCOMPARE(consistOf(*window).section(QLatin1Char('|'), 1, 4), totals);
  QCOMPARE(window->ConsistsMemo->toPlainText(),
           QStringLiteral("1\tW4\t10\n1\tW3\t10\n1\tW1\t10\n1\tW2\t10"));

  // With Ctrl a copy is inserted, the original stays.
  dropOn(window->Panel1, *stripWagon(3), 0, Qt::ControlModifier);
  dropOn(window->Panel1, *stripWagon(0), 5, Qt::ControlModifier);
  QCOMPARE(slotNames(*window),
           (QStringList{QStringLiteral("W2"), QStringLiteral("W4"), QStringLiteral("W3"),
                        QStringLiteral("W1"), QStringLiteral("W2"), QStringLiteral("W2")}));
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("6"));
  QCOMPARE(window->ConsistLength->text(), QStringLiteral("60"));
  QVERIFY(started.messages.errors.isEmpty());
}

void ConsistEditingTest::limitHoldsForInsertAndCopy() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 100);
  window->Button5->click();
  const QString full = consistOf(*window);

  dropOn(window->Panel1, *catalogueItem(drag::kTrafficSide, 0), 0);
  dropOn(window->Panel1, *stripWagon(0), 1, Qt::ControlModifier);
  window->Panel1->setFocus();
  QTest::keyClick(window->Panel1, Qt::Key_Insert);
  QCOMPARE(started.messages.warnings, (QStringList{kLimitWarning, kLimitWarning, kLimitWarning}));
  QCOMPARE(consistOf(*window), full);
  // A move is no add.
  dropOn(window->Panel1, *stripWagon(0), 1);
  QCOMPARE(window->WagName2->text(), QStringLiteral("W1"));
  QCOMPARE(started.messages.warnings.size(), 3);
}

void ConsistEditingTest::editsTheStripByKeyboard() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 8);
  const QString start = consistOf(*window);
  const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(window->Panel1, key, modifiers);
  };
  const auto names = [&] {
    QStringList list;
    for (int p = 1; p <= window->model().wagonCount(); ++p) {
      list.append(QString::fromStdString(window->model().wagonName(p)));
    }
    return list.join(QLatin1Char(','));
  };

  // Tab reaches the strip after the file row.
  window->ClearButton->setFocus();
  QTest::keyClick(window->ClearButton, Qt::Key_Tab);
  QCOMPARE(window->mainWindow->focusWidget(), static_cast<QWidget*>(window->Panel1));

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
  selectRow(window->ListBox1, 0);  // Tank, from the base
  press(Qt::Key_Insert);
  QCOMPARE(names(), QStringLiteral("W1,W2,W3,W4,W5,Tank,W8,W6"));
  QCOMPARE(window->model().lines()[5], std::string("1\tTank\t12.5"));
  // Its picture tells where its figures came from.
  window->Button6->click();
  window->PrevPageBtn->click();
  window->PrevPageBtn->click();
  QCOMPARE(window->PrvImg1->toolTip().section(QLatin1Char('\n'), 0, 1),
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
  const QPoint centre = window->PrvImg2->rect().center();
  QTest::mousePress(window->PrvImg2, Qt::LeftButton, {}, centre);
  QTest::mouseMove(window->PrvImg2, centre + QPoint(1, 1));
  QTest::mouseRelease(window->PrvImg2, Qt::LeftButton, {}, centre + QPoint(1, 1));
  QCOMPARE(slotNames(*window).mid(0, 3),
           (QStringList{QStringLiteral("W1"), QStringLiteral("W3"), QString()}));

  // Past the drag distance it is a drag, and the release removes nothing.
  QSignalSpy removals(window->Panel1, &ConsistStrip::removeRequested);
  const QPoint far = centre + QPoint(QApplication::startDragDistance() + 5, 0);
  QTest::mousePress(window->PrvImg1, Qt::LeftButton, {}, centre);
  QTest::mouseMove(window->PrvImg1, far);
  QTest::mouseRelease(window->PrvImg1, Qt::LeftButton, {}, far);
  QCOMPARE(removals.size(), 0);
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("2"));
  // The next click is a click again.
  QTest::mouseClick(window->PrvImg1, Qt::LeftButton);
  QCOMPARE(window->Wag_Num->text(), QStringLiteral("1"));
}

void ConsistEditingTest::marksTheLandingSlotAndPagesAtTheEnds() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 10);
  window->Button5->click();
  auto* marker = control<QWidget>(*window->Panel1, "DropMarker");
  const auto markedSlot = [&] {
    for (int slot = 0; slot < 6; ++slot) {
      if (marker->isVisible() && marker->geometry().contains(slotCentre(slot))) {
        return slot;
      }
    }
    return -1;
  };

  const auto item = catalogueItem(drag::kTrafficSide, 0);
  dragOver(window->Panel1, *item, slotCentre(2));
  QCOMPARE(markedSlot(), 2);
  // Near the right end the strip pages forward, one position at a time.
  dragOver(window->Panel1, *item, QPoint(window->Panel1->width() - 5, 50));
  QTRY_VERIFY_WITH_TIMEOUT(window->model().pageStart() >= 3, 3000);
  QDragLeaveEvent leave;
  QApplication::sendEvent(window->Panel1, &leave);
  const int reached = window->model().pageStart();
  QTest::qWait(900);
  QCOMPARE(window->model().pageStart(), reached);  // left the strip: paging stops
  QVERIFY(!marker->isVisible());

  // Over a free slot the item would be appended: the slot after the last wagon is marked.
  window->Button6->click();  // the tenth wagon in slot 1
  dragOver(window->Panel1, *item, slotCentre(4));
  QCOMPARE(markedSlot(), 1);
  // A wagon moved there would go last: its own slot.
  dragOver(window->Panel1, *stripWagon(9), slotCentre(4));
  QCOMPARE(markedSlot(), 0);
  QApplication::sendEvent(window->Panel1, &leave);
}

void ConsistEditingTest::wheelPagesByOne() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 10);
  window->Button5->click();
  const auto wheel = [&](int notches) {
    QWheelEvent event(slotCentre(2), window->Panel1->mapToGlobal(slotCentre(2)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(window->Panel1, &event);
  };
  wheel(-3);
  QCOMPARE(window->model().pageStart(), 4);
  QCOMPARE(window->WagName1->text(), QStringLiteral("W4"));
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
    window->DeleteButton->click();
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
    window->ConsistsComboBox->setEditText(QStringLiteral("closing"));
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
    window->ConsistsComboBox->setEditText(QStringLiteral("a/b"));
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
    window->ConsistsComboBox->setEditText(QStringLiteral("one.con"));
    window->LoadButton->click();
    QVERIFY(!window->document().hasUnsavedChanges());
    addWagons(*window, 1);
    window->SaveButton->click();
    QVERIFY(!window->document().hasUnsavedChanges());
    undo(*window);
    QVERIFY(window->document().hasUnsavedChanges());
  }
}

void ConsistEditingTest::savesWithControlS() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 1);
  window->ConsistsComboBox->setEditText(QStringLiteral("keys"));
  QTest::keyClick(window->ConsistsComboBox, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(started.root.read("data/consists/keys.con"), std::string("1\tW1\t10\r\n;50\t4\t1\r\n"));
  QCOMPARE(window->ConsistsComboBox->currentText(), QStringLiteral("keys.con"));
}

void ConsistEditingTest::completionNeverWritesIntoTheName() {
  Started started;
  Window* const window = started.window.get();
  addWagons(*window, 1);
  window->ConsistsComboBox->setEditText(QStringLiteral("a_first"));
  window->SaveButton->click();
  window->ConsistsComboBox->setEditText(QString());

  QListWidget* offered = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == QStringLiteral("ConsistsComboBoxSuggestions")) {
      offered = qobject_cast<QListWidget*>(top);
    }
  }
  QVERIFY(offered != nullptr);

  // Offered below the box, never written into it; the next click saves what was typed.
  window->ConsistsComboBox->setFocus();
  QTest::keyClicks(window->ConsistsComboBox, QStringLiteral("a"));
  QCOMPARE(window->ConsistsComboBox->currentText(), QStringLiteral("a"));
  QVERIFY(offered->isVisible());
  QCOMPARE(offered->count(), 1);
  QCOMPARE(offered->item(0)->text(), QStringLiteral("a_first.con"));
  window->SaveButton->click();
  QVERIFY(started.root.exists("data/consists/a.con"));

  // Picked with Down and Enter, the name goes into the box.
  window->ConsistsComboBox->setEditText(QString());
  QTest::keyClicks(window->ConsistsComboBox, QStringLiteral("A_"));
  QVERIFY(offered->isVisible());
  QTest::keyClick(window->ConsistsComboBox, Qt::Key_Down);
  QCOMPARE(window->ConsistsComboBox->currentText(), QStringLiteral("A_"));
  QTest::keyClick(window->ConsistsComboBox, Qt::Key_Return);
  QCOMPARE(window->ConsistsComboBox->currentText(), QStringLiteral("a_first.con"));
  QVERIFY(!offered->isVisible());
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::ConsistEditingTest)
#include "consist_editing_test.moc"
