// A running Quenwick window for the hand-off tests: it starts and takes later
// starts' paths exactly as the program does and, after each one, prints how
// many documents it shows, which is current and every tab's path in order
// ("got 2 /path/b.html [/path/a.html|/path/b.html]").
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
    if (instance.start(QStringList()) != qw::SingleInstance::Role::Primary) {
        out << "not-primary" << Qt::endl;
        return 2;
    }
    qw::test::FakeUiServices ui;
    const qw::test::TestInstallation installation;
    const auto context = installation.context(ui);
    qw::MainWindow window(*context);
    auto state = [&window] {
        QStringList tabs;
        for (int i = 0; i < window.documents().count(); ++i)
            tabs << window.documents().pathAt(i);
        return QString::number(window.documents().count()) + u' ' +
               window.documents().currentPath() + QStringLiteral(" [") + tabs.join(u'|') + u']';
    };
    qw::forwardHandOffs(instance, window);
    QObject::connect(&instance, &qw::SingleInstance::pathsReceived, &app, [&] {
        // Whatever the hand-off set going has settled by then.
        QTimer::singleShot(200, &app, [&] { out << "got " << state() << Qt::endl; });
    });
    window.show();
    window.openStartFiles({});
    out << "ready " << state() << Qt::endl;
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
