// The live preview beside the source in a real window with the real web
// view: keys go to the focused widget, mouse clicks to the view's input
// widget, as a person's input goes.

#include "app/editor/ScintillaEditor.h"
#include "app/livepreview/LivePreviewFeature.h"
#include "app/livepreview/LivePreviewView.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineView>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;

namespace {

struct Session
{
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    QList<QUrl> opened;

    explicit Session(const qw::test::TestInstallation& inst)
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        live().setLinkOpener([this](const QUrl& url) { opened << url; });
        window->resize(1200, 800);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    LivePreviewFeature& live() { return *window->findChild<LivePreviewFeature*>(); }
    LivePreviewView* view() { return live().view(); }

    // Keys as the user presses them: to the widget that has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : window.get(), key, modifiers);
    }
    void type(const QString& text)
    {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr)
            target = window.get();
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(target, char(c.unicode()));
            } else {
                // A letter of a Czech keyboard: a key the test has no name for.
                QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), {});
                QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c), {});
            }
        }
    }

    // Ctrl+F12, then the first rendering.
    bool showLivePreview()
    {
        editor().setFocus();
        press(Qt::Key_F12, Qt::ControlModifier);
        if (view() == nullptr)
            return false;
        QSignalSpy shown(&live(), &LivePreviewFeature::refreshed);
        return shown.wait(20000) || shown.count() > 0;
    }

    // Waits for the next refresh to be drawn.
    bool refreshed()
    {
        QSignalSpy shown(&live(), &LivePreviewFeature::refreshed);
        return shown.wait(10000) || shown.count() > 0;
    }

    QString evaluate(const QString& script)
    {
        QString result = QStringLiteral("<no answer>");
        bool done = false;
        view()->evaluate(script, [&](const QVariant& v) {
            result = v.toString();
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            return QStringLiteral("<no answer>");
        return result;
    }
    double number(const QString& script) { return evaluate(script).toDouble(); }

    QAction* menuEntry(const QString& caption)
    {
        for (QAction* a : window->menuBar()->findChildren<QAction*>()) {
            if (a->text() == caption)
                return a;
        }
        return nullptr;
    }
};

QString paragraphs(int count)
{
    QString text = QStringLiteral("<html><body style=\"font-size:20px\">\n");
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("<p id=p%1>Odstavec %1</p>\n").arg(i);
    return text + QStringLiteral("</body></html>");
}

const QString kAtEnd =
    QStringLiteral("window.scrollY > 0 && window.scrollY + window.innerHeight >= "
                   "document.documentElement.scrollHeight - 2");

} // namespace

class LivePreviewTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startMakesNoViewAndCtrlF12ShowsItBesideTheSource();
    void typedWordAppearsInTheRenderedPage();
    void scrollPositionSurvivesRefreshesWithoutAWhitePage();
    void caretInTheTwoHundredthParagraphBringsItIntoView();
    void ctrlClickPutsTheCaretOnTheStartTag();
    void relativePictureShowsAndLocalFilesStayUnread();
    void stateAndSplitterSurviveARestart();
};

