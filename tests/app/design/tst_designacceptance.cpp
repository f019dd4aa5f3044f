// The design page tried as a new user would, in the main window with the
// real design view: a page entered and left without an edit saves byte for
// byte, a word made bold comes back as a bold element in the tag case the
// user chose with the rest of the page as it was, the context menu's
// "Tabulka" > "Vložit tabulku" inserts its table, and "Vlastnosti
// obrázku..." edits a picture's alternative text.

#include "app/design/DesignFeature.h"
#include "app/design/WebDesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "app/elements/ElementDialogs.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/MainWindow.h"
#include "core/settings/AppSettings.h"
#include "support/DesignViewProbe.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"
#include "support/WindowCommands.h"

#include <QApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

using namespace qw;
using namespace qw::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray onePixelGif()
{
    return QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");
}

struct Session
{
    TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    QDialog* shownDialog = nullptr;
    bool active = false;

    explicit Session(bool lowerCase = true)
    {
        context = inst.context(ui);
        context->settings.upperTag = lowerCase;
        window = std::make_unique<MainWindow>(*context);
        window->elementDialogs().setShowHook([this](QDialog& d) {
            shownDialog = &d;
            d.show();
        });
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

    // Opens the page from a file and enters the design page once it is ready.
    bool openInDesign(const QString& name, const QByteArray& bytes)
    {
        if (!active)
            return false;
        const QString path = inst.path(u"site/"_s + name);
        writeBytes(path, bytes);
        writeBytes(inst.path(u"site/pic.gif"_s), onePixelGif());
        if (!window->documents().openDocument(path))
            return false;
        window->pages().switchTo(PageMode::Design);
        if (window->pages().pageMode() != PageMode::Design || document() == nullptr)
            return false;
        return QTest::qWaitFor([this] { return document()->isReady(); }, 20000);
    }

    QString path(const QString& name) const { return inst.path(u"site/"_s + name); }

    bool run(const char* id) { return test::runMenuCommand(*window, id); }

    QVariant evaluate(const QString& script) { return test::evaluateInDesign(view(), script); }

    QPoint pointIn(const QString& selector, double x = 0.5)
    {
        return test::pointInDesign(view(), selector, x);
    }

    void doubleClick(const QPoint& p) { test::doubleClickDesign(surface(), p); }

    // A right click where a person would make it; the menu it opens.
    QMenu* contextMenuAt(const QPoint& p)
    {
        QTest::mouseClick(surface(), Qt::LeftButton, {}, p);
        QTest::mousePress(surface(), Qt::RightButton, {}, p);
        QTest::mouseRelease(surface(), Qt::RightButton, {}, p);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, p, surface()->mapToGlobal(p));
        QApplication::sendEvent(surface(), &menuEvent);
        if (!QTest::qWaitFor(
                [this] {
                    return window->design().contextMenu() != nullptr &&
                           window->design().contextMenu()->isVisible();
                },
                10000))
            return nullptr;
        return window->design().contextMenu();
    }

    void leaveDesign() { window->pages().switchTo(PageMode::Source); }
};

const QByteArray kRichPage = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                             "<HTML>\r\n<HEAD>\r\n<TITLE>Zkouška</TITLE>\r\n"
                             "<!-- komentář: nic se nemění -->\r\n"
                             "<script type=\"text/javascript\">\r\n"
                             "  if (a < b && c > d) { document.title = 'x'; }\r\n"
                             "</script>\r\n</HEAD>\r\n<BODY bgcolor=white>\r\n"
                             "<TABLE border=1 width='50%'><tr><td>jedna<td>dvě</TABLE>\r\n"
                             "<P>Text &amp; další&nbsp;text<BR>\r\n"
                             "</BODY>\r\n</HTML>\r\n";

} // namespace

class DesignAcceptanceTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aPageEnteredAndLeftWithoutAnEditSavesByteIdentical();
    void aWordMadeBoldComesBackAsBold_data();
    void aWordMadeBoldComesBackAsBold();
    void aSaveOnTheDesignPageIsTheBaseOfLaterEdits();
    void theMenusInsertTableInsertsOneRowOfTwoCells();
    void thePictureEntryEditsTheAlternativeText();
};

