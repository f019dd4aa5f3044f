#include "app/spelling/SpellUnderline.h"

#include "app/editor/ScintillaEditor.h"
#include "app/spelling/Speller.h"

#include <algorithm>
#include <cstdint>

namespace qw {
namespace {

// The background scans in pieces of about this many bytes, and leaves a
// checkpoint after each.
constexpr long kChunk = 1024;
// Edits touching more than this (a load, a large paste) are checked in the
// background, the visible part first, instead of at once.
constexpr long kImmediateLimit = 16 * 1024;
// The most of a wrapped long line taken as visible.
constexpr long kVisibleLimit = 64 * 1024;

} // namespace

SpellUnderline::SpellUnderline(ScintillaEditor* editor, Speller* speller)
    : QObject(editor), m_editor(editor), m_speller(speller)
{
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, kIndicator,
                          QsciScintillaBase::INDIC_SQUIGGLEPIXMAP);
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, kIndicator, 0x0000FFL);
    for (QTimer* t : {&m_editTimer, &m_visibleTimer, &m_backgroundTimer}) {
        t->setSingleShot(true);
        t->setInterval(0);
    }
    connect(&m_editTimer, &QTimer::timeout, this, &SpellUnderline::checkEdits);
    connect(&m_visibleTimer, &QTimer::timeout, this, &SpellUnderline::checkVisible);
    connect(&m_backgroundTimer, &QTimer::timeout, this, &SpellUnderline::backgroundSlice);
    connect(editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length) {
                noteModified(position, type, length);
            });
    connect(editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if (m_enabled && (updated & QsciScintillaBase::SC_UPDATE_V_SCROLL) != 0)
            m_visibleTimer.start();
    });
    connect(speller, &Speller::verdictsChanged, this, &SpellUnderline::restart);
    restart();
}

SpellUnderline* SpellUnderline::of(const ScintillaEditor* editor)
{
    return editor == nullptr
               ? nullptr
               : editor->findChild<SpellUnderline*>(QString(), Qt::FindDirectChildrenOnly);
}

long SpellUnderline::length() const
{
    return m_editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
}

void SpellUnderline::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (on) {
        restart();
        return;
    }
    m_editTimer.stop();
    m_visibleTimer.stop();
    m_backgroundTimer.stop();
    m_pending = false;
    m_dirtyFrom = m_dirtyTo = -1;
    m_points.clear();
    m_editor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, kIndicator);
    m_editor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0, length());
}

bool SpellUnderline::isSettled() const
{
    return !m_enabled || (!m_pending && m_dirtyFrom < 0 && !m_visibleTimer.isActive() &&
                          !m_editTimer.isActive() && !m_speller->isLoading());
}

void SpellUnderline::restart()
{
    if (!m_enabled)
        return;
    // The checkpoints stay: they hold the markup's state, not verdicts.
    m_pending = true;
    m_next = 0;
    m_nextState = SpellScanState();
    m_stopAfter = std::numeric_limits<long>::max();
    m_visibleTimer.start();
    m_backgroundTimer.start();
}

long SpellUnderline::scanPiece(long from, long to, SpellScanState& state, Words* words)
{
    const long len = length();
    long window = std::min(len, to + 4096);
    for (;;) {
        // The range pointer moves Scintilla's gap only within this range,
        // never across the whole text.
        const auto address = static_cast<std::intptr_t>(
            m_editor->SendScintilla(QsciScintillaBase::SCI_GETRANGEPOINTER, from, window - from));
        const QByteArrayView view(reinterpret_cast<const char*>(address),
                                  address == 0 ? 0 : window - from);
        SpellScanState s = state;
        Words found;
        SpellWordSink sink;
        if (words != nullptr)
            sink = [&found](const SpellWord& w) {
                found.append(w);
            };
        const long stop = from + static_cast<long>(scanSpelling(view, 0, to - from, s, sink));
        // A stop at the end of the window may lie inside markup or a word
        // that goes on: look again with more of the text.
        if (stop < window || window >= len) {
            state = s;
            if (words != nullptr) {
                for (SpellWord& w : found) {
                    w.start += from;
                    w.end += from;
                    words->append(std::move(w));
                }
            }
            return stop;
        }
        window = std::min(len, from + 2 * (window - from) + 4096);
    }
}

