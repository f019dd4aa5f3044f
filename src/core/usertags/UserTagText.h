#pragma once

#include <QString>
#include <QStringList>

namespace qw {

// The lines of a user tag file or field: CR LF, LF and CR each end a line, an
// empty text has no lines, and a break at the very end starts no further line.
QStringList userTagLines(const QString& text);

// What a file holds for a field: every line followed by CR LF, so a file that
// is not empty ends with CR LF and an empty field gives an empty file.
QString userTagFileText(const QString& fieldText);

// A field's text from a file's text: the lines joined by "\n", as a
// multi-line field holds them.
QString userTagFieldText(const QString& fileText);

// The texts wrapped round the selection when a user tag is inserted. The start
// text is the start file's lines each followed by CR LF, less the one break at
// its very end, so the selection begins right after it; the end text keeps a
// CR LF after each of its lines. A missing or empty file gives an empty text.
struct UserTagInsertion
{
    QString start;
    QString end;
};

UserTagInsertion userTagInsertion(const QString& startFileText, const QString& endFileText);

} // namespace qw