void LivePreviewTest::startMakesNoViewAndCtrlF12ShowsItBesideTheSource()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    QTest::qWait(50);
    // No web view until the person asks for one.
    QCOMPARE(s.view(), nullptr);
    QVERIFY(s.window->findChildren<QWebEngineView*>().isEmpty());
    QAction* entry = s.menuEntry(QStringLiteral("Náhled vedle kódu"));
    QVERIFY(entry != nullptr);
    QVERIFY(entry->isCheckable());
    QVERIFY(!entry->isChecked());
    QCOMPARE(entry->shortcut(), QKeySequence(QStringLiteral("Ctrl+F12")));
    bool onToolBar = false;
    for (QToolBar* bar : s.window->findChildren<QToolBar*>()) {
        for (QAction* a : bar->actions())
            onToolBar = onToolBar || a->toolTip() == u"Náhled vedle kódu";
    }
    QVERIFY(onToolBar);

    s.editor().setText(QStringLiteral("<p>x</p>"));
    QVERIFY(s.showLivePreview());
    QVERIFY(entry->isChecked());
    QSplitter* splitter = s.live().splitter();
    QVERIFY(splitter != nullptr);
    QCOMPARE(splitter->orientation(), Qt::Horizontal);
    QCOMPARE(splitter->count(), 2);
    QVERIFY(splitter->widget(0)->isAncestorOf(&s.editor()));
    QCOMPARE(splitter->widget(1), static_cast<QWidget*>(s.view()));
    QVERIFY(s.view()->isVisible() && s.editor().isVisible());
    // Beside: the preview right of the source, both of a useful width.
    QVERIFY(s.view()->mapTo(s.window.get(), QPoint()).x() >
            s.editor().mapTo(s.window.get(), QPoint()).x() + 200);
    // The keys still go to the source.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&s.editor()));

    s.press(Qt::Key_F12, Qt::ControlModifier);
    QVERIFY(!s.view()->isVisible());
    QVERIFY(!entry->isChecked());
    QVERIFY(s.editor().isVisible());
}

void LivePreviewTest::typedWordAppearsInTheRenderedPage()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.editor().setText(QStringLiteral("<html><body><p id=t>Ahoj</p></body></html>"));
    QVERIFY(s.showLivePreview());
    QCOMPARE(s.evaluate(QStringLiteral("document.getElementById('t').textContent")),
             QStringLiteral("Ahoj"));
    s.editor().setSelectionStart(QStringLiteral("<html><body><p id=t>Ahoj").size());
    QSignalSpy shown(&s.live(), &LivePreviewFeature::refreshed);
    s.type(QStringLiteral(" světe"));
    // Nothing is refreshed while the keys come.
    QCOMPARE(shown.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(
        s.evaluate(QStringLiteral("document.getElementById('t').textContent")),
        QStringLiteral("Ahoj světe"), 10000);
    // One refresh for the whole word, after the pause.
    QTRY_COMPARE(shown.count(), 1);
    QTest::qWait(LivePreviewFeature::kRefreshPause + 200);
    QCOMPARE(shown.count(), 1);

    // A command that changes the text is shown too: undo of the typing.
    s.press(Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(
        s.evaluate(QStringLiteral("document.getElementById('t').textContent")),
        QStringLiteral("Ahoj"), 10000);

    // Another tab: the preview follows it.
    s.window->documents().openTextAsNewDocument(QStringLiteral("<p id=t>Druhý</p>"),
                                                TextEncoding::Windows1250);
    QTRY_COMPARE_WITH_TIMEOUT(
        s.evaluate(QStringLiteral("document.getElementById('t').textContent")),
        QStringLiteral("Druhý"), 10000);
}

void LivePreviewTest::scrollPositionSurvivesRefreshesWithoutAWhitePage()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    // The top of the page is blue, the rest red: a refresh that showed the
    // top or an empty page for a moment would be seen.
    QString page = paragraphs(300);
    page.replace(QStringLiteral("<body "), QStringLiteral("<body bgcolor=#c81e28 "));
    page.replace(
        QStringLiteral("<p id=p1>"),
        QStringLiteral("<div style=\"height:1500px; background:#0000ff\"></div><p id=p1>"));
    s.editor().setText(page);
    QVERIFY(s.showLivePreview());

    // The person scrolls the preview to its end with the keyboard.
    QWidget* input = s.view()->inputWidget();
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(input->width() / 2, 10));
    QTRY_COMPARE(QApplication::focusWidget(), input);
    s.press(Qt::Key_End);
    QTRY_VERIFY_WITH_TIMEOUT(s.evaluate(kAtEnd) == u"true", 10000);

    // Typing at the end of the source, ten refreshes: the preview stays at
    // the end of the page, which grows, and never shows a white page.
    s.editor().setFocus();
    s.press(Qt::Key_End, Qt::ControlModifier);
    s.press(Qt::Key_Up);
    s.press(Qt::Key_End);
    const QColor red(0xc8, 0x1e, 0x28);
    for (int i = 0; i < 10; ++i) {
        s.type(QStringLiteral("<p>Nový %1</p>").arg(i));
        QSignalSpy shown(&s.live(), &LivePreviewFeature::refreshed);
        int notRed = 0;
        QStringList seenColors;
        QDeadlineTimer deadline(10000);
        while (shown.count() == 0 && !deadline.hasExpired()) {
            const QImage picture = s.view()->grab().toImage();
            const QColor seen = picture.pixelColor(picture.width() / 2, picture.height() / 2);
            if (seen != red) {
                ++notRed;
                seenColors << seen.name();
            }
            QTest::qWait(5);
        }
        QCOMPARE(shown.count(), 1);
        QVERIFY2(notRed == 0, qPrintable(seenColors.join(u' ')));
        QCOMPARE(s.evaluate(kAtEnd), QStringLiteral("true"));
        QVERIFY(s.evaluate(QStringLiteral("document.body.innerText"))
                    .contains(QStringLiteral("Nový %1").arg(i)));
    }

    // Scrolled to the middle, the preview keeps that place exactly, and
    // typing far below it does not pull it there.
    s.evaluate(QStringLiteral("window.scrollTo(0, 2000); 1"));
    QTRY_COMPARE(s.number(QStringLiteral("window.scrollY")), 2000.0);
    s.type(QStringLiteral("<p>Ještě</p>"));
    QVERIFY(s.refreshed());
    QTest::qWait(LivePreviewFeature::kCaretPause + 300);
    QCOMPARE(s.number(QStringLiteral("window.scrollY")), 2000.0);
    // A page that got shorter: the place is clamped to its new end.
    s.editor().setText(paragraphs(40));
    QVERIFY(s.refreshed());
    QCOMPARE(s.evaluate(kAtEnd), QStringLiteral("true"));
}

