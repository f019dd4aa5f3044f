#include "app/shell/DocumentManager.h"

#include "app/editor/HighlightTheme.h"
#include "app/editor/ScintillaEditor.h"
#include "app/services/UiServices.h"
#include "core/shell/ShellTexts.h"
#include "core/text/CharsetDeclaration.h"
#include "core/text/DocumentFile.h"
#include "core/text/SaveFormat.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>

namespace qw {

namespace {
const QString kAlreadyOpen = QStringLiteral("Tento soubor je již otevřen!");
} // namespace

DocumentManager::DocumentManager(UiServices& ui, const DocumentOptions& options, QWidget* window)
    : QObject(window), m_ui(ui), m_options(options), m_window(window), m_stack(new QStackedWidget),
      m_tabs(new QTabBar), m_navigation(new QToolBar)
{
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { scheduleDiskCheck(); });
    if (m_window != nullptr)
        m_window->installEventFilter(this);
    // A check put off while a question was open runs after its answer.
    connect(this, &DocumentManager::questionAnswered, this, [this] {
        if (m_diskCheckPending)
            scheduleDiskCheck();
    });
    m_tabs->setObjectName(QStringLiteral("tsMemo"));
    m_tabs->setAccessibleName(QStringLiteral("Dokumenty"));
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setExpanding(false);
    m_tabs->setDocumentMode(true);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_switching && index >= 0)
            changeTab(index);
    });

    m_navigation->setObjectName(QStringLiteral("tbEditorBar"));
    m_navigation->setIconSize(QSize(16, 16));
    m_navigation->setMovable(false);
    auto action = [this](const char* icon, const QString& hint, auto slot) {
        QAction* a = m_navigation->addAction(QIcon::fromTheme(QString::fromLatin1(icon)), hint);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_close = action("window-close", QStringLiteral("Zavřít"), [this] { closeDocument(); });
    m_first = action("go-first", QStringLiteral("První"), [this] { changeTab(0); });
    m_previous = action("go-previous", QStringLiteral("Předchozí"),
                        [this] { changeTab(m_docs.activeIndex() - 1); });
    m_next =
        action("go-next", QStringLiteral("Další"), [this] { changeTab(m_docs.activeIndex() + 1); });
    m_last =
        action("go-last", QStringLiteral("Poslední"), [this] { changeTab(m_docs.count() - 1); });
    updateNavigation();
}

ScintillaEditor* DocumentManager::current() const
{
    const DocumentList::Entry* e = m_docs.active();
    return e ? m_editors.value(e->key) : nullptr;
}

QString DocumentManager::currentPath() const
{
    const DocumentList::Entry* e = m_docs.active();
    return e ? e->path : QString();
}

QString DocumentManager::currentFilePath() const
{
    const QString path = currentPath();
    return DocumentList::isUntitled(path) ? QString() : path;
}

TextEncoding DocumentManager::currentEncoding() const
{
    return encodingAt(m_docs.activeIndex());
}

void DocumentManager::openTextAsNewDocument(const QString& text, TextEncoding encoding)
{
    openDocument();
    ScintillaEditor* e = current();
    if (e == nullptr)
        return;
    m_encodings.insert(m_docs.active()->key, encoding);
    e->setText(text);
    e->clearUndo();
    // The text lives nowhere else yet: closing the tab must ask.
    e->setModified(true);
    updateTabs();
    Q_EMIT stateChanged();
}

ScintillaEditor* DocumentManager::editorAt(int index) const
{
    if (index < 0 || index >= m_docs.count())
        return nullptr;
    return m_editors.value(m_docs.at(index).key);
}

int DocumentManager::indexOfEditor(const ScintillaEditor* editor) const
{
    for (int i = 0; i < m_docs.count(); ++i) {
        if (m_editors.value(m_docs.at(i).key) == editor)
            return i;
    }
    return -1;
}

