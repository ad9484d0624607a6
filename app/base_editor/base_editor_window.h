// BaseEditorWindow, "База подвижного состава": the rolling-stock base base.ini as a table to fix
// what the consist library finds. One row per rolling-stock name known anywhere (both catalogues,
// every section of the base, the consist files, whose names arrive from a check off the window's
// thread), with its category, length, weight and axles and where each comes from (BaseTableModel),
// narrowed by filters and a search and sorted by any column (BaseFilterModel).
//
// Edits go into a BaseFile, which changes only the bytes it must; each edit is a step of the
// window's own undo (Ctrl+Z, Ctrl+Y), a refused one a message and no change. Ctrl+S writes
// base.ini through a temporary file; the other windows see the new values at their next lookup,
// as they see any change of the file. Closing with edits not saved asks first.
#pragma once

#include <QUndoStack>
#include <QWidget>

#include <string>
#include <unordered_set>

#include "reference/base_file.h"
#include "reference/catalogue.h"

class QLabel;
class QLineEdit;
class QTableView;

namespace rakewright {

class BaseFilterModel;
class BaseTableModel;
class ConsistDocument;
class ConsistLibraryScanner;
struct SharedActions;

class BaseEditorWindow : public QWidget {
  Q_OBJECT
 public:
  // A window of its own over `owner`, which owns it; the catalogues must outlive it.
  BaseEditorWindow(ConsistDocument& document, const SharedActions& actions,
                   const Catalogue& traffic, const Catalogue& folder, QWidget* owner);
  ~BaseEditorWindow() override;

  // Reads base.ini anew (unless edits wait to be saved), shows the rows and gives the keyboard to
  // the table: at the length of `name` when a row has it.
  void open(const std::string& name);
  // Writes the edits to base.ini; true when the file holds them.
  bool save();
  // Edits the figure of `column` (BaseTableModel::Column) of the row of `name` as typed.
  void edit(const std::string& name, int column, const QString& typed);

  const BaseFile& base() const { return base_; }

 signals:
  // The rows are shown in full, the names of the consist files included (for tests).
  void rowsComplete();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Step;

  void buildControls();
  void makeActions(const SharedActions& actions);
  void showRows();
  // The number of names in the status line, and how many the search and the filters leave.
  void showCount();
  void addConsistNames(const std::unordered_set<std::string>& names);
  // Puts `state` in place of the base and shows the row of `name` anew.
  void showState(const BaseFile& state, const std::string& name);
  void showAt(const std::string& name);

  ConsistDocument& document_;
  const Catalogue& traffic_;
  const Catalogue& folder_;
  BaseFile base_;
  std::unordered_set<std::string> consistNames_;
  QUndoStack history_;
  ConsistLibraryScanner* scanner_ = nullptr;

  BaseTableModel* rows_ = nullptr;
  BaseFilterModel* shown_ = nullptr;
  QLineEdit* search_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace rakewright
