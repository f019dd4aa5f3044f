// "Otevřít z internetu..." in a real, shown window, against a small HTTP
// server the test runs itself on 127.0.0.1. The input box and the messages go
// to the scripted FakeUiServices; the progress dialog is the real one.

#include "app/download/DownloadFeature.h"
#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/preview/PreviewFiles.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>
#include <optional>

using namespace qw;
using qw::test::FakeUiServices;

Q_DECLARE_METATYPE(qw::TextEncoding)

namespace {

const QString kFailed = QStringLiteral("Chyba při stahování souboru : ");

// "Žluťoučký kůň" in Windows-1250 and in UTF-8.
const QByteArray kPage1250("<p>\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2</p>\r\n<p>2</p>");
const QByteArray kPageUtf8 = QStringLiteral("<p>Žluťoučký kůň</p>\n<p>8</p>").toUtf8();
const QString kText1250 = QStringLiteral("<p>Žluťoučký kůň</p>\r\n<p>2</p>\r\n");
const QString kTextUtf8 = QStringLiteral("<p>Žluťoučký kůň</p>\r\n<p>8</p>\r\n");

QByteArray httpResponse(const QByteArray& status, const QByteArray& body,
                        const QByteArray& headers = "Content-Type: text/html\r\n",
                        bool withLength = true)
{
    QByteArray r = "HTTP/1.1 " + status + "\r\nConnection: close\r\n" + headers;
    if (withLength)
        r += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return r + "\r\n" + body;
}

QByteArray redirectTo(const QByteArray& location)
{
    return httpResponse("302 Found", {}, "Location: " + location + "\r\n");
}

// A web server of the test's own: each path has a fixed answer; an answer
// may stall (keep the connection open and send nothing more). Unknown paths
// get 404.
class PageServer : public QObject
{
public:
    struct Answer
    {
        QByteArray bytes;
        bool stall = false;
    };

    PageServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
    }
    ~PageServer() override
    {
        // The sockets go with the server, after the tables they report to.
        for (QTcpSocket* socket : m_server.findChildren<QTcpSocket*>())
            socket->disconnect(this);
    }

    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    void answer(const QByteArray& path, const QByteArray& bytes, bool stall = false)
    {
        m_answers.insert(path, Answer{bytes, stall});
    }

    // The paths asked for, in order.
    QList<QByteArray> requested;

private:
    void serve(QTcpSocket* socket)
    {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            QByteArray& request = m_requests[socket];
            request += socket->readAll();
            if (!request.contains("\r\n\r\n"))
                return;
            const QByteArray path = request.split(' ').value(1);
            requested << path;
            const Answer a = m_answers.value(path, Answer{httpResponse("404 Not Found", "nic")});
            socket->write(a.bytes);
            if (!a.stall)
                socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_requests.remove(socket);
            socket->deleteLater();
        });
    }

    QTcpServer m_server;
    QHash<QByteArray, Answer> m_answers;
    QHash<QTcpSocket*, QByteArray> m_requests;
};

// The scripted dialogs, also keeping what the input box was opened with.
class RecordingUi : public FakeUiServices
{
public:
    QStringList inputBoxes; // "title|prompt|initial"

    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& initial) override
    {
        inputBoxes << title + u'|' + prompt + u'|' + initial;
        return FakeUiServices::inputText(parent, title, prompt, initial);
    }
};

// What the preview and design pages were asked to do, with the number of
// tabs at that moment: the order against the new document is what counts.
class RecordingPage : public PageHandler
{
public:
    explicit RecordingPage(QTabBar* tabs) : m_tabs(tabs) {}
    QStringList events;

    bool showPage() override { return true; }
    bool syncIntoEditor() override
    {
        events << QStringLiteral("sync %1").arg(m_tabs->count());
        return true;
    }
    void showFile(const QString& path) override
    {
        events << QStringLiteral("show %1 %2").arg(path).arg(m_tabs->count());
    }

private:
    QTabBar* m_tabs;
};

