#pragma once

#include "core/settings/HighlightStyle.h"

#include <QStringView>

#include <vector>

namespace qw {

// Where the colouring stands at a line end, carried into the next line. It
// fits in an int (toInt/lineStateFromInt) so an editor can keep one per line.
// Being just after a "<" never carries over: a "<" that ends its line opens an
// unknown tag, so that case leaves the line as PlainTag.
enum class LineState : quint8 {
    Text,
    AttrTag,       // inside the start tag of a known element that takes attributes
    ScriptAttrTag, // the same inside <SCRIPT ...>: its ">" opens a script block
    PlainTag,      // inside any other tag
    Comment,
    ScriptBlock,
    ServerScriptPercent,  // "<%" … "%>"
    ServerScriptQuestion, // "<?" … "?>"
};
inline constexpr int LineStateCount = 8;

inline constexpr int toInt(LineState s)
{
    return static_cast<int>(s);
}
// Text for a value that names no state (a fresh line of the editor keeps 0).
inline constexpr LineState lineStateFromInt(int value)
{
    return value >= 0 && value < LineStateCount ? static_cast<LineState>(value) : LineState::Text;
}

// Characters [start, start + length) of a line drawn in a style. Characters
// outside every run keep the editor's own font and colour.
struct HighlightRun
{
    qsizetype start = 0;
    qsizetype length = 0;
    StyleClass style = StyleClass::DefaultText;

    friend bool operator==(const HighlightRun&, const HighlightRun&) = default;
};
using HighlightRuns = std::vector<HighlightRun>;

// Colours one line (no line break in it) that starts in state `in`: replaces
// the content of `out` with the line's runs, in order, none empty, none
// overlapping, and returns the state at the line's end. `out` keeps its
// capacity, so colouring line after line into one vector allocates nothing
// once it is large enough.
LineState highlightLine(QStringView line, LineState in, HighlightRuns& out);

// Colours a whole text whose lines end with CR LF, CR or LF, carrying the
// state from line to line; run starts are offsets into `text`.
HighlightRuns highlightText(QStringView text);

} // namespace qw