QString DocumentManager::pathAt(int index) const
{
    if (index < 0 || index >= m_docs.count())
        return {};
    return m_docs.at(index).path;
}

void DocumentManager::chooseEncoding(TextEncoding encoding)
{
    const DocumentList::Entry* e = m_docs.active();
    if (e == nullptr)
        return;
    m_encodings.insert(e->key, encoding);
    m_chosenEncodings.insert(e->key);
    Q_EMIT stateChanged();
}

TextEncoding DocumentManager::encodingAt(int index) const
{
    if (index < 0 || index >= m_docs.count())
        return TextEncoding::Windows1250;
    return m_encodings.value(m_docs.at(index).key, TextEncoding::Windows1250);
}

QString DocumentManager::templateText() const
{
    QString text;
    for (const QString& line : m_options.templateHead)
        text += line + QStringLiteral("\r\n");
    text += QStringLiteral("\r\n\r\n");
    for (const QString& line : m_options.templateFoot)
        text += line + QStringLiteral("\r\n");
    return text;
}

ScintillaEditor* DocumentManager::createEditor(int key)
{
    auto* editor = new ScintillaEditor;
    editor->setObjectName(QStringLiteral("newedit%1").arg(key));
    editor->setWordWrap(true);
    editor->setHighlightTheme(&HighlightTheme::shared());
    connect(editor, &QsciScintilla::textChanged, this, [this, editor] {
        if (editor == current())
            Q_EMIT editorChanged();
    });
    connect(editor, &QsciScintilla::modificationChanged, this, [this] { updateTabs(); });
    connect(editor, &QsciScintilla::cursorPositionChanged, this, [this, editor] {
        if (editor == current())
            Q_EMIT editorChanged();
    });
    connect(editor, &QsciScintillaBase::SCN_PAINTED, this, [this, editor] {
        if (editor == current())
            Q_EMIT editorPainted();
    });
    connect(editor, &ScintillaEditor::released, this, [this, editor] {
        if (editor == current())
            Q_EMIT editorReleased();
    });
    m_stack->addWidget(editor);
    Q_EMIT editorAdded(editor);
    return editor;
}

bool DocumentManager::openDocument(const QString& path)
{
    DocumentReadResult read;
    if (!path.isEmpty()) {
        if (!QFileInfo(path).isFile()) {
            notify(UiServices::Icon::Error, cannotOpenText());
            return false;
        }
        read = readDocumentFile(path);
        if (!read.ok) {
            notify(UiServices::Icon::Error, cannotOpenText());
            return false;
        }
        const int open = m_docs.indexOfPath(path);
        // A picture opened by mistake would be rewritten by the first save.
        if (open < 0 && !read.looksLikeText && !mayOpenNotText(path))
            return false;
        Q_EMIT pathTouched(path);
        if (open >= 0) {
            activate(open);
            notify(UiServices::Icon::Information, kAlreadyOpen);
            return false;
        }
    }

    const DocumentList::Entry& entry = m_docs.add(path);
    const int key = entry.key;
    const QString docPath = entry.path;
    if (!path.isEmpty() && !read.looksLikeText)
        m_docs.setReadOnly(m_docs.count() - 1, true);
    ScintillaEditor* editor = createEditor(key);
    m_editors.insert(key, editor);
    m_encodings.insert(key, path.isEmpty() ? TextEncoding::Windows1250 : read.encoding);
    editor->setAccessibleName(docPath);

    const bool fromTemplate = path.isEmpty() && m_options.docFromTemplate;
    m_switching = true;
    m_tabs->addTab(DocumentList::tabText(m_docs.at(m_docs.count() - 1)));
    m_switching = false;
    activate(m_docs.count() - 1);

    if (!path.isEmpty()) {
        editor->setText(read.text);
        rememberFile(key, path);
    } else if (fromTemplate)
        editor->setText(templateText());
    if (fromTemplate) {
        qsizetype foot = 0;
        for (const QString& line : m_options.templateFoot)
            foot += line.size() + 2;
        editor->setSelectionStart(editor->length() - foot);
    }
    editor->clearUndo();
    editor->setModified(false);
    updateTabs();
    Q_EMIT stateChanged();
    if (!path.isEmpty())
        dropUntouchedStartDocument();
    return true;
}

