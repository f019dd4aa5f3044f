#include "core/elements/ElementWrite.h"

#include "core/editor/MemoryEditor.h"
#include "core/markup/TagAtCaret.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

constexpr TagCaseOptions lower{true};
constexpr TagCaseOptions upper{false};

struct Case
{
    const char* name;
    QString before; // "[" and "]" mark the selection, "|" the caret
    ElementMode mode;
    ElementOutput output;
    QString element;
    QList<AttributeValue> values;
    QString text;
    TagCaseOptions options;
    QString after; // "|" marks the caret afterwards
};

// Puts the text without its marks into the editor and selects as marked.
void load(MemoryEditor& editor, QString text)
{
    const qsizetype open = text.indexOf(u'[');
    if (open >= 0) {
        text.remove(open, 1);
        const qsizetype close = text.indexOf(u']');
        text.remove(close, 1);
        editor.setText(text);
        editor.setSelectionStart(open);
        editor.setSelectionLength(close - open);
    } else {
        const qsizetype caret = text.indexOf(u'|');
        text.remove(caret, 1);
        editor.setText(text);
        editor.setSelectionStart(caret);
    }
}

QString withCaret(const MemoryEditor& editor)
{
    EXPECT_EQ(editor.selectionLength(), 0);
    QString text = editor.text();
    text.insert(editor.selectionStart(), u'|');
    return text;
}

TEST(ElementWrite, WritesInTheDialogsOrderAndPlacesTheCaret)
{
    const Case cases[] = {
        {"wrapped insert around a selection",
         u"x [word] y"_s,
         ElementMode::Insert,
         ElementOutput::WrappedInsert,
         u"a"_s,
         {{u"HREF"_s, u"b.html"_s}, {u"TARGET"_s, u"_top"_s}},
         u"word"_s,
         lower,
         u"x <a href=\"b.html\" target=\"_top\">word|</a> y"_s},
        {"wrapped insert at the caret, empty fields",
         u"x |y"_s,
         ElementMode::Insert,
         ElementOutput::WrappedInsert,
         u"a"_s,
         {{u"HREF"_s, {}}, {u"TARGET"_s, {}}},
         QString(),
         lower,
         u"x <a>|</a>y"_s},
        {"wrapped content over lines",
         u"|"_s,
         ElementMode::Insert,
         ElementOutput::WrappedInsert,
         u"body"_s,
         {},
         u"a\r\nb"_s,
         upper,
         u"<BODY>a\r\nb|</BODY>"_s},
        {"start tag in insert mode replaces the selection",
         u"[old]"_s,
         ElementMode::Insert,
         ElementOutput::StartTag,
         u"img"_s,
         {{u"SRC"_s, u"p.gif"_s}, {u"ALT"_s, u"Pes"_s}},
         QString(),
         upper,
         u"<IMG SRC=\"p.gif\" ALT=\"Pes\">|"_s},
        {"own text",
         u"a[b]c"_s,
         ElementMode::Insert,
         ElementOutput::OwnText,
         QString(),
         {},
         u"<x>"_s,
         lower,
         u"a<x>|c"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryEditor editor;
        load(editor, c.before);
        TagAttributeList list;
        writeElement(editor, list, {c.mode, c.element, c.values, c.output, c.text}, c.options);
        EXPECT_EQ(withCaret(editor), c.after);
        EXPECT_FALSE(list.holdsTag());
    }
}

// The edit-tag command selects the tag and parses it into the shared list;
// OK then rewrites only the start tag.
TEST(ElementWrite, EditKeepsUnknownAttributesInPlaceAndAppendsNewOnes)
{
    struct EditCase
    {
        const char* name;
        QString document;
        QString element;
        QList<AttributeValue> values;
        TagCaseOptions options;
        QString after;
    };
    const EditCase cases[] = {
        {"emptied field removes, new one appended",
         u"<a href=\"x\" title=\"t\" name=\"n\">L</a>"_s,
         u"a"_s,
         {{u"HREF"_s, {}}, {u"TARGET"_s, u"_blank"_s}},
         upper,
         u"<A TITLE=\"t\" NAME=\"n\" TARGET=\"_blank\">|L</a>"_s},
        {"changed value keeps its place, bare attribute stays bare",
         u"<td rowspan=2 colspan=3 nowrap>c</td>"_s,
         u"td"_s,
         {{u"WIDTH"_s, u"50"_s}, {u"ROWSPAN"_s, u"2"_s}, {u"COLSPAN"_s, u"4"_s}},
         upper,
         u"<TD ROWSPAN=\"2\" COLSPAN=\"4\" NOWRAP WIDTH=\"50\">|c</td>"_s},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryEditor editor(c.document);
        editor.setSelectionStart(3);
        CaretTagState state;
        findTagAtCaret(editor, true, state, c.options);
        ASSERT_GT(editor.selectionLength(), 0);
        writeElement(editor, state.attributes,
                     {ElementMode::Edit, c.element, c.values, ElementOutput::StartTag, QString()},
                     c.options);
        EXPECT_EQ(withCaret(editor), c.after);
    }
}

TEST(ElementWrite, InsertStartsFromAnEmptyList)
{
    MemoryEditor editor;
    TagAttributeList list;
    list.parseTagText(u"<font color=\"red\" size=\"2\">"_s, lower);
    writeElement(editor, list,
                 {ElementMode::Insert,
                  u"img"_s,
                  {{u"SRC"_s, u"a.gif"_s}},
                  ElementOutput::StartTag,
                  QString()},
                 lower);
    EXPECT_EQ(editor.text(), u"<img src=\"a.gif\">"_s);
}

} // namespace
} // namespace qw
