// A Quenwick window that is killed with unsaved work: it opens the saved
// page it is given and a new document, types into both the way a person
// does, waits until both copies are in the recovery folder, prints each
// document's path and text ("doc <path> <base64 of the UTF-8 text>"), then
// "ready", and waits for its SIGKILL.
#include "app/editor/ScintillaEditor.h"
#include "app/shell/DocumentRecovery.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTextStream>

// Typed as a person's keyboard sends it, letters beyond ASCII included.
static void typeText(const QString& text)
{
    for (const QChar c : text) {
        QWidget* w = QApplication::focusWidget();
        if (c.unicode() < 0x80)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3)
        return 2;
    const QString folder = args.at(1);
    const QString page = args.at(2);
    qw::test::FakeUiServices ui;
    const qw::test::TestInstallation installation;
    const auto context = installation.context(ui);
    qw::MainWindow window(*context);
    window.resize(900, 600);
    window.show();
    window.openStartFile(QString());
    if (!QTest::qWaitForWindowActive(&window))
        return 3;
    window.startRecovery(folder);
    window.recovery().setDelays(300, 5000);

    qw::DocumentManager& docs = window.documents();
    if (!docs.openDocument(page))
        return 4;
    typeText(QStringLiteral("Ahoj "));
    docs.activate(0);
    docs.current()->setLineBreak(qw::LineBreak::Lf);
    typeText(QStringLiteral("Nový řádek"));

    const QDir dir(folder);
    for (int i = 0; i < 100 && dir.entryList({QStringLiteral("*.snapshot")}).size() < 2; ++i)
        QTest::qWait(100);
    window.recovery().waitForWrites();
    if (dir.entryList({QStringLiteral("*.snapshot")}).size() != 2)
        return 5;
    QTextStream out(stdout);
    for (int i = 0; i < docs.count(); ++i) {
        out << "doc " << docs.pathAt(i) << ' '
            << QString::fromLatin1(docs.editorAt(i)->text().toUtf8().toBase64()) << '\n';
    }
    out << "ready" << Qt::endl;
    return app.exec();
}
