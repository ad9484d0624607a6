// Searching a catalogue: Ctrl+F or typing in a list opens the side's search field, each keystroke
// narrows the visible list ignoring letter case (Latin and Cyrillic, Ё and the other letters of the
// code page), Enter adds, Down goes into the list, Esc or an empty field closes and restores, and a
// filter change keeps the search.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "app/catalogue/catalogue_list_model.h"
#include "app/catalogue/catalogue_pane.h"
#include "app/support/app_test_support.h"

namespace rakewright::testing {
namespace {

// Traffic entries 0 to 9: Latin names in both cases, Cyrillic ones with Ё and ё, and one with Ў.
// The folder side has the default Hopper and Sleeper folders and a Cyrillic passenger folder.
void writeSearchRoot(const TempFolder& root) {
  writeSimulatorRoot(root,
                     "Tank\r\nBIG_FLATCAR\r\n"
                     "\xC2\xE0\xE3\xEE\xED_\xD6\xCC\xC2\r\n"  // Вагон_ЦМВ
                     "Emu3\r\n"
                     "\xA8\xEB\xEA\xE0\r\n"                  // Ёлка
                     "\xF2\xB8\xEF\xEB\xF3\xF8\xEA\xE0\r\n"  // тёплушка
                     "Crane\r\nSleeper-cup\r\ntank_small\r\n"
                     "\xA1\xE7\xE1\xE5\xEA\r\n");  // Ўзбек
  root.write("data/pass_wags/Купе_синий/cup_wagon.dmd", "model");
  root.write("data/consists/base.ini",
             "[PASS]\r\nSleeper-cup=24.5\r\n"
             "[FREIGHT]\r\nTank=12.5\r\ntank_small=9\r\nHopper=14\r\n"
             "[SPEC]\r\nCrane=16\r\n"
             "[WEIGHTS]\r\nTank=58.5\r\n");
}

struct Started : StartedWindow {
  Started() : StartedWindow(&writeSearchRoot) {}
  QLineEdit* trafficSearch() const {
    return control<QLineEdit>(*window->mainWindow, "TrafficSearch");
  }
  QLineEdit* folderSearch() const {
    return control<QLineEdit>(*window->mainWindow, "FolderSearch");
  }
};

// The rows a list shows.
QStringList visibleItems(const ListBox* list) {
  return rowTexts(list);
}

// How many entries a list holds, shown or not: what its side's filter put into it.
qsizetype members(const Window& window, const ListBox* list) {
  const CataloguePane* pane = list == window.trafficList || list == window.trafficFiltered
                                  ? window.trafficPane
                                  : window.folderPane;
  const auto& entries = pane->modelOf(list).members();
  return static_cast<qsizetype>(entries ? entries->size() : pane->catalogue().size());
}

QString selection(const Window& window) {
  return QStringList{window.nameField->text(), window.lengthField->text(),
                     window.weightField->text()}
      .join(QLatin1Char('|'));
}

void pressFind(QWidget* widget) {
  QTest::keyClick(widget, Qt::Key_F, Qt::ControlModifier);
}

// Where a control stands in the window.
QRect placeInWindow(const Window& window, const QWidget* control) {
  return {control->mapTo(window.mainWindow, QPoint(0, 0)), control->size()};
}

// The search field lies over the bottom of the list, inside the list's rectangle.
bool liesOverBottomOf(const QLineEdit* field, const ListBox* list) {
  const QRect area = list->geometry();
  return field->isVisible() && area.contains(field->geometry()) &&
         field->geometry().bottom() == area.bottom() && field->height() >= 19 &&
         field->height() <= 23;
}

class CatalogueSearchTest : public QObject {
  Q_OBJECT

