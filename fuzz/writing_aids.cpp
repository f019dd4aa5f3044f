// The writing aids' decisions over any text and caret: the partner of the tag
// at the caret is a tag of the same name and the other kind, inside the text;
// the end tag a ">" adds is one; a rename of the partner stays inside the
// text and gives it the name the edited tag has now.

#include "FuzzSupport.h"
#include "core/assist/TagEdits.h"
#include "core/assist/TagPairs.h"

namespace {

void checkSpan(const QString& text, const qw::TagSpan& span)
{
    QW_FUZZ_CHECK(span.start >= 0 && span.start < span.end && span.end <= text.size());
    QW_FUZZ_CHECK(text[span.start] == u'<');
    QW_FUZZ_CHECK(span.nameStart > span.start && span.nameEnd <= span.end);
    QW_FUZZ_CHECK(span.nameEnd - span.nameStart == span.name.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const std::uint16_t caretSeed = std::uint16_t(input.byte() << 8 | input.byte());
    const QString typed = qw::fuzz::textOf(input.part('\x01'), 0);
    const QString text = qw::fuzz::textOf(input.rest(), choice);
    const qsizetype caret = caretSeed % (text.size() + 1);

    // What is open is a name as the tokenizer reads it: in ASCII lower case.
    const QString open = qw::openElementBefore(text, caret);
    QW_FUZZ_CHECK(open == qw::asciiLower(open));

    if (const std::optional<qw::TagSpan> at = qw::tagAtCaret(text, caret)) {
        checkSpan(text, *at);
        QW_FUZZ_CHECK(at->start < caret);
    }

    const std::optional<qw::TagPair> pair = qw::partnerTagAt(text, caret);
    if (pair) {
        checkSpan(text, pair->at);
        checkSpan(text, pair->partner);
        QW_FUZZ_CHECK(pair->at.start < caret);
        QW_FUZZ_CHECK(pair->at.name == pair->partner.name);
        QW_FUZZ_CHECK(pair->at.endTag != pair->partner.endTag);
        QW_FUZZ_CHECK(pair->partner.endTag == (pair->partner.start > pair->at.start));
    }

    const QString endTag =
        qw::endTagAfterGreaterThan(text, caret, qw::TagCaseOptions{(choice & 8) != 0});
    QW_FUZZ_CHECK(endTag.isEmpty() || (endTag.startsWith(u"</") && endTag.endsWith(u'>')));

    // Something typed at the caret, as a key in the tag's name would.
    if (pair) {
        QString after = text;
        after.insert(caret, typed);
        const std::optional<qw::NameReplacement> rename =
            qw::partnerRename(after, caret + typed.size(), *pair, typed.size());
        if (rename) {
            QW_FUZZ_CHECK(rename->from >= 0 && rename->from <= rename->to &&
                          rename->to <= after.size());
            QW_FUZZ_CHECK(!rename->name.isEmpty());
            const std::optional<qw::TagSpan> edited = qw::tagAtCaret(after, caret + typed.size());
            QW_FUZZ_CHECK(edited.has_value());
            QW_FUZZ_CHECK(after.sliced(edited->nameStart, edited->nameEnd - edited->nameStart) ==
                          rename->name);
        }
    }
    return 0;
}