void LivePreviewTest::caretInTheTwoHundredthParagraphBringsItIntoView()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.editor().setText(paragraphs(300));
    QVERIFY(s.showLivePreview());
    const QString inView =
        QStringLiteral("(function (r) { return r.top >= 0 && r.bottom <= window.innerHeight; })"
                       "(document.getElementById('p200').getBoundingClientRect())");
    QCOMPARE(s.evaluate(inView), QStringLiteral("false"));
    // Line 200 holds the 200th paragraph: the caret goes there by keys.
    s.press(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 200; ++i)
        s.press(Qt::Key_Down);
    QCOMPARE(s.editor().caretLine(), 200);
    QTRY_COMPARE_WITH_TIMEOUT(s.evaluate(inView), QStringLiteral("true"), 10000);
    // It is outlined for a moment.
    QVERIFY(s.evaluate(QStringLiteral("document.getElementById('p200').style.outline"))
                .contains(u"solid"));
    QTRY_COMPARE_WITH_TIMEOUT(
        s.evaluate(QStringLiteral("document.getElementById('p200').style.outline")), QString(),
        5000);

    // An element already in view does not move the page.
    s.press(Qt::Key_Down);
    s.press(Qt::Key_Down);
    QTest::qWait(LivePreviewFeature::kCaretPause + 300);
    const double y = s.number(QStringLiteral("window.scrollY"));
    s.press(Qt::Key_Up);
    QTRY_VERIFY_WITH_TIMEOUT(
        s.evaluate(QStringLiteral("document.getElementById('p201').style.outline"))
            .contains(u"solid"),
        5000);
    QCOMPARE(s.number(QStringLiteral("window.scrollY")), y);
}

