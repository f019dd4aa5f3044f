// The page control and the preview in a real window: F11 and F12 with their
// steps, the web view made on the first preview only, the preview files of
// saved and unsaved documents and their deletion at close, the browsers'
// menu, and what a previewed page may read. Every question goes to the
// scripted FakeUiServices; external programs to a scripted launcher.

#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/preview/PreviewFeature.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/AccessibleTree.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;
using qw::test::fileBytes;

namespace {

QByteArray htmlDatWithBrowsers()
{
    return QByteArrayLiteral(
        "[BROWSER]\r\nbrowser0=X|/opt/my browser/run\r\nbrowser1=chromium\r\n");
}

struct Session
{
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    struct Start
    {
        QString program;
        QStringList arguments;
    };
    QList<Start> started;
    QList<QUrl> opened;

    explicit Session(const qw::test::TestInstallation& inst)
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->preview().setLauncher(
            {[this](const QUrl& url) {
                 opened << url;
                 return true;
             },
             [this](const QString& program, const QStringList& arguments) {
                 started << Start{program, arguments};
                 return true;
             }});
        window->resize(1000, 700);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    PageSwitcher& pages() { return window->pages(); }
    PreviewFeature& preview() { return window->preview(); }
    // A key as the user presses it: to the widget that has the focus.
    void press(Qt::Key key)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : window.get(), key);
    }
    QWidget* strip() const { return window->findChild<QWidget*>(QStringLiteral("DocumentStrip")); }
};

// Runs script in the page and returns its result as text.
QString evaluate(QWebEngineView* view, const QString& script)
{
    QString result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& v) {
        result = v.toString();
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("<no answer>");
    return result;
}

} // namespace

class PreviewTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startMakesNoWebViewAndShowsThreePageTabs();
    void startLoadsNoWebEngineUntilThePreview();
    void f12PreviewsTheUnsavedDocumentAndF11ReturnsToTheCaret();
    void savedDocumentPreviewsFromThePrivateFolderAndTheFilesGoAtClose();
    void previewFollowsADocumentSwitch();
    void openOnThePreviewPageShowsTheFileItself();
    void browserMenuAndTheDefaultBrowser();
    void aViewThatCannotBeMadeReturnsToTheSourcePage();
    void previewedPageLoadsItsOwnFilesButReadsNoOthers();
    void previewShowsThePageDrawn();
    void aLinkToAPlaceInThePageStaysInThePreview();
    void previewIsReadAsADocument();
};

void PreviewTest::startMakesNoWebViewAndShowsThreePageTabs()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    QCOMPARE(s.preview().view(), nullptr);
    QVERIFY(s.window->findChildren<QWebEngineView*>().isEmpty());
    QTabBar* tabs = s.pages().tabBar();
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Úpravy (F11)"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Náhled (F12)"));
    QVERIFY(tabs->isTabVisible(1));
    // The design page's feature offers its tab; its document is made only
    // when the page is first shown.
    QVERIFY(tabs->isTabVisible(2));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Design"));
    QCOMPARE(s.pages().pageMode(), PageMode::Source);
    for (const char* id : {"view.preview", "view.browsers", "view.source"}) {
        for (QAction* a : s.window->commands().actions(QString::fromLatin1(id)))
            QVERIFY2(a->isEnabled(), id);
    }
}

void PreviewTest::startLoadsNoWebEngineUntilThePreview()
{
    // The web engine's libraries are tens of MiB, and loaded at the start
    // they would make an OpenGL context that loads the OpenGL driver: the
    // program starts without them and loads them with the first preview,
    // which then draws without OpenGL. A window started as the program
    // starts it, on the X11 platform, where OpenGL is to be had.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("No X server to start the window on.");
    auto start = [](const QString& setting, QString* err) {
        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("QT_XCB_GL_INTEGRATION"));
        if (!setting.isEmpty())
            env.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), setting);
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(QW_WEB_START_PROBE), {});
        if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
            return QStringLiteral("<probe failed>");
        *err = QString::fromUtf8(probe.readAllStandardError());
        return QString::fromUtf8(probe.readAllStandardOutput());
    };
    QString err;
    const QString out = start(QString(), &err);
    QVERIFY2(out.contains(u"start: engine=0 driver=0 context=0"), qPrintable(out));
    // Programs started from the window (the browsers) get the environment
    // the program got.
    QVERIFY2(out.contains(u"preview: engine=1 driver=0 context=0 drawn=1 setting=\n"),
             qPrintable(out));
    // Neither the refused context, nor the engine's complaint about being
    // loaded late, nor its finding no OpenGL reaches the terminal.
    QVERIFY2(!err.contains(u"initialized from a plugin") && !err.contains(u"OpenGL context") &&
                 !err.contains(u"graphics backend"),
             qPrintable(err));
    // A user's own choice stands, and is passed on.
    QVERIFY2(start(QStringLiteral("none"), &err).contains(u"drawn=1 setting=none\n"),
             qPrintable(err));
}

