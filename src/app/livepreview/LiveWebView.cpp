// The live preview's view over the web engine (in the web module).

#include "app/livepreview/LivePreviewView.h"
#include "app/preview/PreviewRequestFilter.h"
#include "app/preview/WebEngineSetup.h"
#include "app/web/WebModule.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace qw {

namespace {

QString jsonText(const QJsonArray& array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

// Ctrl+click names the element by its path from the body; the report goes
// out through the console, marked with a token the page's own scripts
// cannot see (this runs in the program's world).
QString clickScript(const QString& token)
{
    return QStringLiteral(R"((function () {
  var token = %1[0];
  window.addEventListener('click', function (e) {
    if (!e.ctrlKey) return;
    var el = e.target;
    if (el && el.nodeType !== 1) el = el.parentElement;
    var path = [];
    while (el && el !== document.body && el.parentElement) {
      path.unshift(Array.prototype.indexOf.call(el.parentElement.children, el));
      el = el.parentElement;
    }
    if (el !== document.body) return;
    e.preventDefault();
    e.stopImmediatePropagation();
    console.debug(token + JSON.stringify(path));
  }, true);
})();)")
        .arg(jsonText(QJsonArray{token}));
}

// Where the page is scrolled, and whether it stands at its end (then it
// stays at the end of the new page, which may have grown).
const QString kPlaceScript = QStringLiteral(
    "(function () { var d = document.scrollingElement || document.documentElement;"
    " if (!d) return [0, 0, false];"
    " return [window.scrollX, window.scrollY,"
    " window.scrollY > 0 && window.scrollY + window.innerHeight >= d.scrollHeight - 2]; })()");

QString restoreScript(double x, double y, bool atEnd)
{
    return QStringLiteral("(function (x, y, atEnd) {"
                          " var d = document.scrollingElement || document.documentElement;"
                          " window.scrollTo(x, atEnd && d ? d.scrollHeight : y);"
                          " return window.scrollY; })(%1, %2, %3)")
        .arg(x)
        .arg(y)
        .arg(atEnd ? QStringLiteral("true") : QStringLiteral("false"));
}

QString revealScript(const QList<int>& path)
{
    QJsonArray steps;
    for (int i : path)
        steps.append(i);
    return QStringLiteral(R"((function (path) {
  var el = document.body;
  for (var i = 0; el && i < path.length; ++i) el = el.children[path[i]];
  if (!el || el === document.body) return false;
  var r = el.getBoundingClientRect();
  if (r.bottom <= 0 || r.top >= window.innerHeight || r.right <= 0 || r.left >= window.innerWidth)
    el.scrollIntoView({block: 'center', inline: 'nearest'});
  if (el.style) {
    var before = el.style.outline;
    el.style.outline = '2px solid #3875d7';
    setTimeout(function () { el.style.outline = before; }, 1200);
  }
  return true;
})(%1))")
        .arg(jsonText(steps));
}

class LivePage : public QWebEnginePage
{
public:
    LivePage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

    // The next main-frame navigation is the view's own load.
    bool ownLoad = false;
    QUrl base;
    QString token;
    std::function<void(const QUrl&)> onLink;
    std::function<void(const QList<int>&)> onChosen;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        if (!isMainFrame)
            return true;
        if (ownLoad && type != NavigationTypeLinkClicked)
            return true;
        if (type == NavigationTypeLinkClicked) {
            // A place in the page itself: the page shown scrolls there.
            if (url.hasFragment() &&
                url.adjusted(QUrl::RemoveFragment) == base.adjusted(QUrl::RemoveFragment)) {
                runJavaScript(QStringLiteral("location.hash = ") +
                                  jsonText(QJsonArray{url.fragment(QUrl::FullyEncoded)}) +
                                  QStringLiteral("[0];"),
                              QWebEngineScript::ApplicationWorld);
                return false;
            }
            if (onLink)
                onLink(url);
        }
        // The page navigates nowhere on its own.
        return false;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override
    {
        if (token.isEmpty() || !message.startsWith(token) || !onChosen)
            return;
        const QJsonArray steps =
            QJsonDocument::fromJson(message.mid(token.size()).toUtf8()).array();
        QList<int> path;
        for (const QJsonValue& v : steps)
            path.append(v.toInt());
        onChosen(path);
    }
};