void DocumentManager::newBlankDocument()
{
    openDocument();
    if (ScintillaEditor* e = current()) {
        e->setText(QString());
        e->clearUndo();
        e->setModified(false);
    }
}

void DocumentManager::pasteAsNewDocument()
{
    openDocument();
    ScintillaEditor* e = current();
    if (e == nullptr)
        return;
    e->setText(QString());
    QString head;
    for (const QString& line : m_options.templateHead)
        head += line + QStringLiteral("\r\n");
    e->replaceSelection(head);
    e->pasteFromClipboard();
    QString foot;
    for (const QString& line : m_options.templateFoot)
        foot += QStringLiteral("\r\n") + line;
    e->replaceSelection(foot);
}

ScintillaEditor* DocumentManager::editorOfFile(const QString& path) const
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (int i = 0; i < count(); ++i) {
        const QString open = pathAt(i);
        if (!open.isEmpty() && QFileInfo(open).canonicalFilePath() == wanted)
            return editorAt(i);
    }
    return nullptr;
}

ScintillaEditor* DocumentManager::showDocumentOf(const QString& path)
{
    if (ScintillaEditor* open = editorOfFile(path)) {
        activate(indexOfEditor(open));
        return open;
    }
    return openDocument(path) ? current() : nullptr;
}

void DocumentManager::activate(int index)
{
    if (index < 0 || index >= m_docs.count())
        return;
    m_docs.setActiveIndex(index);
    m_switching = true;
    m_tabs->setCurrentIndex(index);
    m_switching = false;
    if (ScintillaEditor* e = current()) {
        m_stack->setCurrentWidget(e);
        e->setFocus();
        applySettings();
    }
    setWindowCaption();
    updateNavigation();
    Q_EMIT currentChanged();
    Q_EMIT stateChanged();
}

void DocumentManager::changeTab(int index)
{
    if (index != m_docs.activeIndex() && !syncPage()) {
        m_switching = true;
        m_tabs->setCurrentIndex(m_docs.activeIndex());
        m_switching = false;
        return;
    }
    activate(index);
}

void DocumentManager::applySettings()
{
    if (ScintillaEditor* e = current()) {
        e->applyLook(m_options.fontName, m_options.fontSize, m_options.fontColor,
                     m_options.backColor, m_options.tabWidth);
    }
}

void DocumentManager::setWindowCaption()
{
    if (m_window != nullptr && m_docs.active() != nullptr)
        m_window->setWindowTitle(DocumentList::windowText(*m_docs.active()));
}

bool DocumentManager::showsModified(const ScintillaEditor* editor) const
{
    return editor != nullptr &&
           (editor->isModified() || (m_pageHoldsEdits && m_pageHoldsEdits(editor, false)));
}

void DocumentManager::updateTabs()
{
    for (int i = 0; i < m_docs.count(); ++i) {
        ScintillaEditor* e = editorAt(i);
        const bool modified = showsModified(e);
        m_tabs->setTabTextColor(i, modified ? QColor(0, 0, 255) : QColor(0, 0, 0));
    }
}

void DocumentManager::updateNavigation()
{
    const DocumentList::Navigation n = m_docs.navigation();
    m_first->setEnabled(n.first);
    m_previous->setEnabled(n.previous);
    m_next->setEnabled(n.next);
    m_last->setEnabled(n.last);
}

QString DocumentManager::dialogFolder() const
{
    const QString path = currentPath();
    if (!path.isEmpty() && !DocumentList::isUntitled(path))
        return QFileInfo(path).absolutePath();
    return m_lastFolder;
}

