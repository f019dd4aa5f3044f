// A running Quenwick window for the hand-off tests: it takes later starts'
// paths exactly as the program does and, after each one, prints how many
// documents it shows and which is current ("got 2 /path/a.html").
#include "app/shell/Application.h"
#include "app/shell/MainWindow.h"
#include "app/shell/SingleInstance.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    qw::nameApplication();
    QTextStream out(stdout);
    qw::SingleInstance instance;
    if (instance.start(QString()) != qw::SingleInstance::Role::Primary) {
        out << "not-primary" << Qt::endl;
        return 2;
    }
    qw::test::FakeUiServices ui;
    const qw::test::TestInstallation installation;
    const auto context = installation.context(ui);
    qw::MainWindow window(*context);
    auto state = [&window] {
        return QString::number(window.documents().count()) + u' ' +
               window.documents().currentPath();
    };
    qw::forwardHandOffs(instance, window);
    QObject::connect(&instance, &qw::SingleInstance::pathReceived, &app, [&] {
        // Whatever the hand-off set going has settled by then.
        QTimer::singleShot(200, &app, [&] { out << "got " << state() << Qt::endl; });
    });
    window.show();
    window.openStartFile(QString());
    out << "ready " << state() << Qt::endl;
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
