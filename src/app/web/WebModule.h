#pragma once

class QObject;
class QString;
class QUrl;
class QWidget;

namespace qw {

class DesignDocument;
class LivePreviewView;

// The web engine's part of the window, the preview's view and the design
// document, lives in a module of its own (libquenwick-web.so, beside the
// program) that is loaded when it is first needed. Until then the program
// maps none of the engine's libraries (tens of MiB) and runs none of its
// start-up.
struct WebModule
{
    // A web view for the preview; its off-the-record profile, made on the
    // first call, belongs to owner.
    QWidget* (*makePreviewView)(QObject* owner);
    // Shows url in a view made by makePreviewView. The same address again is
    // read anew, not taken from memory.
    void (*showUrl)(QWidget* view, const QUrl& url);
    // Lets the page of such a view run again after it was out of sight.
    void (*activate)(QWidget* view);
    // The design document over a web view, and the view to place on the
    // design page; null when no view can be made.
    DesignDocument* (*makeDesignDocument)(const QString& tempBase, QObject* parent, QWidget** view);
    // The live preview's view; its profile, made on the first call, belongs
    // to owner.
    LivePreviewView* (*makeLivePreviewView)(QObject* owner);
};

// The property of a preview view naming the document (a file URL) whose
// copy it shows, if any: the copy's base is that file, and links to a place
// in it stay in the copy.
inline constexpr char kPreviewedDocumentProperty[] = "previewedDocument";

// The module, loaded on the first call; null when it cannot be loaded.
const WebModule* webModule();

// Nothing in the window draws with OpenGL (the web views draw with the
// processor), yet the web engine asks the platform whether it has OpenGL,
// and on X11 the answer loads the system's OpenGL driver (about 55 MiB with
// a software renderer). The program tells the X11 platform to offer none:
// openGlOffBeforeStart() before the application is made (unless the user
// chose through QT_XCB_GL_INTEGRATION), settleOpenGlOff() right after, which
// has the platform decide at once and takes the variable back, so that
// programs started from the window (the browsers) do not inherit it. It also
// keeps Qt's reports of the missing OpenGL out of the terminal, for good: it
// installs a message handler (so a program's own comes after it).
bool openGlOffBeforeStart();
void settleOpenGlOff(bool turnedOff);

} // namespace qw

// What the module exports: its table.
extern "C" const qw::WebModule* quenwickWebModule();
