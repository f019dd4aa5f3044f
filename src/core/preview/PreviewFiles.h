#pragma once

#include "core/settings/AppSettings.h"

#include <QString>
#include <QUrl>

namespace qw {

// The preview file of a document, in tempFolder (the program's private
// folder, ending with "/"): "qw~" + the file name of a document with a file
// on disk, "qw~temp.html" for one without. Nothing goes into the person's
// own folders, where a copy would show in the file panel and travel with
// the site.
QString previewFilePath(const QString& documentFilePath, const QString& tempFolder);

// The text of a preview file: the document's text, with its relative
// addresses (pictures, styles, links) resolving in the folder of
// documentFilePath, as they do for the document itself. A <base> element
// naming the document's file goes in at the start of the head; a page with
// a base of its own keeps it, a relative one made absolute against the
// document's file. Without a file the text stays as it is.
QString previewPageText(const QString& text, const QString& documentFilePath);

// One entry of the browsers' drop-down menu: its text and the program it
// starts.
struct BrowserMenuItem
{
    QString caption;
    QString program;

    friend bool operator==(const BrowserMenuItem&, const BrowserMenuItem&) = default;
};

// The menu entry of a listed browser. An entry written without a path names
// its program by its caption alone ("firefox"): the caption is also the
// program. An entry without a caption shows its program's path, so no entry
// of the menu is blank.
BrowserMenuItem browserMenuItem(const BrowserEntry& entry);

// A folder of the program's own for temporary files, made inside base (which
// ends with "/"), readable by this user only (mode 0700) and owned by them,
// so nobody else can plant a link to one of the user's files in it. When the
// usual folder is taken by somebody else (or is a link), a fresh folder with
// a unique name is made instead. Returns the folder with a trailing "/", or
// empty when none could be made.
QString privateTempFolder(const QString& base);

// Removes whatever stands at path unless it is a plain file: a link planted
// there would otherwise make a write go to its target. True when path is
// free or a plain file.
bool clearNonFile(const QString& path);

} // namespace qw

namespace qw {

// What a previewed page asks to load, as far as the preview's rules go.
enum class PreviewRequestKind {
    Page,       // the preview itself and pages it opens
    Frame,      // a frame or inline frame
    Object,     // an object or embed element
    ScriptRead, // fetch and XMLHttpRequest: the page's script reads the answer
    Resource,   // pictures, style sheets, scripts, fonts, media
};

// Whether the preview lets a page load url. A previewed page shows itself as
// a browser would, with its own pictures, style sheets, scripts and frames
// beside it, but its scripts read no local file: no fetch or request of a
// file, and no other local file taken in as a frame or object, where a
// script could read it.
bool previewMayLoad(const QUrl& url, PreviewRequestKind kind);

} // namespace qw
