#pragma once

#include <cstdint>

namespace qw {

// How many counts from the start of the text the shortcut has answered from
// the line index. It stays where it is while the editor library goes round
// the shortcut (a build that binds its own calls directly), which answers
// right but walks the whole text on every edit.
std::uint64_t characterCountLookups();

} // namespace qw
