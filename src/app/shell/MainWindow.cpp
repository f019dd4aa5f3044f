#include "app/shell/MainWindow.h"

// SearchController.h returns its dialogs through QPointer: complete types first.
#include "app/checker/CheckerFeature.h"
#include "app/assist/AssistFeature.h"
#include "app/design/DesignDocument.h"
#include "app/design/DesignFeature.h"
#include "app/dialogs/FindDialog.h"
#include "app/dialogs/ReplaceDialog.h"
#include "app/dialogs/SearchController.h"
#include "app/download/DownloadFeature.h"
#include "app/editor/HighlightTheme.h"
#include "app/editor/ScintillaEditor.h"
#include "app/elements/DesignOpeners.h"
#include "app/encoding/EncodingFeature.h"
#include "app/findinfiles/FindInFilesFeature.h"
#include "app/livepreview/LivePreviewFeature.h"
#include "app/pages/PageSwitcher.h"
#include "app/preview/PreviewFeature.h"
#include "app/print/PrintFeature.h"
#include "app/services/ActionRegistry.h"
#include "app/services/FeatureContext.h"
#include "app/services/FileDialogFilter.h"
#include "app/services/UiServices.h"
#include "app/settings/SettingsFeature.h"
#include "app/spelling/SpellingFeature.h"
#include "app/shell/AppContext.h"
#include "app/shell/DocumentRecovery.h"
#include "app/shell/HandOffQueue.h"
#include "app/shell/StatusPanel.h"
#include "app/shell/ToolBarPersistence.h"
#include "core/markup/EditTagDialogs.h"
#include "core/settings/AppSettings.h"
#include "core/shell/MenuState.h"
#include "core/shell/RecentFiles.h"
#include "core/shell/ShellTexts.h"
#include "core/text/CharsetDeclaration.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace qw {

namespace {
constexpr QEvent::Type kCaretPositionEvent = QEvent::Type(QEvent::User + 1);

bool clipboardHoldsText()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}
} // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_ui(context.ui)
{
    setObjectName(QStringLiteral("frmMain"));
    setAcceptDrops(true);
    m_documents = new DocumentManager(m_ui, m_options, this);
    m_registry = new ActionRegistry(this);
    connect(m_documents, &DocumentManager::pathTouched, this, [this](const QString& path) {
        updateRecentFiles(m_context.settings.recentFiles, path);
    });
    m_documents->setLastFolder(m_context.settings.lastFolder);
    m_handOffs = new HandOffQueue(*m_documents, this);
    m_recovery = new DocumentRecovery(*m_documents, m_ui, this);
    buildPages();
    buildFileAndUserTagPages();
    buildStatusBar();
    registerCommands();
    m_commandUi = buildCommandUi(*this, *m_registry);
    // After the tool bars: a feature may fill a drop-down of its button.
    buildFeatures();
    m_clipboardHasText = clipboardHoldsText();
    connectSignals();
    applySettings();
    updateMenu();
}

MainWindow::~MainWindow()
{
    // An open value editor of the inspector would otherwise write back on
    // losing its focus while the window's parts are already going.
    clearTagInspector();
}

