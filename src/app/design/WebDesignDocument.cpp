#include "app/design/WebDesignDocument.h"

#include "app/preview/WebEngineSetup.h"
#include "core/preview/PreviewFiles.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMutex>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

// The scripts live in the window's static library: their resource must be
// registered by hand, and Q_INIT_RESOURCE works only outside a namespace.
static void registerDesignScripts()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(design);
        return true;
    }();
    Q_UNUSED(done);
}

namespace qw {

namespace {
Q_LOGGING_CATEGORY(designLog, "quenwick.design", QtWarningMsg)

constexpr quint32 kOwnWorld = QWebEngineScript::ApplicationWorld;
// The engine takes a page given as text as an address of its own, which
// may be at most 2 MB long once percent-encoded and is read the slower the
// longer it is; larger pages go through a file.
constexpr qsizetype kLargestDirectPage = 128 * 1024;
// A large page is loaded from a folder this deep below the private folder,
// so that addresses going up a few folders still land below it and can be
// sent on to the document's own folder.
const QString kLargePageFolder = QStringLiteral("design/d/d/d/d/d/d/d/d/");

QString readResource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        qCWarning(designLog) << "missing script" << path;
        return {};
    }
    return QString::fromUtf8(f.readAll());
}

QWebEngineScript ownScript(const QString& name, const QString& source)
{
    QWebEngineScript script;
    script.setName(name);
    script.setSourceCode(source);
    script.setWorldId(kOwnWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    return script;
}

std::optional<DesignElement> elementFrom(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    const QVariantMap map = value.toMap();
    DesignElement e;
    e.tagName = map.value(QStringLiteral("tagName")).toString();
    const QVariantList attributes = map.value(QStringLiteral("attributes")).toList();
    for (const QVariant& a : attributes) {
        const QVariantList pair = a.toList();
        if (pair.size() == 2)
            e.attributes.append({pair.at(0).toString(), pair.at(1).toString()});
    }
    e.innerText = map.value(QStringLiteral("innerText")).toString();
    return e;
}

DesignSnapshot snapshotFrom(const QVariant& value)
{
    const QVariantMap map = value.toMap();
    DesignSnapshot s;
    s.headNodes = map.value(QStringLiteral("headNodes")).toStringList();
    s.bodyNodes = map.value(QStringLiteral("bodyNodes")).toStringList();
    for (const QVariant& a : map.value(QStringLiteral("bodyAttributes")).toList()) {
        const QVariantList pair = a.toList();
        if (pair.size() == 2)
            s.bodyAttributes.append({pair.at(0).toString(), pair.at(1).toString()});
    }
    return s;
}

std::optional<DesignStatus> statusFrom(int value)
{
    switch (value) {
    case int(DesignStatus::NotSupported):
    case int(DesignStatus::Disabled):
    case int(DesignStatus::Enabled):
    case int(DesignStatus::Latched):
    case int(DesignStatus::Mixed):
        return DesignStatus(value);
    default:
        return std::nullopt;
    }
}

// A call of the view's script with arguments written as JSON.
QString scriptCall(const char* function, const QJsonArray& arguments)
{
    return QStringLiteral("qwDesign.") + QLatin1String(function) + QStringLiteral(".apply(null, ") +
           QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)) +
           QStringLiteral(")");
}

QJsonArray changesJson(const DesignAttributeChanges& changes)
{
    QJsonArray list;
    for (const auto& [name, value] : changes)
        list.append(QJsonArray{name, value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null)});
    return list;
}
} // namespace

// The view's script reports through this object of the web channel.
class DesignBridge : public QObject
{
    Q_OBJECT
public:
    explicit DesignBridge(WebDesignDocument* document) : QObject(document), m_document(document) {}

public Q_SLOTS:
    void report(const QJsonObject& state) { m_document->takeReport(state.toVariantMap()); }
    void started(const QJsonObject& start) { m_document->takeStart(start.toVariantMap()); }
    void keyArrived(const QJsonObject& key) { m_document->takeKeyArrival(key.toVariantMap()); }

private:
    WebDesignDocument* m_document;
};

