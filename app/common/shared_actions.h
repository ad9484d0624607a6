// The commands every window of the program answers to, wherever the focus is: undo and redo of the
// consist (Ctrl+Z; Ctrl+Y or Ctrl+Shift+Z) and the opening of the whole-train window (Ctrl+T), the
// consist library (Ctrl+O) and the rolling-stock base editor (Ctrl+B, at the wagon the window
// points at); and the authors window, which the main window's button opens. Made once
// (app/program.cpp) and added to each window, so a key does the same everywhere. The base editor
// keeps Ctrl+Z and Ctrl+Y for its own edits.
#pragma once

#include <QList>

class QAction;
class QWidget;

namespace rakewright {

struct SharedActions {
  QAction* undo = nullptr;
  QAction* redo = nullptr;
  QAction* showTrain = nullptr;
  QAction* showLibrary = nullptr;
  QAction* showBaseEditor = nullptr;
  QAction* showAuthors = nullptr;

  // Makes the keys of the shared commands work in `window`.
  void addTo(QWidget* window) const;
};

}  // namespace rakewright
