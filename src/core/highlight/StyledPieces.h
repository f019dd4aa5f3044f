#pragma once

#include "core/highlight/HtmlHighlighter.h"

#include <QStringList>

#include <vector>

namespace qw {

// A piece of a line: characters [start, start + length), drawn in `style`,
// or in the editor's own font and colour when `styled` is false.
struct StyledPiece
{
    qsizetype start = 0;
    qsizetype length = 0;
    bool styled = false;
    StyleClass style = StyleClass::DefaultText;
};

// Walks a document line by line with the carried colouring state, for the
// exporters: each line comes as pieces that cover it completely, in order.
class StyledLineWalker
{
public:
    // The pieces of the next line; empty for an empty line.
    const std::vector<StyledPiece>& next(QStringView line);

private:
    LineState m_state = LineState::Text;
    HighlightRuns m_runs;
    std::vector<StyledPiece> m_pieces;
};

} // namespace qw
