// A page written on one long line: the editor gives Scintilla's measuring
// cache room for the whole line, and the layout with it is the layout
// without it, position for position, before and after an edit. An edit lays
// the line out again from the parts of its previous layout that the edit
// left alone; what that gives must be the layout of a fresh editor.

#include "app/editor/HighlightTheme.h"
#include "app/editor/ScintillaEditor.h"

#include <QApplication>
#include <QTest>

#include <memory>

using namespace qw;
using Sci = QsciScintillaBase;

class LongLinesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cacheGrowsOnlyForALongLine_data();
    void cacheGrowsOnlyForALongLine();
    void layoutIsTheSameWithTheLargeCache();
    void layoutAfterKeysIsAFreshLayout_data();
    void layoutAfterKeysIsAFreshLayout();
    void editsColourTheLineAsAFreshLoadDoes();
};

namespace {

// Minified markup with Czech text runs longer than 30 bytes, tags,
// attribute values and a four-byte character now and then.
QString longLine(int blocks, bool tabs = false)
{
    QString s = QStringLiteral("<!DOCTYPE html><html><body>");
    for (int i = 0; i < blocks; ++i) {
        s += QStringLiteral("<div class=\"c%1\"><p>Příliš žluťoučký kůň úpěl ďábelské ódy %2 "
                            "<a href=\"x%3.html\">odkaz</a>%4</p></div>")
                 .arg(i % 17)
                 .arg(i)
                 .arg(i % 101)
                 .arg(i % 9 == 0 ? QStringLiteral("\U0001F600") : QString());
        if (tabs && i % 50 == 25)
            s += u'\t';
    }
    return s + QStringLiteral("</body></html>");
}

std::unique_ptr<ScintillaEditor> shownEditor(const QString& text)
{
    auto e = std::make_unique<ScintillaEditor>();
    e->resize(700, 500);
    e->show();
    if (!QTest::qWaitForWindowExposed(e.get()))
        return nullptr;
    e->setText(text);
    return e;
}

} // namespace

void LongLinesTest::cacheGrowsOnlyForALongLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("grown");
    QString shortLines;
    for (int i = 0; i < 2000; ++i)
        shortLines += QStringLiteral("<p>Řádek %1 obyčejné stránky</p>\r\n").arg(i);
    QTest::newRow("many short lines") << shortLines << false;
    QTest::newRow("one long line") << longLine(400) << true;
    QTest::newRow("a long line after short ones") << shortLines + longLine(400) << true;
}

void LongLinesTest::cacheGrowsOnlyForALongLine()
{
    QFETCH(QString, text);
    QFETCH(bool, grown);
    auto e = shownEditor(text);
    QVERIFY(e != nullptr);
    QCOMPARE(e->SendScintilla(Sci::SCI_GETPOSITIONCACHE) > 1024, grown);

    // A long line pasted later grows it too.
    if (!grown) {
        e->setSelectionStart(e->length());
        e->replaceSelection(longLine(400));
        QVERIFY(e->SendScintilla(Sci::SCI_GETPOSITIONCACHE) > 1024);
    }
}

void LongLinesTest::layoutIsTheSameWithTheLargeCache()
{
    const QString text = longLine(400);
    auto large = shownEditor(text);
    auto plain = shownEditor(text);
    QVERIFY(large != nullptr && plain != nullptr);
    QVERIFY(large->SendScintilla(Sci::SCI_GETPOSITIONCACHE) > 1024);
    // Back to Scintilla's own size: only short segments are kept there.
    plain->SendScintilla(Sci::SCI_SETPOSITIONCACHE, 1024);

    auto comparePositions = [&]() {
        const long length = large->SendScintilla(Sci::SCI_GETLENGTH);
        QCOMPARE(plain->SendScintilla(Sci::SCI_GETLENGTH), length);
        QCOMPARE(plain->SendScintilla(Sci::SCI_WRAPCOUNT, 0),
                 large->SendScintilla(Sci::SCI_WRAPCOUNT, 0));
        for (long p = 0; p < length; p = large->SendScintilla(Sci::SCI_POSITIONAFTER, p + 211)) {
            QCOMPARE(plain->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0, p),
                     large->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0, p));
            QCOMPARE(plain->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0, p),
                     large->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0, p));
        }
    };
    // Both painted, so both wrap at the width they show.
    QTest::qWait(100);
    comparePositions();
    // A key at the start lays the line out again from the cache.
    for (ScintillaEditor* e : {large.get(), plain.get()}) {
        e->setSelectionStart(0);
        e->replaceSelection(QStringLiteral("ž"));
    }
    QTest::qWait(50);
    comparePositions();
}

void LongLinesTest::layoutAfterKeysIsAFreshLayout_data()
{
    // Where the caret goes (a share of the text), and the keys typed there:
    // \b is BackSpace, \x7f is Delete.
    QTest::addColumn<bool>("tabs");
    QTest::addColumn<double>("at");
    QTest::addColumn<QString>("keys");
    QTest::newRow("letters at the start") << false << 0.0 << QStringLiteral("xyž");
    QTest::newRow("BackSpace and Delete in the middle")
        << false << 0.5 << QStringLiteral("\b\b\x7f");
    QTest::newRow("letters at the end") << false << 1.0 << QStringLiteral("ab\b");
    // Everything after an opened tag or comment changes colour and size.
    QTest::newRow("a tag opened in the middle") << false << 0.5 << QStringLiteral("<b ");
    QTest::newRow("a comment opened near the start") << false << 0.01 << QStringLiteral("<!--");
    QTest::newRow("a space that moves words to the next display line")
        << false << 0.3 << QStringLiteral("   ");
    // A tab is as wide as the way to the next tab stop, so the text after
    // one moves by a different amount than the text before it.
    QTest::newRow("letters before tabs") << true << 0.2 << QStringLiteral("xx");
    QTest::newRow("letters between tabs") << true << 0.5 << QStringLiteral("Wi\b");
    QTest::newRow("letters after the last tab") << true << 0.99 << QStringLiteral("Ř");
}