void LivePreviewTest::ctrlClickPutsTheCaretOnTheStartTag()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    // The table's body and rows are implied; the link must not be followed.
    const QString text = QStringLiteral(
        "<html><body><h1 id=h>Nadpis</h1>\n<!-- <td> -->\n<table border=1>"
        "<td>a<td id=c>buňka</table>\n<p><a id=l href=\"jinam.html\">odkaz</a></p></body></html>");
    s.editor().setText(text);
    QVERIFY(s.showLivePreview());
    struct Target
    {
        const char* id;
        QString tag;
    };
    const Target targets[] = {{"c", QStringLiteral("<td id=c>")},
                              {"h", QStringLiteral("<h1 id=h>")},
                              {"l", QStringLiteral("<a id=l")}};
    QWidget* input = s.view()->inputWidget();
    for (const Target& t : targets) {
        const QStringList rect =
            s.evaluate(QStringLiteral("(function (r) { return [r.left + r.width / 2, r.top + "
                                      "r.height / 2].join(','); })(document.getElementById('%1')"
                                      ".getBoundingClientRect())")
                           .arg(QLatin1StringView(t.id)))
                .split(u',');
        QCOMPARE(rect.size(), 2);
        const QPoint at(qRound(rect[0].toDouble()), qRound(rect[1].toDouble()));
        // A plain click on a cell or heading is the page's: the caret stays.
        s.editor().setSelectionStart(0);
        if (t.tag != u"<a id=l") {
            QTest::mouseClick(input, Qt::LeftButton, {}, at);
            QTest::qWait(300);
            QCOMPARE(s.editor().selectionStart(), 0);
        }
        QTest::mouseClick(input, Qt::LeftButton, Qt::ControlModifier, at);
        // The editor's offsets count its line breaks as CR LF.
        QTRY_COMPARE_WITH_TIMEOUT(s.editor().selectionStart(), s.editor().text().indexOf(t.tag),
                                  5000);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&s.editor()));
    }
    // Ctrl+click on the link went to the source, not to the link.
    QVERIFY(s.opened.isEmpty());
    QCOMPARE(s.evaluate(QStringLiteral("document.getElementById('h').textContent")),
             QStringLiteral("Nadpis"));
}

