#include "app/preview/WebEngineSetup.h"

#include <QByteArray>

#include <unistd.h>

namespace qw {

void prepareWebEngine()
{
    if (::geteuid() != 0)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--no-sandbox"))
        return;
    if (!flags.isEmpty())
        flags.append(' ');
    flags.append("--no-sandbox");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

} // namespace qw