void LongLinesTest::layoutAfterKeysIsAFreshLayout()
{
    QFETCH(bool, tabs);
    QFETCH(double, at);
    QFETCH(QString, keys);
    auto edited = shownEditor(longLine(300, tabs));
    QVERIFY(edited != nullptr);
    edited->setHighlightTheme(&HighlightTheme::shared());
    edited->setFocus();
    QTRY_COMPARE(edited->SendScintilla(Sci::SCI_GETENDSTYLED),
                 edited->SendScintilla(Sci::SCI_GETLENGTH));
    QTest::qWait(50);

    const qsizetype place = static_cast<qsizetype>(at * static_cast<double>(edited->length()));
    edited->setSelectionStart(place);
    for (QChar c : keys) {
        QWidget* target = QApplication::focusWidget();
        if (c == u'\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else if (c == QChar(0x7f))
            QTest::keyClick(target, Qt::Key_Delete);
        else if (c.unicode() < 0x80)
            QTest::keyClicks(target, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::qWait(20);
    }
    // One more edit elsewhere, and its undo, lay the line out twice more
    // from layouts that were themselves made from earlier ones.
    edited->setSelectionStart(edited->length() / 3);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("q"));
    QTest::qWait(20);
    edited->undo();
    QTest::qWait(50);

    auto fresh = shownEditor(edited->text());
    QVERIFY(fresh != nullptr);
    fresh->setHighlightTheme(&HighlightTheme::shared());
    QTRY_COMPARE(fresh->SendScintilla(Sci::SCI_GETENDSTYLED),
                 fresh->SendScintilla(Sci::SCI_GETLENGTH));
    QTest::qWait(50);

    const long length = fresh->SendScintilla(Sci::SCI_GETLENGTH);
    QCOMPARE(edited->SendScintilla(Sci::SCI_GETLENGTH), length);
    QCOMPARE(edited->SendScintilla(Sci::SCI_WRAPCOUNT, 0),
             fresh->SendScintilla(Sci::SCI_WRAPCOUNT, 0));
    const long caret = edited->SendScintilla(Sci::SCI_GETCURRENTPOS);
    // The edited view has scrolled to its caret: heights count from the
    // line's top.
    auto samePlace = [&](long p) {
        auto place = [p](ScintillaEditor* e) {
            return QPoint(static_cast<int>(e->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0, p)),
                          static_cast<int>(e->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0, p) -
                                           e->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0, 0L)));
        };
        return place(edited.get()) == place(fresh.get());
    };
    // Every position near the edit, and a sample of all the others.
    for (long p = std::max(0L, caret - 400); p < std::min(length, caret + 400);
         p = edited->SendScintilla(Sci::SCI_POSITIONAFTER, p))
        QVERIFY2(samePlace(p), qPrintable(QStringLiteral("at %1").arg(p)));
    for (long p = 0; p < length; p = edited->SendScintilla(Sci::SCI_POSITIONAFTER, p + 97))
        QVERIFY2(samePlace(p), qPrintable(QStringLiteral("at %1").arg(p)));
    QVERIFY(samePlace(length));
}

void LongLinesTest::editsColourTheLineAsAFreshLoadDoes()
{
    // Edits inside the long line are coloured as they happen; what they leave
    // must be the colouring a page with that text gets when it is opened.
    auto edited = shownEditor(longLine(300));
    QVERIFY(edited != nullptr);
    edited->setHighlightTheme(&HighlightTheme::shared());
    edited->setFocus();
    QTRY_COMPARE(edited->SendScintilla(Sci::SCI_GETENDSTYLED),
                 edited->SendScintilla(Sci::SCI_GETLENGTH));

    // Keys where a real person types them: a comment opened at the start
    // (everything after it changes colour), a tag in the middle, removed
    // again with BackSpace, and an undo.
    edited->setSelectionStart(0);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("<!--"));
    const qsizetype middle = edited->length() / 2;
    edited->setSelectionStart(middle);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("<b class=x>"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    edited->setSelectionStart(2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    edited->undo();

    auto fresh = shownEditor(edited->text());
    QVERIFY(fresh != nullptr);
    fresh->setHighlightTheme(&HighlightTheme::shared());
    for (ScintillaEditor* e : {edited.get(), fresh.get()})
        e->SendScintilla(Sci::SCI_COLOURISE, 0, -1);
    const long length = fresh->SendScintilla(Sci::SCI_GETLENGTH);
    QCOMPARE(edited->SendScintilla(Sci::SCI_GETLENGTH), length);
    int differing = 0;
    long firstDiffering = -1;
    for (long p = 0; p < length; ++p) {
        if (edited->SendScintilla(Sci::SCI_GETSTYLEAT, p) !=
            fresh->SendScintilla(Sci::SCI_GETSTYLEAT, p)) {
            if (differing++ == 0)
                firstDiffering = p;
        }
    }
    QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 styles differ, the first at %2")
                                            .arg(differing)
                                            .arg(firstDiffering)));
    // The comment really took the rest of the line.
    QVERIFY(edited->SendScintilla(Sci::SCI_GETSTYLEAT, length - 3) ==
            edited->SendScintilla(Sci::SCI_GETSTYLEAT, 1));
}

QTEST_MAIN(LongLinesTest)
#include "tst_long_lines.moc"
