// TForm1, the main window: both catalogues, the selection and its preview, the consist totals,
// the consist-file row, the six-slot consist strip with its paging buttons, and the status bar.
//
// The window owns the controls (each named, as C++ member and as objectName, the way the form
// names it) and the consist model. Data flows one way per action: a handler reads the controls it
// needs, runs the operation on the ConsistModel or the consist files, copies the model's values
// back into the controls (showConsist) and redraws the strip (ClearImages, RefreshConsistImage).
// Every handler is connected in connectSignals() and runs through guarded(), which turns an
// exception into the error box, so no exception crosses a Qt slot.
//
// The code is split by subject: main_window.cpp (start-up, consist buttons, consist files),
// main_window_layout.cpp (the controls and their places), consist_strip.cpp (the strip).
#pragma once

#include <QWidget>

#include <array>
#include <exception>
#include <string>

#include "consist/consist_model.h"
#include "reference/data_paths.h"
#include "reference/rolling_stock_base.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace rakewright {

class CatalogueView;
class PictureBox;
class StatusBar;
class UserMessages;

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 1022;
  static constexpr int kClientHeight = 568;
  static constexpr int kSlots = 6;

  // Builds the window and runs the start-up sequence (FormCreate); its errors go to `messages`,
  // which must outlive the window. Paths are resolved against `anchors`.
  TForm1(Anchors anchors, UserMessages& messages, QWidget* parent = nullptr);
  ~TForm1() override;

  // The authors window that "Авторы" shows (not owned).
  void setAuthorsWindow(QWidget* authors) { authors_ = authors; }

  // Puts the window in the middle of its screen.
  void centreOnScreen();

  // --- Controls ----------------------------------------------------------------------------------
  // Top row: the traffic filter, the selection fields, "+" and "-", the folder filter.
  QLabel* Label7 = nullptr;
  QComboBox* ComboBox1 = nullptr;
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
  QLabel* Label10 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  // The catalogues (1, 3) and their filtered forms (2, 4), the preview, the totals.
  QListWidget* ListBox1 = nullptr;
  QListWidget* ListBox2 = nullptr;
  QListWidget* ListBox3 = nullptr;
  QListWidget* ListBox4 = nullptr;
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
  // The strip: slot N shows position PageStart+N-1.
  QFrame* Panel1 = nullptr;
  PictureBox* PrvImg1 = nullptr;
  PictureBox* PrvImg2 = nullptr;
  PictureBox* PrvImg3 = nullptr;
  PictureBox* PrvImg4 = nullptr;
  PictureBox* PrvImg5 = nullptr;
  PictureBox* PrvImg6 = nullptr;
  QLabel* WagName1 = nullptr;
  QLabel* WagName2 = nullptr;
  QLabel* WagName3 = nullptr;
  QLabel* WagName4 = nullptr;
  QLabel* WagName5 = nullptr;
  QLabel* WagName6 = nullptr;
  QLabel* WagNum1 = nullptr;
  QLabel* WagNum2 = nullptr;
  QLabel* WagNum3 = nullptr;
  QLabel* WagNum4 = nullptr;
  QLabel* WagNum5 = nullptr;
  QLabel* WagNum6 = nullptr;
  // Paging and the rest.
  QPushButton* Button5 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* PrevPageBtn = nullptr;
  QPushButton* NextPageBtn = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button6 = nullptr;
  QPushButton* Button1 = nullptr;
  StatusBar* StatusBar1 = nullptr;

  // --- What the handlers share -------------------------------------------------------------------
  ConsistModel& model() { return model_; }
  RollingStockBase& base() { return base_; }
  const Anchors& anchors() const { return anchors_; }
  UserMessages& messages() { return messages_; }
  // The catalogue side: selection, double-click and Enter, the two filters.
  CatalogueView& catalogue() { return *catalogue_; }

  // Runs a handler; an exception it lets out is shown in the error box and ends the handler.
  template <typename Handler>
  void guarded(Handler&& handler) {
    try {
      handler();
    } catch (...) {
      showError(std::current_exception());
    }
  }

  // The start-up sequence.
  void FormCreate();

  // Appends the selection (NameEdit, LengthEdit, Edit1) to the consist; the 100-wagon refusal is
  // shown as a warning. The catalogue lists call it directly on a double-click or Enter.
  void addPS();
  // Removes the wagon of consist line `index` (0-based) and shows its figures in the selection.
  void DeleteWagon(int index);
  // The redraw of the strip: labels first, then the pictures.
  void ClearImages();
  void RefreshConsistImage();

  // Copies the model's consist lines and totals into the controls, moving the unit labels.
  void showConsist();

  // --- Handlers ----------------------------------------------------------------------------------
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
  void PrvImg1MouseUp(Qt::MouseButton button);
  void PrvImg2MouseUp(Qt::MouseButton button);
  void PrvImg3MouseUp(Qt::MouseButton button);
  void PrvImg4MouseUp(Qt::MouseButton button);
  void PrvImg5MouseUp(Qt::MouseButton button);
  void PrvImg6MouseUp(Qt::MouseButton button);
  void Button1Click();

 private:
  void buildControls();
  void buildTopRow();
  void buildCentre();
  void buildTotals();
  void buildStrip();
  void buildBottomRow();
  void connectSignals();
  void showError(std::exception_ptr error);

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
  // Sets PageStart and redraws.
  void pageTo(int pageStart);
  // A click on the picture of slot `slot` (0-based).
  void slotMouseUp(int slot, Qt::MouseButton button);
  // Refills the consist files' list, keeping the typed text.
  void listConsistFiles();

  Anchors anchors_;
  UserMessages& messages_;
  RollingStockBase base_;
  ConsistModel model_;
  QWidget* authors_ = nullptr;
  CatalogueView* catalogue_ = nullptr;  // a child of the window

  std::array<PictureBox*, kSlots> slotPictures_{};
  std::array<QLabel*, kSlots> slotNames_{};
  std::array<QLabel*, kSlots> slotNumbers_{};
};

}  // namespace rakewright
