#include "app/preview/WebEngineSetup.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QQuickWindow>

#include <unistd.h>

namespace qw {

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
