// The design document over a real web view: the command states read from
// selections made with the mouse and the keys, the table operations on a
// small table, pasting, the element and body changes, the page's own
// scripts and links kept inert, relative pictures, large pages and the
// snapshots. The document's markup is read back through snapshot(), the
// way the program reads it.

#include "app/design/WebDesignDocument.h"
#include "support/DesignViewProbe.h"
#include "support/FileBytes.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>

using namespace qw;
using namespace Qt::StringLiterals;

// A command and the status it should have.
struct StatusCase
{
    DesignCommand command;
    DesignStatus status;
};

Q_DECLARE_METATYPE(qw::DesignCommand)
Q_DECLARE_METATYPE(QList<StatusCase>)

namespace {

// A 1x1 GIF.
QByteArray onePixelGif()
{
    return QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");
}

// One document with its view shown as a window of its own, as a person
// would see it on the design page.
struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<WebDesignDocument> doc;
    bool active = false;

    Fixture()
    {
        qw::test::writeBytes(dir.filePath(u"site/pic.gif"_s), onePixelGif());
        doc = std::make_unique<WebDesignDocument>(dir.filePath(u"tmp/"_s));
        doc->view()->resize(900, 700);
        doc->view()->show();
        // The keys of the tests reach an active window only.
        if (QTest::qWaitForWindowExposed(doc->view())) {
            doc->view()->activateWindow();
            active = QTest::qWaitForWindowActive(doc->view());
        }
    }

    QString site() const { return dir.filePath(u"site"_s); }
    QWebEngineView* view() const { return doc->view(); }
    // The widget that really receives the view's mouse events.
    QWidget* surface() const { return view()->focusProxy() ? view()->focusProxy() : view(); }

    bool load(const QString& html)
    {
        if (!active)
            return false;
        QSignalSpy ready(doc.get(), &DesignDocument::ready);
        doc->setHtml(html, site());
        return ready.wait(20000) || ready.count() > 0;
    }

    QVariant evaluate(const QString& script) { return test::evaluateInDesign(view(), script); }

    QPoint pointIn(const QString& selector, double x = 0.5)
    {
        return test::pointInDesign(view(), selector, x);
    }

    // A click; QTest's clicks are far apart in event time, so two are never
    // taken for a double click.
    void click(const QString& selector, double x = 0.5)
    {
        QTest::mouseClick(surface(), Qt::LeftButton, {}, pointIn(selector, x));
    }

    void doubleClick(const QString& selector)
    {
        test::doubleClickDesign(surface(), pointIn(selector));
    }

    // A drag with the left button from one element to another.
    void drag(const QString& from, const QString& to)
    {
        const QPoint a = pointIn(from, 0.2);
        const QPoint b = pointIn(to, 0.8);
        QTest::mousePress(surface(), Qt::LeftButton, {}, a);
        for (int i = 1; i <= 5; ++i) {
            QMouseEvent move(QEvent::MouseMove, a + (b - a) * i / 5, surface()->mapToGlobal(a),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(surface(), &move);
            QTest::qWait(20);
        }
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, b);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : surface(), key, modifiers);
    }

    // The tag of the selected element as the document reports it.
    QString selectedTag() const
    {
        const auto e = doc->selectedElement();
        return e ? e->tagName : u"<none>"_s;
    }

    // The body's child nodes as the view holds them now, joined.
    QString body() { return doc->snapshot().value_or(DesignSnapshot{}).bodyNodes.join(QString()); }
};

const QString kStatusPage = uR"(<p id=plain>plain words here</p>
<p><b id=bold>bold words here</b></p>
<ol><li id=item>numbered item</li></ol>
<ul><li id=bullet>bulleted item</li></ul>
<table border=1><tr><td id=cell>cell text</td><td>other</td></tr></table>
<p><font id=red color="#ff0000" face="Courier New" size=5>red words</font></p>
<p id=pics>before <img id=pic src="pic.gif" width=40 height=40 alt=obrázek> after</p>
<p><a id=link href="other.html">a link text</a></p>)"_s;

const QString kTable = u"<p id=above>above</p>"
                       "<table border=1><tr><td id=a>a</td><td id=b>b</td></tr>"
                       "<tr><td id=c>c</td><td id=d>d</td></tr></table>"_s;

} // namespace

class DesignViewTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statusesFollowTheSelection_data();
    void statusesFollowTheSelection();
    void clipboardStatesFollowTheSelection();
    void pictureClickedOrSelectedWithTheKeysIsAControl();
    void fontValuesOfTheSelection();
    void tableCommands_data();
    void tableCommands();
    void insertTableBuildsTheTableFromItsParameters();
    void pasteReplacesTextButNeverAControl();
    void boldRunsOnTheSelectedWord();
    void unlinkRemovesTheLinkAroundTheCaret();
    void elementAndBodyChanges();
    void pageScriptsAndHandlersDoNotRun();
    void linksGoNowhere();
    void relativePictureShows();
    void largePageLoadsWithItsPictures();
    void snapshotOfAnUneditedPageIsTheLoadedOne();
    void contextMenuComesFromTheViewWithTheClickedObject();
    void commandsBeforeALoadAreHarmless();
};

void DesignViewTest::statusesFollowTheSelection_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QList<StatusCase>>("statuses");
    using C = DesignCommand;
    using S = DesignStatus;
    QTest::newRow("plain text") << u"#plain"_s << u"P"_s
                                << QList<StatusCase>{
                                       {C::Bold, S::Enabled},          {C::Italic, S::Enabled},
                                       {C::OrderList, S::Enabled},     {C::UnorderList, S::Enabled},
                                       {C::InsertRow, S::Disabled},    {C::MergeCells, S::Disabled},
                                       {C::InsertTable, S::Enabled},   {C::Unlink, S::Disabled},
                                       {C::JustifyCenter, S::Enabled}, {C::SetFontName, S::Enabled},
                                       {C::FindText, S::Enabled}};
    QTest::newRow("bold text") << u"#bold"_s << u"B"_s
                               << QList<StatusCase>{{C::Bold, S::Latched}, {C::Italic, S::Enabled}};
    QTest::newRow("numbered list item")
        << u"#item"_s << u"LI"_s
        << QList<StatusCase>{
               {C::OrderList, S::Latched}, {C::UnorderList, S::Enabled}, {C::Bold, S::Enabled}};
    QTest::newRow("bulleted list item")
        << u"#bullet"_s << u"LI"_s
        << QList<StatusCase>{{C::UnorderList, S::Latched}, {C::OrderList, S::Enabled}};
    QTest::newRow("table cell") << u"#cell"_s << u"TD"_s
                                << QList<StatusCase>{
                                       {C::InsertRow, S::Enabled},   {C::InsertCol, S::Enabled},
                                       {C::InsertCell, S::Enabled},  {C::SplitCell, S::Enabled},
                                       {C::MergeCells, S::Enabled},  {C::DeleteCells, S::Enabled},
                                       {C::InsertTable, S::Enabled}, {C::Bold, S::Enabled}};
    QTest::newRow("link") << u"#link"_s << u"A"_s
                          << QList<StatusCase>{{C::Unlink, S::Enabled},
                                               {C::Hyperlink, S::Enabled},
                                               {C::InsertRow, S::Disabled}};
}

void DesignViewTest::statusesFollowTheSelection()
{
    QFETCH(QString, selector);
    QFETCH(QString, tag);
    QFETCH(QList<StatusCase>, statuses);
    Fixture f;
    QVERIFY(f.load(kStatusPage));
    f.click(selector);
    QTRY_COMPARE(f.selectedTag(), tag);
    QCOMPARE(f.doc->selectionType(), u"None"_s);
    for (const StatusCase& c : statuses) {
        QTRY_VERIFY2(f.doc->commandStatus(c.command) == c.status,
                     qPrintable(u"command %1: status %2, expected %3"_s.arg(int(c.command))
                                    .arg(int(f.doc->commandStatus(c.command)))
                                    .arg(int(c.status))));
    }
}

