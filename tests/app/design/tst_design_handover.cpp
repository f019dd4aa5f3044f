// The design page never loses what the user did there, in the main window
// with the real design view (its scripts and editing on): a key typed and
// the page left at once, by every way out, is in the text; a view that
// cannot give its document keeps the user on the page with a message and
// nothing changed; a file another program changed is read again as it is
// on disk, the design edits dropped after a question that says so first;
// and the document shows itself modified while the design page is typed
// in.

#include "app/design/DesignFeature.h"
#include "app/design/WebDesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "app/shell/MainWindow.h"
#include "support/AccessibleTree.h"
#include "support/DesignViewProbe.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"
#include "support/WindowCommands.h"

#include <QApplication>
#include <QFile>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QWebEngineView>

using namespace qw;
using namespace qw::test;
using namespace Qt::StringLiterals;

namespace {

const QString kCannotTakeBack = u"Úpravy ze stránky Design se nepodařilo převzít do dokumentu.\n"
                                u"Stránka Design zůstává otevřená a úpravy v ní zůstávají; "
                                u"zkuste to prosím znovu."_s;

const QByteArray kSmallPage = "<html>\r\n<body>\r\n<p id=p>Hello world</p>\r\n"
                              "<p>Other &amp; more</p>\r\n</body>\r\n</html>\r\n";

// About a megabyte: the paragraph typed into first, then many more.
QByteArray largePage()
{
    QByteArray page = "<html>\r\n<head><title>Velká</title></head>\r\n<body>\r\n"
                      "<p id=p>Hello world</p>\r\n";
    for (int i = 0; page.size() < 1024 * 1024; ++i)
        page += "<p class=row>Row " + QByteArray::number(i) +
                " of a long page with <b>bold</b> and <i>italic</i> text.</p>\r\n";
    page += "</body>\r\n</html>\r\n";
    return page;
}

// Another program's save: a new file renamed over the old one.
void replaceFile(const QString& path, const QByteArray& bytes)
{
    const QString temp = path + u".new"_s;
    writeBytes(temp, bytes);
    QFile::remove(path);
    QFile::rename(temp, path);
}

struct Session
{
    TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    bool active = false;

    Session()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 750);
        window->show();
        window->openStartFile(QString());
        if (QTest::qWaitForWindowExposed(window.get())) {
            window->activateWindow();
            active = QTest::qWaitForWindowActive(window.get());
        }
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    WebDesignDocument* document() const
    {
        return qobject_cast<WebDesignDocument*>(window->design().document());
    }
    QWebEngineView* view() const { return document()->view(); }
    QWidget* surface() const { return view()->focusProxy() ? view()->focusProxy() : view(); }
    QString path(const QString& name) const { return inst.path(u"site/"_s + name); }
    QVariant evaluate(const QString& script) { return evaluateInDesign(view(), script); }
    PageMode page() const { return window->pages().pageMode(); }
    QTabBar& tabs() const { return *window->documents().tabBar(); }
    bool tabMarkedModified(int index) const
    {
        return tabs().tabTextColor(index) == QColor(0, 0, 255);
    }

    bool open(const QString& name, const QByteArray& bytes)
    {
        writeBytes(path(name), bytes);
        return window->documents().openDocument(path(name));
    }

    bool enterDesign()
    {
        window->pages().switchTo(PageMode::Design);
        if (page() != PageMode::Design || document() == nullptr)
            return false;
        return QTest::qWaitFor([this] { return document()->isReady(); }, 20000);
    }

    // The caret at the end of the paragraph #p: a click there as a person
    // does (the view has the keyboard focus then), once the click has
    // arrived moved to the end of the text.
    bool caretAtEndOfFirstParagraph()
    {
        QTest::mouseClick(surface(), Qt::LeftButton, {}, pointInDesign(view(), u"#p"_s, 0.5));
        const QString inParagraph =
            u"(function () { var n = document.getSelection().anchorNode;"
            u" return !!n && n.parentNode === document.getElementById('p'); })()"_s;
        if (!QTest::qWaitFor([&] { return evaluate(inParagraph).toBool(); }, 5000))
            return false;
        evaluate(u"(function () { var t = document.getElementById('p').firstChild;"
                 u" var r = document.createRange(); r.setStart(t, t.length); r.collapse(true);"
                 u" var s = document.getSelection(); s.removeAllRanges(); s.addRange(r); })()"_s);
        return QApplication::focusWidget() == surface() &&
               evaluate(u"document.getSelection().anchorOffset"_s).toInt() == 11;
    }

