// Assistive technology is told character offsets from the start of the text.
// The editor library answers them from Scintilla's line index instead of a
// walk; the answers must be the walk's, character for character, across lines
// and multi-byte letters, and stay so after edits. Editors keep that index
// only while assistive technology is active.

#include "app/editor/ScintillaEditor.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QTest>

using namespace qw;
using Sci = QsciScintillaBase;

class CharacterCountTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void indexIsKeptWhileAssistiveTechnologyIsActive();
    void offsetsMatchTheWalk();
    void cleanupTestCase() { QAccessible::setActive(false); }
};

namespace {
bool keepsIndex(ScintillaEditor& e)
{
    return (e.SendScintilla(Sci::SCI_GETLINECHARACTERINDEX) & Sci::SC_LINECHARACTERINDEX_UTF32) !=
           0;
}
} // namespace

void CharacterCountTest::indexIsKeptWhileAssistiveTechnologyIsActive()
{
    QAccessible::setActive(false);
    ScintillaEditor before;
    QVERIFY(!keepsIndex(before));
    QAccessible::setActive(true);
    QVERIFY(keepsIndex(before));
    ScintillaEditor during;
    QVERIFY(keepsIndex(during));
    QAccessible::setActive(false);
    QVERIFY(!keepsIndex(before));
    QVERIFY(!keepsIndex(during));
    // The editor's own offsets need no table of every line either.
    QCOMPARE(during.SendScintilla(Sci::SCI_GETLINECHARACTERINDEX),
             long(Sci::SC_LINECHARACTERINDEX_NONE));
}

void CharacterCountTest::offsetsMatchTheWalk()
{
    QAccessible::setActive(true);
    ScintillaEditor e;
    QVERIFY(keepsIndex(e));
    e.resize(600, 400);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    // Lines of one-, two-, three- and four-byte characters, long enough that
    // the lookup is used; the last line is one long line.
    QString text = QStringLiteral("a");
    const QString pieces[] = {QStringLiteral("plain <b>ascii</b> "),
                              QStringLiteral("žluťoučký kůň "), QStringLiteral("€ – “” "),
                              QStringLiteral("\U0001F600 ")};
    for (int line = 0; line < 150; ++line) {
        for (int i = 0; i < 12; ++i)
            text += pieces[(line + i) % 4];
        text += QStringLiteral("\r\n");
    }
    for (int i = 0; i < 400; ++i)
        text += pieces[i % 4];
    e.setText(text);

    QAccessibleInterface* acc = QAccessible::queryAccessibleInterface(&e);
    QVERIFY(acc != nullptr);
    QAccessibleTextInterface* textAcc = acc->textInterface();
    QVERIFY(textAcc != nullptr);

    // The first character is one byte, so a walk from 1 plus one is the
    // library's own count from the start.
    auto walked = [&e](long to) {
        return 1 + e.SendScintilla(Sci::SCI_COUNTCHARACTERS, 1, to);
    };
    const long length = e.SendScintilla(Sci::SCI_GETLENGTH);
    QVERIFY(length > 20000);
    QCOMPARE(textAcc->characterCount(), walked(length));
    for (long p = 4000; p < length; p = e.SendScintilla(Sci::SCI_POSITIONAFTER, p + 997)) {
        e.SendScintilla(Sci::SCI_GOTOPOS, p);
        QTRY_COMPARE(textAcc->cursorPosition(), walked(p));
    }
    // An edit keeps the index true.
    e.SendScintilla(Sci::SCI_INSERTTEXT, 10, "\xC5\xBE\r\n\xF0\x9F\x98\x80");
    const long end = e.SendScintilla(Sci::SCI_GETLENGTH);
    QCOMPARE(textAcc->characterCount(), walked(end));
    e.SendScintilla(Sci::SCI_GOTOPOS, end - 5);
    QTRY_COMPARE(textAcc->cursorPosition(), walked(end - 5));
}

QTEST_MAIN(CharacterCountTest)
#include "tst_character_count.moc"
