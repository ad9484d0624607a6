// Program, the program's windows and what they share: the consist document, the shared commands
// (SharedActions) and the windows themselves. It makes the main window (which runs the start-up
// sequence) and the hidden authors window at once, and the whole-train window, the consist library
// and the rolling-stock base editor when first asked for, and places each as it is first shown. No window holds another: the
// windows meet only in the document and in the shared commands, which end up here.
#pragma once

#include <QObject>

#include <memory>
#include <string>

#include "app/common/shared_actions.h"
#include "app/document/consist_document.h"

namespace rakewright {

class AuthorsWindow;
class BaseEditorWindow;
class ConsistLibraryWindow;
class MainWindow;
class TrainWindow;
class UserMessages;

class Program : public QObject {
  Q_OBJECT
 public:
  // The windows on the simulator folder `anchors`; boxes go to `messages`, which must outlive the
  // program.
  Program(Anchors anchors, UserMessages& messages);
  ~Program() override;

  ConsistDocument& document() { return document_; }
  const SharedActions& actions() const { return actions_; }
  MainWindow& mainWindow() const { return *mainWindow_; }
  AuthorsWindow& authorsWindow() const { return *authorsWindow_; }

  // Opens or raises each window.
  void showTrainWindow();
  void showLibraryWindow();
  void showAuthorsWindow();
  // Opens the rolling-stock base editor at `name` (none: where it was).
  void showBaseEditor(const std::string& name);

 private:
  void makeActions();
  // The rolling-stock name the active window points at ("" for none).
  std::string wagonInView() const;

  ConsistDocument document_;
  SharedActions actions_;
  std::unique_ptr<MainWindow> mainWindow_;
  std::unique_ptr<AuthorsWindow> authorsWindow_;
  // Windows of their own over the main window, which owns them.
  TrainWindow* trainWindow_ = nullptr;
  ConsistLibraryWindow* libraryWindow_ = nullptr;
  BaseEditorWindow* baseEditor_ = nullptr;
};

}  // namespace rakewright