// A page given as a file is loaded from the private folder; the addresses
// of its pictures and style sheets, relative to that folder, are sent on to
// the document's own folder.
class DesignRequestFilter : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void setFolders(const QString& root, const QString& page, const QString& baseFolder)
    {
        QMutexLocker lock(&m_mutex);
        m_root = root;
        m_page = page;
        m_pageFolder = page.left(page.lastIndexOf(u'/') + 1);
        m_baseFolder = baseFolder;
    }

    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QUrl url = info.requestUrl();
        if (!url.isLocalFile())
            return;
        QMutexLocker lock(&m_mutex);
        if (m_root.isEmpty() || m_baseFolder.isEmpty())
            return;
        const QString path = url.toLocalFile();
        if (!path.startsWith(m_root) || path == m_page)
            return;
        const QString relative = QDir(m_pageFolder).relativeFilePath(path);
        QUrl target = QUrl::fromLocalFile(QDir::cleanPath(m_baseFolder + relative));
        target.setQuery(url.query());
        info.redirect(target);
    }

private:
    QMutex m_mutex;
    QString m_root;
    QString m_page;
    QString m_pageFolder;
    QString m_baseFolder;
};

// The design view goes nowhere but where the program sends it: link
// clicks, form submissions, dropped files and the like are refused.
class DesignPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

    void allowNextLoad() { m_allowLoad = true; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        if (type == NavigationTypeLinkClicked || type == NavigationTypeFormSubmitted) {
            qCDebug(designLog) << "refused" << url;
            return false;
        }
        // Frames of the page show their own pages.
        if (!isMainFrame)
            return true;
        if (!m_allowLoad) {
            qCDebug(designLog) << "refused" << url;
            return false;
        }
        m_allowLoad = false;
        return true;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                  const QString& source) override
    {
        qCDebug(designLog) << source << line << message;
    }

private:
    bool m_allowLoad = false;
};

WebDesignDocument::WebDesignDocument(const QString& tempBase, QObject* parent)
    : DesignDocument(parent), m_tempBase(tempBase)
{
    prepareWebEngine();
    registerDesignScripts();
    // Off the record: nothing of the edited pages is kept on disk.
    m_profile = new QWebEngineProfile(this);
    m_filter = new DesignRequestFilter(m_profile);
    m_profile->setUrlRequestInterceptor(m_filter);
    m_profile->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, false);

    m_view = new QWebEngineView;
    m_page = new DesignPage(m_profile, m_view);
    QWebEngineSettings* settings = m_page->settings();
    // The page's own scripts and event handlers never run here; ours run in
    // their own world, which this switch does not reach.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);

    m_page->scripts().insert(
        ownScript(QStringLiteral("qwebchannel"),
                  readResource(QStringLiteral(":/qtwebchannel/qwebchannel.js"))));
    m_page->scripts().insert(ownScript(
        QStringLiteral("design"), readResource(QStringLiteral(":/design/snapshot.js")) + u'\n' +
                                      readResource(QStringLiteral(":/design/design.js"))));
    auto* channel = new QWebChannel(m_page);
    channel->registerObject(QStringLiteral("design"), new DesignBridge(this));
    m_page->setWebChannel(channel, kOwnWorld);
    m_view->setPage(m_page);

    // The actions' states are kept up to date only once they exist.
    for (QWebEnginePage::WebAction a :
         {QWebEnginePage::Cut, QWebEnginePage::Copy, QWebEnginePage::Paste, QWebEnginePage::Undo,
          QWebEnginePage::Redo, QWebEnginePage::SelectAll})
        m_page->action(a);
    connect(m_page, &QWebEnginePage::loadFinished, this, &WebDesignDocument::loadFinished);
    // The program's own context menu instead of the browser's.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            &WebDesignDocument::requestContextMenu);
}

