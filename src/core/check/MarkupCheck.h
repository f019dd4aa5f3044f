#pragma once

// The page's markup checked by libtidy (tidy-html5) in memory, its messages
// taken by code and told in Czech where we have a text for the code.

#include "core/check/PageFinding.h"

#include <QByteArray>
#include <QList>

#include <atomic>
#include <chrono>

namespace qw {

// What may stop a check early: a newer text (cancel set by another thread)
// or the time it may take.
struct CheckControl
{
    const std::atomic<bool>* cancel = nullptr;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();

    bool stopped() const;
};

enum class CheckOutcome {
    Done,
    Cancelled,
    TimedOut,
    // The page would make the library fail: it is not given to it.
    GaveUp,
};

struct MarkupCheck
{
    CheckOutcome outcome = CheckOutcome::Done;
    // Given up because elements stand too deep in one another.
    bool tooDeep = false;
    QList<PageFinding> findings;
};

// Checks utf8, a whole page. The document type rules follow the page's own
// <!DOCTYPE> (HTML5 when it has none).
MarkupCheck checkMarkup(const QByteArray& utf8, const CheckControl& control = {});

// Elements opened and never closed, most at once, as a quick scan of the
// tags counts them (end tags a browser may leave out do not add up). The
// library's parser descends once for each level.
int openElementDepth(const QByteArray& utf8);

// Deeper pages are not given to the library: its parser would run out of
// stack.
constexpr int MaxCheckedDepth = 10000;

} // namespace qw
