#pragma once

#include "core/usertags/UserTagStore.h"

#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace qw {

class UiServices;
class UserTagDialog;

// The user tag page of the left panel: groups and their user tags as a
// two-level tree, read from the store every time the page is shown. A
// double-click on a user tag asks the window to wrap the selection in it;
// the context menu adds, renames and removes groups and adds, edits and
// removes user tags. The store on disk is the only state.
class UserTagPanel : public QWidget
{
    Q_OBJECT
public:
    // Shows the dialog modally; tests replace it to answer without a loop.
    using DialogRunner = std::function<void(UserTagDialog&)>;

    UserTagPanel(const QString& rootPath, UiServices& ui, QWidget* parent = nullptr);
    ~UserTagPanel() override;

    // The page's name: its tab shows only an icon and says this in its tool
    // tip and to a screen reader.
    static QString pageName();

    // The store follows the user tag folder of the settings.
    void setRootPath(const QString& rootPath);
    UserTagStore& store() { return m_store; }

    QTreeWidget* tree() const { return m_tree; }
    // The line shown while the tree is empty, saying where groups and user
    // tags come from.
    QLabel* emptyHint() const { return m_emptyHint; }
    QMenu* contextMenu() const { return m_menu; }
    UserTagDialog* dialog() const { return m_dialog; }
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

    // "Obnovit": the tree again from the disk.
    void refresh();
    // Shows or hides the menu's entries for the selected node.
    void prepareMenu();
    // Selects the node of a group, or of a user tag when name is given.
    bool selectNode(const QString& group, const QString& name = QString());
    // The double-click on the selected node.
    void insertSelected();

    void addGroup();
    void removeGroup();
    void renameGroup();
    void addUserTag();
    void editUserTag();
    void removeUserTag();

    QAction* action(const QString& objectName) const;

signals:
    // A user tag to wrap round the current editor's selection.
    void insertRequested(const QString& start, const QString& end);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    QTreeWidgetItem* addGroupNode(const QString& name);
    QTreeWidgetItem* groupNode(const QString& name) const;
    QTreeWidgetItem* selectedNode() const;
    void tagSaved(const QString& group, const QString& oldName, const QString& newName);

    UserTagStore m_store;
    UiServices& m_ui;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_emptyHint = nullptr;
    QMenu* m_menu = nullptr;
    UserTagDialog* m_dialog = nullptr;
    DialogRunner m_runDialog;
};

} // namespace qw