WebDesignDocument::~WebDesignDocument()
{
    // The page goes before the profile it was made with.
    delete m_view;
    if (!m_largePage.isEmpty())
        QFile::remove(m_largePage);
}

QWebEngineView* WebDesignDocument::view() const
{
    return m_view;
}

DesignStatus WebDesignDocument::commandStatus(DesignCommand command) const
{
    if (!m_ready)
        return DesignStatus::Disabled;
    // The view's own actions know best whether the clipboard and the undo
    // history can be used; the isolated world is not asked.
    auto actionStatus = [this](QWebEnginePage::WebAction a) {
        return m_page->action(a)->isEnabled() ? DesignStatus::Enabled : DesignStatus::Disabled;
    };
    switch (command) {
    case DesignCommand::Cut:
        return actionStatus(QWebEnginePage::Cut);
    case DesignCommand::Copy:
        return actionStatus(QWebEnginePage::Copy);
    case DesignCommand::Paste:
        return actionStatus(QWebEnginePage::Paste);
    case DesignCommand::Undo:
        return actionStatus(QWebEnginePage::Undo);
    case DesignCommand::Redo:
        return actionStatus(QWebEnginePage::Redo);
    case DesignCommand::SelectAll:
        return actionStatus(QWebEnginePage::SelectAll);
    default:
        return m_statuses.value(int(command), DesignStatus::NotSupported);
    }
}

QVariant WebDesignDocument::runCommand(DesignCommand command, int option, const QVariant& input)
{
    // The program asks its own questions in its own dialogs; the view never
    // prompts, whatever the option says.
    Q_UNUSED(option);
    if (!m_ready)
        return {};
    switch (command) {
    case DesignCommand::Cut:
        m_page->triggerAction(QWebEnginePage::Cut);
        return {};
    case DesignCommand::Copy:
        m_page->triggerAction(QWebEnginePage::Copy);
        return {};
    case DesignCommand::Paste:
        m_page->triggerAction(QWebEnginePage::Paste);
        return {};
    case DesignCommand::Undo:
        m_page->triggerAction(QWebEnginePage::Undo);
        return {};
    case DesignCommand::Redo:
        m_page->triggerAction(QWebEnginePage::Redo);
        return {};
    case DesignCommand::SelectAll:
        m_page->triggerAction(QWebEnginePage::SelectAll);
        return {};
    case DesignCommand::GetFontName:
        return m_fontName;
    case DesignCommand::GetFontSize:
        return m_fontSize;
    case DesignCommand::GetForeColor:
        return m_foreColor;
    case DesignCommand::FindText:
        if (!input.toString().isEmpty())
            m_page->findText(input.toString());
        return {};
    case DesignCommand::InsertTable:
        insertTable(DesignTableParams{});
        return {};
    default:
        break;
    }
    runReporting(scriptCall("run", {int(command), QJsonValue::fromVariant(input)}));
    return {};
}

QString WebDesignDocument::selectionType() const
{
    return m_ready ? m_selectionType : QStringLiteral("None");
}

void WebDesignDocument::pasteHtml(const QString& html)
{
    if (m_ready)
        runReporting(scriptCall("paste", {html}));
}

std::optional<DesignElement> WebDesignDocument::selectedElement() const
{
    return m_ready ? m_element : std::nullopt;
}

QString WebDesignDocument::activeElementText() const
{
    return m_ready ? m_activeText : QString();
}

void WebDesignDocument::linkSelection(const QList<QPair<QString, QString>>& attributes)
{
    if (!m_ready)
        return;
    QJsonArray list;
    for (const auto& [name, value] : attributes)
        list.append(QJsonArray{name, value});
    runReporting(scriptCall("link", QJsonArray{QJsonValue(list)}));
}

void WebDesignDocument::changeSelectedElement(const DesignAttributeChanges& changes)
{
    if (m_ready)
        runReporting(scriptCall("changeElement", {changesJson(changes), false}));
}

std::optional<DesignElement> WebDesignDocument::bodyElement() const
{
    return m_ready ? m_body : std::nullopt;
}

