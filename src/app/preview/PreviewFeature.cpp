#include "app/preview/PreviewFeature.h"

#include "app/editor/ScintillaEditor.h"
#include "app/services/ActionRegistry.h"
#include "app/services/DocumentAccess.h"
#include "app/services/UiServices.h"
#include "app/web/WebModule.h"
#include "core/preview/PreviewFiles.h"
#include "core/settings/AppPaths.h"
#include "core/settings/AppSettings.h"
#include "core/text/DocumentFile.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QTimer>
#include <QVBoxLayout>

namespace qw {

namespace {
const QString kCannotCreateBrowser = QStringLiteral("Chyba při vytváření prohlížeče!");

} // namespace

ProgramLauncher ProgramLauncher::desktop()
{
    return {[](const QUrl& url) { return QDesktopServices::openUrl(url); },
            [](const QString& program, const QStringList& arguments) {
                return QProcess::startDetached(program, arguments);
            }};
}

PreviewFeature::PreviewFeature(const FeatureContext& context, QObject* parent)
    : QObject(parent), m_context(context), m_launcher(ProgramLauncher::desktop()),
      m_viewFactory([this] { return makeView(); })
{
    m_context.pages.setHandler(PageMode::Preview, this);
    ActionRegistry& commands = m_context.commands;
    commands.registerAction(QStringLiteral("view.preview"), [this](ActionPlace) {
        // Pressed again on the preview page, F12 shows the text anew.
        if (m_context.pages.pageMode() == PageMode::Preview)
            refreshPreview();
        else
            m_context.pages.switchTo(PageMode::Preview);
    });
    commands.registerAction(QStringLiteral("view.browsers"),
                            [this](ActionPlace) { openDefaultBrowser(); });
    if (QAction* button = commands.action(QStringLiteral("view.browsers"), ActionPlace::ToolBar)) {
        m_browserMenu = button->menu();
        if (m_browserMenu == nullptr) {
            m_browserMenu = new QMenu(m_context.window);
            button->setMenu(m_browserMenu);
        }
        m_browserMenu->setObjectName(QStringLiteral("pmBrowser"));
    }
    buildBrowserMenu();
}

PreviewFeature::~PreviewFeature()
{
    // The page goes before the profile it was made with.
    delete m_view;
}

QWidget* PreviewFeature::view() const
{
    return m_view;
}

QString PreviewFeature::tempFolder()
{
    if (m_tempFolder.isEmpty())
        m_tempFolder = privateTempFolder(m_context.paths.tempFolder());
    return m_tempFolder;
}

QString PreviewFeature::writePreviewFile()
{
    ScintillaEditor* e = m_context.documents.current();
    const QString filePath = m_context.documents.currentFilePath();
    QString path;
    if (e != nullptr && !tempFolder().isEmpty())
        path = previewFilePath(filePath, tempFolder());
    // The copy lies in the private folder; its relative addresses still
    // resolve in the document's folder, inside the program and outside.
    const QString baseFile = QFileInfo(filePath).isFile() ? filePath : QString();
    // Written as UTF-8 behind a byte-order mark: every browser, inside and
    // outside the program, then shows the letters right without guessing the
    // page's code page.
    if (!path.isEmpty() && clearNonFile(path) &&
        writeDocumentFile(path, previewPageText(e->text(), baseFile), e->lineBreak(),
                          TextEncoding::Utf8Bom)
            .ok) {
        m_previewPath = path;
        m_previewDocument = baseFile.isEmpty() ? QUrl() : QUrl::fromLocalFile(baseFile);
    }
    if (!m_previewPath.isEmpty())
        m_previewFiles.append(m_previewPath);
    return m_previewPath;
}

void PreviewFeature::refreshPreview()
{
    const QString path = writePreviewFile();
    if (m_view != nullptr && !path.isEmpty()) {
        // The copy's base names the document's file, so its in-page links
        // name that file: the view keeps them in the copy it shows.
        m_view->setProperty(kPreviewedDocumentProperty, m_previewDocument);
        navigate(path);
    }
}

void PreviewFeature::showFile(const QString& path)
{
    m_followPending = false;
    if (m_view != nullptr) {
        m_view->setProperty(kPreviewedDocumentProperty, QUrl());
        navigate(path);
    }
}

void PreviewFeature::navigate(const QString& path)
{
    const QUrl url = QUrl::fromLocalFile(path);
    if (const WebModule* web = webModule())
        web->showUrl(m_view, url);
    Q_EMIT navigated(url);
}

void PreviewFeature::deletePreviewFiles()
{
    for (const QString& path : std::as_const(m_previewFiles))
        QFile::remove(path);
    m_previewFiles.clear();
}

bool PreviewFeature::showPage()
{
    m_context.clearTagInspector();
    if (!ensureView()) {
        m_context.ui.notify(m_context.window, UiServices::Icon::Error, kCannotCreateBrowser);
        return false;
    }
    m_context.clearTagInspector();
    if (const WebModule* web = webModule())
        web->activate(m_view);
    m_followPending = false;
    refreshPreview();
    // The keys of the page (scrolling, the program's own F11) reach it.
    m_view->setFocus();
    return true;
}

bool PreviewFeature::leavePage()
{
    // The preview is written and loaded anew whenever its page is shown, so
    // a page out of sight is let go: its scripts, timers and layout must not
    // take time from the editor.
    if (m_view == nullptr)
        return true;
    if (const WebModule* web = webModule())
        web->showUrl(m_view, QUrl(QStringLiteral("about:blank")));
    return true;
}

void PreviewFeature::followDocument()
{
    scheduleFollow();
}

void PreviewFeature::scheduleFollow()
{
    // A document switch arrives in several steps (tab, editor, text): the
    // preview follows once, when they are done.
    if (m_followPending)
        return;
    m_followPending = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_followPending)
            return;
        m_followPending = false;
        if (m_context.pages.pageMode() == PageMode::Preview)
            refreshPreview();
    });
}

bool PreviewFeature::ensureView()
{
    if (m_view != nullptr)
        return true;
    m_view = m_viewFactory();
    if (m_view == nullptr)
        return false;
    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    m_view->setAccessibleName(QStringLiteral("Náhled"));
    m_context.pages.contentLayout(PageMode::Preview)->addWidget(m_view, 1);
    // Its window exists at once, as the page is shown.
    m_view->show();
    return true;
}

QWidget* PreviewFeature::makeView()
{
    const WebModule* web = webModule();
    return web != nullptr ? web->makePreviewView(this) : nullptr;
}

void PreviewFeature::buildBrowserMenu()
{
    if (m_browserMenu == nullptr)
        return;
    m_browserMenu->clear();
    for (const BrowserEntry& entry : std::as_const(m_context.settings.browsers)) {
        const BrowserMenuItem item = browserMenuItem(entry);
        QAction* a = m_browserMenu->addAction(item.caption);
        a->setToolTip(item.program);
        connect(a, &QAction::triggered, this,
                [this, program = item.program] { openListedBrowser(program); });
    }
}

void PreviewFeature::openDefaultBrowser()
{
    if (!m_context.pages.syncIntoEditor())
        return;
    const QString path = writePreviewFile();
    if (!path.isEmpty())
        m_launcher.openWithDesktop(QUrl::fromLocalFile(path));
}

void PreviewFeature::openListedBrowser(const QString& program)
{
    if (!m_context.pages.syncIntoEditor())
        return;
    const QString path = writePreviewFile();
    if (!path.isEmpty())
        m_launcher.startDetached(program, {path});
}

} // namespace qw