void DesignViewTest::clipboardStatesFollowTheSelection()
{
    Fixture f;
    QVERIFY(f.load(kStatusPage));
    f.click(u"#plain"_s);
    QTRY_COMPARE(f.selectedTag(), u"P"_s);
    QTRY_COMPARE(f.doc->commandStatus(DesignCommand::Copy), DesignStatus::Disabled);
    QCOMPARE(f.doc->commandStatus(DesignCommand::Cut), DesignStatus::Disabled);
    QCOMPARE(f.doc->commandStatus(DesignCommand::Paste), DesignStatus::Enabled);
    QCOMPARE(f.doc->commandStatus(DesignCommand::SelectAll), DesignStatus::Enabled);

    // A word chosen with a double click is text to copy.
    f.doubleClick(u"#plain"_s);
    QTRY_COMPARE(f.doc->selectionType(), u"Text"_s);
    QTRY_COMPARE(f.doc->commandStatus(DesignCommand::Copy), DesignStatus::Enabled);
    QCOMPARE(f.doc->commandStatus(DesignCommand::Cut), DesignStatus::Enabled);

    // Cut through the command takes the word out of the document.
    const QString before = f.body();
    f.doc->runCommand(DesignCommand::Cut, kDesignPromptUser);
    QTRY_VERIFY(f.body() != before);
    QVERIFY(!f.body().contains(u"plain words here"_s));
    QVERIFY(f.doc->edited());
    // And undo puts it back.
    f.doc->runCommand(DesignCommand::Undo, kDesignPromptUser);
    QTRY_COMPARE(f.body(), before);
}

void DesignViewTest::pictureClickedOrSelectedWithTheKeysIsAControl()
{
    Fixture f;
    QVERIFY(f.load(kStatusPage));
    f.click(u"#pic"_s);
    QTRY_COMPARE(f.doc->selectionType(), u"Control"_s);
    const auto e = f.doc->selectedElement();
    QVERIFY(e.has_value());
    QCOMPARE(e->tagName, u"IMG"_s);
    QCOMPARE(e->attributes, (QList<QPair<QString, QString>>{{u"id"_s, u"pic"_s},
                                                            {u"src"_s, u"pic.gif"_s},
                                                            {u"width"_s, u"40"_s},
                                                            {u"height"_s, u"40"_s},
                                                            {u"alt"_s, u"obrázek"_s}}));
    QCOMPARE(e->attribute(u"ALT"_s), std::optional<QString>(u"obrázek"_s));
    QCOMPARE(e->attribute(u"title"_s), std::nullopt);
    // Nothing can be inserted over a selected picture.
    QCOMPARE(f.doc->commandStatus(DesignCommand::InsertTable), DesignStatus::Disabled);

    // The caret before the picture, then Shift+Right: the picture alone is
    // selected, as one object.
    f.click(u"#pics"_s, 0.02);
    QTRY_COMPARE(f.doc->selectionType(), u"None"_s);
    f.press(Qt::Key_End);
    f.press(Qt::Key_Left, Qt::ControlModifier);
    f.press(Qt::Key_Left);
    f.press(Qt::Key_Left);
    QTRY_COMPARE(f.doc->selectionType(), u"None"_s);
    f.press(Qt::Key_Right, Qt::ShiftModifier);
    QTRY_COMPARE(f.doc->selectionType(), u"Control"_s);
    QCOMPARE(f.selectedTag(), u"IMG"_s);
    // One more character and it is text.
    f.press(Qt::Key_Right, Qt::ShiftModifier);
    QTRY_COMPARE(f.doc->selectionType(), u"Text"_s);
    QCOMPARE(f.selectedTag(), u"P"_s);
}

void DesignViewTest::fontValuesOfTheSelection()
{
    Fixture f;
    QVERIFY(f.load(kStatusPage));
    f.click(u"#red"_s);
    QTRY_COMPARE(f.selectedTag(), u"FONT"_s);
    QCOMPARE(f.doc->runCommand(DesignCommand::GetForeColor, kDesignDefault).toString(),
             u"#ff0000"_s);
    QCOMPARE(f.doc->runCommand(DesignCommand::GetFontSize, kDesignDefault).toString(), u"5"_s);
    QVERIFY2(f.doc->runCommand(DesignCommand::GetFontName, kDesignDefault)
                 .toString()
                 .contains(u"Courier New"_s),
             qPrintable(f.doc->runCommand(DesignCommand::GetFontName, kDesignDefault).toString()));
    f.click(u"#plain"_s);
    QTRY_COMPARE(f.selectedTag(), u"P"_s);
    QCOMPARE(f.doc->runCommand(DesignCommand::GetForeColor, kDesignDefault).toString(),
             u"#000000"_s);
}

