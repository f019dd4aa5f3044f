#pragma once

#include "core/markup/TagAtCaret.h"
#include "core/settings/TagDefinitions.h"

#include <QList>
#include <QString>

namespace qw {

class EditorWidget;

// One attribute row of the tag inspector: the attribute's name in capitals
// and the value the tag holds for it (empty when the tag lacks it or names
// it bare).
struct InspectorRow
{
    QString name;
    QString value;

    friend bool operator==(const InspectorRow&, const InspectorRow&) = default;
};

// The rows for a tag: one per attribute its "tag.dat" section defines, in the
// file's order, each with the value of the first attribute of that name in
// the list. None when the tag has no section. Attributes the section does not
// define get no row.
QList<InspectorRow> inspectorRows(const TagDefinitions& definitions, QStringView tagName,
                                  const TagAttributeList& attributes);

// The tag the inspector shows and rewrites. It remembers where the tag search
// found the tag and the exact text it has written there since, so that a
// rewrite replaces exactly that tag: a value holding "<" or ">" never makes it
// cut the document elsewhere, and a document changed behind its back is left
// alone.
class TagInspection
{
public:
    // Takes the rows of the tag the search parsed (found.parsed, found.name
    // the current tag name) and puts the list's names into the configured
    // case, the form every rewrite writes. A search that parsed nothing, or a
    // tag without a section, leaves no rows.
    void fill(const TagDefinitions& definitions, const TagAtCaret& found,
              TagAttributeList& attributes, TagCaseOptions options);
    // The same for a document whose doctype may make it HTML5 (isHtml5Document).
    // There a flag (an attribute whose only choice is its own name, as
    // required) shows its name when the tag holds it bare, and choosing that
    // name writes it bare; elsewhere flags are written with their value as
    // before, and every flag stays as it was found until its row is changed.
    void fill(const TagDefinitions& definitions, const TagAtCaret& found,
              TagAttributeList& attributes, TagCaseOptions options, bool html5Document);
    void clear();

    const QList<InspectorRow>& rows() const { return m_rows; }
    // How the value of a row is edited, asked from "tag.dat" when needed.
    AttributeEditor editorFor(const TagDefinitions& definitions, int row) const;

    // Where the tag stands now; -1 and 0 when there is none to rewrite (also
    // when the tag found had no closing ">": rewriting it would have to guess
    // where it ends).
    qsizetype tagStart() const { return m_start; }
    qsizetype tagLength() const { return m_written.size(); }

    // Sets the row's attribute to value in the list (an empty value removes
    // it, a missing one is appended) and rewrites the tag in place in the
    // configured case, leaving the caret before its ">". A value equal to the
    // one the row already holds changes no attribute, so touching a bare flag
    // such as ismap or an empty alt="" keeps it, but the tag is still
    // rewritten when its case differs; a tag already in the written form is
    // left alone (only the caret moves). Refuses (false, nothing changed) when the row does not
    // exist or the document no longer holds the tag where it was written.
    bool writeBack(EditorWidget& editor, TagAttributeList& attributes, int row,
                   const QString& value, TagCaseOptions options);

private:
    QList<InspectorRow> m_rows;
    // Set for an HTML5 document: where a written flag's kind is looked up.
    const TagDefinitions* m_flagDefinitions = nullptr;
    QString m_tagName;
    qsizetype m_start = -1;
    QString m_written;
};

} // namespace qw
