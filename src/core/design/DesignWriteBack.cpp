#include "core/design/DesignWriteBack.h"

#include "core/design/HtmlOutline.h"
#include "core/design/HtmlTokenizer.h"

#include <QHash>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace qw {

using namespace Qt::StringLiterals;

namespace {

struct Match
{
    qsizetype a = 0;
    qsizetype b = 0;
};

// Beyond this many differences the middle of two sequences is taken as one
// change: the comparison stays linear in the sequences' length, and such a
// page is rewritten in that one region, which is right, only larger.
constexpr qsizetype kMaxDifferences = 1000;

// The pairs of equal elements of a and b a shortest edit keeps (Myers'
// comparison between the common start and end).
template<class Equal> std::vector<Match> matchSequences(qsizetype n, qsizetype m, Equal equal)
{
    std::vector<Match> matches;
    qsizetype head = 0;
    while (head < n && head < m && equal(head, head))
        matches.push_back({head, head}), ++head;
    qsizetype tail = 0;
    while (tail < n - head && tail < m - head && equal(n - 1 - tail, m - 1 - tail))
        ++tail;
    const qsizetype an = n - head - tail;
    const qsizetype bm = m - head - tail;

    std::vector<Match> middle;
    if (an > 0 && bm > 0) {
        const qsizetype limit = std::min(an + bm, kMaxDifferences);
        const qsizetype offset = limit + 1;
        std::vector<qsizetype> v(size_t(2 * limit + 3), 0);
        std::vector<std::vector<qsizetype>> trace;
        bool found = false;
        for (qsizetype d = 0; d <= limit && !found; ++d) {
            trace.push_back(v);
            for (qsizetype k = -d; k <= d; k += 2) {
                qsizetype x =
                    (k == -d || (k != d && v[size_t(offset + k - 1)] < v[size_t(offset + k + 1)]))
                        ? v[size_t(offset + k + 1)]
                        : v[size_t(offset + k - 1)] + 1;
                qsizetype y = x - k;
                while (x < an && y < bm && equal(head + x, head + y))
                    ++x, ++y;
                v[size_t(offset + k)] = x;
                if (x >= an && y >= bm) {
                    found = true;
                    break;
                }
            }
        }
        if (found) {
            qsizetype x = an;
            qsizetype y = bm;
            for (qsizetype d = qsizetype(trace.size()) - 1; d > 0 || x > 0 || y > 0; --d) {
                if (d <= 0) {
                    while (x > 0 && y > 0)
                        middle.push_back({head + --x, head + --y});
                    break;
                }
                const std::vector<qsizetype>& prev = trace[size_t(d)];
                const qsizetype k = x - y;
                const qsizetype prevK = (k == -d || (k != d && prev[size_t(offset + k - 1)] <
                                                                   prev[size_t(offset + k + 1)]))
                                            ? k + 1
                                            : k - 1;
                const qsizetype prevX = prev[size_t(offset + prevK)];
                const qsizetype prevY = prevX - prevK;
                while (x > prevX && y > prevY)
                    middle.push_back({head + --x, head + --y});
                x = prevX;
                y = prevY;
            }
            std::reverse(middle.begin(), middle.end());
        }
    }
    matches.insert(matches.end(), middle.begin(), middle.end());
    for (qsizetype i = tail; i > 0; --i)
        matches.push_back({n - i, m - i});
    return matches;
}

// What a serialised node is: an element's name, "#text" or "#comment". A
// browser writes the names of HTML elements in lower case, as the source's
// tree holds them.
QStringView kindOf(QStringView node)
{
    if (node.startsWith(u"<!--"))
        return u"#comment";
    if (node.size() < 2 || node[0] != u'<' || !isAsciiAlpha(node[1]))
        return u"#text";
    qsizetype i = 1;
    while (i < node.size() && !isHtmlSpace(node[i]) && node[i] != u'>' && node[i] != u'/')
        ++i;
    return node.sliced(1, i - 1);
}

// A serialised element taken apart: its start tag and its children's
// serialisations. A browser writes every element balanced, so depth alone
// finds the children.
struct SplitElement
{
    qsizetype startTagEnd = 0;
    std::vector<QStringView> children;
};

std::optional<SplitElement> splitElement(QStringView node)
{
    HtmlTokenizer tokenizer(node);
    HtmlToken token;
    tokenizer.next(token);
    if (token.kind != HtmlTokenKind::StartTag)
        return std::nullopt;
    SplitElement split;
    split.startTagEnd = token.end;
    enterElementContent(tokenizer, token.name);
    int depth = 0;
    int foreignDepth = 0;
    qsizetype childStart = 0;
    for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
        switch (token.kind) {
        case HtmlTokenKind::Text:
        case HtmlTokenKind::Comment:
        case HtmlTokenKind::Doctype:
            if (depth == 0)
                split.children.push_back(node.sliced(token.start, token.end - token.start));
            break;
        case HtmlTokenKind::StartTag:
            if (foreignDepth == 0 && isVoidElement(token.name)) {
                if (depth == 0)
                    split.children.push_back(node.sliced(token.start, token.end - token.start));
                break;
            }
            if (depth == 0)
                childStart = token.start;
            ++depth;
            if (token.name == "svg"_L1 || token.name == "math"_L1)
                ++foreignDepth;
            else if (foreignDepth == 0)
                enterElementContent(tokenizer, token.name);
            break;
        case HtmlTokenKind::EndTag:
            if (depth == 0) {
                // The element's own end tag, which must be the last thing.
                if (token.end != node.size())
                    return std::nullopt;
                return split;
            }
            --depth;
            if (foreignDepth > 0 && (token.name == "svg"_L1 || token.name == "math"_L1))
                --foreignDepth;
            if (depth == 0)
                split.children.push_back(node.sliced(childStart, token.end - childStart));
            break;
        case HtmlTokenKind::End:
            break;
        }
    }
    return std::nullopt;
}

