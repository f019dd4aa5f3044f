#include "core/preview/ElementPath.h"

namespace qw {

namespace {
bool isElement(const OutlineNode& node)
{
    return !node.name.startsWith(u'#');
}
} // namespace

QList<int> elementPathAt(const HtmlOutline& outline, qsizetype offset)
{
    QList<int> path;
    if (outline.body < 0)
        return path;
    int parent = outline.body;
    const auto& nodes = outline.nodes;
    // The outline gives the body no end of its own: everything after its
    // start belongs to it (text after </body> goes into it, too).
    if (offset < nodes[std::size_t(parent)].contentStart)
        return path;
    // Siblings come in source order: one walk down, no search of the tree.
    for (;;) {
        int index = 0;
        int found = -1;
        for (int child = nodes[std::size_t(parent)].firstChild; child >= 0;
             child = nodes[std::size_t(child)].nextSibling) {
            const OutlineNode& node = nodes[std::size_t(child)];
            if (!isElement(node))
                continue;
            if (node.start <= offset && offset < node.end) {
                found = child;
                break;
            }
            if (node.start > offset)
                break;
            ++index;
        }
        if (found < 0)
            return path;
        path.append(index);
        parent = found;
    }
}

qsizetype elementStartAt(const HtmlOutline& outline, const QList<int>& path)
{
    if (outline.body < 0)
        return -1;
    int current = outline.body;
    const auto& nodes = outline.nodes;
    for (int wanted : path) {
        int index = 0;
        int found = -1;
        for (int child = nodes[std::size_t(current)].firstChild; child >= 0;
             child = nodes[std::size_t(child)].nextSibling) {
            if (!isElement(nodes[std::size_t(child)]))
                continue;
            if (index == wanted) {
                found = child;
                break;
            }
            ++index;
        }
        if (found < 0)
            return -1;
        current = found;
    }
    if (current == outline.body)
        return outline.bodyTagStart;
    return nodes[std::size_t(current)].start;
}

} // namespace qw
