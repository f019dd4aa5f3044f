#pragma once

#include "core/editor/EditorWidget.h"

#include <QString>

#include <functional>

namespace qw {

struct FindOptions
{
    bool forward = true;
    bool wholeWords = false;
    bool matchCase = false;
};

// Matching rules shared by find and replace:
//  - without matchCase only the ASCII letters A-Z and a-z are compared ignoring
//    case; every other character (Č and č) must match exactly;
//  - with wholeWords the character before a match must be the start of a line
//    or a separator, and the character after it the end of a line or a
//    separator; the separators are tab, space and $ % & , . / : ; < = > only;
//  - a match never spans a line break, so a search text holding CR or LF, like
//    an empty one, finds nothing.
// The text is read in windows through textRange() around the caret, never as
// a whole, so a search close to the caret is fast in any size of document.

// Searches from the caret. Forward: the first match starting at or after the
// caret is selected with the caret at its end and a negative length, so the
// next forward search continues behind it. Backward: the last match starting
// before the caret is selected with the caret at its start and a positive
// length. Returns false and changes nothing when there is no match.
bool findText(EditorWidget& editor, const QString& what, const FindOptions& options);

// Replaces the next match. The search starts at selectionStart() +
// selectionLength(): after a forward search that is the start of the match it
// selected, which is therefore found again. The caret moves there (removing
// the selection) even when nothing is found. On a match the replacement goes
// in through replaceSelection, leaving the caret after it. The direction of
// the options is ignored: replacing always searches forward.
bool replaceNext(EditorWidget& editor, const QString& what, const QString& replacement,
                 const FindOptions& options);

// Replaces every match from where replaceNext would start to the end of the
// text and returns how many there were. The result is that of repeating
// replaceNext until it finds nothing — each search starting after the
// previous replacement, so a replacement holding the search text does not
// loop — but every match is found first on the unchanged text and all of them
// are replaced in one replaceRanges call: linear time, one undo step. With
// no match the caret still moves to the start of the search, as replaceNext's
// would.
qsizetype replaceAll(EditorWidget& editor, const QString& what, const QString& replacement,
                     const FindOptions& options);

// Replace all as the replace dialog runs it: replaceAll's pass from where
// replaceNext would start to the end of the text first. When that start is
// not the start of the text and goOnFromStart() agrees, the matches before it
// are replaced too, as going on with replaceNext from the start of the text
// would, up to where the first pass began and never into its first
// replacement. goOnFromStart is asked before anything changes; both passes
// are one undo step. Returns the count of both.
qsizetype replaceAllWrapping(EditorWidget& editor, const QString& what, const QString& replacement,
                             const FindOptions& options,
                             const std::function<bool()>& goOnFromStart);

// True for the characters that bound a whole word besides line starts and ends.
bool isWordSeparator(QChar c);

} // namespace qw