void MainWindow::connectSignals()
{
    connect(m_documents, &DocumentManager::stateChanged, this, [this] {
        updateMenu();
        updateStatusBar();
    });
    connect(m_documents, &DocumentManager::currentChanged, this, [this] {
        // A new current document: forget the tag found in the last one.
        clearTagInspector();
        m_tagState = CaretTagState();
        m_registry->setEnabled(QStringLiteral("popup.editTag"), false);
        if (ScintillaEditor* e = m_documents->current()) {
            m_spelling->attach(e);
            // A right click reaches the viewport, a menu key the editor.
            e->installEventFilter(this);
            e->viewport()->installEventFilter(this);
            // A selection set by a command moves no caret the documents
            // report; cut and copy must still follow it.
            connect(e, &QsciScintilla::selectionChanged, this, &MainWindow::updateMenu,
                    Qt::UniqueConnection);
        }
        updateMenu();
        updateStatusBar();
    });
    // The shown page follows the current document (preview, design).
    connect(m_documents, &DocumentManager::currentChanged, m_pages,
            &PageSwitcher::followCurrentDocument);
    // A key's own changes: the caret's display line and column wait for the
    // paint that follows. Asked for earlier, they would lay out the edited
    // line once more before the new colours are in, and on a page that is
    // one long line that costs as much as the paint itself.
    connect(m_documents, &DocumentManager::editorChanged, this, [this] {
        updateMenu();
        updateStatusFlags();
        scheduleCaretPosition();
    });
    // The status bar counts display lines, which the first paint after a
    // start, a switch or a resize may lay out differently.
    connect(m_documents, &DocumentManager::editorPainted, this, &MainWindow::updateStatusBar);
    connect(m_documents, &DocumentManager::editorReleased, this, [this] {
        findTagAtCaretQuietly();
        updateMenu();
        updateStatusFlags();
        scheduleCaretPosition();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        m_clipboardHasText = clipboardHoldsText();
        updateMenu();
    });
    connect(
        m_documents->tabBar(), &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { showEditorPopup(m_documents->tabBar()->mapToGlobal(pos)); });
    // "Hledat další" follows the last search, not the document.
    m_registry->setEnabled(QStringLiteral("edit.findNext"), m_search->findNextEnabled());
    connect(m_search, &SearchController::findNextEnabledChanged, this,
            [this](bool on) { m_registry->setEnabled(QStringLiteral("edit.findNext"), on); });
    connect(m_commandUi.fileMenu, &QMenu::aboutToShow, this, [this] { rebuildRecentMenu(); });
    connect(m_commandUi.viewMenu, &QMenu::aboutToShow, this, [this] { refreshViewChecks(); });
    connect(m_commandUi.toolBarsMenu, &QMenu::aboutToShow, this,
            [this] { refreshToolBarChecks(); });
    connect(m_commandUi.editorPopup, &QMenu::aboutToShow, this, [this] { prepareEditorPopup(); });
}

void MainWindow::applySettings()
{
    const AppSettings& s = m_context.settings;
    m_options.fontName = s.fontName;
    m_options.fontSize = s.fontSize;
    m_options.fontColor = s.fontColor;
    m_options.backColor = s.backColor;
    m_options.tabWidth = s.tabWidth;
    m_options.docFromTemplate = s.docFromTemplate;
    m_options.templateHead = s.templateHead;
    m_options.templateFoot = s.templateFoot;
    m_options.saveFormat = s.saveFormat;
    m_options.defaultExt = s.defaultExt;
    m_options.links = LinkOptions{s.relativePath, s.lowerFileName, s.zpetneLomitko};
    // One set of colouring styles for every editor, so a change shows in all.
    HighlightTheme::shared().setStyles(s.styles);
    m_options.dialogFilter = qtDialogFilter(dialogFilterText(s.filters));
    statusBar()->setVisible(s.statusBar);
    m_documents->tabBar()->setVisible(s.tabSet);
    showLeftPanel(s.leftPanel);
    applyFileAndUserTagSettings();
    m_documents->applySettings();
    m_spelling->applySettings();
}

bool MainWindow::writeSettings()
{
    AppSettings& s = m_context.settings;
    s.statusBar = !statusBar()->isHidden();
    s.tabSet = !m_documents->tabBar()->isHidden();
    s.leftPanel = m_leftPanel;
    s.lastFolder = m_documents->lastFolder();
    storeToolBarLayout();
    return m_context.saveSettings();
}

void MainWindow::saveSettings()
{
    if (!writeSettings()) {
        m_ui.notify(this, UiServices::Icon::Error,
                    QStringLiteral("Nastavení se nepodařilo uložit."));
    }
}

void MainWindow::restoreToolBarLayout()
{
    m_hiddenWithBand.clear();
    ToolBarLayouts layouts = m_context.settings.toolBars;
    restoreToolBars(*this, m_commandUi.toolBars, layouts);
    m_toolBarsRestored = true;
}

void MainWindow::storeToolBarLayout()
{
    for (std::size_t i = 0; i < ToolBarCount; ++i) {
        const QToolBar* bar = m_commandUi.toolBars[i];
        ToolBarLayout& stored = m_context.settings.toolBars[i];
        ToolBarLayout now = saveToolBar(*this, *bar, static_cast<ToolBarId>(i), stored);
        // The band's visibility (full screen) is not the bar's own.
        if (m_hiddenWithBand.contains(bar))
            now.visible = true;
        stored = now;
    }
}

void MainWindow::buildPages()
{
    // The document tab strip with its navigation bar travels with the shown
    // page, along its bottom edge.
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("DocumentStrip"));
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(0);
    stripLayout->addWidget(m_documents->navigationBar());
    stripLayout->addWidget(m_documents->tabBar(), 1);
    m_pages = new PageSwitcher(
        m_documents->editorStack(), strip,
        [this]() -> ScintillaEditor* { return m_documents->current(); }, this);
    connect(m_pages, &PageSwitcher::pageEntered, this, [this] {
        updateMenu();
        updateStatusBar();
    });
    buildLeftPanel();
}

