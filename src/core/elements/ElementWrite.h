#pragma once

#include "core/markup/TagAttributeList.h"

#include <QList>
#include <QString>

namespace qw {

class EditorWidget;

// Whether an element dialog writes a new element or rewrites the start tag
// the edit-tag command selected.
enum class ElementMode { Insert = 0, Edit = 1 };

// The three ways an element dialog's OK puts its text into the source.
enum class ElementOutput {
    // Start tag with every attribute of the list, the content and the end tag
    // replace the selection; the caret stands before the end tag.
    WrappedInsert,
    // The start tag alone replaces the selection (the old tag in edit mode);
    // the caret stands after it.
    StartTag,
    // The dialog's own text replaces the selection.
    OwnText,
};

// One attribute an OK sets: its name (upper case, as dialogs pass it) and the
// field's text. An empty text removes the attribute or leaves it out.
struct AttributeValue
{
    QString attribute;
    QString value;
};

// What an OK writes into the source text.
struct ElementWriteRequest
{
    ElementMode mode = ElementMode::Insert;
    QString element;              // "a", "img", "td"
    QList<AttributeValue> values; // in the dialog's order
    ElementOutput output = ElementOutput::StartTag;
    QString text; // content of a wrapped insert, or the own text
};

// The OK pipeline on the source text. A new element starts from an empty
// list, so the attributes of a tag the caret happened to stand in do not leak
// into it; an edit keeps the parsed tag's attributes in their places, changes
// or removes those the dialog sets and appends new ones in the dialog's
// order. The list is empty afterwards, as after every write. Returns the text
// written.
QString writeElement(EditorWidget& editor, TagAttributeList& list,
                     const ElementWriteRequest& request, TagCaseOptions options);

} // namespace qw