bool isFormattingElement(QStringView name)
{
    for (QStringView formatting : {u"a", u"b", u"big", u"code", u"em", u"font", u"i", u"nobr", u"s",
                                   u"small", u"strike", u"strong", u"tt", u"u"}) {
        if (name == formatting)
            return true;
    }
    return false;
}

bool isRawTextElement(QStringView name)
{
    for (QStringView raw : {u"script", u"style", u"xmp", u"iframe", u"noembed", u"noframes",
                            u"title", u"textarea", u"plaintext", u"svg", u"math"}) {
        if (name == raw)
            return true;
    }
    return false;
}

// A run of the loaded snapshot's nodes and the source text they came from.
// A unit is written back whole or not at all.
struct Unit
{
    qsizetype first = 0; // loaded nodes [first, last)
    qsizetype last = 0;
    qsizetype sourceStart = 0;
    qsizetype sourceEnd = 0;
    QString tail;
    int node = -1; // the one source node of a unit that is not a group
};

// One parent's children in the source, in the snapshot taken after loading
// and in the one taken on leaving.
struct Level
{
    std::vector<int> source;
    qsizetype contentStart = 0;
    std::vector<QStringView> loaded;
    std::vector<QStringView> left;
};

// Units over the loaded nodes: a node whose source node is of the same kind,
// with both neighbours matched as well, is a unit of its own. Everything
// else is grouped with its matched neighbours, since a browser that moved
// content out of an element (a table's stray text, a misnested tag) leaves
// the nodes on both sides in question.
std::vector<Unit> mapUnits(const HtmlOutline& outline, const Level& level)
{
    const qsizetype m = qsizetype(level.source.size());
    const qsizetype n = qsizetype(level.loaded.size());
    std::vector<QStringView> kinds;
    kinds.reserve(size_t(n));
    for (QStringView node : level.loaded)
        kinds.push_back(kindOf(node));
    auto source = [&](qsizetype i) -> const OutlineNode& {
        return outline.nodes[size_t(level.source[size_t(i)])];
    };
    const std::vector<Match> pairs = matchSequences(
        m, n, [&](qsizetype i, qsizetype j) { return source(i).name == kinds[size_t(j)]; });

    const qsizetype p = qsizetype(pairs.size());
    auto gapIsDirty = [&](qsizetype k) {
        const qsizetype prevA = k > 0 ? pairs[size_t(k - 1)].a : -1;
        const qsizetype prevB = k > 0 ? pairs[size_t(k - 1)].b : -1;
        const qsizetype nextA = k < p ? pairs[size_t(k)].a : m;
        const qsizetype nextB = k < p ? pairs[size_t(k)].b : n;
        return nextA - prevA > 1 || nextB - prevB > 1;
    };

    std::vector<Unit> units;
    std::optional<Unit> group;
    auto closeGroup = [&] {
        if (group)
            units.push_back(*group);
        group.reset();
    };
    auto addToGroup = [&](qsizetype first, qsizetype last, qsizetype start, qsizetype end,
                          const QString& tail) {
        if (!group) {
            group = Unit{first, last, start, end, tail, -1};
            return;
        }
        group->last = std::max(group->last, last);
        group->sourceStart = std::min(group->sourceStart, start);
        if (end >= group->sourceEnd) {
            group->sourceEnd = end;
            group->tail = tail;
        }
    };
    for (qsizetype k = 0; k <= p; ++k) {
        const bool dirtyBefore = gapIsDirty(k);
        if (dirtyBefore) {
            const qsizetype start = k > 0 ? source(pairs[size_t(k - 1)].a).end : level.contentStart;
            qsizetype end = start;
            QString tail;
            if (k < p) {
                end = source(pairs[size_t(k)].a).start;
            } else if (m > 0) {
                end = std::max(start, source(m - 1).end);
                tail = source(m - 1).tail;
            }
            const qsizetype first = k > 0 ? pairs[size_t(k - 1)].b + 1 : 0;
            const qsizetype last = k < p ? pairs[size_t(k)].b : n;
            addToGroup(first, last, start, end, tail);
        } else {
            closeGroup();
        }
        if (k == p)
            break;
        const OutlineNode& node = source(pairs[size_t(k)].a);
        const qsizetype j = pairs[size_t(k)].b;
        if (dirtyBefore || gapIsDirty(k + 1)) {
            addToGroup(j, j + 1, node.start, node.end, node.tail);
        } else {
            closeGroup();
            units.push_back({j, j + 1, node.start, node.end, node.tail,
                             level.source[size_t(pairs[size_t(k)].a)]});
        }
    }
    closeGroup();
    return units;
}

