// What the program sets up once, before its first window: the fonts, the compiled-in pictures,
// Qt's own texts in Russian, the application's name and icon. The tests call it too, so they see the windows as the program
// shows them.
#pragma once

namespace rakewright {

// Makes the compiled-in pictures and fonts available, registers the fonts (Liberation Sans and
// Liberation Mono, regular and bold, so the windows look the same whatever fonts the machine has),
// installs Qt's Russian translation and sets the application's name and icon. Needs the
// QApplication to exist.
void prepareApplication();

}  // namespace rakewright