 private slots:
  void ctrlFOpensTheSearchOfItsSide();
  void narrowsIgnoringLetterCase_data();
  void narrowsIgnoringLetterCase();
  void typingInAListStartsTheSearch();
  void hidingTheSelectionSelectsTheFirstMatch();
  void escRestoresRowsAndSelection();
  void emptyingTheFieldCloses();
  void enterInTheFieldAddsOnce();
  void arrowKeysGoIntoTheList();
  void searchOutlivesAFilterChange();
};

void CatalogueSearchTest::ctrlFOpensTheSearchOfItsSide() {
  Started started;
  Window* const window = started.window.get();
  QLineEdit* traffic = started.trafficSearch();
  QLineEdit* folder = started.folderSearch();
  QVERIFY(!traffic->isVisible());
  QVERIFY(!folder->isVisible());

  window->trafficList->setFocus();
  pressFind(window->trafficList);
  QVERIFY(liesOverBottomOf(traffic, window->trafficList));
  QVERIFY(traffic->hasFocus());
  QVERIFY(!folder->isVisible());
  QCOMPARE(placeInWindow(*window, window->trafficList),
           QRect(8, 44, 266, 311));  // the list stays where it is
  QTest::keyClick(traffic, Qt::Key_Escape);
  QVERIFY(!traffic->isVisible());
  QVERIFY(window->trafficList->hasFocus());

  // From the filter box of the side, too.
  window->trafficFilter->setFocus();
  pressFind(window->trafficFilter);
  QVERIFY(traffic->isVisible());
  QVERIFY(traffic->hasFocus());
  window->folderFilter->setFocus();
  pressFind(window->folderFilter);
  QVERIFY(liesOverBottomOf(folder, window->folderList));
  QVERIFY(folder->hasFocus());
  QVERIFY(traffic->isVisible());  // each side keeps its own search
  QCOMPARE(placeInWindow(*window, window->folderList), QRect(748, 43, 266, 313));
  QTest::keyClick(folder, Qt::Key_Escape);

  // Over the filtered list when that one is shown; Ctrl+F again in the open field keeps it open.
  chooseEntry(window->folderFilter, 1);
  window->folderFiltered->setFocus();
  pressFind(window->folderFiltered);
  QVERIFY(liesOverBottomOf(folder, window->folderFiltered));
  typeText(folder, QStringLiteral("cup"));
  pressFind(folder);
  QVERIFY(folder->isVisible());
  QCOMPARE(folder->text(), QStringLiteral("cup"));
  QCOMPARE(folder->selectedText(), QStringLiteral("cup"));
  QVERIFY(started.messages.errors.isEmpty());
}

void CatalogueSearchTest::narrowsIgnoringLetterCase_data() {
  QTest::addColumn<bool>("trafficSide");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QStringList>("expected");

  const QString tank = QStringLiteral("Tank");
  const QString tankSmall = QStringLiteral("tank_small");
  const QString wagon = QStringLiteral("Вагон_ЦМВ");
  const QString fir = QStringLiteral("Ёлка");
  const QString teplushka = QStringLiteral("тёплушка");
  QTest::newRow("Latin, lower finds both cases")
      << true << QStringLiteral("tank") << QStringList{tank, tankSmall};
  QTest::newRow("Latin, upper finds lower")
      << true << QStringLiteral("SMALL") << QStringList{tankSmall};
  QTest::newRow("inside a name") << true << QStringLiteral("flat")
                                 << QStringList{QStringLiteral("BIG_FLATCAR")};
  QTest::newRow("Cyrillic, lower finds upper")
      << true << QStringLiteral("вагон") << QStringList{wagon};
  QTest::newRow("Cyrillic, mixed case") << true << QStringLiteral("цМв") << QStringList{wagon};
  QTest::newRow("small yo finds both")
      << true << QStringLiteral("ё") << QStringList{fir, teplushka};
  QTest::newRow("capital yo finds both")
      << true << QStringLiteral("Ё") << QStringList{fir, teplushka};
  QTest::newRow("short u of the code page")
      << true << QStringLiteral("ўЗБ") << QStringList{QStringLiteral("Ўзбек")};
  QTest::newRow("Latin a is not Cyrillic а")
      << true << QStringLiteral("a")
      << QStringList{tank, QStringLiteral("BIG_FLATCAR"), QStringLiteral("Crane"), tankSmall};
  QTest::newRow("no match") << true << QStringLiteral("xyz") << QStringList{};
  QTest::newRow("outside the code page") << true << QStringLiteral("☃") << QStringList{};
  QTest::newRow("folder, Latin") << false << QStringLiteral("-CUP")
                                 << QStringList{QStringLiteral("Sleeper-cup"),
                                                QStringLiteral("Купе_синий-cup")};
  QTest::newRow("folder, Cyrillic")
      << false << QStringLiteral("купе")
      << QStringList{QStringLiteral("Купе_синий-cup"), QStringLiteral("Купе_синий-plac")};
}

void CatalogueSearchTest::narrowsIgnoringLetterCase() {
  QFETCH(bool, trafficSide);
  QFETCH(QString, typed);
  QFETCH(QStringList, expected);
  Started started;
  Window* const window = started.window.get();
  ListBox* list = trafficSide ? window->trafficList : window->folderList;
  QLineEdit* field = trafficSide ? started.trafficSearch() : started.folderSearch();
  const qsizetype count = members(*window, list);

  list->setFocus();
  pressFind(list);
  typeText(field, typed);
  QCOMPARE(field->text(), typed);
  QCOMPARE(visibleItems(list), expected);
  QCOMPARE(members(*window, list), count);  // the rows are left out, the entries stay
  QVERIFY(started.messages.errors.isEmpty());
}

void CatalogueSearchTest::typingInAListStartsTheSearch() {
  Started started;
  Window* const window = started.window.get();
  QLineEdit* folder = started.folderSearch();

  // The first character opens the field with it; the rest is typed into the field.
  window->folderList->setFocus();
  QTest::keyClick(window->folderList, Qt::Key_H);
  QVERIFY(liesOverBottomOf(folder, window->folderList));
  QVERIFY(folder->hasFocus());
  QCOMPARE(folder->text(), QStringLiteral("h"));
  typeText(folder, QStringLiteral("op"));
  QCOMPARE(folder->text(), QStringLiteral("hop"));
  QCOMPARE(visibleItems(window->folderList), QStringList{QStringLiteral("Hopper")});

  // The traffic side alike, with a Cyrillic letter; a character typed in the list while the search
  // is open goes to the end of the search text.
  QLineEdit* traffic = started.trafficSearch();
  window->trafficList->setFocus();
  typeText(window->trafficList, QStringLiteral("ё"));
  QCOMPARE(traffic->text(), QStringLiteral("ё"));
  QVERIFY(traffic->hasFocus());
  typeText(traffic, QStringLiteral("л"));
  QCOMPARE(traffic->text(), QStringLiteral("ёл"));
  QTest::keyClick(traffic, Qt::Key_Backspace);
  window->trafficList->setFocus();
  typeText(window->trafficList, QStringLiteral("л"));
  QCOMPARE(traffic->text(), QStringLiteral("ёл"));
  QCOMPARE(visibleItems(window->trafficList), QStringList{QStringLiteral("Ёлка")});

  // Space and keys with Ctrl keep their meaning in the list.
  QTest::keyClick(traffic, Qt::Key_Escape);
  QTest::keyClick(window->trafficList, Qt::Key_Space);
  QTest::keyClick(window->trafficList, Qt::Key_A, Qt::ControlModifier);
  QVERIFY(!traffic->isVisible());
}

void CatalogueSearchTest::hidingTheSelectionSelectsTheFirstMatch() {
  Started started;
  Window* const window = started.window.get();
  ListBox* list = window->trafficList;
  QLineEdit* field = started.trafficSearch();

  selectRow(list, QStringLiteral("Crane"));
  QCOMPARE(selection(*window), QStringLiteral("Crane|16|50"));
  list->setFocus();
  pressFind(list);
  // "a" keeps Crane: the selection stays.
  typeText(field, QStringLiteral("a"));
  QCOMPARE(currentText(list), QStringLiteral("Crane"));
  // "ank" hides it: the first match is selected, with what a selection shows.
  typeText(field, QStringLiteral("nk"));
  QCOMPARE(currentText(list), QStringLiteral("Tank"));
  QCOMPARE(selectedCount(list), 1);
  QCOMPARE(selection(*window), QStringLiteral("Tank|12.5|58.5"));
  QCOMPARE(window->statusBar->panelText(1), QString());
  typeText(field, QStringLiteral("_"));
  QCOMPARE(currentText(list), QStringLiteral("tank_small"));
  QCOMPARE(selection(*window), QStringLiteral("tank_small|9|50"));

  // Without any match the list shows nothing and the selection stays where it was: the fields keep
  // it, and the list selects it again when a keystroke shows it again.
  typeText(field, QStringLiteral("q"));
  QVERIFY(visibleItems(list).isEmpty());
  QCOMPARE(selection(*window), QStringLiteral("tank_small|9|50"));
  QTest::keyClick(field, Qt::Key_Backspace);
  QCOMPARE(currentText(list), QStringLiteral("tank_small"));
  QCOMPARE(selection(*window), QStringLiteral("tank_small|9|50"));
  QVERIFY(started.messages.errors.isEmpty());
}

void CatalogueSearchTest::escRestoresRowsAndSelection() {
  Started started;
  Window* const window = started.window.get();

  for (const bool trafficSide : {true, false}) {
    ListBox* list = trafficSide ? window->trafficList : window->folderList;
    QLineEdit* field = trafficSide ? started.trafficSearch() : started.folderSearch();
    const QString before = trafficSide ? QStringLiteral("Crane") : QStringLiteral("Hopper");
    const QStringList all = visibleItems(list);
    selectRow(list, before);

    list->setFocus();
    pressFind(list);
    typeText(field, trafficSide ? QStringLiteral("tank") : QStringLiteral("sleeper"));
    QVERIFY(currentText(list) != before);
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!field->isVisible());
    QCOMPARE(visibleItems(list), all);
    QCOMPARE(currentText(list), before);
    QCOMPARE(window->nameField->text(), before);
    QVERIFY(list->hasFocus());
    QCOMPARE(field->text(), QString());
  }

