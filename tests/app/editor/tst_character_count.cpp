// Character offsets from the start of the text are answered from the line
// index instead of a walk; the answers must be the walk's, character for
// character, across lines and multi-byte letters.

#include "app/editor/CharacterCountShortcut.h"
#include "app/editor/ScintillaEditor.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QTest>

using namespace qw;
using Sci = QsciScintillaBase;

class CharacterCountTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void countFromStartMatchesWalk();
    void typingIntoALongPageIsAnsweredByTheLookup();
};

void CharacterCountTest::countFromStartMatchesWalk()
{
    ScintillaEditor e;
    // Lines of one-, two-, three- and four-byte characters, long enough that
    // the lookup is used.
    QString text = QStringLiteral("a");
    const QString pieces[] = {QStringLiteral("plain <b>ascii</b> "),
                              QStringLiteral("žluťoučký kůň "), QStringLiteral("€ – “” "),
                              QStringLiteral("\U0001F600 ")};
    for (int line = 0; line < 150; ++line) {
        for (int i = 0; i < 12; ++i)
            text += pieces[(line + i) % 4];
        text += QStringLiteral("\r\n");
    }
    e.setText(text);
    const long length = e.SendScintilla(Sci::SCI_GETLENGTH);
    QVERIFY(length > 20000);
    for (long p = 4000; p <= length; p = e.SendScintilla(Sci::SCI_POSITIONAFTER, p + 97)) {
        // The first character is one byte, so a walk from 1 plus one is the
        // library's own count from the start.
        const long walked = 1 + e.SendScintilla(Sci::SCI_COUNTCHARACTERS, 1, p);
        QCOMPARE(e.SendScintilla(Sci::SCI_COUNTCHARACTERS, 0, p), walked);
        if (p == length)
            break;
    }
    // An edit keeps the index true.
    e.SendScintilla(Sci::SCI_INSERTTEXT, 10, "\xC5\xBE\r\n\xF0\x9F\x98\x80");
    const long end = e.SendScintilla(Sci::SCI_GETLENGTH);
    QCOMPARE(e.SendScintilla(Sci::SCI_COUNTCHARACTERS, 0, end),
             1 + e.SendScintilla(Sci::SCI_COUNTCHARACTERS, 1, end));
}

void CharacterCountTest::typingIntoALongPageIsAnsweredByTheLookup()
{
    // The library asks for these counts by itself on every edit; only when
    // its calls reach the program's SendScintilla are they looked up.
    test::FakeUiServices ui;
    const test::TestInstallation installation;
    const auto context = installation.context(ui);
    MainWindow window(*context);
    window.resize(1000, 700);
    window.show();
    window.openStartFile(QString());
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ScintillaEditor& e = *window.documents().current();
    QString text;
    for (int line = 0; line < 3000; ++line)
        text += QStringLiteral("<p>Řádek %1 dlouhé stránky</p>\r\n").arg(line);
    e.setText(text);
    e.setSelectionStart(e.length());

    const std::uint64_t before = characterCountLookups();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    QCOMPARE(e.textRange(e.length() - 3, e.length()), QStringLiteral("abc"));
    QVERIFY2(characterCountLookups() >= before + 3,
             "the editor library's counts no longer reach the program's shortcut");
}

QTEST_MAIN(CharacterCountTest)
#include "tst_character_count.moc"
