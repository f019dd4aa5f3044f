#include "app/inspector/InspectorDelegate.h"

#include "app/elements/TextFields.h"
#include "app/inspector/TagInspector.h"
#include "app/services/ColorCombo.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace qw {

namespace {

// Typing stops a text box's value at this many characters; a longer value
// the tag already holds is still shown and kept whole.
constexpr int kTypedValueLimit = 1023;

QComboBox* makeDropDown(QWidget* parent, const QStringList& entries)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setFrame(false);
    holdWholeValues(combo->lineEdit());
    // A value is whatever is typed; the list only offers.
    combo->setCompleter(nullptr);
    combo->addItems(entries);
    return combo;
}

} // namespace

InspectorDelegate::InspectorDelegate(TagInspector& inspector)
    : QStyledItemDelegate(&inspector), m_inspector(inspector)
{}

QString InspectorDelegate::openFileEntry()
{
    return QStringLiteral("Otevřít z disku...");
}

QString InspectorDelegate::openImageEntry()
{
    return QStringLiteral("Otevřít obrázek ze souboru...");
}

QString InspectorDelegate::editorText(const QWidget* editor)
{
    if (const auto* colour = qobject_cast<const ColorCombo*>(editor))
        return colour->value();
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->currentText();
    return QString();
}

QWidget* InspectorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const
{
    const int row = m_inspector.rowOf(index);
    if (index.column() != 1 || row < 0 || row >= m_inspector.rowCount())
        return nullptr;
    const AttributeEditor definition = m_inspector.editorFor(row);
    QWidget* editor = nullptr;
    switch (definition.kind()) {
    case AttributeEditorKind::Combo:
        editor = makeDropDown(parent, definition.choices);
        break;
    case AttributeEditorKind::File:
        editor = makeDropDown(parent, {openFileEntry()});
        break;
    case AttributeEditorKind::Image:
        editor = makeDropDown(parent, {openImageEntry()});
        break;
    case AttributeEditorKind::Font:
        editor = makeDropDown(parent, QFontDatabase::families());
        break;
    case AttributeEditorKind::Color:
        if (UiServices* ui = m_inspector.ui()) {
            auto* colour = new ColorCombo(*ui, parent);
            connect(colour, &ColorCombo::colorChosen, &m_inspector,
                    [inspector = &m_inspector, row](const QString& value) {
                        inspector->colourChosen(row, value);
                    });
            editor = colour;
            break;
        }
        [[fallthrough]];
    case AttributeEditorKind::String: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setMaxLength(kTypedValueLimit);
        editor = edit;
        break;
    }
    }
    auto* combo = qobject_cast<QComboBox*>(editor);
    QLineEdit* typed = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(editor);
    if (typed != nullptr) {
        // A text that changes without a key of its own (a character composed
        // by an input method, a paste from the context menu) is written too;
        // the key release that may follow finds the tag unchanged.
        connect(typed, &QLineEdit::textEdited, &m_inspector,
                [inspector = &m_inspector, row](const QString& text) {
                    inspector->textEdited(row, text);
                });
    }
    if (combo != nullptr && combo->lineEdit() != nullptr) {
        connect(combo, &QComboBox::activated, &m_inspector,
                [inspector = &m_inspector, combo, row] { inspector->entryChosen(combo, row); });
    }
    m_inspector.editorCreated(editor, row);
    return editor;
}

void InspectorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // Also called when the row's text changes while the editor is open: a
    // text already there stays untouched, so the cursor does not jump.
    const QString value = index.data().toString();
    if (editorText(editor) == value)
        return;
    if (auto* colour = qobject_cast<ColorCombo*>(editor)) {
        colour->setValueText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        // The limit is for typing: the value the tag holds is never cut, or
        // merely passing through the row would write the cut value back.
        edit->setMaxLength(std::max<int>(kTypedValueLimit, int(value.size())));
        edit->setText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setEditText(value);
}

void InspectorDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                     const QModelIndex& index) const
{
    // The colour list writes only what the user chose: merely passing through
    // must not turn a value such as "red" into "#FF0000".
    if (qobject_cast<ColorCombo*>(editor) != nullptr)
        return;
    m_inspector.editEnded(m_inspector.rowOf(index), editorText(editor));
}

void InspectorDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

void InspectorDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Mid));
    const QRect r = option.rect;
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->restore();
}

QSize InspectorDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), TagInspector::RowHeight);
}

bool InspectorDelegate::eventFilter(QObject* object, QEvent* event)
{
    const QEvent::Type type = event->type();
    auto* editor = qobject_cast<QWidget*>(object);
    // While a file or colour dialog runs the editor loses the focus, yet the
    // edit goes on ("Vlastní..." is the colour list's entry that asks).
    if (type == QEvent::FocusOut) {
        const auto* colour = qobject_cast<ColorCombo*>(editor);
        if (m_inspector.isChoosing() || (colour != nullptr && colour->currentIndex() == 0))
            return true;
    }
    // Keys reach the editor itself: a drop-down list is the focus proxy of
    // its line edit and hands the keys it does not use to it directly, past
    // any filter there.
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    if (key && m_inspector.editorKey(editor, static_cast<QKeyEvent*>(event)))
        return true;
    if (type == QEvent::KeyRelease)
        return false;
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace qw