  // Esc in the list, after going there from the field, closes the search too.
  ListBox* list = window->trafficList;
  pressFind(list);
  typeText(started.trafficSearch(), QStringLiteral("tank"));
  QTest::keyClick(started.trafficSearch(), Qt::Key_Down);
  QVERIFY(list->hasFocus());
  QTest::keyClick(list, Qt::Key_Escape);
  QVERIFY(!started.trafficSearch()->isVisible());
  QCOMPARE(visibleItems(list).size(), members(*window, list));
  QCOMPARE(currentText(list), QStringLiteral("Crane"));
  QVERIFY(started.messages.errors.isEmpty());
}

void CatalogueSearchTest::emptyingTheFieldCloses() {
  Started started;
  Window* const window = started.window.get();
  ListBox* list = window->folderList;
  QLineEdit* field = started.folderSearch();

  selectRow(list, QStringLiteral("Hopper"));
  list->setFocus();
  pressFind(list);
  typeText(field, QStringLiteral("cu"));
  QCOMPARE(currentText(list), QStringLiteral("Sleeper-cup"));
  QTest::keyClick(field, Qt::Key_Backspace);
  QVERIFY(field->isVisible());  // "c" is still a search
  QTest::keyClick(field, Qt::Key_Backspace);
  QVERIFY(!field->isVisible());
  QCOMPARE(visibleItems(list).size(), members(*window, list));
  QCOMPARE(currentText(list), QStringLiteral("Hopper"));
  QVERIFY(list->hasFocus());

  // The field's clear button empties it as well.
  pressFind(list);
  typeText(field, QStringLiteral("zz"));
  field->clear();
  QVERIFY(!field->isVisible());
  QCOMPARE(visibleItems(list).size(), members(*window, list));
}

void CatalogueSearchTest::enterInTheFieldAddsOnce() {
  Started started;
  Window* const window = started.window.get();

  window->trafficList->setFocus();
  pressFind(window->trafficList);
  typeText(started.trafficSearch(), QStringLiteral("crane"));
  QCOMPARE(selectedCount(window->trafficList), 0);
  selectRow(window->trafficList, QStringLiteral("Crane"));
  QTest::keyClick(started.trafficSearch(), Qt::Key_Return);
  QCOMPARE(window->model().wagonCount(), 1);
  QVERIFY(started.trafficSearch()->isVisible());  // the search stays for the next add
  QTest::keyClick(started.trafficSearch(), Qt::Key_Enter);
  QCOMPARE(window->model().wagonCount(), 2);

  // The folder side, in its filtered list.
  chooseEntry(window->folderFilter, 2);
  window->folderFiltered->setFocus();
  pressFind(window->folderFiltered);
  QLineEdit* folder = started.folderSearch();
  typeText(folder, QStringLiteral("hop"));
  QTest::keyClick(folder, Qt::Key_Down);  // selects Hopper
  QTest::keyClick(window->folderFiltered, Qt::Key_F, Qt::ControlModifier);
  QVERIFY(folder->hasFocus());
  QTest::keyClick(folder, Qt::Key_Return);
  QCOMPARE(window->consistLines->toPlainText(),
           QStringLiteral("1\tCrane\t16\n1\tCrane\t16\n1\tHopper\t14"));
  QVERIFY(started.messages.errors.isEmpty());
}

void CatalogueSearchTest::arrowKeysGoIntoTheList() {
  Started started;
  Window* const window = started.window.get();
  ListBox* list = window->trafficList;
  QLineEdit* field = started.trafficSearch();

  // Nothing selected: Down selects the first match.
  list->setFocus();
  pressFind(list);
  typeText(field, QStringLiteral("a"));  // Tank, BIG_FLATCAR, Crane, tank_small
  QTest::keyClick(field, Qt::Key_Down);
  QVERIFY(list->hasFocus());
  QCOMPARE(currentText(list), QStringLiteral("Tank"));
  QCOMPARE(selection(*window), QStringLiteral("Tank|12.5|58.5"));

  // From a selection, the next visible item; the list's own keys skip the hidden rows.
  selectRow(list, QStringLiteral("Crane"));
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Down);
  QCOMPARE(currentText(list), QStringLiteral("tank_small"));
  QTest::keyClick(list, Qt::Key_Up);
  QCOMPARE(currentText(list), QStringLiteral("Crane"));
  QCOMPARE(field->text(), QStringLiteral("a"));