void WebDesignDocument::changeBody(const DesignAttributeChanges& changes)
{
    if (m_ready)
        runReporting(scriptCall("changeElement", {changesJson(changes), true}));
}

QString WebDesignDocument::tableHtml(const DesignTableParams& params)
{
    auto withAttributes = [](const QString& tag, const QString& attributes) {
        const QString a = attributes.simplified();
        return u'<' + tag + (a.isEmpty() ? QString() : u' ' + a) + u'>';
    };
    QString html = withAttributes(QStringLiteral("table"), params.tableAttributes);
    if (!params.caption.isEmpty())
        html += QStringLiteral("<caption>") + params.caption.toHtmlEscaped() +
                QStringLiteral("</caption>");
    const QString cell =
        withAttributes(QStringLiteral("td"), params.cellAttributes) + QStringLiteral("</td>");
    const QString row = QStringLiteral("<tr>") + cell.repeated(std::max(1, params.columns)) +
                        QStringLiteral("</tr>");
    html += row.repeated(std::max(1, params.rows));
    html += QStringLiteral("</table>");
    return html;
}

void WebDesignDocument::insertTable(const DesignTableParams& params)
{
    pasteHtml(tableHtml(params));
}

QString WebDesignDocument::largePageFolder()
{
    const QString folder = privateTempFolder(m_tempBase);
    if (folder.isEmpty() || !QDir().mkpath(folder + kLargePageFolder))
        return {};
    return folder + kLargePageFolder;
}

void WebDesignDocument::setHtml(const QString& html, const QString& baseFolder)
{
    // The engine checks the edited text's spelling in the source editor's
    // language once that dictionary is converted for it (at each load, as
    // the conversion may finish after the page was first shown).
    const QStringList spelling = qApp->property("quenwickWebSpellLanguages").toStringList();
    m_profile->setSpellCheckLanguages(spelling);
    m_profile->setSpellCheckEnabled(!spelling.isEmpty());
    ++m_load;
    m_loading = true;
    m_ready = false;
    m_edited = false;
    m_loaded = {};
    m_markersSent = 0;
    m_markersArrived = 0;
    m_statuses.clear();
    m_element.reset();
    m_body.reset();
    m_selectionType = QStringLiteral("None");
    m_loadName = QStringLiteral("qw-load-") + QString::number(m_load);
    QString base = baseFolder;
    if (!base.isEmpty() && !base.endsWith(u'/'))
        base += u'/';
    m_page->allowNextLoad();
    const QByteArray utf8 = html.toUtf8();
    // A large page drawn while it is parsed is laid out again at every
    // frame, the more often the more the parser pauses (after each script
    // block): the view draws nothing until it is parsed. A small page is
    // parsed at once, and a page hidden and shown again while the view has
    // the keyboard no longer takes keys until a click: it stays shown.
    if (utf8.size() > kLargestDirectPage)
        m_page->setVisible(false);
    // The load's name rides in the address's fragment, which changes no
    // relative address.
    QUrl baseUrl = base.isEmpty() ? QUrl(QStringLiteral("about:blank")) : QUrl::fromLocalFile(base);
    baseUrl.setFragment(m_loadName);
    if (utf8.size() <= kLargestDirectPage) {
        m_filter->setFolders({}, {}, {});
        m_page->setHtml(html, baseUrl);
        return;
    }
    // Written as UTF-8 behind a byte-order mark, which outranks whatever
    // code page the page declares. The file is named after the load.
    if (!m_largePage.isEmpty())
        QFile::remove(m_largePage);
    m_largePage.clear();
    const QString folder = largePageFolder();
    const QString path = folder + m_loadName + QStringLiteral(".html");
    QFile f(path);
    if (folder.isEmpty() || !clearNonFile(path) || !f.open(QIODevice::WriteOnly) ||
        f.write("\xEF\xBB\xBF") != 3 || f.write(utf8) != utf8.size() || !f.flush()) {
        qCWarning(designLog) << "cannot write" << path;
        m_page->setHtml(html, baseUrl);
        return;
    }
    f.close();
    m_largePage = path;
    const QString root = folder.left(folder.size() - kLargePageFolder.size()) +
                         kLargePageFolder.section(u'/', 0, 0) + u'/';
    m_filter->setFolders(root, path, base);
    m_page->load(QUrl::fromLocalFile(path));
}