void DesignViewTest::tableCommands_data()
{
    QTest::addColumn<QString>("page");
    // Where the caret goes: a cell clicked, or "from>to" for a drag.
    QTest::addColumn<QString>("where");
    QTest::addColumn<DesignCommand>("command");
    QTest::addColumn<QString>("rows");

    QTest::newRow("row above") << kTable << u"#b"_s << DesignCommand::InsertRow
                               << u"<tr><td></td><td></td></tr>"
                                  "<tr><td id=\"a\">a</td><td id=\"b\">b</td></tr>"
                                  "<tr><td id=\"c\">c</td><td id=\"d\">d</td></tr>"_s;
    QTest::newRow("column left") << kTable << u"#b"_s << DesignCommand::InsertCol
                                 << u"<tr><td id=\"a\">a</td><td></td><td id=\"b\">b</td></tr>"
                                    "<tr><td id=\"c\">c</td><td></td><td id=\"d\">d</td></tr>"_s;
    QTest::newRow("cell before") << kTable << u"#d"_s << DesignCommand::InsertCell
                                 << u"<tr><td id=\"a\">a</td><td id=\"b\">b</td></tr>"
                                    "<tr><td id=\"c\">c</td><td></td><td id=\"d\">d</td></tr>"_s;
    QTest::newRow("split") << kTable << u"#a"_s << DesignCommand::SplitCell
                           << u"<tr><td id=\"a\">a</td><td></td><td id=\"b\">b</td></tr>"
                              "<tr><td id=\"c\" colspan=\"2\">c</td><td id=\"d\">d</td></tr>"_s;
    QTest::newRow("merge with the next cell") << kTable << u"#c"_s << DesignCommand::MergeCells
                                              << u"<tr><td id=\"a\">a</td><td id=\"b\">b</td></tr>"
                                                 "<tr><td id=\"c\" colspan=\"2\">c d</td></tr>"_s;
    QTest::newRow("merge the dragged cells") << kTable << u"#a>#b"_s << DesignCommand::MergeCells
                                             << u"<tr><td id=\"a\" colspan=\"2\">a b</td></tr>"
                                                "<tr><td id=\"c\">c</td><td id=\"d\">d</td></tr>"_s;
    QTest::newRow("delete") << kTable << u"#b"_s << DesignCommand::DeleteCells
                            << u"<tr><td id=\"a\">a</td></tr>"
                               "<tr><td id=\"c\">c</td><td id=\"d\">d</td></tr>"_s;

    // Spans: a cell covering two rows or two columns grows instead of
    // getting a neighbour it would overlap.
    const QString spans = u"<p id=above>above</p>"
                          "<table border=1><tr><td id=a rowspan=2>a</td><td id=b>b</td></tr>"
                          "<tr><td id=d>d</td></tr>"
                          "<tr><td id=e colspan=2>e</td></tr></table>"_s;
    QTest::newRow("row into a row span")
        << spans << u"#d"_s << DesignCommand::InsertRow
        << u"<tr><td id=\"a\" rowspan=\"3\">a</td><td id=\"b\">b</td></tr>"
           "<tr><td></td></tr><tr><td id=\"d\">d</td></tr>"
           "<tr><td id=\"e\" colspan=\"2\">e</td></tr>"_s;
    QTest::newRow("column through a column span")
        << spans << u"#b"_s << DesignCommand::InsertCol
        << u"<tr><td id=\"a\" rowspan=\"2\">a</td><td></td><td id=\"b\">b</td></tr>"
           "<tr><td></td><td id=\"d\">d</td></tr>"
           "<tr><td id=\"e\" colspan=\"3\">e</td></tr>"_s;
    QTest::newRow("split a spanning cell")
        << spans << u"#e"_s << DesignCommand::SplitCell
        << u"<tr><td id=\"a\" rowspan=\"2\">a</td><td id=\"b\">b</td></tr>"
           "<tr><td id=\"d\">d</td></tr>"
           "<tr><td id=\"e\">e</td><td></td></tr>"_s;
}

