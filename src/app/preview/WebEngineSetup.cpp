#include "app/preview/WebEngineSetup.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>

#include <unistd.h>

// Qt's own setter of the context that every OpenGL context of the program
// shares; exported by Qt Gui for its modules, not declared in a public header.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {
// The web engine's library asks, as it is loaded, for one OpenGL context
// shared by the whole program, which Qt then makes while the application
// starts. On a software renderer that is most of the start time, for a web
// view the user may never open: the request is taken back here and the
// context made by prepareWebEngine instead. Runs inside the application's
// construction, after the engine's own start-up routine.
void deferSharedOpenGlContext()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, false);
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(deferSharedOpenGlContext)

namespace qw {

void prepareWebEngine()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    // Its start-up report is for Qt's developers, not for the terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    if (QOpenGLContext::globalShareContext() == nullptr) {
        auto* context = new QOpenGLContext(qApp);
        if (context->create()) {
            qt_gl_set_global_share_context(context);
            QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
        } else {
            delete context;
        }
    }
    if (::geteuid() != 0)
        return;
    // The engine's sandbox refuses to start for root; only then is it off.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--no-sandbox"))
        return;
    if (!flags.isEmpty())
        flags.append(' ');
    flags.append("--no-sandbox");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

} // namespace qw