// The attributes of a start tag as a browser writes it (values always
// quoted, with these references only).
QList<QPair<QString, QString>> serialisedAttributes(QStringView tag)
{
    HtmlToken token;
    HtmlTokenizer(tag).next(token);
    QList<QPair<QString, QString>> attributes;
    for (const HtmlAttributeSpan& span : token.attributes) {
        QString value;
        if (span.valueStart >= 0)
            value = tag.sliced(span.valueStart, span.valueEnd - span.valueStart).toString();
        value.replace(u"&quot;"_s, u"\""_s)
            .replace(u"&lt;"_s, u"<"_s)
            .replace(u"&gt;"_s, u">"_s)
            .replace(u"&nbsp;"_s, QString(QChar(0xA0)))
            .replace(u"&amp;"_s, u"&"_s);
        attributes.append({tag.sliced(span.start, span.nameEnd - span.start).toString(), value});
    }
    return attributes;
}

std::vector<int> childrenOf(const HtmlOutline& outline, int parent)
{
    std::vector<int> children;
    for (int c = outline.nodes[size_t(parent)].firstChild; c >= 0;
         c = outline.nodes[size_t(c)].nextSibling)
        children.push_back(c);
    return children;
}

class Writer
{
public:
    Writer(QStringView source, const HtmlOutline& outline, const DesignWriteBackOptions& options)
        : m_source(source), m_outline(outline), m_options(options)
    {
        const qsizetype lf = source.indexOf(u'\n');
        const qsizetype cr = source.indexOf(u'\r');
        if (cr >= 0 && (lf < 0 || cr < lf))
            m_lineBreak = cr + 1 < source.size() && source[cr + 1] == u'\n' ? QStringLiteral("\r\n")
                                                                            : QStringLiteral("\r");
    }

