#include "core/editor/MemoryEditor.h"
#include "core/transform/TextTransformCommands.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

MemoryEditor editorWith(const QString& text, qsizetype caret, qsizetype length = 0)
{
    MemoryEditor editor(text);
    editor.setSelectionStart(caret);
    editor.setSelectionLength(length);
    editor.clearUndo();
    editor.setModified(false);
    return editor;
}

using enum TextTransformation;

struct CommandCase
{
    const char* name;
    TextTransformation transformation;
    QString text;
    qsizetype caret;
    qsizetype length;
    QString expected;
    qsizetype caretAfter;
    qsizetype lengthAfter;
};

class TransformCommand : public ::testing::TestWithParam<CommandCase>
{
};

TEST_P(TransformCommand, RewritesPlacesCaretAndUndoesInOneStep)
{
    const CommandCase& c = GetParam();
    MemoryEditor editor = editorWith(c.text, c.caret, c.length);
    const TransformContext context{{"<html>"}, {"</html>"}};
    runTextTransformation(editor, c.transformation, context);
    EXPECT_EQ(editor.text(), c.expected) << editor.text().toStdString();
    EXPECT_EQ(editor.selectionStart(), c.caretAfter);
    EXPECT_EQ(editor.selectionLength(), c.lengthAfter);
    EXPECT_TRUE(editor.isModified());

    editor.undo();
    EXPECT_EQ(editor.text(), c.text);
    EXPECT_FALSE(editor.canUndo());
}

const CommandCase commandCases[] = {
    // Selection: only the selected text changes, and it is selected again.
    {"UpperSelectionForward", UpperCase, "ahoj <b>světe</b> konec", 5, 12,
     "ahoj <b>SVĚTE</b> konec", 5, 12},
    {"UpperSelectionBackward", UpperCase, "ahoj světe", 10, -5, "ahoj SVĚTE", 10, -5},
    {"LowerSelection", LowerCase, "ŽLUŤ KŮŇ", 0, 4, "žluť KŮŇ", 0, 4},
    {"InvertSelection", InvertCase, "ŠTĚNĚ ůú", 0, 8, "štěně ůú", 0, 8},
    // The selection is the processed text: its first character starts a word.
    {"FirstCapitalSelection", FirstCapital, "xxHELLO world", 2, 11, "xxHello World", 2, 11},
    {"DiacriticsSelection", RemoveDiacritics, "čř <a title=\"ďáb\">", 0, 18, "cr <a title=\"ďab\">",
     0, 18},
    // No selection: the whole text, with the caret put back.
    {"UpperWholeText", UpperCase, "a<b>c</b>\r\nd", 6, 0, "A<b>C</b>\r\nD", 6, 0},
    {"DiacriticsWholeText", RemoveDiacritics, "Příliš\r\nďábel", 9, 0, "Prilis\r\nďabel", 9, 0},
    {"FirstCapitalWholeText", FirstCapital, "žluťoučký kůň\r\nkoně", 3, 0, "Žluťoučký Kůň\r\nKoně",
     3, 0},
    {"TagsUpperKeepsCaret", TagsToUpperCase, "<p class=\"x\">a</p>", 14, 0, "<P CLASS=\"x\">a</P>",
     14, 0},
    {"TagsLowerIgnoresSelection", TagsToLowerCase, "<P>A</P>", 3, 1, "<p>A</p>", 3, 0},
    // The HTML tools take the whole text and leave the caret at the start.
    {"TextToHtml", TextToHtml, "a<b\r\n", 2, 0, "<html>\r\n\r\na&lt;b<br>\r\n<br>\r\n</html>", 0,
     0},
    {"RemoveHtml", RemoveHtml, "<p>text</p>", 5, 0, " text ", 0, 0},
    {"RemoveSurplusLines", RemoveSurplusLines, "a\r\n\r\n\r\n\r\nb", 10, 0, "a\r\n\r\nb", 0, 0},
    // The selection tools replace the selection; the caret ends after the result.
    {"TextToTable", TextToTable, "x\r\na\r\n\r\nb\r\ny", 3, 8,
     "x\r\n<table>\r\n    <tr><td>a</td></tr>\r\n    <tr><td>&nbsp;</td></tr>\r\n"
     "    <tr><td>b</td></tr>\r\n</table>\r\ny",
     102, 0},
    {"TextToTableNothingSelected", TextToTable, "ab", 1, 0, "a<table>\r\n</table>\r\nb", 20, 0},
    {"AddLineBreaks", AddLineBreaks, "a\r\nb\r\nc", 0, 4, "a<br>\r\nb<br>\r\n\r\nc", 14, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, TransformCommand, ::testing::ValuesIn(commandCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TransformCommand, NothingToChangeLeavesTheDocumentUntouched)
{
    for (TextTransformation t : {UpperCase, RemoveDiacritics, TagsToLowerCase, RemoveHtml}) {
        MemoryEditor editor = editorWith("ABC", 2);
        runTextTransformation(editor, t);
        EXPECT_FALSE(editor.isModified());
        EXPECT_FALSE(editor.canUndo());
    }
    MemoryEditor editor = editorWith("ab", 1);
    runTextTransformation(editor, AddLineBreaks);
    EXPECT_EQ(editor.text(), "ab");
    EXPECT_FALSE(editor.isModified());
}

TEST(TransformCommand, DateAndTimeReplaceTheSelection)
{
    MemoryEditor editor = editorWith("[xx]", 1, 2);
    insertDateTime(editor, QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)),
                   QLocale(QLocale::Czech, QLocale::Czechia));
    EXPECT_EQ(editor.text(), "[31.12.24 23:59:58]");
    EXPECT_EQ(editor.selectionStart(), 18);
    editor.undo();
    EXPECT_EQ(editor.text(), "[xx]");
}

} // namespace
} // namespace qw
