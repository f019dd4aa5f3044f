#include "core/highlight/LineStates.h"

#include <algorithm>

namespace qw {

LineStates::LineStates(int lineCount)
{
    reset(lineCount);
}

void LineStates::reset(int lineCount)
{
    m_states.assign(std::size_t(std::max(lineCount, 1)), Unknown);
    m_states[0] = quint8(toInt(LineState::Text));
}

LineState LineStates::startState(int line) const
{
    Q_ASSERT(line >= 0 && line < lineCount());
    const quint8 s = m_states[std::size_t(line)];
    return s == Unknown ? LineState::Text : static_cast<LineState>(s);
}

void LineStates::replaceLines(int first, int removed, int inserted)
{
    const int count = lineCount();
    first = std::clamp(first, 0, count - 1);
    removed = std::clamp(removed, 0, count - first);
    inserted = std::max(inserted, 0);
    const bool lineAfter = first + removed < count;
    const auto at = [this](int line) {
        return m_states.begin() + line;
    };

    if (inserted == 0) {
        if (!lineAfter) {
            m_states.resize(std::size_t(std::max(first, 1)));
            return;
        }
        // The line after the removed ones moves up to `first`, whose stored
        // start state is still right: nothing before it changed.
        m_states.erase(at(first + 1), at(first + removed + 1));
        return;
    }
    // Entry `first` stays; the inserted lines after it are unknown; the line
    // after the edit keeps its old entry (for a pure insertion that is the
    // old entry of `first`), which recolour() compares against.
    const quint8 after = lineAfter ? m_states[std::size_t(first + removed)] : Unknown;
    auto pos = m_states.erase(at(first + 1), at(std::min(first + removed + 1, count)));
    pos = m_states.insert(pos, std::size_t(inserted - 1), Unknown);
    if (lineAfter)
        m_states.insert(pos + (inserted - 1), after);
}

int LineStates::recolour(int first, const ColourLine& colourLine)
{
    int line = std::clamp(first, 0, lineCount() - 1);
    while (line > 0 && m_states[std::size_t(line)] == Unknown)
        --line;
    const int count = lineCount();
    while (line < count) {
        const LineState end = colourLine(line, static_cast<LineState>(m_states[std::size_t(line)]));
        ++line;
        if (line == count)
            break;
        quint8& stored = m_states[std::size_t(line)];
        if (stored == quint8(toInt(end)))
            break;
        stored = quint8(toInt(end));
    }
    return line;
}

} // namespace qw
