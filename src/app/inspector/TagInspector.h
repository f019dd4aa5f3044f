#pragma once

#include "core/inspector/TagInspection.h"

#include <QPointer>
#include <QTreeWidget>

#include <functional>

class QKeyEvent;

namespace qw {

class EditorWidget;
class InspectorDelegate;
class UiServices;

// The "HTMLTag" page: the attributes of the tag at the caret as a grid of
// "Vlastnost" and "Hodnota" under the group row "Možnosti", one row per
// attribute that "tag.dat" defines for the tag. Moving to a row opens its
// value editor over the value cell; every key released there and every entry
// chosen rewrites the tag in the document at once.
class TagInspector : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr int NameColumnWidth = 135;
    static constexpr int ValueColumnWidth = 125;
    static constexpr int RowHeight = 21;

    // What the grid needs from the window, asked when it is needed.
    struct Services
    {
        // The document a rewrite goes to; null when there is none.
        std::function<EditorWidget*()> editor;
        // FILE and IMAGE: runs the file or picture dialog and returns the
        // link text for the chosen file, empty when the user cancels.
        std::function<QString(AttributeEditorKind)> pickLink;
        // The colour list asks its custom colour through these; without
        // them a colour is typed as text.
        UiServices* ui = nullptr;
    };

    explicit TagInspector(const TagDefinitions& definitions, QWidget* parent = nullptr);
    ~TagInspector() override;

    void setServices(Services services) { m_services = std::move(services); }

    // Shows the rows of the tag the search found and parsed into attributes
    // (which the grid keeps writing to until it is cleared).
    void fillInspector(const TagAtCaret& found, TagAttributeList& attributes,
                       TagCaseOptions options);
    // Drops the rows and closes an open value editor without storing it.
    void clearInspector();

    QTreeWidgetItem* groupRow() const { return m_group; }
    int rowCount() const;
    QTreeWidgetItem* row(int index) const;
    // -1 for the group row, rowCount() when no row is current.
    int currentRowIndex() const;
    // The open value editor, or null.
    QWidget* valueEditor() const { return m_editor; }
    const TagInspection& inspection() const { return m_inspection; }

signals:
    // The tag in the document was rewritten from the grid.
    void tagRewritten();

private:
    friend class InspectorDelegate;

    // Called by the delegate.
    AttributeEditor editorFor(int row) const;
    void editorCreated(QWidget* editor, int row);
    // A key pressed or released in a value editor; true when consumed.
    bool editorKey(QWidget* editor, QKeyEvent* event);
    // An entry chosen in a drop-down list.
    void entryChosen(QWidget* editor, int row);
    // An entry chosen in the colour list: its value, empty for "Žádná".
    void colourChosen(int row, const QString& value);
    // The text of a value editor changed by the user.
    void textEdited(int row, const QString& text);
    UiServices* ui() const { return m_services.ui; }
    // The edit ended: a value the tag does not hold yet is written.
    void editEnded(int row, const QString& value);
    bool isChoosing() const { return m_choosing; }

    void startEditing(QTreeWidgetItem* item);
    void move(int newRow);
    void writeBack(int row, const QString& value);
    int rowOf(const QModelIndex& index) const;

    const TagDefinitions& m_definitions;
    Services m_services;
    InspectorDelegate* m_delegate = nullptr;
    QTreeWidgetItem* m_group = nullptr;
    TagInspection m_inspection;
    TagAttributeList* m_attributes = nullptr;
    TagCaseOptions m_options;
    QPointer<QWidget> m_editor;
    int m_editorRow = -1;
    // A key went down in the open editor (not only up after moving here).
    bool m_keyPressedInEditor = false;
    bool m_choosing = false;
};

} // namespace qw