void PreviewTest::f12PreviewsTheUnsavedDocumentAndF11ReturnsToTheCaret()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.editor().setText(QStringLiteral("<p>Žluťoučký kůň</p>\r\n<p>druhý</p>"));
    s.editor().setSelectionStart(9);
    s.editor().setFocus();
    QSignalSpy navigated(&s.preview(), &PreviewFeature::navigated);

    s.press(Qt::Key_F12);
    QCOMPARE(s.pages().pageMode(), PageMode::Preview);
    QVERIFY(s.preview().view() != nullptr);
    QVERIFY(s.preview().view()->isVisible());
    const QString path = s.preview().previewPath();
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("qw~temp.html"));
    QVERIFY(path.startsWith(s.preview().tempFolder()));
    QCOMPARE(fileBytes(path), QByteArray("\xEF\xBB\xBF<p>Žluťoučký kůň</p>\r\n<p>druhý</p>"));
    QCOMPARE(navigated.count(), 1);
    QCOMPARE(navigated.at(0).at(0).toUrl(), QUrl::fromLocalFile(path));
    // The documents can be switched from the preview page too.
    QCOMPARE(s.strip()->parentWidget(), s.pages().page(PageMode::Preview));
    QVERIFY(s.strip()->isVisible());
    // Commands do not reach the editor behind the page.
    QCOMPARE(s.pages().sourceEditor(), nullptr);

    // The page has the keys, yet the program's F11 still works.
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus == s.preview().view() || s.preview().view()->isAncestorOf(focus));
    s.press(Qt::Key_F11);
    QCOMPARE(s.pages().pageMode(), PageMode::Source);
    QCOMPARE(s.strip()->parentWidget(), s.pages().page(PageMode::Source));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&s.editor()));
    QCOMPARE(s.editor().selectionStart(), 9);

    // The page tab does the same as the key, and a second preview rewrites
    // the same file.
    s.editor().setText(QStringLiteral("<p>nový</p>"));
    s.pages().tabBar()->setCurrentIndex(1);
    QCOMPARE(s.pages().pageMode(), PageMode::Preview);
    QCOMPARE(fileBytes(path), QByteArray("\xEF\xBB\xBF<p>nový</p>"));
    QCOMPARE(s.preview().previewFiles(), QStringList({path, path}));
}

void PreviewTest::savedDocumentPreviewsFromThePrivateFolderAndTheFilesGoAtClose()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    const QString web = inst.path(QStringLiteral("web"));
    QDir().mkpath(web);
    const QString page = web + QStringLiteral("/a.html");
    QFile f(page);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<p>uložená</p>");
    f.close();

    s.press(Qt::Key_F12);
    const QString temp = s.preview().previewPath();
    QVERIFY(QFileInfo::exists(temp));
    s.press(Qt::Key_F11);

    QVERIFY(s.window->documents().openDocument(page));
    s.press(Qt::Key_F12);
    // Nothing goes into the person's folder: the copy is the program's own,
    // its relative addresses resolving beside the document.
    const QString copy = s.preview().tempFolder() + QStringLiteral("qw~a.html");
    QCOMPARE(s.preview().previewPath(), copy);
    QCOMPARE(QDir(web).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("a.html")}));
    // The editor's text: every line of the file ends with a break.
    QCOMPARE(fileBytes(copy),
             QByteArray("\xEF\xBB\xBF<base href=\"" + QUrl::fromLocalFile(page).toEncoded() +
                        "\"><p>uložená</p>\r\n"));
    // The browsers outside get the same copy.
    s.window->commands().trigger(QStringLiteral("view.browsers"), ActionPlace::ToolBar);
    QCOMPARE(s.opened, QList<QUrl>({QUrl::fromLocalFile(copy)}));

    // Closing the window removes every preview file; the document stays.
    s.window->close();
    QVERIFY(!QFileInfo::exists(temp));
    QVERIFY(!QFileInfo::exists(copy));
    QCOMPARE(QDir(web).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("a.html")}));
    QCOMPARE(fileBytes(page), QByteArray("<p>uložená</p>"));
}

