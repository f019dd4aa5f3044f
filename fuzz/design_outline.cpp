// The design view's reader of a page's source and its write-back, fed any
// text: the element tree must stay inside the text with children in order
// inside their parents, and the replacements written for an edit must be
// sorted, apart and inside the text.

#include "FuzzSupport.h"
#include "core/design/DesignWriteBack.h"
#include "core/design/HtmlOutline.h"

namespace {

void checkNode(const qw::HtmlOutline& outline, int index, qsizetype size)
{
    const qw::OutlineNode& node = outline.nodes[size_t(index)];
    QW_FUZZ_CHECK(node.start >= 0 && node.start <= node.end && node.end <= size);
    QW_FUZZ_CHECK(node.contentStart >= 0 && node.contentStart <= size);
    qsizetype at = -1;
    for (int c = node.firstChild; c >= 0; c = outline.nodes[size_t(c)].nextSibling) {
        const qw::OutlineNode& child = outline.nodes[size_t(c)];
        QW_FUZZ_CHECK(child.start >= at);
        at = child.start;
        checkNode(outline, c, size);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const QString source = qw::fuzz::textOf(input.rest(), choice);

    const qw::HtmlOutline outline = qw::outlineHtml(source);
    checkNode(outline, outline.head, source.size());
    checkNode(outline, outline.body, source.size());

    // Snapshots made of the source's own pieces, then one node changed and
    // one added, as an edit would.
    qw::DesignSnapshot loaded;
    for (int c = outline.nodes[size_t(outline.body)].firstChild; c >= 0;
         c = outline.nodes[size_t(c)].nextSibling) {
        const qw::OutlineNode& node = outline.nodes[size_t(c)];
        loaded.bodyNodes.append(source.sliced(node.start, node.end - node.start));
    }
    QW_FUZZ_CHECK(qw::designWriteBack(source, loaded, loaded).isEmpty());
    qw::DesignSnapshot left = loaded;
    if (!left.bodyNodes.isEmpty())
        left.bodyNodes[left.bodyNodes.size() / 2] = QStringLiteral("<p>změna</p>");
    left.bodyNodes.append(QStringLiteral("\n<div>nový</div>"));
    left.bodyAttributes.append({QStringLiteral("bgcolor"), QStringLiteral("\"&")});
    qsizetype at = 0;
    for (const qw::TextReplacement& r : qw::designWriteBack(source, loaded, left)) {
        QW_FUZZ_CHECK(r.start >= at && r.length >= 0 && r.start + r.length <= source.size());
        at = r.start + r.length;
    }
    return 0;
}