    // Replacements for the children of head or body. Where the source and
    // the browser's nodes cannot be matched, the part's whole content is
    // written: never more than that.
    void writePart(int part, const QStringList& loaded, const QStringList& left,
                   QList<TextReplacement>& out) const
    {
        Level level;
        level.source = childrenOf(m_outline, part);
        level.contentStart = m_outline.nodes[size_t(part)].contentStart;
        level.loaded.assign(loaded.cbegin(), loaded.cend());
        level.left.assign(left.cbegin(), left.cend());
        QList<TextReplacement> found;
        if (writeLevel(level, found)) {
            out += found;
            return;
        }
        const qsizetype start = level.contentStart;
        qsizetype end = start;
        QString tail;
        if (!level.source.empty()) {
            const OutlineNode& last = m_outline.nodes[size_t(level.source.back())];
            end = std::max(start, last.end);
            tail = last.tail;
        }
        // Up to </body>: whatever lies before it that the tree missed
        // belongs to what the browser shows, and is written with it.
        if (part == m_outline.body && m_outline.bodyEndTag > end)
            end = m_outline.bodyEndTag;
        out.append({start, end - start, withoutTail(written(level.left, 0, left.size()), tail)});
    }

    // The replacement of the <body> start tag for changed body attributes.
    std::optional<TextReplacement> bodyTag(const HtmlOutline& outline,
                                           const QList<QPair<QString, QString>>& loaded,
                                           const QList<QPair<QString, QString>>& left) const
    {
        return startTag(outline.bodyTagStart, outline.bodyTagEnd, outline.bodyTagAttributes,
                        u"body", loaded, left);
    }

    // A start tag in the source rewritten for the attributes that changed
    // between the two snapshots: the others keep their text (quotes, case,
    // order), a changed value is written in place, a removed attribute goes
    // and a new one is added at the end. A tag the browser implied
    // (tagStart == tagEnd) is written there when an attribute is added.
    std::optional<TextReplacement> startTag(qsizetype tagStart, qsizetype tagEnd,
                                            const QList<HtmlAttributeSpan>& spans,
                                            QStringView tagName,
                                            const QList<QPair<QString, QString>>& loaded,
                                            const QList<QPair<QString, QString>>& left) const
    {
        QList<QPair<QString, std::optional<QString>>> changes;
        auto find = [](const QList<QPair<QString, QString>>& list, const QString& name) {
            for (const auto& attribute : list) {
                if (attribute.first.compare(name, Qt::CaseInsensitive) == 0)
                    return std::optional<QString>(attribute.second);
            }
            return std::optional<QString>();
        };
        for (const auto& attribute : left) {
            if (find(loaded, attribute.first) != attribute.second)
                changes.append({attribute.first, attribute.second});
        }
        for (const auto& attribute : loaded) {
            if (!find(left, attribute.first))
                changes.append({attribute.first, std::nullopt});
        }
        if (changes.isEmpty())
            return std::nullopt;

        struct Edit
        {
            qsizetype start, end;
            QString text;
        };
        std::vector<Edit> edits;
        QString appended;
        for (const auto& change : changes) {
            bool inSource = false;
            for (const HtmlAttributeSpan& span : spans) {
                const QStringView name = m_source.sliced(span.start, span.nameEnd - span.start);
                if (name.compare(change.first, Qt::CaseInsensitive) != 0)
                    continue;
                if (change.second) {
                    if (!inSource)
                        edits.push_back(
                            {span.start, span.end, attributeText(name, *change.second)});
                } else {
                    qsizetype from = span.start;
                    while (from > tagStart && isHtmlSpace(m_source[from - 1]))
                        --from;
                    edits.push_back({from, span.end, QString()});
                }
                inSource = true;
            }
            if (!inSource && change.second)
                appended += u' ' + attributeText(tagNameCase(change.first, m_options.tagCase),
                                                 *change.second);
        }
        if (tagEnd == tagStart) {
            if (appended.isEmpty())
                return std::nullopt;
            return TextReplacement{
                tagStart, 0, u'<' + tagNameCase(tagName, m_options.tagCase) + appended + u'>'};
        }
        qsizetype insertAt = tagEnd - 1; // before ">" (or "/>")
        if (insertAt > tagStart && m_source[insertAt - 1] == u'/')
            --insertAt;
        if (!appended.isEmpty())
            edits.push_back({insertAt, insertAt, appended});
        std::stable_sort(edits.begin(), edits.end(),
                         [](const Edit& x, const Edit& y) { return x.start < y.start; });
        QString text;
        qsizetype at = tagStart;
        for (const Edit& edit : edits) {
            if (edit.start < at)
                continue;
            text += m_source.sliced(at, edit.start - at);
            text += edit.text;
            at = edit.end;
        }
        text += m_source.sliced(at, tagEnd - at);
        return TextReplacement{tagStart, tagEnd - tagStart, text};
    }

private:
    static QString attributeText(QStringView name, const QString& value)
    {
        QString escaped;
        escaped.reserve(value.size());
        for (QChar c : value) {
            if (c == u'&')
                escaped += u"&amp;";
            else if (c == u'"')
                escaped += u"&quot;";
            else if (c == QChar(0xA0))
                escaped += u"&nbsp;";
            else
                escaped += c;
        }
        return name.toString() + QStringLiteral("=\"") + escaped + u'"';
    }