void LivePreviewTest::relativePictureShowsAndLocalFilesStayUnread()
{
    qw::test::TestInstallation inst;
    const QString site = inst.path(QStringLiteral("site"));
    QDir().mkpath(site);
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(site + u'/' + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(QStringLiteral("secret.txt"), "tajné");
    write(QStringLiteral("pic.gif"),
          QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw=="));
    write(QStringLiteral("index.html"),
          "<html><body><img id=i src=pic.gif><a id=l href=\"jinam.html\">odkaz</a>"
          "<iframe id=f src=secret.txt></iframe><script>"
          "window.fetched = 'pending';"
          "fetch('secret.txt').then(r => r.text()).then(t => window.fetched = 'read:' + t,"
          "                                           () => window.fetched = 'refused');"
          "try { var x = new XMLHttpRequest(); x.open('GET', 'secret.txt', false); x.send();"
          "      window.xhr = 'read:' + x.responseText; } catch (e) { window.xhr = 'refused'; }"
          "window.opened = String(window.open('jinam.html'));"
          "</script></body></html>");
    Session s(inst);
    QVERIFY(s.window->documents().openDocument(site + QStringLiteral("/index.html")));
    QVERIFY(s.showLivePreview());
    QTRY_COMPARE_WITH_TIMEOUT(
        s.evaluate(QStringLiteral("String(document.getElementById('i').naturalWidth)")),
        QStringLiteral("1"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(s.evaluate(QStringLiteral("window.fetched")) != u"pending", 10000);
    QCOMPARE(s.evaluate(QStringLiteral("window.fetched")), QStringLiteral("refused"));
    QCOMPARE(s.evaluate(QStringLiteral("window.xhr")), QStringLiteral("refused"));
    QCOMPARE(s.evaluate(QStringLiteral("window.opened")), QStringLiteral("null"));
    QVERIFY(!s.evaluate(QStringLiteral("(function () { try { return document.getElementById('f')"
                                       ".contentDocument.body.innerText; } catch (e) { return "
                                       "'refused'; } })()"))
                 .contains(u"tajné"));
    // Nothing was written beside the page.
    QCOMPARE(QDir(site).entryList(QDir::Files | QDir::Hidden).size(), 3);

    // A followed link goes to the desktop's browser; the preview stays.
    const QStringList rect =
        s.evaluate(QStringLiteral("(function (r) { return [r.left + 3, r.top + r.height / 2]"
                                  ".join(','); })(document.getElementById('l')"
                                  ".getBoundingClientRect())"))
            .split(u',');
    QCOMPARE(rect.size(), 2);
    QTest::mouseClick(s.view()->inputWidget(), Qt::LeftButton, {},
                      QPoint(qRound(rect[0].toDouble()), qRound(rect[1].toDouble())));
    QTRY_COMPARE_WITH_TIMEOUT(s.opened.size(), 1, 5000);
    QCOMPARE(s.opened.first(), QUrl::fromLocalFile(site + QStringLiteral("/jinam.html")));
    QTest::qWait(300);
    QCOMPARE(s.evaluate(QStringLiteral("String(document.getElementById('i') !== null)")),
             QStringLiteral("true"));

    // A new document's relative addresses resolve in the home folder.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(site));
    s.window->documents().openTextAsNewDocument(QStringLiteral("<img id=n src=pic.gif>"),
                                                TextEncoding::Windows1250);
    QTRY_COMPARE_WITH_TIMEOUT(
        s.evaluate(QStringLiteral("String(document.getElementById('n') && "
                                  "document.getElementById('n').naturalWidth)")),
        QStringLiteral("1"), 10000);
    qputenv("HOME", home);
}

void LivePreviewTest::stateAndSplitterSurviveARestart()
{
    qw::test::TestInstallation inst;
    int share = 0;
    {
        Session s(inst);
        QVERIFY(s.showLivePreview());
        QAction* below = s.menuEntry(QStringLiteral("Náhled pod kódem"));
        QVERIFY(below != nullptr);
        below->trigger();
        QSplitter* splitter = s.live().splitter();
        QCOMPARE(splitter->orientation(), Qt::Vertical);
        QVERIFY(s.view()->mapTo(s.window.get(), QPoint()).y() >
                s.editor().mapTo(s.window.get(), QPoint()).y() + 100);
        // The person drags the handle 120 pixels down.
        QSplitterHandle* handle = splitter->handle(1);
        const QPoint grip(handle->width() / 2, handle->height() / 2);
        const int before = splitter->sizes().at(0);
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        for (int dy : {60, 120}) {
            // A move with the button held, as the mouse sends it.
            const QPoint at = grip + QPoint(0, dy);
            QMouseEvent move(QEvent::MouseMove, at, handle->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(handle, &move);
        }
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, 120));
        QTRY_VERIFY2(
            splitter->sizes().at(0) >= before + 100,
            qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(splitter->sizes().at(0))));
        share =
            splitter->sizes().at(0) * 1000 / (splitter->sizes().at(0) + splitter->sizes().at(1));
        QVERIFY(share > 520);
        s.window->close();
    }
    Session s(inst);
    QTRY_VERIFY_WITH_TIMEOUT(s.view() != nullptr && s.view()->isVisible(), 10000);
    QVERIFY(s.menuEntry(QStringLiteral("Náhled vedle kódu"))->isChecked());
    QVERIFY(s.menuEntry(QStringLiteral("Náhled pod kódem"))->isChecked());
    QSplitter* splitter = s.live().splitter();
    QCOMPARE(splitter->orientation(), Qt::Vertical);
    QTRY_VERIFY(splitter->sizes().at(0) > 0);
    const int now =
        splitter->sizes().at(0) * 1000 / (splitter->sizes().at(0) + splitter->sizes().at(1));
    QVERIFY2(qAbs(now - share) <= 10, qPrintable(QStringLiteral("%1 / %2").arg(now).arg(share)));

    // Hidden at the close, hidden at the next start, no view made.
    s.press(Qt::Key_F12, Qt::ControlModifier);
    s.window->close();
    Session t(inst);
    QTest::qWait(100);
    QCOMPARE(t.view(), nullptr);
    QVERIFY(!t.menuEntry(QStringLiteral("Náhled vedle kódu"))->isChecked());
}

QTEST_MAIN(LivePreviewTest)
#include "tst_live_preview.moc"
