// The line-number gutter is attached to every editor but hidden: in the
// window, whatever document is shown and however it came, the text starts at
// the editor's left edge.

#include "app/editor/ScintillaEditor.h"
#include "app/shell/DocumentManager.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QFile>
#include <QTest>

using namespace qw;
using Sci = QsciScintillaBase;

class GutterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void gutterIsThereButHidden();
};

void GutterTest::gutterIsThereButHidden()
{
    test::TestInstallation installation(QByteArray("[SABLONA-HEAD]\r\nitem0=<html>\r\n"));
    const QString page = installation.path(QStringLiteral("stranka.html"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<p>text</p>\r\n");
    file.close();

    test::FakeUiServices ui;
    const auto context = installation.context(ui);
    MainWindow window(*context);
    window.resize(900, 600);
    window.show();
    window.openStartFile(QString());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.documents().openDocument(page));
    window.documents().newBlankDocument();
    QCOMPARE(window.documents().count(), 3);

    for (int i = 0; i < window.documents().count(); ++i) {
        window.documents().activate(i);
        ScintillaEditor* e = window.documents().current();
        QTRY_VERIFY(e->isVisible());
        QCOMPARE(e->SendScintilla(Sci::SCI_GETMARGINTYPEN, 0), long(Sci::SC_MARGIN_NUMBER));
        const long margins = e->SendScintilla(Sci::SCI_GETMARGINS);
        for (long m = 0; m < margins; ++m)
            QCOMPARE(e->SendScintilla(Sci::SCI_GETMARGINWIDTHN, m), 0L);
        QCOMPARE(e->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, 0L),
                 e->SendScintilla(Sci::SCI_GETMARGINLEFT));
    }
    QVERIFY(ui.unscripted().isEmpty());
}

QTEST_MAIN(GutterTest)
#include "tst_gutter.moc"
