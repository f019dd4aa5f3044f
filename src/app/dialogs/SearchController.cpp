#include "app/dialogs/SearchController.h"

#include "app/dialogs/FindDialog.h"
#include "app/dialogs/ReplaceDialog.h"
#include "app/services/UiServices.h"
#include "core/editor/FindReplace.h"
#include "core/editor/GotoLineInput.h"
#include "core/editor/SearchTexts.h"

#include <QWidget>

namespace qw {

SearchController::SearchController(UiServices& ui, QWidget* window,
                                   std::function<EditorWidget*()> currentEditor,
                                   std::function<void()> clearInspector, QObject* parent)
    : QObject(parent), m_ui(ui), m_window(window), m_currentEditor(std::move(currentEditor)),
      m_clearInspector(std::move(clearInspector)), m_find(new FindDialog(window)),
      m_replace(new ReplaceDialog(window))
{
    connect(m_find, &FindDialog::findNextRequested, this, &SearchController::findFromFindDialog);
    connect(m_replace, &ReplaceDialog::findNextRequested, this,
            &SearchController::findFromReplaceDialog);
    connect(m_replace, &ReplaceDialog::replaceRequested, this, &SearchController::replaceOne);
    connect(m_replace, &ReplaceDialog::replaceAllRequested, this, &SearchController::replaceEvery);
}

SearchController::~SearchController()
{
    // The window may already have deleted its children (the dialogs) when it
    // owns this controller too; otherwise they go with the controller.
    delete m_find.data();
    delete m_replace.data();
}

void SearchController::showFind()
{
    m_find->present();
}

void SearchController::showReplace()
{
    m_replace->present();
}

bool SearchController::findNextEnabled() const
{
    return m_findNextEnabled;
}

FindDialog* SearchController::findDialog() const
{
    return m_find;
}

ReplaceDialog* SearchController::replaceDialog() const
{
    return m_replace;
}

void SearchController::findNext()
{
    EditorWidget* editor = m_currentEditor();
    if (!editor)
        return;
    setFindNextEnabled(runFind(*editor, m_find->findText(), m_find->options(), m_window));
}

void SearchController::findFromFindDialog()
{
    EditorWidget* editor = m_currentEditor();
    if (!editor)
        return;
    setFindNextEnabled(runFind(*editor, m_find->findText(), m_find->options(), m_find));
}

void SearchController::findFromReplaceDialog()
{
    if (EditorWidget* editor = m_currentEditor())
        runFind(*editor, m_replace->findText(), m_replace->options(), m_replace);
}

bool SearchController::runFind(EditorWidget& editor, const QString& what,
                               const FindOptions& options, QWidget* noticeParent)
{
    const bool found = findText(editor, what, options);
    focusEditor(editor);
    if (found)
        m_clearInspector();
    else
        m_ui.notify(noticeParent, UiServices::Icon::Information, notFoundMessage(what));
    return found;
}

void SearchController::replaceOne()
{
    EditorWidget* editor = m_currentEditor();
    if (!editor)
        return;
    // Not the core's replaceNext: the inspector's open edit has to be closed
    // between finding the match and replacing it, so the steps are spelled
    // out here. Starting at selectionStart() + selectionLength() finds the
    // match of a forward search again, and removes any selection.
    editor->setSelectionStart(editor->selectionStart() + editor->selectionLength());
    FindOptions options = m_replace->options();
    options.forward = true;
    const QString what = m_replace->findText();
    const bool found = findText(*editor, what, options);
    focusEditor(*editor);
    if (!found) {
        m_ui.notify(m_replace, UiServices::Icon::Information, notFoundMessage(what));
        return;
    }
    m_clearInspector();
    editor->replaceSelection(m_replace->replaceText());
}

void SearchController::replaceEvery()
{
    EditorWidget* editor = m_currentEditor();
    if (!editor)
        return;
    // One bulk replacement, one undo step, and no copy of the whole text.
    // Text before the caret is left for a second pass the user agrees to.
    const qsizetype count = replaceAllWrapping(
        *editor, m_replace->findText(), m_replace->replaceText(), m_replace->options(),
        [this] { return m_ui.askYesNo(m_replace, goOnFromStartQuestion()); });
    focusEditor(*editor);
    if (count > 0)
        m_clearInspector();
    m_replace->close();
    // The count even when it is 0: a replace that found nothing must not
    // look like one that worked.
    m_ui.notify(m_window, UiServices::Icon::Information, replaceCountMessage(count));
}

void SearchController::gotoLine()
{
    EditorWidget* editor = m_currentEditor();
    if (!editor)
        return;
    const std::optional<QString> answer =
        m_ui.inputText(m_window, gotoLineTitle(), gotoLinePrompt(editor->lineCount()), QString());
    if (!answer)
        return;
    const std::optional<int> index = gotoLineIndex(*answer);
    if (!index) {
        m_ui.notify(m_window, UiServices::Icon::Information, gotoLineNotIntegerMessage());
        return;
    }
    editor->gotoLine(*index);
    focusEditor(*editor);
    m_clearInspector();
}

void SearchController::focusEditor(EditorWidget& editor) const
{
    // The editor of the window is a widget; the in-memory one is not.
    if (auto* widget = dynamic_cast<QWidget*>(&editor)) {
        widget->activateWindow();
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void SearchController::setFindNextEnabled(bool enabled)
{
    if (enabled == m_findNextEnabled)
        return;
    m_findNextEnabled = enabled;
    Q_EMIT findNextEnabledChanged(enabled);
}

} // namespace qw
