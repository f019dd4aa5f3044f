// A stand-in for a Quenwick start, for the hand-off tests: becomes the
// primary instance and prints every path it receives, or hands its own path
// over and says so (an empty path: a start that names no file). A third argument keeps a primary
// busy that many milliseconds before its event loop runs, as a window still being built.
#include "app/shell/SingleInstance.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>
#include <QTimer>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 64;
    QTextStream out(stdout);
    qw::SingleInstance instance(args.at(1));
    const QStringList paths = args.at(2).isEmpty() ? QStringList() : QStringList{args.at(2)};
    switch (instance.start(paths)) {
    case qw::SingleInstance::Role::HandedOff:
        out << "handed-off" << Qt::endl;
        return 0;
    case qw::SingleInstance::Role::Failed:
        out << "failed" << Qt::endl;
        return 2;
    case qw::SingleInstance::Role::Primary:
        break;
    }
    QObject::connect(
        &instance, &qw::SingleInstance::pathsReceived, &app,
        [&out](const QStringList& paths) { out << "got:" << paths.join(u'|') << Qt::endl; });
    out << "primary" << Qt::endl;
    if (args.size() > 3)
        QThread::msleep(args.at(3).toULong());
    QTimer::singleShot(30000, &app, &QCoreApplication::quit);
    return app.exec();
}
