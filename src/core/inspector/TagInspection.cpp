#include "core/inspector/TagInspection.h"

#include "core/editor/EditorWidget.h"

#include <vector>

namespace qw {

namespace {

// A flag is an attribute whose only choice is its own name, as required.
bool isFlagRow(const TagDefinitions& definitions, QStringView tagName, const QString& upperName)
{
    const AttributeEditor editor = definitions.attributeEditor(tagName, upperName);
    return editor.kindText == u"COMBO" && editor.choices.size() == 1 &&
           asciiUpper(editor.choices.first()) == upperName;
}

} // namespace

QList<InspectorRow> inspectorRows(const TagDefinitions& definitions, QStringView tagName,
                                  const TagAttributeList& attributes)
{
    QList<InspectorRow> rows;
    if (!definitions.hasTag(tagName))
        return rows;
    const QStringList names = definitions.attributeNames(tagName);
    rows.reserve(names.size());
    // An empty key ("=x" in the file) names no attribute and gets no row.
    for (const QString& name : names) {
        if (!name.isEmpty())
            rows.append(InspectorRow{asciiUpper(name), QString()});
    }
    // The first attribute of a name fills its row; a repeated one does not.
    std::vector<bool> filled(std::size_t(rows.size()), false);
    for (const TagAttribute& attribute : attributes.attributes()) {
        const QString upper = asciiUpper(attribute.name);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (!filled[std::size_t(i)] && rows.at(i).name == upper) {
                rows[i].value = attribute.value.value_or(QString());
                filled[std::size_t(i)] = true;
                break;
            }
        }
    }
    return rows;
}

void TagInspection::fill(const TagDefinitions& definitions, const TagAtCaret& found,
                         TagAttributeList& attributes, TagCaseOptions options)
{
    fill(definitions, found, attributes, options, false);
}

void TagInspection::fill(const TagDefinitions& definitions, const TagAtCaret& found,
                         TagAttributeList& attributes, TagCaseOptions options, bool html5Document)
{
    clear();
    if (!found.parsed || found.name.isEmpty())
        return;
    m_rows = inspectorRows(definitions, found.name, attributes);
    if (m_rows.isEmpty())
        return;
    if (html5Document) {
        m_flagDefinitions = &definitions;
        // Only the attributes the tag holds bare are looked up here: a
        // lookup per row would cost every key release on a tag of many rows.
        for (const TagAttribute& attribute : attributes.attributes()) {
            if (attribute.value)
                continue;
            const QString upper = asciiUpper(attribute.name);
            for (InspectorRow& row : m_rows) {
                if (row.name == upper && row.value.isEmpty() &&
                    isFlagRow(definitions, found.name, row.name)) {
                    // A bare flag is set: its row says so by its name, and
                    // leaving that name as it is keeps the flag bare.
                    row.value = asciiLower(attribute.name);
                }
            }
        }
    }
    attributes.applyTagCase(options);
    m_tagName = attributes.tagName();
    // found.text always ends in ">"; for a tag the document does not close
    // it differs from the document's text, so writeBack refuses that tag.
    m_start = found.start;
    m_written = found.text;
}

void TagInspection::clear()
{
    m_rows.clear();
    m_flagDefinitions = nullptr;
    m_tagName.clear();
    m_start = -1;
    m_written.clear();
}

AttributeEditor TagInspection::editorFor(const TagDefinitions& definitions, int row) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return definitions.attributeEditor(m_tagName, m_rows.at(row).name);
}

bool TagInspection::writeBack(EditorWidget& editor, TagAttributeList& attributes, int row,
                              const QString& value, TagCaseOptions options)
{
    if (row < 0 || row >= m_rows.size() || m_start < 0)
        return false;
    const qsizetype end = m_start + m_written.size();
    if (editor.charAt(m_start) != u'<' || editor.charAt(end - 1) != u'>' ||
        editor.textRange(m_start, end) != m_written)
        return false;
    InspectorRow& shown = m_rows[row];
    if (value != shown.value) {
        const bool bare = m_flagDefinitions != nullptr && asciiUpper(value) == shown.name &&
                          isFlagRow(*m_flagDefinitions, m_tagName, shown.name);
        if (bare)
            attributes.setBareTagAttribute(shown.name);
        else
            attributes.setTagAttribute(shown.name, value);
        shown.value = value;
    }
    // The text the writer makes of the list (it puts the names in case first).
    attributes.applyTagCase(options);
    const QString tag =
        u'<' + tagNameCase(m_tagName, options) + attributes.formatTagAttributes() + u'>';
    if (tag == m_written) {
        // Nothing would change: the document stays unmodified and no empty
        // undo step is made, but the caret goes where a rewrite leaves it.
        editor.setSelectionStart(end - 1);
        return true;
    }
    {
        UndoGroup group(editor);
        editor.setSelectionStart(m_start);
        editor.setSelectionLength(m_written.size());
        attributes.insertTagText(editor, m_tagName, QString(), false, options);
    }
    // The caret stands before the new tag's ">".
    m_written = editor.textRange(m_start, editor.selectionStart() + 1);
    return true;
}

} // namespace qw