class LiveWebView : public LivePreviewView
{
public:
    LiveWebView(QWebEngineProfile* profile, QWidget* parent = nullptr)
        : LivePreviewView(parent), m_web(new QWebEngineView(this)), m_cover(new QLabel(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_web);
        m_page = new LivePage(profile, m_web);
        m_page->token = QStringLiteral("qw-live-") +
                        QString::number(QRandomGenerator::system()->generate64(), 36) +
                        QStringLiteral(":");
        m_page->onLink = [this](const QUrl& url) {
            Q_EMIT linkFollowed(url);
        };
        m_page->onChosen = [this](const QList<int>& path) {
            Q_EMIT elementChosen(path);
        };
        QWebEngineScript click;
        click.setName(QStringLiteral("qw-live-click"));
        click.setSourceCode(clickScript(m_page->token));
        click.setInjectionPoint(QWebEngineScript::DocumentCreation);
        click.setWorldId(QWebEngineScript::ApplicationWorld);
        click.setRunsOnSubFrames(false);
        m_page->scripts().insert(click);
        m_web->setPage(m_page);
        m_cover->hide();
        m_cover->setAttribute(Qt::WA_TransparentForMouseEvents);
        connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) { loaded(); });
        m_watchdog.setSingleShot(true);
        m_watchdog.setInterval(5000);
        connect(&m_watchdog, &QTimer::timeout, this, [this] { settled(); });
    }

    void showHtml(const QByteArray& utf8, const QUrl& base) override
    {
        m_next = Load{utf8, base, false};
        m_hasNext = true;
        if (!m_busy)
            startNext();
    }

    void showFile(const QUrl& file) override
    {
        m_next = Load{{}, file, true};
        m_hasNext = true;
        if (!m_busy)
            startNext();
    }

    void revealElement(const QList<int>& path) override
    {
        if (m_busy || !m_hasPage) {
            m_reveal = path;
            m_hasReveal = true;
            return;
        }
        m_page->runJavaScript(revealScript(path), QWebEngineScript::ApplicationWorld);
    }

    void clear() override
    {
        m_hasNext = false;
        m_hasReveal = false;
        m_hasPage = false;
        m_page->ownLoad = true;
        m_page->base = QUrl();
        m_page->setUrl(QUrl(QStringLiteral("about:blank")));
    }

    void evaluate(const QString& script, std::function<void(const QVariant&)> done) override
    {
        m_page->runJavaScript(script, QWebEngineScript::MainWorld,
                              [done = std::move(done)](const QVariant& v) { done(v); });
    }

    QWidget* inputWidget() const override
    {
        return m_web->focusProxy() != nullptr ? m_web->focusProxy() : m_web;
    }

private:
    struct Load
    {
        QByteArray html;
        QUrl url;
        bool file = false;
    };

    void startNext()
    {
        m_hasNext = false;
        m_busy = true;
        m_watchdog.start();
        const Load load = std::move(m_next);
        if (!m_hasPage) {
            m_place = {};
            begin(load);
            return;
        }
        m_page->runJavaScript(
            kPlaceScript, QWebEngineScript::ApplicationWorld,
            [this, guard = QPointer<LiveWebView>(this), load](const QVariant& v) {
                if (guard == nullptr)
                    return;
                const QVariantList place = v.toList();
                if (place.size() == 3)
                    m_place = {place[0].toDouble(), place[1].toDouble(), place[2].toBool()};
                cover();
                begin(load);
            });
    }

    // The old rendering stays in front until the new one stands at its place:
    // no white page and no jump to the top between two refreshes.
    void cover()
    {
        if (!isVisible() || !m_hasPage)
            return;
        m_cover->setPixmap(m_web->grab());
        m_cover->setGeometry(m_web->geometry());
        m_cover->show();
        m_cover->raise();
    }

    void begin(const Load& load)
    {
        m_page->ownLoad = true;
        m_page->base = load.url;
        if (!load.file)
            m_page->setContent(load.html, QStringLiteral("text/html;charset=UTF-8"), load.url);
        else if (m_page->url() == load.url)
            m_page->triggerAction(QWebEnginePage::Reload);
        else
            m_page->setUrl(load.url);
    }

    void loaded()
    {
        if (!m_busy)
            return;
        m_page->ownLoad = false;
        m_hasPage = true;
        m_page->runJavaScript(restoreScript(m_place.x, m_place.y, m_place.atEnd),
                              QWebEngineScript::ApplicationWorld,
                              [guard = QPointer<LiveWebView>(this)](const QVariant&) {
                                  // A frame or two for the scrolled page to be drawn.
                                  if (guard != nullptr)
                                      QTimer::singleShot(50, guard, [guard] { guard->settled(); });
                              });
    }

    void settled()
    {
        if (!m_busy)
            return;
        m_watchdog.stop();
        m_page->ownLoad = false;
        m_busy = false;
        m_cover->hide();
        m_cover->clear();
        if (m_hasNext) {
            startNext();
            return;
        }
        Q_EMIT pageShown();
        if (m_hasReveal) {
            m_hasReveal = false;
            revealElement(m_reveal);
        }
    }

    struct Place
    {
        double x = 0;
        double y = 0;
        bool atEnd = false;
    };

    QWebEngineView* m_web;
    LivePage* m_page = nullptr;
    QLabel* m_cover;
    QTimer m_watchdog;
    Load m_next;
    bool m_hasNext = false;
    bool m_busy = false;
    bool m_hasPage = false;
    Place m_place;
    QList<int> m_reveal;
    bool m_hasReveal = false;
};

} // namespace

LivePreviewView* makeLivePreviewView(QObject* owner)
{
    const QString name = QStringLiteral("livePreviewProfile");
    auto* profile = owner->findChild<QWebEngineProfile*>(name, Qt::FindDirectChildrenOnly);
    if (profile == nullptr) {
        prepareWebEngine();
        // As the preview page's: off the record, nothing kept on disk; the
        // page's scripts read no local file and open no window.
        profile = new QWebEngineProfile(owner);
        profile->setObjectName(name);
        profile->setUrlRequestInterceptor(new PreviewRequestFilter(profile));
        profile->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    }
    return new LiveWebView(profile);
}

} // namespace qw
