#pragma once

#include "app/services/DocumentAccess.h"
#include "core/settings/HighlightStyle.h"
#include "core/shell/DocumentList.h"
#include "core/text/TextEncoding.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class QStackedWidget;
class QTabBar;
class QToolBar;
class QAction;
class QWidget;

namespace qw {

class ScintillaEditor;
class UiServices;

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
    int count() const { return m_docs.count(); }
    int activeIndex() const { return m_docs.activeIndex(); }
    ScintillaEditor* editorAt(int index) const;
    QString pathAt(int index) const;
    TextEncoding encodingAt(int index) const;

    // Makes a document of the file at path, or a new one without a path.
    // False when the file cannot be read or is open already.
    bool openDocument(const QString& path = QString());
    void newBlankDocument();
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

    // Applies the editor settings to the current editor.
    void applySettings();

Q_SIGNALS:
    // The current document changed (another tab, or none).
    void currentChanged();
    // The current editor's text, caret or flags changed: refresh states.
    void stateChanged();
    // A key or mouse button was released in the current editor.
    void editorReleased();
    // A path was opened or saved under a new name: the recent-files update.
    void pathTouched(const QString& path);

private:
    enum class CloseOutcome { Closed, Kept, Cancelled };
    CloseOutcome closeActive(bool allowStep);
    bool writeDocument(int index, const QString& path);
    ScintillaEditor* createEditor(int key);
    void removeActive();
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
    QStackedWidget* m_stack;
    QTabBar* m_tabs;
    QToolBar* m_navigation;
    QAction* m_close = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    bool m_switching = false;
};

} // namespace qw
