#pragma once

namespace qw {

// Memory the program frees stays with the process: the C library keeps it
// for the next allocation. After a large document is loaded and wrapped in
// the background that is several megabytes, which a person looking at the
// system monitor sees as the editor's. This gives them back to the system
// once the program has gone quiet (it costs one walk of the free lists, so
// not while work goes on). Call it after work that allocated and freed much;
// calls while it waits are one.
void returnFreedMemoryWhenQuiet();

} // namespace qw
