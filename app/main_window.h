// TForm1, the main window: the catalogue side left and right, the selection and its preview in the
// centre, the consist totals, the consist-file row, the six-slot consist strip with its paging
// buttons, and the status bar.
//
// The window is made of components and owns the consist:
// - Two CataloguePanes (app/catalogue_pane), one class for both sides: the traffic catalogue on
//   the left, the folder catalogue on the right, each with its caption, filter box, two lists and
//   search field. A pane reports a selection (selected), a request to add (addRequested), the
//   status notices (lengthNotice, previewNotice) and a filter choice (filterChosen, which
//   re-applies both sides: ComboBox1Change).
// - ConsistStrip (app/consist_strip) owns the six slots of the strip and draws the consist it is
//   given; it reports a click-to-remove (removeRequested).
// - The window owns the ConsistModel, the rolling-stock base and the remaining controls (the
//   selection fields, the totals, the consist-file row, the paging buttons, the status bar), all
//   private; connectSignals() wires every control and component to its handler in one place.
// - ConsistHistory (app/consist_history) keeps the undo and redo of every change of the consist.
// Data flows one way per action: a handler reads the controls it needs, runs the operation on the
// model or the consist files, copies the model's values back into the controls (showConsist) and
// redraws the strip (ClearImages, RefreshConsistImage). Every change of the consist goes through
// change(), which records it for undo. Every handler runs through guarded(), which turns an
// exception into the error box, so no exception crosses a Qt slot.
//
// Closing the window with a consist that differs from what was last loaded or saved asks whether
// to save it.
//
// The code is split by subject: main_window.cpp (start-up, the consist's operations, consist
// files, paging), main_window_layout.cpp (the controls and their places), main_window_windows.cpp
// (the whole-train window and the consist library: their buttons and what they ask of the
// window).
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "consist/consist_model.h"
#include "consist/paging.h"
#include "reference/data_paths.h"
#include "reference/rolling_stock_base.h"

class QCloseEvent;
class QComboBox;
class QFrame;
class QMimeData;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace rakewright {

class CatalogueLookup;
class CataloguePane;
class ConsistHistory;
class ConsistLibraryWindow;
class ConsistStrip;
struct CatalogueSelection;
class PictureBox;
class StatusBar;
class TrainWindow;
class UserMessages;

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 1022;
  static constexpr int kClientHeight = 568;

  // Builds the window and runs the start-up sequence (FormCreate); its errors go to `messages`,
  // which must outlive the window. Paths are resolved against `anchors`.
  TForm1(Anchors anchors, UserMessages& messages, QWidget* parent = nullptr);
  ~TForm1() override;

  // The authors window that "Авторы" shows (not owned).
  void setAuthorsWindow(QWidget* authors) { authors_ = authors; }

  // Puts the window in the middle of its screen.
  void centreOnScreen();

  // The consist as the window holds it.
  const ConsistModel& model() const { return model_; }

  // Whether the consist differs from what was last loaded or saved (the empty consist at start).
  bool hasUnsavedChanges() const;

  // The wagon the last catalogue selection or removal offered, with the picture and the figure
  // sources that go with it into the consist while the selection fields still show it.
  const WagonChoice& offeredWagon() const { return offered_; }

  // --- What the whole-train window and the consist library use (main_window_windows.cpp) -------
  const Anchors& anchors() const { return anchors_; }
  UserMessages& messages() const { return messages_; }
  // The text of ConsistsComboBox: the name the consist is loaded from or saved under.
  QString consistFileName() const;
  // Runs `edit` on the consist as one step of the undo history named `text`, and shows the
  // result as every change of the consist is shown: LimitReached with the 100-wagon warning, an
  // exception in the error box. True when the consist took the change.
  bool editConsist(const QString& text,
                   const std::function<ConsistModel::AddOutcome(ConsistModel&)>& edit);
  // Loads the consist file `name` as "Load" does, with the name in ConsistsComboBox.
  void openConsistFile(const QString& name);
  // Pages the strip so that it shows the wagon at `position`, as little as needed.
  void showInStrip(int position);
  // Undo and redo of the consist's history, as Ctrl+Z and Ctrl+Y in this window.
  void undoChange() { undo(); }
  void redoChange() { redo(); }

 signals:
  // At the start of every redraw of the strip: the consist or its paging may have changed.
  void consistShown();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void buildTopRow();
  void buildCentre();
  void buildTotals();
  void buildBottomRow();
  // The buttons "Весь состав" and "Составы", their keys and the two windows they open.
  void buildWindowButtons();
  void showTrainWindow();
  void showLibraryWindow();
  // Tooltips, accessible names and the captions' buddies.
  void describeControls();
  void connectSignals();

  // The start-up sequence.
  void FormCreate();

  // The consist's operations.
  // Appends the selection (NameEdit, LengthEdit, Edit1) to the consist; the 100-wagon refusal is
  // shown as a warning. The catalogue lists ask for it on a double-click or Enter.
  void addPS();
  // Removes the wagon of consist line `index` (0-based) and shows its figures in the selection.
  void DeleteWagon(int index);
  // The redraw of the strip: labels first (Wag_Num among them), then the pictures.
  void ClearImages();
  void RefreshConsistImage();

