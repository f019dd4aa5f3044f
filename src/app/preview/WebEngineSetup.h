#pragma once

namespace qw {

// Run before the first web view or profile is made. The web engine's
// sandbox refuses to start for root; only then is it switched off.
void prepareWebEngine();

} // namespace qw