long SpellUnderline::scan(long from, long to, SpellScanState& state, Words* words)
{
    const SpellCheckpoints::Point start = m_points.before(from);
    long pos = start.position;
    state = start.state;
    const long len = length();
    do {
        long chunkTo = std::min(to, pos + kChunk);
        const long known = m_points.after(pos);
        if (known > 0 && known < chunkTo)
            chunkTo = known;
        // Far before `from` only the state matters: no words decoded.
        const bool collect = words != nullptr && pos + 2 * kChunk >= from;
        if (!collect && words != nullptr)
            chunkTo = std::min(chunkTo, from - kChunk);
        Words got;
        const long stop = scanPiece(pos, chunkTo, state, collect ? &got : nullptr);
        for (SpellWord& w : got) {
            if (w.end > from)
                words->append(std::move(w));
        }
        m_points.record(stop, state);
        if (stop <= pos)
            break;
        pos = stop;
    } while (pos < to && pos < len);
    return pos;
}

void SpellUnderline::underline(long from, long to, const Words& words)
{
    m_editor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, kIndicator);
    if (to > from)
        m_editor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, from, to - from);
    for (const SpellWord& w : words) {
        if (m_speller->check(w.text, w.language) == Speller::Verdict::Misspelt) {
            m_editor->SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, w.start,
                                    w.end - w.start);
        }
    }
}

void SpellUnderline::noteModified(int position, int type, int length)
{
    const bool inserted = (type & QsciScintillaBase::SC_MOD_INSERTTEXT) != 0;
    const bool deleted = (type & QsciScintillaBase::SC_MOD_DELETETEXT) != 0;
    if (!m_enabled || (!inserted && !deleted))
        return;
    const long added = inserted ? length : 0;
    const long removed = deleted ? length : 0;
    const long delta = added - removed;
    m_points.edited(position, removed, added);
    auto shift = [&](long& p) {
        if (p > position)
            p = std::max<long>(position, p + delta);
    };
    if (m_pending && position < m_next) {
        // The state where the background stood may have changed.
        const SpellCheckpoints::Point back = m_points.before(position);
        m_next = back.position;
        m_nextState = back.state;
    }
    if (m_stopAfter != std::numeric_limits<long>::max())
        shift(m_stopAfter);
    if (m_dirtyFrom < 0) {
        m_dirtyFrom = position;
        m_dirtyTo = position + added;
    } else {
        shift(m_dirtyTo);
        m_dirtyFrom = std::min<long>(m_dirtyFrom, position);
        m_dirtyTo = std::max<long>(m_dirtyTo, position + added);
    }
    m_editTimer.start();
}

void SpellUnderline::checkEdits()
{
    if (m_dirtyFrom < 0 || !m_enabled)
        return;
    const long len = length();
    const long from = std::min(m_dirtyFrom, len);
    const long to = std::min(m_dirtyTo, len);
    m_dirtyFrom = m_dirtyTo = -1;
    using B = QsciScintillaBase;
    const long lineFrom = m_editor->SendScintilla(
        B::SCI_POSITIONFROMLINE, m_editor->SendScintilla(B::SCI_LINEFROMPOSITION, from));
    const long lineTo = m_editor->SendScintilla(
        B::SCI_GETLINEENDPOSITION, m_editor->SendScintilla(B::SCI_LINEFROMPOSITION, to));
    auto background = [this](long start, const SpellScanState& state, long stopAfter) {
        if (!m_pending || m_next > start) {
            m_next = start;
            m_nextState = state;
            m_stopAfter = m_pending ? std::max(m_stopAfter, stopAfter) : stopAfter;
        } else {
            m_stopAfter = std::max(m_stopAfter, stopAfter);
        }
        m_pending = true;
        m_backgroundTimer.start();
    };
    if (lineTo - lineFrom > kImmediateLimit || to - from > kImmediateLimit) {
        const SpellCheckpoints::Point back = m_points.before(lineFrom);
        background(back.position, back.state, std::max(lineTo, to));
        checkVisible();
        return;
    }
    SpellScanState state;
    Words words;
    const long stop = scan(lineFrom, std::max(lineTo, to), state, &words);
    long clearFrom = lineFrom;
    for (const SpellWord& w : std::as_const(words))
        clearFrom = std::min<long>(clearFrom, w.start);
    underline(clearFrom, stop, words);
    // What follows may read differently now (a comment opened, a language
    // set): the background goes on until a checkpoint still holds its state.
    background(stop, state, stop);
}