void DocumentManager::noteChosenFile(const QString& path)
{
    m_lastFolder = QFileInfo(path).absolutePath();
}

bool DocumentManager::mayOpenNotText(const QString& path)
{
    const QuestionScope open(*this);
    return m_ui.askYesNo(m_window, notTextQuestion(path));
}

bool DocumentManager::isReadOnlyAt(int index) const
{
    return index >= 0 && index < m_docs.count() && m_docs.at(index).readOnly;
}

void DocumentManager::refreshTabText(int index)
{
    m_tabs->setTabText(index, DocumentList::tabText(m_docs.at(index)));
    if (index == m_docs.activeIndex())
        setWindowCaption();
}

UiServices::Answer DocumentManager::askToSave(const QString& path)
{
    const QuestionScope open(*this);
    return m_ui.askYesNoCancel(m_window, saveQuestionText(path));
}

void DocumentManager::notify(UiServices::Icon icon, const QString& text)
{
    const QuestionScope open(*this);
    m_ui.notify(m_window, icon, text);
}

bool DocumentManager::writeDocument(int index, const QString& path)
{
    ScintillaEditor* e = editorAt(index);
    if (e == nullptr)
        return false;
    if (!mayOverwrite(index, path))
        return false;
    e->setLineBreak(lineBreakForSaveFormat(m_options.saveFormat, e->lineBreak()));
    const QString text = e->text();
    const int key = m_docs.at(index).key;
    // A new page is written as it says it is, unless the user chose otherwise.
    if (DocumentList::isUntitled(pathAt(index)) && !m_chosenEncodings.contains(key)) {
        if (const auto declared = declaredEncoding(text);
            declared && *declared != encodingAt(index))
            m_encodings.insert(key, *declared);
    }
    const FileWriteResult result = writeDocumentFile(path, text, e->lineBreak(), encodingAt(index));
    if (!result.ok) {
        notify(UiServices::Icon::Error, cannotSaveText(path, result.errorText));
        return false;
    }
    rememberFile(m_docs.at(index).key, path);
    return true;
}

bool DocumentManager::save()
{
    const int index = m_docs.activeIndex();
    if (index < 0)
        return false;
    if (DocumentList::isUntitled(pathAt(index)))
        return saveAs();
    if (!syncPage())
        return false;
    switch (DocumentList::saveTarget(m_docs.at(index), editorAt(index)->isModified())) {
    case DocumentList::SaveTarget::NewName:
        return saveAs();
    case DocumentList::SaveTarget::Nothing:
        // Nothing differs from the file, which is not the editor's to write.
        return true;
    case DocumentList::SaveTarget::OwnFile:
        break;
    }
    if (!writeDocument(index, pathAt(index)))
        return false;
    if (!(m_keepsModified && m_keepsModified()))
        editorAt(index)->setModified(false);
    updateTabs();
    Q_EMIT stateChanged();
    return true;
}

bool DocumentManager::saveAs()
{
    const int index = m_docs.activeIndex();
    if (index < 0)
        return false;
    QString suffix = m_options.defaultExt;
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    // A read-only file is never proposed as its own target: its name with
    // the extension of a page instead.
    QString proposed = pathAt(index);
    if (isReadOnlyAt(index)) {
        const QFileInfo file(proposed);
        proposed = file.absolutePath() + u'/' + file.completeBaseName() + u'.' + suffix;
    }
    QString chosen;
    {
        const QuestionScope open(*this);
        chosen =
            m_ui.saveFileName(m_window, dialogFolder(), proposed, m_options.dialogFilter, suffix);
    }
    if (chosen.isEmpty())
        return false;
    noteChosenFile(chosen);
    if (!DocumentList::mayWriteTo(m_docs.at(index), chosen)) {
        notify(UiServices::Icon::Error, readOnlyTargetText(chosen));
        return false;
    }
    // Another tab holding the chosen file would go on showing, and later
    // saving, its old text over the new one.
    const int holder = m_docs.indexOfPath(chosen);
    if (holder >= 0 && holder != index) {
        notify(UiServices::Icon::Information, kAlreadyOpen);
        return false;
    }
    if (!syncPage())
        return false;
    const bool relinked = relinkForFirstSave(index, chosen);
    if (!writeDocument(index, chosen)) {
        // Still without a file: its addresses stay absolute.
        if (relinked)
            editorAt(index)->undo();
        return false;
    }
    m_insertedLinks.remove(m_docs.at(index).key);
    m_docs.setPath(index, chosen);
    // The new file holds the editor's text: it is the document's own.
    m_docs.setReadOnly(index, false);
    refreshTabText(index);
    editorAt(index)->setAccessibleName(chosen);
    editorAt(index)->setModified(false);
    setWindowCaption();
    updateTabs();
    Q_EMIT pathTouched(chosen);
    Q_EMIT stateChanged();
    return true;
}