    // The browser's text with the source's line breaks. A carriage return
    // in the browser's document came from a reference (its parser turns
    // every one in the text into a line feed), so it is written as one
    // again: a bare one would be read back as a line break.
    QString withLineBreaks(const QString& text) const
    {
        QString converted = text;
        converted.replace(u'\r', QStringLiteral("&#13;"));
        if (m_lineBreak != u"\n")
            converted.replace(u'\n', m_lineBreak);
        return converted;
    }

    // Names in the case the user writes; a browser writes them in lower case.
    QString inTagCase(QStringView node) const
    {
        QString out = node.toString();
        if (m_options.tagCase.upperTag || !node.startsWith(u'<') || node.startsWith(u"<!--"))
            return out;
        HtmlTokenizer tokenizer(node);
        HtmlToken token;
        int foreignDepth = 0;
        auto raise = [&](qsizetype from, qsizetype to) {
            for (qsizetype i = from; i < to; ++i) {
                const char16_t c = out[i].unicode();
                if (c >= u'a' && c <= u'z')
                    out[i] = QChar(char16_t(c - (u'a' - u'A')));
            }
        };
        for (tokenizer.next(token); token.kind != HtmlTokenKind::End; tokenizer.next(token)) {
            if (token.kind == HtmlTokenKind::StartTag) {
                raise(token.start + 1, token.start + 1 + token.name.size());
                for (const HtmlAttributeSpan& span : token.attributes)
                    raise(span.start, span.nameEnd);
                if (token.name == "svg"_L1 || token.name == "math"_L1)
                    foreignDepth += token.selfClosing ? 0 : 1;
                else if (foreignDepth == 0)
                    enterElementContent(tokenizer, token.name);
            } else if (token.kind == HtmlTokenKind::EndTag) {
                raise(token.start + 2, token.start + 2 + token.name.size());
                if (foreignDepth > 0 && (token.name == "svg"_L1 || token.name == "math"_L1))
                    --foreignDepth;
            }
        }
        return out;
    }

    QString written(const std::vector<QStringView>& nodes, qsizetype from, qsizetype to) const
    {
        QString text;
        for (qsizetype i = from; i < to; ++i)
            text += inTagCase(nodes[size_t(i)]);
        return withLineBreaks(text);
    }

    // The text a browser added to the last text node from after </body>
    // stays where it is in the source (text is written with the source's
    // line breaks already).
    QString withoutTail(QString text, const QString& tail) const
    {
        if (!tail.isEmpty() && text.endsWith(tail))
            text.chop(tail.size());
        return text;
    }

