#include "app/editor/ColorRef.h"
#include "app/editor/HighlightTheme.h"
#include "app/editor/HtmlLexer.h"
#include "app/editor/ScintillaEditor.h"
#include "core/highlight/HtmlHighlighter.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>

using namespace qw;

namespace {

using Sci = QsciScintillaBase;

// One letter per character of a line: '.' outside every run, otherwise 'a'
// plus the element class, so that a mismatch reads as a short diff.
QChar classLetter(int styleClass)
{
    return styleClass < 0 ? QChar(u'.') : QChar(char16_t(u'a' + styleClass));
}

// What the core highlighter gives each line of the editor's text.
QStringList expectedClasses(const ScintillaEditor& ed)
{
    QStringList out;
    LineState state = LineState::Text;
    HighlightRuns runs;
    for (int i = 0; i < ed.lineCount(); ++i) {
        const QString text = ed.line(i);
        state = highlightLine(text, state, runs);
        QString letters(text.size(), u'.');
        for (const HighlightRun& r : runs) {
            for (qsizetype k = r.start; k < r.start + r.length; ++k)
                letters[k] = classLetter(int(r.style));
        }
        out << letters;
    }
    return out;
}

// The styles Scintilla holds for every character, turned back into classes.
// Walks the bytes of each line, so it relies on nothing but Scintilla's own
// line starts: one letter per UTF-16 code unit of the character.
QStringList actualClasses(const ScintillaEditor& ed)
{
    QStringList out;
    for (int i = 0; i < ed.lineCount(); ++i) {
        long pos = ed.SendScintilla(Sci::SCI_POSITIONFROMLINE, i);
        const long end = ed.SendScintilla(Sci::SCI_GETLINEENDPOSITION, i);
        QString letters;
        while (pos < end) {
            const long next = ed.SendScintilla(Sci::SCI_POSITIONAFTER, pos);
            const QChar letter = classLetter(int(ed.SendScintilla(Sci::SCI_GETSTYLEAT, pos)) - 1);
            letters += letter;
            if (next - pos == 4)
                letters += letter;
            pos = next;
        }
        out << letters;
    }
    return out;
}

void colourAll(ScintillaEditor& ed)
{
    ed.SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
}

std::unique_ptr<ScintillaEditor> makeEditor(HighlightTheme& theme, const QString& text)
{
    auto ed = std::make_unique<ScintillaEditor>();
    ed->setHighlightTheme(&theme);
    ed->resize(500, 300);
    ed->setText(text);
    return ed;
}

QString numberedLines(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("<p class=\"c%1\">řádek &amp; %1</p>\r\n").arg(i);
    return text;
}

int styleAt(const ScintillaEditor& ed, qsizetype offset)
{
    return int(ed.SendScintilla(Sci::SCI_GETSTYLEAT, ed.positionFromOffset(offset)));
}

} // namespace

class LexerTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stylesMatchHighlighter_data();
    void stylesMatchHighlighter();
    void commentOpenedThenClosedRecoloursFollowingLines();
    void typedCommentOpenerRecoloursToEndAndRemovingRestores();
    void editInsideOneLineRecoloursOnlyThatLine();
    void addingOrJoiningLinesRecoloursOnlyThoseLines_data();
    void addingOrJoiningLinesRecoloursOnlyThoseLines();
    void randomEditsKeepStylesEqualToHighlighter();
    void lookAndClassStylesReachScintilla();
    void styleChangeReachesEveryEditor();
};