void MainWindow::buildFeatures()
{
    FeatureContext context{this,
                           m_ui,
                           m_context.settings,
                           m_context.paths,
                           *m_registry,
                           *m_pages,
                           *m_documents,
                           [this] {
                               clearTagInspector();
                           }};
    m_preview = new PreviewFeature(context, this);
    new EncodingFeature(
        context, [this](TextEncoding encoding) { m_documents->chooseEncoding(encoding); }, this);
    // Every source editor gets the writing aids as it is made.
    auto* assist = new AssistFeature(context, m_context.tags, this);
    connect(m_documents, &DocumentManager::editorAdded, assist, &AssistFeature::attach);
    m_design = new DesignFeature(context, &designWriteBack, this);
    connect(m_design, &DesignFeature::stateChanged, this, &MainWindow::updateMenu);
    m_design->setPropertyOpener([this](DesignProperty property) {
        if (DesignDocument* d = m_pages->designTarget()) {
            clearTagInspector();
            openDesignProperties(*m_elements, *d, property);
        }
    });
    // Saving and closing on the design page take its document first; a save
    // there leaves the tab modified, as the page still holds the document.
    m_documents->setPageHooks([this] { return m_pages->syncIntoEditor(); },
                              [this] { return m_pages->designTarget() != nullptr; });
    // Edits on the design page mark their document modified as they are
    // reported, before they reach its text.
    m_documents->setPageEdits([this](const ScintillaEditor* editor, bool exact) {
        if (m_pages->designTarget() == nullptr)
            return false;
        return exact ? m_design->holdsEditsNow(editor) : m_design->holdsEditsOf(editor);
    });
    connect(m_design, &DesignFeature::pendingEditsChanged, this, [this] {
        m_documents->refreshModifiedMarks();
        updateStatusFlags();
    });
    new DownloadFeature(context, this);
    auto* checker = new CheckerFeature(context, this);
    connect(m_documents, &DocumentManager::currentChanged, checker,
            &CheckerFeature::followCurrentDocument);
    new FindInFilesFeature(context, this);
    new LivePreviewFeature(context, this);
    // The fourth panel is free: it tells where a printed file went.
    connect(new PrintFeature(context, this), &PrintFeature::statusNote, this,
            [this](const QString& text) { showPanelText(m_panels.at(3), text); });
    m_settingsFeature = new SettingsFeature(context, this);
    m_spelling = new SpellingFeature(context, this);
    connect(m_settingsFeature, &SettingsFeature::applied, this, [this] {
        m_preview->buildBrowserMenu();
        // The dialog leaves the views alone: keep them as they are now.
        AppSettings& s = m_context.settings;
        s.statusBar = !statusBar()->isHidden();
        s.tabSet = !m_documents->tabBar()->isHidden();
        s.leftPanel = m_leftPanel;
        // The save dialog keeps the extension it was given at the start; a
        // changed one reaches it at the next start.
        const QString startExt = m_options.defaultExt;
        applySettings();
        m_options.defaultExt = startExt;
    });
}

void MainWindow::buildStatusBar()
{
    const int widths[] = {100, 90, 80, 90, 90};
    const QString names[] = {QStringLiteral("Pozice"), QStringLiteral("Změny"),
                             QStringLiteral("Režim psaní"), QStringLiteral("Volný panel"),
                             QStringLiteral("Kódování")};
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setAccessibleName(QStringLiteral("Stavový řádek"));
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel;
        label->setMinimumWidth(widths[i]);
        // A screen reader reads the panel's text as its name; what the panel
        // is for goes with it as its description.
        label->setAccessibleDescription(names[i]);
        if (i == 1 || i == 2)
            label->setAlignment(Qt::AlignCenter);
        statusBar()->addWidget(label);
        m_panels << label;
    }
    m_panels.at(0)->setText(QStringLiteral("1:1"));
}

void MainWindow::openStartFile(const QString& path)
{
    m_documents->resetCounter();
    m_documents->openDocument(path);
}

void MainWindow::openStartFiles(const QStringList& files)
{
    openStartFile(QString());
    m_documents->markStartDocument();
    for (const QString& file : files)
        m_documents->openDocument(file);
}

void MainWindow::startRecovery(const QString& folder)
{
    m_recovery->start(folder);
}

void MainWindow::receiveHandOff(const QString& path)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    // A start without a file only brings the window up.
    m_handOffs->deliver(path);
}

void MainWindow::receiveHandOffs(const QStringList& paths)
{
    if (paths.isEmpty()) {
        receiveHandOff(QString());
        return;
    }
    for (const QString& path : paths)
        receiveHandOff(path);
}