    // Whether source[start, end) holds the text of the browser's nodes: the
    // check that a region about to be replaced is what the browser built
    // the replaced nodes from.
    bool sameText(qsizetype start, qsizetype end, const std::vector<QStringView>& nodes,
                  qsizetype from, qsizetype to) const
    {
        TextSignature inSource;
        inSource.addMarkup(m_source.sliced(start, end - start));
        TextSignature inBrowser;
        for (qsizetype i = from; i < to; ++i)
            inBrowser.addMarkup(nodes[size_t(i)]);
        return inSource.value() == inBrowser.value();
    }

    bool writeLevel(const Level& level, QList<TextReplacement>& out) const
    {
        const qsizetype n = qsizetype(level.loaded.size());
        const qsizetype k = qsizetype(level.left.size());
        if (n == 0) {
            if (!level.source.empty())
                return false; // the browser kept none of the source's nodes here
            if (k > 0)
                out.append({level.contentStart, 0, written(level.left, 0, k)});
            return true;
        }
        const std::vector<Unit> units = mapUnits(m_outline, level);
        std::vector<size_t> unitOf(size_t(n), 0);
        for (size_t u = 0; u < units.size(); ++u) {
            for (qsizetype j = units[u].first; j < units[u].last; ++j)
                unitOf[size_t(j)] = u;
        }

        std::vector<size_t> loadedHashes;
        loadedHashes.reserve(size_t(n));
        for (QStringView node : level.loaded)
            loadedHashes.push_back(qHash(node));
        std::vector<size_t> leftHashes;
        leftHashes.reserve(size_t(k));
        for (QStringView node : level.left)
            leftHashes.push_back(qHash(node));
        const std::vector<Match> same = matchSequences(n, k, [&](qsizetype a, qsizetype b) {
            return loadedHashes[size_t(a)] == leftHashes[size_t(b)] &&
                   level.loaded[size_t(a)] == level.left[size_t(b)];
        });

        struct Hunk
        {
            qsizetype a0, a1, b0, b1;
        };
        std::vector<Hunk> hunks;
        qsizetype prevA = -1;
        qsizetype prevB = -1;
        for (size_t i = 0; i <= same.size(); ++i) {
            const qsizetype a = i < same.size() ? same[i].a : n;
            const qsizetype b = i < same.size() ? same[i].b : k;
            if (a - prevA > 1 || b - prevB > 1)
                hunks.push_back({prevA + 1, a, prevB + 1, b});
            prevA = a;
            prevB = b;
        }

        // One changed node in a group that no other change touches: when
        // exactly one source node of the group has its name and its text,
        // the node came from there, and only its inside is written.
        std::vector<int> changesInUnit(units.size(), 0);
        for (const Hunk& h : hunks) {
            if (h.a0 < h.a1) {
                for (size_t u = unitOf[size_t(h.a0)]; u <= unitOf[size_t(h.a1 - 1)]; ++u)
                    ++changesInUnit[u];
            } else if (h.a0 > 0 && h.a0 < n && unitOf[size_t(h.a0 - 1)] == unitOf[size_t(h.a0)]) {
                ++changesInUnit[unitOf[size_t(h.a0)]];
            }
        }
        std::vector<Hunk> remaining;
        for (const Hunk& h : hunks) {
            if (h.a1 - h.a0 == 1 && h.b1 - h.b0 == 1) {
                const size_t u = unitOf[size_t(h.a0)];
                if (units[u].node < 0 && changesInUnit[u] == 1 &&
                    writeInGroup(units[u], level, level.loaded[size_t(h.a0)],
                                 level.left[size_t(h.b0)], out))
                    continue;
            }
            remaining.push_back(h);
        }

        // Each change grows to the units it touches; changes that then meet
        // become one.
        std::vector<Hunk> grown;
        for (const Hunk& h : remaining) {
            qsizetype a0 = h.a0;
            qsizetype a1 = h.a1;
            if (a0 < a1) {
                a0 = units[unitOf[size_t(a0)]].first;
                a1 = units[unitOf[size_t(a1 - 1)]].last;
            } else if (a0 > 0 && a0 < n && unitOf[size_t(a0 - 1)] == unitOf[size_t(a0)]) {
                a1 = units[unitOf[size_t(a0)]].last;
                a0 = units[unitOf[size_t(a0)]].first;
            }
            const Hunk g{a0, a1, a0 + (h.b0 - h.a0), a1 + (h.b1 - h.a1)};
            if (!grown.empty() && g.a0 <= grown.back().a1) {
                Hunk& last = grown.back();
                if (g.a1 >= last.a1) {
                    last.a1 = g.a1;
                    last.b1 = g.b1;
                }
                continue;
            }
            grown.push_back(g);
        }

        for (const Hunk& g : grown) {
            if (g.a1 - g.a0 == 1 && g.b1 - g.b0 == 1) {
                const Unit& unit = units[unitOf[size_t(g.a0)]];
                if (unit.node >= 0 && writeInside(unit.node, level.loaded[size_t(g.a0)],
                                                  level.left[size_t(g.b0)], out))
                    continue;
            }
            if (g.a0 < g.a1) {
                const Unit& first = units[unitOf[size_t(g.a0)]];
                const Unit& last = units[unitOf[size_t(g.a1 - 1)]];
                if (!sameText(first.sourceStart, last.sourceEnd, level.loaded, g.a0, g.a1))
                    return false;
                out.append({first.sourceStart, last.sourceEnd - first.sourceStart,
                            withoutTail(written(level.left, g.b0, g.b1), last.tail)});
                continue;
            }
            // An insertion between two units: both must be where the
            // browser has them.
            for (qsizetype a : {g.a0 - 1, g.a0}) {
                if (a < 0 || a >= n)
                    continue;
                const Unit& unit = units[unitOf[size_t(a)]];
                if (!sameText(unit.sourceStart, unit.sourceEnd, level.loaded, unit.first,
                              unit.last))
                    return false;
            }
            const qsizetype at =
                g.a0 > 0 ? units[unitOf[size_t(g.a0 - 1)]].sourceEnd : units[unitOf[0]].sourceStart;
            out.append({at, 0, written(level.left, g.b0, g.b1)});
        }
        return true;
    }

