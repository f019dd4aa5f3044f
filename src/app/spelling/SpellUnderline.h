#pragma once

#include "core/spelling/SpellScan.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <limits>
#include <optional>

namespace qw {

class ScintillaEditor;
class Speller;

// Underlines the misspelt words of one editor with a red wavy line: the
// visible part first, the rest of the text in the background in slices
// that never hold the window long; an edit checks the words it touched at
// once and the text after it in the background until the scan reaches a
// point whose state the edit did not change.
class SpellUnderline : public QObject
{
    Q_OBJECT
public:
    // An indicator the editor uses for nothing else.
    static constexpr int kIndicator = 20;
    // The longest a background slice works before letting the window run.
    static constexpr int kSliceMilliseconds = 6;

    SpellUnderline(ScintillaEditor* editor, Speller* speller);

    // The underliner of an editor, if it has one.
    static SpellUnderline* of(const ScintillaEditor* editor);

    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    // Nothing left to check and no dictionary being read.
    bool isSettled() const;
    // The longest slice of the background work so far (benchmarks).
    qint64 longestSliceNanoseconds() const { return m_longestSlice; }

    // The misspelt word at a byte position, decoded, with its source range.
    std::optional<SpellWord> misspeltWordAt(long position);
    // The first misspelt word starting at or after a byte position.
    std::optional<SpellWord> nextMisspelt(long from);
    // Every word of the text's readable parts spelt `word` (source ranges).
    QList<SpellWord> occurrences(const QString& word);
    // Replaces a word's source range with `text` as one undo step.
    void replaceWord(const SpellWord& word, const QString& text);

Q_SIGNALS:
    // The part of the text on screen has its underlines.
    void visiblePartChecked();

private:
    using Words = QList<SpellWord>;
    long length() const;
    // Scans from the checkpoint at or before `from` to the first stop at or
    // after `to`, recording checkpoints; words ending after `from` are
    // collected when `words` is given. Returns the stop; `state` is its state.
    long scan(long from, long to, SpellScanState& state, Words* words);
    long scanPiece(long from, long to, SpellScanState& state, Words* words);
    // Clears [from, to) and underlines the misspelt ones of `words`.
    void underline(long from, long to, const Words& words);
    void noteModified(int position, int type, int length);
    void checkEdits();
    void checkVisible();
    void backgroundSlice();
    void restart();

    QPointer<ScintillaEditor> m_editor;
    Speller* m_speller;
    bool m_enabled = true;
    SpellCheckpoints m_points;
    // Edits not yet checked: [m_dirtyFrom, m_dirtyTo).
    long m_dirtyFrom = -1;
    long m_dirtyTo = -1;
    // The background scan: where it stands, its state there, and from where
    // on it may stop at a checkpoint that still holds its state.
    bool m_pending = false;
    long m_next = 0;
    SpellScanState m_nextState;
    long m_stopAfter = std::numeric_limits<long>::max();
    QTimer m_editTimer;
    QTimer m_visibleTimer;
    QTimer m_backgroundTimer;
    qint64 m_longestSlice = 0;
};

} // namespace qw