void MainWindow::endSession()
{
    // Nobody is there to answer: no question, no message box.
    if (m_recovery->started())
        m_recovery->keepForNextStart();
    if (!writeSettings())
        qWarning("Quenwick: the settings could not be written at the end of the session");
    m_preview->deletePreviewFiles();
}

QString MainWindow::statusText(int panel) const
{
    return panel >= 0 && panel < m_panels.size() ? m_panels.at(panel)->text() : QString();
}

void MainWindow::updateStatusBar()
{
    const ScintillaEditor* e = m_documents->current();
    if (e == nullptr)
        return;
    m_caretPositionPending = false;
    showPanelText(m_panels.at(0), caretPositionText(e->caretLine(), e->caretColumn()));
    updateStatusFlags();
}

void MainWindow::updateStatusFlags()
{
    const ScintillaEditor* e = m_documents->current();
    if (e == nullptr)
        return;
    showPanelText(m_panels.at(1), modifiedText(m_documents->showsModified(e)));
    showPanelText(m_panels.at(2), typingModeText(e->overwrite()));
    showPanelText(m_panels.at(4), encodingDisplayName(m_documents->currentEncoding()));
}

void MainWindow::scheduleCaretPosition()
{
    if (m_caretPositionPending)
        return;
    m_caretPositionPending = true;
    // Posted behind the repaint the change asked for (which has the same low
    // priority), so it only does anything when no paint came: a caret moved
    // where nothing is redrawn, or an editor not shown.
    QCoreApplication::postEvent(this, new QEvent(kCaretPositionEvent), Qt::LowEventPriority);
}

void MainWindow::customEvent(QEvent* event)
{
    if (event->type() == kCaretPositionEvent) {
        if (m_caretPositionPending)
            updateStatusBar();
        return;
    }
    QMainWindow::customEvent(event);
}

void MainWindow::updateMenu()
{
    // The source page takes its states from the editor, the design page from
    // the design document; the preview page changes nothing here.
    if (m_pages->pageMode() == PageMode::Source) {
        MenuSnapshot snapshot;
        snapshot.clipboardHasText = m_clipboardHasText;
        if (const ScintillaEditor* e = m_documents->current()) {
            // Cheap reads only: this runs on every key press.
            snapshot.selectionEmpty = e->selectionLength() == 0;
            snapshot.textEmpty = e->length() == 0;
            snapshot.canUndo = e->canUndo();
            snapshot.canRedo = e->canRedo();
            snapshot.wordWrap = e->wordWrap();
        }
        const MenuStates states = computeMenuStates(snapshot);
        for (const CommandEnabled& c : states.enabled)
            m_registry->setEnabled(c.id, c.enabled);
        m_registry->setEnabled(QStringLiteral("edit.selectAll"), true);
        m_registry->setChecked(QStringLiteral("edit.wordWrap"), states.wordWrapChecked);
    } else if (DesignDocument* design = m_pages->designTarget()) {
        // The design page's edit commands follow the design document's
        // states, refreshed whenever it reports a change.
        if (m_designStates != design) {
            m_designStates = design;
            connect(design, &DesignDocument::stateChanged, this, &MainWindow::updateMenu);
        }
        const std::pair<const char*, DesignCommand> edits[] = {
            {"edit.cut", DesignCommand::Cut},     {"edit.copy", DesignCommand::Copy},
            {"edit.paste", DesignCommand::Paste}, {"edit.undo", DesignCommand::Undo},
            {"edit.redo", DesignCommand::Redo},   {"edit.selectAll", DesignCommand::SelectAll}};
        for (const auto& [id, command] : edits)
            m_registry->setEnabled(QString::fromLatin1(id),
                                   design->commandStatus(command) == DesignStatus::Enabled);
        m_registry->setEnabled(QStringLiteral("edit.pasteAsNew"), false);
    }
    m_documents->tabBar()->update();
}

void MainWindow::rebuildRecentMenu()
{
    QMenu* menu = m_commandUi.recentMenu;
    // Deletes the path entries, which the menu owns; "Smazat" is the window's.
    menu->clear();
    const QStringList& list = m_context.settings.recentFiles;
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list.at(i);
        QAction* a = menu->addAction(recentFileCaption(i, path));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    menu->menuAction()->setVisible(!list.isEmpty());
    menu->addSeparator();
    if (m_clearRecent == nullptr)
        m_clearRecent =
            m_registry->makeAction(QStringLiteral("file.clearRecent"), ActionPlace::MainMenu, this);
    menu->addAction(m_clearRecent);
}

