#include "app/usertags/UserTagPanel.h"

#include "app/services/UiServices.h"
#include "app/usertags/UserTagDialog.h"

#include <QAction>
#include <QFileIconProvider>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qw {

namespace {
const QString kGroupTitle = QStringLiteral("Přidat novou složku");
const QString kNamePrompt = QStringLiteral("Zadejte jméno:");

bool isGroup(const QTreeWidgetItem* node)
{
    return node != nullptr && node->parent() == nullptr;
}

bool isUserTag(const QTreeWidgetItem* node)
{
    return node != nullptr && node->parent() != nullptr;
}
} // namespace

UserTagPanel::UserTagPanel(const QString& rootPath, UiServices& ui, QWidget* parent)
    : QWidget(parent), m_store(rootPath), m_ui(ui)
{
    setObjectName(QStringLiteral("tsUserTags"));
    setAccessibleName(pageName());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_emptyHint = new QLabel(QStringLiteral("Složky a tagy přidáte pravým tlačítkem myši."));
    m_emptyHint->setObjectName(QStringLiteral("lblEmptyHint"));
    m_emptyHint->setWordWrap(true);
    m_emptyHint->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_emptyHint);
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("tvUserTags"));
    m_tree->setAccessibleName(pageName());
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_tree);

    m_dialog = new UserTagDialog(m_store, m_ui, this);
    connect(m_dialog, &UserTagDialog::saved, this, &UserTagPanel::tagSaved);
    m_runDialog = [](UserTagDialog& dialog) {
        dialog.exec();
    };

    buildMenu();
    // The hint goes with the first group and comes back with the last.
    QAbstractItemModel* model = m_tree->model();
    const auto updateHint = [this] {
        m_emptyHint->setVisible(m_tree->topLevelItemCount() == 0);
    };
    connect(model, &QAbstractItemModel::rowsInserted, this, updateHint);
    connect(model, &QAbstractItemModel::rowsRemoved, this, updateHint);
    connect(model, &QAbstractItemModel::modelReset, this, updateHint);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { insertSelected(); });
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        prepareMenu();
        m_menu->popup(m_tree->viewport()->mapToGlobal(pos));
    });
}

UserTagPanel::~UserTagPanel()
{
    // The tree empties its model as it goes, after the hint is gone.
    disconnect(m_tree->model(), nullptr, this, nullptr);
}

QString UserTagPanel::pageName()
{
    return QStringLiteral("Vlastní tag");
}

void UserTagPanel::setRootPath(const QString& rootPath)
{
    if (rootPath == m_store.rootPath())
        return;
    m_store = UserTagStore(rootPath);
    if (isVisible())
        refresh();
}

void UserTagPanel::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("pmUserTags"));
    const auto add = [this](const QString& caption, const QString& name,
                            void (UserTagPanel::*slot)()) {
        QAction* a = m_menu->addAction(caption, this, slot);
        a->setObjectName(name);
        return a;
    };
    add(QStringLiteral("Přidat složku"), QStringLiteral("mnuAddGroup"), &UserTagPanel::addGroup);
    add(QStringLiteral("Smazat složku"), QStringLiteral("mnuRemoveGroup"),
        &UserTagPanel::removeGroup);
    add(QStringLiteral("Přejmenovat složku"), QStringLiteral("mnuRenameGroup"),
        &UserTagPanel::renameGroup);
    m_menu->addSeparator();
    m_menu->setDefaultAction(add(QStringLiteral("Přidat vlastní tag"),
                                 QStringLiteral("mnuAddUserTag"), &UserTagPanel::addUserTag));
    add(QStringLiteral("Editovat vlastní tag"), QStringLiteral("mnuEditUserTag"),
        &UserTagPanel::editUserTag);
    add(QStringLiteral("Smazat vlastní tag"), QStringLiteral("mnuRemoveUserTag"),
        &UserTagPanel::removeUserTag);
    m_menu->addSeparator();
    add(QStringLiteral("Obnovit"), QStringLiteral("mnuRefreshUserTags"), &UserTagPanel::refresh);
}

QAction* UserTagPanel::action(const QString& objectName) const
{
    return m_menu->findChild<QAction*>(objectName);
}

void UserTagPanel::prepareMenu()
{
    const QTreeWidgetItem* node = selectedNode();
    action(QStringLiteral("mnuRemoveGroup"))->setVisible(isGroup(node));
    action(QStringLiteral("mnuRenameGroup"))->setVisible(isGroup(node));
    action(QStringLiteral("mnuAddUserTag"))->setVisible(node != nullptr);
    action(QStringLiteral("mnuEditUserTag"))->setVisible(isUserTag(node));
    action(QStringLiteral("mnuRemoveUserTag"))->setVisible(isUserTag(node));
}

void UserTagPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void UserTagPanel::refresh()
{
    m_tree->clear();
    for (const UserTagGroup& group : m_store.list()) {
        QTreeWidgetItem* node = addGroupNode(group.name);
        for (const QString& tag : group.tags)
            new QTreeWidgetItem(node, {tag});
    }
}

