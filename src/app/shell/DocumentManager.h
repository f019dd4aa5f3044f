#pragma once

#include "app/services/DocumentAccess.h"
#include "app/services/UiServices.h"
#include "core/links/FirstSaveLinks.h"
#include "core/markup/LinkPath.h"
#include "core/settings/HighlightStyle.h"
#include "core/shell/DocumentList.h"
#include "core/text/FileStamp.h"
#include "core/text/LineBreak.h"
#include "core/text/TextEncoding.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>
#include <optional>

class QStackedWidget;
class QTabBar;
class QToolBar;
class QAction;
class QFileSystemWatcher;
class QWidget;

namespace qw {

class ScintillaEditor;

// What new and saved documents take from the settings.
struct DocumentOptions
{
    QString fontName = QStringLiteral("Verdana");
    int fontSize = 9;
    ColorRef fontColor = 0x000000;
    ColorRef backColor = 0xFFFFFF;
    int tabWidth = 8;
    bool docFromTemplate = true;
    QStringList templateHead;
    QStringList templateFoot;
    QString saveFormat = QStringLiteral("WIN");
    QString defaultExt = QStringLiteral(".html");
    // Filter of the open and save dialogs, in the dialogs' own form.
    QString dialogFilter;
    // How a new document's inserted addresses are written at its first save.
    LinkOptions links;
};

// The open documents: one Scintilla editor each, stacked on the source page,
// one tab each in the tab strip, and the navigation bar beside the strip.
// Opening, activating, saving and closing follow the tab rules of the
// DocumentList; every question goes through UiServices.
class DocumentManager : public QObject, public DocumentAccess
{
    Q_OBJECT
public:
    DocumentManager(UiServices& ui, const DocumentOptions& options, QWidget* window);

    QStackedWidget* editorStack() const { return m_stack; }
    QTabBar* tabBar() const { return m_tabs; }
    QToolBar* navigationBar() const { return m_navigation; }

    ScintillaEditor* current() const override;
    QString currentPath() const;
    QString currentFilePath() const override;
    TextEncoding currentEncoding() const override;
    void openTextAsNewDocument(const QString& text, TextEncoding encoding) override;
    ScintillaEditor* editorOfFile(const QString& path) const override;
    ScintillaEditor* showDocumentOf(const QString& path) override;
    int count() const { return m_docs.count(); }
    int activeIndex() const { return m_docs.activeIndex(); }
    ScintillaEditor* editorAt(int index) const;
    int indexOfEditor(const ScintillaEditor* editor) const;
    QString pathAt(int index) const;
    TextEncoding encodingAt(int index) const;
    // The user's choice of the current document's encoding: its next save
    // converts, and a new document's first save keeps it too.
    void chooseEncoding(TextEncoding encoding);

    // Makes a document of the file at path, or a new one without a path.
    // False when the file cannot be read or is open already.
    bool openDocument(const QString& path = QString());
    void newBlankDocument();
    // The current document is the empty one a start made: the first file
    // opened or document given back closes it, as long as nobody typed into
    // it, so a person who opens one page sees one tab (DocumentStart.cpp).
    void markStartDocument();
    // Gives back a document a crash left unsaved (DocumentRecovery.cpp): open
    // and modified, under its path or new-document name, with its encoding
    // and line break; its file is not touched. An unmodified document of the
    // same name (the empty one of a start) takes the text in place; a name
    // held by a modified one gives way to a new name. Returns the editor.
    // known is the file's stamp the document had before the crash: a later
    // change by another program is then noticed against it.
    ScintillaEditor* openRecovered(const QString& path, const QString& text, TextEncoding encoding,
                                   LineBreak lineBreak, const std::optional<FileStamp>& known);
    // The stamp of the file as the document last read or wrote it.
    std::optional<FileStamp> knownStampAt(int index) const;
    // True when the document's file is not text: Save and Save All leave it
    // alone, and an edit is saved under another name.
    bool isReadOnlyAt(int index) const;
    // A dialog of the program put link, its address of filePath, into the
    // current document. While the document has no file the address is
    // absolute; its first save makes it relative to the new file
    // (DocumentLinks.cpp).
    void noteInsertedLink(const QString& link, const QString& filePath);
    void pasteAsNewDocument();
    void activate(int index);
    void resetCounter() { m_docs.resetCounter(); }

    bool save();
    bool saveAs();
    void saveAll();
    // The close command: asks about a modified document; keeps it open when
    // the answer is Cancel or its saving did not happen.
    void closeDocument();
    void closeAll();
    // The main window's close request: true when every document is closed.
    bool closeRequest();

    // What saving, closing, opening and changing tabs ask of the shown
    // page: syncIntoEditor takes what it holds into the current editor
    // first, and false from it stops the command with nothing changed;
    // while keepsModified answers true, Save leaves the modified flag as it
    // was.
    void setPageHooks(std::function<bool()> syncIntoEditor, std::function<bool()> keepsModified)
    {
        m_syncIntoEditor = std::move(syncIntoEditor);
        m_keepsModified = std::move(keepsModified);
    }
    // Whether the shown page holds edits of an editor that are not in it
    // yet: from what the page has reported (cheap), or asked of the page
    // itself when exact is true (before such edits would be thrown away).
    void setPageEdits(std::function<bool(const ScintillaEditor*, bool exact)> holdsEdits)
    {
        m_pageHoldsEdits = std::move(holdsEdits);
    }
    // The modified mark of a document: its editor's flag, or edits the
    // shown page holds for it.
    bool showsModified(const ScintillaEditor* editor) const;
    // The tabs' modified colours follow the documents again.
    void refreshModifiedMarks() { updateTabs(); }