// One window over its own program folder, shown like at a start, and the
// server it downloads from.
struct Session
{
    RecordingUi ui;
    qw::test::TestInstallation inst;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    DownloadFeature* download = nullptr;
    PageServer server;

    explicit Session(bool makeTempFolder = true)
    {
        if (makeTempFolder)
            QVERIFY(QDir().mkpath(inst.path(QStringLiteral("tmp"))));
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 700);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        download = window->findChild<DownloadFeature*>();
        QVERIFY(download != nullptr);
    }

    QAction* command() const
    {
        return window->commands().action(QStringLiteral("file.openInternet"),
                                         ActionPlace::MainMenu);
    }

    // Runs the command with address typed into the input box; true when
    // the page opened, false when it failed, nullopt when it did not end.
    std::optional<bool> fetch(const QString& address, int timeoutMs = 10000)
    {
        QSignalSpy ended(download, &DownloadFeature::finished);
        ui.inputResults << address;
        command()->trigger();
        if (ended.isEmpty() && !ended.wait(timeoutMs))
            return std::nullopt;
        return ended.first().first().toBool();
    }

    QTabBar* tabs() const { return window->documents().tabBar(); }
    QString currentTab() const { return tabs()->tabText(tabs()->currentIndex()); }
    QString text() const { return window->documents().current()->text(); }
    // The download file, where the program's private folder puts it.
    QString downloadFile() const
    {
        return privateTempFolder(inst.path(QStringLiteral("tmp/"))) +
               QStringLiteral("hs~download.html");
    }
};

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

const QRegularExpression kNewDocumentName(QStringLiteral("^dokument\\d+$"));

} // namespace

class DownloadTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theCommandAsksForTheAddressAndCancelEndsIt();
    void pageOpensAsANewDocument_data();
    void pageOpensAsANewDocument();
    void failuresShowTheMessageAndOpenNothing_data();
    void failuresShowTheMessageAndOpenNothing();
    void aServerThatStallsTimesOut();
    void stornoEndsADownloadWhileTheWindowPaints();
    void twoDownloadsOpenTwoDocuments();
    void thePageShownDecidesWhatFollows_data();
    void thePageShownDecidesWhatFollows();
    void aLinkPlantedAtTheDownloadFileIsNotFollowed();
    void aDownloadFileThatCannotBeWrittenFails_data();
    void aDownloadFileThatCannotBeWrittenFails();
};

void DownloadTest::theCommandAsksForTheAddressAndCancelEndsIt()
{
    Session s;
    QVERIFY(s.command()->isEnabled());
    QCOMPARE(s.command()->text(), QStringLiteral("Otevřít z internetu..."));
    const int tabs = s.tabs()->count();
    QSignalSpy ended(s.download, &DownloadFeature::finished);
    s.ui.inputResults << std::nullopt;
    s.command()->trigger();
    QCOMPARE(s.ui.inputBoxes,
             QStringList{QStringLiteral("Otevřít z internetu|Zadejte jméno souboru :|http://")});
    QTest::qWait(50);
    QVERIFY(ended.isEmpty());
    QVERIFY(!s.download->busy());
    QVERIFY(s.ui.notices.isEmpty());
    QVERIFY(s.server.requested.isEmpty());
    QCOMPARE(s.tabs()->count(), tabs);
}

void DownloadTest::pageOpensAsANewDocument_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<qint64>("limit"); // 0: the program's own
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");

    QTest::newRow("Windows-1250 page")
        << QByteArray("/1250") << kPage1250 << qint64(0) << kText1250 << TextEncoding::Windows1250;
    QTest::newRow("UTF-8 page") << QByteArray("/utf8") << kPageUtf8 << qint64(0) << kTextUtf8
                                << TextEncoding::Utf8;
    // ISO-8859-2 has "šťž" where Windows-1250 has "ą»ľ".
    QTest::newRow("the server's charset wins")
        << QByteArray("/latin2") << QByteArray("\xB9\xBB\xBE") << qint64(0)
        << QStringLiteral("šťž\r\n") << TextEncoding::Windows1250;
    QTest::newRow("one redirect") << QByteArray("/hop1") << kPageUtf8 << qint64(0) << kTextUtf8
                                  << TextEncoding::Utf8;
    QTest::newRow("five redirects")
        << QByteArray("/hop5") << kPageUtf8 << qint64(0) << kTextUtf8 << TextEncoding::Utf8;
    QTest::newRow("a page just at the limit, length not announced")
        << QByteArray("/unannounced") << QByteArray(1000, 'a') << qint64(1000)
        << QString(1000, u'a') + QStringLiteral("\r\n") << TextEncoding::Windows1250;
}

