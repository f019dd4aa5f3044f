#pragma once

namespace qw {

// Run before the first web view or profile is made: the view draws without
// OpenGL, the engine's start-up report stays out of the terminal, and for
// root only the engine's sandbox is off, since it refuses to start otherwise.
void prepareWebEngine();

} // namespace qw
