#pragma once

#include "core/highlight/HtmlHighlighter.h"

#include <functional>
#include <vector>

namespace qw {

// The state each line of a document starts in, kept by an editor so that an
// edit re-colours only what it changed: colouring starts at the edited line
// and stops at the first line whose new start state equals the stored one,
// because from there on every line colours as before.
class LineStates
{
public:
    // A document of `lineCount` lines (at least one) that is not coloured yet.
    explicit LineStates(int lineCount = 1);

    // Forgets everything: the next recolour(0, ...) colours every line.
    void reset(int lineCount);

    int lineCount() const { return int(m_states.size()); }
    // The state line `line` starts in. Only meaningful for lines recolour()
    // has reached since they were inserted.
    LineState startState(int line) const;

    // An edit replaced the lines [first, first + removed) with `inserted`
    // lines; first < lineCount(). An edit inside one line is (line, 1, 1).
    // The start state of `first` stays (nothing before it changed); the line
    // after the edit keeps the state stored for it, to be compared against.
    void replaceLines(int first, int removed, int inserted);

    // Colours from line `first` on: colourLine(line, startState) colours one
    // line and returns its end state. Stops after the last line or after the
    // first line whose end state equals the stored start state of the next.
    // Returns the line after the last one coloured.
    using ColourLine = std::function<LineState(int line, LineState start)>;
    int recolour(int first, const ColourLine& colourLine);

private:
    static constexpr quint8 Unknown = 0xFF;
    std::vector<quint8> m_states;
};

} // namespace qw
