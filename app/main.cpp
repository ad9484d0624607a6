// The program: its windows on the working folder (the simulator's root folder), and the event
// loop until the main window is closed. Closing the window with a consist that was changed since it
// was last loaded or saved asks whether to save it first.
#include <QApplication>

#include "app/common/application.h"
#include "app/common/user_messages.h"
#include "app/main_window/main_window.h"
#include "app/program.h"
#include "platform/paths.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  rakewright::prepareApplication();

  rakewright::MessageBoxes messages;
  rakewright::Program program(rakewright::Anchors{"", rakewright::programFolder()}, messages);
  program.mainWindow().centreOnScreen();
  program.mainWindow().show();
  return QApplication::exec();
}
