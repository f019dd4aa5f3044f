// A window of the program on the X11 platform, as it starts: prints whether
// the start made the web engine's shared OpenGL context, whether the OpenGL
// driver is loaded, and the OpenGL setting programs started from the window
// would inherit ("context=0 driver=0 setting=").
#include "app/preview/WebEngineSetup.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QFile>
#include <QOpenGLContext>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    qw::test::FakeUiServices ui;
    const qw::test::TestInstallation installation;
    const auto context = installation.context(ui);
    qw::MainWindow window(*context);
    window.show();
    QCoreApplication::processEvents();

    QOpenGLContext* shared = QOpenGLContext::globalShareContext();
    QFile maps(QStringLiteral("/proc/self/maps"));
    const bool driver = maps.open(QIODevice::ReadOnly) && maps.readAll().contains("_dri.so");
    QTextStream(stdout) << "context=" << (shared != nullptr && shared->isValid())
                        << " driver=" << driver
                        << " setting=" << qEnvironmentVariable("QT_XCB_GL_INTEGRATION")
                        << " off-at-start=" << qw::openGlOffAtStart() << Qt::endl;
    return 0;
}