void WebDesignDocument::loadFinished(bool ok)
{
    // The view's script starts by itself once the document is parsed; the
    // end of the load, with the pictures, is only the second chance.
    if (!m_loading)
        return;
    if (!ok) {
        // Whatever the view holds is shown again.
        m_page->setVisible(m_view->isVisible());
        return;
    }
    QPointer<WebDesignDocument> self(this);
    m_page->runJavaScript(QStringLiteral("qwDesign.startIfParsed()"), kOwnWorld,
                          [self](const QVariant& answer) {
                              if (self != nullptr)
                                  self->takeStart(answer.toMap());
                          });
}

void WebDesignDocument::takeStart(const QVariantMap& start)
{
    // A start of an earlier load, or a second one of this load, is not
    // taken.
    if (!m_loading || start.value(QStringLiteral("load")).toString() != m_loadName)
        return;
    m_loading = false;
    m_page->setVisible(m_view->isVisible());
    m_loaded = snapshotFrom(start.value(QStringLiteral("snapshot")));
    m_ready = true;
    takeReport(start.value(QStringLiteral("state")).toMap());
    Q_EMIT ready();
}

void WebDesignDocument::takeFocus()
{
    if (m_view != nullptr)
        m_view->setFocus(Qt::OtherFocusReason);
}

void WebDesignDocument::runReporting(const QString& script)
{
    const int load = m_load;
    QPointer<WebDesignDocument> self(this);
    m_page->runJavaScript(script, kOwnWorld, [self, load](const QVariant& answer) {
        if (self != nullptr && self->m_load == load)
            self->takeReport(answer.toMap());
    });
}

void WebDesignDocument::takeReport(const QVariantMap& report)
{
    if (!m_ready || report.isEmpty())
        return;
    const QVariantMap statuses = report.value(QStringLiteral("statuses")).toMap();
    m_statuses.clear();
    for (auto it = statuses.cbegin(); it != statuses.cend(); ++it) {
        bool numbered = false;
        const int id = it.key().toInt(&numbered);
        if (const auto status = statusFrom(it.value().toInt()); numbered && status)
            m_statuses.insert(id, *status);
    }
    m_selectionType = report.value(QStringLiteral("selectionType")).toString();
    m_element = elementFrom(report.value(QStringLiteral("element")));
    m_body = elementFrom(report.value(QStringLiteral("body")));
    m_activeText = report.value(QStringLiteral("activeText")).toString();
    m_fontName = report.value(QStringLiteral("fontName")).toString();
    m_fontSize = report.value(QStringLiteral("fontSize")).toString();
    m_foreColor = report.value(QStringLiteral("foreColor")).toString();
    if (report.value(QStringLiteral("edited")).toBool()) {
        m_edited = true;
        Q_EMIT contentChanged();
    }
    Q_EMIT stateChanged();
}

