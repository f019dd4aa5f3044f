// The module's table: what the window asks of the web engine.

#include "app/design/WebDesignDocument.h"
#include "app/preview/PreviewRequestFilter.h"
#include "app/preview/WebEngineSetup.h"
#include "app/web/WebModule.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace qw {

// The live preview's view (livepreview/LiveWebView.cpp).
LivePreviewView* makeLivePreviewView(QObject* owner);

namespace {
Q_LOGGING_CATEGORY(previewLog, "quenwick.preview", QtWarningMsg)

// A previewed page's console is its author's business: what its scripts
// report goes to the program's log at debug level, not to the terminal.
class PreviewPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        // A link to a place in the previewed document names the document's
        // own file (the copy's base): the copy shown scrolls there instead
        // of the saved file being loaded without the edits.
        const QUrl document =
            parent() != nullptr ? parent()->property(kPreviewedDocumentProperty).toUrl() : QUrl();
        if (isMainFrame && url.hasFragment() && !document.isEmpty() &&
            type != NavigationTypeReload && type != NavigationTypeBackForward &&
            url.adjusted(QUrl::RemoveFragment) == document) {
            const QString fragment =
                QString::fromUtf8(QJsonDocument(QJsonArray{url.fragment(QUrl::FullyEncoded)})
                                      .toJson(QJsonDocument::Compact));
            runJavaScript(QStringLiteral("location.hash = ") + fragment + QStringLiteral("[0];"),
                          QWebEngineScript::ApplicationWorld);
            return false;
        }
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                  const QString& source) override
    {
        qCDebug(previewLog) << source << line << message;
    }
};

QWidget* makePreviewView(QObject* owner)
{
    const QString name = QStringLiteral("previewProfile");
    auto* profile = owner->findChild<QWebEngineProfile*>(name, Qt::FindDirectChildrenOnly);
    if (profile == nullptr) {
        prepareWebEngine();
        // Off the record: nothing of the previewed pages is kept on disk.
        profile = new QWebEngineProfile(owner);
        profile->setObjectName(name);
        profile->setUrlRequestInterceptor(new PreviewRequestFilter(profile));
        profile->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    }
    auto* view = new QWebEngineView;
    view->setPage(new PreviewPage(profile, view));
    return view;
}

void showUrl(QWidget* widget, const QUrl& url)
{
    auto* view = qobject_cast<QWebEngineView*>(widget);
    if (view == nullptr)
        return;
    // The same address again would be taken from memory, not re-read.
    if (view->url() == url)
        view->reload();
    else
        view->setUrl(url);
}

void activate(QWidget* widget)
{
    if (auto* view = qobject_cast<QWebEngineView*>(widget))
        view->page()->setLifecycleState(QWebEnginePage::LifecycleState::Active);
}

DesignDocument* makeDesignDocument(const QString& tempBase, QObject* parent, QWidget** view)
{
    auto* document = new WebDesignDocument(tempBase, parent);
    *view = document->view();
    if (*view == nullptr) {
        delete document;
        return nullptr;
    }
    return document;
}

const WebModule kTable{makePreviewView, showUrl, activate, makeDesignDocument,
                       makeLivePreviewView};
} // namespace

} // namespace qw

const qw::WebModule* quenwickWebModule()
{
    return &qw::kTable;
}