void DownloadTest::pageOpensAsANewDocument()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, body);
    QFETCH(qint64, limit);
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);

    Session s;
    s.server.answer("/1250", httpResponse("200 OK", kPage1250));
    s.server.answer("/utf8", httpResponse("200 OK", kPageUtf8));
    s.server.answer("/latin2", httpResponse("200 OK", "\xB9\xBB\xBE",
                                            "Content-Type: text/html; charset=ISO-8859-2\r\n"));
    for (int hop = 1; hop <= 5; ++hop)
        s.server.answer("/hop" + QByteArray::number(hop),
                        redirectTo(hop == 1 ? "/utf8" : "/hop" + QByteArray::number(hop - 1)));
    s.server.answer("/unannounced", httpResponse("200 OK", body, {}, false));
    if (limit > 0)
        s.download->setSizeLimit(limit);

    const int tabs = s.tabs()->count();
    const QString before = s.currentTab();
    const QString address = s.server.url(QString::fromLatin1(path));
    QCOMPARE(s.fetch(address), std::optional<bool>(true));

    QVERIFY(s.ui.notices.isEmpty());
    QCOMPARE(s.tabs()->count(), tabs + 1);
    QCOMPARE(s.tabs()->currentIndex(), tabs);
    QVERIFY2(kNewDocumentName.match(s.currentTab()).hasMatch(), qPrintable(s.currentTab()));
    QVERIFY(s.currentTab() != before);
    QCOMPARE(s.text(), text);
    QCOMPARE(s.window->documents().currentEncoding(), encoding);
    QCOMPARE(readBytes(s.downloadFile()), body);
    QVERIFY(!s.download->progressDialog()->isVisible());
}

void DownloadTest::failuresShowTheMessageAndOpenNothing_data()
{
    // "{server}" stands for the test's server, "{nobody}" for a port where
    // nobody listens.
    QTest::addColumn<QString>("address");
    QTest::newRow("404") << QStringLiteral("{server}/missing");
    QTest::newRow("500") << QStringLiteral("{server}/broken");
    QTest::newRow("connection refused") << QStringLiteral("{nobody}/page");
    QTest::newRow("http:// alone") << QStringLiteral("http://");
    QTest::newRow("no server named") << QStringLiteral("http:///page");
    QTest::newRow("a local file") << QStringLiteral("file:///etc/hostname");
    QTest::newRow("no address") << QString();
    QTest::newRow("six redirects") << QStringLiteral("{server}/hop6");
    QTest::newRow("redirect to a local file") << QStringLiteral("{server}/tofile");
    QTest::newRow("over the limit, announced") << QStringLiteral("{server}/big-announced");
    QTest::newRow("over the limit, not announced") << QStringLiteral("{server}/big-unannounced");
}