  // Handlers.
  void AddButtonClick();
  void DeleteButtonClick();
  void ClearButtonClick();
  void SaveButtonClick();
  void LoadButtonClick();
  void Button5Click();
  void Button3Click();
  void PrevPageBtnClick();
  void NextPageBtnClick();
  void Button4Click();
  void Button6Click();
  void Button1Click();
  // A change of either filter box: both sides apply their choice, the traffic side first.
  void ComboBox1Change();

  // Additions of our own: drops on the strip, undo and redo.
  // A catalogue item dropped on the slot of `position`: inserted there, or appended when the
  // slot shows no wagon.
  void insertDropped(const QMimeData& data, int position);
  // A wagon dropped on the slot of `position`: moved there (last, when the slot shows no wagon),
  // or a copy inserted there.
  void moveDropped(int from, int position, bool copy);
  // Keyboard editing of the strip: a wagon moved from line `from` to line `to`; the selection
  // inserted at line `index` (the figures "+" would use, one undo step, the 100-wagon limit).
  void moveWagon(int from, int to);
  void insertSelection(int index);
  // Pages the strip so that `position` shows, as little as needed.
  void showPosition(int position);
  void undo();
  void redo();

  // Runs a change of the consist and records it for undo as `text`, also when the change fails
  // after it has changed the consist (a redraw that fails).
  template <typename Change>
  void change(const QString& text, Change&& changeConsist);
  // Puts a recorded state back: the consist, the totals and the strip.
  void restore(const ConsistModel::State& state);
  // Saves under the name in ConsistsComboBox; true when the file was written.
  bool save();
  // Loads the file named by the combo box's text into the consist.
  void load(const std::string& comboText);

  // Copies the model's consist lines and totals into the controls, moving the unit labels.
  void showConsist();
  // What a catalogue selection puts into the selection fields and the preview.
  void showSelection(const CatalogueSelection& selection);
  // Makes `wagon` the offered wagon and shows it in the selection fields.
  void showOffered(WagonChoice wagon);
  // The wagon the selection fields describe, in Windows-1251 text (a character the code page
  // cannot hold is refused): the offered wagon's picture and figure sources go with it while the
  // fields show its name, and a figure typed over the offered one counts as typed.
  WagonChoice selection() const;
  // What an add or a removal leaves on the screen: the 100-wagon warning, or the consist and the
  // redraw; after a removal also the removed wagon's length and weight in the selection fields.
  void showAdded(ConsistModel::AddOutcome outcome);
  // The consist and the redraw.
  void showChanged();
  // After a removal the removed wagon is what the selection fields offer, so "+" puts it back.
  void showRemoved(const ConsistModel::Removed& removed);

  // The redraw, run at the end of every change of the consist and of every paging step.
  void redraw();
  // A paging button: PageStart as the paging rule says, and the redraw (none when the rule says
  // the button does nothing).
  void page(PageStep step);
  // Refills the consist files' list, keeping the typed text.
  void listConsistFiles();

  Anchors anchors_;
  UserMessages& messages_;
  RollingStockBase base_;
  ConsistModel model_;
  QWidget* authors_ = nullptr;
  ConsistHistory* history_ = nullptr;
  // The consist file's content as last loaded or saved; closing asks when the consist differs.
  std::string savedText_;
  // What the last catalogue selection or removal offered; its name is kept whole (NameEdit may
  // show it cut short).
  WagonChoice offered_;

  // Components.
  CataloguePane* trafficPane_ = nullptr;
  CataloguePane* folderPane_ = nullptr;
  // What the panes ask of the reference data; made with the preview box it decodes pictures for.
  std::unique_ptr<CatalogueLookup> lookup_;
  ConsistStrip* Panel1 = nullptr;

  // The selection fields, "+" and "-".
  QLineEdit* AmountEdit = nullptr;
  QLabel* AmountEditLabel = nullptr;
  QLineEdit* NameEdit = nullptr;
  QLabel* NameEditLabel = nullptr;
  QLineEdit* LengthEdit = nullptr;
  QLabel* LengthEditLabel = nullptr;
  QLabel* Label8 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* AddButton = nullptr;
  QPushButton* DeleteButton = nullptr;
  // The preview and the totals.
  PictureBox* PreviewImage = nullptr;
  QFrame* Panel2 = nullptr;
  QPlainTextEdit* ConsistsMemo = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Wag_Num = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* ConsistLength = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Con_Weight = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Num_Osey = nullptr;
  // The consist-file row.
  QComboBox* ConsistsComboBox = nullptr;
  QPushButton* LoadButton = nullptr;
  QPushButton* SaveButton = nullptr;
  QPushButton* ClearButton = nullptr;
  // Paging and the rest.
  QPushButton* Button5 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* PrevPageBtn = nullptr;
  QPushButton* NextPageBtn = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button6 = nullptr;
  QPushButton* Button1 = nullptr;
  StatusBar* StatusBar1 = nullptr;
  // The whole-train window and the consist library, made when first asked for.
  QPushButton* TrainButton = nullptr;
  QPushButton* LibraryButton = nullptr;
  TrainWindow* trainWindow_ = nullptr;
  ConsistLibraryWindow* libraryWindow_ = nullptr;
};

}  // namespace rakewright
