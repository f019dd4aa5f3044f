#pragma once

namespace qw {

// Run before the first web view or profile is made: the view draws without
// OpenGL, the engine's start-up report stays out of the terminal, and for
// root only the engine's sandbox is off, since it refuses to start otherwise.
void prepareWebEngine();

// Whether the program started with the X11 platform's OpenGL turned off (so
// that the web engine's start-up makes no OpenGL context); false when the
// user chose the platform's OpenGL through its environment variable.
bool openGlOffAtStart();

} // namespace qw