void DownloadTest::failuresShowTheMessageAndOpenNothing()
{
    QFETCH(QString, address);
    Session s;
    s.server.answer("/broken", httpResponse("500 Internal Server Error", "chyba"));
    s.server.answer("/page", httpResponse("200 OK", kPageUtf8));
    for (int hop = 1; hop <= 6; ++hop)
        s.server.answer("/hop" + QByteArray::number(hop),
                        redirectTo(hop == 1 ? "/page" : "/hop" + QByteArray::number(hop - 1)));
    s.server.answer("/tofile", redirectTo("file:///etc/hostname"));
    s.download->setSizeLimit(1000);
    s.server.answer("/big-announced", httpResponse("200 OK", QByteArray(1001, 'a')));
    s.server.answer("/big-unannounced", httpResponse("200 OK", QByteArray(1001, 'a'), {}, false));
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const QString nobody = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    address.replace(QStringLiteral("{server}"), s.server.url(QString()))
        .replace(QStringLiteral("{nobody}"), nobody);

    const int tabs = s.tabs()->count();
    const QString text = s.text();
    QCOMPARE(s.fetch(address), std::optional<bool>(false));
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices[0].icon, UiServices::Icon::Error);
    QCOMPARE(s.ui.notices[0].text, kFailed + address);
    QCOMPARE(s.tabs()->count(), tabs);
    QCOMPARE(s.text(), text);
    QVERIFY(!QFileInfo::exists(s.downloadFile()));
    QVERIFY(!s.download->busy());
    if (s.download->progressDialog() != nullptr)
        QVERIFY(!s.download->progressDialog()->isVisible());
}

void DownloadTest::aServerThatStallsTimesOut()
{
    Session s;
    s.server.answer("/stall",
                    "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + QByteArray(1536, 'x'),
                    true);
    s.download->setStallTimeout(std::chrono::milliseconds(300));
    const int tabs = s.tabs()->count();
    const QString address = s.server.url(QStringLiteral("/stall"));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(s.fetch(address), std::optional<bool>(false));
    QVERIFY2(clock.elapsed() >= 280 && clock.elapsed() < 5000,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices[0].text, kFailed + address);
    QCOMPARE(s.tabs()->count(), tabs);
    QVERIFY(!s.download->progressDialog()->isVisible());
}

void DownloadTest::stornoEndsADownloadWhileTheWindowPaints()
{
    Session s;
    s.server.answer("/stall",
                    "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + QByteArray(1536, 'x'),
                    true);
    s.server.answer("/page", httpResponse("200 OK", kPageUtf8));
    const int tabs = s.tabs()->count();
    const QString address = s.server.url(QStringLiteral("/stall"));

    // Storno, then Escape: both end the download.
    for (const bool escape : {false, true}) {
        s.ui.notices.clear();
        QSignalSpy ended(s.download, &DownloadFeature::finished);
        s.ui.inputResults << address;
        s.command()->trigger();
        QProgressDialog* dialog = s.download->progressDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Otevřít z internetu"));
        auto* label = dialog->findChild<QLabel*>();
        QVERIFY(label != nullptr);
        QTRY_VERIFY2(label->text().contains(QStringLiteral("Staženo: 1,5 kB z 97,7 kB")),
                     qPrintable(label->text()));
        QVERIFY(label->text().contains(address));

        // The window still paints while it waits.
        struct PaintCounter : QObject
        {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        s.tabs()->installEventFilter(&counter);
        s.tabs()->update();
        QTRY_VERIFY(counter.paints > 0);
        s.tabs()->removeEventFilter(&counter);
        QVERIFY(ended.isEmpty());

        if (escape) {
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target != nullptr ? target : dialog, Qt::Key_Escape);
        } else {
            QPushButton* storno = nullptr;
            for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
                if (b->text() == QStringLiteral("Storno"))
                    storno = b;
            }
            QVERIFY(storno != nullptr);
            QTest::mouseClick(storno, Qt::LeftButton);
        }
        QTRY_COMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toBool(), false);
        QCOMPARE(s.ui.notices.size(), 1);
        QCOMPARE(s.ui.notices[0].text, kFailed + address);
        QCOMPARE(s.tabs()->count(), tabs);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!s.download->busy());
    }

    // The dialog serves the next download again.
    QCOMPARE(s.fetch(s.server.url(QStringLiteral("/page"))), std::optional<bool>(true));
    QCOMPARE(s.text(), kTextUtf8);
}

