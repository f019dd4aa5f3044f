#pragma once

#include "app/shell/CommandUiBuilder.h"
#include "app/shell/DocumentManager.h"
#include "core/markup/TagAtCaret.h"
#include "core/settings/TagDefinitions.h"
#include "core/shell/CommandCatalog.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

namespace qw {

struct AppContext;
class ActionRegistry;
class DesignDocument;
class ElementDialogs;
struct EditTagTarget;
class DocumentRecovery;
class FilePanel;
class HandOffQueue;
class LeftPanel;
class PageSwitcher;
class DesignFeature;
class PreviewFeature;
class SettingsFeature;
class SpellingFeature;
class ScintillaEditor;
class SearchController;
class SpecialCharacterList;
class TagInspector;
class UiServices;
class UserTagPanel;

// The main window hosts; it owns the documents, the pages and the commands
// and routes between them. The menus, pop-ups and tool bars are built from
// the command layout; each command is registered by id and routed to the
// current document in one place. What a command does lives with the command.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    DocumentManager& documents() { return *m_documents; }
    ActionRegistry& commands() { return *m_registry; }
    QToolBar* toolBar(ToolBarId bar) const { return m_commandUi.toolBars[std::size_t(bar)]; }
    QMenu* editorPopup() const { return m_commandUi.editorPopup; }
    QMenu* fileMenu() const { return m_commandUi.fileMenu; }
    QMenu* viewMenu() const { return m_commandUi.viewMenu; }
    QMenu* toolBarsMenu() const { return m_commandUi.toolBarsMenu; }
    QMenu* recentMenu() const { return m_commandUi.recentMenu; }
    const CaretTagState& caretTag() const { return m_tagState; }
    bool fullScreenFlag() const { return m_fullScreen; }
    bool leftPanelShown() const { return m_leftPanel; }
    // The side panel: other parts of the window add their pages to it.
    LeftPanel* leftPanel() const { return m_leftPanelWidget; }
    TagInspector* tagInspector() const { return m_inspector; }
    SpecialCharacterList* specialCharacters() const { return m_specialCharacters; }
    // The element dialogs, made on first use (MainWindowElements.cpp).
    ElementDialogs& elementDialogs() { return *m_elements; }
    // The pages "Soubory" and the user tags (MainWindowFilePanel.cpp).
    FilePanel* filePanel() const { return m_filePanel; }
    UserTagPanel* userTagPanel() const { return m_userTagPanel; }
    // The page control: the source, preview and design pages.
    PageSwitcher& pages() { return *m_pages; }
    PreviewFeature& preview() { return *m_preview; }
    DesignFeature& design() { return *m_design; }
    SettingsFeature& settingsFeature() { return *m_settingsFeature; }
    SpellingFeature& spelling() { return *m_spelling; }

    // The first document: the start file, or a new one.
    void openStartFile(const QString& path);
    // The documents of a start: a new one, which the first of files that
    // opens (or a document given back) replaces while nobody typed into it,
    // then files in their order.
    void openStartFiles(const QStringList& files);
    // Starts keeping copies of modified documents in folder, after offering
    // what a killed instance left there.
    void startRecovery(const QString& folder);
    DocumentRecovery& recovery() { return *m_recovery; }
    // A later start handed this path over (empty when it named no file).
    void receiveHandOff(const QString& path);
    // A later start handed these paths over, in its order (none: it named
    // no file and only brings the window up).
    void receiveHandOffs(const QStringList& paths);
    // The end of a desktop session or a signal to stop: nothing is asked;
    // modified documents keep their recovery copies for the next start, the
    // preview files go and the settings are written. The caller then ends
    // the event loop.
    void endSession();
    // Files dropped on the window: the first one opens when it is a file;
    // the rest of the drop is ignored.
    void openDroppedUrls(const QList<QUrl>& urls);

    // Status bar panel texts, for the window tests.
    QString statusText(int panel) const;

    // Puts the tool bars where the settings say (done at the first show).
    void restoreToolBarLayout();
    // Puts the tool bars' places into the settings (done at each close request).
    void storeToolBarLayout();