void DesignAcceptanceTest::aPageEnteredAndLeftWithoutAnEditSavesByteIdentical()
{
    Session s;
    QVERIFY(s.openInDesign(u"page.html"_s, kRichPage));
    const QString loaded = s.editor().text();
    s.leaveDesign();
    QCOMPARE(s.editor().text(), loaded);
    QVERIFY(!s.editor().isModified());
    // Saved on the source page with the key a person presses.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fileBytes(s.path(u"page.html"_s)), kRichPage);

    // Saved on the design page, too, without an edit there.
    s.window->pages().switchTo(PageMode::Design);
    QVERIFY(QTest::qWaitFor([&] { return s.document()->isReady(); }, 20000));
    QVERIFY(s.run("file.save"));
    QCOMPARE(fileBytes(s.path(u"page.html"_s)), kRichPage);
}

void DesignAcceptanceTest::aWordMadeBoldComesBackAsBold_data()
{
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("bold");
    QTest::newRow("small letters") << true << u"<b>world</b>"_s;
    QTest::newRow("capitals") << false << u"<B>world</B>"_s;
}

void DesignAcceptanceTest::aWordMadeBoldComesBackAsBold()
{
    QFETCH(bool, lowerCase);
    QFETCH(QString, bold);
    Session s(lowerCase);
    const QByteArray page = "<html>\r\n<body>\r\n<h1 CLASS=top>Title</h1>\r\n"
                            "<p id=w>Hello world here</p>\r\n<p>Other &amp; more</p>\r\n"
                            "</body>\r\n</html>\r\n";
    QVERIFY(s.openInDesign(u"bold.html"_s, page));
    s.doubleClick(s.pointIn(u"#w"_s, 0.5));
    QTRY_COMPARE(s.evaluate(u"String(window.getSelection())"_s).toString().trimmed(), u"world"_s);
    // Bold as the program runs it on the design page: by the document's bold
    // command once its state allows it.
    QTRY_COMPARE(s.document()->commandStatus(DesignCommand::Bold), DesignStatus::Enabled);
    s.document()->runCommand(DesignCommand::Bold, kDesignPromptUser);
    QTRY_VERIFY(s.document()->edited());
    s.leaveDesign();
    QString expected = QString::fromLatin1(page);
    expected.replace(u"world"_s, bold);
    // Only the paragraph's line may differ (the browser may write its start
    // tag its own way); the rest is as it was.
    const QStringList got = s.editor().text().split(u"\r\n"_s);
    const QStringList want = expected.split(u"\r\n"_s);
    QCOMPARE(got.size(), want.size());
    for (int i = 0; i < got.size(); ++i) {
        if (want[i].contains(u"Hello"))
            QVERIFY2(got[i].contains(u"Hello "_s + bold + u" here"_s), qPrintable(got[i]));
        else
            QCOMPARE(got[i], want[i]);
    }
    QVERIFY(s.editor().isModified());
    // One Ctrl+Z gives the page back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.editor().text(), QString::fromLatin1(page));
}

void DesignAcceptanceTest::aSaveOnTheDesignPageIsTheBaseOfLaterEdits()
{
    Session s;
    const QByteArray page = "<html>\r\n<body>\r\n<p id=one>First word</p>\r\n"
                            "<!-- between -->\r\n<p id=two>Second word</p>\r\n"
                            "</body>\r\n</html>\r\n";
    QVERIFY(s.openInDesign(u"twice.html"_s, page));
    const auto boldAt = [&s](const QString& selector, const QString& word) {
        s.doubleClick(s.pointIn(selector, 0.1));
        QTRY_COMPARE(s.evaluate(u"String(window.getSelection())"_s).toString().trimmed(), word);
        QTRY_COMPARE(s.document()->commandStatus(DesignCommand::Bold), DesignStatus::Enabled);
        s.document()->runCommand(DesignCommand::Bold, kDesignPromptUser);
    };
    boldAt(u"#one"_s, u"First"_s);
    QTRY_VERIFY(s.document()->edited());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    const QByteArray saved = fileBytes(s.path(u"twice.html"_s));
    QVERIFY2(saved.contains("<b>First</b> word"), saved.constData());
    QVERIFY(s.editor().isModified());
    QCOMPARE(s.window->pages().pageMode(), PageMode::Design);

    boldAt(u"#two"_s, u"Second"_s);
    QTRY_VERIFY(!s.evaluate(u"document.querySelector('#two b') === null"_s).toBool());
    s.leaveDesign();
    QString expected = QString::fromLatin1(page);
    expected.replace(u">First word"_s, u"><b>First</b> word"_s);
    expected.replace(u">Second word"_s, u"><b>Second</b> word"_s);
    QCOMPARE(s.editor().text(), expected);
}

