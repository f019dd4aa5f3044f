// Commands and dialogs of the design page that must not lose or drop any of
// the user's work, tried on the real design document as a person would: a
// link over a selection keeps the selected text, a link at a bare caret
// takes a typed text, the pop-up's selection tools leave the design page
// alone, every property dialog confirmed without a change leaves its
// element's attributes as they were, and a click on an inline frame selects
// it as an object.

#include "app/design/DesignActions.h"
#include "app/services/ActionRegistry.h"
#include "support/DesignWindow.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

using namespace qw;
using namespace qw::test;
using namespace Qt::StringLiterals;

namespace {

// A tag of the head whose attributes some dialogs also show: with the caret
// in it on the source page, it is the tag the window last parsed.
const QByteArray kParsedTag = "<meta name=quenwick valign=bottom loopdelay=9 cellpadding=7 "
                              "size=1 target=_self marginwidth=8 topmargin=4>";

QByteArray page(const QByteArray& body, const QByteArray& bodyTag = "<body>")
{
    return "<html>\r\n<head><title>Zkouška</title>" + kParsedTag + "</head>\r\n" + bodyTag +
           "\r\n" + body + "\r\n</body>\r\n</html>\r\n";
}

// The element's attributes as name=value, sorted: their set.
QStringList attributesOf(DesignWindow& w, const QString& selector)
{
    return w
        .evaluate(u"Array.prototype.map.call(document.querySelector('%1').attributes,"
                  " function (a) { return a.name + '=' + a.value; }).sort()"_s.arg(selector))
        .toStringList();
}

} // namespace

class DesignKeepsWorkTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aLinkOverASelectionKeepsTheSelectedText();
    void aLinkAtTheCaretTakesTheTypedText();
    void selectionToolsOfThePopUpLeaveTheDesignPageAlone();
    void propertyDialogsKeepEveryAttribute_data();
    void propertyDialogsKeepEveryAttribute();
    void aClickOnAnInlineFrameSelectsIt();
};

void DesignKeepsWorkTest::aLinkOverASelectionKeepsTheSelectedText()
{
    DesignWindow w;
    QVERIFY(w.openInDesign(u"link.html"_s, page("<p id=t>one two three</p>\r\n<p id=u>four</p>")));
    w.click(w.pointIn(u"#u"_s));
    w.doubleClick(w.pointIn(u"#t"_s));
    QTRY_COMPARE(w.document()->selectionType(), u"Text"_s);
    QTRY_COMPARE(w.document()->commandStatus(DesignCommand::Hyperlink), DesignStatus::Enabled);
    QVERIFY(runMenuCommand(*w.window, "tag.link"));
    auto* dialog = qobject_cast<ElementDialog*>(w.shownDialog);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), u"Vložit odkaz"_s);
    // The selected word is the link's text: nothing to type.
    QVERIFY(!dialog->field(u"Memo1")->isVisible());
    dialog->setFieldText(u"cmbHREF", u"two.html?a=1&b=2"_s);
    dialog->setFieldText(u"cmbTarget", u"_blank"_s);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QTRY_COMPARE(w.evaluate(u"document.getElementById('t').innerHTML"_s).toString(),
                 u"one <a href=\"two.html?a=1&amp;b=2\" target=\"_blank\">two</a> three"_s);
    QCOMPARE(w.evaluate(u"document.getElementById('u').innerHTML"_s).toString(), u"four"_s);
    QVERIFY(w.ui.notices.isEmpty());
}

void DesignKeepsWorkTest::aLinkAtTheCaretTakesTheTypedText()
{
    DesignWindow w;
    QVERIFY(w.openInDesign(u"caret.html"_s, page("<p id=t>one two three</p>")));
    w.click(w.pointIn(u"#t"_s, 0.999));
    QTRY_COMPARE(w.document()->selectionType(), u"None"_s);
    QTRY_COMPARE(w.document()->commandStatus(DesignCommand::Hyperlink), DesignStatus::Enabled);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A,
                    Qt::ControlModifier | Qt::ShiftModifier);
    auto* dialog = qobject_cast<ElementDialog*>(w.shownDialog);
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->field(u"Memo1")->isVisible());
    QCOMPARE(dialog->fieldText(u"Memo1"), QString());
    dialog->setFieldText(u"cmbHREF", u"x.html"_s);

    // Without a text the link would be invisible: nothing is inserted, the
    // user is told why and can type it.
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(w.ui.notices.size(), 1);
    QVERIFY(w.ui.notices[0].text.contains(u"text odkazu"_s));
    QCOMPARE(w.evaluate(u"document.getElementById('t').innerHTML"_s).toString(),
             u"one two three"_s);

    dialog->setFieldText(u"Memo1", u"<tady> & zde"_s);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QTRY_COMPARE(w.evaluate(u"document.getElementById('t').innerHTML"_s).toString(),
                 u"one two three<a href=\"x.html\">&lt;tady&gt; &amp; zde</a>"_s);
    QCOMPARE(w.ui.notices.size(), 1);
}

