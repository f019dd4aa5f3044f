// The search for the tag around the caret over any text and caret: offsets
// stay inside the text, the tag's text is what the offsets say, and selecting
// the tag selects exactly that.

#include "FuzzSupport.h"
#include "core/editor/MemoryEditor.h"
#include "core/markup/TagAtCaret.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const std::uint16_t caretSeed = std::uint16_t(input.byte() << 8 | input.byte());
    qw::MemoryEditor editor(qw::fuzz::textOf(input.rest(), choice));
    const qsizetype length = editor.length();
    const qsizetype caret = length == 0 ? 0 : caretSeed % (length + 1);
    editor.setSelectionStart(caret);
    QW_FUZZ_CHECK(editor.selectionStart() == caret);

    const qw::TagAtCaret located = qw::locateTagAtCaret(editor);
    if (located.found) {
        QW_FUZZ_CHECK(located.start >= 0 && located.start < caret);
        QW_FUZZ_CHECK(located.end >= located.start && located.end < length);
        QW_FUZZ_CHECK(editor.charAt(located.start) == u'<');
        QW_FUZZ_CHECK(located.text ==
                      u'<' + editor.textRange(located.start + 1, located.end) + u'>');
    } else {
        QW_FUZZ_CHECK(located.editTagEntry == qw::EditTagEntry::Disabled);
    }

    qw::CaretTagState state;
    const bool select = (choice & 4) != 0;
    const qw::TagAtCaret found =
        qw::findTagAtCaret(editor, select, state, qw::TagCaseOptions{(choice & 8) != 0});
    QW_FUZZ_CHECK(found.found == located.found);
    QW_FUZZ_CHECK(found.start == located.start && found.end == located.end);
    QW_FUZZ_CHECK(found.text == located.text);
    QW_FUZZ_CHECK(found.parsed == (located.found && caret <= located.end));
    QW_FUZZ_CHECK(state.editTagEnabled == found.parsed);
    QW_FUZZ_CHECK(editor.text().size() == length);
    if (select && found.found) {
        QW_FUZZ_CHECK(editor.selectionStart() == found.start);
        QW_FUZZ_CHECK(editor.selectedText() == editor.textRange(found.start, found.end + 1));
    }
    return 0;
}
