// The window as the program starts it, on the X11 platform, with the web
// module beside it and not linked in. Prints what the start mapped, then
// shows a page on the preview page and prints what that mapped and whether
// the page was drawn:
//   start: engine=0 driver=0 context=0
//   preview: engine=1 driver=0 context=0 drawn=1 setting=
// (the last is the OpenGL setting programs started from the window inherit).
#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/preview/PreviewFeature.h"
#include "app/shell/MainWindow.h"
#include "app/web/WebModule.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QFile>
#include <QOpenGLContext>
#include <QTest>
#include <QTextStream>

namespace {
// The engine's library, the OpenGL driver, the shared OpenGL context.
QString mapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    const QByteArray text = maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
    QOpenGLContext* shared = QOpenGLContext::globalShareContext();
    return QStringLiteral("engine=%1 driver=%2 context=%3")
        .arg(int(text.contains("libQt6WebEngineCore")))
        .arg(int(text.contains("_dri.so")))
        .arg(int(shared != nullptr && shared->isValid()));
}
} // namespace

int main(int argc, char** argv)
{
    const bool openGlOff = qw::openGlOffBeforeStart();
    QApplication app(argc, argv);
    qw::settleOpenGlOff(openGlOff);
    qw::test::FakeUiServices ui;
    const qw::test::TestInstallation installation;
    const auto context = installation.context(ui);
    qw::MainWindow window(*context);
    window.resize(800, 600);
    window.show();
    window.openStartFile(QString());
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    QTextStream out(stdout);
    out << "start: " << mapped() << Qt::endl;

    window.documents().current()->setText(QStringLiteral(
        "<html><body style=\"margin:0; background: rgb(200, 30, 40)\"><p>x</p></body></html>"));
    window.pages().switchTo(qw::PageMode::Preview);
    QWidget* view = window.preview().view();
    const QColor red(200, 30, 40);
    const bool drawn = view != nullptr &&
                       QTest::qWaitFor(
                           [&] {
                               return view->grab().toImage().pixelColor(view->width() / 2,
                                                                        view->height() / 2) == red;
                           },
                           20000);
    out << "preview: " << mapped() << " drawn=" << int(drawn)
        << " setting=" << qEnvironmentVariable("QT_XCB_GL_INTEGRATION") << Qt::endl;
    return 0;
}
