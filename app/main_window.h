// TForm1, the main window: the catalogue side left and right, the selection and its preview in the
// centre, the consist totals, the consist-file row, the six-slot consist strip with its paging
// buttons, and the status bar.
//
// The window is made of components and owns the consist:
// - CatalogueView (app/catalogue_view) owns the four catalogue lists, the two filter boxes and the
//   catalogues; it reports a selection (selected), a request to add (addRequested) and the status
//   notices (lengthNotice, previewNotice).
// - ConsistStrip (app/consist_strip) owns the six slots of the strip and draws the consist it is
//   given; it reports a click-to-remove (removeRequested).
// - The window owns the ConsistModel, the rolling-stock base and the remaining controls (the
//   selection fields, the totals, the consist-file row, the paging buttons, the status bar), all
//   private; connectSignals() wires every control and component to its handler in one place.
// Data flows one way per action: a handler reads the controls it needs, runs the operation on the
// model or the consist files, copies the model's values back into the controls (showConsist) and
// redraws the strip (ClearImages, RefreshConsistImage). Every handler runs through guarded(),
// which turns an exception into the error box, so no exception crosses a Qt slot.
//
// The code is split by subject: main_window.cpp (start-up, the consist's operations, consist
// files, paging), main_window_layout.cpp (the controls and their places).
#pragma once

#include <QWidget>

#include <string>

#include "consist/consist_model.h"
#include "consist/paging.h"
#include "reference/data_paths.h"
#include "reference/rolling_stock_base.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace rakewright {

class CatalogueView;
class ConsistStrip;
struct CatalogueSelection;
class PictureBox;
class StatusBar;
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

 private:
  void buildControls();
  void buildTopRow();
  void buildCentre();
  void buildTotals();
  void buildBottomRow();
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

  // Copies the model's consist lines and totals into the controls, moving the unit labels.
  void showConsist();
  // What a catalogue selection puts into the selection fields, the preview and the table of
  // remembered pictures.
  void showSelection(const CatalogueSelection& selection);
  // The selection fields as Windows-1251 text; a character the code page cannot hold is refused.
  struct Selection {
    std::string name, length, weight;
  };
  Selection selection() const;
  // What an add or a removal leaves on the screen: the 100-wagon warning, or the consist and the
  // redraw; after a removal also the removed wagon's length and weight in the selection fields.
  void showAdded(ConsistModel::AddOutcome outcome);
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

  // Components.
  CatalogueView* catalogue_ = nullptr;
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
};

}  // namespace rakewright
