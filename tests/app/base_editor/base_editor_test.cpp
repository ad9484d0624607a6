// The rolling-stock base editor as a player uses it: a figure typed into its cell is checked,
// written into its own line of base.ini and undone step by step; a category change moves the
// length; closing with edits not saved asks; and what was saved is what the main window's next
// selection shows.
#include <QAbstractItemModel>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include "app/base_editor/base_editor_window.h"
#include "app/base_editor/base_table_model.h"
#include "app/support/app_test_support.h"

namespace rakewright::testing {
namespace {

const std::string kBase =
    "[PASS]\r\nSleeper-cup=24.5\r\n"
    "[FREIGHT]\r\nTank=12.5\r\nHopper=14\r\n"
    "[WEIGHTS]\r\nTank=58.5\r\nSleeper-cup=60\r\n"
    "[OSI]\r\nTank=4\r\nHopper=6\r\nBroken=four\r\n";

// The editor of a started program, opened at `name`.
struct Editor {
  explicit Editor(const std::string& name = "Tank") {
    started.window->program->showBaseEditor(name);
    window = started.window->mainWindow->findChild<BaseEditorWindow*>();
    table = control<QTableView>(*window, "BaseTable");
  }
  // Types `text` into the cell of `name` and `column`, as the table's editor commits it.
  void type(const QString& name, int column, const QString& text) const {
    QAbstractItemModel* model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
      if (model->index(row, BaseTableModel::Name).data().toString() == name) {
        model->setData(model->index(row, column), text, Qt::EditRole);
        return;
      }
    }
    QFAIL("no such row");
  }
  QString cell(const QString& name, int column) const {
    QAbstractItemModel* model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
      if (model->index(row, BaseTableModel::Name).data().toString() == name) {
        return model->index(row, column).data().toString();
      }
    }
    return QStringLiteral("(none)");
  }
  QString status() const { return control<QLabel>(*window, "BaseStatus")->text(); }
  // Runs the window's command named `text` (its keys are tried with real key presses by the
  // real-input flows).
  void command(const char* text) const {
    for (QAction* action : window->actions()) {
      if (action->text() == QString::fromUtf8(text)) {
        action->trigger();
        return;
      }
    }
    QFAIL("no such command");
  }

  StartedWindow started;
  BaseEditorWindow* window = nullptr;
  QTableView* table = nullptr;
};

class BaseEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void editsAreCheckedWrittenInTheirLinesAndUndone();
  void closingAsksForEditsNotSaved();
  void sortsByValueAndKeepsTheCurrentRow();
};

void BaseEditorTest::editsAreCheckedWrittenInTheirLinesAndUndone() {
  Editor e;
  QCOMPARE(e.table->currentIndex().column(), int{BaseTableModel::Length});
  QCOMPARE(e.cell("Loco", BaseTableModel::Length), QStringLiteral("≈ 15"));  // guessed
  QCOMPARE(e.cell("Loco", BaseTableModel::Weight), QStringLiteral("50"));    // the default

  // A comma is taken for the point, and the note says so; a figure that is no number or not above
  // zero is refused and the cell keeps its value.
  e.type("Tank", BaseTableModel::Length, QStringLiteral("24,5"));
  QCOMPARE(e.cell("Tank", BaseTableModel::Length), QStringLiteral("24.5"));
  QVERIFY(e.status().contains(QStringLiteral("24.5")));
  for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("0"), QStringLiteral("-3")}) {
    e.type("Tank", BaseTableModel::Weight, bad);
  }
  QCOMPARE(e.started.messages.warnings.size(), 3);
  QCOMPARE(e.cell("Tank", BaseTableModel::Weight), QStringLiteral("58.5"));
  e.type("Hopper", BaseTableModel::Axles, QStringLiteral("8"));
  // A name without a length section gets one; a category change moves the length.
  e.type("Loco", BaseTableModel::Length, QStringLiteral("17"));
  e.type("Tank", BaseTableModel::Category, QStringLiteral("Локомотивы"));
  QCOMPARE(e.cell("Tank", BaseTableModel::Category), QStringLiteral("Локомотивы"));

  // Undone and redone one edit at a time.
  e.command("Отменить правку");
  QCOMPARE(e.cell("Tank", BaseTableModel::Category), QStringLiteral("Грузовые вагоны"));
  e.command("Отменить правку");
  QCOMPARE(e.cell("Loco", BaseTableModel::Length), QStringLiteral("≈ 15"));
  e.command("Повторить правку");
  e.command("Повторить правку");
  QCOMPARE(e.cell("Tank", BaseTableModel::Category), QStringLiteral("Локомотивы"));

  // Saved: every byte that was not edited stays, line endings included.
  e.command("Сохранить базу");
  QCOMPARE(e.started.root.read("data/consists/base.ini"),
           std::string("[PASS]\r\nSleeper-cup=24.5\r\n"
                       "[FREIGHT]\r\nHopper=14\r\nLoco=17\r\n"
                       "[WEIGHTS]\r\nTank=58.5\r\nSleeper-cup=60\r\n"
                       "[OSI]\r\nTank=4\r\nHopper=8\r\nBroken=four\r\n"
                       "[LOCOS]\r\nTank=24.5\r\n"));
  // The main window's next selection reads it.
  selectRow(e.started.window->trafficList, QStringLiteral("Tank"));
  QCOMPARE(e.started.window->lengthField->text(), QStringLiteral("24.5"));
}

