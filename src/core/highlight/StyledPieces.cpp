#include "core/highlight/StyledPieces.h"

namespace qw {

const std::vector<StyledPiece>& StyledLineWalker::next(QStringView line)
{
    m_state = highlightLine(line, m_state, m_runs);
    m_pieces.clear();
    qsizetype at = 0;
    for (const HighlightRun& run : m_runs) {
        if (run.start > at)
            m_pieces.push_back({at, run.start - at, false, StyleClass::DefaultText});
        m_pieces.push_back({run.start, run.length, true, run.style});
        at = run.start + run.length;
    }
    if (line.size() > at)
        m_pieces.push_back({at, line.size() - at, false, StyleClass::DefaultText});
    return m_pieces;
}

} // namespace qw
