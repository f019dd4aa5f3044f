// A Quenwick window that is told to stop by a signal with unsaved work: it
// opens the page it is given as a start does, types into it the way a person
// does, writes the page's preview file and catches the end signals as the
// program does. It prints "preview <path>", then "ready", and waits; once
// its event loop has ended it prints "asked <n>", the questions and notices
// the window showed meanwhile, and returns what the loop returned.
#include "app/preview/PreviewFeature.h"
#include "app/shell/AppContext.h"
#include "app/shell/Application.h"
#include "app/shell/MainWindow.h"
#include "core/recovery/RecoveryStore.h"
#include "support/FakeUiServices.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3)
        return 64;
    qw::test::FakeUiServices ui;
    qw::AppContext context(qw::AppPaths::fromEnvironment(args.at(1)), ui);
    context.loadSettings();
    QTextStream out(stdout);
    int result = 0;
    {
        qw::MainWindow window(context);
        if (!qw::endSessionOnSignals(window))
            return 3;
        window.resize(900, 600);
        window.show();
        window.openStartFiles({args.at(2)});
        if (!QTest::qWaitForWindowActive(&window))
            return 4;
        window.startRecovery(qw::recoveryFolder());
        for (const char c : QByteArray("Ahoj "))
            QTest::keyClick(QApplication::focusWidget(), c);
        const QString preview = window.preview().writePreviewFile();
        if (!QFileInfo(preview).isFile())
            return 5;
        out << "preview " << preview << '\n' << "ready" << Qt::endl;
        result = app.exec();
    }
    out << "asked " << ui.events.size() << Qt::endl;
    return result;
}
