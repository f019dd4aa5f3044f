// Find and replace over any text, search text, replacement, caret and
// options. A found match is selected and is the search text; replacing all
// gives what replacing one by one gives, which is how replacing all promises
// to behave although it finds every match on the unchanged text first; going
// on from the start of the text gives what going on one by one gives.

#include "FuzzSupport.h"
#include "core/editor/FindReplace.h"
#include "core/editor/MemoryEditor.h"

namespace {

QString folded(const QString& text, bool matchCase)
{
    if (matchCase)
        return text;
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(char16_t(c.unicode() + (u'a' - u'A')));
    }
    return result;
}

void placeCaret(qw::MemoryEditor& editor, std::uint16_t caretSeed, std::uint8_t selectionSeed)
{
    const qsizetype length = editor.length();
    editor.setSelectionStart(caretSeed % (length + 1));
    editor.setSelectionLength(qsizetype(selectionSeed % 16) - 8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const std::uint16_t caretSeed = std::uint16_t(input.byte() << 8 | input.byte());
    const std::uint8_t selectionSeed = input.byte();
    qw::FindOptions options;
    options.forward = (choice & 4) != 0;
    options.wholeWords = (choice & 8) != 0;
    options.matchCase = (choice & 16) != 0;
    const QString what = qw::fuzz::textOf(input.part('\0'), choice);
    const QString replacement = qw::fuzz::textOf(input.part('\0'), choice);
    const QString text = qw::fuzz::textOf(input.rest(), choice);
    if (text.size() > 4096)
        return 0; // replacing one by one is quadratic

    // Find.
    {
        qw::MemoryEditor editor(text);
        placeCaret(editor, caretSeed, selectionSeed);
        const qsizetype caret = editor.selectionStart();
        const qsizetype selection = editor.selectionLength();
        if (qw::findText(editor, what, options)) {
            QW_FUZZ_CHECK(!what.contains(u'\r') && !what.contains(u'\n'));
            QW_FUZZ_CHECK(folded(editor.selectedText(), options.matchCase) ==
                          folded(what, options.matchCase));
            const qsizetype start = std::min(editor.selectionStart(),
                                             editor.selectionStart() + editor.selectionLength());
            if (options.forward) {
                QW_FUZZ_CHECK(start >= caret && editor.selectionLength() == -what.size());
            } else {
                QW_FUZZ_CHECK(start < caret && editor.selectionLength() == what.size());
            }
            if (options.wholeWords) {
                const QChar before = editor.charAt(start - 1);
                const QChar after = editor.charAt(start + what.size());
                QW_FUZZ_CHECK(before.isNull() || before == u'\n' || qw::isWordSeparator(before));
                QW_FUZZ_CHECK(after.isNull() || after == u'\r' || qw::isWordSeparator(after));
            }
        } else {
            QW_FUZZ_CHECK(editor.selectionStart() == caret);
            QW_FUZZ_CHECK(editor.selectionLength() == selection);
        }
    }

    // Replace all against replace one by one.
    qw::MemoryEditor all(text);
    qw::MemoryEditor oneByOne(text);
    placeCaret(all, caretSeed, selectionSeed);
    placeCaret(oneByOne, caretSeed, selectionSeed);
    const qsizetype count = qw::replaceAll(all, what, replacement, options);
    const qsizetype caret = oneByOne.selectionStart() + oneByOne.selectionLength();
    qsizetype steps = 0;
    qsizetype firstReplaced = -1;
    for (qsizetype length = oneByOne.length();
         qw::replaceNext(oneByOne, what, replacement, options); length = oneByOne.length()) {
        // What went in may have taken its line breaks as CR LF.
        if (firstReplaced < 0)
            firstReplaced = oneByOne.selectionStart() - (oneByOne.length() - length + what.size());
        ++steps;
        QW_FUZZ_CHECK(steps <= text.size());
    }
    QW_FUZZ_CHECK(count == steps);
    QW_FUZZ_CHECK(all.text() == oneByOne.text());
    QW_FUZZ_CHECK(all.selectionStart() == oneByOne.selectionStart());
    QW_FUZZ_CHECK(all.selectionLength() == 0 && oneByOne.selectionLength() == 0);
    if (count > 0) {
        all.undo();
        QW_FUZZ_CHECK(all.text() == qw::MemoryEditor(text).text());
    }

    // Going on from the start of the text against replacing one by one from
    // there, each match starting before the caret and ending by the first
    // replacement made after it.
    qw::MemoryEditor wrapped(text);
    placeCaret(wrapped, caretSeed, selectionSeed);
    const qsizetype wrappedCount =
        qw::replaceAllWrapping(wrapped, what, replacement, options, [] { return true; });
    if (caret > 0) {
        // Both limits move with the replacements made before them.
        qsizetype startsBefore = caret;
        oneByOne.setSelectionStart(0);
        qw::FindOptions forward = options;
        forward.forward = true;
        while (qw::findText(oneByOne, what, forward)) {
            const qsizetype end = oneByOne.selectionStart();
            if (end + oneByOne.selectionLength() >= startsBefore ||
                (firstReplaced >= 0 && end > firstReplaced))
                break;
            const qsizetype length = oneByOne.length();
            oneByOne.replaceSelection(replacement);
            const qsizetype shift = oneByOne.length() - length;
            startsBefore += shift;
            if (firstReplaced >= 0)
                firstReplaced += shift;
            ++steps;
            QW_FUZZ_CHECK(oneByOne.selectionStart() == wrapped.selectionStart() ||
                          steps < wrappedCount);
        }
    }
    QW_FUZZ_CHECK(wrappedCount == steps);
    QW_FUZZ_CHECK(wrapped.text() == oneByOne.text());
    QW_FUZZ_CHECK(wrapped.selectionLength() == 0);
    return 0;
}
