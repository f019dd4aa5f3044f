#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

namespace qw {

// An element that set the language of its content, open at some point.
struct LanguageScope
{
    QByteArray element; // lower case
    QString language;   // as written in lang=""
    friend bool operator==(const LanguageScope&, const LanguageScope&) = default;
};

// What the scanner must know to go on from a point between two pieces of
// markup: the elements whose lang="" is still in force, innermost last.
// Comments, scripts and tags are always read whole, so a stop never falls
// inside one.
struct SpellScanState
{
    QList<LanguageScope> languages;

    // The language in force: the innermost lang="", else `fallback`.
    QString language(const QString& fallback) const
    {
        return languages.isEmpty() ? fallback : languages.constLast().language;
    }
    friend bool operator==(const SpellScanState&, const SpellScanState&) = default;
};

// A word a reader of the page sees, with its character references decoded,
// where it stands in the UTF-8 source and the language it is written in
// (empty: the page says none).
struct SpellWord
{
    qsizetype start = 0;
    qsizetype end = 0;
    QString text;
    QString language;
};

using SpellWordSink = std::function<void(const SpellWord&)>;

// Reads UTF-8 HTML from `from` (the start or a point a previous scan stopped
// at, with the state it left) and reports every word to check in order:
// text content and the values of alt, title, placeholder, label,
// aria-label and a description meta's content. Tag and attribute names,
// other attribute values, comments, scripts, styles and web or mail
// addresses are never reported. Stops at the first point at or after `to`
// that lies between two words outside markup and returns it; `state` is
// then the state there. A null sink only follows the state.
qsizetype scanSpelling(QByteArrayView source, qsizetype from, qsizetype to, SpellScanState& state,
                       const SpellWordSink& sink);

// The words of one piece of text (already without markup): split at spaces
// and punctuation, addresses and words with digits left out. Offsets are
// the source's, through the decoded text's map.
void wordsOfText(QByteArrayView source, qsizetype from, qsizetype to, const QString& language,
                 const SpellWordSink& sink);

// Checkpoints of a scan: the state at points the scanner stopped at, kept in
// order and moved with the edits of the text, so a scan can start near any
// place instead of from the start.
class SpellCheckpoints
{
public:
    struct Point
    {
        qsizetype position = 0;
        SpellScanState state;
    };

    void clear() { m_points.clear(); }
    // The last checkpoint at or before `position` (the start when none).
    Point before(qsizetype position) const;
    // A checkpoint at `position`, replacing any other there.
    void record(qsizetype position, const SpellScanState& state);
    // The first checkpoint after `position`, or -1 when there is none.
    qsizetype after(qsizetype position) const;
    // Whether a checkpoint at exactly `position` holds `state`.
    bool holds(qsizetype position, const SpellScanState& state) const;
    // An edit at `position` replaced `removed` bytes with `inserted`: the
    // checkpoints in the replaced part go, the ones after it move.
    void edited(qsizetype position, qsizetype removed, qsizetype inserted);
    // Checkpoints at or after `position` go (their states are unknown now).
    void dropFrom(qsizetype position);
    qsizetype size() const { return m_points.size(); }

private:
    QList<Point> m_points;
};

} // namespace qw

// A checkpoint moves as its bytes: edits near the start of a large text move
// many of them at once.
Q_DECLARE_TYPEINFO(qw::SpellCheckpoints::Point, Q_RELOCATABLE_TYPE);