void LexerTest::stylesMatchHighlighter_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("tags and attributes")
        << QStringLiteral("<TD align=center width=\"50%\">x</td>\r\n<p>a &nbsp;b & c</P>\r\n"
                          "</img><b class=x>bold</b><unknown a=1>");
    QTest::newRow("comment over four lines")
        << QStringLiteral("a <!-- one\r\ntwo\r\nthree\r\nfour --> <i>x</i>\r\n<p>");
    QTest::newRow("script and server blocks")
        << QStringLiteral("<script type=\"text/javascript\">\r\nif (a < b && c) {}\r\n</SCRIPT>"
                          "<p>\r\n<% x %> <?php\r\n echo '%>';\r\n?>end");
    QTest::newRow("tag spread over lines")
        << QStringLiteral("<img src=\"a.gif\"\r\n  alt='two\r\n  width=3>after");
    QTest::newRow("Czech letters keep runs aligned")
        << QStringLiteral("Příliš žluťoučký <b>kůň</b> úpěl &ďábelské; <p title=\"ódy\">ě</p>\r\n"
                          "čč<a href=ř.html>Ř</a>");
    QTest::newRow("characters outside the basic plane")
        << QStringLiteral("\U0001F600<p id=\"\U0001F601\">\U0001F602&amp;</p>\U0001F603");
    QTest::newRow("empty lines and a lone bracket") << QStringLiteral("\r\n\r\n<\r\n\r\nx>y\r\n");
}

void LexerTest::stylesMatchHighlighter()
{
    QFETCH(QString, text);
    HighlightTheme theme;
    auto ed = makeEditor(theme, text);
    colourAll(*ed);
    QCOMPARE(actualClasses(*ed), expectedClasses(*ed));
}

void LexerTest::commentOpenedThenClosedRecoloursFollowingLines()
{
    HighlightTheme theme;
    auto ed = makeEditor(theme, numberedLines(8));
    colourAll(*ed);
    const int comment = HtmlLexer::styleOfClass(StyleClass::HtmlComment);

    ed->setSelectionStart(ed->lineStart(2));
    ed->replaceSelection(QStringLiteral("<!--"));
    colourAll(*ed);
    QCOMPARE(actualClasses(*ed), expectedClasses(*ed));
    QCOMPARE(styleAt(*ed, ed->lineStart(7) + 3), comment);

    ed->setSelectionStart(ed->lineStart(4));
    ed->replaceSelection(QStringLiteral("-->"));
    colourAll(*ed);
    QCOMPARE(actualClasses(*ed), expectedClasses(*ed));
    QCOMPARE(styleAt(*ed, ed->lineStart(3) + 3), comment);
    QCOMPARE(styleAt(*ed, ed->lineStart(7) + 1), HtmlLexer::styleOfClass(StyleClass::HtmlKeyword));
}

void LexerTest::typedCommentOpenerRecoloursToEndAndRemovingRestores()
{
    HighlightTheme theme;
    auto ed = makeEditor(theme, numberedLines(300));
    ed->show();
    QVERIFY(QTest::qWaitForWindowExposed(ed.get()));
    colourAll(*ed);
    const QStringList before = actualClasses(*ed);

    ed->setSelectionStart(0);
    QTest::keyClicks(ed.get(), QStringLiteral("<!--"));
    colourAll(*ed);
    const QStringList commented = actualClasses(*ed);
    QCOMPARE(commented, expectedClasses(*ed));
    QCOMPARE(commented.last().count(u'.'), 0); // the last line is all comment

    for (int i = 0; i < 4; ++i)
        QTest::keyClick(ed.get(), Qt::Key_Backspace);
    colourAll(*ed);
    QCOMPARE(actualClasses(*ed), before);
}

void LexerTest::editInsideOneLineRecoloursOnlyThatLine()
{
    HighlightTheme theme;
    auto ed = makeEditor(theme, numberedLines(2000));
    colourAll(*ed);
    long restyled = 0;
    connect(ed.get(), &Sci::SCN_MODIFIED, this,
            [&restyled](int, int type, const char*, int length, int, int, int, int, int, int) {
                if (type & Sci::SC_MOD_CHANGESTYLE)
                    restyled += length;
            });
    ed->setSelectionStart(ed->lineStart(1000) + 5);
    ed->replaceSelection(QStringLiteral(" id=x"));
    colourAll(*ed);
    QCOMPARE(actualClasses(*ed), expectedClasses(*ed));
    QVERIFY2(restyled > 0 && restyled <= ed->line(1000).toUtf8().size() + 2,
             qPrintable(QString::number(restyled)));
    // Scintilla counts the rest as styled: nothing is asked for again.
    QCOMPARE(ed->SendScintilla(Sci::SCI_GETENDSTYLED), ed->SendScintilla(Sci::SCI_GETLENGTH));
}