  // Up and PageUp move into the list and act there.
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Up);
  QVERIFY(list->hasFocus());
  QCOMPARE(currentText(list), QStringLiteral("BIG_FLATCAR"));
  field->setFocus();
  QTest::keyClick(field, Qt::Key_PageUp);
  QVERIFY(list->hasFocus());
  QCOMPARE(currentText(list), QStringLiteral("Tank"));
  QVERIFY(field->isVisible());
}

void CatalogueSearchTest::searchOutlivesAFilterChange() {
  Started started;
  Window* const window = started.window.get();
  QLineEdit* field = started.trafficSearch();

  window->trafficList->setFocus();
  pressFind(window->trafficList);
  typeText(field, QStringLiteral("tank"));

  // Freight: the rebuilt filtered list is narrowed at once, and the field moves over it.
  chooseEntry(window->trafficFilter, 2);
  QVERIFY(window->trafficFiltered->isVisible());
  QCOMPARE(members(*window, window->trafficFiltered), 2);
  QCOMPARE(visibleItems(window->trafficFiltered),
           (QStringList{QStringLiteral("Tank"), QStringLiteral("tank_small")}));
  QVERIFY(liesOverBottomOf(field, window->trafficFiltered));
  selectRow(window->trafficFiltered, QStringLiteral("Tank"));
  typeText(field, QStringLiteral("_"));
  QCOMPARE(visibleItems(window->trafficFiltered), QStringList{QStringLiteral("tank_small")});
  QCOMPARE(currentText(window->trafficFiltered), QStringLiteral("tank_small"));

  // The folder box re-runs the traffic filter too: rebuilt, and still narrowed.
  chooseEntry(window->folderFilter, 1);
  QCOMPARE(members(*window, window->trafficFiltered), 2);
  QCOMPARE(visibleItems(window->trafficFiltered), QStringList{QStringLiteral("tank_small")});

  // Back to the whole list: narrowed as well, and the filtered list shows every row again.
  chooseEntry(window->trafficFilter, 0);
  QVERIFY(window->trafficList->isVisible());
  QCOMPARE(visibleItems(window->trafficList), QStringList{QStringLiteral("tank_small")});
  QCOMPARE(visibleItems(window->trafficFiltered).size(), 2);
  QCOMPARE(field->text(), QStringLiteral("tank_"));

  QTest::keyClick(field, Qt::Key_Escape);
  QCOMPARE(visibleItems(window->trafficList).size(), members(*window, window->trafficList));
  QVERIFY(started.messages.errors.isEmpty());
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::CatalogueSearchTest)
#include "catalogue_search_test.moc"