void DesignViewTest::tableCommands()
{
    QFETCH(QString, page);
    QFETCH(QString, where);
    QFETCH(DesignCommand, command);
    QFETCH(QString, rows);
    Fixture f;
    QVERIFY(f.load(page));
    if (where.contains(u'>')) {
        f.drag(where.section(u'>', 0, 0), where.section(u'>', 1, 1));
        QTRY_COMPARE(f.doc->selectionType(), u"Text"_s);
    } else {
        f.click(where);
        QTRY_COMPARE(f.selectedTag(), u"TD"_s);
    }
    QTRY_COMPARE(f.doc->commandStatus(command), DesignStatus::Enabled);
    QVERIFY(!f.doc->edited());
    f.doc->runCommand(command, kDesignDefault);
    const QString expected = u"<table border=\"1\"><tbody>"_s + rows + u"</tbody></table>"_s;
    QTRY_COMPARE(f.body(), u"<p id=\"above\">above</p>"_s + expected);
    QVERIFY(f.doc->edited());
}

void DesignViewTest::insertTableBuildsTheTableFromItsParameters()
{
    Fixture f;
    QVERIFY(f.load(u"<p id=t>ab</p>"_s));
    f.click(u"#t"_s, 0.99);
    QTRY_COMPARE(f.doc->commandStatus(DesignCommand::InsertTable), DesignStatus::Enabled);
    f.doc->insertTable({2, 3, u"border=1  width=100"_s, u"align=center"_s, u"Ceník <2026>"_s});
    const QString cell = u"<td align=\"center\"></td>"_s;
    const QString row = u"<tr>"_s + cell.repeated(3) + u"</tr>"_s;
    QTRY_VERIFY2(f.body().contains(u"<table border=\"1\" width=\"100\"><caption>Ceník "
                                   "&lt;2026&gt;</caption><tbody>"_s +
                                   row.repeated(2) + u"</tbody></table>"_s),
                 qPrintable(f.body()));
    // The toolbar's table: one row of two cells.
    QCOMPARE(WebDesignDocument::tableHtml({1, 2, u"border=1 width=100"_s, {}, {}}),
             u"<table border=1 width=100><tr><td></td><td></td></tr></table>"_s);
}

void DesignViewTest::pasteReplacesTextButNeverAControl()
{
    Fixture f;
    QVERIFY(f.load(kStatusPage));
    f.doubleClick(u"#plain"_s);
    QTRY_COMPARE(f.doc->selectionType(), u"Text"_s);
    f.doc->pasteHtml(u"<br>&nbsp;<i>new</i>"_s);
    // The word is replaced; the browser keeps the blanks beside the paste
    // as it sees fit.
    QTRY_VERIFY2(QRegularExpression(u"^<p id=\"plain\">plain(&nbsp;| )<br>&nbsp;<i>new</i>"
                                    "(&nbsp;| )here</p>$"_s)
                     .match(f.doc->snapshot().value_or(DesignSnapshot{}).bodyNodes.value(0))
                     .hasMatch(),
                 qPrintable(f.body()));

    Fixture g;
    QVERIFY(g.load(kStatusPage));
    g.click(u"#pic"_s);
    QTRY_COMPARE(g.doc->selectionType(), u"Control"_s);
    const DesignSnapshot loaded = g.doc->loadedSnapshot();
    g.doc->pasteHtml(u"<b>over the picture</b>"_s);
    g.doc->insertTable({});
    QCOMPARE(g.doc->snapshot(), std::optional(loaded));
    QVERIFY(!g.doc->edited());
}

void DesignViewTest::boldRunsOnTheSelectedWord()
{
    Fixture f;
    QVERIFY(f.load(u"<p id=t>one two three</p>"_s));
    f.doubleClick(u"#t"_s);
    QTRY_COMPARE(f.doc->selectionType(), u"Text"_s);
    QTRY_COMPARE(f.doc->commandStatus(DesignCommand::Bold), DesignStatus::Enabled);
    f.doc->runCommand(DesignCommand::Bold, kDesignPromptUser);
    QTRY_COMPARE(f.body(), u"<p id=\"t\">one <b>two</b> three</p>"_s);
    QTRY_COMPARE(f.doc->commandStatus(DesignCommand::Bold), DesignStatus::Latched);
    // Run again, it switches the format off.
    f.doc->runCommand(DesignCommand::Bold, kDesignPromptUser);
    QTRY_COMPARE(f.body(), u"<p id=\"t\">one two three</p>"_s);
}

