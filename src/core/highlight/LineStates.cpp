#include "core/highlight/LineStates.h"

#include <algorithm>
#include <cstring>

namespace qw {

LineStates::LineStates(int lineCount)
{
    reset(lineCount);
}

void LineStates::reset(int lineCount)
{
    m_size = std::size_t(std::max(lineCount, 1));
    m_states.assign(m_size, Unknown);
    m_states.shrink_to_fit();
    m_gapStart = m_size;
    m_gapLength = 0;
    m_states[0] = quint8(toInt(LineState::Text));
}

quint8& LineStates::at(int line)
{
    Q_ASSERT(line >= 0 && std::size_t(line) < m_size);
    const auto i = std::size_t(line);
    return m_states[i < m_gapStart ? i : i + m_gapLength];
}

quint8 LineStates::at(int line) const
{
    Q_ASSERT(line >= 0 && std::size_t(line) < m_size);
    const auto i = std::size_t(line);
    return m_states[i < m_gapStart ? i : i + m_gapLength];
}

LineState LineStates::startState(int line) const
{
    const quint8 s = at(line);
    return s == Unknown ? LineState::Text : static_cast<LineState>(s);
}

void LineStates::moveGapTo(std::size_t line)
{
    quint8* data = m_states.data();
    if (line < m_gapStart) {
        std::memmove(data + line + m_gapLength, data + line, m_gapStart - line);
    } else if (line > m_gapStart) {
        std::memmove(data + m_gapStart, data + m_gapStart + m_gapLength, line - m_gapStart);
    }
    m_gapStart = line;
}

void LineStates::insertUnknown(std::size_t line, std::size_t count)
{
    if (count > m_gapLength) {
        // Room for this and an eighth more, the gap at the end first.
        moveGapTo(m_size);
        const std::size_t room = count + std::max<std::size_t>(m_size / 8, 64);
        m_states.resize(m_size + room);
        m_gapLength = room;
    }
    moveGapTo(line);
    std::memset(m_states.data() + m_gapStart, Unknown, count);
    m_gapStart += count;
    m_gapLength -= count;
    m_size += count;
}

void LineStates::remove(std::size_t line, std::size_t count)
{
    moveGapTo(line);
    m_gapLength += count;
    m_size -= count;
}

void LineStates::replaceLines(int first, int removed, int inserted)
{
    const int count = lineCount();
    first = std::clamp(first, 0, count - 1);
    removed = std::clamp(removed, 0, count - first);
    inserted = std::max(inserted, 0);
    const bool lineAfter = first + removed < count;

    if (inserted == 0) {
        if (!lineAfter) {
            const int keep = std::max(first, 1);
            remove(std::size_t(keep), std::size_t(count - keep));
            return;
        }
        // The line after the removed ones moves up to `first`, whose stored
        // start state is still right: nothing before it changed.
        remove(std::size_t(first + 1), std::size_t(removed));
        return;
    }
    // Entry `first` stays; the inserted lines after it are unknown; the line
    // after the edit keeps its old entry (for a pure insertion that is the
    // old entry of `first`), which recolour() compares against.
    const quint8 after = lineAfter ? at(first + removed) : Unknown;
    remove(std::size_t(first + 1), std::size_t(std::min(first + removed + 1, count) - (first + 1)));
    insertUnknown(std::size_t(first + 1), std::size_t(inserted - 1 + (lineAfter ? 1 : 0)));
    if (lineAfter)
        at(first + inserted) = after;
}

int LineStates::recolour(int first, const ColourLine& colourLine)
{
    int line = std::clamp(first, 0, lineCount() - 1);
    while (line > 0 && at(line) == Unknown)
        --line;
    const int count = lineCount();
    while (line < count) {
        const LineState end = colourLine(line, static_cast<LineState>(at(line)));
        ++line;
        if (line == count)
            break;
        quint8& stored = at(line);
        if (stored == quint8(toInt(end)))
            break;
        stored = quint8(toInt(end));
    }
    return line;
}

} // namespace qw