void PreviewTest::previewFollowsADocumentSwitch()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.editor().setText(QStringLiteral("first"));
    s.window->documents().openDocument();
    s.editor().setText(QStringLiteral("second"));
    s.press(Qt::Key_F12);
    const QString path = s.preview().previewPath();
    QCOMPARE(fileBytes(path), QByteArray("\xEF\xBB\xBFsecond"));

    QSignalSpy navigated(&s.preview(), &PreviewFeature::navigated);
    // A click on the first document's tab in the strip on the preview page.
    QTabBar* docs = s.window->documents().tabBar();
    QTest::mouseClick(docs, Qt::LeftButton, {}, docs->tabRect(0).center());
    QCOMPARE(s.window->documents().activeIndex(), 0);
    QTRY_COMPARE(navigated.count(), 1);
    QCOMPARE(fileBytes(path), QByteArray("\xEF\xBB\xBF"
                                         "first"));
    QCOMPARE(s.pages().pageMode(), PageMode::Preview);
}

void PreviewTest::openOnThePreviewPageShowsTheFileItself()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    const QString page = inst.path(QStringLiteral("b.html"));
    QFile f(page);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<p>b</p>");
    f.close();
    s.press(Qt::Key_F12);
    QSignalSpy navigated(&s.preview(), &PreviewFeature::navigated);
    s.ui.openFileNames << page;
    s.window->commands().trigger(QStringLiteral("file.open"), ActionPlace::MainMenu);
    QCOMPARE(s.window->documents().currentPath(), page);
    QTRY_COMPARE(navigated.count(), 1);
    QCOMPARE(navigated.at(0).at(0).toUrl(), QUrl::fromLocalFile(page));
    // No late refresh replaces it.
    QTest::qWait(50);
    QCOMPARE(navigated.count(), 1);

    // A recent file opens on the preview page the same way.
    const QString other = inst.path(QStringLiteral("c.html"));
    QFile g(other);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write("<p>c</p>");
    g.close();
    s.context->settings.recentFiles.prepend(other);
    Q_EMIT s.window->fileMenu()->aboutToShow();
    QAction* recent = nullptr;
    for (QAction* a : s.window->recentMenu()->actions()) {
        if (a->toolTip() == other)
            recent = a;
    }
    QVERIFY(recent != nullptr);
    recent->trigger();
    QCOMPARE(s.window->documents().currentPath(), other);
    QTRY_COMPARE(navigated.count(), 2);
    QCOMPARE(navigated.at(1).at(0).toUrl(), QUrl::fromLocalFile(other));

    // F12 again on the preview page shows the current text anew.
    s.editor().setText(QStringLiteral("<p>změna</p>"));
    s.press(Qt::Key_F12);
    QCOMPARE(navigated.count(), 3);
    QCOMPARE(fileBytes(s.preview().previewPath()),
             QByteArray("\xEF\xBB\xBF<base href=\"" + QUrl::fromLocalFile(other).toEncoded() +
                        "\"><p>změna</p>"));
}

void PreviewTest::browserMenuAndTheDefaultBrowser()
{
    qw::test::TestInstallation inst(htmlDatWithBrowsers());
    Session s(inst);
    s.editor().setText(QStringLiteral("<p>ven</p>"));
    QMenu* menu = s.preview().browserMenu();
    QVERIFY(menu != nullptr);
    QAction* button =
        s.window->commands().action(QStringLiteral("view.browsers"), ActionPlace::ToolBar);
    QCOMPARE(button->menu(), menu);
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << a->text();
    QCOMPARE(captions, QStringList({QStringLiteral("X"), QStringLiteral("chromium")}));

    menu->actions().at(0)->trigger();
    QCOMPARE(s.started.size(), 1);
    // The program as it stands, the preview file as one argument: the blank
    // in the program's path and in no argument splits nothing.
    QCOMPARE(s.started.at(0).program, QStringLiteral("/opt/my browser/run"));
    QCOMPARE(s.started.at(0).arguments, QStringList({s.preview().previewPath()}));
    QCOMPARE(fileBytes(s.preview().previewPath()), QByteArray("\xEF\xBB\xBF<p>ven</p>"));
    menu->actions().at(1)->trigger();
    QCOMPARE(s.started.at(1).program, QStringLiteral("chromium"));

    // The button itself: the desktop's default browser with the preview file.
    button->trigger();
    QCOMPARE(s.opened, QList<QUrl>({QUrl::fromLocalFile(s.preview().previewPath())}));
    // No web view for any of this.
    QCOMPARE(s.preview().view(), nullptr);

    // A new list replaces the entries.
    s.context->settings.browsers = {BrowserEntry{QStringLiteral("Y"), QStringLiteral("/y")}};
    s.preview().buildBrowserMenu();
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Y"));
}