    // Applies the editor settings to the current editor.
    void applySettings();

    // The folder the open and save dialogs start in: the current document's
    // when it has one, otherwise the folder last chosen in them.
    QString dialogFolder() const;
    const QString& lastFolder() const { return m_lastFolder; }
    void setLastFolder(const QString& folder) { m_lastFolder = folder; }
    // A file was chosen in an open or save dialog: its folder is the last one.
    void noteChosenFile(const QString& path);

    // True while one of the questions or file dialogs of the documents is open.
    bool questionOpen() const { return m_questionDepth > 0; }

    // Looks whether another program changed, replaced or removed the files
    // of the open documents, and deals with each (DocumentDisk.cpp): an
    // unmodified document is read again after a question (or at once, once
    // the user chose so for the run), a modified one keeps the user's text
    // unless they choose to read the file, a removed one stays open as
    // modified. Runs when a watched file changes while the window is active
    // and whenever the window is activated.
    void checkFilesOnDisk();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // The current document changed (another tab, or none).
    void currentChanged();
    // The current editor's text, caret or flags changed: refresh states.
    void stateChanged();
    // The current editor's text or caret changed by its own doing (a key, a
    // command that edits). Its layout may be stale until it next paints.
    void editorChanged();
    // A key or mouse button was released in the current editor.
    void editorReleased();
    // The current editor was painted: its display lines are laid out anew,
    // which moves the caret's display line without moving the caret.
    void editorPainted();
    // A path was opened or saved under a new name: the recent-files update.
    void pathTouched(const QString& path);
    // The last open question or file dialog was answered.
    void questionAnswered();
    // A document's editor was made (it is destroyed when the tab closes).
    void editorAdded(ScintillaEditor* editor);

private:
    // Marks a question of the documents as open while it lives.
    class QuestionScope
    {
    public:
        explicit QuestionScope(DocumentManager& d) : m_d(d) { ++m_d.m_questionDepth; }
        ~QuestionScope()
        {
            if (--m_d.m_questionDepth == 0)
                Q_EMIT m_d.questionAnswered();
        }
        QuestionScope(const QuestionScope&) = delete;
        QuestionScope& operator=(const QuestionScope&) = delete;

    private:
        DocumentManager& m_d;
    };
    UiServices::Answer askToSave(const QString& path);
    void notify(UiServices::Icon icon, const QString& text);

    enum class CloseOutcome { Closed, Kept, Cancelled };
    CloseOutcome closeActive(bool allowStep);
    // The shown page hands back what it holds into the current editor;
    // false when it could not (the command must not go on).
    bool syncPage();
    // A tab change the user asked for: the shown page hands its document
    // back first, or the tab stays.
    void changeTab(int index);
    bool writeDocument(int index, const QString& path);
    // Asks before a file that is not text is opened; true to open it.
    bool mayOpenNotText(const QString& path);
    // The tab's text and the caption after the document's path or
    // protection changed.
    void refreshTabText(int index);
    // At the first save of the document at index to path: the addresses its
    // dialogs inserted, made relative to path as one undo step. True when
    // the text changed.
    bool relinkForFirstSave(int index, const QString& path);
    // The file's stamp as the document last read or wrote it, and the watch.
    void rememberFile(int key, const QString& path);
    void forgetFile(int key);
    // False when the file changed on disk since then and the user does not
    // want it overwritten.
    bool mayOverwrite(int index, const QString& path);
    void scheduleDiskCheck();
    // Reads the document's file again into its editor.
    void reloadDocument(int index);
    ScintillaEditor* createEditor(int key);
    void removeActive();
    // After a file opened or a document came back: closes the start's
    // document when it is still untouched (DocumentStart.cpp).
    void dropUntouchedStartDocument();
    void updateTabs();
    void updateNavigation();
    void setWindowCaption();
    QString templateText() const;

    UiServices& m_ui;
    const DocumentOptions& m_options;
    QWidget* m_window;
    DocumentList m_docs;
    QHash<int, ScintillaEditor*> m_editors;
    QHash<int, TextEncoding> m_encodings;
    // Documents whose encoding the user chose: their first save keeps it.
    QSet<int> m_chosenEncodings;
    // What the dialogs inserted into each new document before its first save.
    QHash<int, QList<InsertedLink>> m_insertedLinks;
    QStackedWidget* m_stack;
    QTabBar* m_tabs;
    QToolBar* m_navigation;
    QAction* m_close = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    bool m_switching = false;
    int m_questionDepth = 0;
    // The key of the start's document while it is untouched, else -1.
    int m_startKey = -1;
    struct KnownFile
    {
        QString path;
        FileStamp stamp;
    };
    QHash<int, KnownFile> m_known;
    QFileSystemWatcher* m_watcher = nullptr;
    bool m_reloadQuietly = false;
    bool m_checkingDisk = false;
    bool m_diskCheckPending = false;
    QString m_lastFolder;
    std::function<bool()> m_syncIntoEditor;
    std::function<bool()> m_keepsModified;
    std::function<bool(const ScintillaEditor*, bool)> m_pageHoldsEdits;
};

} // namespace qw