void SpellUnderline::checkVisible()
{
    if (!m_enabled || !m_editor->isVisible())
        return;
    using B = QsciScintillaBase;
    const QWidget* view = m_editor->viewport();
    const long first = m_editor->SendScintilla(B::SCI_POSITIONFROMPOINT, 0L, 0L);
    long last = m_editor->SendScintilla(B::SCI_POSITIONFROMPOINT, static_cast<long>(view->width()),
                                        static_cast<long>(view->height()));
    last = std::min(last + 256, first + kVisibleLimit);
    if (!m_pending || m_next >= last) {
        Q_EMIT visiblePartChecked(); // underlined already
        return;
    }
    SpellScanState state;
    Words words;
    const long stop = scan(first, std::min(last, length()), state, &words);
    long clearFrom = first;
    for (const SpellWord& w : std::as_const(words))
        clearFrom = std::min<long>(clearFrom, w.start);
    underline(clearFrom, stop, words);
    Q_EMIT visiblePartChecked();
}

void SpellUnderline::backgroundSlice()
{
    if (!m_enabled || !m_pending)
        return;
    QElapsedTimer clock;
    clock.start();
    const long len = length();
    while (m_pending) {
        if (m_next >= len) {
            m_pending = false;
            break;
        }
        long to = std::min(m_next + kChunk, len);
        const long known = m_points.after(m_next);
        if (known > 0 && known < to)
            to = known;
        SpellScanState state = m_nextState;
        Words words;
        const long stop = scanPiece(m_next, to, state, &words);
        underline(m_next, stop, words);
        const bool converged = stop >= m_stopAfter && m_points.holds(stop, state);
        m_points.record(stop, state);
        m_next = stop;
        m_nextState = state;
        if (converged || stop >= len)
            m_pending = false;
        if (clock.elapsed() >= kSliceMilliseconds)
            break;
    }
    m_longestSlice = std::max(m_longestSlice, clock.nsecsElapsed());
    if (m_pending)
        m_backgroundTimer.start();
}

std::optional<SpellWord> SpellUnderline::misspeltWordAt(long position)
{
    using B = QsciScintillaBase;
    const long line = m_editor->SendScintilla(B::SCI_LINEFROMPOSITION, position);
    const long lineFrom = m_editor->SendScintilla(B::SCI_POSITIONFROMLINE, line);
    const long lineTo = m_editor->SendScintilla(B::SCI_GETLINEENDPOSITION, line);
    SpellScanState state;
    Words words;
    scan(lineFrom, std::max(lineTo, position + 1), state, &words);
    for (const SpellWord& w : std::as_const(words)) {
        if (w.start <= position && position <= w.end &&
            m_speller->check(w.text, w.language) == Speller::Verdict::Misspelt)
            return w;
    }
    return std::nullopt;
}

std::optional<SpellWord> SpellUnderline::nextMisspelt(long from)
{
    const long len = length();
    long pos = from;
    while (pos < len) {
        SpellScanState state;
        Words words;
        const long stop = scan(pos, std::min(len, pos + 65536), state, &words);
        for (const SpellWord& w : std::as_const(words)) {
            if (w.start >= from &&
                m_speller->check(w.text, w.language) == Speller::Verdict::Misspelt)
                return w;
        }
        if (stop <= pos)
            break;
        pos = stop;
    }
    return std::nullopt;
}

QList<SpellWord> SpellUnderline::occurrences(const QString& word)
{
    QList<SpellWord> found;
    const long len = length();
    long pos = 0;
    while (pos < len) {
        SpellScanState state;
        Words words;
        const long stop = scan(pos, std::min(len, pos + 65536), state, &words);
        for (SpellWord& w : words) {
            if (w.start >= pos && w.text == word)
                found.append(std::move(w));
        }
        if (stop <= pos)
            break;
        pos = stop;
    }
    return found;
}

void SpellUnderline::replaceWord(const SpellWord& word, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    m_editor->beginUndoAction();
    m_editor->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, word.start, word.end);
    m_editor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, bytes.size(), bytes.constData());
    m_editor->endUndoAction();
}

} // namespace qw