    // One key into the design view, as a person types it; nothing waits for
    // the view to take it.
    void type(char c) { QTest::keyClick(QApplication::focusWidget(), c); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    }
    void clickTab(int index)
    {
        QTest::mouseClick(&tabs(), Qt::LeftButton, {}, tabs().tabRect(index).center());
    }
    void clickPageTab(PageMode mode)
    {
        QTabBar* pages = window->pages().tabBar();
        QTest::mouseClick(pages, Qt::LeftButton, {}, pages->tabRect(int(mode)).center());
    }
};

} // namespace

class DesignHandOverTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aKeyTypedAndLeftAtOnceIsInTheText_data();
    void aKeyTypedAndLeftAtOnceIsInTheText();
    void aViewThatCannotGiveItsDocumentKeepsTheUserThere_data();
    void aViewThatCannotGiveItsDocumentKeepsTheUserThere();
    void aFileChangedOnDiskIsReadAgainAsItIs_data();
    void aFileChangedOnDiskIsReadAgainAsItIs();
    void typingInTheDesignViewMarksTheDocumentModified();
    void keysTypedAfterEnteringGoIntoThePage();
    void theDesignViewIsReadAsADocument();
};

void DesignHandOverTest::aKeyTypedAndLeftAtOnceIsInTheText_data()
{
    QTest::addColumn<bool>("large");
    QTest::addColumn<QString>("way");
    for (bool large : {false, true}) {
        for (const char* way : {"F11", "F12", "page tab", "document tab", "Ctrl+S"})
            QTest::addRow("%s, %s", large ? "1 MB" : "small", way)
                << large << QString::fromLatin1(way);
    }
}

void DesignHandOverTest::aKeyTypedAndLeftAtOnceIsInTheText()
{
    QFETCH(bool, large);
    QFETCH(QString, way);
    Session s;
    QVERIFY(s.active);
    const QByteArray page = large ? largePage() : kSmallPage;
    QVERIFY(s.open(u"other.html"_s, "<p>other</p>"));
    QVERIFY(s.open(u"page.html"_s, page));
    ScintillaEditor* edited = &s.editor();
    QVERIFY(s.enterDesign());
    QVERIFY(s.caretAtEndOfFirstParagraph());

    s.type('x');
    if (way == u"F11")
        s.key(Qt::Key_F11);
    else if (way == u"F12")
        s.key(Qt::Key_F12);
    else if (way == u"page tab")
        s.clickPageTab(PageMode::Source);
    else if (way == u"document tab")
        s.clickTab(1);
    else
        s.key(Qt::Key_S, Qt::ControlModifier);

    QByteArray expected = page;
    expected.replace("Hello world<", "Hello worldx<");
    if (way == u"Ctrl+S") {
        QCOMPARE(s.page(), PageMode::Design);
        QCOMPARE(fileBytes(s.path(u"page.html"_s)), expected);
    } else if (way == u"document tab") {
        QCOMPARE(s.tabs().currentIndex(), 1);
    } else {
        QCOMPARE(s.page(), way == u"F12" ? PageMode::Preview : PageMode::Source);
    }
    QCOMPARE(edited->text(), QString::fromUtf8(expected));
    QVERIFY(s.ui.notices.isEmpty());
}

void DesignHandOverTest::aViewThatCannotGiveItsDocumentKeepsTheUserThere_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("late");
    for (const char* way : {"F11", "document tab", "save", "close", "new document", "quit"}) {
        QTest::addRow("%s, no answer in time", way) << QString::fromLatin1(way) << true;
        QTest::addRow("%s, not a document", way) << QString::fromLatin1(way) << false;
    }
}

