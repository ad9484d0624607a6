// ConsistLibraryWindow, "Составы": every consist file of "data\consists\" with what loading it
// would give and what is wrong with it, following the folder while the window is open
// (ConsistFolderWatch). The files are listed and checked off the window's thread
// (ConsistLibraryScanner); a file changed on disk is checked again. The list sorts by any column
// and narrows to a filter text (file names and the rolling-stock names in the files); selecting a
// file lists its problems by line. Open loads the file into the consist document as "Load" does;
// copying, renaming and deleting (into the trash) go through consist_file_actions.
#pragma once

#include <QWidget>

#include <string>

#include "app/library/consist_library_scanner.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace rakewright {

class ConsistDocument;
class ConsistFolderWatch;
class ConsistLibraryModel;
struct SharedActions;

class ConsistLibraryWindow : public QWidget {
  Q_OBJECT
 public:
  // A window of its own over `owner`, which owns it; the keys of `actions` work in it.
  ConsistLibraryWindow(ConsistDocument& document, const SharedActions& actions, QWidget* owner);

  // The actions on the selected file, as the buttons and keys run them.
  void openSelected();
  void copySelected();
  void renameSelected();
  void deleteSelected();
  // Reads and checks every file again.
  void checkAll();
  // The rolling-stock name the selected problem names ("" for none).
  std::string wagonInView() const;
  // Gives the keyboard to the filter box, whose Up and Down move through the table and whose Enter
  // opens the selected file; a file is selected as soon as one is listed.
  void focusFilter();

 signals:
  // A pass of the check has been shown (for tests and benchmarks).
  void listed();
  // A file was opened into the document.
  void fileOpened();
  // "Исправить в базе…" for the wagon the selected problem names.
  void fixInBaseRequested(const std::string& name);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildControls();
  void connectSignals();
  void showPass(const ConsistFileEntries& entries, int checked, qint64 milliseconds);
  void showProblems();
  void select(const std::string& diskPath);
  // Selects the first row when none is selected and one is shown.
  void ensureSelection();
  // The selected file's entry; nullptr when none is selected.
  const ConsistFileEntry* selectedEntry() const;
  // Looks at the folder at once after an action, keeping `diskPath` selected.
  void rescan(const std::string& diskPath);

  ConsistDocument& document_;
  ConsistLibraryScanner* scanner_ = nullptr;
  ConsistFolderWatch* watch_ = nullptr;
  ConsistLibraryModel* model_ = nullptr;
  QSortFilterProxyModel* proxy_ = nullptr;
  // The file to select once the next pass shows it.
  std::string pendingSelection_;
  bool listedOnce_ = false;

  QLineEdit* filter_ = nullptr;
  QTableView* table_ = nullptr;
  QListWidget* problems_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  QPushButton* renameButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* checkButton_ = nullptr;
  QPushButton* fixButton_ = nullptr;
};

}  // namespace rakewright