void DesignViewTest::unlinkRemovesTheLinkAroundTheCaret()
{
    Fixture f;
    QVERIFY(f.load(u"<p id=t>see <a id=l href=\"x.html\">this page</a> now</p>"_s));
    f.click(u"#l"_s);
    QTRY_COMPARE(f.doc->commandStatus(DesignCommand::Unlink), DesignStatus::Enabled);
    QCOMPARE(f.doc->activeElementText(), u"this page"_s);
    f.doc->runCommand(DesignCommand::Unlink, kDesignPromptUser);
    QTRY_COMPARE(f.body(), u"<p id=\"t\">see this page now</p>"_s);
    QTRY_COMPARE(f.doc->commandStatus(DesignCommand::Unlink), DesignStatus::Disabled);
    QCOMPARE(f.doc->activeElementText(), QString());
}

void DesignViewTest::elementAndBodyChanges()
{
    Fixture f;
    QVERIFY(f.load(u"<body bgcolor=white text=black><p>x <img id=pic src=pic.gif width=40 "
                   "alt=old> y</p></body>"_s));
    const auto body = f.doc->bodyElement();
    QVERIFY(body.has_value());
    QCOMPARE(body->tagName, u"BODY"_s);
    QCOMPARE(body->attribute(u"bgcolor"_s), std::optional<QString>(u"white"_s));

    f.click(u"#pic"_s);
    QTRY_COMPARE(f.selectedTag(), u"IMG"_s);
    f.doc->changeSelectedElement({{u"alt"_s, u"nový \"popis\""_s}, {u"width"_s, std::nullopt}});
    f.doc->changeBody({{u"bgcolor"_s, u"#ffffcc"_s}, {u"text"_s, std::nullopt}});
    const DesignSnapshot s = f.doc->snapshot().value_or(DesignSnapshot{});
    QCOMPARE(s.bodyNodes.join(QString()),
             u"<p>x <img id=\"pic\" src=\"pic.gif\" alt=\"nový &quot;popis&quot;\"> y</p>"_s);
    QCOMPARE(s.bodyAttributes, (QList<QPair<QString, QString>>{{u"bgcolor"_s, u"#ffffcc"_s}}));
    QVERIFY(f.doc->edited());
    // The element changed is no longer marked in any way.
    QVERIFY(!s.bodyNodes.join(QString()).contains(u"qw"_s));
}

void DesignViewTest::pageScriptsAndHandlersDoNotRun()
{
    Fixture f;
    const QString page =
        u"<html><head><script>document.title = 'ran';</script></head>"
        "<body onload=\"document.getElementById('t').textContent = 'onload ran'\">"
        "<p id=t>original</p><img src=missing.gif onerror=\"document.body.innerHTML = 'gone'\">"
        "<script>document.getElementById('t').textContent = 'script ran';</script>"
        "<p onclick=\"this.textContent = 'clicked'\" id=c>click me</p></body></html>"_s;
    QVERIFY(f.load(page));
    f.click(u"#c"_s);
    QTRY_COMPARE(f.selectedTag(), u"P"_s);
    QTest::qWait(200);
    const DesignSnapshot s = f.doc->snapshot().value_or(DesignSnapshot{});
    QCOMPARE(s, f.doc->loadedSnapshot());
    QVERIFY(s.bodyNodes.join(QString()).contains(u"<p id=\"t\">original</p>"_s));
    QVERIFY(s.bodyNodes.join(QString()).contains(u">click me</p>"_s));
    QCOMPARE(f.view()->page()->title().contains(u"ran"_s), false);
    QVERIFY(!f.doc->edited());
    // The page's own world has no script at all.
    bool answered = false;
    QVariant mainWorld;
    f.view()->page()->runJavaScript(u"1 + 1"_s, QWebEngineScript::MainWorld,
                                    [&](const QVariant& v) {
                                        mainWorld = v;
                                        answered = true;
                                    });
    QTRY_VERIFY(answered);
    QVERIFY(!mainWorld.isValid() || mainWorld.toInt() != 2);
}

