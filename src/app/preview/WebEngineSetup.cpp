#include "app/preview/WebEngineSetup.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QQuickWindow>

#include <unistd.h>

namespace {
// The web engine's library asks, as it is loaded, for one OpenGL context
// shared by the whole program, which it makes while the application starts.
// Nothing here draws with OpenGL (prepareWebEngine), yet making that context
// loads the system's OpenGL driver: on a software renderer about 55 MiB of
// memory and a good part of the start. So the X11 platform offers no OpenGL
// while the application starts, and the request fails at once. The variable
// is ours only while the platform reads it: programs started from here (the
// external browsers) must not inherit it, and a user's own choice stands.
bool s_openGlOffHere = false;
bool s_openGlOffAtStart = false;
QtMessageHandler s_previousHandler = nullptr;

void dropRefusedContextWarning(QtMsgType type, const QMessageLogContext& context,
                               const QString& message)
{
    if (type == QtWarningMsg && message.contains(u"Cannot create platform OpenGL context"))
        return;
    if (s_previousHandler)
        s_previousHandler(type, context, message);
}

void withoutOpenGlAtStart()
{
    if (qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        return;
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    s_openGlOffHere = true;
    s_openGlOffAtStart = true;
    s_previousHandler = qInstallMessageHandler(dropRefusedContextWarning);
}

// Runs inside the application's construction; the engine's own start-up
// routine, which asks for the context, runs after it there. The variable goes
// when the event loop first turns, before anything can be started from here.
void afterStart()
{
    if (!s_openGlOffHere)
        return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            qunsetenv("QT_XCB_GL_INTEGRATION");
            qInstallMessageHandler(s_previousHandler);
            s_openGlOffHere = false;
        },
        Qt::QueuedConnection);
}
} // namespace

Q_CONSTRUCTOR_FUNCTION(withoutOpenGlAtStart)
Q_COREAPP_STARTUP_FUNCTION(afterStart)

namespace qw {

bool openGlOffAtStart()
{
    return s_openGlOffAtStart;
}

void prepareWebEngine()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    // Its start-up report is for Qt's developers, not for the terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    // Drawn by the processor, the view is one more picture of the window:
    // with a view drawn by OpenGL, the whole window would be composed through
    // OpenGL on every change, the editor's keys included.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
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
