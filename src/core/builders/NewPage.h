#pragma once

#include <QString>
#include <QStringList>

namespace qw {

// The new-page wizard's fields. Key words and description may span lines.
struct NewPageOptions
{
    QString docType; // its line and an empty one are left out when empty
    QString title;
    QString keywords;    // its META line is left out when empty
    QString description; // likewise
};

// The doctype of an HTML5 page; the wizard offers it last.
inline constexpr QStringView kHtml5DocType = u"<!DOCTYPE html>";

// The ten document types the wizard offers, in order: the older nine, then
// HTML5.
QStringList newPageDocTypes();

struct NewPageText
{
    QString text;
    // Where the caret is put once the page is the whole text of a new
    // document: on the first of the two empty lines inside the body.
    qsizetype caret = 0;
};

// The page skeleton in fixed lower case, nothing escaped, every line ended by
// CR LF. A line break typed inside a field is written as CR LF as well, so the
// text keeps the editor's offset convention.
// With the HTML5 doctype the page is today's: html in Czech, its character set
// (UTF-8, the encoding its first save then chooses) and the viewport first in
// the head, the key words and description as named meta elements.
NewPageText buildNewPage(const NewPageOptions& options);

// "Nový dokument HTML5": the HTML5 page with empty fields.
NewPageText buildHtml5Page();

} // namespace qw
