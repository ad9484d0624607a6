// What the program sets up once, before its first window: the fonts, the compiled-in pictures,
// the application's name and icon. The tests call it too, so they see the windows as the program
// shows them.
#pragma once

namespace rakewright {

// Registers the fonts the windows are drawn in (Tahoma, from the fonts of the Wine project when
// they are installed), makes the compiled-in pictures available and sets the application's name
// and icon. Needs the QApplication to exist.
void prepareApplication();

}  // namespace rakewright