void DesignKeepsWorkTest::selectionToolsOfThePopUpLeaveTheDesignPageAlone()
{
    DesignWindow w;
    const QByteArray text = page("<p id=t>one\r\ntwo</p>");
    QVERIFY(w.openInDesign(u"tools.html"_s, text));
    w.click(w.pointIn(u"#t"_s));
    w.editor().selectAll();
    const QString body = w.bodyHtml();
    // The tab strip's pop-up, as a right click on the current tab opens it.
    QTabBar* tabs = w.window->documents().tabBar();
    const auto popUpOnTab = [&] {
        const QPoint onTab = tabs->tabRect(tabs->currentIndex()).center();
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, onTab, tabs->mapToGlobal(onTab));
        QApplication::sendEvent(tabs, &menuEvent);
        return QTest::qWaitFor([&] { return w.window->editorPopup()->isVisible(); }, 5000);
    };
    QVERIFY(popUpOnTab());
    ActionRegistry& commands = w.window->commands();
    for (const char* id : {"popup.textToTable", "popup.addBreaks"}) {
        QAction* entry = commands.action(QString::fromLatin1(id), ActionPlace::PopUp);
        QVERIFY2(entry != nullptr && !entry->isEnabled(), id);
        // Nor does the command act when run some other way.
        commands.trigger(QString::fromLatin1(id), ActionPlace::PopUp);
        QCOMPARE(w.editor().text(), QString::fromUtf8(text));
    }
    w.window->editorPopup()->close();
    QCOMPARE(w.bodyHtml(), body);
    w.window->pages().switchTo(PageMode::Source);
    QCOMPARE(w.editor().text(), QString::fromUtf8(text));
    QVERIFY(!w.editor().isModified());

    // The source page keeps them.
    static_cast<EditorWidget&>(w.editor()).setSelectionStart(0);
    static_cast<EditorWidget&>(w.editor()).setSelectionLength(6);
    QVERIFY(popUpOnTab());
    QAction* breaks = commands.action(u"popup.addBreaks"_s, ActionPlace::PopUp);
    QVERIFY(breaks->isEnabled());
    breaks->trigger();
    w.window->editorPopup()->close();
    QVERIFY(w.editor().text().startsWith(u"<html><br>\r\n"_s));
}

void DesignKeepsWorkTest::propertyDialogsKeepEveryAttribute_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("bodyTag");
    QTest::addColumn<QString>("element"); // the selector of the element the dialog edits
    QTest::addColumn<QString>("clickOn"); // where the person clicks to select it
    QTest::addColumn<bool>("onFrame");    // on the element's own frame, not its content
    QTest::addColumn<QString>("entry");   // the context menu's entry
    QTest::addColumn<QString>("field");   // a field the element fills...
    QTest::addColumn<QString>("shown");   // ...with this text

    // Every attribute each dialog shows, and two it does not.
    QTest::newRow("cell")
        << QByteArray(
               "<table border=1><tr><td id=x width=50 height=20 align=left valign=top rowspan=1 "
               "colspan=1 background=bg.gif bgcolor=red bordercolor=#00ff00 bordercolorlight=navy "
               "bordercolordark=#123456 data-a=1 foo=bar>cell</td><td>b</td></tr></table>")
        << QByteArray("<body>") << u"#x"_s << u"#x"_s << false << u"miCell"_s << u"cmbVALIGN"_s
        << u"top"_s;
    QTest::newRow("table")
        << QByteArray("<table id=x width=300 border=8 align=center valign=top cellpadding=2 "
                      "cellspacing=10 background=bg.gif bgcolor=#ff0000 bordercolor=red "
                      "bordercolorlight=white bordercolordark=black summary=s foo=bar><tr><td "
                      "id=c>a</td></tr></table>")
        << QByteArray("<body>") << u"#x"_s << u"#x"_s << true << u"miTable"_s << u"edCellpadding"_s
        << u"2"_s;
    QTest::newRow("rule") << QByteArray("<p>a</p><hr id=x align=center size=3 width=80% color=red "
                                        "noshade foo=bar><p>b</p>")
                          << QByteArray("<body>") << u"#x"_s << u"#x"_s << false << u"miRule"_s
                          << u"edSize"_s << u"3"_s;
    QTest::newRow("picture")
        << QByteArray(
               "<p>a <img id=x src=pic.gif alt=A width=40 height=40 border=1 "
               "align=left dynsrc=d.avi loop=2 start=fileopen loopdelay=5 data-a=1 foo=bar> b</p>")
        << QByteArray("<body>") << u"#x"_s << u"#x"_s << false << u"miImage"_s << u"edLoopDelay"_s
        << u"5"_s;
    QTest::newRow("link") << QByteArray("<p>a <a id=x href=a.html target=_top title=T name=n "
                                        "foo=bar>odkaz</a> b</p>")
                          << QByteArray("<body>") << u"#x"_s << u"#x"_s << false << u"miLink"_s
                          << u"cmbTarget"_s << u"_top"_s;
    QTest::newRow("inline frame")
        << QByteArray("<p>a</p><iframe id=x src=in.html name=f width=200 height=80 scrolling=no "
                      "align=left marginheight=2 marginwidth=3 frameborder=0 foo=bar></iframe>")
        << QByteArray("<body>") << u"#x"_s << u"#x"_s << false << u"miIFrame"_s
        << u"edMarginWidth"_s << u"3"_s;
    QTest::newRow("document") << QByteArray("<p id=p>text</p>")
                              << QByteArray("<body bgcolor=white text=black link=blue alink=red "
                                            "vlink=purple background=bg.gif leftmargin=5 "
                                            "topmargin=6 class=c foo=bar>")
                              << u"body"_s << u"#p"_s << false << u"miDocument"_s
                              << u"edTopMargin"_s << u"6"_s;
}

