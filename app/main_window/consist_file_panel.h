// ConsistFilePanel, the consist-file row under the left catalogue: the file box ConsistsComboBox
// (the consist file's name as typed or picked, and the consist files of the folder as its items,
// offered below it while typing by NameSuggestions), "Load", "Save" and "Удалить все вагоны из
// состава". The box's text is the document's file name: each follows the other.
#pragma once

#include <QList>
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace rakewright {

class ConsistDocument;

class ConsistFilePanel : public QWidget {
  Q_OBJECT
 public:
  ConsistFilePanel(ConsistDocument& document, QWidget* window);

  // Lists the consist files `names` (Windows-1251) as the box's items; the typed text, the cursor
  // and the marked part stay as they are.
  void listFiles(const std::vector<std::string>& names);

  QComboBox* fileBox() const { return fileBox_; }
  QPushButton* loadButton() const { return loadButton_; }
  QPushButton* saveButton() const { return saveButton_; }
  QPushButton* clearButton() const { return clearButton_; }
  QList<QWidget*> focusChain() const;

 private:
  ConsistDocument& document_;
  QComboBox* fileBox_ = nullptr;
  QPushButton* loadButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* clearButton_ = nullptr;
  // While the items are refilled the box's text passes through other values; the document keeps
  // its name meanwhile.
  bool listing_ = false;
};

}  // namespace rakewright