void MainWindow::refreshViewChecks()
{
    m_registry->setChecked(QStringLiteral("view.statusBar"), !statusBar()->isHidden());
    m_registry->setChecked(QStringLiteral("view.tabs"), !m_documents->tabBar()->isHidden());
    m_registry->setChecked(QStringLiteral("view.fullScreen"), m_fullScreen);
    m_registry->setChecked(QStringLiteral("view.leftPanel"), m_leftPanel);
}

void MainWindow::refreshToolBarChecks()
{
    for (const ToolBarDef& def : toolBarDefs()) {
        if (def.viewCommand.isEmpty())
            continue;
        const QToolBar* bar = toolBar(def.bar);
        m_registry->setChecked(def.viewCommand.toString(),
                               !bar->isHidden() || m_hiddenWithBand.contains(bar));
    }
}

void MainWindow::prepareEditorPopup()
{
    const ScintillaEditor* e = m_documents->current();
    const EditorPopupState state = editorPopupState(
        m_clipboardHasText, e != nullptr ? e->selectedText() : QString(), m_tagState.attributes);
    auto set = [this](const char* id, bool on) {
        if (QAction* a = m_registry->action(QString::fromLatin1(id), ActionPlace::PopUp))
            a->setEnabled(on && m_registry->hasHandler(QString::fromLatin1(id)));
    };
    set("edit.paste", state.paste);
    set("edit.cut", state.cut);
    set("edit.copy", state.copy);
    set("popup.editTag", state.editTag);
    const bool onDesignPage = m_pages->designTarget() != nullptr;
    set("popup.textToTable", !onDesignPage);
    set("popup.addBreaks", !onDesignPage);
}

void MainWindow::showEditorPopup(const QPoint& globalPos)
{
    m_commandUi.editorPopup->popup(globalPos);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    ScintillaEditor* e = m_documents->current();
    // The program's pop-up, never the editor library's own menu.
    if (event->type() == QEvent::ContextMenu && e != nullptr &&
        (watched == e || watched == e->viewport())) {
        const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        // A misspelt word's corrections come first: under the mouse, or at
        // the caret for the menu key.
        std::optional<QPoint> at;
        if (watched == e->viewport() && menuEvent->reason() == QContextMenuEvent::Mouse)
            at = menuEvent->pos();
        m_spelling->preparePopup(*m_commandUi.editorPopup, *e, at);
        showEditorPopup(menuEvent->globalPos());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setBandHidden(bool hidden)
{
    if (hidden) {
        for (QToolBar* bar : m_commandUi.toolBars) {
            if (!bar->isFloating() && !bar->isHidden() && !m_hiddenWithBand.contains(bar)) {
                m_hiddenWithBand.append(bar);
                bar->hide();
            }
        }
    } else {
        for (QToolBar* bar : std::as_const(m_hiddenWithBand))
            bar->show();
        m_hiddenWithBand.clear();
    }
}

void MainWindow::findTagAtCaretQuietly()
{
    ScintillaEditor* e = sourceEditor();
    if (e == nullptr)
        return;
    clearTagInspector();
    const TagAtCaret found = findTagAtCaret(*e, false, m_tagState, tagCase());
    // F4 works exactly while the pop-up's entry would be enabled.
    m_registry->setEnabled(QStringLiteral("popup.editTag"), m_tagState.attributes.holdsTag());
    fillTagInspector(found);
}

ScintillaEditor* MainWindow::sourceEditor() const
{
    return m_pages->sourceEditor();
}

void MainWindow::registerEditorAction(const QString& id,
                                      std::function<void(ScintillaEditor&, ActionPlace)> handler)
{
    m_registry->registerAction(id, [this, handler = std::move(handler)](ActionPlace place) {
        if (ScintillaEditor* e = sourceEditor())
            handler(*e, place);
    });
}

TagCaseOptions MainWindow::tagCase() const
{
    return TagCaseOptions{m_context.settings.upperTag};
}

void MainWindow::openDroppedUrls(const QList<QUrl>& urls)
{
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return;
    const QString path = urls.constFirst().toLocalFile();
    if (QFileInfo(path).isFile())
        m_documents->openDocument(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    openDroppedUrls(event->mimeData()->urls());
    event->acceptProposedAction();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_toolBarsRestored)
        restoreToolBarLayout();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    const bool closed = m_documents->closeRequest();
    // The settings are saved at every close request, also a refused one.
    saveSettings();
    if (closed) {
        m_preview->deletePreviewFiles();
        event->accept();
    } else
        event->ignore();
}

} // namespace qw
