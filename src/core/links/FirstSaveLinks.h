#pragma once

// Addresses the program's own dialogs put into a document that has no file
// yet can only be absolute, since there is no folder to be relative to. At
// the document's first save they are made relative to the new file, as the
// dialogs would have written them had the file existed.

#include "core/design/DesignWriteBack.h"
#include "core/markup/LinkPath.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace qw {

// An address a dialog inserted: the text it wrote and the file it names.
struct InsertedLink
{
    QString link;
    QString filePath;

    bool operator==(const InsertedLink&) const = default;
};

// Adds link to links unless it is there already or is not an address of a
// file (a relative one needs no rewriting).
void rememberInsertedLink(QList<InsertedLink>& links, const InsertedLink& link);

// The replacements (sorted, offsets into text) that turn each address of
// links, where it stands as the whole value of an address attribute (href,
// src, background and the like) of a start tag, into the link a dialog
// writes for its file in a document saved at documentPath, whose file need
// not exist yet. Text outside tags, comments, scripts and other attributes
// stay as typed, and so does everything when the options want no relative
// links.
QList<TextReplacement> firstSaveLinkReplacements(QStringView text, const QList<InsertedLink>& links,
                                                 const QString& documentPath, LinkOptions options);

} // namespace qw
