// The handlers of the window's commands, registered by id. Each either works
// on the window (documents, views) or, through registerEditorAction, on the
// current editor of the source page, doing nothing when there is none. The
// markup and edit commands act on the design document instead while the
// design page is shown.
// SearchController.h returns its dialogs through QPointer: complete types first.
#include "app/design/DesignActions.h"
#include "app/design/DesignDocument.h"
#include "app/dialogs/FindDialog.h"
#include "app/dialogs/ReplaceDialog.h"
#include "app/dialogs/SearchController.h"
#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/services/ActionRegistry.h"
#include "app/services/FileDialogFilter.h"
#include "app/services/UiServices.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/builders/NewPage.h"
#include "core/commands/RunMarkupCommand.h"
#include "core/markup/EditTagDialogs.h"
#include "core/shell/CommandLayout.h"
#include "core/shell/ShellTexts.h"
#include "core/text/DocumentFile.h"
#include "core/transform/DateTimeText.h"
#include "core/transform/TextTransformCommands.h"

#include <QFileInfo>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

namespace qw {

namespace {
QString id(const char* text)
{
    return QString::fromLatin1(text);
}

// Tool bar buttons and the editor pop-up end an in-place edit of the
// inspector before the command, the main menu does not.
bool fromButtonOrPopUp(ActionPlace place)
{
    return place == ActionPlace::ToolBar || place == ActionPlace::PopUp;
}
} // namespace

void MainWindow::registerCommands()
{
    registerFileCommands();
    registerEditCommands();
    registerViewCommands();
    registerToolCommands();
    registerMarkupCommands();
    registerSearchCommands();
    registerElementCommands();
    m_registry->registerAction(id("help.about"), [this](ActionPlace) {
        m_ui.notify(this, UiServices::Icon::Information, QStringLiteral("Quenwick"));
    });
}

void MainWindow::registerFileCommands()
{
    auto onSourcePage = [this] {
        return m_pages->pageMode() == PageMode::Source;
    };
    // A new document on the design page: the page hands its document back
    // first and then shows the new one (it follows the current document).
    auto makesDocuments = [this, onSourcePage] {
        if (m_pages->designTarget() != nullptr)
            return m_pages->syncIntoEditor();
        return onSourcePage();
    };
    m_registry->registerAction(id("file.new"), [this, makesDocuments](ActionPlace) {
        if (makesDocuments())
            m_documents->openDocument();
    });
    m_registry->registerAction(id("file.blank"), [this, makesDocuments](ActionPlace) {
        if (makesDocuments())
            m_documents->newBlankDocument();
    });
    m_registry->registerAction(id("file.newHtml5"), [this, makesDocuments](ActionPlace) {
        if (!makesDocuments())
            return;
        // A skeleton like the template's: nothing to save until the user types.
        const NewPageText page = buildHtml5Page();
        m_documents->openTextAsNewDocument(page.text, TextEncoding::Utf8);
        if (ScintillaEditor* e = m_documents->current()) {
            e->setModified(false);
            e->setSelectionStart(page.caret);
        }
    });
    m_registry->registerAction(id("file.open"), [this](ActionPlace) {
        m_options.dialogFilter = qtDialogFilter(dialogFilterText(m_context.settings.filters));
        const QString path =
            m_ui.openFileName(this, QString(), m_options.dialogFilter, m_documents->dialogFolder());
        if (path.isEmpty())
            return;
        m_documents->noteChosenFile(path);
        if (!m_pages->syncIntoEditor())
            return;
        // The preview shows the chosen file itself.
        if (m_documents->openDocument(path))
            m_pages->showFile(path);
    });
    m_registry->registerAction(id("file.save"), [this](ActionPlace) { m_documents->save(); });
    m_registry->registerAction(id("file.saveAs"), [this](ActionPlace) { m_documents->saveAs(); });
    m_registry->registerAction(id("file.saveAll"), [this](ActionPlace) { m_documents->saveAll(); });
    m_registry->registerAction(id("file.close"), [this](ActionPlace place) {
        if (fromButtonOrPopUp(place))
            clearTagInspector();
        m_documents->closeDocument();
    });
    m_registry->registerAction(id("file.closeAll"),
                               [this](ActionPlace) { m_documents->closeAll(); });
    m_registry->registerAction(id("file.quit"), [this](ActionPlace) { close(); });
    m_registry->registerAction(id("file.clearRecent"), [this](ActionPlace) { clearRecentFiles(); });
    m_registry->registerAction(id("edit.pasteAsNew"), [this, onSourcePage](ActionPlace) {
        if (onSourcePage())
            m_documents->pasteAsNewDocument();
    });
    m_registry->registerAction(id("tools.insertFile"), [this](ActionPlace) { insertFile(); });
}

void MainWindow::registerEditCommands()
{
    struct Clip
    {
        const char* id;
        void (EditorWidget::*run)();
        DesignCommand design;
        // Ends an in-place edit of the inspector only from a button or the
        // pop-up.
        bool fromButtonOnly;
    };
    const Clip clips[] = {
        {"edit.cut", &EditorWidget::cutToClipboard, DesignCommand::Cut, true},
        {"edit.copy", &EditorWidget::copyToClipboard, DesignCommand::Copy, true},
        {"edit.paste", &EditorWidget::pasteFromClipboard, DesignCommand::Paste, true},
        {"edit.undo", &EditorWidget::undo, DesignCommand::Undo, false},
        {"edit.redo", &EditorWidget::redo, DesignCommand::Redo, false},
        {"edit.selectAll", &EditorWidget::selectAll, DesignCommand::SelectAll, false}};
    for (const Clip& clip : clips) {
        m_registry->registerAction(id(clip.id), [this, clip](ActionPlace place) {
            if (ScintillaEditor* e = sourceEditor()) {
                if (!clip.fromButtonOnly || fromButtonOrPopUp(place))
                    clearTagInspector();
                (static_cast<EditorWidget&>(*e).*clip.run)();
            } else if (DesignDocument* d = m_pages->designTarget()) {
                runDesignEditCommand(*d, clip.design);
            }
        });
    }
    registerEditorAction(id("edit.wordWrap"), [this](ScintillaEditor& e, ActionPlace place) {
        // The entry's check was toggled by the click; the editor follows it.
        const QAction* entry = m_registry->action(id("edit.wordWrap"), place);
        e.setWordWrap(entry != nullptr ? entry->isChecked() : !e.wordWrap());
        updateMenu();
    });
    registerEditorAction(id("popup.editTag"), [this](ScintillaEditor& e, ActionPlace) {
        const EditTagTarget target = runEditTagSearch(e, m_tagState, tagCase());
        if (target.row != nullptr) {
            clearTagInspector();
            openEditTagDialog(target);
        }
    });
}

void MainWindow::registerSearchCommands()
{
    m_search = new SearchController(
        m_ui, this, [this]() -> EditorWidget* { return sourceEditor(); },
        [this] { clearTagInspector(); }, this);
    m_registry->registerAction(id("edit.find"), [this](ActionPlace place) {
        if (place == ActionPlace::ToolBar)
            clearTagInspector();
        if (DesignDocument* d = m_pages->designTarget())
            findInDesign(*d, true);
        else
            m_search->showFind();
    });
    m_registry->registerAction(id("edit.findNext"), [this](ActionPlace) {
        if (DesignDocument* d = m_pages->designTarget())
            findInDesign(*d, m_designFindText.isEmpty());
        else
            m_search->findNext();
    });
    m_registry->registerAction(id("edit.replace"), [this](ActionPlace place) {
        if (place == ActionPlace::ToolBar)
            clearTagInspector();
        m_search->showReplace();
    });
    m_registry->registerAction(id("edit.gotoLine"), [this](ActionPlace) { m_search->gotoLine(); });
}

void MainWindow::registerViewCommands()
{
    for (const ToolBarDef& def : toolBarDefs()) {
        if (def.viewCommand.isEmpty())
            continue;
        const ToolBarId bar = def.bar;
        const QString command = def.viewCommand.toString();
        m_registry->registerAction(command, [this, bar, command](ActionPlace place) {
            const QAction* entry = m_registry->action(command, place);
            QToolBar* tb = toolBar(bar);
            const bool show = entry != nullptr ? entry->isChecked() : tb->isHidden();
            m_hiddenWithBand.removeAll(tb);
            tb->setVisible(show);
        });
    }
    m_registry->registerAction(id("view.statusBar"), [this](ActionPlace place) {
        const QAction* entry = m_registry->action(id("view.statusBar"), place);
        statusBar()->setVisible(entry != nullptr ? entry->isChecked() : statusBar()->isHidden());
    });
    m_registry->registerAction(id("view.tabs"), [this](ActionPlace place) {
        const QAction* entry = m_registry->action(id("view.tabs"), place);
        QTabBar* tabs = m_documents->tabBar();
        tabs->setVisible(entry != nullptr ? entry->isChecked() : tabs->isHidden());
    });
    m_registry->registerAction(id("view.leftPanel"), [this](ActionPlace) {
        showLeftPanel(!m_leftPanel);
        m_registry->setChecked(id("view.leftPanel"), m_leftPanel);
    });
    m_registry->registerAction(id("view.source"),
                               [this](ActionPlace) { m_pages->switchTo(PageMode::Source); });
    m_registry->registerAction(id("view.fullScreen"), [this](ActionPlace place) {
        const QAction* entry = m_registry->action(id("view.fullScreen"), place);
        m_fullScreen = entry != nullptr ? entry->isChecked() : !m_fullScreen;
        setBandHidden(m_fullScreen);
    });
    m_registry->registerAction(id("view.fullScreenButton"), [this](ActionPlace) {
        m_fullScreen = !m_fullScreen;
        setBandHidden(m_fullScreen);
        if (m_fullScreen)
            showMaximized();
    });
}

void MainWindow::registerToolCommands()
{
    m_registry->registerAction(id("tools.dateTime"), [this](ActionPlace) {
        if (ScintillaEditor* e = sourceEditor()) {
            clearTagInspector();
            insertDateTime(*e, m_ui.now());
        } else if (DesignDocument* d = m_pages->designTarget()) {
            d->pasteHtml(dateTimeText(m_ui.now()).toHtmlEscaped());
        }
    });
    // On the design page the editor takes the design view's document, is
    // transformed, and the design page shows the result.
    m_registry->registerAction(id("tools.removeDiacritics"), [this](ActionPlace) {
        if (ScintillaEditor* e = sourceEditor()) {
            clearTagInspector();
            runTextTransformation(*e, TextTransformation::RemoveDiacritics);
        } else if (m_pages->designTarget() != nullptr) {
            if (!m_pages->syncIntoEditor())
                return;
            if (ScintillaEditor* current = m_documents->current())
                runTextTransformation(*current, TextTransformation::RemoveDiacritics);
            m_pages->followCurrentDocument();
        }
    });
    struct Tool
    {
        const char* id;
        TextTransformation transformation;
    };
    const Tool tools[] = {
        {"tools.textToHtml", TextTransformation::TextToHtml},
        {"tools.removeHtml", TextTransformation::RemoveHtml},
        {"tools.removeSurplusLines", TextTransformation::RemoveSurplusLines},
        {"tools.tagsUpper", TextTransformation::TagsToUpperCase},
        {"tools.tagsLower", TextTransformation::TagsToLowerCase},
        {"tools.upper", TextTransformation::UpperCase},
        {"tools.lower", TextTransformation::LowerCase},
        {"tools.invert", TextTransformation::InvertCase},
        {"tools.firstCapital", TextTransformation::FirstCapital},
    };
    for (const Tool& tool : tools) {
        registerEditorAction(
            id(tool.id), [this, t = tool.transformation](ScintillaEditor& e, ActionPlace) {
                clearTagInspector();
                runTextTransformation(
                    e, t, {m_context.settings.templateHead, m_context.settings.templateFoot});
            });
    }
    // The selection tools of the pop-up act on the current editor on any page
    // but the design page, whose document would overwrite their result the
    // next time it is handed back (there they are disabled).
    const Tool selectionTools[] = {{"popup.textToTable", TextTransformation::TextToTable},
                                   {"popup.addBreaks", TextTransformation::AddLineBreaks}};
    for (const Tool& tool : selectionTools) {
        m_registry->registerAction(id(tool.id), [this, t = tool.transformation](ActionPlace) {
            if (m_pages->designTarget() != nullptr)
                return;
            if (ScintillaEditor* e = m_documents->current()) {
                clearTagInspector();
                runTextTransformation(*e, t);
            }
        });
    }
}

void MainWindow::registerMarkupCommands()
{
    for (const MarkupCommand& row : markupCommands()) {
        const MarkupCommandId markup = row.id;
        m_registry->registerAction(markupActionId(markup), [this, markup](ActionPlace place) {
            const CommandSource source =
                place == ActionPlace::ToolBar ? CommandSource::ToolBarButton : CommandSource::Menu;
            const MarkupCommand& command = markupCommand(markup);
            if (ScintillaEditor* e = sourceEditor()) {
                if (!keepsInspectorEdit(command, source))
                    clearTagInspector();
                runMarkupCommand(*e, markup, tagCase());
            } else if (DesignDocument* d = m_pages->designTarget()) {
                runDesignAction(*d, designAction(command, source), command.startText);
            }
        });
    }
    // The form element commands open the form element dialog on the source
    // page; it arrives later, so they have no handler yet.
}

void MainWindow::findInDesign(DesignDocument& design, bool ask)
{
    // The design view searches its own document: the text is asked for
    // here, the view finds and selects the next occurrence.
    if (design.commandStatus(DesignCommand::FindText) != DesignStatus::Enabled)
        return;
    if (ask) {
        const std::optional<QString> text = m_ui.inputText(
            this, QStringLiteral("Hledat"), QStringLiteral("Hledaný text:"), m_designFindText);
        if (!text || text->isEmpty())
            return;
        m_designFindText = *text;
    }
    design.runCommand(DesignCommand::FindText, kDesignDefault, m_designFindText);
}

void MainWindow::insertFile()
{
    // The source page inserts the file's text; the design page pastes it as
    // markup over its selection, which a whole selected object never takes.
    DesignDocument* design = m_pages->designTarget();
    if (sourceEditor() == nullptr &&
        (design == nullptr ||
         design->selectionType().compare(u"Control", Qt::CaseInsensitive) == 0))
        return;
    m_options.dialogFilter = qtDialogFilter(dialogFilterText(m_context.settings.filters));
    const QString path = m_ui.openFileName(
        this, QString(),
        qtDialogFilter(QStringLiteral("Textový soubor (*.txt)|*.txt|Všechny soubory (*.*)|*.*|")),
        m_documents->dialogFolder());
    if (path.isEmpty())
        return;
    m_documents->noteChosenFile(path);
    const DocumentReadResult read = readDocumentFile(path);
    if (!read.ok) {
        m_ui.notify(this, UiServices::Icon::Error, read.errorText);
        return;
    }
    if (ScintillaEditor* e = sourceEditor())
        e->replaceSelection(read.text);
    else if (DesignDocument* d = m_pages->designTarget())
        d->pasteHtml(read.text);
    clearTagInspector();
}

void MainWindow::openRecentFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        m_ui.notify(this, UiServices::Icon::None, recentFileMissingText(path));
        return;
    }
    // As the open command does: the preview page shows the file itself.
    if (!m_pages->syncIntoEditor())
        return;
    if (m_documents->openDocument(path))
        m_pages->showFile(path);
}

void MainWindow::clearRecentFiles()
{
    // The stored list goes at once, not only at the next close.
    QJsonObject root = m_context.userStore.read();
    if (root.contains(QStringLiteral("RecentFiles"))) {
        root.remove(QStringLiteral("RecentFiles"));
        if (!m_context.userStore.write(root)) {
            m_ui.notify(this, UiServices::Icon::Error,
                        QStringLiteral("Nastavení se nepodařilo uložit."));
        }
    }
    m_context.settings.recentFiles.clear();
}

} // namespace qw