    // Recomputes the command states from the current document.
    void updateMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    void buildPages();
    // The features that bring their own pages and commands.
    void buildFeatures();
    // The left panel with its pages and the splitter (MainWindowPanels.cpp).
    void buildLeftPanel();
    void showLeftPanel(bool shown);
    void fillTagInspector(const TagAtCaret& found);
    QString pickInspectorLink(AttributeEditorKind kind);
    void buildFileAndUserTagPages();
    void applyFileAndUserTagSettings();
    void insertFileLink(const QString& path);
    void insertUserTag(const QString& start, const QString& end);
    void buildStatusBar();
    void registerCommands();
    void registerFileCommands();
    void registerEditCommands();
    void registerViewCommands();
    void registerToolCommands();
    void registerMarkupCommands();
    void registerSearchCommands();
    void registerElementCommands();
    // The font, rule, list, colour, frame, form, script, pop-up window and
    // applet dialogs' commands (MainWindowInsertDialogs.cpp).
    void registerInsertDialogCommands();
    void openEditTagDialog(const EditTagTarget& target);
    void connectSignals();
    void updateStatusBar();
    // The modified and typing-mode panels: cheap, always at once.
    void updateStatusFlags();
    // The caret's display line and column at the next paint, or soon.
    void scheduleCaretPosition();
    void rebuildRecentMenu();
    void refreshViewChecks();
    void refreshToolBarChecks();
    void prepareEditorPopup();
    void showEditorPopup(const QPoint& globalPos);
    void setBandHidden(bool hidden);
    void openRecentFile(const QString& path);
    void clearRecentFiles();
    void insertFile();
    // Finds on the design page: asks for the text when ask, else finds the
    // last one again.
    void findInDesign(DesignDocument& design, bool ask);
    // The tag at the caret, after every key and mouse-button release.
    void findTagAtCaretQuietly();

    // The current editor when the source page is shown: the target of every
    // editing command. Null otherwise, and the command then does nothing.
    ScintillaEditor* sourceEditor() const;
    // Registers a command that works on the source page's current editor.
    void registerEditorAction(const QString& id,
                              std::function<void(ScintillaEditor&, ActionPlace)> handler);
    // Empties the tag inspector and closes its value editor without storing.
    void clearTagInspector();
    TagCaseOptions tagCase() const;

    // Takes the settings into the document options and the visible parts.
    void applySettings();
    // Puts what the window shows back into the settings and writes them.
    void saveSettings();
    // The same without a message: false when they could not be written.
    bool writeSettings();

    AppContext& m_context;
    UiServices& m_ui;
    DocumentOptions m_options;
    DocumentManager* m_documents = nullptr;
    HandOffQueue* m_handOffs = nullptr;
    DocumentRecovery* m_recovery = nullptr;
    ActionRegistry* m_registry = nullptr;
    SearchController* m_search = nullptr;
    ElementDialogs* m_elements = nullptr;
    CommandUi m_commandUi;
    PageSwitcher* m_pages = nullptr;
    PreviewFeature* m_preview = nullptr;
    DesignFeature* m_design = nullptr;
    SettingsFeature* m_settingsFeature = nullptr;
    SpellingFeature* m_spelling = nullptr;
    QSplitter* m_splitter = nullptr;
    LeftPanel* m_leftPanelWidget = nullptr;
    TagInspector* m_inspector = nullptr;
    SpecialCharacterList* m_specialCharacters = nullptr;
    FilePanel* m_filePanel = nullptr;
    UserTagPanel* m_userTagPanel = nullptr;
    QList<QLabel*> m_panels;
    QAction* m_clearRecent = nullptr;
    // The design document whose state changes refresh the command states.
    const QObject* m_designStates = nullptr;
    // The text last searched for on the design page.
    QString m_designFindText;
    CaretTagState m_tagState;
    bool m_clipboardHasText = false;
    bool m_caretPositionPending = false;
    bool m_fullScreen = false;
    bool m_leftPanel = true;
    bool m_toolBarsRestored = false;
    // Bars the full-screen mode hid with the band, shown again when it ends.
    QList<QToolBar*> m_hiddenWithBand;
};

} // namespace qw