void DesignKeepsWorkTest::propertyDialogsKeepEveryAttribute()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, bodyTag);
    QFETCH(QString, element);
    QFETCH(QString, clickOn);
    QFETCH(bool, onFrame);
    QFETCH(QString, entry);
    QFETCH(QString, field);
    QFETCH(QString, shown);
    DesignWindow w;
    writeBytes(w.path(u"in.html"_s), "<p>rám</p>");
    writeBytes(w.path(u"pic.gif"_s), QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAAL"
                                                            "AAAAAABAAEAAAICRAEAOw=="));
    QVERIFY(w.openFile(u"props.html"_s, page(body, bodyTag)));
    // The caret stands in a tag of the source: the window has parsed it.
    EditorWidget& source = w.editor();
    source.setSelectionStart(source.text().indexOf(u"<meta"_s) + 3);
    source.setSelectionLength(0);
    w.editor().setFocus();
    QTest::keyClick(&w.editor(), Qt::Key_Right);
    QTRY_VERIFY(w.window->commands().action(u"popup.editTag"_s, ActionPlace::PopUp)->isEnabled());
    QVERIFY(w.enterDesign());
    const QStringList before = attributesOf(w, element);
    QVERIFY(before.size() >= 4);

    QPoint at = w.pointIn(clickOn);
    if (onFrame) {
        const QVariantMap box =
            w.evaluate(
                 u"(function () { var b = document.querySelector('%1')"
                 ".getBoundingClientRect(); return {x: b.left, y: b.top + b.height / 2}; })()"_s
                     .arg(clickOn))
                .toMap();
        at = QPoint(int(box.value(u"x"_s).toDouble()) + 3, int(box.value(u"y"_s).toDouble()));
    }
    w.click(at);
    QMenu* menu = w.contextMenuAt(at);
    QVERIFY(menu != nullptr);
    QAction* action = menu->findChild<QAction*>(entry);
    QVERIFY(action != nullptr);
    QVERIFY(action->isVisible());
    action->trigger();
    menu->close();
    auto* dialog = qobject_cast<ElementDialog*>(w.shownDialog);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->fieldText(field), shown);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(w.ui.notices.isEmpty());
    QCOMPARE(attributesOf(w, element), before);
}

void DesignKeepsWorkTest::aClickOnAnInlineFrameSelectsIt()
{
    DesignWindow w;
    writeBytes(w.path(u"in.html"_s), "<p>obsah rámu</p>");
    QVERIFY(
        w.openInDesign(u"frame.html"_s, page("<p id=t>text</p><iframe id=f src=in.html width=300 "
                                             "height=120></iframe><p>dál</p>")));
    w.click(w.pointIn(u"#t"_s));
    QTRY_COMPARE(w.document()->selectedElement().value_or(DesignElement{}).tagName, u"P"_s);
    // Well inside the frame, where its own page is drawn.
    QTRY_COMPARE(w.evaluate(u"document.getElementById('f').contentDocument ? 1 : 0"_s).toInt(), 1);
    const QPoint inside = w.pointIn(u"#f"_s, 0.5);
    w.click(inside);
    QTRY_COMPARE(w.document()->selectionType(), u"Control"_s);
    QCOMPARE(w.document()->selectedElement().value_or(DesignElement{}).tagName, u"IFRAME"_s);
    QMenu* menu = w.contextMenuAt(inside);
    QVERIFY(menu != nullptr);
    QAction* frame = menu->findChild<QAction*>(u"miIFrame"_s);
    QVERIFY(frame != nullptr && frame->isVisible());
    menu->close();
}

QTEST_MAIN(DesignKeepsWorkTest)
#include "tst_design_keeps_work.moc"