// Lengths sort as numbers, guessed ones among them, both ways; the search keeps the
// order; the row the keyboard was on stays current.
void BaseEditorTest::sortsByValueAndKeepsTheCurrentRow() {
  Editor e("Tank");
  const auto lengths = [&e] {
    QStringList shown;
    QAbstractItemModel* model = e.table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
      const QString length = model->index(row, BaseTableModel::Length).data().toString();
      if (!length.isEmpty()) {
        shown << model->index(row, BaseTableModel::Name).data().toString() + "=" + length;
      }
    }
    return shown.join(' ');
  };
  e.table->sortByColumn(BaseTableModel::Length, Qt::DescendingOrder);
  QCOMPARE(lengths(),
           QStringLiteral("Sleeper-plac=≈ 25 Sleeper-cup=24.5 Loco=≈ 15 Hopper=14 Tank=12.5"));
  QCOMPARE(e.table->model()->index(e.table->currentIndex().row(), BaseTableModel::Name).data(),
           QVariant(QStringLiteral("Tank")));
  e.table->sortByColumn(BaseTableModel::Length, Qt::AscendingOrder);
  control<QLineEdit>(*e.window, "BaseSearch")->setText(QStringLiteral("er"));
  QCOMPARE(lengths(), QStringLiteral("Hopper=14 Sleeper-cup=24.5 Sleeper-plac=≈ 25"));
}

void BaseEditorTest::closingAsksForEditsNotSaved() {
  Editor e;
  e.type("Tank", BaseTableModel::Length, QStringLiteral("13"));
  e.started.messages.answer = UserMessages::SaveAnswer::Cancel;
  QVERIFY(!e.window->close());
  QCOMPARE(e.started.messages.questions,
           QStringList{QStringLiteral("Сохранить изменения в базе?")});
  e.started.messages.answer = UserMessages::SaveAnswer::Discard;
  QVERIFY(e.window->close());
  QCOMPARE(e.started.root.read("data/consists/base.ini"), kBase);
  // Opened again, it shows the file, not the edit that was dropped.
  e.started.window->program->showBaseEditor("Tank");
  QCOMPARE(e.cell("Tank", BaseTableModel::Length), QStringLiteral("12.5"));
  e.type("Tank", BaseTableModel::Length, QStringLiteral("13"));
  e.started.messages.answer = UserMessages::SaveAnswer::Save;
  QVERIFY(e.window->close());
  QVERIFY(e.started.root.read("data/consists/base.ini").find("Tank=13\r\n") != std::string::npos);
}

}  // namespace
}  // namespace rakewright::testing

RAKEWRIGHT_QTEST_MAIN(rakewright::testing::BaseEditorTest)
#include "base_editor_test.moc"
