#pragma once

#include <QStyledItemDelegate>

namespace qw {

class TagInspector;

// Draws the inspector's cells with grid lines and makes the value editor of
// an attribute row from its kind in "tag.dat": a text box, an editable
// drop-down list (choices, a file or picture entry, the installed fonts) or
// the colour list. Keys and chosen entries go to the inspector.
class InspectorDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit InspectorDelegate(TagInspector& inspector);

    // Texts of the two entries that open a dialog instead of being a value.
    static QString openFileEntry();
    static QString openImageEntry();
    // The text a value editor holds.
    static QString editorText(const QWidget* editor);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TagInspector& m_inspector;
};

} // namespace qw