void PreviewTest::aViewThatCannotBeMadeReturnsToTheSourcePage()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.preview().setViewFactory([] { return nullptr; });
    s.press(Qt::Key_F12);
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices.at(0).text, QStringLiteral("Chyba při vytváření prohlížeče!"));
    QCOMPARE(s.ui.notices.at(0).icon, UiServices::Icon::Error);
    QCOMPARE(s.pages().pageMode(), PageMode::Source);
    QCOMPARE(s.pages().tabBar()->currentIndex(), 0);
    QCOMPARE(s.strip()->parentWidget(), s.pages().page(PageMode::Source));
    // The next showing tries again.
    s.preview().setViewFactory([] { return new QWebEngineView; });
    s.press(Qt::Key_F12);
    QCOMPARE(s.pages().pageMode(), PageMode::Preview);
    QVERIFY(s.preview().view() != nullptr);
}

void PreviewTest::previewedPageLoadsItsOwnFilesButReadsNoOthers()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    const QString web = inst.path(QStringLiteral("site"));
    QDir().mkpath(web);
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(web + u'/' + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(QStringLiteral("secret.txt"), "tajné");
    write(QStringLiteral("own.js"), "window.ownScript = 'ano';");
    write(QStringLiteral("own.css"), "p { color: rgb(1, 2, 3); }");
    write(QStringLiteral("menu.html"), "<p>menu</p>");
    // A 1x1 GIF, beside the page, in a folder below it and in one beside
    // the site's folder.
    const QByteArray gif =
        QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");
    write(QStringLiteral("pic.gif"), gif);
    QDir().mkpath(web + QStringLiteral("/img"));
    write(QStringLiteral("img/sub.gif"), gif);
    QDir().mkpath(inst.path(QStringLiteral("shared")));
    write(QStringLiteral("../shared/up.gif"), gif);
    const QString page = web + QStringLiteral("/index.html");
    write(QStringLiteral("index.html"),
          "<html><head><link rel=stylesheet href=own.css><script src=own.js></script></head>"
          "<body><p id=t>text</p><img id=i src=pic.gif><img id=sub src=img/sub.gif>"
          "<img id=up src=../shared/up.gif>"
          "<iframe id=own src=menu.html></iframe><iframe id=data src=secret.txt></iframe>"
          "<script>"
          "window.fetched = 'pending'; window.xhr = 'pending';"
          "fetch('secret.txt').then(r => r.text()).then(t => window.fetched = 'read:' + t,"
          "                                           () => window.fetched = 'refused');"
          "try { var x = new XMLHttpRequest(); x.open('GET', 'secret.txt', false); x.send();"
          "      window.xhr = 'read:' + x.responseText; } catch (e) { window.xhr = 'refused'; }"
          "</script></body></html>");
    QVERIFY(s.window->documents().openDocument(page));
    s.press(Qt::Key_F12);
    auto* view = qobject_cast<QWebEngineView*>(s.preview().view());
    QVERIFY(view != nullptr);
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    QVERIFY(loaded.wait(20000) || loaded.count() > 0);

    QTRY_VERIFY_WITH_TIMEOUT(evaluate(view, QStringLiteral("window.fetched")) != u"pending", 10000);
    QCOMPARE(evaluate(view, QStringLiteral("window.fetched")), QStringLiteral("refused"));
    QCOMPARE(evaluate(view, QStringLiteral("window.xhr")), QStringLiteral("refused"));
    // The page's own script, style sheet and picture beside it load.
    QCOMPARE(evaluate(view, QStringLiteral("window.ownScript")), QStringLiteral("ano"));
    QCOMPARE(evaluate(view, QStringLiteral("getComputedStyle(document.getElementById('t')).color")),
             QStringLiteral("rgb(1, 2, 3)"));
    // The page is shown from the program's private folder, and its relative
    // pictures still come from beside the document.
    QVERIFY(view->url().toLocalFile().startsWith(s.preview().tempFolder()));
    for (const char* id : {"i", "sub", "up"}) {
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view, QStringLiteral("String(document.getElementById('%1').naturalWidth)")
                               .arg(QLatin1StringView(id))),
            QStringLiteral("1"), 10000);
    }
    // No copy of the page in the person's folder while it is previewed.
    QVERIFY(QDir(web).entryList({QStringLiteral("qw~*")}, QDir::Files | QDir::Hidden).isEmpty());
    // A page of its own as a frame shows; another file taken in as a frame
    // would be readable by the page's script, so it is not loaded.
    const QString frameText = QStringLiteral(
        "(function(id) { try { return document.getElementById(id).contentDocument.body.innerText; }"
        " catch (e) { return 'refused'; } })");
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(view, frameText + QStringLiteral("('own')")),
                              QStringLiteral("menu"), 10000);
    QVERIFY(!evaluate(view, frameText + QStringLiteral("('data')")).contains(u"tajné"));
}