void DownloadTest::twoDownloadsOpenTwoDocuments()
{
    Session s;
    s.server.answer("/a", httpResponse("200 OK", kPage1250));
    s.server.answer("/b", httpResponse("200 OK", kPageUtf8));
    const int tabs = s.tabs()->count();
    QCOMPARE(s.fetch(s.server.url(QStringLiteral("/a"))), std::optional<bool>(true));
    const QString first = s.currentTab();
    QCOMPARE(s.fetch(s.server.url(QStringLiteral("/b"))), std::optional<bool>(true));
    QCOMPARE(s.tabs()->count(), tabs + 2);
    QVERIFY(kNewDocumentName.match(s.currentTab()).hasMatch());
    QVERIFY(s.currentTab() != first);
    QCOMPARE(s.text(), kTextUtf8);
    QCOMPARE(s.window->documents().editorAt(tabs)->text(), kText1250);
    // The download file holds the second page only.
    QCOMPARE(readBytes(s.downloadFile()), kPageUtf8);
    QCOMPARE(s.server.requested, (QList<QByteArray>{"/a", "/b"}));
}

void DownloadTest::thePageShownDecidesWhatFollows_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("source") << int(PageMode::Source);
    QTest::newRow("preview") << int(PageMode::Preview);
    QTest::newRow("design") << int(PageMode::Design);
}

void DownloadTest::thePageShownDecidesWhatFollows()
{
    QFETCH(int, page);
    const auto mode = PageMode(page);
    // Outlives the window that calls it.
    std::unique_ptr<RecordingPage> recorder;
    Session s;
    s.server.answer("/page", httpResponse("200 OK", kPageUtf8));
    recorder = std::make_unique<RecordingPage>(s.tabs());
    if (mode != PageMode::Source) {
        s.window->pages().setHandler(mode, recorder.get());
        s.window->pages().switchTo(mode);
        QCOMPARE(s.window->pages().pageMode(), mode);
    }
    const int tabs = s.tabs()->count();
    QCOMPARE(s.fetch(s.server.url(QStringLiteral("/page"))), std::optional<bool>(true));
    QCOMPARE(s.tabs()->count(), tabs + 1);
    QCOMPARE(s.window->documents().current()->text(), kTextUtf8);
    QCOMPARE(s.window->pages().pageMode(), mode);

    QStringList expected;
    if (mode == PageMode::Preview) // the file itself, once the document is there
        expected << QStringLiteral("show %1 %2").arg(s.downloadFile()).arg(tabs + 1);
    if (mode == PageMode::Design) // the page hands back its text before
        expected << QStringLiteral("sync %1").arg(tabs);
    QCOMPARE(recorder->events, expected);
}

void DownloadTest::aLinkPlantedAtTheDownloadFileIsNotFollowed()
{
    Session s;
    s.server.answer("/page", httpResponse("200 OK", kPageUtf8));
    const QString victim = s.inst.path(QStringLiteral("victim.txt"));
    {
        QFile f(victim);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    QVERIFY(QFile::link(victim, s.downloadFile()));
    QCOMPARE(s.fetch(s.server.url(QStringLiteral("/page"))), std::optional<bool>(true));
    QCOMPARE(readBytes(victim), QByteArray("keep me"));
    QVERIFY(!QFileInfo(s.downloadFile()).isSymLink());
    QCOMPARE(readBytes(s.downloadFile()), kPageUtf8);
}

void DownloadTest::aDownloadFileThatCannotBeWrittenFails_data()
{
    QTest::addColumn<bool>("tempFolderIsAFile");
    QTest::newRow("a folder where the file goes") << false;
    QTest::newRow("the temporary folder is a file") << true;
}

void DownloadTest::aDownloadFileThatCannotBeWrittenFails()
{
    QFETCH(bool, tempFolderIsAFile);
    Session s(!tempFolderIsAFile);
    s.server.answer("/page", httpResponse("200 OK", kPageUtf8));
    if (tempFolderIsAFile) {
        QFile f(s.inst.path(QStringLiteral("tmp")));
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(s.downloadFile()));
    }
    const int tabs = s.tabs()->count();
    const QString address = s.server.url(QStringLiteral("/page"));
    QCOMPARE(s.fetch(address), std::optional<bool>(false));
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(s.ui.notices[0].text, kFailed + address);
    QCOMPARE(s.tabs()->count(), tabs);
}

QTEST_MAIN(DownloadTest)
#include "tst_download.moc"
