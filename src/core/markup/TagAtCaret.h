#pragma once

#include "core/markup/TagAttributeList.h"

#include <QString>

namespace qw {

class EditorWidget;

// What a search for the tag around the caret does to the editor pop-up's
// "Upravit HTML značku..." entry (F4).
enum class EditTagEntry {
    Unchanged, // a "<" was found but the caret stands past the tag's end
    Enabled,   // a tag was parsed
    Disabled,  // the caret is outside any tag
};

// Where the tag around the caret is. Offsets are editor offsets (a line break
// counts as two).
struct TagAtCaret
{
    // A "<" lies before the caret with no ">" between.
    bool found = false;
    // The caret stands within the tag, so its text was parsed.
    bool parsed = false;
    // Offset of the tag's "<" and of its ">" (or of the text's last character
    // when no ">" follows).
    qsizetype start = -1;
    qsizetype end = -1;
    // "<" + the characters strictly between start and end + ">".
    QString text;
    // The current tag name in upper case ("A", "/A", "!--") when parsed.
    QString name;
    EditTagEntry editTagEntry = EditTagEntry::Disabled;
};

// What the main window keeps between searches: the shared attribute list, the
// name of the tag last parsed (it survives a search that finds none) and the
// state of the edit-tag entry.
struct CaretTagState
{
    TagAttributeList attributes;
    QString currentTagName;
    bool editTagEnabled = false;

    void apply(const TagAtCaret& found);
};

// Locates the tag around the caret without changing anything: scans back from
// the caret to the nearest "<" or ">", and forward to the next ">". A caret
// directly after "<" or directly before ">" is inside the tag, one directly
// before "<" or after ">" is outside. End tags, comments and declarations are
// found like start tags. Reads only the characters it passes, so the cost
// grows with the distance to the markup around the caret, never with the
// document.
TagAtCaret locateTagAtCaret(const EditorWidget& editor);

// The full search run after every key and mouse-button release (select off)
// and by the edit-tag command (select on): empties the attribute list, locates
// the tag, parses it into the list when the caret is within it and updates the
// state. With select, a found tag is selected from "<" to ">" inclusive.
// The caller clears the tag inspector before and, when the result is parsed
// with a non-empty name, fills it afterwards.
TagAtCaret findTagAtCaret(EditorWidget& editor, bool select, CaretTagState& state,
                          TagCaseOptions options);

} // namespace qw