    // A changed node in a group, written where the one source node with its
    // name and text lies. A formatting element the browser repeated into
    // the following elements (a link left open) has no source node: the one
    // changed node inside it is looked for instead.
    bool writeInGroup(const Unit& unit, const Level& level, QStringView loaded, QStringView left,
                      QList<TextReplacement>& out) const
    {
        const int index = nodeInGroup(unit, level, loaded);
        if (index >= 0) {
            const OutlineNode& node = m_outline.nodes[size_t(index)];
            if (node.name != "#text"_L1)
                return writeInside(index, loaded, left, out);
            out.append({node.start, node.end - node.start,
                        withoutTail(withLineBreaks(inTagCase(left)), node.tail)});
            return true;
        }
        const QStringView kind = kindOf(loaded);
        if (!isFormattingElement(kind) || kindOf(left) != kind)
            return false;
        const std::optional<SplitElement> before = splitElement(loaded);
        const std::optional<SplitElement> after = splitElement(left);
        if (!before || !after || before->children.size() != after->children.size() ||
            loaded.first(before->startTagEnd) != left.first(after->startTagEnd))
            return false;
        std::optional<size_t> changed;
        for (size_t i = 0; i < before->children.size(); ++i) {
            if (before->children[i] == after->children[i])
                continue;
            if (changed)
                return false;
            changed = i;
        }
        return changed && writeInGroup(unit, level, before->children[*changed],
                                       after->children[*changed], out);
    }