void DesignAcceptanceTest::theMenusInsertTableInsertsOneRowOfTwoCells()
{
    Session s;
    const QByteArray page = "<html>\r\n<body>\r\n<p id=a>Before</p>\r\n<p>After</p>\r\n"
                            "</body>\r\n</html>\r\n";
    QVERIFY(s.openInDesign(u"table.html"_s, page));
    QMenu* menu = s.contextMenuAt(s.pointIn(u"#a"_s, 0.99));
    QVERIFY(menu != nullptr);
    QMenu* table = menu->findChild<QMenu*>(u"miTableMenu"_s);
    QVERIFY(table != nullptr);
    QAction* insert = table->findChild<QAction*>(u"miInsertTable"_s);
    QVERIFY(insert->isEnabled());
    insert->trigger();
    menu->close();
    QTRY_VERIFY(s.document()->edited());
    s.leaveDesign();
    const QString text = s.editor().text();
    static const QRegularExpression tableRe(u"<table[^>]*>"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = tableRe.match(text);
    QVERIFY2(m.hasMatch(), qPrintable(text));
    QVERIFY(m.captured().contains(u"border=\"1\""_s, Qt::CaseInsensitive) ||
            m.captured().contains(u"border=1"_s, Qt::CaseInsensitive));
    QVERIFY(m.captured().contains(u"width=\"100\""_s, Qt::CaseInsensitive) ||
            m.captured().contains(u"width=100"_s, Qt::CaseInsensitive));
    QCOMPARE(
        text.count(QRegularExpression(u"<tr[\\s>]"_s, QRegularExpression::CaseInsensitiveOption)),
        1);
    QCOMPARE(
        text.count(QRegularExpression(u"<td[\\s>]"_s, QRegularExpression::CaseInsensitiveOption)),
        2);
    QVERIFY(text.contains(u"<p>After</p>"_s));
}

void DesignAcceptanceTest::thePictureEntryEditsTheAlternativeText()
{
    Session s;
    const QByteArray page = "<html>\r\n<body>\r\n<p>Logo: <img id=pic src=\"pic.gif\" width=40 "
                            "height=40 alt=\"staré\"> konec</p>\r\n<p>Jinde</p>\r\n"
                            "</body>\r\n</html>\r\n";
    QVERIFY(s.openInDesign(u"picture.html"_s, page));
    const QPoint onPicture = s.pointIn(u"#pic"_s);
    QTest::mouseClick(s.surface(), Qt::LeftButton, {}, onPicture);
    QTRY_COMPARE(s.document()->selectionType(), u"Control"_s);
    QMenu* menu = s.contextMenuAt(onPicture);
    QVERIFY(menu != nullptr);
    QAction* image = menu->findChild<QAction*>(u"miImage"_s);
    QVERIFY(image != nullptr && image->isVisible());
    image->trigger();
    menu->close();
    auto* dialog = qobject_cast<ElementDialog*>(s.shownDialog);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), u"Upravit obrázek"_s);
    QCOMPARE(dialog->fieldText(u"edALT"), u"staré"_s);
    QCOMPARE(dialog->fieldText(u"edWidth"), u"40"_s);
    dialog->setFieldText(u"edALT", u"nové logo"_s);
    QVERIFY(dialog->runOk());
    QTRY_VERIFY(s.document()->edited());
    s.leaveDesign();
    const QString text = s.editor().text();
    QVERIFY2(text.contains(u"alt=\"nové logo\""_s), qPrintable(text));
    QVERIFY(!text.contains(u"staré"_s));
    QVERIFY(text.contains(u"<p>Jinde</p>"_s));
    QVERIFY(text.startsWith(u"<html>\r\n<body>\r\n<p>Logo: "_s));
}

QTEST_MAIN(DesignAcceptanceTest)
#include "tst_designacceptance.moc"
