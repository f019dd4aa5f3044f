#pragma once

#include "core/findinfiles/FolderSearch.h"

#include <QList>
#include <QString>

namespace qw {

class EditorWidget;

struct ReplaceOutcome
{
    bool ok = false;
    qsizetype replaced = 0;
    // Why nothing was written (in Czech) when ok is false.
    QString errorText;
};

// Replaces the given matches of a searched file (a subset of its result, in
// file order) and writes it atomically, once. Every byte outside the matches
// stays as it was; each replacement goes in in the file's encoding, a
// character Windows-1250 lacks as "&#N;". A file whose size, time or content
// is no longer what the search read is not written.
ReplaceOutcome replaceInFile(const FileResult& searched, const QList<TextMatch>& chosen);

// The same bytes replaceInFile writes, from the file's bytes as searched.
QByteArray replacedBytes(QByteArrayView bytes, TextEncoding encoding,
                         const QList<TextMatch>& chosen);

// Replaces the matches in an open document's editor as one undo step. Each
// match is found again by its line and column; when any of them no longer
// holds its text there (the document was edited) nothing is changed.
ReplaceOutcome replaceInEditor(EditorWidget& editor, const QList<TextMatch>& chosen);

} // namespace qw
