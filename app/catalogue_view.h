// The catalogue side of the main window: picking rolling stock from the traffic catalogue
// (ListBox1, filtered into ListBox2 by ComboBox1) and from the folder catalogue (ListBox3, filtered
// into ListBox4 by ComboBox2).
//
// A selection fills the selection fields (NameEdit, LengthEdit, Edit1) from the rolling-stock base
// or a length guess, shows the item's picture in PreviewImage and, for a folder wagon, remembers
// its bitmap for the position the next added wagon takes. A double-click or Enter adds the
// selection through TForm1::addPS. The two filter boxes narrow each side to one category; each side
// shows exactly one of its two lists.
//
// The view belongs to TForm1 and works on its controls; it connects its own handlers, through the
// window's guard, when it is created.
#pragma once

#include <QObject>

#include <optional>
#include <string>
#include <string_view>

class QListWidget;

namespace rakewright {

class TForm1;

class CatalogueView : public QObject {
  Q_OBJECT
 public:
  // Filter keywords of the folder side; the traffic side's keywords are the base's length sections.
  static constexpr std::string_view kPassWags = "PASS-WAGS";
  static constexpr std::string_view kFreightWags = "FREIGHT-WAGS";

  explicit CatalogueView(TForm1& form);

  // Selection in the traffic lists (ListBox1, ListBox2) and in the folder lists (ListBox3,
  // ListBox4).
  void ListBox1Click();
  void ListBox3Click();
  // Double-click and Enter add the selection.
  void ListBox1DblClick();
  void ListBox1KeyPress(int character);
  void ListBox3DblClick();
  void ListBox3KeyDown(int key);
  void ListBox4KeyPress(int character);
  // A change of either filter box re-applies both, traffic side first.
  void ComboBox1Change();
  void Filter(std::string_view keyword);

  // The list of each side that is visible.
  QListWidget* activeTrafficList() const;
  QListWidget* activeFolderList() const;

 protected:
  // Enter in a list: the lists see it before Qt's own key handling.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectSignals();
  // The name of the selected item of a list ("" when nothing is selected).
  static std::string selectedName(const QListWidget* list);
  // Fills NameEdit, LengthEdit and Edit1 from the list's selected item and the rolling-stock base,
  // with the guess where the base knows no length, and empties the length notice. Returns the
  // name; nullopt when the list has no selection.
  std::optional<std::string> takeSelection(const QListWidget* list,
                                           std::string (*lengthGuess)(std::string_view),
                                           bool& lengthGuessed);
  // Loads a picture into PreviewImage; false when it cannot be loaded (the picture stays).
  bool showPreview(std::string_view path);
  void filterTraffic(std::string_view section);
  void filterFolders(std::string_view keyword);

  TForm1& form_;
};

}  // namespace rakewright