void PreviewTest::previewShowsThePageDrawn()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    s.editor().setText(QStringLiteral(
        "<html><body style=\"margin:0; background: rgb(200, 30, 40)\"><p>x</p></body></html>"));
    s.press(Qt::Key_F12);
    auto* view = qobject_cast<QWebEngineView*>(s.preview().view());
    QVERIFY(view != nullptr);
    // What the user sees: the view's pixels carry the page's background.
    const QColor red(200, 30, 40);
    QTRY_VERIFY_WITH_TIMEOUT(
        view->grab().toImage().pixelColor(view->width() / 2, view->height() / 2) == red, 15000);
}

void PreviewTest::aLinkToAPlaceInThePageStaysInThePreview()
{
    qw::test::TestInstallation inst;
    Session s(inst);
    const QString page = inst.path(QStringLiteral("toc.html"));
    QFile f(page);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<body style=\"margin:0\"><a id=a href=\"#far\" style=\"display:block;height:40px\">"
            "dolů</a><div style=\"height:5000px\"></div><p id=far>daleko</p></body>");
    f.close();
    QVERIFY(s.window->documents().openDocument(page));
    // An edit not saved yet: the saved file would not show it.
    s.editor().setSelectionStart(0);
    s.editor().replaceSelection(QStringLiteral("<p id=edited>"));
    s.press(Qt::Key_F12);
    auto* view = qobject_cast<QWebEngineView*>(s.preview().view());
    QVERIFY(view != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(view, QStringLiteral("String(document.readyState == 'complete' && "
                                      "!!document.getElementById('far'))")),
        QStringLiteral("true"), 10000);
    const QUrl shown = view->url();
    QVERIFY(shown.toLocalFile().startsWith(s.preview().tempFolder()));

    // The person clicks the link in the view.
    const int y = evaluate(view, QStringLiteral("String(Math.round(document.getElementById('a')"
                                                ".getBoundingClientRect().top + 20))"))
                      .toInt();
    QWidget* target = view->focusProxy() != nullptr ? view->focusProxy() : view;
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(10, y));
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(view, QStringLiteral("location.hash")),
                              QStringLiteral("#far"), 10000);
    QVERIFY(evaluate(view, QStringLiteral("String(window.scrollY)")).toInt() > 1000);
    QCOMPARE(view->url().adjusted(QUrl::RemoveFragment), shown);
    QCOMPARE(evaluate(view, QStringLiteral("String(!!document.getElementById('edited'))")),
             QStringLiteral("true"));
}

// A screen reader announces the preview as a document named after its page.
void PreviewTest::previewIsReadAsADocument()
{
    QAccessible::setActive(true);
    qw::test::TestInstallation inst;
    Session s(inst);
    s.editor().setText(QStringLiteral("<h1>Ceny</h1>"));
    s.press(Qt::Key_F12);
    QWidget* view = s.preview().view();
    QVERIFY(view != nullptr);
    QCOMPARE(QAccessible::queryAccessibleInterface(view)->text(QAccessible::Name),
             QStringLiteral("Náhled"));
    QTRY_VERIFY_WITH_TIMEOUT(qw::test::holdsWebDocument(view), 15000);
}

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
