// The colouring state machine over any lines and start state: runs stay in
// their line, in order, never empty or overlapping, and do not depend on what
// the reused vector held. The per-line start states an editor keeps, updated
// after an edit of one line, are the states a colouring from the top gives.

#include "FuzzSupport.h"
#include "core/highlight/HtmlHighlighter.h"
#include "core/highlight/LineStates.h"

#include <QList>

#include <vector>

namespace {

void checkRuns(const qw::HighlightRuns& runs, qsizetype lineLength)
{
    qsizetype end = 0;
    for (const qw::HighlightRun& run : runs) {
        QW_FUZZ_CHECK(run.length > 0);
        QW_FUZZ_CHECK(run.start >= end);
        QW_FUZZ_CHECK(run.start + run.length <= lineLength);
        QW_FUZZ_CHECK(std::size_t(run.style) < qw::StyleClassCount);
        end = run.start + run.length;
    }
}

// Start states of every line, coloured from the top.
std::vector<qw::LineState> startStates(const QList<QStringView>& lines)
{
    std::vector<qw::LineState> states;
    qw::HighlightRuns runs;
    qw::LineState state = qw::LineState::Text;
    for (const QStringView line : lines) {
        states.push_back(state);
        state = qw::highlightLine(line, state, runs);
    }
    return states;
}

// The lines of a text split at CR LF, CR and LF, as the editor holds them.
QList<QStringView> linesOf(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.sliced(start));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const std::uint8_t editSeed = input.byte();
    QString replacement = qw::fuzz::textOf(input.part('\0'), choice);
    replacement.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString text = qw::fuzz::textOf(input.rest(), choice);

    QList<QStringView> lines = linesOf(text);
    qw::HighlightRuns runs;
    qw::HighlightRuns fresh;
    qw::LineState state = qw::lineStateFromInt(choice >> 4);
    for (const QStringView line : std::as_const(lines)) {
        const qw::LineState in = state;
        state = qw::highlightLine(line, in, runs);
        QW_FUZZ_CHECK(qw::toInt(state) >= 0 && qw::toInt(state) < qw::LineStateCount);
        checkRuns(runs, line.size());
        fresh.clear();
        fresh.shrink_to_fit();
        QW_FUZZ_CHECK(qw::highlightLine(line, in, fresh) == state);
        QW_FUZZ_CHECK(fresh == runs);
    }

    // An editor's stored states: colour all, change one line, colour from it.
    qw::LineStates stored(int(lines.size()));
    qw::HighlightRuns scratch;
    const auto colourLine = [&](int line, qw::LineState start) {
        return qw::highlightLine(lines.at(line), start, scratch);
    };
    QW_FUZZ_CHECK(stored.recolour(0, colourLine) == lines.size());
    const int edited = editSeed % int(lines.size());
    lines[edited] = replacement;
    stored.replaceLines(edited, 1, 1);
    const int stop = stored.recolour(edited, colourLine);
    QW_FUZZ_CHECK(stop > edited && stop <= lines.size());
    const std::vector<qw::LineState> expected = startStates(lines);
    for (int i = 0; i < lines.size(); ++i)
        QW_FUZZ_CHECK(stored.startState(i) == expected[std::size_t(i)]);

    const qw::HighlightRuns all = qw::highlightText(text);
    checkRuns(all, text.size());
    return 0;
}
