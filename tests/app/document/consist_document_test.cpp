// The consist document without a window: what its signals promise the windows (a change announced
// once, a refused one not at all, a paging step that asks for a redraw even where it moves
// nothing), that an edit failing half-way is still one step of undo, and the file name as Save
// and Load leave it.
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

#include <stdexcept>

#include "app/document/consist_document.h"
#include "app/support/app_test_support.h"

namespace rakewright::testing {
namespace {

WagonChoice wagon(const std::string& name) {
  return {name, "10", "50", ""};
}

class ConsistDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void announcesEachChangeOnce();
  void recordsAnEditThatFailsHalfWay();
  void namesTheFileAsSaveAndLoadLeaveIt();
};

void ConsistDocumentTest::announcesEachChangeOnce() {
  TempFolder root;
  writeSimulatorRoot(root);
  RecordingMessages messages;
  ConsistDocument document(Anchors{root.path(), root.path()}, messages);
  QSignalSpy changed(&document, &ConsistDocument::changed);
  QSignalSpy edited(&document, &ConsistDocument::edited);
  QSignalSpy paged(&document, &ConsistDocument::paged);

  for (int i = 0; i < ConsistModel::kMaxWagons; ++i) {
    document.add(wagon("W" + std::to_string(i)));
  }
  QCOMPARE(changed.count(), ConsistModel::kMaxWagons);
  QCOMPARE(edited.count(), ConsistModel::kMaxWagons);
  // Refused: a warning, no change, no step.
  const int steps = document.history().count();
  QCOMPARE(document.add(wagon("X")), ConsistModel::AddOutcome::LimitReached);
  QCOMPARE(messages.warnings, QStringList{QStringLiteral("Нельзя добавлять больше 100 вагонов!")});
  QCOMPARE(changed.count(), ConsistModel::kMaxWagons);
  QCOMPARE(document.history().count(), steps);
  // Undo announces the change; it is no edit of its own.
  document.undo();
  QCOMPARE(changed.count(), ConsistModel::kMaxWagons + 1);
  QCOMPARE(edited.count(), ConsistModel::kMaxWagons);

  // "<-" at the first wagon redraws without moving; "->" at the last does nothing at all.
  document.page(PageStep::First);
  document.page(PageStep::Back);
  QCOMPARE(paged.count(), 2);
  document.page(PageStep::Last);
  document.page(PageStep::Forward);
  QCOMPARE(paged.count(), 3);
  QCOMPARE(document.model().pageStart(), document.model().wagonCount());
}

void ConsistDocumentTest::recordsAnEditThatFailsHalfWay() {
  TempFolder root;
  writeSimulatorRoot(root);
  RecordingMessages messages;
  ConsistDocument document(Anchors{root.path(), root.path()}, messages);
  QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                           document.edit(QStringLiteral("Сбой"), [](ConsistModel& model) {
                             model.add(wagon("A"));
                             throw std::runtime_error("failed after the change");
                             return ConsistModel::AddOutcome::Added;
                           }));
  QCOMPARE(document.model().wagonCount(), 1);
  document.undo();
  QCOMPARE(document.model().wagonCount(), 0);
}

void ConsistDocumentTest::namesTheFileAsSaveAndLoadLeaveIt() {
  TempFolder root;
  writeSimulatorRoot(root);
  root.mkdir("data/consists");
  RecordingMessages messages;
  ConsistDocument document(Anchors{root.path(), root.path()}, messages);
  QSignalSpy names(&document, &ConsistDocument::fileNameChanged);
  document.add(wagon("Tank"));
  QVERIFY(document.hasUnsavedChanges());

  // A blank refuses the save but keeps the ".con" it gained; nothing is written.
  document.setFileName(QStringLiteral("my train"));
  QVERIFY(!document.save());
  QCOMPARE(document.fileName(), QStringLiteral("my train.con"));
  QVERIFY(!root.exists("data/consists/my train.con"));

  document.setFileName(QStringLiteral("train"));
  QSignalSpy saved(&document, &ConsistDocument::saved);
  QVERIFY(document.save());
  QCOMPARE(document.fileName(), QStringLiteral("train.con"));
  QCOMPARE(saved.count(), 1);
  QVERIFY(!document.hasUnsavedChanges());
  QCOMPARE(names.last().first().toString(), QStringLiteral("train.con"));

  // Loading it again is one step of undo, and the consist counts as saved.
  document.clear();
  QVERIFY(document.hasUnsavedChanges());
  document.load();
  QCOMPARE(document.model().wagonCount(), 1);
  QVERIFY(!document.hasUnsavedChanges());
  document.undo();
  QCOMPARE(document.model().wagonCount(), 0);
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::ConsistDocumentTest)
#include "consist_document_test.moc"
