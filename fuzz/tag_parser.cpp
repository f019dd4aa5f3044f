// The reader of one tag's text, fed any text: it must end, stay in bounds and
// leave a list the writer can turn back into a tag.

#include "FuzzSupport.h"
#include "core/markup/TagAttributeList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const qw::TagCaseOptions options{(choice & 4) != 0};
    const QString tagText = qw::fuzz::textOf(input.rest(), choice);

    qw::TagAttributeList list;
    const QString name = list.parseTagText(tagText, options);
    QW_FUZZ_CHECK(name == qw::asciiUpper(name));
    for (const qw::TagAttribute& attribute : list.attributes())
        QW_FUZZ_CHECK(list.findTagAttribute(attribute.name) != nullptr);
    (void)list.formatTagAttributes();
    list.applyTagCase(options);

    // Parsing appends: a second parse into the same list keeps the first
    // attributes in front.
    const qsizetype before = list.attributes().size();
    const QList<qw::TagAttribute> first = list.attributes();
    (void)list.parseTagText(tagText, options);
    QW_FUZZ_CHECK(list.attributes().size() >= before);
    QW_FUZZ_CHECK(list.attributes().first(before) == first);

    const QString rebuilt =
        list.buildTagText(list.tagName(), QString(), (choice & 8) != 0, options);
    QW_FUZZ_CHECK(rebuilt.startsWith(u'<'));
    QW_FUZZ_CHECK(!list.holdsTag());
    return 0;
}