QTreeWidgetItem* UserTagPanel::addGroupNode(const QString& name)
{
    static const QIcon folderIcon = QFileIconProvider().icon(QFileIconProvider::Folder);
    auto* node = new QTreeWidgetItem(m_tree, {name});
    node->setIcon(0, folderIcon);
    return node;
}

QTreeWidgetItem* UserTagPanel::groupNode(const QString& name) const
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (m_tree->topLevelItem(i)->text(0) == name)
            return m_tree->topLevelItem(i);
    }
    return nullptr;
}

QTreeWidgetItem* UserTagPanel::selectedNode() const
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

bool UserTagPanel::selectNode(const QString& group, const QString& name)
{
    QTreeWidgetItem* node = groupNode(group);
    if (node != nullptr && !name.isEmpty()) {
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < node->childCount() && found == nullptr; ++i) {
            if (node->child(i)->text(0) == name)
                found = node->child(i);
        }
        node = found;
    }
    if (node == nullptr)
        return false;
    m_tree->setCurrentItem(node);
    return true;
}

void UserTagPanel::insertSelected()
{
    const QTreeWidgetItem* node = selectedNode();
    if (!isUserTag(node))
        return;
    const UserTagInsertion texts = m_store.readForInsertion(node->parent()->text(0), node->text(0));
    emit insertRequested(texts.start, texts.end);
}

void UserTagPanel::addGroup()
{
    const std::optional<QString> name = m_ui.inputText(this, kGroupTitle, kNamePrompt, QString());
    // An empty name names the user tag folder itself, which exists.
    if (!name || name->isEmpty())
        return;
    const UserTagResult result = m_store.addGroup(*name);
    if (result.status == UserTagResult::Status::Done) {
        m_tree->setCurrentItem(addGroupNode(result.name));
    } else if (!result.ok()) {
        // A group node without its folder would only fail later, at the
        // first user tag written into it.
        m_ui.notify(this, UiServices::Icon::Error, result.message);
    }
}

void UserTagPanel::renameGroup()
{
    QTreeWidgetItem* node = selectedNode();
    if (!isGroup(node))
        return;
    const std::optional<QString> name =
        m_ui.inputText(this, kGroupTitle, kNamePrompt, node->text(0));
    if (!name)
        return;
    const UserTagResult result = m_store.renameGroup(node->text(0), *name);
    if (result.status == UserTagResult::Status::Done)
        node->setText(0, result.name);
    else if (result.status == UserTagResult::Status::Refused)
        m_ui.notify(this, UiServices::Icon::Error, result.message);
}

void UserTagPanel::removeGroup()
{
    QTreeWidgetItem* node = selectedNode();
    if (!isGroup(node))
        return;
    const QString name = node->text(0);
    delete node;
    // Goes to the trash, so nothing is asked; a folder that stays is shown
    // again by the next refresh.
    m_store.removeGroup(name);
}

void UserTagPanel::addUserTag()
{
    const QTreeWidgetItem* node = selectedNode();
    if (node == nullptr)
        return;
    const QTreeWidgetItem* group = isGroup(node) ? node : node->parent();
    m_dialog->prepareNew(group->text(0));
    m_runDialog(*m_dialog);
}

void UserTagPanel::editUserTag()
{
    const QTreeWidgetItem* node = selectedNode();
    if (!isUserTag(node))
        return;
    m_dialog->prepareEdit(node->parent()->text(0), node->text(0));
    m_runDialog(*m_dialog);
}

void UserTagPanel::removeUserTag()
{
    QTreeWidgetItem* node = selectedNode();
    if (!isUserTag(node))
        return;
    const QString name = node->text(0);
    if (!m_ui.askYesNo(this, QStringLiteral("Opravdu chcete smazat \"%1\"?").arg(name)))
        return;
    m_store.remove(node->parent()->text(0), name);
    delete node;
}

void UserTagPanel::tagSaved(const QString& group, const QString& oldName, const QString& newName)
{
    QTreeWidgetItem* groupItem = groupNode(group);
    if (groupItem == nullptr)
        return;
    const auto sibling = [groupItem](const QString& name, const QTreeWidgetItem* except) {
        for (int i = 0; i < groupItem->childCount(); ++i) {
            QTreeWidgetItem* child = groupItem->child(i);
            if (child != except && child->text(0) == name)
                return child;
        }
        return static_cast<QTreeWidgetItem*>(nullptr);
    };
    QTreeWidgetItem* node = nullptr;
    if (!oldName.isEmpty()) {
        // The edited node is the selected one.
        node = selectedNode();
        if (isUserTag(node) && node->parent() == groupItem && node->text(0) == oldName)
            node->setText(0, newName);
        else
            node = nullptr;
    }
    // A user tag written over another of the same name is one pair of files,
    // so it stays one node.
    if (QTreeWidgetItem* same = sibling(newName, node)) {
        delete node;
        node = same;
    } else if (node == nullptr) {
        node = new QTreeWidgetItem(groupItem, {newName});
    }
    groupItem->setExpanded(true);
    m_tree->setCurrentItem(node);
}

} // namespace qw
