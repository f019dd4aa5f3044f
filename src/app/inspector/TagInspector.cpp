#include "app/inspector/TagInspector.h"

#include "app/inspector/InspectorDelegate.h"
#include "app/services/ColorCombo.h"
#include "app/services/ComboBoxAccessibility.h"
#include "core/editor/EditorWidget.h"
#include "core/inspector/InspectorNavigation.h"
#include "core/markup/DocumentType.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>

namespace qw {

TagInspector::TagInspector(const TagDefinitions& definitions, QWidget* parent)
    : QTreeWidget(parent), m_definitions(definitions)
{
    installComboBoxAccessibility();
    setObjectName(QStringLiteral("vtTag"));
    setAccessibleName(QStringLiteral("HTMLTag"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Vlastnost"), QStringLiteral("Hodnota")});
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    setColumnWidth(0, NameColumnWidth);
    setColumnWidth(1, ValueColumnWidth);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Editing starts whenever a row becomes current, never by a trigger.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_delegate = new InspectorDelegate(*this);
    setItemDelegate(m_delegate);

    m_group = new QTreeWidgetItem(this, {QStringLiteral("Možnosti")});
    m_group->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    QFont bold = font();
    bold.setBold(true);
    m_group->setFont(0, bold);
    m_group->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    m_group->setExpanded(true);

    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { startEditing(current); });
    // A click on the current row opens its editor again after Escape.
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (m_editor == nullptr)
            startEditing(item);
    });
}

TagInspector::~TagInspector() = default;

void TagInspector::fillInspector(const TagAtCaret& found, TagAttributeList& attributes,
                                 TagCaseOptions options)
{
    clearInspector();
    // Only the page's start is read: a key must not cost more on a long page.
    const EditorWidget* editor = m_services.editor ? m_services.editor() : nullptr;
    const bool html5 =
        editor != nullptr &&
        isHtml5Document(editor->textRange(0, std::min(editor->length(), kDoctypeSearchLength)));
    m_inspection.fill(m_definitions, found, attributes, options, html5);
    if (m_inspection.rows().isEmpty())
        return;
    m_attributes = &attributes;
    m_options = options;
    const QBrush blue(QColor(0, 0, 255));
    QList<QTreeWidgetItem*> items;
    items.reserve(m_inspection.rows().size());
    for (const InspectorRow& r : m_inspection.rows()) {
        auto* item = new QTreeWidgetItem({r.name, r.value});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        item->setForeground(0, blue);
        items.append(item);
    }
    m_group->addChildren(items);
    m_group->setExpanded(true);
}

void TagInspector::clearInspector()
{
    // Rows go first, so an editor closing now writes nothing back.
    m_inspection.clear();
    m_attributes = nullptr;
    if (QWidget* editor = m_editor) {
        m_editor = nullptr;
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    const QList<QTreeWidgetItem*> rows = m_group->takeChildren();
    qDeleteAll(rows);
}

int TagInspector::rowCount() const
{
    return m_group->childCount();
}

QTreeWidgetItem* TagInspector::row(int index) const
{
    return m_group->child(index);
}

int TagInspector::currentRowIndex() const
{
    const QTreeWidgetItem* current = currentItem();
    if (current == nullptr)
        return rowCount();
    if (current == m_group)
        return -1;
    return m_group->indexOfChild(const_cast<QTreeWidgetItem*>(current));
}

int TagInspector::rowOf(const QModelIndex& index) const
{
    const QTreeWidgetItem* item = itemFromIndex(index);
    if (item == nullptr || item->parent() != m_group)
        return -1;
    return m_group->indexOfChild(const_cast<QTreeWidgetItem*>(item));
}

AttributeEditor TagInspector::editorFor(int row) const
{
    return m_inspection.editorFor(m_definitions, row);
}

void TagInspector::editorCreated(QWidget* editor, int row)
{
    m_editor = editor;
    m_editorRow = row;
    m_keyPressedInEditor = false;
    editor->setAccessibleName(m_inspection.rows().value(row).name);
}

void TagInspector::startEditing(QTreeWidgetItem* item)
{
    if (item == nullptr || item->parent() != m_group)
        return;
    editItem(item, 1);
    if (m_editor != nullptr)
        m_editor->setFocus(Qt::OtherFocusReason);
}

bool TagInspector::editorKey(QWidget* editor, QKeyEvent* event)
{
    if (editor == nullptr || editor != m_editor)
        return false;
    if (event->type() == QEvent::KeyRelease) {
        // The colour list writes when an entry is chosen, not on a key. The
        // release of the key that moved here from another row is no key of
        // this row: a row merely passed through writes nothing.
        if (qobject_cast<ColorCombo*>(editor) != nullptr || !m_keyPressedInEditor)
            return false;
        writeBack(m_editorRow, InspectorDelegate::editorText(editor));
        return false;
    }
    m_keyPressedInEditor = true;
    const auto* combo = qobject_cast<QComboBox*>(editor);
    // The colour list moves on Up and Down; its entries change by the mouse.
    const bool listOpen = combo != nullptr && combo->view()->isVisible() &&
                          qobject_cast<const ColorCombo*>(combo) == nullptr;
    const std::optional<InspectorMove> step =
        inspectorMoveForKey(event->key(), event->modifiers(), listOpen);
    if (!step) {
        // Up and Down with Shift or Ctrl do nothing: in a text box they must
        // not reach the grid and move it behind the open editor, in a
        // drop-down list they must not pick an entry. Alt opens the list.
        const bool upDown = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
        const bool opensList = combo != nullptr && (event->modifiers() & Qt::AltModifier);
        return upDown && !listOpen && !opensList;
    }
    const int target = inspectorRowAfterMove(currentRowIndex(), rowCount(), *step);
    m_editor = nullptr;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    move(target);
    return true;
}

void TagInspector::move(int newRow)
{
    if (newRow < 0) {
        setCurrentItem(m_group);
    } else if (newRow < rowCount()) {
        setCurrentItem(row(newRow), 1);
    } else {
        setCurrentItem(nullptr);
        clearSelection();
        setFocus(Qt::OtherFocusReason);
    }
}

void TagInspector::entryChosen(QWidget* editor, int row)
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (combo == nullptr)
        return;
    QString value = combo->currentText();
    const bool file = value == InspectorDelegate::openFileEntry();
    if (file || value == InspectorDelegate::openImageEntry()) {
        QPointer<QComboBox> guard(combo);
        combo->setEditText(QString());
        m_choosing = true;
        value = m_services.pickLink ? m_services.pickLink(file ? AttributeEditorKind::File
                                                               : AttributeEditorKind::Image)
                                    : QString();
        m_choosing = false;
        if (guard != nullptr)
            guard->setEditText(value);
    }
    writeBack(row, value);
}

void TagInspector::colourChosen(int row, const QString& value)
{
    writeBack(row, value);
}

void TagInspector::textEdited(int row, const QString& text)
{
    writeBack(row, text);
}

void TagInspector::editEnded(int row, const QString& value)
{
    if (row >= 0 && row < m_inspection.rows().size() && m_inspection.rows().at(row).value != value)
        writeBack(row, value);
}

void TagInspector::writeBack(int r, const QString& value)
{
    EditorWidget* editor = m_services.editor ? m_services.editor() : nullptr;
    if (editor == nullptr || m_attributes == nullptr)
        return;
    if (!m_inspection.writeBack(*editor, *m_attributes, r, value, m_options))
        return;
    if (QTreeWidgetItem* item = row(r))
        item->setText(1, value);
    Q_EMIT tagRewritten();
}

} // namespace qw
