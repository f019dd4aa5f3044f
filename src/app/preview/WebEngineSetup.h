#pragma once

namespace qw {

// Run before the first web view or profile is made: makes the OpenGL
// context the engine shares (deferred from the start, which it would slow
// down) and, for root only, switches the engine's sandbox off, since it
// refuses to start otherwise.
void prepareWebEngine();

} // namespace qw
