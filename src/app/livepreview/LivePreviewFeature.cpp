#include "app/livepreview/LivePreviewFeature.h"

#include "app/editor/ScintillaEditor.h"
#include "app/livepreview/LivePreviewView.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"
#include "app/services/UiServices.h"
#include "app/web/WebModule.h"
#include "core/preview/ElementPath.h"
#include "core/preview/PreviewFiles.h"
#include "core/settings/AppPaths.h"
#include "core/settings/AppSettings.h"
#include "core/text/DocumentFile.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSplitter>
#include <QVBoxLayout>

#include <utility>

namespace qw {

namespace {
const QString kShowId = QStringLiteral("view.livePreview");
const QString kBelowId = QStringLiteral("view.livePreviewBelow");
const QString kCannotCreateBrowser = QStringLiteral("Chyba při vytváření prohlížeče!");

// The engine takes a page from memory up to 2 MB as an encoded address; a
// larger one goes through a file in the private folder.
constexpr qsizetype kLargestFromMemory = 1400 * 1024;
} // namespace

LivePreviewFeature::LivePreviewFeature(const FeatureContext& context, QObject* parent)
    : QObject(parent), m_context(context),
      m_openLink([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    m_viewFactory = [this]() -> LivePreviewView* {
        const WebModule* web = webModule();
        return web != nullptr ? web->makeLivePreviewView(this) : nullptr;
    };
    m_below = m_context.settings.livePreviewBelow;
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(kRefreshPause);
    connect(&m_refreshTimer, &QTimer::timeout, this, &LivePreviewFeature::refresh);
    m_caretTimer.setSingleShot(true);
    m_caretTimer.setInterval(kCaretPause);
    connect(&m_caretTimer, &QTimer::timeout, this, &LivePreviewFeature::followCaret);

    m_context.commands.registerAction(kShowId, [this](ActionPlace) { setShown(!m_shown); });
    m_context.commands.registerAction(kBelowId, [this](ActionPlace) { setBelow(!m_below); });
    connect(&m_context.pages, &PageSwitcher::currentDocumentChanged, this,
            &LivePreviewFeature::followEditor);
    connect(&m_context.pages, &PageSwitcher::pageEntered, this, [this](PageMode page) {
        if (page == PageMode::Source && m_shown && m_stale)
            m_refreshTimer.start(0);
    });
    updateChecks();
    // Shown at the last close: shown again once the window stands.
    if (m_context.settings.livePreview)
        QTimer::singleShot(0, this, [this] { setShown(true); });
}

LivePreviewFeature::~LivePreviewFeature()
{
    // The page goes before the profile it was made with.
    delete m_view;
}

LivePreviewView* LivePreviewFeature::view() const
{
    return m_view;
}

void LivePreviewFeature::setShown(bool shown)
{
    if (shown && !ensureView()) {
        m_context.ui.notify(m_context.window, UiServices::Icon::Error, kCannotCreateBrowser);
        shown = false;
    }
    m_shown = shown;
    m_context.settings.livePreview = shown;
    if (m_view != nullptr) {
        m_view->setVisible(shown);
        if (shown) {
            m_stale = true;
            followEditor();
        } else {
            // Out of sight, the page's scripts and timers take no time.
            m_refreshTimer.stop();
            m_caretTimer.stop();
            m_view->clear();
            m_shownText.clear();
            m_outlineMade = false;
            m_outline = {};
        }
    }
    updateChecks();
}

void LivePreviewFeature::setBelow(bool below)
{
    m_below = below;
    m_context.settings.livePreviewBelow = below;
    if (m_splitter != nullptr) {
        m_splitter->setOrientation(below ? Qt::Vertical : Qt::Horizontal);
        const int share = m_context.settings.livePreviewShare;
        m_splitter->setSizes({share, 1000 - share});
    }
    updateChecks();
}

void LivePreviewFeature::updateChecks()
{
    m_context.commands.setChecked(kShowId, m_shown);
    m_context.commands.setChecked(kBelowId, m_below);
}

bool LivePreviewFeature::ensureView()
{
    if (m_view != nullptr)
        return true;
    m_view = m_viewFactory();
    if (m_view == nullptr)
        return false;
    m_view->setObjectName(QStringLiteral("LivePreview"));
    m_view->setAccessibleName(QStringLiteral("Náhled vedle kódu"));
    connect(m_view, &LivePreviewView::pageShown, this, [this] {
        Q_EMIT refreshed();
        if (m_caretAfterRefresh) {
            m_caretAfterRefresh = false;
            followCaret();
        }
    });
    connect(m_view, &LivePreviewView::elementChosen, this, &LivePreviewFeature::chooseElement);
    connect(m_view, &LivePreviewView::linkFollowed, this,
            [this](const QUrl& url) { m_openLink(url); });

    // The source page's content (the editors) goes into a splitter with the
    // preview; the window knows nothing of it.
    QVBoxLayout* content = m_context.pages.contentLayout(PageMode::Source);
    QWidget* source = content->itemAt(0)->widget();
    // Moved into the splitter, the editors lose the keyboard: it goes back.
    QPointer<QWidget> focused = QApplication::focusWidget();
    if (focused != nullptr && !source->isAncestorOf(focused))
        focused = nullptr;
    m_splitter = new QSplitter(m_below ? Qt::Vertical : Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("LivePreviewSplitter"));
    m_splitter->setChildrenCollapsible(false);
    delete content->replaceWidget(source, m_splitter);
    m_splitter->addWidget(source);
    m_splitter->addWidget(m_view);
    const int share = m_context.settings.livePreviewShare;
    m_splitter->setSizes({share, 1000 - share});
    connect(m_splitter, &QSplitter::splitterMoved, this, &LivePreviewFeature::storeShare);
    if (focused != nullptr)
        focused->setFocus();
    return true;
}

void LivePreviewFeature::storeShare()
{
    const QList<int> sizes = m_splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (sizes.size() == 2 && total > 0)
        m_context.settings.livePreviewShare = qBound(50, int(qint64(sizes[0]) * 1000 / total), 950);
}

void LivePreviewFeature::followEditor()
{
    ScintillaEditor* e = m_context.documents.current();
    if (e != m_editor) {
        if (m_editor != nullptr)
            disconnect(m_editor, nullptr, this, nullptr);
        m_editor = e;
        if (e != nullptr) {
            connect(e, &QsciScintilla::textChanged, this, &LivePreviewFeature::textChanged);
            connect(e, &QsciScintilla::cursorPositionChanged, this,
                    &LivePreviewFeature::caretMoved);
        }
    }
    m_stale = true;
    m_revealedAny = false;
    if (m_shown)
        m_refreshTimer.start(0);
}

void LivePreviewFeature::textChanged()
{
    // On the key path: a timer restarted, nothing else.
    if (!m_shown)
        return;
    m_stale = true;
    m_refreshTimer.start(kRefreshPause);
}

void LivePreviewFeature::caretMoved()
{
    if (m_shown)
        m_caretTimer.start();
}

void LivePreviewFeature::refresh()
{
    if (!m_shown || m_view == nullptr || m_context.pages.pageMode() != PageMode::Source)
        return;
    ScintillaEditor* e = m_context.documents.current();
    if (e == nullptr) {
        m_view->clear();
        return;
    }
    m_shownText = e->text();
    m_outlineMade = false;
    m_stale = false;
    // Relative addresses resolve in the document's folder, a new document's
    // in the home folder.
    const QString filePath = m_context.documents.currentFilePath();
    const bool hasFile = QFileInfo(filePath).isFile();
    const QUrl base = hasFile ? QUrl::fromLocalFile(filePath)
                              : QUrl::fromLocalFile(QDir::homePath() + QLatin1Char('/'));
    const QByteArray utf8 = m_shownText.toUtf8();
    // Where the caret stands after typing is where the person is already
    // looking: the refresh keeps the preview's place and does not chase it.
    m_caretAfterRefresh = true;
    m_quietCaret = true;
    if (utf8.size() <= kLargestFromMemory) {
        m_view->showHtml(utf8, base);
        return;
    }
    if (m_tempFolder.isEmpty())
        m_tempFolder = privateTempFolder(m_context.paths.tempFolder());
    if (m_tempFolder.isEmpty())
        return;
    const QString path = m_tempFolder + QStringLiteral("qw~live.html");
    if (clearNonFile(path) &&
        writeDocumentFile(path, previewPageText(m_shownText, hasFile ? filePath : QString()),
                          e->lineBreak(), TextEncoding::Utf8Bom)
            .ok)
        m_view->showFile(QUrl::fromLocalFile(path));
}

const HtmlOutline& LivePreviewFeature::shownOutline()
{
    if (!m_outlineMade) {
        m_outline = outlineHtml(m_shownText);
        m_outlineMade = true;
    }
    return m_outline;
}

void LivePreviewFeature::followCaret()
{
    if (!m_shown || m_view == nullptr || m_context.pages.pageMode() != PageMode::Source)
        return;
    ScintillaEditor* e = m_context.documents.current();
    if (e == nullptr)
        return;
    // The preview shows an older text: its elements are read after the
    // refresh that is on its way.
    if (m_stale) {
        m_caretAfterRefresh = true;
        m_quietCaret = true;
        return;
    }
    const QList<int> path = elementPathAt(shownOutline(), e->selectionStart());
    const bool quiet = std::exchange(m_quietCaret, false);
    if (quiet) {
        m_revealed = path;
        m_revealedAny = true;
        return;
    }
    // Typing inside one element does not flash it at every refresh.
    if (path.isEmpty() || (m_revealedAny && path == m_revealed))
        return;
    m_revealed = path;
    m_revealedAny = true;
    m_view->revealElement(path);
}

void LivePreviewFeature::chooseElement(const QList<int>& path)
{
    ScintillaEditor* e = m_context.documents.current();
    if (e == nullptr || m_context.pages.pageMode() != PageMode::Source)
        return;
    const qsizetype at = m_stale ? elementStartAt(outlineHtml(e->text()), path)
                                 : elementStartAt(shownOutline(), path);
    if (at < 0)
        return;
    m_revealed = path;
    m_revealedAny = true;
    e->setSelectionStart(at);
    e->setSelectionLength(0);
    e->scrollCaretIntoView();
    e->setFocus();
}

} // namespace qw