void DesignHandOverTest::aViewThatCannotGiveItsDocumentKeepsTheUserThere()
{
    QFETCH(QString, way);
    QFETCH(bool, late);
    Session s;
    QVERIFY(s.active);
    QVERIFY(s.open(u"other.html"_s, "<p>other</p>"));
    QVERIFY(s.open(u"page.html"_s, kSmallPage));
    QVERIFY(s.enterDesign());
    QVERIFY(s.caretAtEndOfFirstParagraph());
    s.type('x');
    QTRY_VERIFY(s.document()->edited());

    // The view answers too late, or with something that is not its
    // document.
    s.document()->setAnswerWait(300);
    s.evaluate(late
                   ? u"qwDesign.takeDocument = qwDesign.snapshot;"
                     u" qwDesign.snapshot = function () { var t = performance.now();"
                     u" while (performance.now() - t < 1500) {} return qwDesign.takeDocument(); }"_s
                   : u"qwDesign.takeDocument = qwDesign.snapshot;"
                     u" qwDesign.snapshot = function () { return null; }"_s);
    const int documents = s.window->documents().count();
    if (way == u"F11")
        s.key(Qt::Key_F11);
    else if (way == u"document tab")
        s.clickTab(1);
    else if (way == u"save")
        s.key(Qt::Key_S, Qt::ControlModifier);
    else if (way == u"close")
        QVERIFY(runMenuCommand(*s.window, "file.close"));
    else if (way == u"new document")
        QVERIFY(runMenuCommand(*s.window, "file.new"));
    else
        QVERIFY(!s.window->close());

    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices[0].text, kCannotTakeBack);
    QCOMPARE(s.ui.notices[0].icon, UiServices::Icon::Error);
    QCOMPARE(s.page(), PageMode::Design);
    QCOMPARE(s.window->pages().tabBar()->currentIndex(), int(PageMode::Design));
    QCOMPARE(s.window->documents().count(), documents);
    QCOMPARE(s.tabs().currentIndex(), 2);
    QCOMPARE(s.editor().text(), QString::fromUtf8(kSmallPage));
    QCOMPARE(fileBytes(s.path(u"page.html"_s)), kSmallPage);
    QVERIFY(s.ui.questions.isEmpty());
    QVERIFY(s.window->isVisible());

    // Once the view answers again, the edit is all there.
    s.evaluate(u"qwDesign.snapshot = qwDesign.takeDocument;"_s);
    QTest::qWait(late ? 1500 : 0);
    s.key(Qt::Key_F11);
    QCOMPARE(s.page(), PageMode::Source);
    QByteArray expected = kSmallPage;
    expected.replace("Hello world<", "Hello worldx<");
    QCOMPARE(s.editor().text(), QString::fromUtf8(expected));
}

void DesignHandOverTest::aFileChangedOnDiskIsReadAgainAsItIs_data()
{
    QTest::addColumn<bool>("reported");
    QTest::addColumn<bool>("reload");
    // reported: the view has told the program of the key before the
    // question; otherwise the file is looked at right after the key.
    QTest::newRow("read again") << true << true;
    QTest::newRow("read again, key not yet reported") << false << true;
    QTest::newRow("kept") << true << false;
    QTest::newRow("kept, key not yet reported") << false << false;
}

void DesignHandOverTest::aFileChangedOnDiskIsReadAgainAsItIs()
{
    QFETCH(bool, reported);
    QFETCH(bool, reload);
    Session s;
    QVERIFY(s.active);
    QVERIFY(s.open(u"page.html"_s, kSmallPage));
    QVERIFY(s.enterDesign());
    QVERIFY(s.caretAtEndOfFirstParagraph());
    s.type('x');
    if (reported)
        QTRY_VERIFY(s.tabMarkedModified(1));

    const QByteArray changed = "<html>\r\n<body>\r\n<p id=p>Changed elsewhere</p>\r\n"
                               "</body>\r\n</html>\r\n";
    QTest::qWait(20); // a later modification time than the program's read
    replaceFile(s.path(u"page.html"_s), changed);
    s.ui.yesNoAnswers = {reload};
    s.window->documents().checkFilesOnDisk();

    QCOMPARE(s.ui.questions.size(), 1);
    QVERIFY2(s.ui.questions[0].startsWith(
                 u"Neuložené úpravy na stránce Design se při načtení zahodí.\nSoubor \""_s),
             qPrintable(s.ui.questions[0]));
    QVERIFY(
        s.ui.questions[0].endsWith(u"Načíst nový obsah souboru a změny v dokumentu zahodit?"_s));
    QCOMPARE(s.page(), PageMode::Design);
    if (reload) {
        QCOMPARE(s.editor().text(), QString::fromUtf8(changed));
        // The design page shows the file as it is now, without the key.
        QTRY_COMPARE(
            s.evaluate(
                 u"document.getElementById('p') && document.getElementById('p').textContent"_s)
                .toString(),
            u"Changed elsewhere"_s);
        QTRY_VERIFY(s.document()->isReady());
        QVERIFY(!s.tabMarkedModified(1));
        // Nothing of the old design document comes back on leaving or
        // saving: the other program's text stays.
        s.key(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fileBytes(s.path(u"page.html"_s)), changed);
        s.key(Qt::Key_F11);
        QCOMPARE(s.page(), PageMode::Source);
        QCOMPARE(s.editor().text(), QString::fromUtf8(changed));
        QVERIFY(!s.editor().isModified());
    } else {
        // The user's document stays, the key in it.
        s.key(Qt::Key_F11);
        QCOMPARE(s.page(), PageMode::Source);
        QByteArray expected = kSmallPage;
        expected.replace("Hello world<", "Hello worldx<");
        QCOMPARE(s.editor().text(), QString::fromUtf8(expected));
        QVERIFY(s.editor().isModified());
    }
}