void DesignViewTest::linksGoNowhere()
{
    Fixture f;
    qw::test::writeBytes(f.site() + u"/other.html"_s, "<p>other page</p>");
    QVERIFY(f.load(u"<p><a id=js href=\"javascript:document.body.innerHTML='gone'\">script "
                   "link</a></p><p><a id=page href=\"other.html\">page link</a></p>"
                   "<form action=\"other.html\"><input id=send type=submit value=Send></form>"_s));
    const QUrl url = f.view()->url();
    const DesignSnapshot loaded = f.doc->loadedSnapshot();
    QSignalSpy finished(f.view(), &QWebEngineView::loadFinished);
    f.click(u"#js"_s);
    f.click(u"#page"_s);
    QTest::mouseClick(f.surface(), Qt::LeftButton, Qt::ControlModifier, f.pointIn(u"#page"_s));
    f.click(u"#send"_s);
    QTest::qWait(500);
    // Whatever the engine began, nothing was loaded.
    for (const QList<QVariant>& load : std::as_const(finished))
        QCOMPARE(load.at(0).toBool(), false);
    QCOMPARE(f.view()->url(), url);
    QVERIFY(f.doc->isReady());
    // Clicking changed nothing.
    QCOMPARE(f.doc->snapshot(), std::optional(loaded));
    QVERIFY(loaded.bodyNodes.join(QString()).contains(u"page link"_s));
}

void DesignViewTest::relativePictureShows()
{
    Fixture f;
    QVERIFY(f.load(u"<p>a <img id=pic src=\"pic.gif\"> b</p>"_s));
    QTRY_COMPARE(f.evaluate(u"document.getElementById('pic').naturalWidth"_s).toInt(), 1);
}

void DesignViewTest::largePageLoadsWithItsPictures()
{
    Fixture f;
    qw::test::writeBytes(f.site() + u"/img/up.gif"_s, onePixelGif());
    // Over 2 MB of text, with Czech letters, and pictures at the end.
    QString html = u"<html><head><meta charset=windows-1250><title>velká</title></head><body>"_s;
    const QString para = u"<p>Příliš žluťoučký kůň úpěl ďábelské ódy &amp; další řádek.</p>\r\n"_s;
    int paragraphs = 0;
    while (html.toUtf8().size() < 2300 * 1024 && paragraphs < 100000) {
        html += para.repeated(500);
        paragraphs += 500;
    }
    html += u"<p><img id=pic src=\"pic.gif\"><img id=sub src=\"img/up.gif\"></p></body></html>"_s;
    QVERIFY(f.load(html));
    const DesignSnapshot s = f.doc->loadedSnapshot();
    QCOMPARE(
        s.bodyNodes.count(u"<p>Příliš žluťoučký kůň úpěl ďábelské ódy &amp; další řádek.</p>"_s),
        paragraphs);
    QCOMPARE(s.headNodes.value(1), u"<title>velká</title>"_s);
    QTRY_COMPARE(f.evaluate(u"document.getElementById('pic').naturalWidth"_s).toInt(), 1);
    QTRY_COMPARE(f.evaluate(u"document.getElementById('sub').naturalWidth"_s).toInt(), 1);
    QCOMPARE(f.doc->snapshot(), std::optional(s));

    // A small page after it is given directly again.
    QVERIFY(f.load(u"<p id=t>small</p>"_s));
    QCOMPARE(f.doc->loadedSnapshot().bodyNodes, QStringList({u"<p id=\"t\">small</p>"_s}));
}

