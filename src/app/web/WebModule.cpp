#include "app/web/WebModule.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>

#include <dlfcn.h>

namespace qw {

namespace {
Q_LOGGING_CATEGORY(webModuleLog, "quenwick.web", QtWarningMsg)

using Entry = const WebModule* (*)();

QtMessageHandler s_previousHandler = nullptr;

// Loaded after the application exists, the engine's library warns that it
// was not set up for a shared OpenGL context. Nothing here draws with OpenGL
// (the views draw with the processor), so that one warning is dropped.
void dropLateStartWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.contains(u"initialized from a plugin"))
        return;
    if (s_previousHandler)
        s_previousHandler(type, context, message);
}

const WebModule* load()
{
    // Linked into the program already.
    if (auto entry = reinterpret_cast<Entry>(::dlsym(RTLD_DEFAULT, "quenwickWebModule")))
        return entry();
    // Beside the program; else where the program's own search path says
    // (the tests of the build tree, which are not beside it).
    const QByteArray beside = QFile::encodeName(QCoreApplication::applicationDirPath() +
                                                QStringLiteral("/libquenwick-web.so"));
    for (const QByteArray& place : {beside, QByteArrayLiteral("libquenwick-web.so")}) {
        if (place.contains('/') && !QFile::exists(QFile::decodeName(place)))
            continue;
        s_previousHandler = qInstallMessageHandler(dropLateStartWarning);
        void* library = ::dlopen(place.constData(), RTLD_NOW);
        qInstallMessageHandler(s_previousHandler);
        if (library == nullptr) {
            qCWarning(webModuleLog) << ::dlerror();
            continue;
        }
        if (auto entry = reinterpret_cast<Entry>(::dlsym(library, "quenwickWebModule")))
            return entry();
    }
    return nullptr;
}

// With OpenGL off, Qt reports once that it cannot make the context asked
// for, and the web engine, as its first view is made, that it found no
// OpenGL backend (it draws with the processor then, as meant). Both are
// consequences of the choice, not faults: they stay out of the terminal.
QtMessageHandler s_beforeOpenGlOff = nullptr;

void dropOpenGlOffReports(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && (message.contains(u"Cannot create platform OpenGL context") ||
                                 message.contains(u"No suitable graphics backend found")))
        return;
    if (s_beforeOpenGlOff)
        s_beforeOpenGlOff(type, context, message);
}
} // namespace

bool openGlOffBeforeStart()
{
    if (qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        return false;
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    return true;
}

void settleOpenGlOff(bool turnedOff)
{
    if (!turnedOff)
        return;
    s_beforeOpenGlOff = qInstallMessageHandler(dropOpenGlOffReports);
    // The platform reads the variable the first time OpenGL is asked for.
    if (QGuiApplication::platformName() == u"xcb")
        QOpenGLContext().create();
    qunsetenv("QT_XCB_GL_INTEGRATION");
}

const WebModule* webModule()
{
    static const WebModule* module = load();
    return module;
}

} // namespace qw