bool WebDesignDocument::waitUntilReady(int timeoutMs)
{
    if (m_ready)
        return true;
    if (!m_loading)
        return false;
    QEventLoop loop;
    connect(this, &DesignDocument::ready, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return m_ready;
}

std::optional<DesignSnapshot> WebDesignDocument::snapshot()
{
    if (!waitUntilReady(m_answerWaitMs))
        return std::nullopt;
    // The places the program waits for the view: the caller needs the
    // document's text now. Input stays queued meanwhile.
    // Keys go to the view only while it has the focus; without it none can
    // be on their way.
    QWidget* input = m_view->focusProxy();
    std::optional<QVariantMap> answer =
        input != nullptr && input->hasFocus() ? snapshotBehindInput(input) : askSnapshot();
    // No answer in time, or one that is not a snapshot, is not the
    // document: the loaded one in its place would throw the edits away.
    if (!answer || !answer->contains(QStringLiteral("snapshot"))) {
        qCWarning(designLog) << "no snapshot from the view";
        return std::nullopt;
    }
    m_edited = m_edited || answer->value(QStringLiteral("edited")).toBool();
    return snapshotFrom(answer->value(QStringLiteral("snapshot")));
}

std::optional<QVariantMap> WebDesignDocument::snapshotBehindInput(QWidget* input)
{
    // The program's own scripts sent before (an element changed, a
    // command) take another path than keys: they must have run first.
    if (!askScript(QStringLiteral("true")))
        return std::nullopt;
    const int marker = ++m_markersSent;
    m_awaitedMarker = marker;
    // F24: a key no keyboard has and nothing binds, which the view's script
    // takes for itself.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F24, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F24, Qt::NoModifier);
    QCoreApplication::sendEvent(input, &press);
    QCoreApplication::sendEvent(input, &release);
    QEventLoop loop;
    m_answerLoop = &loop;
    QTimer::singleShot(m_answerWaitMs, &loop, &QEventLoop::quit);
    if (m_markersArrived < marker)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_answerLoop = nullptr;
    m_awaitedMarker = 0;
    // The document asked for once the key has arrived holds every key
    // before it. Without word of the key it still does when the key
    // arrived meanwhile, or when the keys go to a frame of the page (and so
    // never into this document); otherwise the key, and the user's before
    // it, may still be on the way: no document.
    std::optional<QVariantMap> answer = askSnapshot();
    if (!answer)
        return std::nullopt;
    if (answer->value(QStringLiteral("markers")).toInt() >= marker)
        return answer;
    if (answer->value(QStringLiteral("inFrame")).toBool()) {
        // Counted on from the view's own number, as the key never arrives.
        m_markersSent = answer->value(QStringLiteral("markers")).toInt();
        return answer;
    }
    return std::nullopt;
}

void WebDesignDocument::takeKeyArrival(const QVariantMap& key)
{
    if (key.value(QStringLiteral("load")).toString() != m_loadName)
        return;
    m_markersArrived = std::max(m_markersArrived, key.value(QStringLiteral("marker")).toInt());
    if (m_answerLoop != nullptr && m_awaitedMarker != 0 && m_markersArrived >= m_awaitedMarker)
        m_answerLoop->quit();
}

std::optional<QVariant> WebDesignDocument::askScript(const QString& script)
{
    struct Answer
    {
        std::optional<QVariant> value;
        QPointer<QEventLoop> loop;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    m_page->runJavaScript(script, kOwnWorld, [answer](const QVariant& value) {
        answer->value = value;
        if (answer->loop != nullptr)
            answer->loop->quit();
    });
    QTimer::singleShot(m_answerWaitMs, &loop, &QEventLoop::quit);
    if (!answer->value)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return answer->value;
}

std::optional<QVariantMap> WebDesignDocument::askSnapshot()
{
    const std::optional<QVariant> answer = askScript(QStringLiteral("qwDesign.snapshot()"));
    if (!answer)
        return std::nullopt;
    return answer->toMap();
}

void WebDesignDocument::requestContextMenu(const QPoint& pos)
{
    const QPoint global = m_view->mapToGlobal(pos);
    if (!m_ready) {
        Q_EMIT contextMenuRequested(global);
        return;
    }
    // The click may just have selected a picture: the menu is built from
    // the state after it.
    const int load = m_load;
    QPointer<WebDesignDocument> self(this);
    m_page->runJavaScript(QStringLiteral("qwDesign.state()"), kOwnWorld,
                          [self, load, global](const QVariant& answer) {
                              if (self == nullptr)
                                  return;
                              if (self->m_load == load)
                                  self->takeReport(answer.toMap());
                              Q_EMIT self->contextMenuRequested(global);
                          });
}

} // namespace qw

#include "WebDesignDocument.moc"