void DesignHandOverTest::typingInTheDesignViewMarksTheDocumentModified()
{
    Session s;
    QVERIFY(s.active);
    QVERIFY(s.open(u"page.html"_s, kSmallPage));
    QVERIFY(s.enterDesign());
    QVERIFY(s.caretAtEndOfFirstParagraph());
    // Entering and clicking change nothing.
    QTest::qWait(100);
    QVERIFY(!s.tabMarkedModified(1));
    QCOMPARE(s.window->statusText(1), QString());

    s.type('x');
    QTRY_VERIFY(s.tabMarkedModified(1));
    QCOMPARE(s.window->statusText(1), u"Změněno"_s);
    QCOMPARE(s.page(), PageMode::Design);

    // A save on the design page keeps the document marked.
    s.key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(fileBytes(s.path(u"page.html"_s)).contains("Hello worldx<"));
    QVERIFY(s.tabMarkedModified(1));
    QCOMPARE(s.window->statusText(1), u"Změněno"_s);
    s.type('y');
    QTest::qWait(100);
    QVERIFY(s.tabMarkedModified(1));
    QCOMPARE(s.window->statusText(1), u"Změněno"_s);
}

// A person enters the design page by its tab and types at once, without a
// click into the page: the keys go into the page, also when the page is
// entered again after the source page.
void DesignHandOverTest::keysTypedAfterEnteringGoIntoThePage()
{
    Session s;
    QVERIFY(s.active);
    QVERIFY(s.open(u"page.html"_s, kSmallPage));
    ScintillaEditor* edited = &s.editor();
    s.clickPageTab(PageMode::Design);
    QTRY_VERIFY(s.page() == PageMode::Design && s.document() != nullptr && s.document()->isReady());
    QCOMPARE(QApplication::focusWidget(), s.surface());
    s.type('x');
    QTRY_VERIFY(s.document()->edited());
    s.key(Qt::Key_F11);
    QCOMPARE(s.page(), PageMode::Source);
    // The caret starts at the beginning of the body's text.
    QString expected = QString::fromUtf8(kSmallPage);
    expected.replace(u"<p id=p>"_s, u"<p id=p>x"_s);
    QCOMPARE(edited->text(), expected);

    s.clickPageTab(PageMode::Design);
    QTRY_VERIFY(s.page() == PageMode::Design && s.document()->isReady());
    QCOMPARE(QApplication::focusWidget(), s.surface());
    s.type('y');
    QTRY_VERIFY(s.document()->edited());
    s.key(Qt::Key_F11);
    expected.replace(u"<p id=p>x"_s, u"<p id=p>yx"_s);
    QCOMPARE(edited->text(), expected);
}

// A screen reader announces the design page as an editable document.
void DesignHandOverTest::theDesignViewIsReadAsADocument()
{
    QAccessible::setActive(true);
    Session s;
    QVERIFY(s.active);
    s.editor().setText(QString::fromUtf8(kSmallPage));
    QVERIFY(s.enterDesign());
    QCOMPARE(QAccessible::queryAccessibleInterface(s.view())->text(QAccessible::Name), u"Design"_s);
    QTRY_VERIFY_WITH_TIMEOUT(qw::test::holdsWebDocument(s.view()), 15000);
}

QTEST_MAIN(DesignHandOverTest)
#include "tst_design_handover.moc"