    // The one source node of a group with the name and the text of a node
    // the browser serialised; -1 when none or more than one has them.
    int nodeInGroup(const Unit& unit, const Level& level, QStringView loaded) const
    {
        const QStringView kind = kindOf(loaded);
        if (kind == "#comment"_L1)
            return -1;
        TextSignature inBrowser;
        inBrowser.addMarkup(loaded);
        int found = -1;
        for (int index : level.source) {
            const OutlineNode& node = m_outline.nodes[size_t(index)];
            if (node.start < unit.sourceStart || node.end > unit.sourceEnd || node.name != kind)
                continue;
            TextSignature inSource;
            inSource.addMarkup(m_source.sliced(node.start, node.end - node.start));
            if (inSource.value() != inBrowser.value())
                continue;
            if (found >= 0)
                return -1; // two alike: which one it was is unknown
            found = index;
        }
        return found;
    }

    // A changed element whose children can be matched: only its changed
    // children are written, and its start tag when that changed.
    bool writeInside(int index, QStringView loaded, QStringView left,
                     QList<TextReplacement>& out) const
    {
        const OutlineNode& node = m_outline.nodes[size_t(index)];
        if (!node.childrenKnown || node.name.startsWith(u'#') || isVoidElement(node.name) ||
            isRawTextElement(node.name) || kindOf(loaded) != node.name || kindOf(left) != node.name)
            return false;
        const std::optional<SplitElement> before = splitElement(loaded);
        const std::optional<SplitElement> after = splitElement(left);
        if (!before || !after)
            return false;
        Level level;
        level.source = childrenOf(m_outline, index);
        level.contentStart = node.contentStart;
        level.loaded = before->children;
        level.left = after->children;
        QList<TextReplacement> inside;
        if (!writeLevel(level, inside))
            return false;
        const QStringView leftTag = left.first(after->startTagEnd);
        const QStringView loadedTag = loaded.first(before->startTagEnd);
        if (loadedTag != leftTag) {
            if (node.implied)
                return false;
            HtmlToken token;
            HtmlTokenizer(m_source.sliced(node.start, node.contentStart - node.start)).next(token);
            if (token.kind != HtmlTokenKind::StartTag)
                return false;
            for (HtmlAttributeSpan& span : token.attributes) {
                span.start += node.start;
                span.end += node.start;
                span.nameEnd += node.start;
            }
            if (auto tag = startTag(node.start, node.contentStart, token.attributes, node.name,
                                    serialisedAttributes(loadedTag), serialisedAttributes(leftTag)))
                inside.prepend(*tag);
        }
        out += inside;
        return true;
    }

    QStringView m_source;
    const HtmlOutline& m_outline;
    const DesignWriteBackOptions& m_options;
    QString m_lineBreak = QStringLiteral("\n");
};

} // namespace

QList<TextReplacement> designWriteBack(const QString& source, const DesignSnapshot& loaded,
                                       const DesignSnapshot& left,
                                       const DesignWriteBackOptions& options)
{
    if (loaded == left)
        return {};
    const HtmlOutline outline = outlineHtml(source);
    const Writer writer(source, outline, options);
    QList<TextReplacement> replacements;
    if (loaded.headNodes != left.headNodes)
        writer.writePart(outline.head, loaded.headNodes, left.headNodes, replacements);
    if (!outline.frameset) {
        if (loaded.bodyAttributes != left.bodyAttributes) {
            if (auto tag = writer.bodyTag(outline, loaded.bodyAttributes, left.bodyAttributes))
                replacements.append(*tag);
        }
        if (loaded.bodyNodes != left.bodyNodes)
            writer.writePart(outline.body, loaded.bodyNodes, left.bodyNodes, replacements);
    }

    // In source order; replacements that meet become one, so that two
    // insertions at one place keep their order.
    std::stable_sort(
        replacements.begin(), replacements.end(),
        [](const TextReplacement& a, const TextReplacement& b) { return a.start < b.start; });
    QList<TextReplacement> merged;
    for (const TextReplacement& r : replacements) {
        if (!merged.isEmpty() && merged.last().start + merged.last().length == r.start) {
            merged.last().length += r.length;
            merged.last().text += r.text;
            continue;
        }
        merged.append(r);
    }
    return merged;
}

} // namespace qw