void DesignViewTest::snapshotOfAnUneditedPageIsTheLoadedOne()
{
    Fixture f;
    const QString page = u"<!DOCTYPE html>\r\n<html>\r\n<head><title>T</title>\r\n<!-- note -->"
                         "</head>\r\n<body class=main>\r\n<p id=t>text &nbsp;&amp; more</p>\r\n"
                         "<table><tr><td>1</td></tr></table>\r\n</body></html>"_s;
    QVERIFY(f.load(page));
    const DesignSnapshot loaded = f.doc->loadedSnapshot();
    QVERIFY(loaded.bodyNodes.contains(u"<p id=\"t\">text &nbsp;&amp; more</p>"_s));
    QCOMPARE(loaded.bodyAttributes, (QList<QPair<QString, QString>>{{u"class"_s, u"main"_s}}));
    QVERIFY(loaded.headNodes.contains(u"<!-- note -->"_s));
    // Looking around changes nothing.
    f.click(u"#t"_s);
    QTRY_COMPARE(f.selectedTag(), u"P"_s);
    f.press(Qt::Key_End, Qt::ShiftModifier);
    QTRY_COMPARE(f.doc->selectionType(), u"Text"_s);
    f.press(Qt::Key_Down);
    QTRY_COMPARE(f.doc->selectionType(), u"None"_s);
    QCOMPARE(f.doc->snapshot(), std::optional(loaded));
    QVERIFY(!f.doc->edited());

    // A typed letter does.
    f.click(u"#t"_s, 0.02);
    QTRY_COMPARE(f.selectedTag(), u"P"_s);
    f.press(Qt::Key_Home);
    QTest::keyClicks(QApplication::focusWidget(), u"X"_s);
    QTRY_VERIFY(f.doc->edited());
    const DesignSnapshot typed = f.doc->snapshot().value_or(DesignSnapshot{});
    QVERIFY(typed.bodyNodes.contains(u"<p id=\"t\">Xtext &nbsp;&amp; more</p>"_s));
    QCOMPARE(typed.headNodes, loaded.headNodes);
    QCOMPARE(f.doc->loadedSnapshot(), loaded);

    // Loading again starts afresh.
    QVERIFY(f.load(page));
    QVERIFY(!f.doc->edited());
    QCOMPARE(f.doc->loadedSnapshot(), loaded);
}

void DesignViewTest::contextMenuComesFromTheViewWithTheClickedObject()
{
    Fixture f;
    QVERIFY(f.load(kStatusPage));
    QSignalSpy menu(f.doc.get(), &DesignDocument::contextMenuRequested);
    f.click(u"#plain"_s);
    QTRY_COMPARE(f.selectedTag(), u"P"_s);
    const QPoint at = f.pointIn(u"#pic"_s);
    QTest::mousePress(f.surface(), Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, f.surface()->mapToGlobal(at));
    QApplication::sendEvent(f.surface(), &event);
    QTest::mouseRelease(f.surface(), Qt::RightButton, {}, at);
    QTRY_COMPARE(menu.count(), 1);
    // When the menu is asked for, the picture under the mouse is the
    // selection already.
    QCOMPARE(f.selectedTag(), u"IMG"_s);
    QCOMPARE(f.doc->selectionType(), u"Control"_s);
    const QPoint global = menu.at(0).at(0).toPoint();
    QVERIFY2((global - f.surface()->mapToGlobal(at)).manhattanLength() <= 2,
             qPrintable(u"%1,%2"_s.arg(global.x()).arg(global.y())));
    // No menu of the browser's own.
    QTest::qWait(200);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
}

void DesignViewTest::commandsBeforeALoadAreHarmless()
{
    QTemporaryDir dir;
    WebDesignDocument doc(dir.filePath(u"tmp/"_s));
    QCOMPARE(doc.commandStatus(DesignCommand::Bold), DesignStatus::Disabled);
    QCOMPARE(doc.commandStatus(DesignCommand::Paste), DesignStatus::Disabled);
    QCOMPARE(doc.selectionType(), u"None"_s);
    QVERIFY(!doc.selectedElement().has_value());
    for (DesignCommand c : {DesignCommand::Bold, DesignCommand::Paste, DesignCommand::MergeCells,
                            DesignCommand::InsertTable, DesignCommand::GetFontName})
        QCOMPARE(doc.runCommand(c, kDesignDefault), QVariant());
    doc.pasteHtml(u"<b>x</b>"_s);
    doc.changeBody({{u"bgcolor"_s, u"red"_s}});
    // Nothing loaded: no document to give.
    QVERIFY(!doc.snapshot().has_value());
    QVERIFY(!doc.edited());
}

QTEST_MAIN(DesignViewTest)
#include "tst_design_view.moc"