void LexerTest::addingOrJoiningLinesRecoloursOnlyThoseLines_data()
{
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("line split") << 0 << QStringLiteral("\r\n");
    QTest::newRow("lines added") << 0 << QStringLiteral("a\r\n<b>\r\nc\r\n");
    QTest::newRow("lines joined") << 2 << QString();
    QTest::newRow("lines removed") << 120 << QString();
    QTest::newRow("lines replaced") << 120 << QStringLiteral("<i>\r\n</i>");
}

void LexerTest::addingOrJoiningLinesRecoloursOnlyThoseLines()
{
    // The start states of the lines after the edit move with them: colouring
    // stops right after the edited lines instead of running on to the end.
    // A style planted far below shows whether colouring got there.
    QFETCH(int, removed);
    QFETCH(QString, inserted);
    HighlightTheme theme;
    auto ed = makeEditor(theme, numberedLines(2000));
    colourAll(*ed);
    const auto plant = [&ed](int line) {
        const long pos = ed->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        ed->SendScintilla(Sci::SCI_STARTSTYLING, pos);
        ed->SendScintilla(Sci::SCI_SETSTYLING, 3, Sci::STYLE_LASTPREDEFINED + 1);
        ed->SendScintilla(Sci::SCI_STARTSTYLING, ed->SendScintilla(Sci::SCI_GETLENGTH));
        return pos;
    };
    const QString farText = ed->line(1900);
    plant(1900);

    // From the end of line 1000, into the following ones.
    ed->setSelectionStart(ed->lineStart(1001) - 2);
    ed->setSelectionLength(removed);
    ed->replaceSelection(inserted);
    colourAll(*ed);

    const int far = int(ed->lineAtOffset(ed->text().indexOf(farText)));
    const long farPos = ed->SendScintilla(Sci::SCI_POSITIONFROMLINE, far);
    QCOMPARE(ed->SendScintilla(Sci::SCI_GETSTYLEAT, farPos), long(Sci::STYLE_LASTPREDEFINED + 1));
    QStringList actual = actualClasses(*ed);
    QStringList expected = expectedClasses(*ed);
    actual.removeAt(far);
    expected.removeAt(far);
    QCOMPARE(actual, expected);
}

void LexerTest::randomEditsKeepStylesEqualToHighlighter()
{
    // Edits of every kind (inside a line, adding and joining lines, bulk
    // replacement), with the colouring sometimes reaching only part of the
    // text, as when only the top of the document is on screen.
    const QString pieces[] = {
        QStringLiteral("<!--"),
        QStringLiteral("-->"),
        QStringLiteral("<"),
        QStringLiteral(">"),
        QStringLiteral("\r\n"),
        QStringLiteral("<script>"),
        QStringLiteral("</script>"),
        QStringLiteral("ž\""),
        QStringLiteral("<a href='x\r\ny'>"),
        QStringLiteral("<%"),
        QStringLiteral("\r\n\r\n?>"),
        QStringLiteral("&lt;"),
    };
    HighlightTheme theme;
    auto ed = makeEditor(theme, numberedLines(60));
    QRandomGenerator rng(20240611);
    for (int step = 0; step < 300; ++step) {
        const qsizetype len = ed->length();
        const qsizetype at = rng.bounded(int(len) + 1);
        switch (rng.bounded(4)) {
        case 0:
        case 1:
            ed->setSelectionStart(at);
            ed->replaceSelection(pieces[rng.bounded(int(std::size(pieces)))]);
            break;
        case 2: {
            ed->setSelectionStart(at);
            ed->setSelectionLength(std::min<qsizetype>(rng.bounded(12), len - at));
            ed->replaceSelection(QString());
            break;
        }
        default: {
            QList<EditorWidget::Range> ranges;
            for (qsizetype p = rng.bounded(50); p + 1 < len; p += 40 + rng.bounded(200)) {
                if (ed->charAt(p) != u'\r' && ed->charAt(p) != u'\n' && ed->charAt(p + 1) != u'\n')
                    ranges.append({p, p + 1});
            }
            ed->replaceRanges(ranges, pieces[rng.bounded(int(std::size(pieces)))]);
        }
        }
        if (rng.bounded(3) == 0) {
            const long upTo = rng.bounded(int(ed->SendScintilla(Sci::SCI_GETLENGTH)) + 1);
            ed->SendScintilla(Sci::SCI_COLOURISE, 0UL, upTo);
            continue;
        }
        colourAll(*ed);
        const QStringList actual = actualClasses(*ed);
        const QStringList expected = expectedClasses(*ed);
        if (actual != expected) {
            qWarning("step %d", step);
            QCOMPARE(actual, expected);
        }
    }
}

