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

    int lineCount() const { return int(m_size); }
    // The state line `line` starts in. Only meaningful for lines recolour()
    // or store() has reached since they were inserted.
    LineState startState(int line) const;
    // Whether `state` is stored for line `line` (never so for a line
    // inserted since and not yet reached).
    bool holds(int line, LineState state) const { return at(line) == quint8(toInt(state)); }
    void store(int line, LineState state) { at(line) = quint8(toInt(state)); }

    // An edit replaced the lines [first, first + removed) with `inserted`
    // lines; first < lineCount(). An edit inside one line is (line, 1, 1).
    // The start state of `first` stays (nothing before it changed); the line
    // after the edit keeps the state stored for it, to be compared against.
    // Costs what lies between this edit and the last one, not the document.
    void replaceLines(int first, int removed, int inserted);

    // Colours from line `first` on: colourLine(line, startState) colours one
    // line and returns its end state. Stops after the last line or after the
    // first line whose end state equals the stored start state of the next.
    // Returns the line after the last one coloured.
    using ColourLine = std::function<LineState(int line, LineState start)>;
    int recolour(int first, const ColourLine& colourLine);

private:
    static constexpr quint8 Unknown = 0xFF;
    // One byte a line, with a gap where the last edit was, so that lines
    // inserted or removed there move nothing else.
    quint8& at(int line);
    quint8 at(int line) const;
    void moveGapTo(std::size_t line);
    void insertUnknown(std::size_t line, std::size_t count);
    void remove(std::size_t line, std::size_t count);

    std::vector<quint8> m_states;
    std::size_t m_size = 0;
    std::size_t m_gapStart = 0;
    std::size_t m_gapLength = 0;
};

} // namespace qw
