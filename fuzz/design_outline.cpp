// The design view's reader of a page's source and its write-back, fed any
// text: the element tree must stay inside the text with children in order
// inside their parents, equal snapshots must write nothing and the
// replacements written for an edit must be sorted, apart and inside the text.
//
// The seeds are recorded from the real engine (bench_design_corpus --seed):
// a choice byte, then the source, the snapshot taken after loading it and
// the one after a typed word, fields apart by U+001E (source; then head
// nodes, body attributes as name and value, body nodes, once for each
// snapshot), the items of a list by U+001F. An input without snapshots
// gets them made of the source's own pieces, with one node changed and one
// added as an edit would.

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

qw::DesignSnapshot snapshotOf(const QStringList& fields, qsizetype first)
{
    const QChar item(0x1f);
    const auto list = [&](qsizetype i) {
        return i < fields.size() && !fields[i].isEmpty() ? fields[i].split(item) : QStringList();
    };
    qw::DesignSnapshot s;
    s.headNodes = list(first);
    const QStringList attributes = list(first + 1);
    for (qsizetype i = 0; i + 1 < attributes.size(); i += 2)
        s.bodyAttributes.append({attributes[i], attributes[i + 1]});
    s.bodyNodes = list(first + 2);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qw::fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    const QStringList fields = qw::fuzz::textOf(input.rest(), choice).split(QChar(0x1e));
    const QString& source = fields.front();

    const qw::HtmlOutline outline = qw::outlineHtml(source);
    checkNode(outline, outline.head, source.size());
    checkNode(outline, outline.body, source.size());

    qw::DesignSnapshot loaded;
    qw::DesignSnapshot left;
    if (fields.size() > 1) {
        loaded = snapshotOf(fields, 1);
        left = snapshotOf(fields, 4);
    } else {
        for (int c = outline.nodes[size_t(outline.body)].firstChild; c >= 0;
             c = outline.nodes[size_t(c)].nextSibling) {
            const qw::OutlineNode& node = outline.nodes[size_t(c)];
            loaded.bodyNodes.append(source.sliced(node.start, node.end - node.start));
        }
        left = loaded;
        if (!left.bodyNodes.isEmpty())
            left.bodyNodes[left.bodyNodes.size() / 2] = QStringLiteral("<p>změna</p>");
        left.bodyNodes.append(QStringLiteral("\n<div>nový</div>"));
        left.bodyAttributes.append({QStringLiteral("bgcolor"), QStringLiteral("\"&")});
    }
    QW_FUZZ_CHECK(qw::designWriteBack(source, loaded, loaded).isEmpty());
    QW_FUZZ_CHECK(qw::designWriteBack(source, left, left).isEmpty());
    qsizetype at = 0;
    for (const qw::TextReplacement& r : qw::designWriteBack(source, loaded, left)) {
        QW_FUZZ_CHECK(r.start >= at && r.length >= 0 && r.start + r.length <= source.size());
        at = r.start + r.length;
    }
    return 0;
}