void LexerTest::lookAndClassStylesReachScintilla()
{
    HighlightTheme theme;
    ScintillaEditor ed;
    // The look set before colouring is switched on is kept.
    ed.applyLook(QStringLiteral("DejaVu Sans Mono"), 13, 0x00336699, 0x00EEDDCC, 4);
    ed.setHighlightTheme(&theme);
    const int keyword = HtmlLexer::styleOfClass(StyleClass::HtmlKeyword);
    for (int style : {int(Sci::STYLE_DEFAULT), HtmlLexer::TextStyle, keyword}) {
        QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETSIZE, style), 13L);
        QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETBACK, style), long(0x00EEDDCC));
    }
    QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETFORE, HtmlLexer::TextStyle), long(0x00336699));
    QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETFORE, keyword), long(0x800000));
    // QScintilla hands Scintilla the negated Qt weight.
    QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETWEIGHT, keyword), -long(QFont::Bold));
    QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETWEIGHT, HtmlLexer::TextStyle), -long(QFont::Normal));
    QCOMPARE(
        ed.SendScintilla(Sci::SCI_STYLEGETITALIC, HtmlLexer::styleOfClass(StyleClass::HtmlTag)),
        1L);

    // A later change of look goes through the lexer.
    ed.applyLook(QStringLiteral("DejaVu Sans Mono"), 10, 0x00112233, 0x00FFFFFF, 8);
    QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETFORE, HtmlLexer::TextStyle), long(0x00112233));
    QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETSIZE, keyword), 10L);
    QCOMPARE(ed.SendScintilla(Sci::SCI_STYLEGETBACK, keyword), long(0x00FFFFFF));

    // A class with its own background draws it.
    HighlightStyles styles = theme.styles();
    styleOf(styles, StyleClass::SpecialChars).hasBackground = true;
    styleOf(styles, StyleClass::SpecialChars).background = 0x0000FFFF;
    theme.setStyles(styles);
    QCOMPARE(
        ed.SendScintilla(Sci::SCI_STYLEGETBACK, HtmlLexer::styleOfClass(StyleClass::SpecialChars)),
        long(0x0000FFFF));
}

void LexerTest::styleChangeReachesEveryEditor()
{
    HighlightTheme theme;
    auto first = makeEditor(theme, QStringLiteral("<p>a</p>"));
    auto second = makeEditor(theme, QStringLiteral("<b>b</b>"));
    HighlightStyles styles = theme.styles();
    HighlightStyle& comment = styleOf(styles, StyleClass::HtmlComment);
    comment.foreground = 0x00123456;
    comment.italic = false;
    comment.underline = true;
    theme.setStyles(styles);
    const int style = HtmlLexer::styleOfClass(StyleClass::HtmlComment);
    for (ScintillaEditor* ed : {first.get(), second.get()}) {
        QCOMPARE(ed->SendScintilla(Sci::SCI_STYLEGETFORE, style), long(0x00123456));
        QCOMPARE(ed->SendScintilla(Sci::SCI_STYLEGETITALIC, style), 0L);
        QCOMPARE(ed->SendScintilla(Sci::SCI_STYLEGETUNDERLINE, style), 1L);
    }
}

QTEST_MAIN(LexerTest)
#include "tst_lexer.moc"
