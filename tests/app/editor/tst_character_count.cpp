// Character offsets from the start of the text are answered from the line
// index instead of a walk; the answers must be the walk's, character for
// character, across lines and multi-byte letters.

#include "app/editor/ScintillaEditor.h"

#include <QTest>

using namespace qw;
using Sci = QsciScintillaBase;

class CharacterCountTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void countFromStartMatchesWalk();
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

QTEST_MAIN(CharacterCountTest)
#include "tst_character_count.moc"