bool DocumentManager::syncPage()
{
    return !m_syncIntoEditor || m_syncIntoEditor();
}

void DocumentManager::saveAll()
{
    // Each tab made current on the way shows on the page, which hands it
    // back when the next one comes.
    if (!syncPage())
        return;
    const int start = m_docs.activeIndex();
    const int n = m_docs.count();
    for (int i = 0; i < n; ++i) {
        ScintillaEditor* e = current();
        if (e != nullptr && e->isModified() && DocumentList::savedByAll(*m_docs.active())) {
            const auto answer = askToSave(currentPath());
            if (answer == UiServices::Answer::Cancel)
                return;
            if (answer == UiServices::Answer::Yes)
                save();
        }
        activate(m_docs.nextIndex(m_docs.activeIndex()));
    }
    activate(start);
}

void DocumentManager::removeActive()
{
    const DocumentList::Entry* e = m_docs.active();
    if (e == nullptr)
        return;
    const int key = e->key;
    const int index = m_docs.activeIndex();
    ScintillaEditor* editor = m_editors.take(key);
    m_encodings.remove(key);
    m_chosenEncodings.remove(key);
    m_insertedLinks.remove(key);
    forgetFile(key);
    m_docs.removeActive();
    m_switching = true;
    m_tabs->removeTab(index);
    m_switching = false;
    if (editor != nullptr) {
        m_stack->removeWidget(editor);
        editor->deleteLater();
    }
}

DocumentManager::CloseOutcome DocumentManager::closeActive(bool allowStep)
{
    ScintillaEditor* e = current();
    if (e == nullptr)
        return CloseOutcome::Closed;
    if (e->isModified()) {
        const auto answer = askToSave(currentPath());
        if (answer == UiServices::Answer::Cancel)
            return CloseOutcome::Cancelled;
        // A document whose saving was cancelled or failed stays open: closing
        // it would throw the user's work away.
        if (answer == UiServices::Answer::Yes && !save())
            return CloseOutcome::Kept;
        removeActive();
    } else {
        removeActive();
        if (allowStep)
            m_docs.stepRightAfterClose();
    }
    return CloseOutcome::Closed;
}

void DocumentManager::closeDocument()
{
    if (!syncPage())
        return;
    closeActive(true);
    if (m_docs.isEmpty()) {
        m_docs.resetCounter();
        openDocument();
        return;
    }
    activate(m_docs.activeIndex());
}

void DocumentManager::closeAll()
{
    if (closeRequest()) {
        m_docs.resetCounter();
        openDocument();
    }
}

bool DocumentManager::closeRequest()
{
    if (!syncPage())
        return false;
    while (!m_docs.isEmpty()) {
        if (closeActive(true) != CloseOutcome::Closed) {
            activate(m_docs.activeIndex());
            return false;
        }
        if (!m_docs.isEmpty())
            activate(m_docs.activeIndex());
    }
    Q_EMIT currentChanged();
    return true;
}

} // namespace qw
